// The "Send SMS..." add-in called directly against a stand-in bar, and the
// user's way from a held contact to the SMS sender with its number.
#include <gtest/gtest.h>

#include <pimstore.h>

#include <memory>

#include "phone_fixture.h"

namespace {

using namespace testkit;
using namespace phonetest;

const wchar_t kSmsSenderKey[] = L"SOFTWARE\\ZARQ\\Applets\\SMS Sender";
const wchar_t kOptionsKey[] = L"SOFTWARE\\ZARQ\\KETRA\\OPTIONS";

typedef int(WINAPI* LinkoraCommand)(HWND, PIMTYPE, UINT, HANDLE*, void*);

class LinkoraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        store_.WriteUtf8(L"Oid\tFileAs\tMobileTelephoneNumber\tHomeTelephoneNumber\r\n"
                         L"7\tMoreau, Julie\t(425) 555-0171\r\n"
                         L"8\tDunmore, Theo\t\t(503) 555-0164\r\n");
        library_ = LoadLibraryW((TestFolder() + L"Linkora.dll").c_str());
        ASSERT_NE(nullptr, library_);
        command_ = (LinkoraCommand)(void*)GetProcAddress(library_, "CePimCommand");
        ASSERT_NE(nullptr, command_);
    }
    void TearDown() override { FreeLibrary(library_); }
    // Calls the add-in; a stand-in bar of this thread gets its messages
    // posted, so they are handled before the answer is looked at.
    int Call(long oid, UINT count = 1)
    {
        HANDLE items[2] = {(HANDLE)(ULONG_PTR)oid, (HANDLE)(ULONG_PTR)oid};
        int result = command_(nullptr, PT_CONTACT, count, items, nullptr);
        PumpMessages(100);
        return result;
    }

    SavedFile store_{kContacts};
    RegistrySandbox zarq_{{L"SOFTWARE\\ZARQ"}};
    HMODULE library_ = nullptr;
    LinkoraCommand command_ = nullptr;
};

TEST_F(LinkoraTest, HandsTheMobileNumberToTheBarShowingTheSmsSender)
{
    TestWindow bar(KETRA_CLASS, {0, 0, 10, 10});
    WriteText(kOptionsKey, L"CurrentApplet", L"Clock");
    EXPECT_EQ(0, Call(7, 2)) << "only a call for one item";
    EXPECT_EQ(0, Call(8)) << "no mobile number";
    EXPECT_FALSE(HasValue(kSmsSenderKey, L"CallBack"));
    EXPECT_TRUE(bar.Messages(WM_KETRA_SHOWAPPLET).empty());

    Call(7);
    EXPECT_EQ(L"(425) 555-0171", ReadText(kSmsSenderKey, L"CallBack"));
    EXPECT_EQ(L"SMS Sender", ReadText(kOptionsKey, L"CurrentApplet"));
    EXPECT_EQ(1u, bar.Messages(WM_KETRA_SHOWAPPLET).size());
    EXPECT_TRUE(bar.Messages(WM_KETRA_RELAY).empty());
}

TEST_F(LinkoraTest, WithTheSmsSenderShowingItRelaysTheNumberAndOpens)
{
    TestWindow bar(KETRA_CLASS, {0, 0, 10, 10});
    WriteText(kOptionsKey, L"CurrentApplet", L"sms sender");
    EXPECT_EQ(1, Call(7));
    auto relayed = bar.Messages(WM_KETRA_RELAY);
    ASSERT_EQ(1u, relayed.size());
    EXPECT_EQ(1406u, relayed[0].wParam);
    ASSERT_EQ(1u, bar.Messages(WM_KETRA_OPEN).size());
    EXPECT_TRUE(bar.Messages(WM_KETRA_SHOWAPPLET).empty());
    EXPECT_EQ(L"sms sender", ReadText(kOptionsKey, L"CurrentApplet")) << "left as it was";
}

TEST_F(LinkoraTest, WithoutABarItStartsOneOnTheSmsSender)
{
    ASSERT_EQ(nullptr, KetraFindBar());
    const std::wstring path = ReadText(KETRA_KEY, L"path");
    DeleteValue(KETRA_KEY, L"path");
    EXPECT_EQ(0, Call(7)) << "no installation folder";
    WriteText(KETRA_KEY, L"path", path);
    DeviceLog log;
    EXPECT_EQ(1, Call(7));
    EXPECT_TRUE(log.WaitFor(L"Ketra.exe SMS Sender", 5000)) << ToUtf8(log.First(L"launch"));
    EXPECT_TRUE(PumpUntil([] { return AppletWindowOnBar(L"Textoro") != nullptr; }, 15000));
    // The applet's window is found while it may still be making its boxes.
    const auto number = [] { return phonetest::WindowText(GetDlgItem(AppletWindowOnBar(L"Textoro"), 1002)); };
    PumpUntil([&] { return number() == L"(425) 555-0171"; }, 5000);
    EXPECT_EQ(L"(425) 555-0171", number());
    CloseBar();
}

// The user's way: a contact held in the contacts applet, "Send SMS..." from
// its menu (the device's add-in, found through the fallback key), and the
// bar turns to the SMS sender with the contact's mobile number.
TEST(LinkoraOnTheBarTest, FromAHeldContactToTheSmsSender)
{
    SavedFile store(kContacts);
    store.WriteUtf8(L"Oid\tFileAs\tMobileTelephoneNumber\r\n"
                    L"7\tMoreau, Julie\t(425) 555-0171\r\n"
                    L"9\tTanaka, Hiro\t(206) 555-0196\r\n");
    RegistrySandbox addIns{{std::wstring(L"Software\\ZARQ\\Ketra\\Applets")}};
    DeleteKey(L"Software\\ZARQ\\Ketra\\Applets\\Contacts\\AddIns");
    AppletOnBar contacts(L"Contacts");
    ASSERT_TRUE(contacts.Shown());
    RemoteListView list(GetDlgItem(contacts.Window(), 1300));
    ASSERT_TRUE(PumpUntil([&] { return list.Count() == 2; }, 10000));
    RECT row = list.RowOnScreen(1);
    RECT applet = contacts.Rect();
    ASSERT_TRUE(contacts.Hold(row.left + 20 - applet.left, (row.top + row.bottom) / 2 - applet.top));
    ASSERT_TRUE(PumpUntil([] { return VisibleWindow(L"#32768") != nullptr; }, 3000));
    PressKey(VK_DOWN);  // the first item: "Send SMS..."
    PressKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([] { return AppletWindowOnBar(L"Textoro") != nullptr; }, 10000))
        << "the bar did not turn to the SMS sender";
    EXPECT_EQ(L"SMS Sender", CurrentApplet());
    EXPECT_TRUE(PumpUntil(
        [] { return phonetest::WindowText(GetDlgItem(AppletWindowOnBar(L"Textoro"), 1002)) == L"(206) 555-0196"; },
        3000));
}

}  // namespace
