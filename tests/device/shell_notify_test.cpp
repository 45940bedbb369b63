// Notification icons in the task bar: the shell library's record (sent here
// as the library sends it), drawing, taps delivering the owner's callback,
// and the icon packing helper of shellproto.h.
#include <gtest/gtest.h>

#include "shellproto.h"

#include <shellapi.h>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

const UINT kCallback = WM_APP + 20;
const COLORREF kMagenta = RGB(0xFF, 0x00, 0xFF);
const COLORREF kGreen = RGB(0x00, 0xFF, 0x00);
constexpr int kIconRow = 12;  // a row through the middle of the icons

// An opaque icon of one colour, as packed pixels (premultiplied 0xAARRGGBB).
void FillPixels(SHELL_NOTIFYICON_DATA* data, COLORREF colour)
{
    DWORD argb = 0xFF000000u | ((DWORD)GetRValue(colour) << 16) | ((DWORD)GetGValue(colour) << 8) | GetBValue(colour);
    for (DWORD& p : data->pixels)
        p = argb;
}

LRESULT SendIcon(DWORD message, HWND owner, UINT id, UINT flags, COLORREF colour = kMagenta)
{
    SHELL_NOTIFYICON_DATA data = {};
    data.message = message;
    data.hwnd = owner;
    data.uID = id;
    data.uFlags = flags;
    data.uCallbackMessage = kCallback;
    lstrcpynW(data.tip, L"Test icon", SHELL_NOTIFYICON_TIPCCH);
    FillPixels(&data, colour);
    COPYDATASTRUCT copy = {SHELL_NOTIFYICON, sizeof(data), &data};
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(TaskBar(), WM_COPYDATA, (WPARAM)owner, (LPARAM)&copy, SMTO_ABORTIFHUNG, 3000, &answer);
    return (LRESULT)answer;
}

// The x of the first task-bar pixel of a colour, or -1.
int FindColour(COLORREF colour)
{
    std::vector<COLORREF> row = ScreenRow(kIconRow, 0, 240);
    for (size_t x = 0; x < row.size(); ++x)
        if (row[x] == colour)
            return (int)x;
    return -1;
}

bool WaitForColour(COLORREF colour, bool present)
{
    return PumpUntil([&] { return (FindColour(colour) >= 0) == present; }, 3000);
}

class NotifyIcons : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(TaskBar()); }
    void TearDown() override
    {
        for (UINT id = 1; id <= 9; ++id)
            SendIcon(NIM_DELETE, owner_.hwnd(), id, 0);
    }

    TestWindow owner_{L"ShellIconOwner", {0, 200, 40, 240}};
};

} // namespace

TEST_F(NotifyIcons, ATapDeliversTheCallbackDownThenUp)
{
    ASSERT_EQ(1, SendIcon(NIM_ADD, owner_.hwnd(), 7, NIF_MESSAGE | NIF_ICON | NIF_TIP));
    ASSERT_TRUE(WaitForColour(kMagenta, true)) << "the icon is not drawn";
    int x = FindColour(kMagenta);
    EXPECT_GT(x, 26) << "the icon covers the start flag";
    EXPECT_LT(x + 16, 216) << "the icon covers the corner button";
    owner_.ClearMessages();

    ASSERT_TRUE(Tap(x + 8, kIconRow));
    ASSERT_TRUE(PumpUntil([&] { return owner_.Messages(kCallback).size() >= 2; }, 5000));
    std::vector<RecordedMessage> calls = owner_.Messages(kCallback);
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ(7u, calls[0].wParam);
    EXPECT_EQ(WM_LBUTTONDOWN, calls[0].lParam);
    EXPECT_EQ(7u, calls[1].wParam);
    EXPECT_EQ(WM_LBUTTONUP, calls[1].lParam);
}

TEST_F(NotifyIcons, AddModifyDeleteAnswerAsTheShellDoes)
{
    DeviceLog log;
    ASSERT_EQ(1, SendIcon(NIM_ADD, owner_.hwnd(), 1, NIF_MESSAGE | NIF_ICON));
    EXPECT_EQ(0, SendIcon(NIM_ADD, owner_.hwnd(), 1, NIF_ICON)) << "the same icon added twice";
    EXPECT_EQ(0, SendIcon(NIM_MODIFY, owner_.hwnd(), 2, NIF_ICON)) << "an unknown icon modified";
    EXPECT_EQ(0, SendIcon(NIM_DELETE, owner_.hwnd(), 2, 0)) << "an unknown icon deleted";

    // A new picture replaces the old one where it was.
    ASSERT_TRUE(WaitForColour(kMagenta, true));
    int x = FindColour(kMagenta);
    ASSERT_EQ(1, SendIcon(NIM_MODIFY, owner_.hwnd(), 1, NIF_ICON, kGreen));
    ASSERT_TRUE(WaitForColour(kGreen, true));
    EXPECT_EQ(x, FindColour(kGreen));
    EXPECT_EQ(-1, FindColour(kMagenta));

    ASSERT_EQ(1, SendIcon(NIM_DELETE, owner_.hwnd(), 1, 0));
    EXPECT_TRUE(WaitForColour(kGreen, false));
    // Each icon that came and went, once, in the device log; refusals leave no line.
    EXPECT_EQ((std::vector<std::wstring>{L"shell: notification icon 1 of ShellIconOwner added",
                                         L"shell: notification icon 1 of ShellIconOwner removed"}),
              log.Lines(L"shell: notification icon"));

    // A record of the wrong size is not taken.
    SHELL_NOTIFYICON_DATA data = {};
    data.message = NIM_ADD;
    data.hwnd = owner_.hwnd();
    data.uID = 3;
    COPYDATASTRUCT copy = {SHELL_NOTIFYICON, sizeof(data) - 4, &data};
    DWORD_PTR answer = 1;
    SendMessageTimeoutW(TaskBar(), WM_COPYDATA, 0, (LPARAM)&copy, SMTO_ABORTIFHUNG, 3000, &answer);
    EXPECT_EQ(0u, answer);
}

TEST_F(NotifyIcons, TheBarHoldsAFewIconsAndForgetsThoseOfDestroyedWindows)
{
    for (UINT id = 1; id <= 4; ++id)
        ASSERT_EQ(1, SendIcon(NIM_ADD, owner_.hwnd(), id, NIF_ICON)) << id;
    EXPECT_EQ(0, SendIcon(NIM_ADD, owner_.hwnd(), 5, NIF_ICON)) << "a fifth icon squeezed in";
    for (UINT id = 1; id <= 4; ++id)
        SendIcon(NIM_DELETE, owner_.hwnd(), id, 0);

    {
        TestWindow shortLived(L"ShellIconShortLived", {40, 200, 80, 240});
        ASSERT_EQ(1, SendIcon(NIM_ADD, shortLived.hwnd(), 1, NIF_ICON, kGreen));
        ASSERT_TRUE(WaitForColour(kGreen, true));
    }
    EXPECT_TRUE(WaitForColour(kGreen, false)) << "the icon of a destroyed window stayed";
}

TEST(NotifyIconPacking, KeepsColoursAndTransparency)
{
    // Left half transparent (mask set, colour black), right half opaque red.
    BYTE mask[16 * 2] = {};
    for (int row = 0; row < 16; ++row)
        mask[row * 2] = 0xFF;  // the first 8 pixels of each row
    DWORD colour[16 * 16] = {};
    for (int row = 0; row < 16; ++row)
        for (int x = 8; x < 16; ++x)
            colour[row * 16 + x] = 0x00FF0000;  // red, no alpha channel
    HBITMAP maskBitmap = CreateBitmap(16, 16, 1, 1, mask);
    HBITMAP colourBitmap = CreateBitmap(16, 16, 1, 32, colour);
    ICONINFO info = {TRUE, 0, 0, maskBitmap, colourBitmap};
    HICON icon = CreateIconIndirect(&info);
    ASSERT_TRUE(icon);

    DWORD pixels[SHELL_NOTIFYICON_SIZE * SHELL_NOTIFYICON_SIZE];
    ASSERT_TRUE(ShellPackNotifyIcon(icon, pixels));
    EXPECT_EQ(0u, pixels[0]);
    EXPECT_EQ(0u, pixels[5 * 16 + 7]);
    EXPECT_EQ(0xFFFF0000u, pixels[8]);
    EXPECT_EQ(0xFFFF0000u, pixels[15 * 16 + 15]);

    DestroyIcon(icon);
    DeleteObject(maskBitmap);
    DeleteObject(colourBitmap);
}
