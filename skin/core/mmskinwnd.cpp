// CMMSkinWnd: the two skins of a sliding window, switching between them, its
// private messages and its task-bar hook.
#include "mmskinwnd.h"

#include "taskbar_hook.h"

CMMSkinWnd::CMMSkinWnd()
    : m_bMaxWin(1), m_bSlide(1), m_bAutoClose(0), m_bFocusMode(0), m_nReserved(0), m_rcMin(0, 0, 0, 0),
      m_rcMax(0, 0, 0, 0), m_ftSlidePress(0), m_bSliding(0), m_bHasMinSkin(0)
{
}

CMMSkinWnd::~CMMSkinWnd()
{
    if (taskbar_hook::Owner() == this)
        taskbar_hook::Remove();
}

// The first skin is already in the main description; the second one, when
// the file has it, becomes the minimised description.
int CMMSkinWnd::OnLoadSkin(CXmlReader* reader, CXmlNodeListReader* skins)
{
    if (!reader)
        return 0;
    m_rcMax = m_skinInfo.GetWindowRect();
    m_bHasMinSkin = 0;
    SetSkinInfo(&m_minSkin);
    CXmlNodeReader second;
    if (skins && skins->GetNode(1, &second) && LoadSkin(m_szXMLPath, second)) {
        m_rcMin = m_minSkin.GetWindowRect();
        m_bHasMinSkin = 1;
    }
    SetSkinInfo(&m_skinInfo);
    // The core now gives the window the main skin's rectangle.
    m_bMaxWin = 1;
    return 1;
}

void CMMSkinWnd::Maximize()
{
    if (m_bMaxWin)
        return;
    if (m_bSlide)
        Slide();
    SetSkinInfo(&m_skinInfo);
    SetWindowRect(m_rcMax);
    Invalidate(FALSE);
    m_bMaxWin = 1;
    OnMaximize();
    if (m_bFocusMode)
        SendMessageW(WM_SKIN_FOCUSON);
    else if (m_bAutoClose)
        SetHook(1);
}

// Without a minimised skin the window stays as it is: an empty minimised
// rectangle would leave nothing on the screen to tap.
void CMMSkinWnd::Minimize()
{
    if (!m_bMaxWin || !m_bHasMinSkin)
        return;
    if (m_bSlide)
        Slide();
    SetSkinInfo(&m_minSkin);
    SetWindowRect(m_rcMin);
    Invalidate(FALSE);
    m_bMaxWin = 0;
    OnMinimize();
    if (m_bFocusMode)
        CSkinWnd::OnMessage(WM_SKIN_FOCUSOFF, 0, 0);
    SetHook(0);
}

void CMMSkinWnd::SlideWindow()
{
    if (m_bMaxWin)
        Minimize();
    else
        Maximize();
}

void CMMSkinWnd::OnMaximize() {}

void CMMSkinWnd::OnMinimize() {}

void CMMSkinWnd::OnPrepareSlide(CRect /*rect*/) {}

void CMMSkinWnd::OnSlide() {}

int CMMSkinWnd::IsHooked() const
{
    return taskbar_hook::IsInstalled();
}

int CMMSkinWnd::SetAutoClose(int on)
{
    on = on ? 1 : 0;
    if (on != m_bAutoClose) {
        m_bAutoClose = on;
        SetHook(on);
    }
    return 1;
}

void CMMSkinWnd::SetHook(int on)
{
    if ((on != 0) == (taskbar_hook::IsInstalled() != 0))
        return;
    if (on)
        taskbar_hook::Install(m_hWnd, this);
    else
        taskbar_hook::Remove();
}

int CMMSkinWnd::SetSlide(int on)
{
    int previous = m_bSlide;
    m_bSlide = on;
    return previous;
}

LRESULT CMMSkinWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SKIN_FOCUSON:
        m_bFocusMode = 1;
        SetHook(1);
        break;
    case WM_SKIN_FOCUSOFF:
        m_bFocusMode = 0;
        if (!m_bAutoClose)
            SetHook(0);
        break;
    case WM_SKIN_MINIMIZE:
        Minimize();
        return 0;
    case WM_SKIN_MAXIMIZE:
        Maximize();
        return 0;
    case WM_SKIN_TOGGLE:
        SlideWindow();
        return 0;
    case WM_DESTROY:
        // The task bar must not go on notifying a window that is gone.
        if (taskbar_hook::Owner() == this)
            taskbar_hook::Remove();
        break;
    }
    LRESULT result = CSkinWnd::OnMessage(message, wParam, lParam);
    // A drag of "SLIDE" that lost the stylus is no press any more.
    if (message == WM_CAPTURECHANGED && !m_bMoving)
        m_bSliding = 0;
    return result;
}
