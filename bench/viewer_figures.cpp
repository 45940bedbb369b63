// The viewers measured from outside: the skin browser and the animated-
// theme viewer by the bar's menu commands and the applets' own commands,
// their work seen through the bar's threads and the Flash player's windows
// (which answer how many frames they showed); the Today screen's processor
// time read from the host system's process table.
#include "viewer_figures.h"

#include <tlhelp32.h>

#include <string>
#include <vector>

#include <axreg.h>
#include <corvane.h>
#include <htmlctrl.h>
#include <ketra_host.h>
#include <tessary.h>

#include "theme_figures.h"
#include "watch.h"

namespace {

const DWORD kTimeoutMs = 20000;
const wchar_t kPlayerFolder[] = L"\\Program Files\\Windows Media Player";
const wchar_t kClassicPicture[] = L"\\Program Files\\Windows Media Player\\Classic\\Classic.bmp";
const wchar_t kDocuments[] = L"\\My Documents";
const wchar_t kViewerConfigKey[] = L"SOFTWARE\\ZARQ\\Vexilo";
const wchar_t kTodayClass[] = L"DesktopExplorerWindow";
const wchar_t kMoviePlayerClass[] = L"SwfPlayer";
const UINT kFramesShown = WM_APP + 1;  // the movie player's count of frames shown
const UINT kThemeCommandFirst = 2122;  // the viewer's theme list: 2122 + index
const int kViewerWidth = 236;
const SIZE kSkinThumb = {36, 40};
const DWORD kCpuMs = 10000;

struct SkinSource {
    const wchar_t* name;
    const wchar_t* picture;
};
const SkinSource kSeededSkins[] = {{L"Marine", L"Marine.bmp"}, {L"Ember", L"Ember.gif"}, {L"Slate", L"Slate.jpg"}};
const int kExtraSkins = 6;  // with Classic and the three seeded ones: ten

bool SendWaiting(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* answer = nullptr)
{
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kTimeoutMs,
                               answer ? answer : &ignored) != 0;
}

int ThreadsOf(DWORD processId)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    int count = 0;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == processId)
            ++count;
    CloseHandle(snapshot);
    return count;
}

bool WaitThreadsAtMost(DWORD processId, int count, DWORD ms)
{
    const double start = NowMs();
    while (ThreadsOf(processId) > count) {
        if (NowMs() - start > ms)
            return false;
        Sleep(1);
    }
    return true;
}

// ---- The skin browser --------------------------------------------------------------

struct BenchSkins {
    std::vector<std::wstring> folders;   // made for the run
    std::vector<std::wstring> pictures;  // every skin's picture, Classic first
};

std::wstring InPlayerFolder(const std::wstring& name)
{
    return std::wstring(kPlayerFolder) + L"\\" + name;
}

// Copies of the seeded skins in folders of their own beside them.
bool AddBenchSkins(BenchSkins* skins)
{
    skins->pictures.push_back(kClassicPicture);
    for (const SkinSource& seeded : kSeededSkins)
        skins->pictures.push_back(InPlayerFolder(seeded.name) + L"\\" + seeded.picture);
    for (int i = 0; i < kExtraSkins; ++i) {
        const SkinSource& from = kSeededSkins[i % 3];
        const std::wstring folder = InPlayerFolder(L"BenchSkin" + std::to_wstring(i + 1));
        const std::wstring source = InPlayerFolder(from.name) + L"\\";
        CreateDirectoryW(folder.c_str(), nullptr);
        skins->folders.push_back(folder);
        if (!CopyFileW((source + from.name + L".skn").c_str(), (folder + L"\\" + from.name + L".skn").c_str(), FALSE) ||
            !CopyFileW((source + from.picture).c_str(), (folder + L"\\" + from.picture).c_str(), FALSE))
            return false;
        skins->pictures.push_back(folder + L"\\" + from.picture);
    }
    return true;
}

void RemoveBenchSkins(const BenchSkins& skins)
{
    for (const std::wstring& folder : skins.folders) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    DeleteFileW((folder + L"\\" + found.cFileName).c_str());
            while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }
}

// The baseline of the previews: each picture decoded by the framework's
// image class and stretched into a thumbnail, as plainly as that goes.
bool DecodeAndStretch(const std::vector<std::wstring>& pictures, double* ms)
{
    HDC screen = GetDC(nullptr);
    HDC thumb = CreateCompatibleDC(screen);
    HBITMAP surface = CreateCompatibleBitmap(screen, kSkinThumb.cx, kSkinThumb.cy);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(thumb, surface);
    bool all = true;
    const double start = NowMs();
    for (const std::wstring& path : pictures) {
        CImage picture;
        if (!picture.Load(thumb, path.c_str())) {
            all = false;
            continue;
        }
        HDC source = CreateCompatibleDC(thumb);
        HGDIOBJ oldSource = SelectObject(source, static_cast<HBITMAP>(picture));
        SetStretchBltMode(thumb, COLORONCOLOR);
        StretchBlt(thumb, 0, 0, kSkinThumb.cx, kSkinThumb.cy, source, 0, 0, picture.GetWidth(), picture.GetHeight(),
                   SRCCOPY);
        SelectObject(source, oldSource);
        DeleteDC(source);
    }
    GdiFlush();
    *ms = NowMs() - start;
    SelectObject(thumb, old);
    DeleteObject(surface);
    DeleteDC(thumb);
    return all;
}

// Each run: from the trivial applet to the skin browser, its first paint
// (against the same switch to About) and the end of its loader's thread,
// which has then made every preview.
void MeasureSkinBrowser(const BenchPlaces& places, int runs, ViewerFigures* out)
{
    const int browser = AppletPosition(L"WMP Skin Browser");
    if (browser < 0) {
        out->skinSwitch.problem = out->skinPreviews.problem = "the skin browser is not installed";
        return;
    }
    BenchSkins skins;
    if (!AddBenchSkins(&skins)) {
        RemoveBenchSkins(skins);
        out->skinSwitch.problem = out->skinPreviews.problem = "the player's skins could not be copied";
        return;
    }
    out->previews = static_cast<int>(skins.pictures.size());

    WatchedProgram host;
    if (!StartAndWaitPainted(places.hostCommand, KETRA_CLASS, kTimeoutMs, &host)) {
        RemoveBenchSkins(skins);
        out->skinSwitch.problem = out->skinPreviews.problem = "the side bar did not come up";
        return;
    }
    HWND bar = host.window;
    if (!SendWaiting(bar, WM_KETRA_WINDOW, KETRA_WINDOW_OPEN, 0))
        SendWaiting(bar, WM_KETRA_OPEN, 0, 0);
    const DWORD processId = host.process.dwProcessId;

    // Both libraries once, untimed.
    SwitchTo(bar, browser);
    SwitchTo(bar, places.aboutPosition);
    std::vector<double> switches, previews, aboutSwitches;
    std::string problem;
    for (int run = 0; run < runs && problem.empty(); ++run) {
        if (!SwitchTo(bar, places.appletBPosition)) {
            problem = "the bar did not answer a menu command";
            break;
        }
        Sleep(200);
        const int before = ThreadsOf(processId);
        double start = NowMs();
        if (!SwitchTo(bar, browser) || !FindWindowExW(bar, nullptr, L"SKINNOW", nullptr)) {
            problem = "the skin browser was not shown";
            break;
        }
        switches.push_back(NowMs() - start);
        if (before < 0 || !WaitThreadsAtMost(processId, before, kTimeoutMs)) {
            problem = "the skin browser's loader did not end";
            break;
        }
        previews.push_back(NowMs() - start);

        SwitchTo(bar, places.appletBPosition);
        start = NowMs();
        if (!SwitchTo(bar, places.aboutPosition)) {
            problem = "the bar did not answer a menu command";
            break;
        }
        aboutSwitches.push_back(NowMs() - start);
    }
    SwitchTo(bar, places.aboutPosition);
    EndProgram(&host, WM_COMMAND, IDM_KETRA_EXIT);

    std::vector<double> decoded;
    for (int run = 0; run < runs && problem.empty(); ++run) {
        double ms = 0;
        if (!DecodeAndStretch(skins.pictures, &ms)) {
            problem = "a skin's picture did not decode";
            break;
        }
        decoded.push_back(ms);
    }
    RemoveBenchSkins(skins);
    if (!problem.empty()) {
        out->skinSwitch.problem = out->skinPreviews.problem = problem;
        return;
    }
    out->skinSwitch = {true, MedianOf(switches), MedianOf(aboutSwitches), ""};
    out->skinPreviews = {true, MedianOf(previews), MedianOf(decoded), ""};
}

// ---- Movies ------------------------------------------------------------------------

struct FoundPlayer {
    HWND window = nullptr;
};

BOOL CALLBACK FindMoviePlayer(HWND window, LPARAM found)
{
    wchar_t name[32] = L"";
    GetClassNameW(window, name, 32);
    if (wcscmp(name, kMoviePlayerClass) != 0)
        return TRUE;
    reinterpret_cast<FoundPlayer*>(found)->window = window;
    return FALSE;
}

// The movie player inside the window: visible, at least `frames` frames
// shown and nothing of it left to paint (the frame is on the screen).
bool MovieShows(HWND within, LRESULT frames)
{
    FoundPlayer found;
    EnumChildWindows(within, FindMoviePlayer, reinterpret_cast<LPARAM>(&found));
    if (!found.window || !IsWindowVisible(found.window))
        return false;
    DWORD_PTR shown = 0;
    if (!SendMessageTimeoutW(found.window, kFramesShown, 0, 0, SMTO_ABORTIFHUNG, 2000, &shown))
        return false;
    return static_cast<LRESULT>(shown) >= frames && IsPainted(found.window);
}

// The animated themes of the documents folder, in the order the viewer
// lists them.
std::vector<std::wstring> AnimatedSamples()
{
    std::vector<std::wstring> themes;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((std::wstring(kDocuments) + L"\\*.tsk").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return themes;
    do {
        const std::wstring path = std::wstring(kDocuments) + L"\\" + found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsAniTsk(path.c_str()))
            themes.push_back(path);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return themes;
}

// The baseline page of a theme, as the viewer writes its own.
struct ThemePage {
    CTskTempFiles files;
    std::wstring page;
    int height = 0;
};

bool WriteThemePage(const std::wstring& theme, int index, ThemePage* out)
{
    const std::wstring prefix = L"BenchAni" + std::to_wstring(index) + L".";
    CTskInfo info;
    CreateDirectoryW(L"\\Temp", nullptr);
    if (!out->files.Form(L"\\Temp\\", prefix.c_str()) || !ReadTheme(theme.c_str(), &info, out->files.Paths()))
        return false;
    out->height = GetAniTskHeight(info.m_szAniPage);
    out->page = L"\\Temp\\" + prefix + L"htm";
    return out->height > 0 && SaveAniTskPreviewHtml(out->page.c_str(), &info, kViewerWidth, out->height);
}

// A view made in a window of this program and navigated to the page, until
// the movie's first frame is painted.
bool NavigateStraight(HWND frame, const ThemePage& page, double* ms)
{
    const std::wstring address = L"file://" + page.page;
    const double start = NowMs();
    HWND view = CreateWindowExW(0, DISPLAYCLASS, L"Preview", WS_CHILD | WS_VISIBLE, 0, 18, kViewerWidth, page.height,
                                frame, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!view)
        return false;
    SendMessageW(view, DTM_NAVIGATE, 0, reinterpret_cast<LPARAM>(address.c_str()));
    bool shown = false;
    while (!(shown = MovieShows(frame, 1)) && NowMs() - start < kTimeoutMs) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    *ms = NowMs() - start;
    DestroyWindow(view);
    return shown;
}

// The viewer on the bar, its first two animated samples chosen in turn by
// its theme list's commands, until the new movie's first frame is painted;
// then the same two pages in a view of this program's own.
void MeasureThemeViewer(const BenchPlaces& places, int runs, ViewerFigures* out)
{
    const int viewer = AppletPosition(L"Flick Viewer");
    const std::vector<std::wstring> samples = AnimatedSamples();
    if (viewer < 0 || samples.size() < 2) {
        out->themeToFrame.problem = viewer < 0 ? "the viewer is not installed" : "fewer than two animated samples";
        return;
    }
    // The viewer starts in the documents folder.
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kViewerConfigKey, L"lasttsk");

    WatchedProgram host;
    if (!StartAndWaitPainted(places.hostCommand, KETRA_CLASS, kTimeoutMs, &host)) {
        out->themeToFrame.problem = "the side bar did not come up";
        return;
    }
    HWND bar = host.window;
    if (!SendWaiting(bar, WM_KETRA_WINDOW, KETRA_WINDOW_OPEN, 0))
        SendWaiting(bar, WM_KETRA_OPEN, 0, 0);
    HWND applet = nullptr;
    std::vector<double> chosen;
    std::string problem;
    const double shownAt = NowMs();
    if (!SwitchTo(bar, viewer) || !(applet = FindWindowExW(bar, nullptr, L"MOTRELLE", nullptr))) {
        problem = "the viewer was not shown";
    } else {
        while (!MovieShows(applet, 1) && NowMs() - shownAt < kTimeoutMs)
            Sleep(10);
        // The first sample plays now: the runs choose the second, the first, ...
        for (int run = 0; run < runs && problem.empty(); ++run) {
            const double start = NowMs();
            if (!SendWaiting(applet, WM_COMMAND, kThemeCommandFirst + (run + 1) % 2, 0)) {
                problem = "the viewer did not answer";
                break;
            }
            while (!MovieShows(applet, 1) && NowMs() - start < kTimeoutMs)
                Sleep(1);
            if (NowMs() - start >= kTimeoutMs)
                problem = "the chosen theme's movie did not play";
            else
                chosen.push_back(NowMs() - start);
        }
    }
    SwitchTo(bar, places.aboutPosition);
    EndProgram(&host, WM_COMMAND, IDM_KETRA_EXIT);
    if (!problem.empty()) {
        out->themeToFrame.problem = problem;
        return;
    }

    InitHTMLControl(GetModuleHandleW(nullptr));
    ThemePage pages[2];
    for (int i = 0; i < 2; ++i)
        if (!WriteThemePage(samples[i], i, &pages[i])) {
            out->themeToFrame.problem = "a sample's page could not be written";
            return;
        }
    HWND frame = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 4, 26, kViewerWidth, 100,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    std::vector<double> straight;
    for (int run = 0; run < runs && frame; ++run) {
        double ms = 0;
        if (!NavigateStraight(frame, pages[(run + 1) % 2], &ms))
            break;
        straight.push_back(ms);
    }
    if (frame)
        DestroyWindow(frame);
    for (const ThemePage& page : pages) {
        page.files.DeleteAll();
        DeleteFileW(page.page.c_str());
    }
    if (straight.size() != static_cast<size_t>(runs)) {
        out->themeToFrame.problem = "the view made here did not play the movie";
        return;
    }
    out->themeToFrame = {true, MedianOf(chosen), MedianOf(straight), ""};
}

// The Today screen's process while the HTML viewer item plays the first
// animated sample, over kCpuMs of wall time.
void MeasureTodayProcessor(ViewerFigures* out)
{
    out->cpuSeconds = static_cast<int>(kCpuMs / 1000);
    HWND today = FindWindowW(kTodayClass, nullptr);
    const std::vector<std::wstring> samples = AnimatedSamples();
    if (!today || samples.empty()) {
        out->todayCpu.problem = today ? "no animated sample" : "no Today screen";
        return;
    }
    const SavedTheme saved = SaveThemeInForce();
    std::string problem;
    if (!ApplyTheme(samples[0].c_str())) {
        problem = "the sample did not apply";
    } else {
        const double start = NowMs();
        while (!MovieShows(today, 2) && NowMs() - start < kTimeoutMs)
            Sleep(20);
        if (!MovieShows(today, 2))
            problem = "the Today screen did not play the movie";
    }
    double processor = -1, wall = 0;
    if (problem.empty()) {
        Sleep(1000);  // the theme change's own work done
        const double before = ProcessorMsOf("\\devshell.exe");
        const double start = NowMs();
        Sleep(kCpuMs);
        const double after = ProcessorMsOf("\\devshell.exe");
        wall = NowMs() - start;
        if (before < 0 || after < 0)
            problem = "the Today screen's processor time could not be read";
        else if (!MovieShows(today, 2))
            problem = "the movie stopped";
        else
            processor = after - before;
    }
    PutThemeBack(saved);
    if (!problem.empty()) {
        out->todayCpu.problem = problem;
        return;
    }
    out->todayCpu = {true, processor, wall, ""};
}

}  // namespace

ViewerFigures MeasureViewers(const BenchPlaces& places, int runs)
{
    ViewerFigures figures;
    MeasureSkinBrowser(places, runs, &figures);
    MeasureThemeViewer(places, runs, &figures);
    MeasureTodayProcessor(&figures);
    return figures;
}
