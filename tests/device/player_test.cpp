// The device's media player: started from its Start menu shortcut, one
// window titled "Windows Media" below the task bar, the skin chosen by the
// registry, else by default.skn, else none, its face drawn at the top left
// and the choice remembered in default.skn.
#include <string>

#include "ketra_testkit.h"

using namespace testkit;

namespace {

const wchar_t kPlayer[] = L"\\Windows\\Player.exe";
const wchar_t kClass[] = L"WMPSkinWindow";
const wchar_t kFolder[] = L"\\Program Files\\Windows Media Player";
const wchar_t kCurrentSkinFile[] = L"\\Program Files\\Windows Media Player\\default.skn";
const wchar_t kParameters[] = L"SOFTWARE\\Microsoft\\Windows Media Player 8\\Parameters";

std::wstring Skin(const wchar_t* name)
{
    return std::wstring(kFolder) + L"\\" + name + L"\\" + name + L".skn";
}

// The player's key and current-skin file put back after each test (the
// current-skin file lives in ROM until a RAM copy shadows it).
class MediaPlayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(saved_.Saved());
        hadRamCopy_ = !InRom() && ReadBytes(std::wstring(L"D:") + kCurrentSkinFile, &ramCopy_);
    }
    void TearDown() override
    {
        EndProcesses(L"Player.exe");
        std::wstring ram = std::wstring(L"D:") + kCurrentSkinFile;
        if (hadRamCopy_)
            WriteBytes(ram, ramCopy_);
        else
            DeleteFileW(ram.c_str());
    }
    // Only ROM has the file (this process sees the object store as
    // programs linking coredll do).
    static bool InRom()
    {
        DWORD attributes = GetFileAttributesW(kCurrentSkinFile);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & 0x40);
    }
    HWND Start(DeviceLog& log)
    {
        EXPECT_TRUE(Execute(L"\\Windows\\Start Menu\\Programs\\Windows Media.lnk"));
        HWND window = WaitForWindow(kClass, 10000);
        EXPECT_TRUE(log.WaitFor(L"player: ", 5000));
        if (window)
            WaitUntilIdle(window);
        return window;
    }
    void Close(HWND window, DeviceLog& log)
    {
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitNoWindow(kClass, 5000));
        EXPECT_TRUE(log.WaitFor(L"player: closed", 5000));
        EXPECT_TRUE(WaitProcessCount(L"Player.exe", 0, 5000));
    }

    RegistrySandbox saved_{{kParameters}};
    bool hadRamCopy_ = false;
    std::string ramCopy_;
};

}  // namespace

TEST_F(MediaPlayer, StartsWithTheClassicSkinFromRomBelowTheTaskBar)
{
    DeviceLog log;
    HWND window = Start(log);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(L"Windows Media", TextOf(window));
    EXPECT_EQ(0u, ClassOf(window).find(L"WMP"));
    EXPECT_EQ((RECT{0, 26, 240, 320}), WindowRect(window));
    EXPECT_TRUE(log.HasLine(L"player: skin \"" + Skin(L"Classic") + L"\", background \"Classic.bmp\""));
    EXPECT_EQ(RGB(0xC0, 0xC0, 0xC8), ScreenPixel(window, 50, 163)) << "the face's seek bar, unscaled";
    EXPECT_EQ(RGB(0, 0, 0), ScreenPixel(window, 120, 290)) << "the bottom line";
    EXPECT_TRUE(InRom()) << "ROM already names Classic: nothing written";

    // One player: a second start brings the first forward.
    ASSERT_TRUE(Execute(kPlayer));
    PumpMessages(500);
    EXPECT_EQ(1, CountWindows(kClass));
    EXPECT_EQ(1, CountProcesses(L"Player.exe"));
    Close(window, log);
}

// The registry's skin is loaded and remembered; without it default.skn
// decides; with neither there is no skin.
TEST_F(MediaPlayer, TheRegistryThenTheCurrentSkinFileChooseTheSkin)
{
    WriteText(kParameters, L"SkinDir", std::wstring(kFolder) + L"\\Marine\\");
    WriteText(kParameters, L"SkinFile", L"Marine.skn");
    DeviceLog log;
    HWND window = Start(log);
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(log.HasLine(L"player: skin \"" + Skin(L"Marine") + L"\", background \"Marine.bmp\""));
    EXPECT_EQ(RGB(0x80, 0xE0, 0xFF), ScreenPixel(window, 50, 163));
    std::string remembered = ReadBytes(std::wstring(L"D:") + kCurrentSkinFile);
    EXPECT_FALSE(InRom());
    EXPECT_EQ("53#" + ToUtf8(Skin(L"Marine")), remembered);
    Close(window, log);

    // The key names a skin that is gone: the remembered one, as default.skn
    // has it with a line end and blanks.
    WriteText(kParameters, L"SkinDir", std::wstring(kFolder) + L"\\Gone");
    ASSERT_TRUE(WriteBytes(std::wstring(L"D:") + kCurrentSkinFile, "52#  " + ToUtf8(Skin(L"Ember")) + " \r\n"));
    log.Restart();
    window = Start(log);
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(log.HasLine(L"player: skin \"" + Skin(L"Ember") + L"\", background \"Ember.gif\""));
    EXPECT_EQ(RGB(0xFF, 0xC0, 0x40), ScreenPixel(window, 50, 163)) << "a GIF face";
    Close(window, log);

    ASSERT_TRUE(WriteBytes(std::wstring(L"D:") + kCurrentSkinFile, "no skin named here"));
    log.Restart();
    window = Start(log);
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(log.HasLine(L"player: no skin"));
    EXPECT_EQ(RGB(0, 0, 0), ScreenPixel(window, 50, 163));
    Close(window, log);
}

TEST_F(MediaPlayer, AJpegFaceAndASkinWithoutItsPicture)
{
    WriteText(kParameters, L"SkinDir", std::wstring(kFolder) + L"\\Slate");
    WriteText(kParameters, L"SkinFile", L"Slate.skn");
    DeviceLog log;
    HWND window = Start(log);
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(log.HasLine(L"player: skin \"" + Skin(L"Slate") + L"\", background \"Slate.jpg\""));
    COLORREF bar = ScreenPixel(window, 50, 163);
    EXPECT_GT(GetRValue(bar), 0xD0) << "the JPEG's light seek bar";
    Close(window, log);

    ScratchFolder broken(L"player-broken");
    ASSERT_TRUE(WriteBytes(broken / L"Broken.skn", "; no picture\r\nBackground Missing.bmp\r\n"));
    WriteText(kParameters, L"SkinDir", broken.Path());
    WriteText(kParameters, L"SkinFile", L"Broken.skn");
    log.Restart();
    window = Start(log);
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(log.Contains(L"background \"Missing.bmp\" (not shown)"));
    Close(window, log);
}
