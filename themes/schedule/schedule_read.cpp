// Reading schedule files: the plain-text and the XML form.
#include "schedule.h"

#include <skinpackage.h>
#include <stdio.h>
#include <wchar.h>
#include <xmlaccess.h>

namespace {

const wchar_t kRandom[] = L"random";
const long kXmlDefaultDelay = 5;
const int kMaxCount = static_cast<int>(CSchedule::kMaxThemes);

int OrderFromText(const wchar_t* text)
{
    return text && _wcsicmp(text, kRandom) == 0 ? CSchedule::kRandom : CSchedule::kSequential;
}

bool KeepPath(const std::wstring& path)
{
    return !path.empty() && path.size() < MAX_PATH;
}

// The text form: UTF-16LE lines; empty lines do not count.
bool ParseText(const BYTE* data, DWORD size, ScheduleReader reader, CSchedule* schedule)
{
    const wchar_t* text = reinterpret_cast<const wchar_t*>(data);
    size_t length = size / sizeof(wchar_t);
    size_t at = 0;
    if (length > 0 && text[0] == 0xFEFF)
        at = 1;  // a byte-order mark is no part of the first line
    std::vector<std::wstring> lines;
    std::wstring line;
    for (; at <= length; ++at) {
        wchar_t c = at < length ? text[at] : L'\n';
        if (c == L'\r' || c == L'\n' || c == L'\0') {
            if (!line.empty())
                lines.push_back(line);
            line.clear();
            // A count can claim no more themes than the file has lines.
            if (lines.size() > CSchedule::kMaxThemes + 3)
                break;
            continue;
        }
        line.push_back(c);
    }
    if (lines.empty())
        return false;

    CSchedule read;
    read.interval = wcstol(lines[0].c_str(), nullptr, 10);
    if (read.interval < (reader == ScheduleReader::Rotator ? 1 : 0))
        read.interval = 0;
    read.order = lines.size() > 1 ? OrderFromText(lines[1].c_str()) : CSchedule::kSequential;
    long count = lines.size() > 2 ? wcstol(lines[2].c_str(), nullptr, 10) : 0;
    for (long i = 0; i < count && 3 + static_cast<size_t>(i) < lines.size(); ++i)
        if (KeepPath(lines[3 + i]))
            read.themes.push_back(lines[3 + i]);
    *schedule = read;
    return true;
}

std::wstring NodeText(const CXmlReader& xml, const wchar_t* child)
{
    wchar_t path[64];
    _snwprintf(path, 63, L"/%ls/%ls", L"rotateinfo", child);
    path[63] = L'\0';
    BSTR text = nullptr;
    std::wstring value;
    if (xml.GetChildNodeText(path, &text) && text)
        value = text;
    SysFreeString(text);
    return value;
}

bool NodeNumber(const CXmlReader& xml, const wchar_t* child, long* value)
{
    std::wstring text = NodeText(xml, child);
    if (text.empty())
        return false;
    *value = wcstol(text.c_str(), nullptr, 10);
    return true;
}

// The XML form, as 8-bit text (UTF-8 when it says so).
bool ParseXml(const BYTE* data, DWORD size, ScheduleReader reader, CSchedule* schedule)
{
    int wide = MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(data), static_cast<int>(size),
                                   nullptr, 0);
    UINT codePage = CP_UTF8;
    if (wide <= 0) {
        codePage = CP_ACP;
        wide = MultiByteToWideChar(codePage, 0, reinterpret_cast<const char*>(data), static_cast<int>(size),
                                   nullptr, 0);
    }
    if (wide <= 0)
        return false;
    std::wstring text(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(codePage, 0, reinterpret_cast<const char*>(data), static_cast<int>(size), &text[0], wide);
    text.resize(wcsnlen(text.c_str(), text.size()));

    CXmlComScope com;
    CXmlReader xml;
    if (!com.IsReady() || !xml.Initialize() || !xml.LoadXml(text.c_str()))
        return false;
    CSchedule read;
    long count = 0;
    NodeNumber(xml, L"count", &count);
    long delay = 0;
    bool hasDelay = NodeNumber(xml, L"delay", &delay);
    if (reader == ScheduleReader::Rotator)
        read.interval = hasDelay && delay >= 1 ? delay : kXmlDefaultDelay;
    else
        read.interval = delay < 0 ? 0 : delay;
    read.order = OrderFromText(NodeText(xml, L"type").c_str());
    if (count > kMaxCount)
        count = kMaxCount;
    for (long i = 0; i < count; ++i) {
        wchar_t name[16];
        _snwprintf(name, 15, L"%ls%03ld", L"theme", i);
        name[15] = L'\0';
        std::wstring path = NodeText(xml, name);
        if (KeepPath(path))
            read.themes.push_back(path);
    }
    *schedule = read;
    return true;
}

} // namespace

bool ParseSchedule(const BYTE* data, DWORD size, ScheduleReader reader, CSchedule* schedule)
{
    if (!data || size == 0 || !schedule)
        return false;
    if (data[0] == '<')
        return ParseXml(data, size, reader, schedule);
    return ParseText(data, size, reader, schedule);
}

bool ReadScheduleFile(const wchar_t* path, ScheduleReader reader, CSchedule* schedule)
{
    ceReadFile file;
    if (!path || !file.OpenFile(path) || !file.ReadFile())
        return false;
    return ParseSchedule(file.GetBuffer(), file.GetSize(), reader, schedule);
}
