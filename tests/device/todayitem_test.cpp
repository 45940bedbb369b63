// The owner-and-date Today item (ownerdate.dll), loaded the way a host
// loads it: ordinal 240 with a TODAYLISTITEM, polled with query-refresh,
// sent clear-cache before it is unloaded.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

const wchar_t kItem[] = L"\\Windows\\ownerdate.dll";
const wchar_t kOwnerKey[] = L"ControlPanel\\Owner";
const wchar_t kItemKey[] = L"Software\\Microsoft\\Today\\Items\\Owner and Date";
const int kTwoLines = 40;  // owner and date
const int kOneLine = 22;   // owner only

void SetOwnerBytes(const void* data, DWORD cb)
{
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CURRENT_USER, kOwnerKey, L"Owner", REG_BINARY, data, cb));
}

void SetOwner(const wchar_t* name)
{
    SetOwnerBytes(name, (DWORD)((wcslen(name) + 1) * sizeof(wchar_t)));
}

class TodayItemTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetOwner(L"Pat Rivers");
        WriteDword(kItemKey, L"ShowDate", 1);
        ASSERT_TRUE(host_->Loaded());
    }
    LRESULT QueryRefresh() { return host_->QueryRefresh(); }
    TODAYLISTITEM& Item() { return host_->Item(); }

    SavedRegistryValue savedOwner_{HKEY_CURRENT_USER, kOwnerKey, L"Owner"};
    SavedRegistryValue savedShowDate_{HKEY_LOCAL_MACHINE, kItemKey, L"ShowDate"};
    std::unique_ptr<AppletHost> host_ = std::make_unique<AppletHost>(kItem, 240, 200);
};

} // namespace

TEST_F(TodayItemTest, DisabledItemHasNoWindow)
{
    EXPECT_EQ(nullptr, host_->Create(false));
}

TEST_F(TodayItemTest, CreatesAHiddenChildThatReportsItsHeight)
{
    HWND window = host_->Create();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(host_->Host(), GetParent(window));
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_CHILD);
    EXPECT_FALSE(IsWindowVisible(window));

    Item().cyp = 0;
    EXPECT_TRUE(QueryRefresh()) << "the first query reports the item";
    EXPECT_EQ((DWORD)kTwoLines, Item().cyp);
    EXPECT_FALSE(QueryRefresh()) << "nothing changed since";
    EXPECT_EQ((DWORD)kTwoLines, Item().cyp);
}

TEST_F(TodayItemTest, QueryRefreshReportsChangesAndClearCacheForcesOne)
{
    ASSERT_NE(nullptr, host_->Create());
    QueryRefresh();

    SetOwner(L"Lee Ashford");
    EXPECT_TRUE(QueryRefresh());
    EXPECT_FALSE(QueryRefresh());

    WriteDword(kItemKey, L"ShowDate", 0);
    EXPECT_TRUE(QueryRefresh());
    EXPECT_EQ((DWORD)kOneLine, Item().cyp);

    // A record larger than any name, without a terminator, is cut, not overrun.
    std::vector<wchar_t> blob(100, L'W');
    SetOwnerBytes(blob.data(), (DWORD)(blob.size() * sizeof(wchar_t)));
    EXPECT_TRUE(QueryRefresh());
    EXPECT_EQ((DWORD)kOneLine, Item().cyp);

    host_->Send(WM_TODAYCUSTOM_CLEARCACHE, (WPARAM)&Item());
    EXPECT_TRUE(QueryRefresh()) << "after clear-cache the item reports itself again";
}

TEST_F(TodayItemTest, PaintsTheOwnerOverTheHostsWatermark)
{
    HWND window = host_->Create();
    ASSERT_NE(nullptr, window);
    QueryRefresh();
    SetWindowPos(window, nullptr, 0, 0, 240, (int)Item().cyp, SWP_NOZORDER);

    std::unique_ptr<PixelSurface> painted = host_->Paint();
    EXPECT_EQ(AppletHost::kBackground, painted->At(0, 0)) << "the background comes from the host";
    EXPECT_EQ(AppletHost::kBackground, painted->At(239, 0));
    EXPECT_GT(painted->Count({0, 0, 240, 20}, RGB(0, 0, 0)), 20) << "the owner line is drawn";
    EXPECT_GT(painted->Count({0, 20, 240, (int)Item().cyp}, RGB(0, 0, 0)), 20) << "the date line is drawn";
}

TEST_F(TodayItemTest, OptionsDialogSwitchesTheDateLine)
{
    auto options = reinterpret_cast<DLGPROC>(reinterpret_cast<void*>(host_->Export(ORDINAL_OPTIONSDIALOGPROC)));
    ASSERT_NE(nullptr, options);
    auto open = [&] {
        return CreateDialogParamW(host_->Library(), MAKEINTRESOURCEW(IDD_TODAY_CUSTOM), host_->Host(), options,
                                  reinterpret_cast<LPARAM>(&Item()));
    };
    HWND dialog = open();
    ASSERT_NE(nullptr, dialog);
    HWND check = GetWindow(dialog, GW_CHILD);
    int id = 0;
    for (; check; check = GetWindow(check, GW_HWNDNEXT))
        if ((GetWindowLongW(check, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX)
            id = GetDlgCtrlID(check);
    ASSERT_NE(0, id);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, id));

    CheckDlgButton(dialog, id, BST_UNCHECKED);
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0u, ReadDword(kItemKey, L"ShowDate"));
    DestroyWindow(dialog);

    dialog = open();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, id));
    CheckDlgButton(dialog, id, BST_CHECKED);
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(0u, ReadDword(kItemKey, L"ShowDate")) << "Cancel keeps the stored choice";
    DestroyWindow(dialog);
}

TEST_F(TodayItemTest, CanBeLoadedAgainAfterItWasUnloaded)
{
    ASSERT_NE(nullptr, host_->Create());
    host_.reset();
    host_ = std::make_unique<AppletHost>(kItem, 240, 200);
    ASSERT_TRUE(host_->Loaded());
    EXPECT_NE(nullptr, host_->Create());
}
