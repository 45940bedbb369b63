// The rotator's window: hidden, living in the task bar's notification area
// (icon 105, callback 3025), holding the schedule in use and its timer.
#pragma once

#include <corvane.h>

#include "rotation.h"

#define ROTATOR_CLASS L"Rotator"

class CRotatorWindow : public CWnd {
public:
    // Messages: select schedule wParam and advance at once (sent by a second
    // start), and the notification icon's callback.
    enum { kSelectMessage = 2025, kIconMessage = 3025 };
    enum { kIconId = 105, kTimerId = 1001 };
    // The period of an interval of 0 minutes.
    enum { kZeroIntervalMs = 10000 };
    // Where the menu opens.
    enum { kMenuX = 220, kMenuY = 211 };

    BOOL CreateRotator();
    // Selects a schedule; with advance set, advances at once after it.
    void SelectSchedule(int schedule, bool advance);

    void OnCreate() override;
    void OnDestroy() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR timerId) override;

private:
    void StartTimer();
    void StopTimer();
    void ShowScheduleIcon(int schedule, DWORD operation);
    void ShowMenu();
    void StartEditor();
    void Exit();

    CRotation m_rotation;
    bool m_rotating = false;
    bool m_iconAdded = false;
    HICON m_icons[kScheduleCount] = {};
};
