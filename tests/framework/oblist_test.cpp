// CObList: editing, positions, reuse after emptying, and the stable sort.
#include <gtest/gtest.h>

#include <coretypes.h>

#include <vector>

namespace {

struct Item : CObject {
    Item(int k, int i) : key(k), id(i) {}
    int key;
    int id;
};

class ItemList : public CObList {
public:
    explicit ItemList(int blockSize = 10) : CObList(blockSize) {}
    int Compare(CObject* a, CObject* b) override
    {
        return static_cast<Item*>(a)->key - static_cast<Item*>(b)->key;
    }
};

std::vector<int> IdsForward(const CObList& list)
{
    std::vector<int> ids;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        ids.push_back(static_cast<Item*>(list.GetNext(pos))->id);
    return ids;
}

std::vector<int> IdsBackward(const CObList& list)
{
    std::vector<int> ids;
    for (POSITION pos = list.GetTailPosition(); pos;)
        ids.push_back(static_cast<Item*>(list.GetPrev(pos))->id);
    return ids;
}

class ObListTest : public ::testing::Test {
protected:
    ObListTest()
    {
        for (int i = 0; i < 8; ++i)
            items.emplace_back(0, i);
    }
    CObject* At(int i) { return &items[i]; }
    std::vector<Item> items;
};

TEST_F(ObListTest, SortIsStableAndKeepsPositions)
{
    const int keys[] = {3, 1, 2, 1, 3, 2, 1};
    std::vector<Item> sorted;
    for (int i = 0; i < 7; ++i)
        sorted.emplace_back(keys[i], i);
    ItemList list;
    std::vector<POSITION> positions;
    for (auto& item : sorted)
        positions.push_back(list.AddTail(&item));
    POSITION head = list.GetHeadPosition();

    EXPECT_EQ(1, list.Sort());

    // Equal keys keep their insertion order: 1s are ids 1,3,6; 2s are 2,5; 3s are 0,4.
    EXPECT_EQ((std::vector<int>{1, 3, 6, 2, 5, 0, 4}), IdsForward(list));
    EXPECT_EQ((std::vector<int>{4, 0, 5, 2, 6, 3, 1}), IdsBackward(list));
    // Nodes stay put and their contents move: old positions walk the sorted list.
    int visited = 0;
    for (POSITION pos = head; pos; list.GetNext(pos))
        ++visited;
    EXPECT_EQ(7, visited);
    EXPECT_EQ(1, static_cast<Item*>(list.GetAt(positions[0]))->id);
    EXPECT_EQ(4, static_cast<Item*>(list.GetAt(positions[6]))->id);
}

TEST_F(ObListTest, BaseCompareLeavesOrder)
{
    CObList list;
    for (int i = 0; i < 5; ++i)
        list.AddHead(At(i));
    EXPECT_EQ(1, list.Sort());
    EXPECT_EQ((std::vector<int>{4, 3, 2, 1, 0}), IdsForward(list));

    CObList empty;
    EXPECT_EQ(1, empty.Sort());
    EXPECT_TRUE(empty.IsEmpty());
}

TEST_F(ObListTest, FindIndexAndInsertAtNoPosition)
{
    CObList list;
    list.AddTail(At(1));
    list.AddTail(At(2));
    EXPECT_EQ(nullptr, list.FindIndex(2));
    EXPECT_EQ(nullptr, list.FindIndex(-1));
    EXPECT_EQ(list.GetHeadPosition(), list.FindIndex(0));
    EXPECT_EQ(list.GetTailPosition(), list.FindIndex(1));

    POSITION tail = list.InsertAfter(nullptr, At(3));
    POSITION head = list.InsertBefore(nullptr, At(0));
    EXPECT_EQ(tail, list.GetTailPosition());
    EXPECT_EQ(head, list.GetHeadPosition());
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), IdsForward(list));

    // Inserting around a middle node links both directions.
    POSITION second = list.FindIndex(1);
    list.InsertBefore(second, At(4));
    list.InsertAfter(second, At(5));
    EXPECT_EQ((std::vector<int>{0, 4, 1, 5, 2, 3}), IdsForward(list));
    EXPECT_EQ((std::vector<int>{3, 2, 5, 1, 4, 0}), IdsBackward(list));
    EXPECT_EQ(6, list.GetCount());
}

TEST_F(ObListTest, RemovalRelinksHeadAndTail)
{
    CObList list;
    POSITION first = list.AddTail(At(0));
    POSITION middle = list.AddTail(At(1));
    POSITION last = list.AddTail(At(2));
    list.AddTail(At(3));

    list.RemoveAt(middle);
    EXPECT_EQ((std::vector<int>{0, 2, 3}), IdsForward(list));
    list.RemoveAt(first);
    EXPECT_EQ(At(2), list.GetHead());
    EXPECT_EQ(At(3), list.RemoveTail());
    EXPECT_EQ(last, list.GetTailPosition());
    EXPECT_EQ((std::vector<int>{2}), IdsBackward(list));
    EXPECT_EQ(At(2), list.RemoveHead());
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    EXPECT_EQ(nullptr, list.GetTailPosition());
    EXPECT_EQ(nullptr, list.RemoveHead());
    EXPECT_EQ(nullptr, list.RemoveTail());
}

TEST_F(ObListTest, ReusableAfterLastRemovalAcrossBlocks)
{
    CObList list(3); // several blocks for eight elements
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 8; ++i)
            list.AddTail(At(i));
        EXPECT_EQ(8, list.GetCount());
        EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}), IdsForward(list));
        while (!list.IsEmpty())
            list.RemoveHead();
        EXPECT_EQ(0, list.GetCount());
        EXPECT_EQ(nullptr, list.GetHeadPosition());
    }
    list.AddHead(At(5));
    list.RemoveAll();
    list.AddTail(At(6));
    EXPECT_EQ((std::vector<int>{6}), IdsForward(list));
}

TEST_F(ObListTest, FindFromStartPosition)
{
    CObList list;
    POSITION a = list.AddTail(At(0));
    POSITION b = list.AddTail(At(1));
    POSITION c = list.AddTail(At(0));
    EXPECT_EQ(a, list.Find(At(0)));
    EXPECT_EQ(c, list.Find(At(0), a));
    EXPECT_EQ(nullptr, list.Find(At(0), c));
    EXPECT_EQ(b, list.Find(At(1)));
    EXPECT_EQ(nullptr, list.Find(At(7)));
}

TEST_F(ObListTest, AddListKeepsOrderAndSelfAddCopiesOnce)
{
    CObList source;
    source.AddTail(At(1));
    source.AddTail(At(2));
    CObList target;
    target.AddTail(At(0));
    target.AddTail(&source);
    target.AddHead(&source);
    EXPECT_EQ((std::vector<int>{1, 2, 0, 1, 2}), IdsForward(target));

    source.AddTail(&source);
    EXPECT_EQ((std::vector<int>{1, 2, 1, 2}), IdsForward(source));
    source.AddHead(&source);
    EXPECT_EQ(8, source.GetCount());
}

} // namespace
