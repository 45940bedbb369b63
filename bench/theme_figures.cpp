// The theme figures: applying a sample theme by path, and the Today screen
// redrawn after the theme broadcast.
#include "theme_figures.h"

#include <imgdecmp.h>
#include <tessary.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const wchar_t* const kSamples[] = {L"\\My Documents\\Ocean.tsk", L"\\My Documents\\Sunset.tsk"};
const wchar_t kColourKey[] = L"SOFTWARE\\Microsoft\\Color";
const wchar_t kTodayClass[] = L"DesktopExplorerWindow";
const wchar_t* const kColourNames[] = {L"4", L"6", L"5", L"8", L"9", L"7", L"10", L"13", L"14", L"25", L"26"};
const WPARAM kThemeChanged = 0xF2;

double NowMs()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The baseline of an apply: a theme's two pictures copied into \Windows and
// its eleven colours written, nothing read from the theme file.
bool CopyAndWrite(const CTskInfo& theme, double* ms)
{
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kColourKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const double start = NowMs();
    bool ok = CopyFileW(theme.m_szToday, L"\\Windows\\tdywater.gif", FALSE) &&
              CopyFileW(theme.m_szStart, L"\\Windows\\stwater.gif", FALSE);
    for (int i = 0; ok && i < CTskColor::kCount; ++i)
        ok = RegSetValueExW(key, kColourNames[i], 0, REG_BINARY, reinterpret_cast<const BYTE*>(&theme.m_color[i]),
                            4) == ERROR_SUCCESS;
    *ms = NowMs() - start;
    RegCloseKey(key);
    return ok;
}

DWORD CALLBACK ReadData(LPSTR buffer, DWORD size, LPARAM file)
{
    DWORD read = 0;
    return ReadFile(reinterpret_cast<HANDLE>(file), buffer, size, &read, nullptr) ? read : 0;
}

// A pixel of a picture file as the device's decoder gives it.
COLORREF PicturePixel(const wchar_t* picture, int x, int y)
{
    HANDLE file = CreateFileW(picture, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return CLR_INVALID;
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
    request.pfnGetData = ReadData;
    request.crTransparentOverride = 0xFFFFFFFF;
    DecompressImageIndirect(&request);
    CloseHandle(file);
    if (!bitmap)
        return CLR_INVALID;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return colour;
}

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

// The theme message as the broadcast brings it to the Today screen, until
// the screen shows the new picture at a point below the Today rows.
bool MessageUntilRepainted(HWND today, double* ms)
{
    const int x = 200, y = 240;
    RECT area;
    GetWindowRect(today, &area);
    const COLORREF expected = PicturePixel(L"\\Windows\\tdywater.gif", x - area.left, y - area.top);
    if (expected == CLR_INVALID || ScreenPixel(x, y) == expected)
        return false;
    const double start = NowMs();
    DWORD_PTR ignored;
    SendMessageTimeoutW(today, WM_WININICHANGE, kThemeChanged, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    while (ScreenPixel(x, y) != expected)
        if (NowMs() - start > 2000)
            return false;
    *ms = NowMs() - start;
    return true;
}

// The baseline of a repaint: the Today picture decoded by the device's
// decoder and copied to the Today screen's place in one BitBlt.
bool DecodeAndBlit(const wchar_t* picture, HWND today, double* ms)
{
    const double start = NowMs();
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
    request.pfnGetData = ReadData;
    request.crTransparentOverride = 0xFFFFFFFF;
    DecompressImageIndirect(&request);
    CloseHandle(file);
    if (!bitmap)
        return false;
    RECT area;
    GetWindowRect(today, &area);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(screen, area.left, area.top, area.right - area.left, area.bottom - area.top, mem, 0, 0, SRCCOPY);
    GdiFlush();
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    *ms = NowMs() - start;
    return true;
}

std::string Bytes(const wchar_t* path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

void PutBytes(const wchar_t* path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

SavedTheme Save()
{
    SavedTheme saved;
    saved.today = Bytes(L"\\Windows\\tdywater.gif");
    saved.start = Bytes(L"\\Windows\\stwater.gif");
    GetThemeColors(&saved.colours);
    GetCurThemeName(saved.name, MAX_PATH);
    saved.useStart = CheckUsingStImage();
    return saved;
}

void Restore(const SavedTheme& saved)
{
    PutBytes(L"\\Windows\\tdywater.gif", saved.today);
    PutBytes(L"\\Windows\\stwater.gif", saved.start);
    SetThemeColors(&saved.colours);
    SetCurThemeName(saved.name);
    SetUsingStImage(saved.useStart);
    DWORD_PTR ignored;
    SendMessageTimeoutW(HWND_BROADCAST, WM_WININICHANGE, kThemeChanged, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
}

} // namespace

ThemeFigures MeasureThemes(int runs)
{
    ThemeFigures figures;
    HWND today = FindWindowW(kTodayClass, nullptr);
    if (!today) {
        figures.apply.problem = figures.repaint.problem = "no Today screen";
        return figures;
    }
    // The samples' files, read once for the baseline.
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    CTskTempFiles temp[2];
    CTskInfo samples[2];
    for (int i = 0; i < 2; ++i) {
        std::wstring prefix = std::wstring(L"ThemeBench") + static_cast<wchar_t>(L'A' + i) + L".";
        if (!temp[i].Form(folder, prefix.c_str()) || !ReadTheme(kSamples[i], &samples[i], temp[i].Paths())) {
            figures.apply.problem = figures.repaint.problem = "the sample themes are not installed";
            return figures;
        }
    }
    SavedTheme saved = Save();

    std::vector<double> applied, copied, repainted, blitted;
    for (int run = 0; run < runs; ++run) {
        const int sample = run % 2;  // a different theme every time
        // Each apply's broadcast runs out before the next figure.
        Sleep(300);
        double start = NowMs();
        if (!ApplyTheme(kSamples[sample])) {
            figures.apply.problem = "a sample theme did not apply";
            break;
        }
        applied.push_back(NowMs() - start);
        double ms = 0;
        Sleep(300);
        if (CopyAndWrite(samples[1 - sample], &ms))
            copied.push_back(ms);
        Sleep(300);

        // The baseline copied the other sample's pictures: the Today screen
        // has not shown them yet.
        if (MessageUntilRepainted(today, &ms))
            repainted.push_back(ms);
        if (DecodeAndBlit(L"\\Windows\\tdywater.gif", today, &ms))
            blitted.push_back(ms);
        InvalidateRect(today, nullptr, FALSE);
    }
    Restore(saved);
    for (const CTskTempFiles& files : temp)
        files.DeleteAll();

    figures.apply.ok = applied.size() == static_cast<size_t>(runs) && copied.size() == applied.size();
    figures.apply.measuredMs = Median(applied);
    figures.apply.baselineMs = Median(copied);
    if (!figures.apply.ok && figures.apply.problem.empty())
        figures.apply.problem = "the baseline copies failed";
    figures.repaint.ok = figures.apply.ok && repainted.size() == applied.size() && blitted.size() == applied.size();
    figures.repaint.measuredMs = Median(repainted);
    figures.repaint.baselineMs = Median(blitted);
    if (!figures.repaint.ok && figures.repaint.problem.empty())
        figures.repaint.problem = figures.apply.ok ? "the Today screen did not show the picture" : figures.apply.problem;
    return figures;
}

SavedTheme SaveThemeInForce()
{
    return Save();
}

void PutThemeBack(const SavedTheme& saved)
{
    Restore(saved);
}
