// The dialer on the side bar: paging seen through the numbers it calls,
// removing and resetting, the reload timer, the Talk key and the phone
// program, and a call log that cannot be opened.
#include <gtest/gtest.h>

#include <memory>

#include "phone_fixture.h"

namespace {

using namespace testkit;
using namespace phonetest;

const POINT kPrevious = {20, 20};
const POINT kCall = {110, 20};
const POINT kNext = {215, 20};
const POINT kPhoneProgram = {10, 50};
const POINT kTalk = {32, 50};

class DialerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fail_.Delete();
        removed_.Remove();
        log_.WriteUtf8(L"Number\tName\tNameType\tStart\r\n"
                       L"111\tFirst\tw\ttoday+0 10:00\r\n"
                       L"Office (222) 555\t\t\ttoday-1 10:00\r\n"
                       L"333\t\t\ttoday-2 10:00\r\n"
                       L"111\t\t\ttoday-3 10:00\r\n");
    }
    void Show()
    {
        bar_.reset();  // the bar before is gone, and its settings put back, first
        bar_ = std::make_unique<AppletOnBar>(L"Dialer");
        ASSERT_TRUE(bar_->Shown()) << "the bar does not show the dialer";
    }
    // Taps call: the number the phone was asked for, "<none>" without a call.
    std::wstring Called()
    {
        DeviceLog log;
        bar_->Tap(kCall.x, kCall.y);
        if (!log.WaitFor(L"phone: call ", 3000))
            return L"<none>";
        std::wstring line = log.First(L"phone: call ");
        return line.substr(12, line.find(L" (flags") - 12);
    }
    void Tap(POINT at) { bar_->Tap(at.x, at.y); PumpMessages(100); }

    SavedFile log_{kCallLog};
    SavedFile removed_{Installed(L"DelNumber.txt")};
    SavedRegistryValue fail_{HKEY_LOCAL_MACHINE, kDeviceState, L"CallLogFail"};
    std::unique_ptr<AppletOnBar> bar_;
};

TEST_F(DialerTest, PagesWithWrapAroundAndCallsTheNumberShown)
{
    ASSERT_NO_FATAL_FAILURE(Show());
    EXPECT_EQ(63, Height(bar_->Rect()));
    DeviceLog log;
    EXPECT_EQ(L"111", Called());
    EXPECT_TRUE(log.HasLine(L"phone: call 111 (flags 1)"));
    Tap(kPrevious);
    EXPECT_EQ(L"333", Called()) << "previous on the first wraps to the last";
    Tap(kNext);
    EXPECT_EQ(L"111", Called()) << "next on the last wraps to the first";
    Tap(kNext);
    EXPECT_EQ(L"(222) 555", Called()) << "taken from its \"(\" on";
    EXPECT_GT(log.Count(L"sound: "), 0) << "each tap clicks";
}

TEST_F(DialerTest, RemoveToEmptyResetAndTheRemovedFile)
{
    ASSERT_NO_FATAL_FAILURE(Show());
    for (int i = 0; i < 3; ++i)
        bar_->Send(WM_COMMAND, 1001);
    EXPECT_EQ(L"<none>", Called()) << "nothing to call once all are removed";
    Tap(kNext);
    Tap(kPrevious);
    bar_->Send(WM_COMMAND, 1001);  // does nothing on an empty list
    bar_->Close();
    EXPECT_EQ("111\r\n(222) 555\r\n333\r\n", removed_.Bytes());

    ASSERT_NO_FATAL_FAILURE(Show());
    EXPECT_EQ(L"<none>", Called()) << "removed numbers stay removed";
    bar_->Send(WM_COMMAND, 1002);
    EXPECT_EQ(L"111", Called());
    bar_->Close();
    EXPECT_EQ("", removed_.Bytes());
}

TEST_F(DialerTest, TheTimerReloadsOnlyWithoutATapSinceItsLastTick)
{
    ASSERT_NO_FATAL_FAILURE(Show());
    EXPECT_EQ(L"111", Called());  // a tap
    log_.WriteUtf8(L"Number\tStart\r\n999\ttoday+0 11:00\r\n");
    bar_->Send(WM_TIMER, 10001);
    EXPECT_EQ(L"111", Called()) << "a tap since the last tick keeps the list";
    bar_->Send(WM_TIMER, 10001);  // clears the tap of the call above
    bar_->Send(WM_TIMER, 10001);
    EXPECT_EQ(L"999", Called());
}

TEST_F(DialerTest, TalkKeyAndPhoneProgram)
{
    ASSERT_NO_FATAL_FAILURE(Show());
    DeviceLog log;
    Tap(kTalk);
    EXPECT_TRUE(log.WaitFor(L"phone: talk key up", 3000));
    EXPECT_EQ(1, log.Count(L"phone: talk key down"));
    Tap(kPhoneProgram);
    EXPECT_TRUE(log.WaitFor(L"cprog: started", 10000));
    EXPECT_TRUE(PumpUntil([] { return !BarIsOpen(); }, 3000)) << "the bar slides closed for the phone";
    EndProcesses(L"cprog.exe");
}

TEST_F(DialerTest, ACallLogThatCannotBeOpenedIsTraced)
{
    SavedFile trace(kTraceLog);
    trace.Remove();
    fail_.SetDword(1);
    ASSERT_NO_FATAL_FAILURE(Show());
    EXPECT_EQ(L"<none>", Called());
    EXPECT_NE(std::string::npos, trace.Bytes().find("Failed: Open Call Log"));
}

// A long name ends in an ellipsis before the picture's handset.
TEST_F(DialerTest, ALongNameKeepsOffTheHandset)
{
    log_.WriteUtf8(L"Number\tName\tNameType\tStart\r\n"
                   L"(425) 555-0100\tBartholomew-Fitzgerald, Maximilian\t\ttoday+0 10:00\r\n");
    ASSERT_NO_FATAL_FAILURE(Show());
    PumpMessages(300);
    std::unique_ptr<PixelSurface> face = bar_->Capture();
    ASSERT_TRUE(face);
    const COLORREF text = RGB(0, 0, 0);
    EXPECT_GT(face->Count({40, 11, 174, 40}, text), 0) << "the name is drawn";
    EXPECT_EQ(0, face->Count({174, 0, 196, 40}, text)) << "the name runs under the handset";
    EXPECT_GT(face->Count({40, 43, 155, 63}, text), 0) << "the number is drawn";
}

}  // namespace
