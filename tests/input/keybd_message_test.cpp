// PostKeybdMessage: what an input method's keys become in the window that
// receives them, after that window's own message loop translated them.
#include "input_fixture.h"

namespace {

using namespace testkit;

const RECT kTargetRect = {20, 60, 120, 120};

struct Posted {
    std::vector<RecordedMessage> downs, ups, chars, deadChars;
};

Posted Received(const TestWindow& target)
{
    PumpMessages(100);  // TranslateMessage, as every program's loop calls it
    return {target.Messages(WM_KEYDOWN), target.Messages(WM_KEYUP), target.Messages(WM_CHAR),
            target.Messages(WM_DEADCHAR)};
}

TEST(PostKeybdMessage, KeyDownWithItsCharacterArrivesOnceTranslated)
{
    TestWindow target(L"KeybdTarget", kTargetRect);
    UINT down = KeyStateDownFlag;
    UINT character = L'a';
    ASSERT_TRUE(PostKeybdMessage(target.hwnd(), 'A', KeyStateDownFlag, 1, &down, &character));
    Posted got = Received(target);
    ASSERT_EQ(1u, got.downs.size());
    EXPECT_EQ((WPARAM)'A', got.downs[0].wParam);
    ASSERT_EQ(1u, got.chars.size()) << "TranslateMessage made no second character";
    EXPECT_EQ((WPARAM)L'a', got.chars[0].wParam);

    // The release: a key-up, no character.
    target.ClearMessages();
    UINT up = KeyStatePrevDownFlag;
    ASSERT_TRUE(PostKeybdMessage(target.hwnd(), 'A', KeyStatePrevDownFlag, 1, &up, &character));
    got = Received(target);
    ASSERT_EQ(1u, got.ups.size());
    EXPECT_TRUE(got.ups[0].lParam & (1u << 31));
    EXPECT_TRUE(got.ups[0].lParam & (1u << 30));
    EXPECT_TRUE(got.chars.empty());
}

TEST(PostKeybdMessage, EntriesWithoutCharacterOrDeadAndSeveralCharacters)
{
    TestWindow target(L"KeybdTarget", kTargetRect);
    UINT flags[2] = {KeyStateDownFlag | KeyShiftNoCharacterFlag, KeyStateDownFlag};
    UINT chars[2] = {L'q', L'r'};
    ASSERT_TRUE(PostKeybdMessage(target.hwnd(), 'Q', KeyStateDownFlag, 1, flags, chars));
    Posted got = Received(target);
    EXPECT_EQ(1u, got.downs.size());
    EXPECT_TRUE(got.chars.empty()) << "neither the entry nor the key makes one";

    target.ClearMessages();
    UINT dead = KeyStateDownFlag | KeyShiftDeadFlag;
    UINT accent = L'^';
    ASSERT_TRUE(PostKeybdMessage(target.hwnd(), 0, KeyStateDownFlag, 1, &dead, &accent));
    got = Received(target);
    EXPECT_TRUE(got.downs.empty()) << "no key for key 0";
    ASSERT_EQ(1u, got.deadChars.size());
    EXPECT_EQ((WPARAM)L'^', got.deadChars[0].wParam);
    EXPECT_TRUE(got.chars.empty());

    // Two entries, the flags taken from the call when no buffer is given.
    target.ClearMessages();
    ASSERT_TRUE(PostKeybdMessage(target.hwnd(), 0, KeyStateDownFlag, 2, nullptr, chars));
    got = Received(target);
    ASSERT_EQ(2u, got.chars.size());
    EXPECT_EQ((WPARAM)L'r', got.chars[1].wParam);
}

TEST(PostKeybdMessage, KeyWithoutCharactersIsTranslatedAsAHardwareKey)
{
    TestWindow target(L"KeybdTarget", kTargetRect);
    ASSERT_TRUE(PostKeybdMessage(target.hwnd(), VK_BACK, KeyStateDownFlag, 0, nullptr, nullptr));
    Posted got = Received(target);
    ASSERT_EQ(1u, got.chars.size());
    EXPECT_EQ((WPARAM)L'\b', got.chars[0].wParam);
}

TEST(PostKeybdMessage, MinusOneMeansTheFocusWindowOfTheForegroundThread)
{
    TestWindow target(L"KeybdTarget", kTargetRect);
    SetForegroundWindow(target.hwnd());
    SetFocus(target.hwnd());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == target.hwnd(); }, 3000));
    UINT down = KeyStateDownFlag;
    UINT character = L'z';
    ASSERT_TRUE(PostKeybdMessage((HWND)-1, 'Z', KeyStateDownFlag, 1, &down, &character));
    Posted got = Received(target);
    ASSERT_EQ(1u, got.chars.size());
    EXPECT_EQ((WPARAM)L'z', got.chars[0].wParam);

    EXPECT_FALSE(PostKeybdMessage(target.hwnd(), 'Z', KeyStateDownFlag, 1, &down, nullptr));
    EXPECT_FALSE(PostKeybdMessage(nullptr, 'Z', KeyStateDownFlag, 0, nullptr, nullptr));
}

}  // namespace
