// The theme designer's window: its creation, painting, taps and messages.
#include "designer_wnd.h"

#include <aygshell.h>
#include <commctrl.h>
#include <strsafe.h>
#include <tskdialogs.h>

#include "resource.h"

namespace {

const wchar_t kTempPrefix[] = L"QvTmp.";
const wchar_t kReadPrefix[] = L"QvRead.";
const wchar_t kImageFolder[] = L"\\My Documents";
const int kButtonImageSize = 16;

// "<folder of the program>\name" into path.
void BesideProgram(const wchar_t* name, wchar_t* path)
{
    CModuleInfo program(static_cast<HINSTANCE>(::GetModuleHandleW(nullptr)));
    LPCWSTR full = program.GetFileName(name);
    if (!full || FAILED(StringCchCopyW(path, MAX_PATH, full)))
        path[0] = L'\0';
}

} // namespace

CDesignerWnd::CDesignerWnd(const wchar_t* path)
{
    if (!path || !*path || FAILED(StringCchCopyW(m_szStartPath, MAX_PATH, path)))
        StringCchCopyW(m_szStartPath, MAX_PATH, L"<current>");
    m_szName[0] = L'\0';
    StringCchCopyW(m_szImageFolder, MAX_PATH, kImageFolder);
    BuildCustomColours(m_info, m_custom);
}

// Full screen below the task bar, the task bar's OK corner closing it.
BOOL CDesignerWnd::CreateFrame()
{
    return CreateEx(WS_EX_CAPTIONOKBTN, DESIGNER_CLASS, DESIGNER_CLASS, WS_VISIBLE | WS_CLIPCHILDREN, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr);
}

void CDesignerWnd::FormFiles()
{
    wchar_t folder[MAX_PATH];
    BesideProgram(L"", folder);
    m_files.Form(folder, kTempPrefix);
    m_reading.Form(folder, kReadPrefix);
    BesideProgram(L"QvSt.gif", m_szNewStart);
    BesideProgram(L"QvTdy.gif", m_szNewToday);
    BesideProgram(L"QvTray.gif", m_pictures.tray);
    BesideProgram(L"QvInfo.gif", m_pictures.info);
    BesideProgram(L"QvWarn.gif", m_pictures.warning);
}

void CDesignerWnd::OnCreate()
{
    FormFiles();
    {
        CClientDC reference(m_hWnd);
        m_mockup.CreateDCW(reference, kMockupWidth, kMockupHeight);
        m_startMockup.CreateDCW(reference, kStartMockupWidth, kStartMockupHeight);
        m_panel.CreateDCW(reference, kMockupWidth, kPanelHeight);
        m_hIcons = ::LoadBitmapW(CorGetInstance(), MAKEINTRESOURCEW(IDB_MOCKUP_ICONS));
        m_hIconDc = ::CreateCompatibleDC(reference);
        if (m_hIconDc && m_hIcons)
            m_hOldIcons = ::SelectObject(m_hIconDc, m_hIcons);
    }
    CreatePanel();
    if (CreateCommandBar(IDR_DESIGNER_MENUBAR))
        CreateBrowserButton();
    if (!Open(m_szStartPath))
        Open(L"<default>");
    SelectItem(m_nItem);
    CWnd::OnCreate();
}

void CDesignerWnd::CreateBrowserButton()
{
    TBBUTTON button = {};
    button.iBitmap = 0;
    button.idCommand = ID_LAUNCH_BROWSER;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = TBSTYLE_BUTTON;
    button.iString = -1;
    const WCHAR* tips[1] = {L"Launch Theme Browser"};
    CommandBar_AddBitmap(m_hMenuBar, CorGetInstance(), IDB_BROWSER_BUTTON, 1, kButtonImageSize, kButtonImageSize);
    CommandBar_AddButtons(m_hMenuBar, 1, &button);
    CommandBar_AddToolTips(m_hMenuBar, 1, tips);
}

void CDesignerWnd::OnDestroy()
{
    ::KillTimer(m_hWnd, kApplyReturnTimer);
    m_files.DeleteAll();
    m_reading.DeleteAll();
    if (m_hIconDc) {
        if (m_hOldIcons)
            ::SelectObject(m_hIconDc, m_hOldIcons);
        ::DeleteDC(m_hIconDc);
        m_hIconDc = nullptr;
    }
    if (m_hIcons) {
        ::DeleteObject(m_hIcons);
        m_hIcons = nullptr;
    }
    CWnd::OnDestroy();
    ::PostQuitMessage(0);
}

// The mock-ups drawn again after any change.
void CDesignerWnd::Redraw()
{
    DrawTodayMockup(m_mockup, m_info, m_pictures, m_hIconDc);
    DrawStartMockup(m_startMockup, m_info, m_hIconDc);
    RECT below = {0, kPanelHeight, kMockupWidth, kPanelHeight + kMockupHeight};
    ::InvalidateRect(m_hWnd, &below, FALSE);
}

void CDesignerWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    m_panel.Draw(dc, 0, 0, kOpaqueCopy);
    m_mockup.Draw(dc, 0, kPanelHeight, kOpaqueCopy);
    if (m_bStartShown)
        m_startMockup.Draw(dc, kStartMockupAt.x, kPanelHeight + kStartMockupAt.y, kOpaqueCopy);
}

BOOL CDesignerWnd::OnEraseBkgnd(HDC /*hdc*/)
{
    return TRUE;
}

void CDesignerWnd::OnLButtonDown(CPoint point)
{
    const int item = DesignItemAt(point);
    if (item >= 0)
        SelectItem(item);
}

void CDesignerWnd::OnTimer(UINT_PTR timerId)
{
    if (timerId == kApplyReturnTimer) {
        ::KillTimer(m_hWnd, kApplyReturnTimer);
        ::SetForegroundWindow(m_hWnd);
    }
}

LRESULT CDesignerWnd::OnCommand(UINT id, UINT code)
{
    if (id >= ID_NEW_DEFAULT && id <= ID_NEW_YELLOW) {
        NewTheme(static_cast<int>(id - ID_NEW_DEFAULT));
        return 0;
    }
    if (const DesignEditor* editor = EditorOf(id)) {
        if (editor->edits == kEditStartImage || editor->edits == kEditTodayImage)
            ChangeImage(editor->edits == kEditTodayImage);
        else
            ChangeColour(editor->edits);
        return 0;
    }
    switch (id) {
    case IDC_ITEMS:
        if (code == CBN_SELCHANGE) {
            const int item = static_cast<int>(::SendMessageW(m_hItems, CB_GETCURSEL, 0, 0));
            if (item >= 0)
                SelectItem(item);
        }
        return 0;
    case IDC_APPLY:
        Apply();
        return 0;
    case ID_FILE_OPEN:
        OpenWithDialog();
        return 0;
    case ID_FILE_SAVE:
        Save();
        return 0;
    case ID_FILE_SAVE_AS:
        SaveAs();
        return 0;
    case ID_FILE_INFO: {
        CTskInfoDialog info;
        info.SetDialogInfo(m_hWnd);
        info.DoModal(m_szName);
        return 0;
    }
    case ID_HELP_ABOUT:
        ::MessageBoxW(m_hWnd, L"Theme Designer\r\nMakes Today themes: pictures and colours.", L"About", MB_OK);
        return 0;
    case ID_LAUNCH_BROWSER:
        LaunchBrowser();
        return 0;
    case IDOK:
        Close();
        return 0;
    }
    return CWnd::OnCommand(id, code);
}

LRESULT CDesignerWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kOpenMessage:
        // A path of this process (another one's comes as WM_COPYDATA).
        if (lParam) {
            wchar_t path[MAX_PATH];
            if (SUCCEEDED(StringCchCopyW(path, MAX_PATH, reinterpret_cast<const wchar_t*>(lParam))) &&
                SaveChangesFirst(L"Load"))
                Open(path);
        }
        return 0;
    case WM_COPYDATA: {
        const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!data || data->dwData != kOpenMessage || !data->lpData || data->cbData < sizeof(wchar_t) ||
            data->cbData > MAX_PATH * sizeof(wchar_t))
            return FALSE;
        // The text must end inside what was sent.
        wchar_t path[MAX_PATH];
        const size_t count = data->cbData / sizeof(wchar_t);
        memcpy(path, data->lpData, count * sizeof(wchar_t));
        if (path[count - 1] != L'\0')
            return FALSE;
        // Answered after the sender has let go: the save question may wait.
        wchar_t* copy = new wchar_t[MAX_PATH];
        StringCchCopyW(copy, MAX_PATH, path);
        if (!::PostMessageW(m_hWnd, WM_APP, 0, reinterpret_cast<LPARAM>(copy)))
            delete[] copy;
        return TRUE;
    }
    case WM_APP: {
        wchar_t* path = reinterpret_cast<wchar_t*>(lParam);
        if (path && SaveChangesFirst(L"Load"))
            Open(path);
        delete[] path;
        return 0;
    }
    case WM_DRAWITEM:
        DrawEditorButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CLOSE:
        Close();
        return 0;
    }
    return CWnd::OnMessage(message, wParam, lParam);
}
