// The system watch applet: taps, the sliders, the buttons and the power menu.
#include "voltane_wnd.h"

#include <applet_module.h>
#include <pack_look.h>

namespace {

const wchar_t kSummaryProgram[] = L"Summary.exe";
const wchar_t kSummaryPage[] = L"System Watch";

// Control-panel pages of CSI::LaunchCPL.
enum Page { kBatteryPage = 0, kBacklightPage = 1, kSoundsPage = 2, kMemoryPage = 4, kCardPage = 5, kPasswordPage = 10 };

}  // namespace

// Icons and columns act when the stylus goes down; the bottom strip when
// it comes up.  The tap that wakes a display the applet switched off does
// nothing else.
void CVoltaneWnd::OnLButtonDown(CPoint point)
{
    if (m_bDisplayOff) {
        m_bDisplayOff = FALSE;
        m_bSwallowUp = TRUE;
        CSH::ScreenOn(TRUE);
        return;
    }
    m_nPressedArea = HitTest(point);
    OnAreaDown(m_nPressedArea, point);
}

void CVoltaneWnd::OnAreaDown(int area, CPoint point)
{
    switch (area) {
    case kBatteryIcon:
        CSI::LaunchCPL(kBatteryPage);
        break;
    case kBatteryColumn:
        StartSummary();
        break;
    case kMemoryIcon:
        CSI::LaunchCPL(kMemoryPage);
        break;
    case kMemoryColumn:
        m_bProgramMemory = !m_bProgramMemory;
        Show();
        break;
    case kCardIcon:
        CSI::LaunchCPL(kCardPage);
        break;
    case kCardColumn:
        m_bFirstCard = !m_bFirstCard;
        Show();
        break;
    case kVolumeIcon:
        CSI::LaunchCPL(kSoundsPage);
        break;
    case kBacklightIcon:
        CSI::LaunchCPL(kBacklightPage);
        break;
    case kVolumeMeter:
    case kBacklightMeter:
        m_pDragged = area == kVolumeMeter ? &m_volume : &m_backlight;
        if (m_pDragged->OnLButtonDown(point)) {
            ::SetCapture(m_hWnd);
            OnMouseMove(point);
        } else {
            m_pDragged = nullptr;
        }
        break;
    }
}

void CVoltaneWnd::OnMouseMove(CPoint point)
{
    if (!m_pDragged || !m_pDragged->OnMouseMove(point))
        return;
    if (m_pDragged == &m_volume)
        CSI::SetVolume(m_volume.GetPos());
    else
        CSI::SetBright(m_backlight.GetPos());
    Show();
}

void CVoltaneWnd::OnLButtonUp(CPoint point)
{
    if (m_bSwallowUp) {
        m_bSwallowUp = FALSE;
        return;
    }
    if (m_pDragged) {
        m_pDragged->OnLButtonUp(point);
        m_pDragged = nullptr;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        Show();
        return;
    }
    const int area = HitTest(point);
    if (area == kBottomStrip || area == kBottomRight) {
        const int button = ButtonAt(point);
        if (button >= 0)
            PressButton(button, point);
    }
    m_nPressedArea = -1;
}

void CVoltaneWnd::PressButton(int button, CPoint point)
{
    switch (button) {
    case kToday:
        CSH::Home();
        break;
    case kLock:
        if (CSH::GetPasswordType() != 0)
            CSH::LogOff(m_hWnd);
        else
            CSI::LaunchCPL(kPasswordPage);
        break;
    case kPowerMenu:
        ShowPowerMenu(point);
        break;
    case kSummary:
        StartSummary();
        break;
    case kTaskBar:
        ShowApplet(PackLook::kTaskBar);
        break;
    case kLauncher:
        ShowApplet(PackLook::kLauncher);
        break;
    case kSettings:
        ShowApplet(PackLook::kSettings);
        break;
    }
}

void CVoltaneWnd::StartSummary()
{
    wchar_t summary[MAX_PATH];
    if (PackLook::FileBesideApplet(CorAppletModule(), kSummaryProgram, summary, MAX_PATH))
        CSH::Execute(summary, kSummaryPage);
}

// Posted: the bar unloads this applet when it shows the other one, which
// must not happen while this handler still runs.  The name is copied by
// the bar before the library goes.
void CVoltaneWnd::ShowApplet(LPCWSTR name)
{
    if (HWND bar = ::GetParent(m_hWnd))
        ::PostMessageW(bar, WM_KETRA_SHOWAPPLET, reinterpret_cast<WPARAM>(name), 0);
}

void CVoltaneWnd::ShowPowerMenu(CPoint point)
{
    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return;
    ::AppendMenuW(menu, MF_STRING, kPowerOff, L"Power Off");
    ::AppendMenuW(menu, MF_STRING, kScreenOff, L"Screen Off");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, kSoftReset, L"Soft Reset...");
    ::AppendMenuW(menu, MF_STRING, kHardReset, L"Hard Reset...");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, kCloseAll, L"Close All...");
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_BOTTOMALIGN, screen.x, screen.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(menu);
}

BOOL CVoltaneWnd::Confirm(LPCWSTR text, LPCWSTR caption, UINT icon)
{
    return ::MessageBoxW(m_hWnd, text, caption, MB_YESNO | icon) == IDYES;
}

LRESULT CVoltaneWnd::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case kPowerOff:
        CSH::PowerOff();
        return 0;
    case kScreenOff:
        CSH::ScreenOn(FALSE);
        m_bDisplayOff = TRUE;
        return 0;
    case kSoftReset:
        if (Confirm(L"WARNING: Soft Reset (Warm Boot). Are you sure to restart your PDA?", L"Soft Reset Warning",
                    MB_ICONEXCLAMATION))
            CSH::Reset();
        return 0;
    case kHardReset:
        if (Confirm(L"WARNING: Hard Reset (Cold Boot) erases all data and programs. Are you sure to clean your main "
                    L"memory?",
                    L"Hard Reset Warning", MB_ICONSTOP) &&
            Confirm(L"FINAL WARNING: Are you sure to continue Cold Boot?", L"Hard Reset Warning", MB_ICONSTOP))
            CSH::HardReset();
        return 0;
    case kCloseAll:
        if (Confirm(L"WARNING: Are you sure to close all running programs?", L"Close All Warning",
                    MB_ICONEXCLAMATION))
            CSH::CloseAllApps(::GetAncestor(m_hWnd, GA_ROOT));
        return 0;
    }
    return CApplet::OnCommand(id, code);
}
