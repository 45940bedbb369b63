// The task-bar icon tool's settings: the frame and its boxes.
#include "crestset_wnd.h"

#include <aygshell.h>
#include <strsafe.h>

#include <crestel_names.h>

#include "resource.h"

namespace {

const COLORREF kHeaderColour = 0x804000;
constexpr int kHeaderLine = 22;

bool StartupShortcutPath(wchar_t* path, size_t cch, BOOL createFolder)
{
    wchar_t folder[MAX_PATH];
    return ::SHGetSpecialFolderPath(nullptr, folder, CSIDL_STARTUP, createFolder) &&
           SUCCEEDED(StringCchPrintfW(path, cch, L"%ls%ls", folder, CRESTEL_STARTUP_SHORTCUT));
}

// The tool beside this program, as the device names it (without the drive).
bool ToolPath(wchar_t* path, size_t cch)
{
    CModuleInfo module;
    LPCWSTR tool = module.GetFileName(CRESTEL_PROGRAM);
    if (!tool)
        return false;
    if (tool[0] && tool[1] == L':' && tool[2] == L'\\')
        tool += 2;
    return SUCCEEDED(StringCchCopyW(path, cch, tool));
}

}  // namespace

// ---- What the boxes show -------------------------------------------------------------

bool CCrestsetDialog::CloseOnCorner()
{
    CRegistry settings;
    DWORD close = 0;
    return settings.Open(HKEY_LOCAL_MACHINE, CRESTEL_KEY, TRUE) && settings.ReadDWORD(CRESTEL_CLOSE_VALUE, &close) &&
           close == 1;
}

bool CCrestsetDialog::StartsWithDevice()
{
    wchar_t shortcut[MAX_PATH];
    return StartupShortcutPath(shortcut, MAX_PATH, FALSE) && CFileInfo::IsExist(shortcut);
}

bool CCrestsetDialog::IconShown()
{
    return FindCrestelIcon() != nullptr;
}

// ---- The dialog ----------------------------------------------------------------------

BOOL CCrestsetDialog::OnInitDialog()
{
    ShowStates();
    return TRUE;
}

void CCrestsetDialog::ShowStates()
{
    ::CheckDlgButton(m_hWnd, IDC_CLOSE_ON_CORNER, CloseOnCorner() ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_START_WITH_DEVICE, StartsWithDevice() ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_SHOW_ICON, IconShown() ? BST_CHECKED : BST_UNCHECKED);
}

bool CCrestsetDialog::Checked(int id) const
{
    return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED;
}

void CCrestsetDialog::SetCloseOnCorner(bool close)
{
    CRegistry settings;
    if (settings.Open(HKEY_LOCAL_MACHINE, CRESTEL_KEY, FALSE, TRUE))
        settings.WriteDWORD(CRESTEL_CLOSE_VALUE, close ? 1 : 0);
}

void CCrestsetDialog::SetStartWithDevice(bool start)
{
    wchar_t shortcut[MAX_PATH];
    if (!StartupShortcutPath(shortcut, MAX_PATH, start))
        return;
    if (!start) {
        CFileInfo::DeleteFileW(shortcut, TRUE);
        return;
    }
    wchar_t tool[MAX_PATH];
    if (ToolPath(tool, MAX_PATH))
        CFileInfo::CreateShortcut(shortcut, tool);
}

void CCrestsetDialog::SetIconShown(bool shown)
{
    HWND icon = FindCrestelIcon();
    if (!shown) {
        if (icon)
            ::PostMessageW(icon, WM_CLOSE, 0, 0);
        return;
    }
    if (icon)
        return;
    CModuleInfo module;
    if (LPCWSTR tool = module.GetFileName(CRESTEL_PROGRAM))
        CSH::Execute(tool);
}

LRESULT CCrestsetDialog::OnCommand(UINT id, UINT code)
{
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_CLOSE_ON_CORNER:
            SetCloseOnCorner(Checked(id));
            return TRUE;
        case IDC_START_WITH_DEVICE:
            SetStartWithDevice(Checked(id));
            return TRUE;
        case IDC_SHOW_ICON:
            SetIconShown(Checked(id));
            return TRUE;
        }
    }
    if (id == IDOK || id == IDCANCEL) {
        ::PostMessageW(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(id, code), 0);
        return TRUE;
    }
    return FALSE;
}

void CCrestsetDialog::PaintHeader()
{
    CPaintDC dc(m_hWnd);
    CFont font;
    font.CreateFont(13, L"Tahoma", FW_BOLD);
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kHeaderColour);
    dc.TextOut(7, 4, L"Pexil Setting");
    dc.ReleaseObject(&font);
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    dc.SelectObject(&black);
    dc.Line(0, kHeaderLine, 240, kHeaderLine);
    dc.ReleaseObject(&black);
}

LRESULT CCrestsetDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        ::SetBkColor(reinterpret_cast<HDC>(wParam), RGB(0xFF, 0xFF, 0xFF));
        return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
    case WM_PAINT:
        PaintHeader();
        return TRUE;
    }
    return CDialog::OnMessage(message, wParam, lParam);
}

// ---- The frame -----------------------------------------------------------------------

BOOL CCrestsetFrame::CreateFrame()
{
    return CreateEx(WS_EX_CAPTIONOKBTN, CRESTSET_CLASS, CRESTSET_TITLE, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr);
}

void CCrestsetFrame::OnCreate()
{
    ::SHFullScreen(m_hWnd, SHFS_HIDESIPBUTTON);
    CreateCommandBar(IDR_CRESTSET_MENUBAR);
    m_dialog.SetDialogInfo(IDD_CRESTSET, m_hWnd);
    m_dialog.OpenDialog();
}

void CCrestsetFrame::OnDestroy()
{
    m_dialog.EndDialog();
    CWnd::OnDestroy();
}

LRESULT CCrestsetFrame::OnCommand(UINT id, UINT code)
{
    if (id == IDOK || id == IDCANCEL) {
        DestroyWindow();  // deletes this object: nothing may follow
        return 0;
    }
    return CWnd::OnCommand(id, code);
}

LRESULT CCrestsetFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE && m_dialog.GetSafeHwnd())
        m_dialog.MoveWindow(0, 0, LOWORD(lParam), HIWORD(lParam));
    return CWnd::OnMessage(message, wParam, lParam);
}
