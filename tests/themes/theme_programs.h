// What the rotator's and the schedule editor's tests share: the programs'
// places, their schedules and registry kept and put back, themes to
// schedule, and the theme in force.
#pragma once

#include <string>
#include <vector>

#include <schedule.h>

#include "theme_test_support.h"

extern const wchar_t kRotatorPath[];
extern const wchar_t kEditorPath[];
extern const wchar_t kRotatorKey[];   // HKLM "SOFTWARE\ZARQ\Rotator"
extern const wchar_t kTodayKey[];     // HKCU "Software\Microsoft\Today"

// The schedule file n (0 to 3) beside the installed programs.
std::wstring ScheduleFile(int schedule);
bool WriteSchedule(int schedule, long interval, int order, const std::vector<std::wstring>& themes);
// The text of a schedule file as written (UTF-16), "<missing>" without one.
std::wstring ScheduleText(int schedule);

// The theme in force (the Today settings' `Skin`).
std::wstring ThemeInForce();
DWORD CurrentTsk(int schedule);

// Everything the theme programs change, kept for a test and put back: the
// rotator's and the theme folders' keys, the four schedule files, the theme
// settings and pictures; neither program is left running.
class ThemeProgramsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Copies of sample themes, "T0.tsk" ... in a scratch folder.
    std::vector<std::wstring> Themes(int count);

    testkit::ScratchFolder m_folder{L"theme-programs"};

private:
    // One key each: two text pointers in one list would make one string.
    testkit::RegistrySandbox m_rotator{{kRotatorKey}};
    testkit::RegistrySandbox m_folders{{L"SOFTWARE\\ZARQ\\Vexilo"}};
    testkit::RegistrySandbox m_colours{{L"SOFTWARE\\Microsoft\\Color"}};
    testkit::RegistrySandbox m_today{{kTodayKey}, HKEY_CURRENT_USER};
    std::string m_schedules[kScheduleCount];
    bool m_hadSchedule[kScheduleCount] = {};
    std::string m_todayPicture, m_startPicture;
};
