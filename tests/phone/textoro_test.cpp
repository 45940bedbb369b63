// The SMS sender on the side bar, driven as a user drives it: its messages,
// sends into the device's outbox, the recent numbers, canned texts, a number
// handed over through the bar and the keyboard.
#include <gtest/gtest.h>

#include <sip.h>
#include <sipkbd_layout.h>

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

// The keyboard with the device's methods as a test leaves them: the built-in
// keyboard current and the panel's settings put back.
class TextoroKeyboardTest : public TextoroTest {
protected:
    void TearDown() override
    {
        bar_.reset();
        CLSID keyboard = CLSID_SipKeyboard;
        SipSetCurrentIM(&keyboard);
    }
    bool UseMethod(const wchar_t* clsidText) const
    {
        CLSID clsid = {};
        return SUCCEEDED(CLSIDFromString(clsidText, &clsid)) && SipSetCurrentIM(&clsid);
    }
    bool TapKey(wchar_t c) const
    {
        const SipKey* key = SipKeyForCharacter(c);
        if (!key)
            return false;
        POINT at = SipKeyCentre(*key, {0, kKeyboardTop});
        return bar_->Tap(at.x, at.y);
    }
    static constexpr int kKeyboardTop = 90;
    static constexpr POINT kToggle = {199, 12};
    RegistrySandbox sipSettings_{{L"ControlPanel\\Sip"}, HKEY_CURRENT_USER};
};

// The bar's keyboard applet leaves its empty method current and default: the
// SMS sender takes the first listed method with a panel, the built-in one.
TEST_F(TextoroKeyboardTest, ShowsBelowTheBoxesInTheBarAndTypesIntoTheFocusedBox)
{
    ASSERT_TRUE(sipSettings_.Saved());
    ASSERT_TRUE(UseMethod(L"{22575F6F-DA76-4FCC-9E67-2AF7C74D0580}")) << "the empty method KtIM";
    ASSERT_NO_FATAL_FAILURE(Show());
    const int barHeight = Height(WindowRect(bar_->Bar()));
    HWND panel = FindChild(bar_->Window(), L"Static", 1111);
    ASSERT_NE(nullptr, panel);
    EXPECT_FALSE(IsWindowVisible(panel));

    ASSERT_TRUE(bar_->Tap(kToggle.x, kToggle.y));
    EXPECT_TRUE(PumpUntil([&] { return Height(bar_->Rect()) == kKeyboardTop + kSipKeyboardHeight; }, 3000))
        << Height(bar_->Rect());
    EXPECT_EQ(barHeight + kSipKeyboardHeight, Height(WindowRect(bar_->Bar()))) << "the bar took the new height";
    EXPECT_TRUE(IsWindowVisible(panel));
    EXPECT_EQ(kKeyboardTop, WindowRect(panel).top - bar_->Rect().top);
    EXPECT_NE(nullptr, FindChild(panel, L"SipKeyboard"));

    ASSERT_TRUE(TapClient(Message(), 20, 20));
    for (wchar_t c : {L'h', L'i'})
        ASSERT_TRUE(TapKey(c));
    EXPECT_TRUE(PumpUntil([&] { return phonetest::WindowText(Message()) == L"hi"; }, 3000))
        << ToUtf8(phonetest::WindowText(Message()));
    ASSERT_TRUE(TapClient(Number(), 20, 8));
    for (wchar_t c : {L'5', L'5'})
        ASSERT_TRUE(TapKey(c));
    EXPECT_TRUE(PumpUntil([&] { return phonetest::WindowText(Number()) == L"55"; }, 3000))
        << ToUtf8(phonetest::WindowText(Number()));
    EXPECT_EQ(L"hi", phonetest::WindowText(Message()));

    ASSERT_TRUE(bar_->Tap(kToggle.x, kToggle.y));
    EXPECT_TRUE(PumpUntil([&] { return Height(bar_->Rect()) == kKeyboardTop; }, 3000)) << Height(bar_->Rect());
    EXPECT_EQ(barHeight, Height(WindowRect(bar_->Bar())));
    EXPECT_FALSE(IsWindowVisible(panel));
}

// The current method comes first, and goes with the applet: deselected, then
// released.
TEST_F(TextoroKeyboardTest, CurrentMethodIsUsedAndLetGoWhenTheAppletGoes)
{
    ASSERT_TRUE(sipSettings_.Saved());
    ASSERT_TRUE(UseMethod(L"{B8BA9BB9-8F92-4FCC-874B-A0D7D76101C7}")) << "the test method Probe Pad";
    DeviceLog log;
    ASSERT_NO_FATAL_FAILURE(Show());
    ASSERT_TRUE(bar_->Tap(kToggle.x, kToggle.y));
    EXPECT_TRUE(PumpUntil([&] { return Height(bar_->Rect()) == kKeyboardTop + 60; }, 3000)) << Height(bar_->Rect());
    EXPECT_NE(-1, log.Find(L"probeim: Showing"));
    bar_.reset();
    ASSERT_NE(-1, log.Find(L"probeim: Deselect"));
    EXPECT_LT(log.Find(L"probeim: Deselect"), log.Find(L"probeim: Release"));
}

}  // namespace
