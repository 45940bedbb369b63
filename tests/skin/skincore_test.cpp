// Loading skin files and packages into a window, and painting them.
#include <gtest/gtest.h>

#include "cab_builder.h"
#include "skin_window_support.h"

#include <memory>
#include <thread>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

const COLORREF kUnpainted = RGB(1, 2, 3);

std::unique_ptr<TestSkinWnd> LoadedWindow(const std::wstring& skinFile)
{
    auto wnd = std::make_unique<TestSkinWnd>();
    if (!wnd->Create(nullptr, nullptr) || !wnd->LoadSkin(skinFile.c_str()))
        return nullptr;
    return wnd;
}

// What the window paints, through the same path as its painting.
void Print(HWND wnd, PixelSurface& surface)
{
    surface.Fill(kUnpainted);
    SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT);
}

} // namespace

TEST(SkinLoad, TheWindowTakesTheSkinsRectanglesButtonsAndControls)
{
    ScratchFolder dir(L"skin_load");
    BarSkin skin;
    // No id and no mask: an empty name and no mask colour, not the previous
    // button's; an over-long id is cut to its field.
    skin.extraButtons = L"<button x='50' y='0' w='10' h='10'/>"
                        L"<button id='ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789' x='0' y='30' w='5' h='5'>"
                        L"<pushed x='7' y='8'/></button>";
    auto wnd = LoadedWindow(WriteBarSkin(dir.Path(), skin));
    ASSERT_TRUE(wnd);
    RECT rect = WindowRect(*wnd);
    EXPECT_EQ(CRect(20, 60, 80, 160), CRect(rect));
    EXPECT_EQ(CRect(0, 26, 240, 320), wnd->GetMovingRect());
    EXPECT_EQ(CRect(0, 20, 0, 10), wnd->GetSkinInfo()->GetFixedRange());

    CButtonList* buttons = wnd->GetBtnList();
    ASSERT_EQ(7, buttons->GetCount());
    CButton* anonymous = buttons->GetButton(105);
    ASSERT_NE(nullptr, anonymous);
    EXPECT_STREQ(L"", anonymous->GetCommand());
    EXPECT_EQ(CButton::kNoMaskColour, anonymous->GetMaskColour());
    CButton* longName = buttons->GetButton(106);
    EXPECT_STREQ(L"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234", longName->GetCommand());
    EXPECT_EQ(CRect(7, 8, 12, 13), longName->m_rcPushed);
    EXPECT_EQ(longName->m_rcPosition, longName->m_rcEnable) << "an absent look sits at the button";
    EXPECT_EQ(RGB(0, 255, 255), buttons->GetButton(L"SLIDE")->GetMaskColour());

    CCtrlList* ctrls = wnd->GetCtrlList();
    ASSERT_EQ(1, ctrls->GetCount());
    CCtrl* applet = static_cast<CCtrl*>(ctrls->GetHead());
    EXPECT_TRUE(applet->IsType(L"applet"));
    EXPECT_TRUE(applet->IsID(L"APPLET"));
    EXPECT_EQ(CRect(0, 20, 60, 90), applet->GetRect());

    // Loading again replaces what the first load gave.
    ASSERT_TRUE(wnd->LoadSkin(wnd->GetXMLPath()));
    EXPECT_EQ(7, wnd->GetBtnList()->GetCount());
    EXPECT_EQ(1, wnd->GetCtrlList()->GetCount());
}

TEST(SkinLoad, AlignmentIsCenterOrRightExactlyElseLeft)
{
    EXPECT_EQ(CCtrl::Center, CCtrl::ParseAlign(L"center"));
    EXPECT_EQ(CCtrl::Right, CCtrl::ParseAlign(L"right"));
    EXPECT_EQ(CCtrl::Left, CCtrl::ParseAlign(L"Center"));
    EXPECT_EQ(CCtrl::Left, CCtrl::ParseAlign(nullptr));
}

TEST(SkinLoad, TwoSkinsNamingOnePictureShareOneCachedImage)
{
    ScratchFolder dir(L"skin_share");
    std::wstring file = WriteBarSkin(dir.Path());
    auto first = LoadedWindow(file);
    auto second = LoadedWindow(file);
    ASSERT_TRUE(first && second);
    ASSERT_NE(nullptr, first->GetSkinInfo()->GetBackground());
    EXPECT_EQ(first->GetSkinInfo()->GetBackground(), second->GetSkinInfo()->GetBackground());
    EXPECT_EQ(first->GetBtnList()->GetMaskImage(), second->GetBtnList()->GetMaskImage());
}

TEST(SkinLoad, AFileThatDoesNotParseIsRefusedWithALogLine)
{
    ScratchFolder dir(L"skin_broken");
    auto wnd = LoadedWindow(WriteBarSkin(dir.Path()));
    ASSERT_TRUE(wnd);
    std::wstring broken = dir / L"broken.xml";
    ASSERT_TRUE(WriteUtf8(broken, L"<skins><skin><window x='0'"));
    size_t logBefore = ReadBytes(L"\\My Documents\\ZARQLOG.txt").size();

    EXPECT_EQ(0, wnd->LoadSkin(broken.c_str()));
    EXPECT_EQ(CRect(20, 60, 80, 160), CRect(WindowRect(*wnd))) << "the window keeps its size";
    std::string added = ReadBytes(L"\\My Documents\\ZARQLOG.txt").substr(logBefore);
    EXPECT_EQ("Couldn't open skin file [" + ToUtf8(broken) + "]\r\n", added);

    // A skin whose background cannot be loaded is not applied.
    std::wstring noPicture = dir / L"nopicture.xml";
    ASSERT_TRUE(WriteUtf8(noPicture, L"<skins><skin><window x='1' y='2' w='3' h='4'/>"
                                     L"<background>none.bmp</background></skin></skins>"));
    EXPECT_EQ(1, wnd->LoadSkin(noPicture.c_str()));
    EXPECT_EQ(CRect(20, 60, 80, 160), CRect(WindowRect(*wnd)));
}

TEST(SkinPaint, TheHeadAndFootBandsAreCopiedRowForRowAndTheMiddleStretches)
{
    ScratchFolder dir(L"skin_bands");
    auto wnd = LoadedWindow(WriteBarSkin(dir.Path()));  // 60 x 60 picture, head 20, foot 10, window 60 x 100
    ASSERT_TRUE(wnd);
    PixelSurface surface(70, 110, kUnpainted);
    Print(*wnd, surface);
    for (int x : {0, 30, 59}) {
        for (int y = 0; y < 20; ++y)
            ASSERT_EQ(RowColour(y), surface.At(x, y)) << "head row " << y;
        for (int y = 90; y < 100; ++y)
            ASSERT_EQ(RowColour(y - 40), surface.At(x, y)) << "foot row " << y;
        EXPECT_EQ(RowColour(20), surface.At(x, 20));
        EXPECT_EQ(RowColour(49), surface.At(x, 89));
        for (int y = 21; y < 89; ++y) {
            int row = GetRValue(surface.At(x, y));
            ASSERT_TRUE(row >= 20 && row <= 49) << "middle row " << y << " shows picture row " << row;
        }
    }
    EXPECT_EQ(kUnpainted, surface.At(60, 50));
    EXPECT_EQ(kUnpainted, surface.At(30, 100));
}

TEST(SkinPaint, TheBandsFollowTheWindowWhenItIsResizedAfterAPaint)
{
    ScratchFolder dir(L"skin_bands_resized");
    auto wnd = LoadedWindow(WriteBarSkin(dir.Path()));  // head 20, foot 10, window 60 x 100
    ASSERT_TRUE(wnd);
    PixelSurface surface(70, 150, kUnpainted);
    Print(*wnd, surface);
    ASSERT_EQ(RowColour(59), surface.At(30, 99));

    wnd->SetWindowSize(-1, 140);
    PixelSurface taller(70, 150, kUnpainted);
    Print(*wnd, taller);
    for (int y = 130; y < 140; ++y)
        ASSERT_EQ(RowColour(y - 80), taller.At(30, y)) << "foot row " << y;
    EXPECT_EQ(RowColour(49), taller.At(30, 129));
    EXPECT_EQ(kUnpainted, taller.At(30, 140));
}

TEST(SkinPaint, BandsLargerThanThePictureOrTheWindowAreCutAndNoBackgroundPaintsNothing)
{
    ScratchFolder dir(L"skin_bigbands");
    BarSkin skin;
    skin.head = 50;
    skin.foot = 50;  // more than the 60 rows of the picture
    skin.height = 40;
    auto wnd = LoadedWindow(WriteBarSkin(dir.Path(), skin));
    ASSERT_TRUE(wnd);
    PixelSurface surface(60, 60, kUnpainted);
    Print(*wnd, surface);
    for (int y = 0; y < 40; ++y)
        ASSERT_EQ(RowColour(y), surface.At(10, y)) << "row " << y;
    EXPECT_EQ(kUnpainted, surface.At(10, 40));

    CSkinInfo empty;
    CSkinInfo* previous = wnd->SetSkinInfo(&empty);
    Print(*wnd, surface);
    EXPECT_EQ(kUnpainted, surface.At(10, 10));
    wnd->SetSkinInfo(previous);
}

TEST(SkinPackage, APackageLoadsAndUnpackingAnotherOneThereShowsItsOwnPictures)
{
    ScratchFolder dir(L"skin_cab");
    auto package = [](COLORREF colour) {
        std::string xml = ToUtf8(L"<skins><skin><window x='30' y='70' w='16' h='16'/>"
                                 L"<background>DEFAULT.BIN</background>"
                                 L"<buttons><pushed>PUSHED.BIN</pushed><mask>MASK.BIN</mask></buttons>"
                                 L"</skin></skins>");
        std::string picture = EncodePicture(PictureFormat::Bmp, 16, 16, Plain(colour));
        return BuildCabinet({{"skin.xml", xml}, {"default.bin", picture}, {"pushed.bin", picture},
                             {"mask.bin", picture}});
    };
    ASSERT_TRUE(WriteBytes(dir / L"blue.cab", package(RGB(0, 0, 255))));
    ASSERT_TRUE(WriteBytes(dir / L"red.cab", package(RGB(255, 0, 0))));

    TestSkinWnd blue, red;
    ASSERT_TRUE(blue.Create(nullptr, nullptr) && red.Create(nullptr, nullptr));
    ASSERT_EQ(1, blue.LoadSkinCAB((dir / L"blue.cab").c_str()));
    EXPECT_EQ(dir / L"SKIN\\SKIN.XML", blue.GetXMLPath());
    EXPECT_EQ(CRect(30, 70, 46, 86), CRect(WindowRect(blue)));
    ASSERT_EQ(1, red.LoadSkinCAB((dir / L"red.cab").c_str()));

    PixelSurface surface(16, 16, kUnpainted);
    Print(red, surface);
    EXPECT_EQ(RGB(255, 0, 0), surface.At(8, 8)) << "not the picture cached from the first package";
    Print(blue, surface);
    EXPECT_EQ(RGB(0, 0, 255), surface.At(8, 8)) << "a window loaded before keeps drawing its own";

    // Not a package: loaded as a skin file; no folder in the path: refused.
    std::wstring plain = WriteBarSkin(dir.Path());
    EXPECT_EQ(1, red.LoadSkinCAB(plain.c_str()));
    EXPECT_EQ(plain, red.GetXMLPath());
    EXPECT_EQ(0, red.LoadSkinCAB(L"skin.cab"));
}

TEST(SkinCore, AThreadThatRunsAnotherComponentModelKeepsItAfterASkinWindow)
{
    HRESULT before = E_FAIL, after = E_FAIL;
    std::thread thread([&] {
        before = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        { TestSkinWnd wnd; }  // asks for the free-threaded model, which this thread cannot have
        after = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(after))
            CoUninitialize();
        CoUninitialize();
    });
    thread.join();
    EXPECT_EQ(S_OK, before);
    EXPECT_EQ(S_FALSE, after) << "the thread's own start must still stand";
}
