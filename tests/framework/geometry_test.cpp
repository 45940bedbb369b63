// Geometry types: packed constructors, rectangle arithmetic and CRectList hit-testing.
#include <gtest/gtest.h>

#include <coretypes.h>

namespace {

TEST(GeometryTest, PackedValuesAreSignExtended)
{
    CPoint point(static_cast<DWORD>(0xFFFE0003));
    EXPECT_EQ(3, point.x);
    EXPECT_EQ(-2, point.y);
    CSize size(static_cast<DWORD>(0x0005FFFF));
    EXPECT_EQ(-1, size.cx);
    EXPECT_EQ(5, size.cy);
}

TEST(GeometryTest, RectMeasuresAndEdges)
{
    CRect rect(10, 20, 30, 60);
    EXPECT_EQ(CPoint(20, 40), rect.CenterPoint());
    // Sums are halved toward zero.
    EXPECT_EQ(CPoint(-1, -1), CRect(-3, -3, 0, 0).CenterPoint());
    EXPECT_TRUE(rect.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(rect.PtInRect(CPoint(30, 20)));
    EXPECT_FALSE(rect.PtInRect(CPoint(10, 60)));
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());

    rect.TopLeft() = CPoint(0, 0);
    EXPECT_EQ(CRect(0, 0, 30, 60), rect);
    rect.SwapLeftRight();
    EXPECT_EQ(CRect(30, 0, 0, 60), rect);
}

TEST(GeometryTest, InflateByRectMovesEachSide)
{
    CRect rect(10, 10, 20, 20);
    RECT by = {1, 2, 3, 4};
    rect.InflateRect(&by);
    EXPECT_EQ(CRect(9, 8, 23, 24), rect);
    rect.DeflateRect(&by);
    EXPECT_EQ(CRect(10, 10, 20, 20), rect);
    EXPECT_EQ(CRect(9, 8, 23, 24), rect + &by);
    EXPECT_EQ(CRect(11, 12, 17, 16), rect - &by);
}

TEST(GeometryTest, IntersectionAndUnion)
{
    CRect a(0, 0, 10, 10);
    CRect b(5, 5, 15, 15);
    EXPECT_EQ(CRect(5, 5, 10, 10), a & b);
    EXPECT_EQ(CRect(0, 0, 15, 15), a | b);

    CRect none;
    EXPECT_FALSE(none.IntersectRect(&a, CRect(20, 20, 30, 30)));
    EXPECT_TRUE(none.IsRectEmpty());

    CRect rest;
    EXPECT_TRUE(rest.SubtractRect(CRect(0, 0, 10, 10), CRect(5, 0, 10, 10)));
    EXPECT_EQ(CRect(0, 0, 5, 10), rest);

    a &= b;
    EXPECT_EQ(CRect(5, 5, 10, 10), a);
}

TEST(GeometryTest, RectListCountBelowOneGivesTen)
{
    CRectList list(3);
    EXPECT_EQ(3, list.GetCount());
    list.SetCount(0);
    EXPECT_EQ(10, list.GetCount());
}

TEST(GeometryTest, RectListHitTesting)
{
    CRectList list(3);
    list.SetItem(0, CRect(0, 0, 10, 10));
    list.SetItem(1, CRect(5, 5, 20, 20)); // overlaps the first
    list.SetItem(2, CRect(30, 30, 40, 40));
    EXPECT_EQ(0, list.PtInRectList(CPoint(7, 7)));
    EXPECT_EQ(1, list.PtInRectList(CPoint(10, 10)));
    EXPECT_EQ(2, list.PtInRectList(CPoint(30, 30)));
    EXPECT_EQ(-1, list.PtInRectList(CPoint(40, 35))); // right edge only
    EXPECT_EQ(-1, list.PtInRectList(CPoint(35, 40))); // bottom edge only
    EXPECT_EQ(CRect(5, 5, 20, 20), list.GetItem(1));
}

TEST(GeometryTest, RectListIgnoresIndexesOutside)
{
    CRectList list(2);
    list.SetItem(0, CRect(1, 2, 3, 4));
    list.SetItem(2, CRect(9, 9, 9, 9));
    list.SetItem(-1, CRect(9, 9, 9, 9));
    EXPECT_EQ(CRect(1, 2, 3, 4), list.GetItem(0));
    EXPECT_TRUE(list.GetItem(2).IsRectNull());
    EXPECT_TRUE(list.GetItem(-1).IsRectNull());
}

} // namespace
