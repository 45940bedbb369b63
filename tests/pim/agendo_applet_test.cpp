// The PIM summary on the real side bar, driven as its user drives it: the
// seeded summary's colours and arrows, opening and closing in the applet's
// height, the programs its icons start, the five-minute reload, a store
// that fails, and what is left when the applet goes.
#include <gtest/gtest.h>

#include <ketra_testkit.h>

#include <functional>
#include <memory>
#include <string>

using namespace testkit;

namespace {

const wchar_t kAppletName[] = L"PIM Summary";
const wchar_t kInbox[] = L"\\Windows\\PIM\\inbox.txt";
const wchar_t kCalendar[] = L"\\Windows\\PIM\\calendar.txt";
const wchar_t kTasks[] = L"\\Windows\\PIM\\tasks.txt";
const wchar_t kTraceLog[] = L"\\My Documents\\ZARQLOG.txt";
const wchar_t kColoursKey[] = L"Software\\ZARQ\\Ketra\\Colors";

const COLORREF kBackground = RGB(240, 248, 255);
const COLORREF kBarFill = RGB(200, 220, 240);
const COLORREF kInk = RGB(0, 0, 128);
const COLORREF kArrowBlue = RGB(40, 90, 190);  // the arrows' fill (tools/gen_pim_art.py)

const UINT_PTR kReloadTimer = 1001;

const wchar_t kThreeUnread[] = L"Subject\tBody\tRead\tFrom\n"
                               L"Lunch\tShall we?\\r\\nAnna\t0\tAnna\n"
                               L"Figures\tRevised.\t0\tTom\n"
                               L"Seen\tOld.\t1\tBob\n"
                               L"Shipped\tYour order.\t0\tShop\n";
const wchar_t kOneUnread[] = L"Subject\tBody\tRead\nOnly one\tJust this.\t0\n";
const wchar_t kNoneUnread[] = L"Subject\tBody\tRead\nSeen\tOld.\t1\n";
const wchar_t kTwoDays[] = L"Oid\tSubject\tStart\tEnd\tLocation\tBody\n"
                           L"1\tMeeting\ttoday+0 10:00\ttoday+0 11:00\tRoom 4\tBring the plan\n"
                           L"2\tDentist\ttoday+1 09:00\ttoday+1 09:30\t\t\n"
                           L"3\tLater\ttoday+3 09:00\ttoday+3 10:00\t\t\n";
const wchar_t kOneOpenTask[] = L"Oid\tSubject\tComplete\tBody\n"
                               L"11\tCall the plumber\t0\tAbout the tap\n"
                               L"12\tPaid\t1\t\n";

// Points of the closed view: a bar's text, its icon, its arrows.
POINT TextOf(int bar) { return {100, 4 + 25 * bar + 8}; }
POINT IconOf(int bar) { return {10, 4 + 25 * bar + 8}; }
POINT PreviousArrowOf(int top) { return {3 + 190 + 8, top + 3 + 8}; }
POINT NextArrowOf(int top) { return {3 + 215 + 7, top + 3 + 8}; }

class PimSummary : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(registry_.Saved());
        WriteDword(kColoursKey, L"1", kBackground);
        WriteDword(kColoursKey, L"2", kBarFill);
        WriteDword(kColoursKey, L"3", kInk);
        ASSERT_TRUE(calendar_.WriteUtf8(kTwoDays));
        ASSERT_TRUE(tasks_.WriteUtf8(kOneOpenTask));
    }
    void TearDown() override
    {
        bar_.reset();
        for (const wchar_t* program : {L"tmail.exe", L"calendar.exe", L"tasks.exe"})
            EndProcesses(program);
    }

    bool Show()
    {
        bar_ = std::make_unique<AppletOnBar>(kAppletName);
        return bar_->Shown() && PumpUntil([this] { return Pixel(1, 1) == kBackground; }, 5000);
    }
    COLORREF Pixel(POINT at) const { return bar_->Pixel(at.x, at.y); }
    // Whether the point shows the colour (within five seconds).
    bool Shows(POINT at, COLORREF colour) const
    {
        return PumpUntil([&] { return Pixel(at) == colour; }, 5000);
    }
    COLORREF Pixel(int x, int y) const { return bar_->Pixel(x, y); }
    int Height() const
    {
        RECT rect = bar_->Rect();
        return rect.bottom - rect.top;
    }
    bool Tap(POINT at) const
    {
        if (!bar_->Tap(at.x, at.y))
            return false;
        PumpMessages(300);
        PaintNow();
        return true;
    }
    // The applet's pending paint done before pixels are read.
    void PaintNow() const { RedrawWindow(bar_->Window(), nullptr, nullptr, RDW_UPDATENOW); }
    bool WaitHeight(int height) const { return PumpUntil([&] { return Height() == height; }, 5000); }
    void Reload() const
    {
        bar_->Send(WM_TIMER, kReloadTimer);
        PaintNow();
    }

    SavedFile inbox_{kInbox};
    SavedFile calendar_{kCalendar};
    SavedFile tasks_{kTasks};
    SavedFile trace_{kTraceLog};
    DeviceState state_;
    DeviceLog log_;
    RegistrySandbox registry_{{kSystemKey}};
    std::unique_ptr<AppletOnBar> bar_;
};

} // namespace

TEST_F(PimSummary, ShowsTheUnreadMailInTheBarsColoursWithArrowsOnlyForMore)
{
    ASSERT_TRUE(inbox_.WriteUtf8(kThreeUnread));
    ASSERT_TRUE(Show());
    wchar_t cls[32] = L"";
    GetClassNameW(bar_->Window(), cls, 32);
    EXPECT_STREQ(L"Pamsel", cls);
    EXPECT_EQ(80, Height());
    EXPECT_EQ(kBackground, Pixel(1, 1));
    EXPECT_EQ(kBarFill, Pixel(100, 6)) << "inside the mail bar";
    EXPECT_EQ(kInk, Pixel(100, 4)) << "the mail bar's outline";
    EXPECT_EQ(kBackground, Pixel(100, 27)) << "between the bars";
    EXPECT_EQ(kArrowBlue, Pixel(PreviousArrowOf(4)));
    EXPECT_EQ(kArrowBlue, Pixel(NextArrowOf(4)));
    // The tasks bar's single task has no arrows.
    EXPECT_EQ(kBarFill, Pixel(PreviousArrowOf(54)));
    EXPECT_NE(kBarFill, Pixel(IconOf(0))) << "the mail icon is drawn";
}

TEST_F(PimSummary, TheTextOpensAndClosesTheSectionOnlyWithMail)
{
    ASSERT_TRUE(inbox_.WriteUtf8(kThreeUnread));
    ASSERT_TRUE(Show());
    ASSERT_TRUE(Tap(TextOf(0)));
    EXPECT_TRUE(WaitHeight(130)) << "opened";
    EXPECT_TRUE(Shows({16, 29 + 11}, kBarFill)) << "the open text's box under the mail bar";
    EXPECT_TRUE(Shows({100, 79 + 2}, kBarFill)) << "the appointments bar moved below it";
    ASSERT_TRUE(Tap(TextOf(0)));
    EXPECT_TRUE(WaitHeight(80)) << "closed again";

    // Below the open text, anything but the other bars' icon and text closes.
    ASSERT_TRUE(Tap(TextOf(0)));
    ASSERT_TRUE(WaitHeight(130));
    ASSERT_TRUE(Tap({100, 40}));
    EXPECT_TRUE(WaitHeight(80));

    bar_.reset();
    ASSERT_TRUE(inbox_.WriteUtf8(kNoneUnread));
    ASSERT_TRUE(Show());
    ASSERT_TRUE(Tap(TextOf(0)));
    PumpMessages(500);
    EXPECT_EQ(80, Height()) << "nothing to read: the section stays closed";
    EXPECT_EQ(kBarFill, Pixel(PreviousArrowOf(4)));
}

TEST_F(PimSummary, IconsStartTheInboxCalendarAndTasks)
{
    ASSERT_TRUE(inbox_.WriteUtf8(kThreeUnread));
    ASSERT_TRUE(Show());
    ASSERT_TRUE(Tap(IconOf(0)));
    EXPECT_TRUE(log_.WaitFor(L"tmail: started", 10000));
    ASSERT_TRUE(Tap(IconOf(1)));
    EXPECT_TRUE(log_.WaitFor(L"calendar: started", 10000));
    ASSERT_TRUE(Tap(IconOf(2)));
    EXPECT_TRUE(log_.WaitFor(L"tasks: started", 10000));
    for (const wchar_t* program : {L"tmail.exe", L"calendar.exe", L"tasks.exe"})
        EndProcesses(program);

    // With the mail open, the tasks bar's icon sits at the bottom and the
    // section stays open after starting its program.
    ASSERT_TRUE(Tap(TextOf(0)));
    ASSERT_TRUE(WaitHeight(130));
    log_.Restart();
    ASSERT_TRUE(Tap({10, 104 + 8}));
    EXPECT_TRUE(log_.WaitFor(L"tasks: started", 10000));
    EXPECT_EQ(130, Height());
}

TEST_F(PimSummary, TheReloadShowsTheNewStoreFromTheFirstEntry)
{
    ASSERT_TRUE(inbox_.WriteUtf8(kThreeUnread));
    ASSERT_TRUE(Show());
    auto mailBarDifferences = [](const PixelSurface& a, const PixelSurface& b) {
        int differ = 0;
        for (int y = 4; y < 27; ++y)
            for (int x = 0; x < 236; ++x)
                differ += a.At(x, y) != b.At(x, y);
        return differ;
    };
    // The screen may show a repaint a while after it was made: each picture
    // is taken once two in a row agree and the change looked for is there.
    auto settledWhere = [&](const std::function<bool(const PixelSurface&)>& looked) {
        std::unique_ptr<PixelSurface> last, now;
        PumpUntil(
            [&] {
                last = std::move(now);
                now = bar_->Capture();
                return last && mailBarDifferences(*last, *now) == 0 && looked(*now);
            },
            5000);
        return now;
    };
    std::unique_ptr<PixelSurface> first = settledWhere([](const PixelSurface&) { return true; });
    // Stepped to the third message, then the store changes and the timer comes.
    ASSERT_TRUE(Tap(NextArrowOf(4)));
    ASSERT_TRUE(Tap(NextArrowOf(4)));
    std::unique_ptr<PixelSurface> stepped =
        settledWhere([&](const PixelSurface& now) { return mailBarDifferences(now, *first) > 0; });
    ASSERT_TRUE(inbox_.WriteUtf8(std::wstring(kThreeUnread) + L"Fourth\tMore.\t0\tAnn\n"));
    Reload();
    std::unique_ptr<PixelSurface> reloaded =
        settledWhere([&](const PixelSurface& now) { return mailBarDifferences(now, *stepped) > 0; });

    // The same store shown afresh starts at its first message.
    bar_.reset();
    ASSERT_TRUE(Show());
    std::unique_ptr<PixelSurface> fresh =
        settledWhere([&](const PixelSurface& now) { return mailBarDifferences(now, *reloaded) == 0; });
    const int differentFromFresh = mailBarDifferences(*reloaded, *fresh);
    const int differentFromStepped = mailBarDifferences(*reloaded, *stepped);
    EXPECT_EQ(0, differentFromFresh) << "the reloaded mail bar is the fresh one's";
    EXPECT_GT(differentFromStepped, 0) << "the title and position changed with the reload";

    ASSERT_TRUE(inbox_.WriteUtf8(kOneUnread));
    Reload();
    EXPECT_TRUE(Shows(PreviousArrowOf(4), kBarFill)) << "one message: no arrows";
}

TEST_F(PimSummary, AFailingStoreKeepsTheMailOrShowsThePlaceholderAndRecovers)
{
    ASSERT_TRUE(inbox_.WriteUtf8(kThreeUnread));
    ASSERT_TRUE(Show());
    state_.Set(L"MailFail", 2);
    ASSERT_TRUE(inbox_.WriteUtf8(kNoneUnread));
    Reload();
    EXPECT_TRUE(Shows(PreviousArrowOf(4), kArrowBlue)) << "the contents failed: the three messages stay";
    bar_.reset();

    trace_.Remove();
    state_.Set(L"MailFail", 1);
    ASSERT_TRUE(inbox_.WriteUtf8(kThreeUnread));
    ASSERT_TRUE(Show());
    EXPECT_EQ(kBarFill, Pixel(PreviousArrowOf(4))) << "no logon: the placeholder";
    ASSERT_TRUE(Tap(TextOf(0)));
    EXPECT_EQ(80, Height());
    ASSERT_TRUE(Tap(NextArrowOf(4)));
    EXPECT_TRUE(IsWindow(bar_->Window())) << "stepping the placeholder keeps the applet alive";
    EXPECT_TRUE(MessageBoxes::Open().empty()) << MessageBoxes::Describe();
    std::string trace = ReadBytes(kTraceLog);
    EXPECT_NE(std::string::npos, trace.find("CEMAPI: FAILED(80040111) at vomapi.cpp:")) << trace;

    // The next reload logs on again and finds the mail.
    state_.Delete(L"MailFail");
    Reload();
    EXPECT_TRUE(Shows(PreviousArrowOf(4), kArrowBlue));
}

TEST_F(PimSummary, TheCalendarAndTasksShowOpenAndFollowTheOpenTables)
{
    ASSERT_TRUE(inbox_.WriteUtf8(kOneUnread));
    ASSERT_TRUE(Show());
    EXPECT_EQ(kArrowBlue, Pixel(PreviousArrowOf(29))) << "two appointments in the two days";
    EXPECT_EQ(kBarFill, Pixel(PreviousArrowOf(54))) << "one open task";
    EXPECT_EQ(kBarFill, Pixel(PreviousArrowOf(4))) << "one unread message";

    // Appointments open below their bar; the mail bar's text opens the mail.
    ASSERT_TRUE(Tap(TextOf(1)));
    ASSERT_TRUE(WaitHeight(130));
    EXPECT_TRUE(Shows({16, 54 + 11}, kBarFill)) << "the appointment's text under its bar";
    EXPECT_TRUE(Shows({100, 104 + 2}, kBarFill)) << "the tasks bar at the bottom";
    ASSERT_TRUE(Tap(TextOf(0)));
    EXPECT_TRUE(Shows({16, 29 + 11}, kBarFill)) << "now the mail is open";
    EXPECT_EQ(130, Height());
    // Mail open: the tasks bar's text at the bottom opens the tasks.
    ASSERT_TRUE(Tap({100, 104 + 8}));
    EXPECT_TRUE(Shows({16, 79 + 11}, kBarFill)) << "the task's text under the tasks bar";
    // Tasks open: the appointments bar's icon starts the calendar, the section stays.
    ASSERT_TRUE(Tap(IconOf(1)));
    EXPECT_TRUE(log_.WaitFor(L"calendar: started", 10000));
    EXPECT_EQ(130, Height());
    // Anything below the open text closes.
    ASSERT_TRUE(Tap({100, 112}));
    EXPECT_TRUE(WaitHeight(80));
}

TEST_F(PimSummary, WithoutThePocketOutlookStoreTheCalendarAndTasksShowPlaceholders)
{
    ASSERT_TRUE(inbox_.WriteUtf8(kThreeUnread));
    state_.Set(L"PimFail", 1);
    ASSERT_TRUE(Show());
    EXPECT_EQ(kBarFill, Pixel(PreviousArrowOf(29)));
    ASSERT_TRUE(Tap(TextOf(1)));
    ASSERT_TRUE(Tap(TextOf(2)));
    PumpMessages(300);
    EXPECT_EQ(80, Height()) << "placeholders do not open";
    EXPECT_EQ(kArrowBlue, Pixel(PreviousArrowOf(4))) << "the mail is there";

    // The store is back at the next reload.
    state_.Delete(L"PimFail");
    Reload();
    EXPECT_TRUE(Shows(PreviousArrowOf(29), kArrowBlue));
}

TEST_F(PimSummary, LeavingClosesTheStoreAndAColourSetShows)
{
    ASSERT_TRUE(inbox_.WriteUtf8(kThreeUnread));
    ASSERT_TRUE(Show());
    bar_->Close();
    EXPECT_TRUE(log_.WaitFor(L"cemapi: uninitialized", 5000));
    EXPECT_TRUE(log_.HasLine(L"cemapi: logoff"));
    EXPECT_TRUE(log_.HasLine(L"cemapi: uninitialized, 0 objects open"));
    bar_.reset();

    // The colour values the settings program writes.
    WriteDword(kColoursKey, L"1", RGB(255, 255, 255));
    WriteDword(kColoursKey, L"2", RGB(255, 230, 200));
    WriteDword(kColoursKey, L"3", RGB(128, 0, 0));
    bar_ = std::make_unique<AppletOnBar>(kAppletName);
    ASSERT_TRUE(bar_->Shown());
    EXPECT_TRUE(PumpUntil([this] { return Pixel(100, 6) == RGB(255, 230, 200); }, 5000));
    EXPECT_EQ(RGB(255, 255, 255), Pixel(1, 1));
    EXPECT_EQ(RGB(128, 0, 0), Pixel(100, 4));
}
