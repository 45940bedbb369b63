// The driver of every fuzz program (see fuzz_parser.h).
//
//     fuzz_<parser>.exe [--count N] [--start CASE] [--seed S] [--hang-ms MS] [--out FOLDER]
//     fuzz_<parser>.exe --replay FILE [--kind K]
//
// The parent runs the cases in a child process (this program again, with
// --child) started with Wine's heap checks on (WINEDEBUG=warn+heap: block
// tails and freed blocks are guarded); the child validates every heap of the
// process every kValidateEvery cases, so a write past a block shows up
// within a few cases of the one that made it. Parent and child share a small
// progress record: the case running, the cases done, the phase. The parent
// takes a case that runs longer than the hang limit as a hang, kills the
// child, keeps the input and runs that case alone once more: a case that is
// slow only on a busy machine goes on, one that hangs again fails. A crash,
// heap damage or a failure the harness reports keeps the inputs concerned
// and fails; a child that ends without having run every case it was given
// fails too. Kept inputs go to FOLDER\<parser>\ (default: the build's
// fuzz folder beside bin), named after the case; --replay runs one again.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "fuzz_parser.h"

namespace {

const long long kDefaultCount = 100000;
const uint64_t kDefaultSeed = 20240611;
const DWORD kDefaultHangMs = 1000;
const DWORD kSetUpLimitMs = 120000;
const DWORD kValidateLimitMs = 60000;
const int kValidateEvery = 10;
const wchar_t kHeapChecks[] = L"-all,err+heap,warn+heap";

enum Phase : LONG { kStarting, kSetUp, kRunning, kValidating, kFinished };

enum ExitCode : int {
    kExitClean = 0,
    kExitSetUp = 2,
    kExitCheck = 3,
    kExitHeap = 4,
    kExitNoHeapChecks = 5,
    kExitUsage = 6,
};

// Shared by parent and child: written by the child only.
struct Progress {
    volatile LONG64 current;    // the case running, -1 before the first
    volatile LONG64 done;       // cases finished
    volatile LONG64 validated;  // cases up to this number passed the heap check
    volatile LONG phase;
    char failure[512];
};

struct Options {
    long long count = kDefaultCount;
    long long start = 0;
    uint64_t seed = kDefaultSeed;
    DWORD hangMs = kDefaultHangMs;
    std::wstring out;
    bool child = false;
    HANDLE progress = nullptr;
    std::wstring replay;
    int kind = 0;
};

std::string Narrow(const std::wstring& text)
{
    int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                     nullptr);
    std::string out(length > 0 ? length : 0, '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], length, nullptr,
                            nullptr);
    return out;
}

std::wstring SelfPath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::wstring SelfFolder()
{
    std::wstring path = SelfPath();
    return path.substr(0, path.find_last_of(L"\\/"));
}

// "fuzz_skin_xml.exe" -> "skin_xml".
std::wstring ParserName()
{
    std::wstring path = SelfPath();
    std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    if (name.size() > 4 && _wcsicmp(name.c_str() + name.size() - 4, L".exe") == 0)
        name.resize(name.size() - 4);
    if (name.compare(0, 5, L"fuzz_") == 0)
        name.erase(0, 5);
    return name;
}

// Each case draws from its own generator, so case n can be made again
// without the n - 1 before it.
uint64_t CaseSeed(uint64_t seed, long long index)
{
    uint64_t z = seed + 0x9E3779B97F4A7C15ull * static_cast<uint64_t>(index + 1);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

FuzzInput MakeCase(const std::vector<std::string>& seeds, const Options& options, long long index)
{
    FuzzRandom random(CaseSeed(options.seed, index));
    return KetraFuzzParser()->Make(seeds, random);
}

// The seeds file beside the program lists the fixtures, one path a line
// (relative ones from the program's folder).
bool LoadSeeds(std::vector<std::string>* seeds, std::string* why)
{
    const std::wstring list = SelfFolder() + L"\\fuzz_" + ParserName() + L".seeds";
    std::string text;
    if (!FuzzReadFile(list, &text)) {
        *why = "no seed list " + Narrow(list);
        return false;
    }
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (line.empty())
            continue;
        std::wstring path(line.begin(), line.end());
        if (!(path.size() > 1 && path[1] == L':') && path[0] != L'\\')
            path = SelfFolder() + L"\\" + path;
        std::string bytes;
        if (!FuzzReadFile(path, &bytes)) {
            *why = "seed " + line + " cannot be read";
            return false;
        }
        seeds->push_back(bytes);
    }
    if (seeds->empty())
        *why = "no seeds in " + Narrow(list);
    return !seeds->empty();
}

int InvalidHeaps()
{
    HANDLE heaps[256];
    DWORD count = GetProcessHeaps(256, heaps);
    int invalid = 0;
    for (DWORD i = 0; i < count && i < 256; ++i)
        invalid += !HeapValidate(heaps[i], 0, nullptr);
    return invalid;
}

// The run means something only if a write past a block is seen: make one
// byte past a block wrong, check that validation notices, put it back.
// Reading the byte past the block is the point.
// The block escapes through a volatile pointer, or the compiler may keep it
// off the heap altogether.
char* volatile g_heapProbe = nullptr;

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
bool HeapChecksAreOn()
{
    g_heapProbe = static_cast<char*>(malloc(20));
    char* block = g_heapProbe;
    if (!block)
        return false;
    volatile size_t past = 20;
    char kept = block[past];
    block[past] = static_cast<char>(kept ^ 0x5A);
    const bool seen = InvalidHeaps() > 0;
    block[past] = kept;
    const bool clean = InvalidHeaps() == 0;
    free(block);
    return seen && clean;
}
#pragma GCC diagnostic pop

void SetFailure(Progress* progress, const std::string& text)
{
    snprintf(progress->failure, sizeof(progress->failure), "%s", text.c_str());
}

std::wstring OutFolder(const Options& options)
{
    std::wstring base = options.out.empty() ? SelfFolder() + L"\\..\\fuzz" : options.out;
    CreateDirectoryW(base.c_str(), nullptr);
    std::wstring folder = base + L"\\" + ParserName();
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

// ---- The child: runs the cases -------------------------------------------

[[noreturn]] void EndChild(int code)
{
    // No destructors after a failure: the heap may be damaged.
    fflush(stdout);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(code));
    ExitProcess(static_cast<UINT>(code));
}

// A crash ends the child at once with the exception's code, instead of
// waiting for a debugger the parent would take for a hang.
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* exception)
{
    EndChild(static_cast<int>(exception->ExceptionRecord->ExceptionCode));
}

int RunChild(const Options& options)
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(EndOnCrash);
    auto* progress = static_cast<Progress*>(MapViewOfFile(options.progress, FILE_MAP_WRITE, 0, 0, sizeof(Progress)));
    if (!progress)
        return kExitUsage;
    progress->phase = kSetUp;
    if (!HeapChecksAreOn()) {
        SetFailure(progress, "the heap checks are off (WINEDEBUG=warn+heap not in force)");
        EndChild(kExitNoHeapChecks);
    }
    std::vector<std::string> seeds;
    std::string why;
    FuzzContext context;
    context.scratch = OutFolder(options) + L"\\scratch-" + std::to_wstring(GetCurrentProcessId());
    FuzzRemoveTree(context.scratch);
    CreateDirectoryW(context.scratch.c_str(), nullptr);
    if (!LoadSeeds(&seeds, &why) || !KetraFuzzParser()->SetUp(context, &why)) {
        SetFailure(progress, why);
        EndChild(kExitSetUp);
    }
    const long long end = options.start + options.count;
    for (long long i = options.start; i < end; ++i) {
        progress->current = i;
        progress->phase = kRunning;
        const FuzzInput input = MakeCase(seeds, options, i);
        const std::string failure = KetraFuzzParser()->Run(input);
        if (!failure.empty()) {
            SetFailure(progress, failure);
            EndChild(kExitCheck);
        }
        progress->done = i - options.start + 1;
        if ((i + 1) % kValidateEvery == 0 || i + 1 == end) {
            progress->phase = kValidating;
            if (InvalidHeaps())
                EndChild(kExitHeap);
            progress->validated = i + 1;
        }
    }
    FuzzRemoveTree(context.scratch);
    progress->phase = kFinished;
    fflush(stdout);
    return kExitClean;
}

// ---- The parent: watches the child ---------------------------------------

enum class Outcome { kClean, kHang, kCrash, kCheck, kHeap, kSetUp };

struct ChildResult {
    Outcome outcome = Outcome::kClean;
    long long at = -1;        // the case concerned
    long long validated = 0;  // cases up to here were checked clean
    long long done = 0;
    DWORD exitCode = 0;
    std::string failure;
};

ChildResult RunChildOnce(const Options& options, HANDLE mapping, Progress* progress, long long start, long long count)
{
    ChildResult result;
    ZeroMemory(progress, sizeof(*progress));
    progress->current = -1;
    progress->validated = start;
    std::wstring command = L"\"" + SelfPath() + L"\" --child --progress " +
                           std::to_wstring(reinterpret_cast<ULONG_PTR>(mapping)) + L" --start " +
                           std::to_wstring(start) + L" --count " + std::to_wstring(count) + L" --seed " +
                           std::to_wstring(options.seed);
    if (!options.out.empty())
        command += L" --out \"" + options.out + L"\"";

    wchar_t previous[256] = {};
    const DWORD hadPrevious = GetEnvironmentVariableW(L"WINEDEBUG", previous, 256);
    SetEnvironmentVariableW(L"WINEDEBUG", kHeapChecks);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child = {};
    const BOOL started =
        CreateProcessW(SelfPath().c_str(), &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child);
    SetEnvironmentVariableW(L"WINEDEBUG", hadPrevious && hadPrevious < 256 ? previous : nullptr);
    if (!started) {
        result.outcome = Outcome::kSetUp;
        result.failure = "the child process did not start";
        return result;
    }
    CloseHandle(child.hThread);

    LONG64 seenCase = -2;
    LONG seenPhase = -1;
    ULONGLONG changed = GetTickCount64();
    bool hung = false;
    while (WaitForSingleObject(child.hProcess, 20) == WAIT_TIMEOUT) {
        const LONG64 current = progress->current;
        const LONG phase = progress->phase;
        const ULONGLONG now = GetTickCount64();
        if (current != seenCase || phase != seenPhase) {
            seenCase = current;
            seenPhase = phase;
            changed = now;
            continue;
        }
        const ULONGLONG limit = phase == kRunning ? options.hangMs : phase == kValidating ? kValidateLimitMs
                                                                                           : kSetUpLimitMs;
        if (now - changed > limit) {
            hung = true;
            TerminateProcess(child.hProcess, 99);
            WaitForSingleObject(child.hProcess, 10000);
            break;
        }
    }
    GetExitCodeProcess(child.hProcess, &result.exitCode);
    CloseHandle(child.hProcess);

    result.at = progress->current;
    result.validated = progress->validated;
    result.done = progress->done;
    result.failure.assign(progress->failure, strnlen(progress->failure, sizeof(progress->failure)));
    if (hung)
        result.outcome = progress->phase == kRunning ? Outcome::kHang : Outcome::kSetUp;
    else if (result.exitCode == kExitClean)
        result.outcome = Outcome::kClean;
    else if (result.exitCode == kExitCheck)
        result.outcome = Outcome::kCheck;
    else if (result.exitCode == kExitHeap)
        result.outcome = Outcome::kHeap;
    else if (result.exitCode == kExitSetUp || result.exitCode == kExitNoHeapChecks || progress->phase == kSetUp)
        result.outcome = Outcome::kSetUp;
    else
        result.outcome = Outcome::kCrash;
    if (hung && result.failure.empty())
        result.failure = progress->phase == kValidating ? "the heap check hung" : "the set-up hung";
    return result;
}

// Makes case index again and keeps it as FOLDER\<what>-case<index>-kind<k>.bin.
std::wstring KeepCase(const Options& options, const std::vector<std::string>& seeds, long long index,
                      const wchar_t* what)
{
    const FuzzInput input = MakeCase(seeds, options, index);
    const std::wstring file = OutFolder(options) + L"\\" + what + L"-case" + std::to_wstring(index) + L"-kind" +
                              std::to_wstring(input.kind) + L".bin";
    FuzzWriteFile(file, input.bytes);
    return file;
}

int RunParent(const Options& options)
{
    const std::string name = Narrow(ParserName());
    std::vector<std::string> seeds;
    std::string why;
    if (!LoadSeeds(&seeds, &why)) {
        printf("%s: %s\n", name.c_str(), why.c_str());
        return kExitSetUp;
    }
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, &inherit, PAGE_READWRITE, 0, sizeof(Progress), nullptr);
    auto* progress = mapping ? static_cast<Progress*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0)) : nullptr;
    if (!progress) {
        printf("%s: no shared progress record\n", name.c_str());
        return kExitSetUp;
    }

    const ULONGLONG started = GetTickCount64();
    const long long end = options.start + options.count;
    long long next = options.start;
    int slowOnce = 0;
    int code = kExitClean;
    while (next < end && code == kExitClean) {
        const ChildResult result = RunChildOnce(options, mapping, progress, next, end - next);
        switch (result.outcome) {
        case Outcome::kClean:
            if (result.done != end - next) {
                printf("%s: the child ended having run %lld of its %lld cases\n", name.c_str(), result.done,
                       end - next);
                code = kExitCheck;
            }
            next = end;
            break;
        case Outcome::kHang: {
            const std::wstring kept = KeepCase(options, seeds, result.at, L"hang");
            // Once more alone: a case slow only on a busy machine goes on.
            const ChildResult again = RunChildOnce(options, mapping, progress, result.at, 1);
            if (again.outcome == Outcome::kClean && again.done == 1) {
                printf("%s: case %lld ran over %lu ms once but not again (a busy machine?); going on\n",
                       name.c_str(), result.at, static_cast<unsigned long>(options.hangMs));
                DeleteFileW(kept.c_str());
                ++slowOnce;
                next = result.at + 1;
            } else {
                printf("%s: case %lld hangs (over %lu ms); input kept in %s\n", name.c_str(), result.at,
                       static_cast<unsigned long>(options.hangMs), Narrow(kept).c_str());
                code = kExitCheck;
            }
            break;
        }
        case Outcome::kCrash:
            printf("%s: case %lld crashed (exit code 0x%lx); input kept in %s\n", name.c_str(), result.at,
                   static_cast<unsigned long>(result.exitCode), Narrow(KeepCase(options, seeds, result.at, L"crash")).c_str());
            code = kExitCheck;
            break;
        case Outcome::kCheck:
            printf("%s: case %lld: %s; input kept in %s\n", name.c_str(), result.at, result.failure.c_str(),
                   Narrow(KeepCase(options, seeds, result.at, L"failed")).c_str());
            code = kExitCheck;
            break;
        case Outcome::kHeap:
            printf("%s: the heap was damaged by one of the cases %lld to %lld; their inputs kept in %s\n",
                   name.c_str(), result.validated, result.at, Narrow(OutFolder(options)).c_str());
            for (long long i = result.validated; i <= result.at; ++i)
                KeepCase(options, seeds, i, L"heap");
            code = kExitHeap;
            break;
        case Outcome::kSetUp:
            printf("%s: set-up failed: %s (exit code 0x%lx)\n", name.c_str(),
                   result.failure.empty() ? "the child ended before the first case" : result.failure.c_str(),
                   static_cast<unsigned long>(result.exitCode));
            code = kExitSetUp;
            break;
        }
    }
    const double seconds = (GetTickCount64() - started) / 1000.0;
    if (code == kExitClean)
        printf("%s: %lld inputs in %.1f s (%.0f a second), clean%s\n", name.c_str(), options.count, seconds,
               seconds > 0 ? options.count / seconds : 0.0, slowOnce ? " (some slow once, see above)" : "");
    fflush(stdout);
    UnmapViewOfFile(progress);
    CloseHandle(mapping);
    return code;
}

// ---- Replay: one kept input, in this process -----------------------------

int Replay(const Options& options)
{
    FuzzInput input;
    input.kind = options.kind;
    if (!FuzzReadFile(options.replay, &input.bytes)) {
        printf("cannot read %s\n", Narrow(options.replay).c_str());
        return kExitUsage;
    }
    FuzzContext context;
    context.scratch = OutFolder(options) + L"\\scratch-replay";
    CreateDirectoryW(context.scratch.c_str(), nullptr);
    std::string why;
    if (!KetraFuzzParser()->SetUp(context, &why)) {
        printf("set-up failed: %s\n", why.c_str());
        return kExitSetUp;
    }
    const std::string failure = KetraFuzzParser()->Run(input);
    FuzzRemoveTree(context.scratch);
    printf("%s\n", failure.empty() ? "ran clean" : failure.c_str());
    return failure.empty() ? kExitClean : kExitCheck;
}

bool ParseOptions(int argc, wchar_t** argv, Options* options)
{
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == L"--child") {
            options->child = true;
        } else if (arg == L"--count" && hasValue) {
            options->count = wcstoll(argv[++i], nullptr, 10);
        } else if (arg == L"--start" && hasValue) {
            options->start = wcstoll(argv[++i], nullptr, 10);
        } else if (arg == L"--seed" && hasValue) {
            options->seed = wcstoull(argv[++i], nullptr, 10);
        } else if (arg == L"--hang-ms" && hasValue) {
            options->hangMs = static_cast<DWORD>(_wtol(argv[++i]));
        } else if (arg == L"--out" && hasValue) {
            options->out = argv[++i];
        } else if (arg == L"--progress" && hasValue) {
            options->progress = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(wcstoll(argv[++i], nullptr, 10)));
        } else if (arg == L"--replay" && hasValue) {
            options->replay = argv[++i];
        } else if (arg == L"--kind" && hasValue) {
            options->kind = _wtoi(argv[++i]);
        } else {
            return false;
        }
    }
    return options->count > 0 && options->start >= 0 && options->hangMs > 0 && (!options->child || options->progress);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        printf("usage: fuzz_%s.exe [--count N] [--start CASE] [--seed S] [--hang-ms MS] [--out FOLDER]\n"
               "       fuzz_%s.exe --replay FILE [--kind K]\n",
               Narrow(ParserName()).c_str(), Narrow(ParserName()).c_str());
        return kExitUsage;
    }
    if (options.child)
        return RunChild(options);
    if (!options.replay.empty())
        return Replay(options);
    return RunParent(options);
}
