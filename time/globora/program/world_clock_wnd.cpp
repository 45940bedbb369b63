// The world clock's window: its life, the clock's tick, the menu bar's
// commands and the switch to the side bar.
#include "world_clock_wnd.h"

#include <aygshell.h>
#include <ketra_host.h>

#include "clock_style.h"
#include "resource.h"

namespace {

const wchar_t kAppletName[] = L"World Clock";
const int kButtonCount = 2;
const int kButtonImageSize = 16;

} // namespace

// Full screen below the task bar, with the task bar's OK corner closing it.
BOOL CWorldClockWnd::CreateFrame()
{
    return CreateEx(WS_EX_CAPTIONOKBTN, GLOBORA_CLASS, GLOBORA_TITLE, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr);
}

void CWorldClockWnd::OnCreate()
{
    using namespace globora;
    m_digitFont = CreateStyleFont(kDigitFont);
    m_headerClockFont = CreateStyleFont(kHeaderClockFont);
    m_headerCityFont = CreateStyleFont(kHeaderCityFont);
    m_nameFont = CreateStyleFont(kNameFont);
    m_listFont = CreateStyleFont(kListFont);
    m_copyIcon = (HICON)::LoadImageW(CorGetInstance(), MAKEINTRESOURCEW(IDI_GLOBORA_COPY_CITY), IMAGE_ICON, 0, 0, 0);
    m_listIcon = (HICON)::LoadImageW(CorGetInstance(), MAKEINTRESOURCEW(IDI_GLOBORA_OPEN_LIST), IMAGE_ICON, 0, 0, 0);

    CreateMenuBar();
    m_slots.Load();
    m_current = m_slots.Get(0);
    // The map beside the program; without it the map area stays blank.
    CModuleInfo program((HINSTANCE)::GetModuleHandleW(nullptr));
    if (LPCWSTR map = program.GetFileName(L"Map.gif"))
        m_map.Load(nullptr, map);
    CreateSurfaces();
    DrawAll();
    SetTimer(kTickTimer, kTickMs);
}

void CWorldClockWnd::CreateMenuBar()
{
    if (!CreateCommandBar(IDR_GLOBORA_MENUBAR))
        return;
    TBBUTTON buttons[kButtonCount] = {};
    const UINT commands[kButtonCount] = {IDM_GLOBORA_CLOCK, IDM_GLOBORA_TO_BAR};
    const WCHAR* tips[kButtonCount] = {L"Clock Settings", L"Ketra"};
    for (int i = 0; i < kButtonCount; ++i) {
        buttons[i].iBitmap = i;
        buttons[i].idCommand = (int)commands[i];
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = TBSTYLE_BUTTON;
        buttons[i].iString = -1;
    }
    CommandBar_AddBitmap(m_hMenuBar, CorGetInstance(), IDB_GLOBORA_BUTTONS, kButtonCount, kButtonImageSize,
                         kButtonImageSize);
    CommandBar_AddButtons(m_hMenuBar, kButtonCount, buttons);
    CommandBar_AddToolTips(m_hMenuBar, kButtonCount, tips);
}

void CWorldClockWnd::OnDestroy()
{
    KillTimer(kTickTimer);
    KillTimer(kFlashTimer);
    if (m_list.GetSafeHwnd())
        m_list.DestroyWindow();
    HFONT fonts[] = {m_digitFont, m_headerClockFont, m_headerCityFont, m_nameFont, m_listFont};
    for (HFONT font : fonts)
        if (font)
            ::DeleteObject(font);
    if (m_copyIcon)
        ::DestroyIcon(m_copyIcon);
    if (m_listIcon)
        ::DestroyIcon(m_listIcon);
    CWnd::OnDestroy();
}

void CWorldClockWnd::OnTimer(UINT_PTR timerId)
{
    if (timerId == kTickTimer) {
        Tick();
    } else if (timerId == kFlashTimer) {
        KillTimer(kFlashTimer);
        if (m_flashing) {
            m_flashing = false;
            InvertDot(m_flash);
        }
    }
}

// Nothing moves while the list is open; the header and the flash rest while
// the stylus is on the map.
void CWorldClockWnd::Tick()
{
    if (m_listSlot >= 0)
        return;
    if (!m_stylusOnMap) {
        DrawHeader();
        ShowHeader();
        FlashCurrentCity();
    }
    DrawBoxes();
    ShowBoxes();
}

LRESULT CWorldClockWnd::OnCommand(UINT id, UINT code)
{
    if (id == IDC_GLOBORA_CITY_LIST) {
        OnListNotify(code);
        return 0;
    }
    if (id >= IDM_GLOBORA_NEAR_FIRST && id < IDM_GLOBORA_NEAR_FIRST + (UINT)m_nearCount) {
        MakeCurrent(m_near[id - IDM_GLOBORA_NEAR_FIRST]);
        return 0;
    }
    switch (id) {
    case IDM_GLOBORA_CLOCK:
        CSI::LaunchCPL(3);  // the clock page
        return 0;
    case IDM_GLOBORA_TO_BAR:
        SwitchToBar();
        return 0;
    case IDM_GLOBORA_ABOUT:
        ::MessageBoxW(m_hWnd, L"World Clock\r\nThe time in four cities of the world.", L"About World Clock",
                      MB_OK | MB_ICONINFORMATION);
        return 0;
    case IDOK:
    case IDCANCEL:
    case IDM_GLOBORA_EXIT:
        Close();  // deletes this object: nothing may follow
        return 0;
    }
    return CWnd::OnCommand(id, code);
}

LRESULT CWorldClockWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        Close();
        return 0;
    }
    return CWnd::OnMessage(message, wParam, lParam);
}

void CWorldClockWnd::StoreSelection()
{
    m_slots.Save();
    KetraSend(WM_KETRA_RELAY, 0, 0);
}

void CWorldClockWnd::Close()
{
    StoreSelection();
    DestroyWindow();
}

// The side bar with the world clock in it: started when it does not run (if
// the installation folder is known), else told to show the applet, or to
// open or close when it shows it already.
void CWorldClockWnd::SwitchToBar()
{
    StoreSelection();
    if (!KetraFindBar()) {
        KetraStartBar(kAppletName);  // nothing without the installation folder
        return;
    }
    wchar_t current[CRegistry::kMaxText] = L"";
    DWORD size = CRegistry::kMaxText;
    CRegistry options;
    if (!options.Open(HKEY_LOCAL_MACHINE, KETRA_OPTIONS_KEY, TRUE) ||
        !options.ReadString(KETRA_CURRENT_APPLET_VALUE, current, &size))
        current[0] = L'\0';
    if (wcscmp(current, kAppletName) != 0) {
        KetraWriteCurrentApplet(kAppletName);
        KetraSend(WM_KETRA_SHOWAPPLET, 0, 0);
    } else {
        KetraSend(WM_KETRA_WINDOW, KETRA_WINDOW_TOGGLE, 0);
    }
}
