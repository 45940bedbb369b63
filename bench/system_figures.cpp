// The system pack measured on the device: the bar started as for the other
// figures, its applets switched by menu command, the launcher's files
// written for the run, and the task manager's list code called here.
#include "system_figures.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <axreg.h>
#include <ketra_host.h>

#include "launch_list.h"
#include "task_list.h"
#include "watch.h"

namespace {

const wchar_t kInstalled[] = L"\\Program Files\\ZARQ\\Ketra\\";
const wchar_t kLauncherKey[] = L"SOFTWARE\\ZARQ\\APPLETS\\Launcher";
const DWORD kStartTimeoutMs = 20000;
const DWORD kSendTimeoutMs = 20000;
const int kLauncherEntries = 100;
const int kLauncherRows = 5;
const int kTaskWindows = 12;
const int kRefreshesPerRun = 20;
const DWORD kIdleMs = 30000;

// Milliseconds from the menu command to the applet painted, median of runs,
// switching away to `other` (untimed) between them.
bool TimeSwitches(HWND bar, int position, int other, int runs, double* medianMs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (!SwitchTo(bar, other))
            return false;
        const double start = NowMs();
        if (!SwitchTo(bar, position))
            return false;
        times.push_back(NowMs() - start);
    }
    *medianMs = MedianOf(times);
    return true;
}

// The launcher's list of 100 device programs and shortcuts, and its cache.
bool WriteLauncherFiles(bool decodableCache)
{
    const wchar_t* programs[] = {L"\\Windows\\calendar.exe", L"\\Windows\\tasks.exe",
                                 L"\\Windows\\Start Menu\\Contacts.lnk", L"\\Windows\\fexplore.exe",
                                 L"\\Windows\\Start Menu\\Programs\\Calculator.lnk", L"\\Windows\\solitare.exe"};
    CLaunchList list;
    for (int i = 0; i < kLauncherEntries; ++i)
        list.Add(programs[i % 6]);
    const std::wstring file = std::wstring(kInstalled) + L"launch.txt";
    const std::wstring cache = std::wstring(kInstalled) + L"icons.bmp";
    if (!list.SaveAs(file.c_str()))
        return false;
    if (decodableCache)
        return list.WriteIconCache(cache.c_str()) != FALSE;
    // There, so the options program is not started, but no picture.
    return WriteWholeFile(cache.c_str(), std::vector<BYTE>(4096, 0x5A)) != FALSE;
}

// A whole file of the host system's process table (its sizes read as 0).
std::string ReadProcFile(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[4096];
    DWORD read = 0;
    while (bytes.size() < (1u << 20) && ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

// Processor time of a process's threads in milliseconds, from the
// nanoseconds each thread's "schedstat" counts first; -1 when unreadable.
double ThreadsProcessorMs(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"task\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return -1;
    double ms = -1;
    do {
        const std::wstring thread = found.cFileName;
        if (thread.empty() || thread.find_first_not_of(L"0123456789") != std::wstring::npos)
            continue;
        unsigned long long nanoseconds = 0;
        if (sscanf(ReadProcFile(folder + L"task\\" + thread + L"\\schedstat").c_str(), "%llu", &nanoseconds) != 1)
            continue;  // a thread that ended meanwhile
        ms = (ms < 0 ? 0 : ms) + static_cast<double>(nanoseconds) / 1e6;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return ms;
}

}  // namespace

// A program's processor time in milliseconds, from the host system's
// process table: Wine answers GetProcessTimes for another process with
// zeros.  The program is the process of this device (its Wine prefix) whose
// command line names it ("\\Ketra.exe").  Its threads' scheduler counts are
// in nanoseconds; the user and system times of "stat" (fields 14 and 15),
// in ticks of 10 ms, stand in where those cannot be read (an idle program
// may use less than a tick in a whole period).  -1 when nothing can be read.
double ProcessorMsOf(const char* program)
{
    char prefix[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH))
        return -1;
    const std::string ownPrefix = std::string("WINEPREFIX=") + prefix + '\0';
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return -1;
    double ms = -1;
    do {
        const std::wstring pid = found.cFileName;
        if (pid.empty() || pid.find_first_not_of(L"0123456789") != std::wstring::npos)
            continue;
        const std::wstring folder = L"Z:\\proc\\" + pid + L"\\";
        const std::string command = ReadProcFile(folder + L"cmdline");
        if (command.find(program) == std::string::npos || command.find(program) > MAX_PATH)
            continue;
        if (ReadProcFile(folder + L"environ").find(ownPrefix) == std::string::npos)
            continue;
        ms = ThreadsProcessorMs(folder);
        if (ms >= 0)
            break;
        const std::string stat = ReadProcFile(folder + L"stat");
        const size_t name = stat.rfind(')');  // the program name may hold blanks
        if (name == std::string::npos)
            continue;
        unsigned long long user = 0, system = 0;
        if (sscanf(stat.c_str() + name + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user,
                   &system) == 2)
            ms = static_cast<double>(user + system) * 10.0;
        break;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return ms;
}

namespace {

// The bar's processor time over the idle period with the applet shown.
bool IdleProcessorMs(const WatchedProgram& host, int position, double* ms)
{
    if (!SwitchTo(host.window, position))
        return false;
    Sleep(1000);  // the switch's own work done
    const double before = ProcessorMsOf("\\Ketra.exe");
    Sleep(kIdleMs);
    const double after = ProcessorMsOf("\\Ketra.exe");
    if (before < 0 || after < 0)
        return false;
    *ms = after - before;
    return true;
}

// The launcher shown, not About standing in after a failed load.
bool LauncherShown(HWND bar)
{
    HWND applet = FindWindowExW(bar, nullptr, L"UTILRA1", nullptr);
    return applet && IsWindowVisible(applet);
}

// The switch to the launcher with its cache, without one, and to About,
// run after run in turn, so that a busy moment of the device weighs on all
// three alike.
void MeasureLauncher(const WatchedProgram& host, int runs, SystemFigures* out)
{
    const int launcher = AppletPosition(L"Launcher");
    const int about = AppletPosition(L"About");
    std::vector<double> cached, uncached, aboutMs;
    for (int i = 0; i < runs; ++i) {
        double ms = 0;
        if (!WriteLauncherFiles(true) || !TimeSwitches(host.window, launcher, about, 1, &ms) ||
            !LauncherShown(host.window)) {
            out->launcher.problem = out->cache.problem = "the launcher could not be shown";
            return;
        }
        cached.push_back(ms);
        if (!WriteLauncherFiles(false) || !TimeSwitches(host.window, launcher, about, 1, &ms) ||
            !LauncherShown(host.window)) {
            out->cache.problem = "the launcher without its cache could not be shown";
            return;
        }
        uncached.push_back(ms);
        if (!TimeSwitches(host.window, about, launcher, 1, &ms)) {
            out->launcher.problem = "About could not be shown";
            return;
        }
        aboutMs.push_back(ms);
    }
    out->launcher = {true, MedianOf(cached), MedianOf(aboutMs), ""};
    out->cache = {true, MedianOf(cached), MedianOf(uncached), ""};
    // Left as a user's launcher is, with a cache it can draw from: the applet
    // table that follows must not time the cache that does not decode.
    WriteLauncherFiles(true);
}

void MeasureTaskRefresh(int runs, SystemFigures* out)
{
    std::vector<HWND> windows;
    for (int i = 0; i < kTaskWindows; ++i) {
        const std::wstring title = L"Benchmark program " + std::to_wstring(i + 1);
        windows.push_back(CreateWindowExW(0, L"STATIC", title.c_str(), WS_POPUP | WS_VISIBLE, 0, 300, 20, 20,
                                          nullptr, nullptr, nullptr, nullptr));
    }
    CTaskList list;
    std::vector<double> refresh, walk;
    for (int run = 0; run < runs; ++run) {
        double start = NowMs();
        for (int i = 0; i < kRefreshesPerRun; ++i)
            list.Refresh(nullptr, TRUE);
        refresh.push_back((NowMs() - start) / kRefreshesPerRun);

        start = NowMs();
        for (int i = 0; i < kRefreshesPerRun; ++i) {
            for (HWND wnd = GetTopWindow(nullptr); wnd; wnd = GetWindow(wnd, GW_HWNDNEXT)) {
                wchar_t title[128], className[128];
                GetWindowTextW(wnd, title, 128);
                GetClassNameW(wnd, className, 128);
            }
        }
        walk.push_back((NowMs() - start) / kRefreshesPerRun);
    }
    const bool listed = list.GetCount() >= kTaskWindows;
    for (HWND wnd : windows)
        DestroyWindow(wnd);
    if (!listed) {
        out->taskRefresh.problem = "the list did not hold the twelve programs";
        return;
    }
    out->taskRefresh = {true, MedianOf(refresh), MedianOf(walk), ""};
}

void MeasureIdleProcessor(const WatchedProgram& host, SystemFigures* out)
{
    double about = 0, taskBar = 0, systemBar = 0;
    if (!IdleProcessorMs(host, AppletPosition(L"About"), &about)) {
        out->taskBarCpu.problem = out->systemBarCpu.problem = "About could not be shown";
        return;
    }
    if (IdleProcessorMs(host, AppletPosition(L"TaskBar"), &taskBar))
        out->taskBarCpu = {true, taskBar, about, ""};
    else
        out->taskBarCpu.problem = "the task manager could not be shown";
    if (IdleProcessorMs(host, AppletPosition(L"System Bar"), &systemBar))
        out->systemBarCpu = {true, systemBar, about, ""};
    else
        out->systemBarCpu.problem = "the system watch could not be shown";
}

}  // namespace

SystemFigures MeasureSystemPack(const BenchPlaces& places, int runs)
{
    SystemFigures out;
    out.launcherEntries = kLauncherEntries;
    out.launcherRows = kLauncherRows;
    out.idleSeconds = static_cast<int>(kIdleMs / 1000);
    DWORD rows = kLauncherRows;
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kLauncherKey, L"Lines", REG_DWORD, &rows, sizeof(rows));

    MeasureTaskRefresh(runs, &out);
    WatchedProgram host;
    if (!StartAndWaitPainted(places.hostCommand, KETRA_CLASS, kStartTimeoutMs, &host)) {
        out.launcher.problem = out.cache.problem = out.taskBarCpu.problem = out.systemBarCpu.problem =
            "the side bar did not come up";
        return out;
    }
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(host.window, WM_KETRA_OPEN, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &answer);
    MeasureLauncher(host, runs, &out);
    MeasureIdleProcessor(host, &out);
    EndProgram(&host, WM_COMMAND, IDM_KETRA_EXIT);
    return out;
}
