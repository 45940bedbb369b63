// The theme the designer edits: opened, made new, saved, applied, closed.
#include "designer_wnd.h"

#include <ketra_host.h>
#include <strsafe.h>
#include <tskdialogs.h>

#include <initializer_list>

namespace {

const wchar_t kNewName[] = L"<New>";
const wchar_t kCurrentName[] = L"<current>";
const wchar_t kDefaultName[] = L"<default>";
const wchar_t kBrowserName[] = L"Theme Browser";
// The object store's mark of a file kept in ROM.
const DWORD kInRom = 0x40;

bool Is(const wchar_t* name, const wchar_t* special)
{
    return _wcsicmp(name, special) == 0;
}

// Replaces a path of the files read with the same slot's path of the files
// kept.
void Remap(wchar_t* path, const CTskTempFiles& from, const CTskTempFiles& to)
{
    for (int slot = 0; slot < kTskTempCount; ++slot)
        if (path[0] && _wcsicmp(path, from.Path(slot)) == 0) {
            StringCchCopyW(path, MAX_PATH, to.Path(slot));
            return;
        }
}

class CWaitCursor {
public:
    CWaitCursor() : m_previous(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_previous); }

private:
    HCURSOR m_previous;
};

} // namespace

// The theme is read into files of its own first, so that one that does not
// read leaves the theme being edited whole.
bool CDesignerWnd::Open(const wchar_t* path)
{
    if (!path || !*path)
        return false;
    CTskInfo read;
    m_reading.DeleteAll();
    if (!ReadTheme(path, &read, m_reading.Paths())) {
        m_reading.DeleteAll();
        ::MessageBoxW(m_hWnd, L"Fail To Load Theme", L"Warning", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    wchar_t name[MAX_PATH];
    if (FAILED(StringCchCopyW(name, MAX_PATH, path)))
        return false;
    m_files.DeleteAll();
    for (int slot = 0; slot < kTskTempCount; ++slot)
        if (::GetFileAttributesW(m_reading.Path(slot)) != INVALID_FILE_ATTRIBUTES) {
            ::SetFileAttributesW(m_reading.Path(slot), FILE_ATTRIBUTE_NORMAL);
            ::MoveFileExW(m_reading.Path(slot), m_files.Path(slot), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
        }
    for (wchar_t* file : {read.m_szToday, read.m_szStart, read.m_szAniMovie, read.m_szAniPage, read.m_szAniControl})
        Remap(file, m_reading, m_files);
    m_info = read;
    StringCchCopyW(m_szName, MAX_PATH, name);
    m_bModified = false;
    BuildCustomColours(m_info, m_custom);
    Redraw();
    SelectItem(m_nItem == 0 ? 2 : m_nItem);
    return true;
}

void CDesignerWnd::NewTheme(int colourSet)
{
    if (!SaveChangesFirst(L"New"))
        return;
    CTskColor colours;
    GetColorSet(colourSet, &colours);
    m_files.DeleteAll();
    CTskInfo theme;
    theme = colours;
    const wchar_t* start = m_files.Path(kTskTempStart);
    const wchar_t* today = m_files.Path(kTskTempToday);
    if (::CopyFileW(m_szNewStart, start, FALSE)) {
        ::SetFileAttributesW(start, FILE_ATTRIBUTE_NORMAL);
        StringCchCopyW(theme.m_szStart, MAX_PATH, start);
    }
    if (::CopyFileW(m_szNewToday, today, FALSE)) {
        ::SetFileAttributesW(today, FILE_ATTRIBUTE_NORMAL);
        StringCchCopyW(theme.m_szToday, MAX_PATH, today);
    }
    m_info = theme;
    StringCchCopyW(m_szName, MAX_PATH, kNewName);
    BuildCustomColours(m_info, m_custom);
    m_bModified = true;
    Redraw();
}

void CDesignerWnd::OpenWithDialog()
{
    CTskFileDialog dialog;
    dialog.SetDialogInfo(m_hWnd);
    if (dialog.DoOpenModal() != 1 || !dialog.GetFileName()[0] || _wcsicmp(dialog.GetFileName(), m_szName) == 0)
        return;
    wchar_t path[MAX_PATH];
    if (SUCCEEDED(StringCchCopyW(path, MAX_PATH, dialog.GetFileName())) && SaveChangesFirst(L"Open"))
        Open(path);
}

bool CDesignerWnd::SaveChangesFirst(const wchar_t* caption)
{
    if (!m_bModified)
        return true;
    const int answer =
        ::MessageBoxW(m_hWnd, L"Do you want to save the changes?", caption, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL)
        return false;
    if (answer == IDYES)
        Save();
    return true;
}

// "<default>", "<current>" and "<New>" are names, never paths: they are
// saved only through "Save As...".
bool CDesignerWnd::Save()
{
    const bool special = Is(m_szName, kDefaultName) || Is(m_szName, kCurrentName);
    const bool isNew = Is(m_szName, kNewName);
    if (!m_bModified) {
        if (special || isNew || ::GetFileAttributesW(m_szName) != INVALID_FILE_ATTRIBUTES)
            return true;
        return Write(m_szName);  // a file that has gone is written again
    }
    if (isNew)
        return SaveAs();
    const DWORD attributes = ::GetFileAttributesW(m_szName);
    if (special || (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kInRom))) {
        if (::MessageBoxW(m_hWnd, L"This tsk file is read only. Do you want to save as another skin name?", L"Save",
                          MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
            return SaveAs();
        return false;
    }
    return Write(m_szName);
}

bool CDesignerWnd::SaveAs()
{
    CTskFileDialog dialog;
    dialog.SetDialogInfo(m_hWnd);
    if (dialog.DoSaveModal() != 1 || !dialog.GetFileName()[0])
        return false;
    wchar_t path[MAX_PATH];
    if (FAILED(StringCchCopyW(path, MAX_PATH, dialog.GetFileName())) || !Write(path))
        return false;
    StringCchCopyW(m_szName, MAX_PATH, path);
    return true;
}

bool CDesignerWnd::Write(const wchar_t* path)
{
    int written = 0;
    {
        CWaitCursor wait;
        written = WriteTheme(path, &m_info);
    }
    if (written)
        m_bModified = false;
    return written != 0;
}

void CDesignerWnd::Close()
{
    if (!SaveChangesFirst(L"Close"))
        return;
    ::ShowWindow(m_hWnd, SW_HIDE);
    DestroyWindow();  // deletes this object: nothing may follow
}

// Applying "<current>" keeps the name of the theme in force.
void CDesignerWnd::Apply()
{
    wchar_t name[MAX_PATH];
    if (Is(m_szName, kCurrentName)) {
        if (!GetCurThemeName(name, MAX_PATH))
            StringCchCopyW(name, MAX_PATH, kDefaultName);
    } else {
        StringCchCopyW(name, MAX_PATH, m_szName);
    }
    if (!ApplyTheme(&m_info, name))
        return;
    if (HWND desktop = ::FindWindowW(nullptr, L"Desktop"))
        ::SetForegroundWindow(desktop);
    ::SetTimer(m_hWnd, kApplyReturnTimer, kApplyReturnMs, nullptr);
}

void CDesignerWnd::LaunchBrowser()
{
    HWND bar = KetraFindBar();
    if (!bar) {
        KetraStartBar(kBrowserName);
        return;
    }
    wchar_t current[64] = L"";
    DWORD size = sizeof(current) - sizeof(wchar_t);
    ::RegGetValueW(HKEY_LOCAL_MACHINE, KETRA_OPTIONS_KEY, KETRA_CURRENT_APPLET_VALUE, RRF_RT_REG_SZ, nullptr,
                   current, &size);
    if (wcscmp(current, kBrowserName) != 0) {
        KetraWriteCurrentApplet(kBrowserName);
        ::SendMessageW(bar, WM_KETRA_SHOWAPPLET, 0, 0);
    } else {
        ::SendMessageW(bar, WM_KETRA_WINDOW, KETRA_WINDOW_TOGGLE, 0);
    }
}
