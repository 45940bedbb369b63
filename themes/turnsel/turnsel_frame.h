// The schedule editor's main window: the page, and the menu bar with the
// "Tools" drop-down and one button per schedule.
#pragma once

#include "schedule_page.h"

#define ULMIRA_CLASS L"ULMIRA_CLASS"

class CTurnselFrame : public CWnd {
public:
    // Message: switch to schedule wParam (0 to 3).
    enum { kSwitchMessage = 2308 };

    explicit CTurnselFrame(int schedule) : m_schedule(schedule) {}
    BOOL CreateFrame();

    void OnCreate() override;
    void OnDestroy() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateScheduleButtons();
    void SwitchSchedule(int schedule);
    // Records the schedule in use, saves it and starts the rotator on it;
    // runs once.
    void SaveAndStartRotator();

    CSchedulePage m_page;
    int m_schedule;
    bool m_saved = false;
};
