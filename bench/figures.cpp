// Measuring the side bar from outside, as other programs and the user reach
// it: its window class, its menu commands and host messages, and the window
// manager's view of what it has painted.
#include "figures.h"

#include <algorithm>
#include <cwchar>
#include <utility>
#include <vector>

#include <applet_library.h>
#include <axreg.h>
#include <ketra_host.h>

#include "todaycmn.h"
#include "watch.h"

namespace {

const wchar_t kBlankClass[] = L"KETRA_BENCH_BLANK";
const wchar_t kBenchAppletClass[] = L"KETRA_BENCH_APPLET";
const wchar_t kParentClass[] = L"KETRA_BENCH_PARENT";
const DWORD kStartTimeoutMs = 20000;
const DWORD kSendTimeoutMs = 20000;
const DWORD kSettleMs = 300;  // lets a started program finish what follows its first paint
const DWORD kSettleAfterStartMs = 1000;  // before switches and their baseline are timed

// A sent message that gives up instead of hanging the benchmark.
bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &answer))
        return false;
    if (result)
        *result = static_cast<LRESULT>(answer);
    return true;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

double MedianOf(std::vector<double> values)
{
    return Median(std::move(values));
}

int AppletPosition(const CAxRegList& list, LPCWSTR name)
{
    for (int i = 0; i < list.GetCount(); ++i)
        if (wcscmp(list.GetDllInfo(i)->szName, name) == 0)
            return i;
    return -1;
}

int AppletPosition(LPCWSTR name)
{
    CAxRegList list;
    list.LoadList(AX_APPLETS_KEY);
    return AppletPosition(list, name);
}

bool TimingRatio(const Timing& timing, double* ratio)
{
    *ratio = 0;
    if (!timing.ok || timing.baselineMs <= 0)
        return false;
    *ratio = timing.measuredMs / timing.baselineMs;
    return true;
}

// Until nothing is left to paint: the window manager sends the paint
// messages to the bar and its applet and waits for each.
void PaintNow(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

bool SwitchTo(HWND bar, int position)
{
    if (!Send(bar, WM_COMMAND, IDM_KETRA_APPLET + position, 0))
        return false;
    PaintNow(bar);
    return true;
}

namespace {

SIZE_T MedianSize(std::vector<SIZE_T> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::wstring BlankCommand(const BenchPlaces& places, const RECT& rect)
{
    wchar_t geometry[64];
    swprintf(geometry, 64, L" %ld %ld %ld %ld", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return L"\"" + places.blankProgram + L"\"" + geometry;
}

bool IsOpen(HWND bar)
{
    LRESULT open = 0;
    return Send(bar, WM_KETRA_WINDOW, KETRA_WINDOW_IS_OPEN, 0, &open) && open == 1;
}

bool BenchAppletShown(HWND bar)
{
    HWND applet = FindWindowExW(bar, nullptr, kBenchAppletClass, nullptr);
    return applet && IsWindowVisible(applet);
}

void MeasureSwitching(HWND bar, const BenchPlaces& places, int runs, HostFigures* out)
{
    std::vector<double> times;
    bool shown = true;
    for (int i = 0; i < runs; ++i) {
        const int target = i % 2 ? places.appletAPosition : places.appletBPosition;
        const double start = NowMs();
        if (!SwitchTo(bar, target)) {
            out->switching.problem = "the bar did not answer a menu command";
            return;
        }
        times.push_back(NowMs() - start);
        shown = shown && BenchAppletShown(bar);
    }
    if (!shown) {
        out->switching.problem = "the benchmark applet was not shown after a switch";
        return;
    }
    out->switching.ok = true;
    out->switching.measuredMs = Median(times);
}

// Switches from a trivial applet to the unit converter: its library, skin,
// boxes and remembered conversions.
void MeasureConverterSwitch(HWND bar, const BenchPlaces& places, int runs, HostFigures* out)
{
    if (places.converterPosition < 0) {
        out->converterSwitch.problem = "the unit converter is not installed";
        return;
    }
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (!SwitchTo(bar, places.appletBPosition))
            break;
        const double start = NowMs();
        if (!SwitchTo(bar, places.converterPosition))
            break;
        times.push_back(NowMs() - start);
        HWND converter = FindWindowExW(bar, nullptr, L"Unitra", nullptr);
        if (!converter || !IsWindowVisible(converter)) {
            out->converterSwitch.problem = "the unit converter was not shown after a switch";
            return;
        }
    }
    if (times.size() != static_cast<size_t>(runs)) {
        out->converterSwitch.problem = "the bar did not answer a menu command";
        return;
    }
    out->converterSwitch.ok = true;
    out->converterSwitch.measuredMs = Median(times);
}

void MeasureRepaint(HWND bar, int runs, HostFigures* out)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = NowMs();
        RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        times.push_back(NowMs() - start);
    }
    out->repaint.ok = true;
    out->repaint.measuredMs = Median(times);
}

void MeasureSlide(HWND bar, int runs, HostFigures* out)
{
    if (!IsOpen(bar))
        Send(bar, WM_KETRA_OPEN, 0, 0);
    std::vector<double> times;
    bool open = IsOpen(bar);
    for (int i = 0; i < runs; ++i) {
        const double start = NowMs();
        if (!Send(bar, WM_KETRA_WINDOW, KETRA_WINDOW_TOGGLE, 0)) {
            out->slide.problem = "the bar did not answer the toggle message";
            return;
        }
        times.push_back(NowMs() - start);
        if (IsOpen(bar) == open) {
            out->slide.problem = "the toggle message did not open or close the bar";
            return;
        }
        open = !open;
    }
    if (!open)
        Send(bar, WM_KETRA_OPEN, 0, 0);
    out->slide.ok = true;
    out->slide.measuredMs = Median(times);
    out->slide.baselineMs = kNominalSlideMs;
}

void CountObjectsOverSwitches(const WatchedProgram& host, const BenchPlaces& places, int switches, HostFigures* out)
{
    // One round first, so that what the first load of each applet keeps for
    // good (class registrations, cached fonts) is in both counts.
    if (!SwitchTo(host.window, places.appletAPosition) || !SwitchTo(host.window, places.aboutPosition))
        return;
    out->objectsBefore = CountObjects(host.process.hProcess, host.process.dwProcessId);
    for (int i = 0; i < switches; ++i) {
        const int target = i % 2 ? places.aboutPosition : places.appletAPosition;
        if (!SwitchTo(host.window, target))
            return;
    }
    // An even number of switches ends on About again, where counting began.
    out->objectsAfter = CountObjects(host.process.hProcess, host.process.dwProcessId);
    out->switches = switches;
    out->objectsOk = out->objectsBefore.gdi >= 0 && out->objectsAfter.gdi >= 0;
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

// Loads the library, makes its 240 window in parent and shows it painted.
// The time covers exactly that; unloading follows untimed.
bool LoadAndShowOnce(const std::wstring& library, HWND parent, double* ms)
{
    const double start = NowMs();
    CAppletLibrary applet;
    HWND window = applet.Load(library.c_str()) ? applet.CreateItemWindow(parent) : nullptr;
    if (window) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    *ms = NowMs() - start;
    applet.Unload();
    return window != nullptr;
}

}  // namespace

bool SwitchApplet(HWND bar, int position)
{
    return SwitchTo(bar, position);
}

bool IsBarOpen(HWND bar)
{
    return IsOpen(bar);
}

StartFigures MeasureStart(const BenchPlaces& places, int runs)
{
    StartFigures out;
    std::vector<double> hostTimes, blankTimes;
    std::vector<SIZE_T> hostPrivate, hostWorking, blankPrivate, blankWorking;
    MemoryUse memory;
    // A first start, untimed: it fills the file cache and tells where the bar stands.
    WatchedProgram host;
    if (!StartAndWaitPainted(places.hostCommand, KETRA_CLASS, kStartTimeoutMs, &host)) {
        out.start.problem = "the side bar did not come up";
        return out;
    }
    GetWindowRect(host.window, &out.barRect);
    EndProgram(&host, WM_COMMAND, IDM_KETRA_EXIT);
    const std::wstring blankCommand = BlankCommand(places, out.barRect);

    for (int i = 0; i < runs; ++i) {
        // Taken in turn, so that a slow spell of the machine hits both.
        if (!StartAndWaitPainted(places.hostCommand, KETRA_CLASS, kStartTimeoutMs, &host)) {
            out.start.problem = "the side bar did not come up";
            return out;
        }
        hostTimes.push_back(host.paintedMs - host.startMs);
        Sleep(kSettleMs);
        if (ReadMemoryUse(host.process.hProcess, &memory)) {
            hostPrivate.push_back(memory.privateBytes);
            hostWorking.push_back(memory.workingSet);
        }
        EndProgram(&host, WM_COMMAND, IDM_KETRA_EXIT);

        WatchedProgram blank;
        if (!StartAndWaitPainted(blankCommand, kBlankClass, kStartTimeoutMs, &blank)) {
            out.start.problem = "the empty program did not come up";
            return out;
        }
        blankTimes.push_back(blank.paintedMs - blank.startMs);
        Sleep(kSettleMs);
        if (ReadMemoryUse(blank.process.hProcess, &memory)) {
            blankPrivate.push_back(memory.privateBytes);
            blankWorking.push_back(memory.workingSet);
        }
        EndProgram(&blank, WM_CLOSE, 0);
    }
    out.start.ok = true;
    out.start.measuredMs = Median(hostTimes);
    out.start.baselineMs = Median(blankTimes);
    out.memoryOk = !hostPrivate.empty() && !blankPrivate.empty();
    out.host.privateSource = out.blank.privateSource = memory.privateSource;
    out.host.privateBytes = MedianSize(hostPrivate);
    out.host.workingSet = MedianSize(hostWorking);
    out.blank.privateBytes = MedianSize(blankPrivate);
    out.blank.workingSet = MedianSize(blankWorking);
    return out;
}

HostFigures MeasureHost(const BenchPlaces& places, int runs, int objectSwitches)
{
    HostFigures out;
    WatchedProgram host;
    if (!StartAndWaitPainted(places.hostCommand, KETRA_CLASS, kStartTimeoutMs, &host)) {
        out.switching.problem = out.repaint.problem = out.slide.problem = "the side bar did not come up";
        return out;
    }
    // Switches timed in the bar's first half second ran about four times
    // slower, every call to the Wine server with them, although neither the
    // bar nor another program of the device used the processor then. The
    // baseline gets the same pause; a user's first switch comes later too.
    Sleep(kSettleAfterStartMs);
    // The bar stays open throughout: a switch then shows the applet without
    // any slide animation.
    if (!IsOpen(host.window))
        Send(host.window, WM_KETRA_OPEN, 0, 0);
    // Both libraries once, untimed, ending on A: the first timed switch goes to B.
    SwitchTo(host.window, places.appletBPosition);
    SwitchTo(host.window, places.appletAPosition);
    MeasureSwitching(host.window, places, runs, &out);
    MeasureConverterSwitch(host.window, places, runs, &out);

    if (SwitchTo(host.window, places.aboutPosition))
        MeasureRepaint(host.window, runs, &out);
    else
        out.repaint.problem = "the bar did not show About";

    MeasureSlide(host.window, runs % 2 ? runs + 1 : runs, &out);
    CountObjectsOverSwitches(host, places, objectSwitches, &out);
    EndProgram(&host, WM_COMMAND, IDM_KETRA_EXIT);
    return out;
}

bool MeasureAppletBaseline(const BenchPlaces& places, const RECT& area, int runs, double* medianMs)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kParentClass;
    RegisterClassW(&wc);
    HWND parent = CreateWindowExW(WS_EX_TOPMOST, kParentClass, L"", WS_POPUP | WS_VISIBLE, area.left, area.top,
                                  area.right - area.left, area.bottom - area.top, nullptr, nullptr, wc.hInstance,
                                  nullptr);
    if (!parent)
        return false;
    UpdateWindow(parent);
    // Taken right after the bar ended, the loads ran as slowly as the bar's
    // first switches: the same pause for both sides of the ratio.
    Sleep(kSettleAfterStartMs);
    double ms = 0;
    bool ok = LoadAndShowOnce(places.trivialApplet, parent, &ms);  // untimed first load
    std::vector<double> times;
    for (int i = 0; ok && i < runs; ++i) {
        ok = LoadAndShowOnce(places.trivialApplet, parent, &ms);
        times.push_back(ms);
    }
    DestroyWindow(parent);
    *medianMs = Median(times);
    return ok;
}

bool MeasureRepaintBaseline(const BenchPlaces& places, const RECT& area, int runs, double* medianMs)
{
    WatchedProgram blank;
    if (!StartAndWaitPainted(BlankCommand(places, area), kBlankClass, kStartTimeoutMs, &blank))
        return false;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = NowMs();
        RedrawWindow(blank.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        times.push_back(NowMs() - start);
    }
    EndProgram(&blank, WM_CLOSE, 0);
    *medianMs = Median(times);
    return true;
}
