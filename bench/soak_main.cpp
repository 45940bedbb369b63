// ketrasoak: the endurance run of `./ketra soak [MINUTES]`, inside a fresh
// device. It keeps the whole system busy as a day of use would (every
// registered applet in turn, the bar closed and opened, the settings
// program opened and closed with OK, a theme applied, the bar's messages
// sent with bad parameters, the device's own programs running), samples
// the bar and the shell once a minute, and judges the series.
//
//     ketrasoak.exe [MINUTES] [CSV-PATH] [PARTS]
//
// PARTS narrows the work to find what a growth comes from: letters of
// a (applets), o (close and open), m (bad messages), t (themes) and
// s (settings program); all by default.
// Exit code 0 when the run passed, 1 when it did not, 2 when it could not
// start.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <axreg.h>
#include <ketra_host.h>
#include <tessary.h>

#include "applet_table.h"
#include "figures.h"
#include "footprint.h"
#include "soak_judge.h"
#include "watch.h"

namespace {

const wchar_t kHostCommand[] = L"\"\\Program Files\\ZARQ\\Ketra\\Ketra.exe\"";
const wchar_t kSettingsClass[] = L"KETRA_OPTION_CLASS";
const wchar_t kShellClass[] = L"HHTaskBar";
const wchar_t kDeviceLog[] = L"\\Windows\\devlog.txt";  // every service's one-line records
const wchar_t* const kThemes[] = {L"\\My Documents\\Ocean.tsk", L"\\My Documents\\Sunset.tsk"};
// The device's own programs, started at the beginning and expected to
// still run at the end.
const wchar_t* const kDevicePrograms[] = {L"\\Windows\\calendar.exe", L"\\Windows\\tasks.exe",
                                          L"\\Windows\\calc.exe"};
const DWORD kWaitMs = 20000;
const DWORD kSendTimeoutMs = 5000;
const int kSettingsEveryMinutes = 5;  // the settings program restarts the bar

// A message to the bar that gives up on a hung bar.
bool SendToBar(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND bar = KetraFindBar();
    DWORD_PTR answer = 0;
    return bar && SendMessageTimeoutW(bar, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &answer);
}

bool WaitFor(bool (*done)(), DWORD ms)
{
    const double until = NowMs() + ms;
    while (!done()) {
        if (NowMs() > until)
            return false;
        Sleep(50);
    }
    return true;
}

bool BarUp()
{
    HWND bar = KetraFindBar();
    return bar && IsPainted(bar);
}

bool SettingsGone()
{
    return !FindWindowW(kSettingsClass, nullptr);
}

bool SettingsUp()
{
    return FindWindowW(kSettingsClass, nullptr) != nullptr;
}

class SoakRun {
public:
    explicit SoakRun(const std::wstring& parts) : parts_(parts) {}
    bool Does(wchar_t part) const { return parts_.find(part) != std::wstring::npos; }
    bool Start();
    void Cycle();
    void Sample(int minute);
    void SettingsRoundTrip();
    int Finish(const wchar_t* csvPath);

private:
    void SwitchThroughApplets();
    void CloseAndOpen();
    void SendBadMessages();
    void ApplyNextTheme();
    void NoteBoxes();
    void Problem(const std::wstring& text);

    std::wstring parts_;
    std::vector<MenuApplet> applets_;
    std::vector<PROCESS_INFORMATION> programs_;
    std::vector<SoakSample> samples_;
    std::vector<std::wstring> problems_;
    LONGLONG logStart_ = 0;
    int themeTurn_ = 0;
    int rounds_ = 0;
};

LONGLONG LogSize()
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(kDeviceLog, GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::vector<std::wstring> LogLinesFrom(LONGLONG from)
{
    std::vector<std::wstring> lines;
    HANDLE file = CreateFileW(kDeviceLog, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lines;
    std::string text;
    LARGE_INTEGER offset;
    offset.QuadPart = from;
    if (SetFilePointerEx(file, offset, nullptr, FILE_BEGIN)) {
        char buffer[16384];
        DWORD read = 0;
        while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
            text.append(buffer, read);
    }
    CloseHandle(file);
    for (size_t begin = 0, end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1) {
        const std::string line = text.substr(begin, end - begin);
        const int chars = MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
        std::wstring wide(static_cast<size_t>(chars), L'\0');
        if (chars > 0)
            MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), &wide[0], chars);
        if (!wide.empty() && wide.back() == L'\r')
            wide.pop_back();
        lines.push_back(wide);
    }
    return lines;
}

// Visible message boxes of any program: dialogs with the static text a
// message box puts its text in.
std::vector<std::wstring> OpenBoxes()
{
    std::vector<std::wstring> boxes;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        wchar_t className[32] = L"";
        GetClassNameW(w, className, _countof(className));
        if (!IsWindowVisible(w) || wcscmp(className, L"#32770") != 0)
            continue;
        HWND text = GetDlgItem(w, 0xFFFF);
        if (!text)
            continue;
        wchar_t caption[128] = L"", body[256] = L"";
        GetWindowTextW(w, caption, _countof(caption));
        GetWindowTextW(text, body, _countof(body));
        boxes.push_back(std::wstring(L"\"") + caption + L"\" \"" + body + L"\"");
    }
    return boxes;
}

SoakSample SampleProcess(const std::wstring& who, HWND window, int minute)
{
    SoakSample sample;
    sample.minute = minute;
    sample.who = who;
    if (!window)
        return sample;
    GetWindowThreadProcessId(window, &sample.processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, sample.processId);
    if (!process)
        return sample;
    MemoryUse memory;
    sample.alive = ReadMemoryUse(process, &memory);
    sample.privateBytes = memory.privateBytes;
    const ObjectCounts objects = CountObjects(process, sample.processId);
    sample.gdi = objects.gdi;
    sample.user = objects.user;
    sample.handles = CountHandles(process, sample.processId);
    CloseHandle(process);
    return sample;
}

void SoakRun::Problem(const std::wstring& text)
{
    std::printf("  problem: %ls\n", text.c_str());
    std::fflush(stdout);
    problems_.push_back(text);
}

bool SoakRun::Start()
{
    logStart_ = LogSize();
    DWORD off = 0;
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, KETRA_OPTIONS_KEY, L"SoundOn", REG_DWORD, &off, sizeof(off));
    applets_ = ListMenuApplets(AX_APPLETS_KEY, {});
    if (applets_.empty()) {
        std::fprintf(stderr, "ketrasoak: no applets are registered\n");
        return false;
    }
    for (const wchar_t* program : kDevicePrograms) {
        std::wstring line = program;
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info = {};
        if (CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
            programs_.push_back(info);
        else
            Problem(std::wstring(L"could not start ") + program);
    }
    if (!KetraFindBar()) {
        WatchedProgram bar;
        if (!StartAndWaitPainted(kHostCommand, KETRA_CLASS, kWaitMs, &bar)) {
            std::fprintf(stderr, "ketrasoak: the side bar did not come up\n");
            return false;
        }
        CloseHandle(bar.process.hThread);
        CloseHandle(bar.process.hProcess);
    }
    std::printf("ketrasoak: %zu applets, %zu device programs\n", applets_.size(), programs_.size());
    std::fflush(stdout);
    return true;
}

void SoakRun::SwitchThroughApplets()
{
    for (const MenuApplet& applet : applets_) {
        HWND bar = KetraFindBar();
        if (!bar) {
            Problem(L"the side bar is gone (before " + applet.name + L")");
            return;
        }
        if (!IsBarOpen(bar))
            SendToBar(WM_KETRA_OPEN, 0, 0);
        if (!SwitchApplet(bar, applet.position))
            Problem(L"the side bar did not answer the menu command for " + applet.name);
        NoteBoxes();
    }
}

void SoakRun::CloseAndOpen()
{
    if (!SendToBar(WM_KETRA_CLOSE, 0, 0) || !SendToBar(WM_KETRA_OPEN, 0, 0))
        Problem(L"the side bar did not answer close and open");
}

// Each of the bar's messages with what another program may send by
// mistake: unknown selectors, addresses of another process, sizes out of
// range, applets past the end of the list.
void SoakRun::SendBadMessages()
{
    struct Bad {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    const Bad bad[] = {
        {WM_KETRA_OPEN, 0xDEAD, -1},
        {WM_KETRA_CLOSE, 0xDEAD, -1},
        {WM_KETRA_OPEN, 0, 0},
        {WM_KETRA_CONTROL, 99, 0},
        {WM_KETRA_CONTROL, static_cast<WPARAM>(-1), 0x12345678},
        {WM_KETRA_WINDOW, 77, 0},
        {WM_KETRA_WINDOW, static_cast<WPARAM>(-1), -1},
        {WM_KETRA_SHOWAPPLET, 0x10, 0},
        {WM_KETRA_SHOWAPPLET, static_cast<WPARAM>(0x7FFF0000), 0},
        {WM_KETRA_SETHEIGHT, 0, 0},
        {WM_KETRA_SETHEIGHT, 0, -40},
        {WM_KETRA_SETHEIGHT, 0, 0x7FFFFFFF},
        {WM_KETRA_SETHEIGHT, 0, 100000},
        {WM_KETRA_RELAY, 0xDEAD, 0x10},
        {WM_KETRA_VERSION, 0xDEAD, -1},
        {WM_KETRA_COLOR, 3, 0},
        {WM_KETRA_COLOR, static_cast<WPARAM>(-1), 0},
        {WM_KETRA_APPLETSHOWN, 0, 0x10},
        {WM_KETRA_APPLETSHOWN, 0, 0x7FFF0000},
        {WM_KETRA_APPLETHIDDEN, 0xDEAD, -1},
        {WM_KETRA_APPLETSIZE, 0, -1},
        {WM_COMMAND, IDM_KETRA_APPLET + 99, 0},
        {WM_COMMAND, IDM_KETRA_APPLET + static_cast<UINT>(applets_.size()) + 5, 0},
    };
    for (const Bad& message : bad)
        if (!SendToBar(message.message, message.wParam, message.lParam)) {
            wchar_t text[120];
            _snwprintf_s(text, _countof(text), _TRUNCATE, L"the side bar did not answer message %u (%llx, %llx)",
                         message.message, static_cast<unsigned long long>(message.wParam),
                         static_cast<unsigned long long>(message.lParam));
            Problem(text);
        }
    // What the applet asked for last stands again: the bad heights above
    // must not leave the bar sized by them.
    SendToBar(WM_KETRA_SHOWAPPLET, 0, 1);
}

void SoakRun::ApplyNextTheme()
{
    const wchar_t* theme = kThemes[themeTurn_++ % 2];
    if (GetFileAttributesW(theme) == INVALID_FILE_ATTRIBUTES)
        return;  // the theme pack is not installed
    if (!ApplyTheme(theme))
        Problem(std::wstring(L"the theme did not apply: ") + theme);
}

void SoakRun::NoteBoxes()
{
    for (const std::wstring& box : OpenBoxes())
        Problem(L"message box: " + box);
    // Answer them, or the run stops in the box.
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        wchar_t className[32] = L"";
        GetClassNameW(w, className, _countof(className));
        if (IsWindowVisible(w) && wcscmp(className, L"#32770") == 0 && GetDlgItem(w, 0xFFFF))
            PostMessageW(w, WM_COMMAND, GetDlgItem(w, IDOK) ? IDOK : IDCANCEL, 0);
    }
}

void SoakRun::Cycle()
{
    if (Does(L'a'))
        SwitchThroughApplets();
    if (Does(L'o'))
        CloseAndOpen();
    if (Does(L'm'))
        SendBadMessages();
    if (Does(L't'))
        ApplyNextTheme();
    NoteBoxes();
    ++rounds_;
    if (!Does(L'a'))
        Sleep(500);  // a round of the lighter parts alone
}

// The settings program from the bar's menu, closed with OK: it saves and
// starts the bar again.
void SoakRun::SettingsRoundTrip()
{
    if (!Does(L's'))
        return;
    HWND before = KetraFindBar();
    if (!before || !PostMessageW(before, WM_COMMAND, IDM_KETRA_OPTIONS, 0) || !WaitFor(SettingsUp, kWaitMs)) {
        Problem(L"the settings program did not come up");
        return;
    }
    Sleep(1000);
    PostMessageW(FindWindowW(kSettingsClass, nullptr), WM_COMMAND, IDOK, 0);
    if (!WaitFor(SettingsGone, kWaitMs)) {
        Problem(L"the settings program did not close with OK");
        return;
    }
    if (!WaitFor([] { return BarUp(); }, kWaitMs))
        Problem(L"the side bar did not come back after the settings program");
    NoteBoxes();
}

void SoakRun::Sample(int minute)
{
    samples_.push_back(SampleProcess(L"bar", KetraFindBar(), minute));
    samples_.push_back(SampleProcess(L"shell", FindWindowW(kShellClass, nullptr), minute));
    const SoakSample& bar = samples_[samples_.size() - 2];
    const SoakSample& shell = samples_.back();
    std::printf("minute %2d: bar %llu KB, GDI %ld, USER %ld, handles %ld; shell %llu KB, GDI %ld, USER %ld, handles "
                "%ld; %d rounds\n",
                minute, static_cast<unsigned long long>(bar.privateBytes / 1024), bar.gdi, bar.user, bar.handles,
                static_cast<unsigned long long>(shell.privateBytes / 1024), shell.gdi, shell.user, shell.handles,
                rounds_);
    std::fflush(stdout);
}

int SoakRun::Finish(const wchar_t* csvPath)
{
    for (const PROCESS_INFORMATION& program : programs_) {
        if (WaitForSingleObject(program.hProcess, 0) != WAIT_TIMEOUT)
            Problem(L"a device program ended during the run (process " + std::to_wstring(program.dwProcessId) +
                    L")");
    }
    for (const std::wstring& box : OpenBoxes())
        Problem(L"message box left open: " + box);
    for (const std::wstring& line : UnexpectedLogLines(LogLinesFrom(logStart_)))
        Problem(L"device log: " + line);
    const SoakVerdict growth = JudgeGrowth(samples_);
    for (const std::wstring& problem : growth.problems)
        Problem(problem);

    std::printf("\n%s", SoakTable(samples_).c_str());
    if (csvPath && *csvPath) {
        const std::string csv = SoakCsv(samples_);
        FILE* file = nullptr;
        if (_wfopen_s(&file, csvPath, L"wb") == 0 && file) {
            const bool whole = std::fwrite(csv.data(), 1, csv.size(), file) == csv.size();
            if (std::fclose(file) != 0 || !whole)
                Problem(std::wstring(L"could not write ") + csvPath);
        } else {
            Problem(std::wstring(L"could not write ") + csvPath);
        }
    }
    // The device programs stay: the device's shutdown closes them.
    for (const PROCESS_INFORMATION& program : programs_) {
        CloseHandle(program.hThread);
        CloseHandle(program.hProcess);
    }
    std::printf("\nketrasoak: %d rounds over %d minutes; %s\n", rounds_, samples_.empty() ? 0 : samples_.back().minute,
                problems_.empty() ? "passed" : "FAILED");
    for (const std::wstring& problem : problems_)
        std::printf("  %ls\n", problem.c_str());
    return problems_.empty() ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int minutes = argc > 1 ? _wtoi(argv[1]) : 10;
    if (minutes < 1 || minutes > 24 * 60) {
        std::fprintf(stderr, "usage: ketrasoak [MINUTES 1..1440] [CSV-PATH]\n");
        return 2;
    }
    SoakRun run(argc > 3 ? argv[3] : L"aomts");
    if (!run.Start())
        return 2;
    run.SettingsRoundTrip();
    run.Sample(0);
    const double start = NowMs();
    for (int minute = 1; minute <= minutes; ++minute) {
        while (NowMs() - start < minute * 60000.0)
            run.Cycle();
        run.Sample(minute);
        if (minute % kSettingsEveryMinutes == 0 && minute < minutes)
            run.SettingsRoundTrip();
    }
    return run.Finish(argc > 2 ? argv[2] : nullptr);
}
