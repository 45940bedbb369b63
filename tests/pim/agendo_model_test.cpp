// The PIM summary's model without drawing: titles and texts of the three
// sections, cuts, placeholders, steps, layouts and what taps do.
#include <gtest/gtest.h>

#include "agendo_model.h"

using namespace agendo;

namespace {

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour, WORD minute)
{
    SYSTEMTIME st = {};
    st.wYear = year;
    st.wMonth = month;
    st.wDay = day;
    st.wHour = hour;
    st.wMinute = minute;
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    FileTimeToSystemTime(&ft, &st);  // the weekday
    return st;
}

AppointmentItem Appointment(const std::wstring& subject, SYSTEMTIME start, SYSTEMTIME end,
                            const std::wstring& location = L"", const std::wstring& note = L"")
{
    return {subject, location, note, start, end};
}

Section MailSection() { return Section(kIconMail, L"No unread message"); }

const LCID kEnglish = 0x409;
const LCID kGerman = 0x407;

} // namespace

TEST(AgendoAppointments, TitlesShowTheDayAndTimesOrAMultiDayEvent)
{
    // 2026-12-07 is a Monday.
    EXPECT_EQ(L"[Mon 10:00-11:00] Team meeting",
              AppointmentTitle(Appointment(L"Team meeting", At(2026, 12, 7, 10, 0), At(2026, 12, 7, 11, 0)), kEnglish));
    EXPECT_EQ(L"[Mo. 9:05-9:30] Zahnarzt",
              AppointmentTitle(Appointment(L"Zahnarzt", At(2026, 12, 7, 9, 5), At(2026, 12, 7, 9, 30)), kGerman));
    EXPECT_EQ(L"[Multi-day event] Night train",
              AppointmentTitle(Appointment(L"Night train", At(2026, 12, 7, 23, 0), At(2026, 12, 8, 1, 0)), kEnglish));
    // Same day of another month or year is another day.
    EXPECT_EQ(L"[Multi-day event] Away",
              AppointmentTitle(Appointment(L"Away", At(2026, 11, 7, 9, 0), At(2026, 12, 7, 9, 0)), kEnglish));
    EXPECT_EQ(L"[Tue 8:00-9:00] No Subject",
              AppointmentTitle(Appointment(L"", At(2026, 12, 8, 8, 0), At(2026, 12, 8, 9, 0)), kEnglish));
    // Subjects count 40 characters; the title stays within its 63.
    std::wstring title = AppointmentTitle(
        Appointment(std::wstring(100, L'x'), At(2026, 12, 7, 10, 0), At(2026, 12, 7, 11, 0)), kEnglish);
    EXPECT_EQ(L"[Mon 10:00-11:00] " + std::wstring(40, L'x'), title);
    title = AppointmentTitle(Appointment(std::wstring(100, L'x'), At(2026, 12, 7, 10, 0), At(2026, 12, 9, 11, 0)),
                             kEnglish);
    EXPECT_EQ(L"[Multi-day event] " + std::wstring(40, L'x'), title);
}

TEST(AgendoAppointments, TextsCombineLocationAndNoteWithinTheirField)
{
    EXPECT_EQ(L"[Location: Room 4] Bring the plan", AppointmentText(L"Room 4", L"Bring the plan"));
    EXPECT_EQ(L"[Location: Room 4]", AppointmentText(L"Room 4", L""));
    EXPECT_EQ(L"Bring the plan", AppointmentText(L"", L"Bring the plan"));
    EXPECT_EQ(L"No Content", AppointmentText(L"", L""));
    // A long location or note is cut to the 127-character text, never past it.
    std::wstring text = AppointmentText(std::wstring(300, L'L'), L"note");
    EXPECT_EQ(127u, text.size());
    EXPECT_EQ(L"[Location: " + std::wstring(116, L'L'), text);
    EXPECT_EQ(127u, AppointmentText(L"", std::wstring(300, L'n')).size());

    Section section(kIconAppointments, L"No upcomming appointments");
    LoadAppointments(&section,
                     {Appointment(L"One", At(2026, 12, 7, 10, 0), At(2026, 12, 7, 11, 0), L"Hall", L"line\r\nbreak"),
                      Appointment(L"Two", At(2026, 12, 8, 9, 0), At(2026, 12, 8, 10, 0))},
                     kEnglish);
    ASSERT_EQ(2, section.Count());
    EXPECT_STREQ(L"[Location: Hall] line  break", section.At(0).text);
    EXPECT_STREQ(L"No Content", section.At(1).text);
    LoadAppointments(&section, {}, kEnglish);
    ASSERT_EQ(1, section.Count());
    EXPECT_STREQ(L"No upcomming appointments", section.Current().title);
    EXPECT_FALSE(section.HasItems());
}

TEST(AgendoSections, MailKeepsItsEntriesWhenTheInboxCannotBeReadAndIsNeverEmpty)
{
    Section mail = MailSection();
    // A failed first load still leaves the placeholder to draw and step.
    LoadMail(&mail, false, {});
    ASSERT_EQ(1, mail.Count());
    EXPECT_STREQ(L"No unread message", mail.Current().title);
    EXPECT_STREQ(L"No Content", mail.Current().text);
    EXPECT_FALSE(mail.HasItems());
    mail.Next();
    mail.Previous();
    EXPECT_EQ(0, mail.Index());

    std::wstring body = L"Dear Ann,\r\nthe figures\nfollow." + std::wstring(300, L'.');
    LoadMail(&mail, true, {{L"Figures", body}, {L"", L""}});
    ASSERT_EQ(2, mail.Count());
    EXPECT_TRUE(mail.HasItems());
    EXPECT_EQ(127u, wcslen(mail.At(0).text)) << "255 characters of body into a 127-character text";
    EXPECT_EQ(0, wcsncmp(L"Dear Ann,  the figures follow.", mail.At(0).text, 30));
    EXPECT_STREQ(L"No Subject", mail.At(1).title);
    EXPECT_STREQ(L"No Content", mail.At(1).text);

    LoadMail(&mail, false, {});
    EXPECT_EQ(2, mail.Count()) << "a failed reload keeps the mail";
    EXPECT_TRUE(mail.HasItems());
    LoadMail(&mail, true, {});
    EXPECT_EQ(1, mail.Count());
    EXPECT_FALSE(mail.HasItems());
}

TEST(AgendoSections, StepsWrapBothWaysAndTitlesAreCutForTheBar)
{
    Section tasks(kIconTasks, L"No active tasks");
    LoadTasks(&tasks, {{L"One", L"", false}, {L"Done", L"", true}, {L"Two", L"n", false}, {L"Three", L"", false}});
    ASSERT_EQ(3, tasks.Count());
    EXPECT_STREQ(L"Two", tasks.At(1).title);
    tasks.Previous();
    EXPECT_EQ(2, tasks.Index()) << "previous from the first goes to the last";
    tasks.Next();
    EXPECT_EQ(0, tasks.Index());
    tasks.Next();
    tasks.Next();
    tasks.Next();
    EXPECT_EQ(0, tasks.Index());
    LoadTasks(&tasks, {{L"Done", L"", true}});
    EXPECT_STREQ(L"No active tasks", tasks.Current().title);
    EXPECT_FALSE(tasks.HasItems());

    Section mail = MailSection();
    LoadMail(&mail, true, {{std::wstring(200, L's'), L"b"}});
    EXPECT_EQ(63u, wcslen(mail.Current().title));
    EXPECT_EQ(std::wstring(30, L's') + L"...", DisplayTitle(mail.Current().title));
    EXPECT_EQ(std::wstring(30, L'a'), DisplayTitle(std::wstring(30, L'a').c_str()));
    EXPECT_EQ(std::wstring(30, L'a') + L"...", DisplayTitle(std::wstring(31, L'a').c_str()));
    EXPECT_EQ(std::wstring(250, L't'), DisplayText(std::wstring(250, L't').c_str()));
    EXPECT_EQ(std::wstring(250, L't') + L"...", DisplayText(std::wstring(251, L't').c_str()));
}

TEST(AgendoLayout, BarsAndTextFollowTheModeTable)
{
    const int bars[4][3] = {{4, 29, 54}, {4, 79, 104}, {4, 29, 104}, {4, 29, 54}};
    const int modes[4] = {kAllClosed, 0, 1, 2};
    const int texts[4] = {-1, 29, 54, 79};
    for (int m = 0; m < 4; ++m) {
        for (int s = 0; s < kSectionCount; ++s)
            EXPECT_EQ(bars[m][s], BarTop(modes[m], s)) << "mode " << modes[m] << " section " << s;
        EXPECT_EQ(texts[m], OpenTextTop(modes[m]));
    }
    EXPECT_EQ(0, HotArea({0, 0}));
    EXPECT_EQ(1, HotArea({30, 24}));
    EXPECT_EQ(6, HotArea({190, 25}));
    EXPECT_EQ(19, HotArea({235, 124}));
    EXPECT_EQ(-1, HotArea({236, 10}));
    EXPECT_EQ(-1, HotArea({10, 125}));
    EXPECT_EQ(-1, HotArea({-1, 10}));
}

TEST(AgendoLayout, TapsFollowTheClosedAndOpenTables)
{
    auto is = [](int mode, int area, TapAction::Kind kind, int section) {
        TapAction action = DecideTap(mode, area);
        return action.kind == kind && (kind == TapAction::kNothing || kind == TapAction::kClose ||
                                       action.section == section);
    };
    // All closed: the three bars; below them and outside, nothing.
    EXPECT_TRUE(is(kAllClosed, 0, TapAction::kStartProgram, kMail));
    EXPECT_TRUE(is(kAllClosed, 5, TapAction::kOpen, kAppointments));
    EXPECT_TRUE(is(kAllClosed, 10, TapAction::kPrevious, kTasks));
    EXPECT_TRUE(is(kAllClosed, 11, TapAction::kNext, kTasks));
    EXPECT_TRUE(is(kAllClosed, 12, TapAction::kNothing, 0));
    EXPECT_TRUE(is(kAllClosed, -1, TapAction::kNothing, 0));
    // Mail open: its own bar, the two bars below the text, the rest closes.
    EXPECT_TRUE(is(0, 1, TapAction::kClose, 0));
    EXPECT_TRUE(is(0, 3, TapAction::kNext, kMail));
    EXPECT_TRUE(is(0, 12, TapAction::kStartProgram, kAppointments));
    EXPECT_TRUE(is(0, 13, TapAction::kOpen, kAppointments));
    EXPECT_TRUE(is(0, 16, TapAction::kStartProgram, kTasks));
    EXPECT_TRUE(is(0, 17, TapAction::kOpen, kTasks));
    EXPECT_TRUE(is(0, 5, TapAction::kClose, 0));
    EXPECT_TRUE(is(0, 14, TapAction::kClose, 0));
    EXPECT_TRUE(is(0, -1, TapAction::kClose, 0));
    // Appointments open.
    EXPECT_TRUE(is(1, 0, TapAction::kStartProgram, kMail));
    EXPECT_TRUE(is(1, 1, TapAction::kOpen, kMail));
    EXPECT_TRUE(is(1, 6, TapAction::kPrevious, kAppointments));
    EXPECT_TRUE(is(1, 16, TapAction::kStartProgram, kTasks));
    EXPECT_TRUE(is(1, 17, TapAction::kOpen, kTasks));
    EXPECT_TRUE(is(1, 2, TapAction::kClose, 0));
    EXPECT_TRUE(is(1, 9, TapAction::kClose, 0));
    // Tasks open.
    EXPECT_TRUE(is(2, 4, TapAction::kStartProgram, kAppointments));
    EXPECT_TRUE(is(2, 5, TapAction::kOpen, kAppointments));
    EXPECT_TRUE(is(2, 8, TapAction::kStartProgram, kTasks));
    EXPECT_TRUE(is(2, 9, TapAction::kClose, 0));
    EXPECT_TRUE(is(2, 16, TapAction::kClose, 0));
}
