// ketrabench: the side bar's benchmarks, run inside a throw-away device by
// `./ketra bench`. It prepares the device (the benchmark applets installed
// and registered, the bar set to start open and silent), measures each
// figure against a baseline taken in the same run, and prints one line per
// figure with its ratio and goal. Goals are reported, never enforced; the
// exit code says only whether everything could be measured.
#include <windows.h>

#include <strsafe.h>

#include <cstdio>
#include <string>

#include <axreg.h>
#include <ketra_host.h>

#include "applet_table.h"
#include "clock_figures.h"
#include "contact_figures.h"
#include "evaluator_figures.h"
#include "figures.h"
#include "html_figures.h"
#include "loan_figures.h"
#include "system_tools_figures.h"
#include "theme_figures.h"
#include "time_figures.h"
#include "system_figures.h"
#include "theme_tool_figures.h"
#include "viewer_figures.h"

namespace {

const wchar_t kInstallFolder[] = L"\\Program Files\\ZARQ\\Ketra\\";
const wchar_t kOptionsKey[] = L"SOFTWARE\\ZARQ\\KETRA\\OPTIONS";
const int kRuns = 15;           // repetitions of the quick figures
const int kStartRuns = 7;       // program starts, each of the bar and the baseline
const int kObjectSwitches = 1000;
const int kExpressions = 1000;  // the expression calculator's fixed set
const int kAppletRuns = 3;      // switches and starts of each applet in the table

std::wstring OwnFolder()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (!length || length >= MAX_PATH)
        return std::wstring();
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

bool SetNumber(LPCWSTR name, DWORD value)
{
    return RegSetKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, name, REG_DWORD, &value, sizeof(value)) == ERROR_SUCCESS;
}

bool SetText(LPCWSTR name, LPCWSTR value)
{
    const DWORD bytes = static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t));
    return RegSetKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, name, REG_SZ, value, bytes) == ERROR_SUCCESS;
}

// Copies the applet library into the installation folder and registers it
// at the end of the applet list.
bool InstallApplet(const std::wstring& from, LPCWSTR name, DWORD order)
{
    const std::wstring library = std::wstring(kInstallFolder) + name + L".dll";
    if (!CopyFileW((from + name + L".dll").c_str(), library.c_str(), FALSE))
        return false;
    CAxDllInfo info = {};
    if (!CAxReg::InitInfo(&info, AX_APPLETS_KEY, name))
        return false;
    if (FAILED(StringCchCopyW(info.szDLL, CAxDllInfo::kDllChars, library.c_str())) ||
        FAILED(StringCchCopyW(info.szGroup, CAxDllInfo::kGroupChars, L"Default")))
        return false;
    info.dwEnabled = 1;
    info.dwOrder = order;
    info.dwType = AX_TYPE_APPLET;
    return CAxReg::AddAppletInfo(&info) != FALSE;
}

bool Prepare(BenchPlaces* places)
{
    const std::wstring folder = OwnFolder();
    if (folder.empty())
        return false;
    places->hostCommand = L"\"" + std::wstring(kInstallFolder) + L"Ketra.exe\"";
    places->blankProgram = folder + L"blankwin.exe";
    places->trivialApplet = std::wstring(kInstallFolder) + L"BenchB.dll";
    if (!InstallApplet(folder, L"BenchA", 900) || !InstallApplet(folder, L"BenchB", 901)) {
        std::fprintf(stderr, "ketrabench: cannot install the benchmark applets\n");
        return false;
    }
    // Open at start, showing About, no sounds: the figures time the bar's
    // own work.
    if (!SetNumber(L"WinMode", 0) || !SetText(L"CurrentApplet", L"About") || !SetNumber(L"SoundOn", 0) ||
        !SetNumber(L"AutoClose", 0)) {
        std::fprintf(stderr, "ketrabench: cannot write the side bar's options\n");
        return false;
    }
    CAxRegList list;
    list.LoadList(AX_APPLETS_KEY);
    places->aboutPosition = AppletPosition(list, L"About");
    places->appletAPosition = AppletPosition(list, L"BenchA");
    places->appletBPosition = AppletPosition(list, L"BenchB");
    places->converterPosition = AppletPosition(list, L"Unit Converter");
    places->keyboardPosition = AppletPosition(list, L"Keyboard");
    places->loanPosition = AppletPosition(list, L"Loan Calc");
    if (places->aboutPosition < 0 || places->appletAPosition < 0 || places->appletBPosition < 0) {
        std::fprintf(stderr, "ketrabench: About or the benchmark applets are not in the applet list\n");
        return false;
    }
    return true;
}

const char* Verdict(bool met)
{
    return met ? "met" : "missed";
}

double Ratio(double measured, double baseline)
{
    return baseline > 0 ? measured / baseline : 0;
}

double Megabytes(SIZE_T bytes)
{
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

void PrintTiming(const char* what, const Timing& timing, const char* baseline, double goal)
{
    if (!timing.ok) {
        std::printf("%s: not measured (%s)\n", what, timing.problem.c_str());
        return;
    }
    double ratio = 0;
    if (!TimingRatio(timing, &ratio)) {
        std::printf("%s: %.2f ms; %s: %.2f ms; no ratio (the baseline measured nothing)\n", what, timing.measuredMs,
                    baseline, timing.baselineMs);
        return;
    }
    if (goal <= 0) {
        std::printf("%s: %.2f ms; %s: %.2f ms; %.2fx (no goal)\n", what, timing.measuredMs, baseline,
                    timing.baselineMs, ratio);
        return;
    }
    std::printf("%s: %.2f ms; %s: %.2f ms; %.2fx (goal <= %gx: %s)\n", what, timing.measuredMs, baseline,
                timing.baselineMs, ratio, goal, Verdict(ratio <= goal));
}

void PrintEvaluator(const EvaluatorFigures& figures)
{
    if (!figures.ok) {
        std::printf("9 expression evaluations: not measured\n");
        return;
    }
    const double ratio = Ratio(figures.baselinePerSecond, figures.perSecond);
    std::printf("9 expression evaluations over %d expressions: %.0f per second; plain recursive descent: %.0f per "
                "second; %.2fx (goal <= 3x: %s); %d valued differently\n",
                figures.expressions, figures.perSecond, figures.baselinePerSecond, ratio, Verdict(ratio <= 3.0),
                figures.disagreements);
}

void PrintSlide(const Timing& slide)
{
    if (!slide.ok) {
        std::printf("4 slide animation: not measured (%s)\n", slide.problem.c_str());
        return;
    }
    const double ratio = Ratio(slide.measuredMs, slide.baselineMs);
    std::printf("4 slide animation (open or close): %.1f ms; nominal %.0f ms; %.2fx (goal within 10%%: %s)\n",
                slide.measuredMs, slide.baselineMs, ratio, Verdict(ratio >= 0.9 && ratio <= 1.1));
}

void PrintMemory(const StartFigures& start, const HostFigures& host)
{
    std::printf("5 memory with About: ");
    if (start.memoryOk) {
        const double privateRatio = Ratio(static_cast<double>(start.host.privateBytes),
                                          static_cast<double>(start.blank.privateBytes));
        const double workingRatio = Ratio(static_cast<double>(start.host.workingSet),
                                          static_cast<double>(start.blank.workingSet));
        // The goal is on private memory; the working set also counts the
        // code of shared libraries, which every program maps alike.
        std::printf("private (%s) %.2f MB vs empty program %.2f MB, %.2fx (goal <= 1.3x: %s); working set "
                    "%.2f MB vs %.2f MB, %.2fx; ",
                    start.host.privateSource, Megabytes(start.host.privateBytes),
                    Megabytes(start.blank.privateBytes), privateRatio, Verdict(privateRatio <= 1.3),
                    Megabytes(start.host.workingSet), Megabytes(start.blank.workingSet), workingRatio);
    } else {
        std::printf("not measured; ");
    }
    if (host.objectsOk) {
        const bool flat = host.objectsBefore.gdi == host.objectsAfter.gdi &&
                          host.objectsBefore.user == host.objectsAfter.user;
        std::printf("over %d applet switches GDI objects %ld -> %ld (%s), USER objects %ld -> %ld (%s) "
                    "(goal flat: %s)\n",
                    host.switches, host.objectsBefore.gdi, host.objectsAfter.gdi, host.objectsBefore.gdiSource,
                    host.objectsBefore.user, host.objectsAfter.user, host.objectsBefore.userSource,
                    Verdict(flat));
    } else {
        std::printf("object counts over applet switches not measured\n");
    }
}

// A bar left running by someone else would answer in place of ours.
void EndRunningBar()
{
    for (int i = 0; i < 50; ++i) {
        HWND bar = KetraFindBar();
        if (!bar)
            return;
        PostMessageW(bar, WM_COMMAND, 1, 0);
        Sleep(100);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    // "--bar" stops after the side bar's own five figures: a quick check
    // while working on the bar.
    const bool barOnly = argc > 1 && wcscmp(argv[1], L"--bar") == 0;
    BenchPlaces places;
    if (!Prepare(&places))
        return 2;
    EndRunningBar();
    std::printf("Ketra benchmarks: medians of %d runs (%d program starts); ratios against baselines measured now\n",
                kRuns, kStartRuns);
    std::fflush(stdout);

    StartFigures start = MeasureStart(places, kStartRuns);
    HostFigures host = MeasureHost(places, kRuns, kObjectSwitches);
    if (start.start.ok && host.switching.ok &&
        !MeasureAppletBaseline(places, start.barRect, kRuns, &host.switching.baselineMs)) {
        host.switching.ok = false;
        host.switching.problem = "the trivial applet could not be loaded by hand";
    }
    if (start.start.ok && host.repaint.ok &&
        !MeasureRepaintBaseline(places, start.barRect, kRuns, &host.repaint.baselineMs)) {
        host.repaint.ok = false;
        host.repaint.problem = "the empty program did not come up";
    }
    // The converter's switch is compared with the trivial applet's in the bar.
    host.converterSwitch.baselineMs = host.switching.measuredMs;
    if (host.converterSwitch.ok && !host.switching.ok) {
        host.converterSwitch.ok = false;
        host.converterSwitch.problem = "the trivial applet's switch was not measured";
    }
    if (!start.start.ok) {
        host.switching.ok = host.repaint.ok = false;
        host.switching.problem = host.repaint.problem = "no baseline without the bar's place";
    }

    PrintTiming("1 start to first painted bar", start.start, "empty program to first paint", 1.5);
    PrintTiming("2 applet switch (menu command to applet painted, bar open, no animation)", host.switching,
                "LoadLibrary + 240 window shown", 2.0);
    PrintTiming("3 full bar repaint", host.repaint, "one BitBlt of the same area", 3.0);
    PrintSlide(host.slide);
    PrintMemory(start, host);
    if (barOnly)
        return start.start.ok && host.switching.ok ? 0 : 1;

    HtmlFigures html = MeasureHtmlView(kRuns);
    PrintTiming("6 HTML view: 360-row report, navigate to painted", html.navigate,
                "the cell texts drawn with DrawText into the view", 3.0);
    PrintTiming("7 HTML view: one screen scrolled and painted", html.scroll, "one BitBlt of the view", 2.0);

    PrintTiming("8 switch to the unit converter (menu command to applet painted, bar open)", host.converterSwitch,
                "trivial applet's switch", 3.0);
    PrintEvaluator(MeasureEvaluator(kExpressions, kRuns));

    ClockFigures clock = MeasureWorldClock(places, kRuns, kStartRuns);
    PrintTiming("10 world clock: nearest seven cities, 2000 points", clock.nearest,
                "a bare distance loop over the same cities", 2.0);
    PrintTiming("11 world clock: every city by name and country, any case", clock.lookup,
                "a bare loop comparing the same texts", 3.0);
    PrintTiming("12 world clock: a stylus move over the map (search, mark, header)", clock.stylus,
                "one BitBlt of header and map", 3.0);
    PrintTiming("13 world clock: full repaint", clock.repaint, "one BitBlt of the client", 3.0);
    PrintTiming("14 world clock: start to first paint", clock.start, "empty program to first paint", 2.0);

    // The theme pack: the rotator's step and what the user sees of it.
    ThemeFigures themes = MeasureThemes(kRuns);
    PrintTiming("15 theme applied by path", themes.apply, "its two pictures copied and eleven colours written", 3.0);
    PrintTiming("16 theme message to the Today screen until it is repainted", themes.repaint,
                "its picture decoded and one BitBlt", 2.0);

    const TimeAppletFigures time = MeasureTimeApplets(places, kRuns);
    for (int k = 0; k < TimeAppletFigures::kApplets; ++k) {
        char what[96];
        std::snprintf(what, sizeof(what), "17 switch to %ls (from the trivial applet, bar open)", time.names[k]);
        PrintTiming(what, time.switches[k], "the same switch to About", 1.5);
    }
    PrintTiming("18 clock's one-second redraw (timer message to painted)", time.clockTick,
                "one BitBlt of its area", 3.0);
    PrintTiming("19 biorhythm chart drawn anew and painted", time.chartRedraw, "one BitBlt of its area", 5.0);
    InputFigures input;
    if (places.keyboardPosition >= 0) {
        input = MeasureInput(places, kRuns);
    } else {
        input.keyboardSwitch.problem = input.typing.problem = "the keyboard applet is not in the applet list";
    }
    PrintTiming("20 switch to the keyboard applet", input.keyboardSwitch, "switch to About", 3.0);
    PrintTiming("21 tap to character, keyboard on the bar", input.typing, "the same on the input panel", 1.5);


    SystemFigures system = MeasureSystemPack(places, kRuns);
    char what[160];
    StringCchPrintfA(what, sizeof(what), "22 launcher, %d entries (%d rows shown) with its icon cache, menu command to "
                     "painted", system.launcherEntries, system.launcherRows);
    PrintTiming(what, system.launcher, "About the same way", 2.0);
    PrintTiming("23 launcher with its cache", system.cache, "an icon cache that does not decode (shell icons)", 0.5);
    PrintTiming("24 task list refresh, twelve programs", system.taskRefresh,
                "a bare window walk reading titles and classes", 3.0);
    StringCchPrintfA(what, sizeof(what), "25 bar's processor time over %d s, task manager shown", system.idleSeconds);
    PrintTiming(what, system.taskBarCpu, "About shown", 1.2);
    StringCchPrintfA(what, sizeof(what), "26 bar's processor time over %d s, system watch shown", system.idleSeconds);
    PrintTiming(what, system.systemBarCpu, "About shown", 1.2);

    // The theme tools: the browser's thumbnails and the designer's start.
    ThemeToolFigures tools = MeasureThemeTools(places, OwnFolder() + L"fixtures\\themes\\folders\\twenty", kStartRuns);
    PrintTiming("27 theme browser: twenty thumbnails, reload to last preview painted", tools.thumbnails,
                "the twenty Today pictures decoded and shrunk to 36x48", 3.0);
    PrintTiming("28 theme designer: start to first painted mock-up", tools.designer, "empty program to first paint",
                2.0);

    // The viewers: the skin browser, the animated-theme viewer, the Today
    // screen playing a movie.
    const ViewerFigures viewers = MeasureViewers(places, kStartRuns);
    PrintTiming("29 skin browser: switch to first paint (from the trivial applet, bar open)", viewers.skinSwitch,
                "the same switch to About", 1.5);
    StringCchPrintfA(what, sizeof(what), "30 skin browser: switch to its %d previews made", viewers.previews);
    PrintTiming(what, viewers.skinPreviews, "the same pictures decoded and stretched to 36x40", 1.5);
    PrintTiming("31 animated-theme viewer: a theme chosen to its movie's first frame painted", viewers.themeToFrame,
                "a view made and navigated straight to its page, to the same", 0);
    StringCchPrintfA(what, sizeof(what), "32 Today screen's processor time over %d s while it plays a movie",
                     viewers.cpuSeconds);
    PrintTiming(what, viewers.todayCpu, "wall time", 0.1);

    // The system pack's tools.
    SystemToolFigures systemTools = MeasureSystemTools(places, kStartRuns);
    PrintTiming("33 corner tap to the front program minimised, with the icon tool's hook (closing off)",
                systemTools.cornerTap, "the same tap without the hook", 1.5);
    PrintTiming("34 system summary: start to first paint", systemTools.summaryStart, "empty program to first paint",
                1.5);
    PrintTiming("35 power panel: start to first paint", systemTools.panelStart, "empty program to first paint", 1.5);

    // The contacts applet: 1,000 contacts loaded on its own thread.
    const ContactFigures contacts = MeasureContacts(places, kStartRuns);
    PrintTiming("36 contacts, 1,000: menu command to the first row painted", contacts.firstRow,
                "a bare program filling the same list, start to painted", 0.25);
    PrintTiming("37 contacts, 1,000: menu command to every row painted", contacts.allRows, "the same bare program", 2.0);
    PrintTiming("38 contacts, 1,000: the bar thread's longest stall during the load", contacts.stall,
                "the same bare program", 0.1);

    LoanFigures loan = MeasureLoan(places, kRuns);
    PrintTiming("39 switch to the loan calculator", loan.loanSwitch, "trivial applet's switch", 3.0);
    PrintTiming("40 loan calculator: \"Principal and Interest\" for 30 years, tap to painted", loan.amortization,
                "a plain report list of the same 360 rows made and painted", 2.0);

    // Every applet registered on the device, whichever packs are installed.
    const std::vector<MenuApplet> applets = ListMenuApplets(AX_APPLETS_KEY, {L"BenchA", L"BenchB"});
    PrintAppletTable(MeasureApplets(places, applets, kAppletRuns), L"About");

    const bool all = start.start.ok && start.memoryOk && host.switching.ok && host.repaint.ok && host.slide.ok &&
                     host.objectsOk && html.navigate.ok && html.scroll.ok && themes.apply.ok && themes.repaint.ok &&
                     input.keyboardSwitch.ok && input.typing.ok && system.launcher.ok && system.cache.ok &&
                     system.taskRefresh.ok && system.taskBarCpu.ok && system.systemBarCpu.ok && tools.thumbnails.ok &&
                     tools.designer.ok && viewers.skinSwitch.ok && viewers.skinPreviews.ok &&
                     viewers.themeToFrame.ok && viewers.todayCpu.ok && systemTools.cornerTap.ok &&
                     systemTools.summaryStart.ok && systemTools.panelStart.ok && contacts.firstRow.ok &&
                     contacts.allRows.ok && contacts.stall.ok && loan.loanSwitch.ok && loan.amortization.ok;
    return all ? 0 : 1;
}
