// The system tools measured from outside, each against a baseline of the
// same run: corner taps as stylus input through the task bar, programs
// started and watched until painted.
#include "system_tools_figures.h"

#include <vector>

#include "watch.h"

namespace {

const wchar_t kFolder[] = L"\\Program Files\\ZARQ\\Ketra\\";
const wchar_t kBlankClass[] = L"KETRA_BENCH_BLANK";
const wchar_t kTaskBarClass[] = L"HHTaskBar";
const wchar_t kCalendar[] = L"\\Windows\\calendar.exe";
const wchar_t kCloseKey[] = L"SOFTWARE\\ZARQ\\Ketra\\Apps\\Crestel";
const DWORD kStartTimeoutMs = 20000;
const DWORD kTapTimeoutMs = 5000;

std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

std::wstring BlankCommand(const BenchPlaces& places, const RECT& rect)
{
    wchar_t geometry[64];
    swprintf(geometry, 64, L" %ld %ld %ld %ld", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return Quoted(places.blankProgram) + geometry;
}

// Start to first paint of the program, then of the empty program where the
// program's window stood.
bool MeasureStart(const BenchPlaces& places, const std::wstring& program, LPCWSTR windowClass, int runs,
                  Timing* out)
{
    std::vector<double> starts, blanks;
    RECT rect = {};
    for (int i = 0; i < runs; ++i) {
        WatchedProgram watched;
        if (!StartAndWaitPainted(Quoted(kFolder + program), windowClass, kStartTimeoutMs, &watched)) {
            out->problem = "the program did not come up";
            return false;
        }
        starts.push_back(watched.paintedMs - watched.startMs);
        GetWindowRect(watched.window, &rect);
        EndProgram(&watched, WM_CLOSE, 0);
    }
    for (int i = 0; i < runs; ++i) {
        WatchedProgram blank;
        if (!StartAndWaitPainted(BlankCommand(places, rect), kBlankClass, kStartTimeoutMs, &blank)) {
            out->problem = "the empty program did not come up";
            return false;
        }
        blanks.push_back(blank.paintedMs - blank.startMs);
        EndProgram(&blank, WM_CLOSE, 0);
    }
    *out = {true, MedianOf(starts), MedianOf(blanks), ""};
    return true;
}

void PenAt(int x, int y, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
    SendInput(1, &input, sizeof(input));
}

// A tap on the task bar's corner with the calendar in front, from the press
// until the calendar has gone from the front; negative when it stayed.
double TimedCornerTap(HWND calendar)
{
    SetForegroundWindow(calendar);
    for (int i = 0; i < 100 && GetForegroundWindow() != calendar; ++i)
        Sleep(10);
    if (GetForegroundWindow() != calendar)
        return -1;
    const double start = NowMs();
    PenAt(230, 12, MOUSEEVENTF_LEFTDOWN);
    PenAt(230, 12, MOUSEEVENTF_LEFTUP);
    while (GetForegroundWindow() == calendar) {
        if (NowMs() - start > kTapTimeoutMs)
            return -1;
        Sleep(1);
    }
    return NowMs() - start;
}

bool MedianTaps(HWND calendar, int runs, double* median)
{
    std::vector<double> taps;
    for (int i = 0; i < runs; ++i) {
        const double ms = TimedCornerTap(calendar);
        if (ms < 0)
            return false;
        taps.push_back(ms);
    }
    *median = MedianOf(taps);
    return true;
}

HWND WaitTopLevel(LPCWSTR windowClass, DWORD ms)
{
    for (DWORD waited = 0; waited < ms; waited += 50) {
        if (HWND window = FindWindowW(windowClass, nullptr))
            return window;
        Sleep(50);
    }
    return nullptr;
}

HWND IconInTaskBar()
{
    HWND bar = FindWindowW(kTaskBarClass, nullptr);
    return bar ? FindWindowExW(bar, nullptr, L"CRESTEL", nullptr) : nullptr;
}

// The same taps with the tool's hook in the chain (closing off, so the task
// bar minimises) and without it.
void MeasureCornerTap(int runs, Timing* out)
{
    HKEY key = nullptr;
    DWORD off = 0;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kCloseKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        RegSetValueExW(key, L"Close", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off), sizeof(off));
        RegCloseKey(key);
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION calendarProcess = {};
    std::wstring calendarCommand = Quoted(kCalendar);
    if (!CreateProcessW(nullptr, &calendarCommand[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &calendarProcess)) {
        out->problem = "the calendar did not start";
        return;
    }
    HWND calendar = WaitTopLevel(L"Calendar", kStartTimeoutMs);
    double without = 0, with = 0;
    if (!calendar || !MedianTaps(calendar, runs, &without)) {
        out->problem = "a corner tap did not minimise the calendar";
    } else {
        std::wstring toolCommand = Quoted(std::wstring(kFolder) + L"Crestel.exe");
        PROCESS_INFORMATION toolProcess = {};
        if (!CreateProcessW(nullptr, &toolCommand[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &toolProcess)) {
            out->problem = "the tool did not start";
        } else {
            HWND icon = nullptr;
            for (int i = 0; i < 200 && !(icon = IconInTaskBar()); ++i)
                Sleep(50);
            Sleep(300);  // its hook follows the icon
            if (!icon || !MedianTaps(calendar, runs, &with))
                out->problem = "a corner tap with the tool's hook did not minimise the calendar";
            else
                *out = {true, with, without, ""};
            if (icon)
                PostMessageW(icon, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(toolProcess.hProcess, 10000) != WAIT_OBJECT_0)
                TerminateProcess(toolProcess.hProcess, 1);
            CloseHandle(toolProcess.hProcess);
            CloseHandle(toolProcess.hThread);
        }
    }
    if (calendar)
        PostMessageW(calendar, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(calendarProcess.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(calendarProcess.hProcess, 1);
    CloseHandle(calendarProcess.hProcess);
    CloseHandle(calendarProcess.hThread);
}

}  // namespace

SystemToolFigures MeasureSystemTools(const BenchPlaces& places, int runs)
{
    SystemToolFigures figures;
    MeasureCornerTap(runs, &figures.cornerTap);
    MeasureStart(places, L"Summary.exe", L"CORWND", runs, &figures.summaryStart);
    MeasureStart(places, L"Restart.exe", L"MRESTART_CLASS", runs, &figures.panelStart);
    return figures;
}
