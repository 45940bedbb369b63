// The schedule editor's main window.
#include "turnsel_frame.h"

#include <aygshell.h>
#include <strsafe.h>

#include "resource.h"

namespace {

const int kButtonImageSize = 16;

} // namespace

// Full screen below the task bar, the task bar's OK corner closing it.
BOOL CTurnselFrame::CreateFrame()
{
    return CreateEx(WS_EX_CAPTIONOKBTN, ULMIRA_CLASS, L"Settings", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr);
}

void CTurnselFrame::OnCreate()
{
    m_page.CreatePage(m_hWnd);
    // The menu bar shortens the window; the page follows through WM_SIZE.
    if (CreateCommandBar(IDR_TURNSEL_MENUBAR))
        CreateScheduleButtons();
    m_page.LoadSchedule(m_schedule);
    CWnd::OnCreate();
}

void CTurnselFrame::CreateScheduleButtons()
{
    TBBUTTON buttons[kScheduleCount] = {};
    wchar_t tipText[kScheduleCount][32];
    const WCHAR* tips[kScheduleCount] = {};
    for (int i = 0; i < kScheduleCount; ++i) {
        buttons[i].iBitmap = i;
        buttons[i].idCommand = ID_SCHEDULE1 + i;
        buttons[i].fsState = TBSTATE_ENABLED | (i == m_schedule ? TBSTATE_CHECKED : 0);
        buttons[i].fsStyle = TBSTYLE_CHECKGROUP;
        buttons[i].iString = -1;
        StringCchPrintfW(tipText[i], 32, L"Rotator Schedule %d", i + 1);
        tips[i] = tipText[i];
    }
    CommandBar_AddBitmap(m_hMenuBar, CorGetInstance(), IDB_SCHEDULES, kScheduleCount, kButtonImageSize,
                         kButtonImageSize);
    CommandBar_AddButtons(m_hMenuBar, kScheduleCount, buttons);
    CommandBar_AddToolTips(m_hMenuBar, kScheduleCount, tips);
}

void CTurnselFrame::SwitchSchedule(int schedule)
{
    if (!IsScheduleNumber(schedule))
        return;
    if (schedule != m_schedule) {
        m_page.SaveSchedule(m_schedule);
        m_schedule = schedule;
    }
    m_page.LoadSchedule(m_schedule);
    if (m_hMenuBar)
        ::SendMessageW(m_hMenuBar, TB_CHECKBUTTON, ID_SCHEDULE1 + m_schedule, TRUE);
}

void CTurnselFrame::SaveAndStartRotator()
{
    if (m_saved)
        return;
    m_saved = true;
    WriteCurrentSchedule(m_schedule);
    m_page.SaveSchedule(m_schedule);
    CModuleInfo program((HINSTANCE)::GetModuleHandleW(nullptr));
    LPCWSTR rotator = program.GetFileName(L"rotator.exe");
    wchar_t path[MAX_PATH];
    wchar_t parameter[8];
    if (rotator && SUCCEEDED(StringCchCopyW(path, MAX_PATH, rotator)) &&
        SUCCEEDED(StringCchPrintfW(parameter, 8, L"%d", m_schedule)))
        CSH::Execute(path, parameter);
}

LRESULT CTurnselFrame::OnCommand(UINT id, UINT code)
{
    if (id >= ID_SCHEDULE1 && id < ID_SCHEDULE1 + kScheduleCount) {
        SwitchSchedule(static_cast<int>(id - ID_SCHEDULE1));
        return 0;
    }
    switch (id) {
    case ID_ABOUT:
        ::MessageBoxW(m_hWnd, L"Vexilo Rotator\r\nChanges the Today theme on a schedule.", L"About", MB_OK);
        return 0;
    case IDOK:
    case IDCANCEL:
        SaveAndStartRotator();
        DestroyWindow();  // deletes this object: nothing may follow
        return 0;
    }
    return CWnd::OnCommand(id, code);
}

LRESULT CTurnselFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kSwitchMessage:
        SwitchSchedule(static_cast<int>(wParam));
        return 0;
    case WM_CLOSE:
        SaveAndStartRotator();
        break;  // the default procedure destroys the window
    case WM_SIZE: {
        RECT client;
        if (m_page.GetSafeHwnd() && ::GetClientRect(m_hWnd, &client))
            m_page.MoveWindow(0, 0, client.right, client.bottom);
        break;
    }
    }
    return CWnd::OnMessage(message, wParam, lParam);
}

void CTurnselFrame::OnDestroy()
{
    m_page.EndDialog();
    CWnd::OnDestroy();
}
