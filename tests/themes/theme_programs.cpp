// The theme programs' tests: what they share.
#include "theme_programs.h"

const wchar_t kRotatorPath[] = L"\\Program Files\\ZARQ\\Ketra\\Rotator.exe";
const wchar_t kEditorPath[] = L"\\Program Files\\ZARQ\\Ketra\\Turnsel.exe";
const wchar_t kRotatorKey[] = L"SOFTWARE\\ZARQ\\Rotator";
const wchar_t kTodayKey[] = L"Software\\Microsoft\\Today";

namespace {

const wchar_t* const kSamples[] = {L"Ocean.tsk", L"Sunset.tsk", L"Meadow.tsk", L"Amber.tsk", L"Night.tsk"};
const wchar_t kTodayFile[] = L"\\Windows\\tdywater.gif";
const wchar_t kStartFile[] = L"\\Windows\\stwater.gif";

} // namespace

std::wstring ScheduleFile(int schedule)
{
    return L"\\Program Files\\ZARQ\\Ketra\\Schedule" + std::to_wstring(schedule + 1) + L".tsc";
}

bool WriteSchedule(int schedule, long interval, int order, const std::vector<std::wstring>& themes)
{
    CSchedule written;
    written.interval = interval;
    written.order = order;
    written.themes = themes;
    return WriteScheduleFile(ScheduleFile(schedule).c_str(), written);
}

std::wstring ScheduleText(int schedule)
{
    std::string bytes;
    if (!testkit::ReadBytes(ScheduleFile(schedule), &bytes))
        return L"<missing>";
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

std::wstring ThemeInForce()
{
    return testkit::ReadText(kTodayKey, L"Skin", HKEY_CURRENT_USER);
}

DWORD CurrentTsk(int schedule)
{
    return testkit::ReadDword(std::wstring(kRotatorKey) + L"\\Schedule" + std::to_wstring(schedule + 1),
                              L"CurrentTsk");
}

void ThemeProgramsTest::SetUp()
{
    ASSERT_TRUE(m_rotator.Saved() && m_folders.Saved() && m_colours.Saved() && m_today.Saved());
    testkit::EndProcesses(L"Rotator.exe");
    testkit::EndProcesses(L"Turnsel.exe");
    for (int i = 0; i < kScheduleCount; ++i) {
        m_hadSchedule[i] = testkit::ReadBytes(ScheduleFile(i), &m_schedules[i]);
        DeleteFileW(ScheduleFile(i).c_str());
    }
    m_todayPicture = testkit::ReadBytes(kTodayFile);
    m_startPicture = testkit::ReadBytes(kStartFile);
}

void ThemeProgramsTest::TearDown()
{
    testkit::EndProcesses(L"Rotator.exe");
    testkit::EndProcesses(L"Turnsel.exe");
    for (int i = 0; i < kScheduleCount; ++i) {
        if (m_hadSchedule[i])
            testkit::WriteBytes(ScheduleFile(i), m_schedules[i]);
        else
            DeleteFileW(ScheduleFile(i).c_str());
    }
    testkit::WriteBytes(kTodayFile, m_todayPicture);
    testkit::WriteBytes(kStartFile, m_startPicture);
    m_rotator.Restore();
    m_folders.Restore();
    m_colours.Restore();
    m_today.Restore();
    testkit::BroadcastSettingChange(0xF2);
}

std::vector<std::wstring> ThemeProgramsTest::Themes(int count)
{
    std::vector<std::wstring> themes;
    for (int i = 0; i < count; ++i) {
        std::wstring path = m_folder / (L"T" + std::to_wstring(i) + L".tsk");
        CopyFileW(ThemeFixture(kSamples[i % 5]).c_str(), path.c_str(), FALSE);
        themes.push_back(path);
    }
    return themes;
}
