// Motrelle, the animated-theme viewer: in the test's process under a
// stand-in host (the bar's open and closed states, its height requests, its
// menus read as they open), and on the side bar playing a sample and
// applying it to the Today screen.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <htmlctrl.h>
#include <ketra_host.h>

#include "theme_test_support.h"

namespace {

using namespace testkit;

const wchar_t kLibrary[] = L"\\Program Files\\ZARQ\\Ketra\\Motrelle.dll";
const wchar_t kPage[] = L"\\Program Files\\ZARQ\\Ketra\\AniTmp.htm";
const wchar_t kConfigKey[] = L"SOFTWARE\\ZARQ\\Vexilo";
const wchar_t kFlashKey[] = L"Software\\Apps\\Macromedia Flash Player";
const COLORREF kAuroraMark = RGB(0xF0, 0xF0, 0x60);
const COLORREF kAuroraPage = RGB(0x10, 0x20, 0x40);

// A tap on one of the band's hot areas, as the pen sends it.
void TapArea(AppletHost& host, int x)
{
    host.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 8));
    host.Send(WM_LBUTTONUP, 0, MAKELPARAM(x, 8));
}

class MotrelleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(config_.Saved());
        ASSERT_TRUE(flash_.Saved());
        MessageBoxes::DismissAll();
    }
    void TearDown() override { host_.reset(); }

    // The viewer with lasttsk naming this theme (none for empty).
    void Start(const std::wstring& lastTheme)
    {
        if (lastTheme.empty())
            DeleteValue(kConfigKey, L"lasttsk");
        else
            WriteText(kConfigKey, L"lasttsk", lastTheme);
        host_ = std::make_unique<AppletHost>(kLibrary, 240, 320);
        ASSERT_TRUE(host_->Loaded());
        ASSERT_NE(nullptr, host_->Create());
    }
    HWND Viewer() const { return FindChild(host_->Window(), DISPLAYCLASS); }
    // Made visible (the stand-in host keeps the applet itself hidden).
    bool ViewerShown() const { return Viewer() && (GetWindowLongW(Viewer(), GWL_STYLE) & WS_VISIBLE); }
    std::string Notice() const { return ReadBytes(kPage); }
    std::wstring Copy(const wchar_t* fixture, const wchar_t* as = nullptr)
    {
        std::wstring path = folder_ / (as ? as : fixture);
        EXPECT_TRUE(CopyFileW(ThemeFixture(fixture).c_str(), path.c_str(), FALSE));
        return path.substr(2);  // the device path
    }

    RegistrySandbox config_{{kConfigKey}};
    RegistrySandbox flash_{{kFlashKey}};
    ScratchFolder folder_{L"motrelle"};
    std::unique_ptr<AppletHost> host_;
};

}  // namespace

// While the bar is closed nothing shows and no height is asked; "shown"
// plays the theme and asks its height + 18; "hidden" stops the movie.
TEST_F(MotrelleTest, PlaysOnlyWhileTheBarIsOpen)
{
    std::wstring aurora = Copy(L"Aurora.tsk");
    DeviceLog log;
    Start(aurora);
    EXPECT_EQ(L"Motreller", TextOf(host_->Window()));
    EXPECT_FALSE(ViewerShown());
    EXPECT_TRUE(host_->heightRequests.empty());
    EXPECT_FALSE(log.Contains(L"flash: play"));

    host_->Send(WM_KETRA_APPLETSHOWN);
    ASSERT_TRUE(ViewerShown());
    EXPECT_EQ(L"Preview", TextOf(Viewer()));
    EXPECT_EQ(std::vector<int>{78}, host_->heightRequests);
    EXPECT_EQ(78, Height(WindowRect(host_->Window())));
    EXPECT_EQ((RECT{0, 18, 236, 78}), [&] {
        RECT r = WindowRect(Viewer());
        MapWindowPoints(nullptr, host_->Window(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }());
    EXPECT_TRUE(log.Contains(L"AniTmp.003\" 240x60, 24 frames at 12 fps"));
    std::unique_ptr<PixelSurface> shown = host_->Paint();
    EXPECT_EQ(kAuroraPage, shown->At(2, 16)) << "the band in the page's colour";

    log.Restart();
    host_->Send(WM_KETRA_APPLETHIDDEN);
    EXPECT_TRUE(log.Contains(L"flash: stop"));
    EXPECT_FALSE(ViewerShown());
    EXPECT_NE(std::string::npos, Notice().find("Flick Viewer for Ketra by ZARQ"));
    host_->Send(WM_KETRA_APPLETSHOWN);
    EXPECT_TRUE(log.Contains(L"flash: play"));

    host_.reset();
    EXPECT_EQ(aurora, ReadText(kConfigKey, L"lasttsk"));
    EXPECT_FALSE(FileExists(kPage)) << "the temporary files go with the window";
    EXPECT_FALSE(FileExists(L"\\Program Files\\ZARQ\\Ketra\\AniTmp.003"));
}

// Every failure ends in a notice page, and no theme is current then.
TEST_F(MotrelleTest, NoticesForNoFlashStillMissingAndBrokenThemes)
{
    std::wstring aurora = Copy(L"Aurora.tsk");
    std::wstring still = Copy(L"Ocean.tsk");
    std::string whole = ReadBytes(ThemeFixture(L"Aurora.tsk"));
    std::wstring cut = folder_ / L"Cut.tsk";
    ASSERT_TRUE(WriteBytes(cut, whole.substr(0, whole.size() / 2)));

    const std::pair<std::wstring, const char*> cases[] = {
        {still, "&nbsp;The theme is not animate theme."},
        {cut.substr(2), "&nbsp;The theme is not animate theme."},
        {folder_.Path().substr(2) + L"\\Gone.tsk", "&nbsp;&nbsp;The theme file doesn't exist."},
    };
    for (const auto& c : cases) {
        Start(c.first);
        EXPECT_NE(std::string::npos, Notice().find(c.second)) << ToUtf8(c.first) << ": " << Notice();
        EXPECT_FALSE(ViewerShown()) << "the bar is closed";
        EXPECT_TRUE(host_->heightRequests.empty());
        // No theme: every command greyed.
        MenuReader reader;
        TapArea(*host_, 190);
        std::vector<MenuReader::Item> items = reader.Items();
        ASSERT_EQ(5u, items.size());
        EXPECT_TRUE(items[0].grayed && items[1].grayed && items[3].grayed && items[4].grayed);
        host_->Send(WM_KETRA_APPLETSHOWN);
        EXPECT_NE(std::string::npos, Notice().find("Flick Viewer for Ketra by ZARQ"));
        EXPECT_EQ(std::vector<int>{58}, host_->heightRequests);
        EXPECT_TRUE(ViewerShown());
        host_.reset();
        EXPECT_EQ(L"", ReadText(kConfigKey, L"lasttsk")) << "no current theme";
    }

    DeleteKey(kFlashKey);
    Start(aurora);
    host_->Send(WM_KETRA_APPLETSHOWN);
    EXPECT_EQ("<body BGCOLOR='#FFFFFF'><br/>&nbsp;&nbsp;&nbsp;Require Macromedia Flash for PPC.</body>", Notice());
}

// Fifty-one animated themes: fifty listed, the limit said; the theme menu
// checks the current one; Delete is greyed for a theme in ROM.
TEST_F(MotrelleTest, ListsFiftyThemesAndMenusFollowTheCurrentOne)
{
    for (int i = 0; i < 51; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"Fly%02d.tsk", i);
        Copy(L"Firefly.tsk", name);
    }
    BoxAnswerer limit(L"Message");
    Start(folder_.Path().substr(2) + L"\\Fly07.tsk");
    EXPECT_EQ(L"You have more than 50 themes, but we support upto 50 themes currently.", limit.Text());

    {
        BoxAnswerer again(L"Message");  // each listing says it
        MenuReader reader;
        TapArea(*host_, 170);
        std::vector<MenuReader::Item> items = reader.Items();
        ASSERT_EQ(50u, items.size());
        EXPECT_EQ(L"Fly00", items[0].text);
        EXPECT_EQ(L"Fly49", items[49].text);
        for (size_t i = 0; i < items.size(); ++i)
            EXPECT_EQ(i == 7, items[i].checked) << i;
    }
    host_->Send(WM_COMMAND, 2122 + 3);
    {
        MenuReader reader;
        TapArea(*host_, 190);
        std::vector<MenuReader::Item> items = reader.Items();
        ASSERT_EQ(5u, items.size());
        EXPECT_EQ(L"Apply", items[0].text);
        EXPECT_FALSE(items[1].grayed) << "Delete for a file in RAM";
        EXPECT_EQ(L"Theme Info", items[4].text);
    }
    host_->Send(WM_KETRA_APPLETHIDDEN);
    host_.reset();
    EXPECT_EQ(folder_.Path().substr(2) + L"\\Fly03.tsk", ReadText(kConfigKey, L"lasttsk"));
}

// On the side bar: the first start shows a sample of the documents folder;
// Apply makes it the Today theme, which the Today item plays.
TEST(MotrelleOnBar, ShowsASampleAndAppliesItToTheToday)
{
    ThemeState theme;
    ASSERT_TRUE(theme.Saved());
    RegistrySandbox config{{kConfigKey}};
    DeleteValue(kConfigKey, L"lasttsk");
    DeviceLog log;
    AppletOnBar bar(L"Flick Viewer");
    ASSERT_TRUE(bar.Shown());
    EXPECT_TRUE(log.WaitFor(L"AniTmp.003\" 240x60, 24 frames at 12 fps", 10000)) << "Aurora, the first";
    EXPECT_TRUE(PumpUntil([&] { return Height(bar.Rect()) == 78; }, 5000));
    EXPECT_TRUE(PumpUntil([&] { return bar.Pixel(10, 28) == kAuroraMark; }, 5000));

    log.Restart();
    bar.Send(WM_COMMAND, 1001);
    EXPECT_EQ(L"\\My Documents\\Aurora.tsk", ReadText(L"Software\\Microsoft\\Today", L"Skin", HKEY_CURRENT_USER));
    EXPECT_TRUE(log.WaitFor(L"flash: play \"\\windows\\at2k.swf\" 240x60", 10000)) << "the Today item plays it";
}
