// Storage cards of their own sizes: a card's subkey under the device state
// gives its space, and cards without one share the device-wide values.
#include "devlog.h"
#include "ketra_testkit.h"

using namespace testkit;

namespace {

ULONGLONG KilobytesOf(ULARGE_INTEGER bytes)
{
    return bytes.QuadPart / 1024;
}

}  // namespace

TEST(StorageCards, EachCardHasItsOwnSpaceOrTheSharedOne)
{
    ScratchFolder unused(L"cards");  // \Temp exists for the folders below
    DeviceState state;
    const std::wstring cards[] = {L"\\Card A", L"\\Card B", L"\\Card C"};
    for (const std::wstring& card : cards)
        CreateDirectoryW(card.c_str(), nullptr);
    state.Set(L"StorageCards", L"Card A;Card B;Card C");
    state.Set(L"StorageCardFreeKB", 300);
    state.Set(L"StorageCardTotalKB", 900);
    const std::wstring perCard = std::wstring(DEVICE_STATE_KEY) + L"\\StorageCards\\";
    ASSERT_TRUE(WriteDword(perCard + L"Card A", L"FreeKB", 1000));
    ASSERT_TRUE(WriteDword(perCard + L"Card A", L"TotalKB", 4000));
    ASSERT_TRUE(WriteDword(perCard + L"Card B", L"FreeKB", 5000));  // more than its total: full
    ASSERT_TRUE(WriteDword(perCard + L"Card B", L"TotalKB", 2000));

    struct Expected {
        const wchar_t* folder;
        ULONGLONG freeKB;
        ULONGLONG totalKB;
    } expected[] = {
        {L"\\Card A", 1000, 4000},
        {L"\\Card B\\", 2000, 2000},
        {L"\\Card C", 300, 900},  // no subkey: the shared values
    };
    for (const Expected& card : expected) {
        ULARGE_INTEGER available = {}, total = {}, free = {};
        ASSERT_TRUE(GetDiskFreeSpaceExW(card.folder, &available, &total, &free)) << ToUtf8(card.folder);
        EXPECT_EQ(card.freeKB, KilobytesOf(available)) << ToUtf8(card.folder);
        EXPECT_EQ(card.totalKB, KilobytesOf(total)) << ToUtf8(card.folder);
        EXPECT_EQ(card.freeKB, KilobytesOf(free)) << ToUtf8(card.folder);
    }
    for (const std::wstring& card : cards)
        RemoveDirectoryW(card.c_str());
}
