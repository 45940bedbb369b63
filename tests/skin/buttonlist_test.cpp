// Skin buttons without a window: hit testing, press and release, ids, the
// shared image cache.
#include <gtest/gtest.h>

#include "skin_window_support.h"

#include "ketra_testkit.h"

namespace {

using namespace testkit;

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);
const CRect kLeft(0, 0, 20, 20), kRight(20, 0, 40, 20);

void Add(CButtonList& list, const wchar_t* name, COLORREF mask, const CRect& at)
{
    list.AddButton(name, mask, at, at, at, at);
}

} // namespace

TEST(ButtonList, TheMaskDecidesAloneAndAColourOfNoButtonIsNoButton)
{
    ScratchFolder dir(L"skin_mask");
    ASSERT_TRUE(WriteBmp(dir / L"mask.bmp", 40, 20, [](int x, int) { return x < 20 ? kRed : kBlue; }));
    PixelSurface surface(40, 20, kWhite);
    CDC dc(surface.dc());
    CButtonList list;
    ASSERT_TRUE(list.Init(&dc, nullptr));
    ASSERT_TRUE(list.LoadMask((dir / L"mask.bmp").c_str()));
    Add(list, L"A", kRed, kLeft);
    Add(list, L"B", kRed, kLeft);     // the same colour, later in the file
    Add(list, L"C", kGreen, kRight);  // its rectangle lies over the blue half

    ASSERT_NE(nullptr, list.GetButton(CPoint(5, 5)));
    EXPECT_STREQ(L"A", list.GetButton(CPoint(5, 5))->GetCommand());
    EXPECT_EQ(nullptr, list.GetButton(CPoint(30, 5))) << "blue belongs to no button";
    EXPECT_EQ(nullptr, list.GetButton(CPoint(45, 5))) << "outside the mask picture";

    list.SetMask(nullptr);  // without a mask the rectangles decide
    ASSERT_NE(nullptr, list.GetButton(CPoint(30, 5)));
    EXPECT_STREQ(L"C", list.GetButton(CPoint(30, 5))->GetCommand());
    EXPECT_EQ(nullptr, list.GetButton(CPoint(45, 5)));

    EXPECT_EQ(0, list.LoadMask((dir / L"missing.bmp").c_str()));
    EXPECT_EQ(nullptr, list.GetMaskImage());
}

TEST(ButtonList, PressAndReleaseDrawTheLooksAndOnlyAReleaseOnThePressedButtonClicks)
{
    ScratchFolder dir(L"skin_press");
    ASSERT_TRUE(WriteBmp(dir / L"enable.bmp", 40, 20, [](int, int) { return kGreen; }));
    ASSERT_TRUE(WriteBmp(dir / L"pushed.bmp", 40, 20, [](int, int) { return kRed; }));
    PixelSurface surface(40, 20, kWhite);
    CDC dc(surface.dc());
    CButtonList list;
    ASSERT_TRUE(list.Init(&dc, nullptr));
    ASSERT_TRUE(list.LoadEnable((dir / L"enable.bmp").c_str()));
    ASSERT_TRUE(list.LoadPushed((dir / L"pushed.bmp").c_str()));
    Add(list, L"A", kRed, kLeft);
    Add(list, L"B", kBlue, kRight);
    CButton* a = list.GetButton(L"A");
    CButton* b = list.GetButton(L"B");

    // Press on A, slide off, release on B: A is drawn pushed, then normal; no click.
    ASSERT_EQ(1, list.OnLButtonDown(CPoint(5, 5)));
    EXPECT_EQ(CButton::Pushed, a->GetStatus());
    EXPECT_EQ(kRed, surface.At(0, 0));
    EXPECT_EQ(kRed, surface.At(19, 19));
    EXPECT_EQ(kWhite, surface.At(20, 0)) << "only the pressed button is drawn";
    EXPECT_EQ(0, list.OnLButtonUp(CPoint(25, 5)));
    EXPECT_EQ(CButton::Normal, a->GetStatus());
    EXPECT_EQ(kGreen, surface.At(5, 5));
    EXPECT_EQ(nullptr, list.GetCommand());

    // A disabled button takes no press, draws nothing and stays disabled.
    surface.Fill(kWhite);
    b->SetStatus(CButton::Disabled);
    EXPECT_EQ(0, list.OnLButtonDown(CPoint(25, 5)));
    EXPECT_EQ(0, list.OnLButtonUp(CPoint(25, 5)));
    EXPECT_EQ(CButton::Disabled, b->GetStatus());
    EXPECT_EQ(kWhite, surface.At(25, 5));

    // A click: press and release on the same button.
    ASSERT_EQ(1, list.OnLButtonDown(CPoint(5, 5)));
    EXPECT_EQ(1, list.OnLButtonUp(CPoint(15, 15)));
    EXPECT_STREQ(L"A", list.GetCommand());
}

TEST(ButtonList, IdsFollowTheListFrom100AndStartAgainAfterRemoveAll)
{
    CButtonList list;
    for (const wchar_t* name : {L"A", L"B", L"C"})
        Add(list, name, kRed, kLeft);
    EXPECT_EQ(100, list.GetButton(L"A")->GetID());
    EXPECT_EQ(102, list.GetButton(L"C")->GetID());
    EXPECT_STREQ(L"B", list.GetButton(101)->GetCommand());
    list.RemoveAll();
    EXPECT_EQ(0, list.GetCount());
    Add(list, L"D", kRed, kLeft);
    EXPECT_EQ(100, list.GetButton(L"D")->GetID());
    EXPECT_EQ(nullptr, list.GetButton(101));
}

TEST(ImageCache, OnePathIsDecodedOnceAndAFolderCanBeForgotten)
{
    ScratchFolder dir(L"skin_cache");
    std::wstring path = dir / L"picture.bmp";
    ASSERT_TRUE(WriteBmp(path, 4, 4, [](int, int) { return kBlue; }));
    CImage* first = g_imgList.GetImage(path.c_str());
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, g_imgList.GetImage(path.c_str()));
    EXPECT_EQ(nullptr, g_imgList.GetImage((dir / L"missing.bmp").c_str()));
    EXPECT_EQ(nullptr, g_imgList.LookUp((dir / L"missing.bmp").c_str())) << "failures are not cached";

    // The file changes under the same name: once the folder is forgotten the
    // next request decodes it again, and the old image stays drawable.
    ASSERT_TRUE(WriteBmp(path, 4, 4, [](int, int) { return kRed; }));
    EXPECT_EQ(1, g_imgList.ForgetFolder((dir.Path() + L"\\").c_str()));
    CImage* second = g_imgList.GetImage(path.c_str());
    ASSERT_NE(nullptr, second);
    EXPECT_NE(first, second);
    EXPECT_EQ(kRed, second->GetPixel(1, 1));
    EXPECT_EQ(kBlue, first->GetPixel(1, 1));
}
