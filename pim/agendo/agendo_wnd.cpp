// The PIM summary applet: its life, its taps and the programs it starts.
#include "agendo_wnd.h"

#include <objbase.h>

#include <applet_module.h>

using namespace agendo;

namespace {

const wchar_t* const kPrograms[kSectionCount] = {L"\\Windows\\tmail.exe", L"\\Windows\\calendar.lnk",
                                                 L"\\Windows\\tasks.lnk"};
const int kIconIds[5] = {kIconMail, kIconAppointments, kIconTasks, kIconPrevious, kIconNext};
const int kIconSize = 16;

} // namespace

CAgendoWnd::CAgendoWnd()
    : m_sections{Section(kIconMail, L"No unread message"), Section(kIconAppointments, L"No upcomming appointments"),
                 Section(kIconTasks, L"No active tasks")}
{
}

void CAgendoWnd::OnCreate()
{
    // COM and the messaging library live as long as the window, on the bar's thread.
    m_bComStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    m_mapi.Initialize();
    m_nMode = kAllClosed;
    for (int i = 0; i < 5; ++i)
        m_hIcons[i] = (HICON)LoadImageW(CorAppletModule(), MAKEINTRESOURCEW(kIconIds[i]), IMAGE_ICON, kIconSize,
                                        kIconSize, 0);
    {
        CClientDC reference(m_hWnd);
        m_surface.CreateDCW(reference, kWidth, kOpenHeight);
    }
    ReadColours();
    SetTimer(kReloadTimer, kReloadMs);
    LoadAll();
    Repaint();
}

void CAgendoWnd::OnDestroy()
{
    KillTimer(kReloadTimer);
    m_poom.Close();
    m_mapi.Close();
    if (m_bComStarted)
        CoUninitialize();
    m_bComStarted = FALSE;
    for (HICON& icon : m_hIcons) {
        if (icon)
            DestroyIcon(icon);
        icon = nullptr;
    }
    m_surface.DeleteDC();
    CApplet::OnDestroy();
}

void CAgendoWnd::OnTimer(UINT_PTR timerId)
{
    if (timerId != kReloadTimer) {
        CApplet::OnTimer(timerId);
        return;
    }
    LoadAll();
    Repaint();
}

int CAgendoWnd::CurrentHeight() const
{
    return m_nMode == kAllClosed ? kClosedHeight : kOpenHeight;
}

int CAgendoWnd::OnTodayQueryRefreshCache(TODAYLISTITEM* item)
{
    if (item)
        item->cyp = CurrentHeight();
    return 0;
}

void CAgendoWnd::OnLButtonDown(CPoint point)
{
    Tap(DecideTap(m_nMode, HotArea(point)));
    Repaint();
}

void CAgendoWnd::Tap(const TapAction& action)
{
    switch (action.kind) {
    case TapAction::kNothing:
        break;
    case TapAction::kStartProgram:
        StartProgram(action.section);
        break;
    case TapAction::kOpen:
        OpenSection(action.section);
        break;
    case TapAction::kClose:
        CloseSection();
        break;
    case TapAction::kPrevious:
        m_sections[action.section].Previous();
        break;
    case TapAction::kNext:
        m_sections[action.section].Next();
        break;
    }
}

void CAgendoWnd::OpenSection(int section)
{
    // Only a section with real items opens: a placeholder has nothing to read.
    if (!m_sections[section].HasItems()) {
        CloseSection();
        return;
    }
    m_nMode = section;
    RequestHeight(kOpenHeight);
}

void CAgendoWnd::CloseSection()
{
    m_nMode = kAllClosed;
    RequestHeight(kClosedHeight);
}

void CAgendoWnd::StartProgram(int section)
{
    CSH::Execute(kPrograms[section]);
}
