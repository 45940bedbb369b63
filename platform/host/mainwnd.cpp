// CKetraWnd: creating the bar, its skin areas, placing it, drawing the
// applet's name, its buttons, the poll timer and opening and closing.
#include "mainwnd.h"

#include <mmsystem.h>
#include <strsafe.h>

#include <axreg.h>

CKetraWnd::CKetraWnd()
    : m_pAppletCtrl(nullptr), m_pTextCtrl(nullptr), m_nBottomMargin(0), m_bSameTop(0), m_pApplet(nullptr),
      m_szAppletName{}, m_szAppletPath{}, m_bForceReload(0), m_szPendingApplet{},
      m_bPendingReload(0), m_bPendingPosted(0), m_pAxList(nullptr),
      m_listWatch(HKEY_LOCAL_MACHINE, AX_APPLETS_KEY), m_hMenu(nullptr), m_ptMenu(0, 0),
      m_nPendingHeight(-1), m_pBkImage(nullptr), m_bBkTried(0), m_colors{0xD8E9EC, 0xD4D4D4, 0x800000}
{
}

CKetraWnd::~CKetraWnd()
{
    OnShutdown();
}

int CKetraWnd::Start(const CKetraSettings& settings, LPCWSTR commandLine)
{
    m_settings = settings;
    if (!Create(nullptr, KETRA_CLASS, 1))
        return 0;
    SetHold(TRUE);
    m_history.SetRecording(1);
    m_nPendingHeight = -1;
    SetTimer(kTimerPoll, kPollMs);

    if (!LoadSkinOrDefault())
        return 0;

    if (m_settings.m_bAutoClose)
        SetAutoClose(1);
    else
        SendMessageW(WM_SKIN_FOCUSOFF);

    int startMinimised = m_settings.m_dwWinMode == 6;
    int shown = 0;
    if (commandLine && *commandLine) {
        ShowApplet(commandLine, 0);
        startMinimised = 0;
        shown = 1;
    }
    if (!shown)
        ShowApplet(m_settings.m_szCurrentApplet, 1);

    PlaceWindow(m_settings.m_nXPos, m_settings.m_nYPos);
    if (startMinimised) {
        int slide = SetSlide(0);
        SendMessageW(WM_SKIN_MINIMIZE);
        SetSlide(slide);
    }
    ShowWindow();
    return 1;
}

// The chosen skin, or when it cannot be loaded (missing, broken, a path too
// long) the "Default" skin, so that a bad skin never leaves the user without
// a bar.  The setting itself is kept.  0 when Default fails too.
int CKetraWnd::LoadSkinOrDefault()
{
    wchar_t skinPath[MAX_PATH];
    if (m_settings.FormatSkinPath(skinPath, MAX_PATH) && LoadSkin(skinPath))
        return 1;
    if (_wcsicmp(m_settings.m_szSkin, kDefaultSkin) == 0)
        return 0;
    WriteLog(L"Skin [%ls] could not be loaded; trying the %ls skin", m_settings.m_szSkin, kDefaultSkin);
    StringCchCopyW(m_settings.m_szSkin, CKetraSettings::kNameLength, kDefaultSkin);
    return m_settings.FormatSkinPath(skinPath, MAX_PATH) && LoadSkin(skinPath);
}

// The last "applet" and "text" controls of the main skin.  A skin without
// them still works: the applet takes the client area and no name is drawn.
int CKetraWnd::OnLoadSkinDone()
{
    if (!CMMSkinWnd::OnLoadSkinDone())
        return 0;
    m_pAppletCtrl = nullptr;
    m_pTextCtrl = nullptr;
    CCtrlList* controls = m_skinInfo.GetCtrlList();
    for (POSITION pos = controls->GetHeadPosition(); pos;) {
        CCtrl* control = static_cast<CCtrl*>(controls->GetNext(pos));
        if (control->IsType(L"applet"))
            m_pAppletCtrl = control;
        else if (control->IsType(L"text"))
            m_pTextCtrl = control;
    }
    const CRect& window = m_skinInfo.GetWindowRect();
    m_nBottomMargin = m_pAppletCtrl ? window.Height() - m_pAppletCtrl->GetRect().bottom : 0;
    m_bSameTop = HasMinSkin() && m_minSkin.GetWindowRect().top == window.top;
    CKetraSettings::ReadColors(m_colors);
    return 1;
}

CRect CKetraWnd::GetAppletArea() const
{
    if (m_pAppletCtrl)
        return m_pAppletCtrl->GetRect();
    const CRect& window = m_skinInfo.GetWindowRect();
    return CRect(0, 0, window.Width(), window.Height());
}

void CKetraWnd::PlaceWindow(int x, int y)
{
    CRect current = GetWindowRect();
    CRect max = m_rcMax;
    max.bottom = y + current.Height();
    max.top = y;
    CRect min = m_rcMin;
    if (m_bSameTop) {
        min.OffsetRect(0, y - min.top);
    } else {
        min.OffsetRect(x - min.left, 0);
    }
    m_rcMax = max;
    m_rcMin = min;
    SetWindowRect(m_rcMax);
}

void CKetraWnd::OnDraw(CDC* dc)
{
    CMMSkinWnd::OnDraw(dc);
    if (!dc || !m_pTextCtrl || !m_bMaxWin || !m_szAppletName[0])
        return;
    const CRect& area = m_pTextCtrl->GetRect();
    dc->ShadowTextOut(area.left, area.top, m_szAppletName, 11, RGB(0, 0, 0), RGB(255, 255, 255));
}

int CKetraWnd::OnClicked(CButton* button, CPoint point)
{
    if (button && button->IsEqual(L"AXMENU")) {
        ShowAppletMenu();
        return 1;
    }
    if (button && button->IsEqual(L"PREV")) {
        GoHistory(m_history.Prev());
        return 1;
    }
    if (button && button->IsEqual(L"NEXT")) {
        GoHistory(m_history.Next());
        return 1;
    }
    return CMMSkinWnd::OnClicked(button, point);
}

int CKetraWnd::OnTapHold(CButton* button, CPoint point)
{
    if (button && button->IsEqual(L"AXMENU")) {
        ShowGroupMenu();
        return 1;
    }
    return CMMSkinWnd::OnTapHold(button, point);
}

// Shows a history entry without recording it again.
void CKetraWnd::GoHistory(const wchar_t* name)
{
    if (!name)
        return;
    wchar_t copy[CKetraSettings::kNameLength];
    StringCchCopyW(copy, CKetraSettings::kNameLength, name);
    m_history.SetRecording(0);
    SendMessageW(WM_KETRA_SHOWAPPLET, reinterpret_cast<WPARAM>(copy), 0);
    m_history.SetRecording(1);
}

namespace {

bool AMenuIsOpen()
{
    for (HWND menu = ::FindWindowW(L"#32768", nullptr); menu; menu = ::FindWindowExW(nullptr, menu, L"#32768", nullptr))
        if (::IsWindowVisible(menu))
            return true;
    return false;
}

// A top-most window other than the bar that holds the foreground: one the
// user is working in, such as the device's Start menu.
bool AnotherTopmostWindowInFront(HWND bar)
{
    HWND front = ::GetForegroundWindow();
    if (!front || front == bar || !::IsWindowVisible(front))
        return false;
    return (::GetWindowLongPtrW(front, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

}  // namespace

void CKetraWnd::OnTimer(UINT_PTR timerId)
{
    if (timerId == kTimerPendingShow) {
        KillTimer(kTimerPendingShow);
        CarryOutPendingShow();
        return;
    }
    if (timerId == kTimerPendingExit) {
        KillTimer(kTimerPendingExit);
        PostMessageW(WM_CLOSE);
        return;
    }
    if (timerId != kTimerPoll) {
        CMMSkinWnd::OnTimer(timerId);
        return;
    }
    if (m_pApplet && m_pApplet->QueryRefresh()) {
        int height = static_cast<int>(m_pApplet->GetItem()->cyp);
        if (height > 0 && height != m_pApplet->GetHeight())
            SendMessageW(WM_KETRA_SETHEIGHT, 0, height);
    }
    // Back above the other top-most windows, but not over an open pop-up
    // menu or a top-most window in front: the user may be choosing from
    // another program's menu or from the Start menu.
    if (!AMenuIsOpen() && !AnotherTopmostWindowInFront(m_hWnd))
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CKetraWnd::OnPrepareSlide(CRect rect)
{
    LPCWSTR sound;
    if (m_bMaxWin) {
        if (m_bSameTop)
            m_rcMin.OffsetRect(0, rect.top - m_rcMin.top);
        sound = m_settings.m_szSndClose;
    } else {
        if (m_bSameTop) {
            int height = m_nPendingHeight > 0 ? m_nPendingHeight : m_rcMax.Height();
            m_rcMax.top = rect.top;
            m_rcMax.bottom = rect.top + height;
            m_nPendingHeight = -1;
        }
        sound = m_settings.m_szSndOpen;
    }
    if (m_settings.m_bSoundOn && sound[0])
        ::PlaySoundW(sound, nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
}

void CKetraWnd::OnMaximize()
{
    // A height that arrived while the bar was closed and was not applied by
    // the slide (no animation, or skins of different tops).
    if (m_nPendingHeight > 0) {
        SetWindowSize(-1, m_nPendingHeight);
        m_rcMax = GetWindowRect();
        m_nPendingHeight = -1;
    }
    if (m_pApplet) {
        m_pApplet->ShowWindow();
        m_pApplet->SendMessageW(WM_KETRA_APPLETSHOWN, 0, 0);
    }
}

void CKetraWnd::OnMinimize()
{
    if (m_pApplet) {
        m_pApplet->HideWindow();
        m_pApplet->SendMessageW(WM_KETRA_APPLETHIDDEN, 0, 0);
    }
}
