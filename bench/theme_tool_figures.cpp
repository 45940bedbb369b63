// The theme tools' figures.  The browser's thumbnails are timed from the
// reload tap (sent, so the load has begun when it returns) until the
// browser shows its folder line again, which it writes once every preview
// is made and drawn.
#include "theme_tool_figures.h"

#include <imgdecmp.h>
#include <ketra_host.h>
#include <tessary.h>

#include <algorithm>
#include <string>
#include <vector>

#include "watch.h"

namespace {

const wchar_t kBlankClass[] = L"KETRA_BENCH_BLANK";
const wchar_t kDesigner[] = L"\\Program Files\\ZARQ\\Ketra\\Pallido.exe";
const wchar_t kDesignerClass[] = L"Theme Designer";
const wchar_t kSample[] = L"\\My Documents\\Ocean.tsk";
const wchar_t kBrowser[] = L"Theme Browser";
const wchar_t kFavouritesKey[] = L"SOFTWARE\\ZARQ\\Vexilo";
const wchar_t kBenchFolder[] = L"\\Temp\\BenchThumbs";
const DWORD kTimeoutMs = 20000;
const SIZE kThumb = {36, 48};

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::wstring Quoted(const std::wstring& text)
{
    return L"\"" + text + L"\"";
}

DWORD CALLBACK ReadPicture(LPSTR buffer, DWORD size, LPARAM file)
{
    DWORD read = 0;
    return ReadFile(reinterpret_cast<HANDLE>(file), buffer, size, &read, nullptr) ? read : 0;
}

// One picture decoded by the device's decoder and stretched to a
// thumbnail: the baseline's step.
bool DecodeAndShrink(const wchar_t* picture, HDC thumb)
{
    HANDLE file = CreateFileW(picture, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    HBITMAP bitmap = nullptr;
    BYTE work[1024];
    DecompressImageInfo request = {};
    request.dwSize = sizeof request;
    request.pbBuffer = work;
    request.dwBufferMax = sizeof work;
    request.phBM = &bitmap;
    request.iBitDepth = 24;
    request.lParam = reinterpret_cast<LPARAM>(file);
    request.iScale = 100;
    request.pfnGetData = ReadPicture;
    request.crTransparentOverride = 0xFFFFFFFF;
    DecompressImageIndirect(&request);
    CloseHandle(file);
    if (!bitmap)
        return false;
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    HDC source = CreateCompatibleDC(thumb);
    HGDIOBJ old = SelectObject(source, bitmap);
    SetStretchBltMode(thumb, COLORONCOLOR);
    StretchBlt(thumb, 0, 0, kThumb.cx, kThumb.cy, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    GdiFlush();
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(bitmap);
    return true;
}

// The browser's folder line ("Folder: ..." in the bar's text colour, black
// unless set) shows at the band's left.
bool FolderLineShown(HWND applet)
{
    RECT area;
    GetWindowRect(applet, &area);
    HDC screen = GetDC(nullptr);
    bool shown = false;
    for (int y = 4; y < 14 && !shown; ++y)
        for (int x = 8; x < 40 && !shown; ++x)
            shown = GetPixel(screen, area.left + x, area.top + y) == RGB(0, 0, 0);
    ReleaseDC(nullptr, screen);
    return shown;
}

bool WaitFor(bool (*done)(HWND), HWND window, DWORD ms)
{
    const double start = NowMs();
    while (!done(window))
        if (NowMs() - start > ms)
            return false;
    return true;
}

void MeasureThumbnails(const BenchPlaces& places, const std::wstring& folder20, int runs, Timing* out)
{
    // The twenty themes in a device folder the browser shows first.
    CreateDirectoryW(L"\\Temp", nullptr);
    CreateDirectoryW(kBenchFolder, nullptr);
    std::vector<std::wstring> themes;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder20 + L"\\*.tsk").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        out->problem = "no folder of twenty themes";
        return;
    }
    do {
        const std::wstring copy = std::wstring(kBenchFolder) + L"\\" + found.cFileName;
        CopyFileW((folder20 + L"\\" + found.cFileName).c_str(), copy.c_str(), FALSE);
        themes.push_back(copy);
    } while (FindNextFileW(search, &found));
    FindClose(search);

    // The baseline's pictures: each theme's Today picture, read out once.
    std::vector<std::wstring> pictures;
    for (size_t i = 0; i < themes.size(); ++i) {
        wchar_t prefix[32];
        swprintf(prefix, 32, L"Pic%02u.", static_cast<unsigned>(i));
        CTskTempFiles files;
        CTskInfo theme;
        if (!files.Form(L"\\Temp\\BenchThumbs\\", prefix) || !ReadTheme(themes[i].c_str(), &theme, files.Paths())) {
            out->problem = "a theme of the folder does not read";
            return;
        }
        pictures.push_back(theme.m_szToday);
    }

    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, kFavouritesKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    if (key) {
        const DWORD one = 1;
        const DWORD bytes = static_cast<DWORD>((wcslen(kBenchFolder) + 1) * sizeof(wchar_t));
        RegSetValueExW(key, L"count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
        RegSetValueExW(key, L"folder00", 0, REG_SZ, reinterpret_cast<const BYTE*>(kBenchFolder), bytes);
        RegSetValueExW(key, L"lastfolder", 0, REG_SZ, reinterpret_cast<const BYTE*>(kBenchFolder), bytes);
        RegCloseKey(key);
    }
    WatchedProgram bar;
    if (!StartAndWaitPainted(places.hostCommand + L" " + Quoted(kBrowser), KETRA_CLASS, kTimeoutMs, &bar)) {
        out->problem = "the bar did not come up";
        return;
    }
    HWND applet = GetWindow(bar.window, GW_CHILD);
    std::vector<double> loads, baselines;
    if (!applet || !WaitFor(FolderLineShown, applet, kTimeoutMs)) {
        out->problem = "the theme browser did not show its folder";
    } else {
        for (int run = 0; run < runs; ++run) {
            const double start = NowMs();
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(applet, WM_LBUTTONUP, 0, MAKELPARAM(225, 10), SMTO_ABORTIFHUNG, 5000, &answer);
            RedrawWindow(applet, nullptr, nullptr, RDW_UPDATENOW);
            if (!WaitFor(FolderLineShown, applet, kTimeoutMs)) {
                out->problem = "the previews were not all made";
                break;
            }
            loads.push_back(NowMs() - start);
            Sleep(200);
        }
    }
    EndProgram(&bar, WM_COMMAND, IDM_KETRA_EXIT);

    HDC screen = GetDC(nullptr);
    HDC thumb = CreateCompatibleDC(screen);
    HBITMAP surface = CreateCompatibleBitmap(screen, kThumb.cx, kThumb.cy);
    HGDIOBJ old = SelectObject(thumb, surface);
    for (int run = 0; run < runs && !loads.empty(); ++run) {
        const double start = NowMs();
        bool all = true;
        for (const std::wstring& picture : pictures)
            all = DecodeAndShrink(picture.c_str(), thumb) && all;
        if (all)
            baselines.push_back(NowMs() - start);
    }
    SelectObject(thumb, old);
    DeleteObject(surface);
    DeleteDC(thumb);
    ReleaseDC(nullptr, screen);
    if (loads.size() == static_cast<size_t>(runs) && !baselines.empty())
        *out = {true, Median(loads), Median(baselines), ""};
    else if (out->problem.empty())
        out->problem = "the pictures did not decode";
}

void MeasureDesigner(const BenchPlaces& places, int runs, Timing* out)
{
    std::vector<double> designer, blank;
    RECT rect = {};
    for (int i = 0; i < runs; ++i) {
        WatchedProgram program;
        if (!StartAndWaitPainted(Quoted(kDesigner) + L" " + Quoted(kSample), kDesignerClass, kTimeoutMs, &program)) {
            out->problem = "the designer did not come up";
            return;
        }
        designer.push_back(program.paintedMs - program.startMs);
        GetWindowRect(program.window, &rect);
        EndProgram(&program, WM_CLOSE, 0);
    }
    wchar_t geometry[64];
    swprintf(geometry, 64, L" %ld %ld %ld %ld", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    for (int i = 0; i < runs; ++i) {
        WatchedProgram program;
        if (!StartAndWaitPainted(Quoted(places.blankProgram) + geometry, kBlankClass, kTimeoutMs, &program)) {
            out->problem = "the empty program did not come up";
            return;
        }
        blank.push_back(program.paintedMs - program.startMs);
        EndProgram(&program, WM_CLOSE, 0);
    }
    *out = {true, Median(designer), Median(blank), ""};
}

} // namespace

ThemeToolFigures MeasureThemeTools(const BenchPlaces& places, const std::wstring& folder20, int runs)
{
    ThemeToolFigures figures;
    MeasureThumbnails(places, folder20, runs, &figures.thumbnails);
    MeasureDesigner(places, runs, &figures.designer);
    return figures;
}
