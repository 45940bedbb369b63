// CMapSS: insert and replace rules, lookups, hashing, iteration order, reuse.
#include <gtest/gtest.h>

#include <coretypes.h>

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> KeysInOrder(const CMapSS& map)
{
    std::vector<std::wstring> keys;
    CString key, value;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        map.GetNextAssoc(pos, key, value);
        keys.emplace_back(static_cast<const wchar_t*>(key));
    }
    return keys;
}

TEST(MapSSTest, SetAtKeepsValueWhereIndexReplaces)
{
    CMapSS map;
    map.SetAt(L"color", L"red");
    map.SetAt(L"color", L"blue");
    EXPECT_STREQ(L"red", map.GetAt(L"color"));
    EXPECT_EQ(1, map.GetCount());

    map[L"color"] = L"green";
    EXPECT_STREQ(L"green", map.GetAt(L"color"));

    // Indexing an absent key adds it with an empty value.
    CString& added = map[L"size"];
    EXPECT_TRUE(added.IsEmpty());
    EXPECT_EQ(2, map.GetCount());
}

TEST(MapSSTest, LookupsMatchContentCaseSensitively)
{
    CMapSS map;
    map.SetAt(L"Key", L"value");
    wchar_t other[] = L"Key";
    CString found(L"untouched");
    EXPECT_TRUE(map.Lookup(other, found));
    EXPECT_STREQ(L"value", static_cast<const wchar_t*>(found));

    CString missing(L"untouched");
    EXPECT_FALSE(map.Lookup(L"key", missing));
    EXPECT_STREQ(L"untouched", static_cast<const wchar_t*>(missing));
    EXPECT_EQ(nullptr, map.GetAt(L"KEY"));

    const wchar_t* stored = nullptr;
    EXPECT_TRUE(map.LookupKey(other, stored));
    EXPECT_STREQ(L"Key", stored);
    EXPECT_NE(static_cast<const wchar_t*>(other), stored);
    EXPECT_FALSE(map.LookupKey(L"none", stored));
}

TEST(MapSSTest, HashIsTimes33PlusCodeUnit)
{
    CMapSS map;
    EXPECT_EQ(0u, map.HashKey(L""));
    EXPECT_EQ(97u, map.HashKey(L"a"));
    EXPECT_EQ(97u * 33 + 98, map.HashKey(L"ab"));
    // Unsigned 32-bit arithmetic wraps instead of overflowing.
    EXPECT_EQ(0xBE9A5438u, map.HashKey(L"zzzzzzzzzzzz"));
    EXPECT_EQ(0xC777A047u, map.HashKey(L"AppletName"));
}

TEST(MapSSTest, IterationGoesByBucketNewestFirst)
{
    // With 17 buckets: "a" (97) and "r" (114) land in bucket 12, "b" in 13, "c" in 14.
    CMapSS map;
    map.SetAt(L"c", L"3");
    map.SetAt(L"b", L"2");
    map.SetAt(L"a", L"1");
    map.SetAt(L"r", L"4");
    EXPECT_EQ((std::vector<std::wstring>{L"r", L"a", L"b", L"c"}), KeysInOrder(map));

    CString key, value;
    POSITION pos = map.GetStartPosition();
    map.GetNextAssoc(pos, key, value);
    EXPECT_STREQ(L"4", static_cast<const wchar_t*>(value));
}

TEST(MapSSTest, RemovingFromChainsAndEmptyingResets)
{
    CMapSS map(2);
    map.SetAt(L"a", L"1");
    map.SetAt(L"r", L"2"); // same bucket as "a"
    map.SetAt(L"b", L"3");
    EXPECT_TRUE(map.RemoveKey(L"a")); // the older entry, behind "r" in its bucket
    EXPECT_FALSE(map.RemoveKey(L"a"));
    EXPECT_EQ((std::vector<std::wstring>{L"r", L"b"}), KeysInOrder(map));
    EXPECT_STREQ(L"2", map.GetAt(L"r"));

    EXPECT_TRUE(map.RemoveKey(L"r"));
    EXPECT_TRUE(map.RemoveKey(L"b"));
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(nullptr, map.GetStartPosition());

    for (int i = 0; i < 5; ++i)
        map[std::to_wstring(i).c_str()] = L"again";
    EXPECT_EQ(5, map.GetCount());
    EXPECT_STREQ(L"again", map.GetAt(L"4"));
    map.RemoveAll();
    EXPECT_EQ(nullptr, map.GetStartPosition());
    EXPECT_FALSE(map.RemoveKey(L"4"));
}

TEST(MapSSTest, InitHashTableKeepsEntriesAndRejectsZeroBuckets)
{
    CMapSS map;
    map.InitHashTable(0); // must not leave a bucket count to divide by
    map.SetAt(L"one", L"1");
    map.SetAt(L"two", L"2");
    map.InitHashTable(3);
    EXPECT_EQ(2, map.GetCount());
    EXPECT_STREQ(L"1", map.GetAt(L"one"));
    EXPECT_STREQ(L"2", map.GetAt(L"two"));
    EXPECT_EQ(2u, KeysInOrder(map).size());
    EXPECT_TRUE(map.RemoveKey(L"two"));
    EXPECT_STREQ(L"1", map.GetAt(L"one"));
}

} // namespace
