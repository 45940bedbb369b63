// The contacts applet on the side bar: its tabs, keys, rows and numbers, the
// "Ring Settings" hand-over, the hold menu with its add-ins, launch and
// beam, and switching away while a large store loads.
#include <gtest/gtest.h>

#include <memory>

#include "phone_fixture.h"

namespace {

using namespace testkit;
using namespace phonetest;

const wchar_t kAddInsParent[] = L"Software\\ZARQ\\Ketra\\Applets";
const wchar_t kAddInsKey[] = L"Software\\ZARQ\\Ketra\\Applets\\Contacts\\AddIns";
const wchar_t kDeviceAddInsKey[] = L"Software\\Microsoft\\PimApps\\PimExtensions\\Contacts\\AddIns";

std::wstring Contacts(int count)
{
    std::wstring text = L"Oid\tFileAs\tMobileTelephoneNumber\tBusinessTelephoneNumber\tHomeTelephoneNumber\r\n";
    const wchar_t* names[] = {L"Adams", L"Allen", L"Baker", L"Brandt", L"Carter", L"Castillo",
                              L"Dunmore", L"Eriksen", L"Evans", L"Fontaine", L"Gallagher", L"Zed"};
    for (int i = 0; i < count; ++i) {
        std::wstring name = count <= 12 ? names[i] : L"Person " + std::to_wstring(10000 + i);
        text += std::to_wstring(1001 + i) + L"\t" + name + L"\t";
        if (i == 0)
            text += L"555 0101\t555 0102\t555 0103";
        else if (i == 1)
            text += L"\t\t";  // no numbers at all
        else
            text += L"555" + std::to_wstring(i);
        text += L"\r\n";
    }
    return text;
}

class ContactTest : public ::testing::Test {
protected:
    void Show(int contacts)
    {
        store_.WriteUtf8(Contacts(contacts));
        bar_.reset();  // the bar before is gone, and its settings put back, first
        bar_ = std::make_unique<AppletOnBar>(L"Contacts");
        ASSERT_TRUE(bar_->Shown()) << "the bar does not show the contacts";
        list_ = std::make_unique<RemoteListView>(GetDlgItem(bar_->Window(), 1300));
        ASSERT_TRUE(PumpUntil([&] { return list_->Count() == contacts; }, 10000));
        PumpMessages(200);
    }
    HWND Tab(int i) const { return GetDlgItem(bar_->Window(), 1200 + i); }
    std::wstring Labels() const
    {
        std::wstring labels;
        for (int i = 0; i < 5; ++i)
            labels += L"[" + phonetest::WindowText(Tab(i)) + (IsWindowEnabled(Tab(i)) ? L"]" : L"-]");
        return labels;
    }
    int Focused() const { return (int)SendMessageW(list_->Handle(), LVM_GETNEXTITEM, (WPARAM)-1, LVNI_FOCUSED); }

    SavedFile store_{kContacts};
    RegistrySandbox addIns_{{std::wstring(kAddInsParent), std::wstring(kDeviceAddInsKey)}};
    std::unique_ptr<AppletOnBar> bar_;
    std::unique_ptr<RemoteListView> list_;
};

TEST_F(ContactTest, TwelveContactsUnderFiveTabsWithLeftAndRight)
{
    ASSERT_NO_FATAL_FAILURE(Show(12));
    EXPECT_EQ(L"Contact", ClassOf(bar_->Window()));
    EXPECT_EQ(L"Adams", list_->Text(0));
    EXPECT_EQ(L"5550101", list_->Text(0, 1));
    EXPECT_EQ(L"", list_->Text(1, 1));
    // Buckets 0-1, 2-3, 4-6, 7-8, 9-11; the current tab (0) reads as pressed.
    EXPECT_EQ(L"[A-][B][C~D][E][F~Z]", Labels());
    SendMessageW(list_->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(2, Focused());
    EXPECT_EQ(L"[A][B-][C~D][E][F~Z]", Labels());
    SendMessageW(list_->Handle(), WM_KEYDOWN, VK_LEFT, 0);
    SendMessageW(list_->Handle(), WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(9, Focused()) << "left from the first tab wraps to the last";
    SendMessageW(bar_->Window(), WM_COMMAND, MAKEWPARAM(1203, BN_CLICKED), (LPARAM)Tab(3));
    EXPECT_EQ(7, Focused());
    EXPECT_EQ(L"[A][B][C~D][E-][F~Z]", Labels());
    EXPECT_FALSE(GetWindowLongW(list_->Handle(), GWL_STYLE) & WS_HSCROLL) << "the columns are wider than the list";
}

TEST_F(ContactTest, ThreeContactsLabelOnlyTheirTabsAndNoneLabelNothing)
{
    ASSERT_NO_FATAL_FAILURE(Show(3));
    EXPECT_EQ(L"[A-][A][B][-][-]", Labels());
    for (int i = 0; i < 4; ++i)
        SendMessageW(list_->Handle(), WM_KEYDOWN, VK_RIGHT, 0);  // wraps over five places
    EXPECT_FALSE(IsWindowEnabled(Tab(3)) || IsWindowEnabled(Tab(4))) << "an unlabelled tab is never enabled";
    bar_->Close();
    ASSERT_NO_FATAL_FAILURE(Show(0));
    EXPECT_EQ(L"[-][-][-][-][-]", Labels());
    SendMessageW(list_->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(L"[-][-][-][-][-]", Labels());
}

TEST_F(ContactTest, TappingARowCyclesItsNumbersUnlessRingSettingsIsOpen)
{
    ASSERT_NO_FATAL_FAILURE(Show(12));
    ASSERT_TRUE(list_->TapRow(0));
    EXPECT_TRUE(PumpUntil([&] { return list_->Text(0, 1) == L"5550102"; }, 3000)) << ToUtf8(list_->Text(0, 1));
    ASSERT_TRUE(list_->TapRow(0));
    EXPECT_TRUE(PumpUntil([&] { return list_->Text(0, 1) == L"5550103"; }, 3000));
    ASSERT_TRUE(list_->TapRow(0));
    EXPECT_TRUE(PumpUntil([&] { return list_->Text(0, 1) == L"5550101"; }, 3000));
    ASSERT_TRUE(list_->TapRow(1));
    PumpMessages(300);
    EXPECT_EQ(L"", list_->Text(1, 1));

    TestWindow ring(L"PhoneTestRing", {0, 0, 10, 10});
    SetWindowTextW(ring.hwnd(), L"Ring Settings");
    ASSERT_TRUE(list_->TapRow(0));
    EXPECT_TRUE(PumpUntil([&] { return !ring.Messages(WM_USER + 777).empty(); }, 3000));
    auto sent = ring.Messages(WM_USER + 777);
    ASSERT_EQ(1u, sent.size());
    EXPECT_EQ(2u, sent[0].wParam);
    EXPECT_EQ(1001, sent[0].lParam);
    EXPECT_EQ(L"5550101", list_->Text(0, 1));
}

TEST_F(ContactTest, HoldMenuAddInsLaunchAndBeam)
{
    WriteText(std::wstring(kAddInsKey) + L"\\Probe", L"menu", L"Probe...");
    WriteText(std::wstring(kAddInsKey) + L"\\Probe", L"dll", TestFolder() + L"phone_test_addin.dll");
    ASSERT_NO_FATAL_FAILURE(Show(12));
    RECT row = list_->RowOnScreen(2);
    RECT applet = bar_->Rect();
    ASSERT_TRUE(bar_->Hold(row.left + 20 - applet.left, (row.top + row.bottom) / 2 - applet.top));
    EXPECT_TRUE(PumpUntil([] { return VisibleWindow(L"#32768") != nullptr; }, 3000)) << "a hold pops a menu";
    EXPECT_EQ(2, Focused()) << "a hold focuses its row";
    PressKey(VK_ESCAPE);
    PumpUntil([] { return VisibleWindow(L"#32768") == nullptr; }, 2000);

    DeviceLog log;
    bar_->Send(WM_COMMAND, 1100);
    EXPECT_TRUE(log.HasLine(L"addin: owner 0000000000000000 type 2 count 1 oid 1003")) << ToUtf8(log.First(L"addin"));
    bar_->Send(WM_COMMAND, 1600);
    EXPECT_TRUE(log.HasLine(L"beam: contact 1003"));
    bar_->Send(WM_COMMAND, 1400);
    EXPECT_TRUE(log.WaitFor(L"poutlook: started contacts", 10000));
    EndProcesses(L"poutlook.exe");
}

TEST_F(ContactTest, SwitchingAwayWhileALargeStoreLoadsLeavesTheBarRunning)
{
    store_.WriteUtf8(Contacts(1000));
    bar_ = std::make_unique<AppletOnBar>(L"Contacts");
    ASSERT_TRUE(bar_->Shown());
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(ChooseApplet(i % 2 ? L"Contacts" : L"Dialer")) << "switch " << i;
        PumpMessages(30);
    }
    EXPECT_NE(nullptr, KetraFindBar());
    EXPECT_TRUE(ChooseApplet(L"Contacts"));
    list_ = std::make_unique<RemoteListView>(GetDlgItem(AppletWindowOnBar(L"Contact"), 1300));
    EXPECT_TRUE(PumpUntil([&] { return list_->Count() == 1000; }, 30000));
    // Listed a batch at a time: each row once, in the store's order.
    for (int row : {0, 9, 10, 109, 110, 999})
        EXPECT_EQ(L"Person " + std::to_wstring(10000 + row), list_->Text(row)) << "row " << row;
    EXPECT_EQ(L"555999", list_->Text(999, 1));
}

}  // namespace
