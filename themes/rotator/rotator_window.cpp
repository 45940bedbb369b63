// The rotator's window: notification icon, menu, timer.
#include "rotator_window.h"

#include <shellapi.h>
#include <strsafe.h>

#include "auto_start.h"
#include "resource.h"

namespace {

const UINT kTapped = WM_LBUTTONDOWN;
// The longest period a window timer takes.
const ULONGLONG kMaxTimerMs = 0x7FFFFFFF;

} // namespace

BOOL CRotatorWindow::CreateRotator()
{
    return CreateEx(WS_EX_TOOLWINDOW, ROTATOR_CLASS, L"Rotator", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr);
}

void CRotatorWindow::OnCreate()
{
    for (int i = 0; i < kScheduleCount; ++i)
        m_icons[i] = (HICON)::LoadImageW(CorGetInstance(), MAKEINTRESOURCEW(IDI_SCHEDULE1 + i), IMAGE_ICON, 16, 16,
                                         0);
    ShowScheduleIcon(0, NIM_ADD);
    CWnd::OnCreate();
}

void CRotatorWindow::OnDestroy()
{
    StopTimer();
    if (m_iconAdded)
        ShowScheduleIcon(0, NIM_DELETE);
    for (HICON& icon : m_icons) {
        if (icon)
            ::DestroyIcon(icon);
        icon = nullptr;
    }
    CWnd::OnDestroy();
}

void CRotatorWindow::ShowScheduleIcon(int schedule, DWORD operation)
{
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = m_hWnd;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kIconMessage;
    data.hIcon = IsScheduleNumber(schedule) ? m_icons[schedule] : nullptr;
    StringCchPrintfW(data.szTip, ARRAYSIZE(data.szTip), L"Theme Rotator: Schedule%d", schedule + 1);
    BOOL done = ::Shell_NotifyIconW(operation, &data);
    if (operation == NIM_ADD)
        m_iconAdded = done != 0;
    else if (operation == NIM_DELETE)
        m_iconAdded = false;
}

void CRotatorWindow::StartTimer()
{
    if (m_rotating)
        return;
    long minutes = m_rotation.IntervalMinutes();
    ULONGLONG period = minutes <= 0 ? static_cast<ULONGLONG>(kZeroIntervalMs) : static_cast<ULONGLONG>(minutes) * 60000;
    if (period > kMaxTimerMs)
        period = kMaxTimerMs;
    if (SetTimer(kTimerId, static_cast<UINT>(period)))
        m_rotating = true;
}

void CRotatorWindow::StopTimer()
{
    KillTimer(kTimerId);
    m_rotating = false;
}

void CRotatorWindow::SelectSchedule(int schedule, bool advance)
{
    // Numbers from outside (command line, messages) may be anything.
    if (!IsScheduleNumber(schedule) || !m_rotation.Select(schedule))
        return;
    StopTimer();
    ShowScheduleIcon(schedule, m_iconAdded ? NIM_MODIFY : NIM_ADD);
    StartTimer();
    if (advance)
        m_rotation.Advance();
}

void CRotatorWindow::OnTimer(UINT_PTR timerId)
{
    // A tick while an advance still runs is skipped.
    if (timerId == kTimerId)
        m_rotation.AdvanceInBackground();
}

void CRotatorWindow::ShowMenu()
{
    HMENU schedules = ::CreatePopupMenu();
    for (int i = 0; i < kScheduleCount; ++i) {
        wchar_t text[16];
        StringCchPrintfW(text, 16, L"Schedule%d", i + 1);
        UINT flags = MF_STRING | (i == m_rotation.CurrentSchedule() ? MF_CHECKED : 0);
        ::AppendMenuW(schedules, flags, ID_SCHEDULE1 + i, text);
    }
    HMENU tools = ::CreatePopupMenu();
    ::AppendMenuW(tools, MF_STRING, ID_SETTINGS, L"Setting...");
    ::AppendMenuW(tools, MF_STRING | (AutoStartExists() ? MF_CHECKED : 0), ID_AUTO_START, L"Auto Start");
    ::AppendMenuW(tools, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(tools, MF_STRING, ID_EXIT, L"Exit");

    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_POPUP, (UINT_PTR)schedules, L"Schedule");
    ::AppendMenuW(menu, MF_POPUP, (UINT_PTR)tools, L"Tools");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    if (m_rotating)
        ::AppendMenuW(menu, MF_STRING, ID_STOP_ROTATE, L"Stop Rotate");
    else
        ::AppendMenuW(menu, MF_STRING, ID_RESUME_ROTATE, L"Resume Rotate");
    ::AppendMenuW(menu, MF_STRING, ID_NEXT_THEME, L"Next Theme");

    // A pop-up menu of a window in the background closes only when its
    // owner is in front.
    ::SetForegroundWindow(m_hWnd);
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, kMenuX, kMenuY, 0, m_hWnd, nullptr);
    ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    ::DestroyMenu(menu);  // with its sub-menus
}

// The editor from the program's folder, on the schedule in use.
void CRotatorWindow::StartEditor()
{
    CModuleInfo program((HINSTANCE)::GetModuleHandleW(nullptr));
    LPCWSTR editor = program.GetFileName(L"Turnsel.exe");
    if (!editor)
        return;
    wchar_t path[MAX_PATH];
    if (FAILED(StringCchCopyW(path, MAX_PATH, editor)))
        return;
    wchar_t parameter[4];
    StringCchPrintfW(parameter, 4, L"%d", IsScheduleNumber(m_rotation.CurrentSchedule()) ? m_rotation.CurrentSchedule() : 0);
    CSH::Execute(path, parameter);
}

// Stops the timer and waits (bounded) for an advance still running, so that
// no theme is left half copied, then closes.
void CRotatorWindow::Exit()
{
    StopTimer();
    if (m_iconAdded)
        ShowScheduleIcon(0, NIM_DELETE);
    m_rotation.WaitIdle(CRotation::kWaitMs);
    DestroyWindow();
}

LRESULT CRotatorWindow::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case ID_SCHEDULE1:
    case ID_SCHEDULE1 + 1:
    case ID_SCHEDULE1 + 2:
    case ID_SCHEDULE1 + 3:
        SelectSchedule(static_cast<int>(id - ID_SCHEDULE1), true);
        return 0;
    case ID_SETTINGS:
        StartEditor();
        return 0;
    case ID_AUTO_START:
        if (AutoStartExists())
            RemoveAutoStart();
        else
            CreateAutoStart();
        return 0;
    case ID_EXIT:
        Exit();  // deletes this object: nothing may follow
        return 0;
    case ID_STOP_ROTATE:
        StopTimer();
        return 0;
    case ID_RESUME_ROTATE:
        StartTimer();
        return 0;
    case ID_NEXT_THEME:
        m_rotation.Advance();
        return 0;
    }
    return CWnd::OnCommand(id, code);
}

LRESULT CRotatorWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kSelectMessage:
        SelectSchedule(static_cast<int>(wParam), true);
        return 0;
    case kIconMessage:
        if (wParam == kIconId && lParam == kTapped)
            ShowMenu();
        return 0;
    case WM_CLOSE:
        Exit();
        return 0;
    }
    return CWnd::OnMessage(message, wParam, lParam);
}
