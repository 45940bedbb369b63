// The SMS sender on the side bar, driven as a user drives it: its messages,
// sends into the device's outbox, the recent numbers, canned texts, a number
// handed over through the bar and the keyboard.
#include <gtest/gtest.h>

#include <memory>

#include "phone_fixture.h"

namespace {

using namespace testkit;
using namespace phonetest;

const wchar_t kCaption[] = L"SMS Sender";
const POINT kSend = {225, 12};

class TextoroTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fail_.Delete();
        outbox_.Remove();
        numbers_.Remove();
        canned_.Write("Hello there\r\n\r\nSee you\r\n");
    }
    void Show()
    {
        bar_ = std::make_unique<AppletOnBar>(kCaption);
        ASSERT_TRUE(bar_->Shown()) << "the bar does not show the SMS sender";
    }
    HWND Number() const { return GetDlgItem(bar_->Window(), 1002); }
    HWND Message() const { return GetDlgItem(bar_->Window(), 1101); }
    void Type(const wchar_t* number, const wchar_t* message) const
    {
        SendMessageW(Number(), WM_SETTEXT, 0, (LPARAM)number);
        SendMessageW(Message(), WM_SETTEXT, 0, (LPARAM)message);
    }
    // Taps send and answers the box it brings: its text.
    std::wstring Send() const
    {
        if (!bar_->Tap(kSend.x, kSend.y))
            return L"<no tap>";
        std::wstring text = MessageBoxes::WaitFor(kCaption);
        MessageBoxes::Answer(IDOK, kCaption);
        MessageBoxes::WaitNone();
        return text;
    }
    std::wstring Outbox() const { return FromUtf8(ReadBytes(kOutbox)); }

    SavedFile outbox_{kOutbox};
    SavedFile numbers_{Installed(L"MyNumber.txt")};
    SavedFile canned_{Installed(L"Phrasel.txt")};
    SavedRegistryValue fail_{HKEY_LOCAL_MACHINE, kDeviceState, L"SmsFail"};
    std::unique_ptr<AppletOnBar> bar_;
};

TEST_F(TextoroTest, SaysWhatIsMissingOrWrongAndSendsNothing)
{
    ASSERT_NO_FATAL_FAILURE(Show());
    EXPECT_EQ(L"Textoro", ClassOf(bar_->Window()));
    EXPECT_EQ(90, Height(bar_->Rect()));
    Type(L"", L"");
    EXPECT_EQ(L"There is no text to send.", Send());
    Type(L"5550100", L"");
    EXPECT_EQ(L"There is no text to send.", Send());
    Type(L"", L"Hello");
    EXPECT_EQ(L"Phone number must be entered.", Send());
    Type(L"555-CALL", L"Hello");
    EXPECT_EQ(L"Phone No is incorrect.", Send());
    EXPECT_FALSE(FileExists(kOutbox));
    EXPECT_FALSE(FileExists(numbers_.Path()));
}

TEST_F(TextoroTest, SendsIntoTheOutboxAndKeepsTenNumbersNewestFirst)
{
    ASSERT_NO_FATAL_FAILURE(Show());
    Type(L"+1 (425) 555-0100", L"Gr\u00fc\u00dfe aus Seattle");
    EXPECT_EQ(L"The SMS Message was successfully sent.", Send());
    EXPECT_NE(std::wstring::npos, Outbox().find(L"\t+1 (425) 555-0100\t0\t1\t0\t0\t0\tGr\u00fc\u00dfe aus Seattle\r\n"))
        << ToUtf8(Outbox());
    EXPECT_EQ("+1 (425) 555-0100\r\n", numbers_.Bytes());

    for (int i = 0; i < 10; ++i) {
        Type((L"555010" + std::to_wstring(i)).c_str(), L"x");
        ASSERT_EQ(L"The SMS Message was successfully sent.", Send());
    }
    Type(L"5550103", L"again");
    ASSERT_EQ(L"The SMS Message was successfully sent.", Send());
    EXPECT_EQ("5550103\r\n5550109\r\n5550108\r\n5550107\r\n5550106\r\n5550105\r\n5550104\r\n5550102\r\n"
              "5550101\r\n5550100\r\n",
              numbers_.Bytes());
    EXPECT_EQ(10, (int)SendMessageW(Number(), CB_GETCOUNT, 0, 0));
}

TEST_F(TextoroTest, AFailedSendLeavesTheNumbersAsTheyWere)
{
    const std::string before = "5550111\r\n5550122\r\n";
    numbers_.Write(before);
    ASSERT_NO_FATAL_FAILURE(Show());
    for (DWORD stage : {1u, 3u}) {
        fail_.SetDword(stage);
        Type(L"5550199", L"lost");
        EXPECT_EQ(L"The SMS Message was not sent.", Send()) << "failing stage " << stage;
    }
    EXPECT_EQ(before, numbers_.Bytes());
    EXPECT_FALSE(FileExists(kOutbox));
    // No service centre: sent with the service's own.
    fail_.SetDword(2);
    Type(L"5550199", L"centre");
    EXPECT_EQ(L"The SMS Message was successfully sent.", Send());
}

TEST_F(TextoroTest, CannedTextsAreAppendedWithinTheBoxLimit)
{
    ASSERT_NO_FATAL_FAILURE(Show());
    Type(L"", L"Hi. ");
    SendMessageW(bar_->Window(), WM_COMMAND, 7701, 0);  // the second text: the empty line is none
    EXPECT_EQ(L"Hi. See you", phonetest::WindowText(Message()));
    Type(L"", std::wstring(255, L'x').c_str());
    SendMessageW(bar_->Window(), WM_COMMAND, 7700, 0);
    EXPECT_EQ(std::wstring(255, L'x') + L"Hell", phonetest::WindowText(Message())) << "259 characters at most";

    DeviceLog log;
    SendMessageW(bar_->Window(), WM_COMMAND, 8800, 0);
    EXPECT_TRUE(log.WaitFor(L"Phrasel.exe", 5000));
    EndProcesses(L"Phrasel.exe");
}

TEST_F(TextoroTest, TakesANumberHandedOverThroughTheBar)
{
    SavedRegistryValue callBack(HKEY_LOCAL_MACHINE, L"SOFTWARE\\ZARQ\\Applets\\SMS Sender", L"CallBack");
    callBack.SetString(L"(206) 555-0147");
    ASSERT_NO_FATAL_FAILURE(Show());
    EXPECT_EQ(L"(206) 555-0147", phonetest::WindowText(Number()));
    callBack.SetString(L"+49 151 5550 1122");
    bar_->SendToBar(WM_KETRA_RELAY, 1406, 0);
    EXPECT_EQ(L"+49 151 5550 1122", phonetest::WindowText(Number()));
    bar_.reset();  // its settings put back before the value is
}

TEST_F(TextoroTest, ContactsButtonOpensTheDeviceContacts)
{
    ASSERT_NO_FATAL_FAILURE(Show());
    DeviceLog log;
    ASSERT_TRUE(bar_->Tap(155, 12));
    EXPECT_TRUE(log.WaitFor(L"poutlook: started contacts", 10000));
    EndProcesses(L"poutlook.exe");
}

}  // namespace
