// Judging the endurance run's samples and writing them out.
#include "soak_judge.h"

#include <cstdio>
#include <cwctype>
#include <map>

namespace {

const int kWarmUpMinutes = 1;

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
        out += (c > 0 && c < 128) ? static_cast<char>(c) : '?';
    return out;
}

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

std::wstring Describe(const SoakSample& first, const SoakSample& last, const wchar_t* what, long long from,
                      long long to)
{
    wchar_t line[200];
    _snwprintf_s(line, _countof(line), _TRUNCATE, L"%ls (process %lu): %ls grew from %lld to %lld between minute %d "
                 L"and minute %d", first.who.c_str(), first.processId, what, from, to, first.minute, last.minute);
    return line;
}

void JudgeProcess(const SoakSample& first, const SoakSample& last, const SoakNoise& noise,
                  std::vector<std::wstring>* problems)
{
    const SIZE_T memoryAllowance = noise.memoryBytes + static_cast<SIZE_T>(first.privateBytes * noise.memoryShare);
    if (last.privateBytes > first.privateBytes + memoryAllowance)
        problems->push_back(Describe(first, last, L"private KB", first.privateBytes / 1024, last.privateBytes / 1024));
    if (first.gdi >= 0 && last.gdi > first.gdi + noise.gdi)
        problems->push_back(Describe(first, last, L"GDI objects", first.gdi, last.gdi));
    if (first.user >= 0 && last.user > first.user + noise.user)
        problems->push_back(Describe(first, last, L"USER objects", first.user, last.user));
    if (first.handles >= 0 && last.handles > first.handles + noise.handles)
        problems->push_back(Describe(first, last, L"handles", first.handles, last.handles));
}

}  // namespace

SoakVerdict JudgeGrowth(const std::vector<SoakSample>& samples, const SoakNoise& noise)
{
    SoakVerdict verdict;
    // Per program, the first and the latest sample of its current process.
    std::map<std::wstring, std::pair<SoakSample, SoakSample>> spans;
    std::map<std::wstring, SoakSample> latest;
    for (const SoakSample& sample : samples) {
        latest[sample.who] = sample;
        if (!sample.alive || sample.minute < kWarmUpMinutes)
            continue;
        auto found = spans.find(sample.who);
        if (found != spans.end() && found->second.first.processId == sample.processId) {
            found->second.second = sample;
            continue;
        }
        if (found != spans.end()) {
            JudgeProcess(found->second.first, found->second.second, noise, &verdict.problems);
            spans.erase(found);
        }
        spans.emplace(sample.who, std::make_pair(sample, sample));
    }
    for (const auto& span : spans)
        JudgeProcess(span.second.first, span.second.second, noise, &verdict.problems);
    for (const auto& last : latest)
        if (!last.second.alive)
            verdict.problems.push_back(last.first + L" was not running at minute " +
                                       std::to_wstring(last.second.minute));
    verdict.passed = verdict.problems.empty();
    return verdict;
}

std::vector<std::wstring> UnexpectedLogLines(const std::vector<std::wstring>& lines)
{
    static const wchar_t* const kFaultWords[] = {L"fail", L"error", L"cannot", L"could not", L"refused",
                                                 L"bad ",  L"crash", L"exception"};
    std::vector<std::wstring> faults;
    for (const std::wstring& line : lines) {
        const std::wstring lower = Lower(line);
        for (const wchar_t* word : kFaultWords)
            if (lower.find(word) != std::wstring::npos) {
                faults.push_back(line);
                break;
            }
    }
    return faults;
}

std::string SoakCsv(const std::vector<SoakSample>& samples)
{
    std::string csv = "minute,who,pid,alive,private_kb,gdi,user,handles\n";
    for (const SoakSample& s : samples) {
        char line[160];
        std::snprintf(line, sizeof(line), "%d,%s,%lu,%d,%llu,%ld,%ld,%ld\n", s.minute, Narrow(s.who).c_str(),
                      s.processId, s.alive ? 1 : 0, static_cast<unsigned long long>(s.privateBytes / 1024), s.gdi,
                      s.user, s.handles);
        csv += line;
    }
    return csv;
}

std::string SoakTable(const std::vector<SoakSample>& samples)
{
    std::string table = "minute  who     pid    private KB   GDI  USER  handles\n";
    for (const SoakSample& s : samples) {
        char line[160];
        if (!s.alive)
            std::snprintf(line, sizeof(line), "%6d  %-6s  (not running)\n", s.minute, Narrow(s.who).c_str());
        else
            std::snprintf(line, sizeof(line), "%6d  %-6s %5lu  %10llu %5ld %5ld  %7ld\n", s.minute,
                          Narrow(s.who).c_str(), s.processId, static_cast<unsigned long long>(s.privateBytes / 1024),
                          s.gdi, s.user, s.handles);
        table += line;
    }
    return table;
}
