// The thumbnail list's paging and the dialogs' texts and picture fitting,
// without a device: the pure parts of the theme browser and its dialogs.
#include <gtest/gtest.h>

#include <tskthumb.h>

#include <string>
#include <vector>

#include "../../themes/tessary/tsk_text.h"

namespace {

class PlainThumb : public CThumb {
public:
    BOOL MakePreview() override { return TRUE; }
};

class PlainList : public CThumbList {
public:
    explicit PlainList(int count)
    {
        for (int i = 0; i < count; ++i) {
            PlainThumb* thumb = new PlainThumb;
            thumb->Set(nullptr, (L"\\Themes\\T" + std::to_wstring(i) + L".tsk").c_str());
            AddData(thumb);
        }
        UpdatePageCount();
    }
    BOOL LoadFolder(LPCWSTR) override { return TRUE; }
    BOOL MakePreview(int) override { return TRUE; }
};

std::vector<long> Box(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

std::wstring Kilobytes(ULONGLONG bytes)
{
    wchar_t text[32];
    EXPECT_TRUE(FormatKilobytes(bytes, L"Size : ", text, 32));
    return text;
}

}  // namespace

TEST(ThumbList, PagesOfFiveStopAtTheirEnds)
{
    PlainList list(6);
    EXPECT_EQ(2, list.GetPageCount());
    EXPECT_FALSE(list.MovePrevThumbs());
    EXPECT_TRUE(list.MoveNextThumbs());
    EXPECT_EQ(5, list.GetBase());
    EXPECT_FALSE(list.MoveNextThumbs());
    EXPECT_EQ(1, list.GetPage());

    PlainList exact(10);
    EXPECT_EQ(2, exact.GetPageCount());
    PlainList empty(0);
    EXPECT_EQ(1, empty.GetPageCount());
    EXPECT_FALSE(empty.MoveNextThumbs());
}

TEST(ThumbList, DeletingTheLastPagesOnlyThemeKeepsThePageWithinThePages)
{
    PlainList list(11);
    ASSERT_TRUE(list.MoveNextThumbs());
    ASSERT_TRUE(list.MoveNextThumbs());
    ASSERT_EQ(3, list.GetPageCount());
    ASSERT_TRUE(list.RemoveItem(10));
    EXPECT_EQ(2, list.GetPageCount());
    EXPECT_EQ(1, list.GetPage());
    EXPECT_EQ(5, list.GetBase());
    EXPECT_FALSE(list.RemoveItem(10));
}

TEST(ThumbList, TheLoadedCountCountsPreviewsMade)
{
    PlainList one(1);
    EXPECT_FALSE(one.IsFullLoaded()) << "no preview is made yet";
    one.SetLoadedCount(0);
    EXPECT_TRUE(one.IsFullLoaded());

    PlainList four(4);
    four.SetLoadedCount(1);
    ASSERT_TRUE(four.RemoveItem(0));  // a made preview goes
    EXPECT_EQ(0, four.GetLoadedCount());
}

TEST(ThumbList, TapsFindTheThumbnailOfTheCurrentPageOnly)
{
    PlainList list(6);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 236, 75);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int i = 0; i < 5; ++i)
        list.GetData(i)->MakePreviewDone();
    list.DrawThumbs(dc, {8, 22}, 36, 48, 4, TRUE);
    EXPECT_EQ(0, list.GetIndex({10, 30}));
    EXPECT_EQ(4, list.GetIndex({8 + 160 + 35, 69}));
    EXPECT_EQ(-1, list.GetIndex({8 + 160 + 36, 30})) << "the gap between thumbnails";
    EXPECT_STREQ(L"T1.tsk", list.GetFileName(POINT{50, 30}));
    EXPECT_EQ(nullptr, list.GetFilePath(POINT{2, 2}));
    ASSERT_TRUE(list.MoveNextThumbs());
    EXPECT_EQ(-1, list.GetIndex({50, 30})) << "a thumbnail of the other page";
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST(DialogTexts, SizesInKilobytes)
{
    EXPECT_EQ(L"Size : 0.00 KB", Kilobytes(0));
    EXPECT_EQ(L"Size : 0.50 KB", Kilobytes(512));
    EXPECT_EQ(L"Size : 1.00 KB", Kilobytes(1024));
    EXPECT_EQ(L"Size : 1 KB", Kilobytes(1025));
    EXPECT_EQ(L"Size : 1 KB", Kilobytes(1535));
    EXPECT_EQ(L"Size : 2 KB", Kilobytes(1536));
    EXPECT_EQ(L"Size : 4096 KB", Kilobytes(4 * 1024 * 1024));
    wchar_t small[8];
    EXPECT_FALSE(FormatKilobytes(4 * 1024 * 1024, L"Size : ", small, 8)) << "a cut text is refused";
}

TEST(DialogTexts, PicturesFitThePreviewBoxCentred)
{
    EXPECT_EQ((std::vector<long>{0, 23, 100, 56}), Box(FitPicture(300, 100, 100, 80)));
    EXPECT_EQ((std::vector<long>{20, 0, 80, 80}), Box(FitPicture(240, 320, 100, 80)));
    EXPECT_EQ((std::vector<long>{0, 0, 100, 80}), Box(FitPicture(10, 8, 100, 80))) << "small pictures grow";
    EXPECT_EQ((std::vector<long>{0, 0, 0, 0}), Box(FitPicture(0, 100, 100, 80)));
}

TEST(DialogTexts, SpecialThemeNamesInAnyCase)
{
    EXPECT_TRUE(IsSpecialThemeName(L"<default>"));
    EXPECT_TRUE(IsSpecialThemeName(L"<CURRENT>"));
    EXPECT_FALSE(IsSpecialThemeName(L"<New>"));
    EXPECT_FALSE(IsSpecialThemeName(L"\\My Documents\\<default>"));
    EXPECT_FALSE(IsSpecialThemeName(nullptr));
}
