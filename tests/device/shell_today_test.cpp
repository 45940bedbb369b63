// Today items on the Today screen: the test devices register the fixture
// item "Shell Test Item" (shelltestitem.dll, Order 5, Height 30) beside the
// device's own items; the screen loads it, stacks it, polls it, paints its
// background for it and unloads it when the registration changes.
#include <gtest/gtest.h>


#include <algorithm>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

const wchar_t kItemKey[] = L"Software\\Microsoft\\Today\\Items\\Shell Test Item";
const wchar_t kItemClass[] = L"ShellTestItem";
constexpr int kBuiltInRows = 44;  // the date and owner rows

HWND FindItem()
{
    HWND today = TodayScreen();
    return today ? FindWindowExW(today, nullptr, kItemClass, nullptr) : nullptr;
}

// The item's rectangle in the Today screen's client coordinates.
RECT ItemRect(HWND item)
{
    RECT rc = {};
    GetWindowRect(item, &rc);
    MapWindowPoints(nullptr, TodayScreen(), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

struct ChildRects {
    std::vector<std::pair<HWND, RECT>> rects;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM param)
{
    if (GetParent(child) == TodayScreen() && IsWindowVisible(child))
        reinterpret_cast<ChildRects*>(param)->rects.push_back({child, ItemRect(child)});
    return TRUE;
}

void Reload()
{
    BroadcastSettingChange(0);
}

class TodayItems : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TodayScreen());
        ASSERT_TRUE(PumpUntil([] { return FindItem() != nullptr; }, 10000)) << "the fixture item is not loaded";
    }
};

} // namespace

TEST_F(TodayItems, StackedInOrderBelowTheBuiltInRows)
{
    HWND item = FindItem();
    RECT rc = ItemRect(item);
    EXPECT_GE(rc.top, kBuiltInRows);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(240, rc.right);
    EXPECT_EQ(30, rc.bottom - rc.top);

    // The other items (the device's own, Order 0) lie above it, none overlapping.
    ChildRects children;
    EnumChildWindows(TodayScreen(), CollectChild, reinterpret_cast<LPARAM>(&children));
    int y = kBuiltInRows;
    std::sort(children.rects.begin(), children.rects.end(),
              [](const std::pair<HWND, RECT>& a, const std::pair<HWND, RECT>& b) { return a.second.top < b.second.top; });
    for (const auto& child : children.rects) {
        EXPECT_EQ(y, child.second.top) << "a gap or an overlap in the item stack";
        y = child.second.bottom;
    }
    ASSERT_FALSE(children.rects.empty());
    EXPECT_EQ(item, children.rects.back().first);
}

TEST_F(TodayItems, PolledAndResizedToTheHeightTheyAskFor)
{
    DeviceLog log;
    {
        SavedRegistryValue saved(HKEY_LOCAL_MACHINE, kItemKey, L"Height");
        ASSERT_TRUE(WriteDword(kItemKey, L"Height", 52));
        EXPECT_TRUE(PumpUntil([] { return ItemRect(FindItem()).bottom - ItemRect(FindItem()).top == 52; }, 10000))
            << "the item was not polled, or not resized";
        EXPECT_GE(log.Find(L"testitem: query (52)"), 0);
    }
    EXPECT_TRUE(PumpUntil([] { return ItemRect(FindItem()).bottom - ItemRect(FindItem()).top == 30; }, 10000));
}

TEST_F(TodayItems, ReloadedOnSettingChangeWithClearCacheBeforeUnloading)
{
    HWND item = FindItem();
    RECT onScreen;
    GetWindowRect(item, &onScreen);
    int row = onScreen.bottom - 3;
    // The item paints only the background the screen hands it, so it shows
    // exactly what the screen shows there without it.
    std::vector<COLORREF> withItem = ScreenRow(row, 0, 240);

    DeviceLog log;
    {
        SavedRegistryValue saved(HKEY_LOCAL_MACHINE, kItemKey, L"Enabled");
        ASSERT_TRUE(WriteDword(kItemKey, L"Enabled", 0));
        Reload();
        ASSERT_TRUE(PumpUntil([] { return FindItem() == nullptr; }, 5000)) << "a disabled item stayed";
        int clear = log.Find(L"testitem: clear cache");
        int destroyed = log.Find(L"testitem: destroyed");
        ASSERT_GE(clear, 0);
        EXPECT_GT(destroyed, clear) << "the window went before the clear-cache message";
        // The line follows the library's release, which comes after the window went.
        EXPECT_TRUE(log.WaitFor(L"today: item \"Shell Test Item\" unloaded", 5000));

        PumpMessages(300);
        EXPECT_EQ(withItem, ScreenRow(row, 0, 240)) << "the item's background does not match the screen's";
    }
    log.Restart();
    Reload();
    ASSERT_TRUE(PumpUntil([] { return FindItem() != nullptr; }, 5000));
    EXPECT_GE(log.Find(L"testitem: init \"Shell Test Item\" order 5"), 0);
}
