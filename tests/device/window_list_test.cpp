// The shell's windows and `devctl windows`.
#include <gtest/gtest.h>


#include <stdlib.h>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

struct ListedWindow {
    unsigned handle = 0;
    std::wstring className;
    std::wstring title;
    RECT rect = {};
    bool visible = false;
    unsigned style = 0;
    unsigned exStyle = 0;
};

// Reads the quoted, C-escaped title starting at text[pos] (the opening quote);
// pos ends after the closing quote.
bool ReadQuoted(const std::wstring& text, size_t* pos, std::wstring* out)
{
    if (*pos >= text.size() || text[*pos] != L'"')
        return false;
    for (size_t i = *pos + 1; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'"') {
            *pos = i + 1;
            return true;
        }
        if (c == L'\\' && i + 1 < text.size()) {
            wchar_t e = text[++i];
            *out += e == L'n' ? L'\n' : e == L'r' ? L'\r' : e == L't' ? L'\t' : e;
        } else {
            *out += c;
        }
    }
    return false;
}

// One line of `devctl windows`:
//   0x00010064 HHTaskBar "" 0,0,240,26 visible 0x90000000 0x00000088
bool ParseLine(const std::wstring& line, ListedWindow* w)
{
    size_t classStart = line.find(L' ');
    if (classStart == std::wstring::npos || line.compare(0, 2, L"0x") != 0)
        return false;
    w->handle = (unsigned)wcstoul(line.c_str(), nullptr, 16);
    size_t titleStart = line.find(L" \"", classStart + 1);
    if (titleStart == std::wstring::npos)
        return false;
    w->className = line.substr(classStart + 1, titleStart - classStart - 1);
    size_t pos = titleStart + 1;
    if (!ReadQuoted(line, &pos, &w->title))
        return false;
    wchar_t visibility[16] = {};
    long left, top, right, bottom;
    if (swscanf(line.c_str() + pos, L" %ld,%ld,%ld,%ld %15ls 0x%x 0x%x", &left, &top, &right, &bottom, visibility,
                &w->style, &w->exStyle) != 7)
        return false;
    w->rect = {left, top, right, bottom};
    w->visible = wcscmp(visibility, L"visible") == 0;
    return w->visible || wcscmp(visibility, L"hidden") == 0;
}

std::vector<ListedWindow> ListWindows()
{
    DevctlResult r = RunDevctl({L"windows"});
    EXPECT_EQ(0u, r.exitCode) << r.err;
    std::vector<ListedWindow> windows;
    for (const std::wstring& line : r.Lines()) {
        ListedWindow w;
        EXPECT_TRUE(ParseLine(line, &w)) << "unreadable line: " << testing::PrintToString(line);
        windows.push_back(w);
    }
    return windows;
}

int IndexOf(const std::vector<ListedWindow>& windows, const wchar_t* className)
{
    for (size_t i = 0; i < windows.size(); ++i)
        if (windows[i].className == className)
            return (int)i;
    return -1;
}

} // namespace

TEST(ShellWindows, TaskBarAndTodayScreenCoverTheScreen)
{
    std::vector<ListedWindow> windows = ListWindows();

    int bar = IndexOf(windows, L"HHTaskBar");
    ASSERT_GE(bar, 0) << "no task bar listed";
    EXPECT_TRUE(windows[bar].visible);
    EXPECT_EQ((RECT{0, 0, 240, 26}), windows[bar].rect);
    HWND barWindow = FindWindowW(L"HHTaskBar", nullptr);
    EXPECT_EQ((unsigned)(UINT_PTR)barWindow, windows[bar].handle);
    EXPECT_EQ((unsigned)GetWindowLongW(barWindow, GWL_STYLE), windows[bar].style);
    EXPECT_EQ((unsigned)GetWindowLongW(barWindow, GWL_EXSTYLE), windows[bar].exStyle);

    int today = IndexOf(windows, L"DesktopExplorerWindow");
    ASSERT_GE(today, 0) << "no Today screen listed";
    EXPECT_TRUE(windows[today].visible);
    EXPECT_EQ(L"Desktop", windows[today].title);
    EXPECT_EQ((RECT{0, 26, 240, 320}), windows[today].rect);
}

TEST(ShellWindows, ListingRunsFromTheTopOfTheZOrderAndKeepsTitlesIntact)
{
    const wchar_t title[] = L"Quote \" back\\slash \x00E9t\x00E9";
    TestWindow window(L"DevctlListedWindow", {30, 60, 130, 110}, RGB(0xFF, 0xFF, 0xFF), title);
    ASSERT_TRUE(window.hwnd());
    PumpMessages(50);

    std::vector<ListedWindow> windows = ListWindows();
    int mine = IndexOf(windows, L"DevctlListedWindow");
    int today = IndexOf(windows, L"DesktopExplorerWindow");
    ASSERT_GE(mine, 0);
    ASSERT_GE(today, 0);
    EXPECT_LT(mine, today) << "a top-most window must be listed before the Today screen";
    EXPECT_EQ(title, windows[mine].title);
    EXPECT_EQ((RECT{30, 60, 130, 110}), windows[mine].rect);
    EXPECT_EQ((unsigned)(UINT_PTR)window.hwnd(), windows[mine].handle);
    EXPECT_EQ((unsigned)WS_EX_TOPMOST, windows[mine].exStyle & WS_EX_TOPMOST);

    ShowWindow(window.hwnd(), SW_HIDE);
    windows = ListWindows();
    mine = IndexOf(windows, L"DevctlListedWindow");
    ASSERT_GE(mine, 0);
    EXPECT_FALSE(windows[mine].visible);
}
