// CString: block sizes, sharing, copy-on-write, locking and text operations.
#include <gtest/gtest.h>

#include <coretypes.h>

#include <string>
#include <thread>
#include <vector>

namespace {

const CStringData* BlockOf(const CString& s)
{
    return reinterpret_cast<const CStringData*>(static_cast<const wchar_t*>(s)) - 1;
}

const wchar_t* Text(const CString& s)
{
    return s;
}

CString Repeat(wchar_t ch, int count)
{
    return CString(std::wstring(count, ch).c_str());
}

TEST(CStringTest, CapacityFollowsSizeClasses)
{
    const struct {
        int length;
        int capacity;
    } cases[] = {{1, 64},    {64, 64},   {65, 128},  {128, 128}, {129, 256},
                 {256, 256}, {300, 512}, {512, 512}, {513, 513}, {600, 600}};
    for (const auto& c : cases) {
        CString s = Repeat(L'x', c.length);
        EXPECT_EQ(c.length, s.GetLength()) << c.length;
        EXPECT_EQ(c.capacity, s.GetAllocLength()) << c.length;
        EXPECT_EQ(L'\0', Text(s)[c.length]) << c.length;
    }
}

TEST(CStringTest, AppendingPastCapacityMovesToNextClass)
{
    CString s = Repeat(L'a', 64);
    const wchar_t* before = s;
    s += L'b';
    EXPECT_EQ(65, s.GetLength());
    EXPECT_EQ(128, s.GetAllocLength());
    EXPECT_NE(before, Text(s));
    EXPECT_EQ(L'b', s[64]);

    // Within the capacity the block stays where it is.
    const wchar_t* grown = s;
    s += L"cd";
    EXPECT_EQ(grown, Text(s));
    EXPECT_EQ(std::wstring(64, L'a') + L"bcd", Text(s));
}

TEST(CStringTest, EmptyStringsShareOneUncountedBlock)
{
    CString a;
    CString b(static_cast<const wchar_t*>(nullptr));
    CString c(L"");
    EXPECT_EQ(Text(a), Text(b));
    EXPECT_EQ(Text(a), Text(c));
    EXPECT_EQ(0, a.GetAllocLength());
    EXPECT_EQ(-1, BlockOf(a)->nRefs);
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_STREQ(L"", Text(a));

    CString d(L"text");
    d.Empty();
    EXPECT_EQ(Text(a), Text(d));
    EXPECT_EQ(-1, BlockOf(a)->nRefs); // never counted
}

TEST(CStringTest, AssignmentSharesAndWriteUnshares)
{
    CString a(L"hello");
    CString b;
    b = a;
    EXPECT_EQ(Text(a), Text(b));
    EXPECT_EQ(2, BlockOf(a)->nRefs);
    CString c(b);
    EXPECT_EQ(Text(a), Text(c));
    EXPECT_EQ(3, BlockOf(a)->nRefs);

    wchar_t* buffer = b.GetBuffer(200);
    EXPECT_NE(Text(a), buffer);
    EXPECT_EQ(256, b.GetAllocLength());
    EXPECT_STREQ(L"hello", buffer);
    buffer[0] = L'J';
    b.ReleaseBuffer();
    EXPECT_STREQ(L"hello", Text(a));
    EXPECT_STREQ(L"Jello", Text(b));
    EXPECT_STREQ(L"hello", Text(c));
    EXPECT_EQ(2, BlockOf(a)->nRefs);
    EXPECT_EQ(1, BlockOf(b)->nRefs);

    // Assigning text unshares too; an unshared block large enough is reused.
    c = L"second";
    EXPECT_STREQ(L"hello", Text(a));
    EXPECT_EQ(1, BlockOf(a)->nRefs);
    const wchar_t* own = c;
    c = L"third";
    EXPECT_EQ(own, Text(c));
}

TEST(CStringTest, LockedBufferIsCopiedUntilUnlocked)
{
    CString a(L"locked");
    wchar_t* locked = a.LockBuffer();
    EXPECT_EQ(-1, BlockOf(a)->nRefs);

    CString copy(a);
    EXPECT_NE(Text(copy), locked);
    EXPECT_STREQ(L"locked", Text(copy));
    CString assigned;
    assigned = a;
    EXPECT_NE(Text(assigned), locked);

    // Assigning into a locked string keeps its buffer.
    CString other(L"other");
    a = other;
    EXPECT_EQ(locked, Text(a));
    EXPECT_STREQ(L"other", Text(a));
    a.Empty();
    EXPECT_EQ(locked, Text(a));
    EXPECT_TRUE(a.IsEmpty());

    a = L"again";
    a.UnlockBuffer();
    EXPECT_EQ(1, BlockOf(a)->nRefs);
    CString shared(a);
    EXPECT_EQ(Text(a), Text(shared));
}

TEST(CStringTest, UnlockingSharedBufferKeepsItsCount)
{
    CString a(L"shared");
    CString b = a;
    a.UnlockBuffer(); // not locked: must not claim the block for one owner
    EXPECT_EQ(2, BlockOf(a)->nRefs);
    CString empty;
    empty.UnlockBuffer();
    EXPECT_EQ(-1, BlockOf(empty)->nRefs);
}

TEST(CStringTest, ReleaseBufferMeasuresAndStaysInsideBlock)
{
    CString s;
    wchar_t* buffer = s.GetBuffer(20);
    EXPECT_GE(s.GetAllocLength(), 20);
    wcscpy_s(buffer, 21, L"abc");
    s.ReleaseBuffer();
    EXPECT_EQ(3, s.GetLength());
    EXPECT_STREQ(L"abc", Text(s));

    buffer = s.GetBuffer(0);
    buffer[1] = L'\0';
    s.ReleaseBuffer(-1);
    EXPECT_EQ(1, s.GetLength());

    // A length past the capacity is cut to the capacity.
    s.GetBuffer(0);
    s.ReleaseBuffer(1000);
    EXPECT_EQ(s.GetAllocLength(), s.GetLength());
    EXPECT_EQ(L'\0', Text(s)[s.GetLength()]);
}

TEST(CStringTest, FreeExtraShrinksToLength)
{
    CString s(L"0123456789");
    EXPECT_EQ(64, s.GetAllocLength());
    s.FreeExtra();
    EXPECT_EQ(10, s.GetAllocLength());
    EXPECT_STREQ(L"0123456789", Text(s));
    s += L'!';
    EXPECT_STREQ(L"0123456789!", Text(s));
}

TEST(CStringTest, ConcatenationAndTextFromOwnBuffer)
{
    CString a(L"ab");
    EXPECT_STREQ(L"abcd", Text(a + CString(L"cd")));
    EXPECT_STREQ(L"xyab", Text(L"xy" + a));
    a += a;
    EXPECT_STREQ(L"abab", Text(a));

    CString s(L"prefix-tail");
    s = Text(s) + 7;
    EXPECT_STREQ(L"tail", Text(s));
    // Same when the text has to move to a block of its own first.
    CString shared(L"abcdef");
    CString other = shared;
    other = Text(other) + 2;
    EXPECT_STREQ(L"cdef", Text(other));
    EXPECT_STREQ(L"abcdef", Text(shared));
}

TEST(CStringTest, Comparisons)
{
    CString lower(L"apple");
    EXPECT_EQ(0, lower.Compare(L"apple"));
    EXPECT_GT(lower.Compare(L"Apple"), 0); // ordinal: 'a' after 'A'
    EXPECT_LT(lower.Compare(L"apples"), 0);
    EXPECT_EQ(0, lower.CompareNoCase(L"APPLE"));
    EXPECT_LT(lower.CompareNoCase(L"BANANA"), 0);
    EXPECT_EQ(0, CString().Compare(nullptr));
    // Code units compare unsigned: U+FF21 sorts after U+0041.
    EXPECT_GT(CString(L"\xFF21").Compare(L"A"), 0);

    // == compares text, not pointers.
    wchar_t buffer[] = L"apple";
    EXPECT_TRUE(lower == buffer);
    EXPECT_TRUE(buffer == lower);
    EXPECT_TRUE(lower != CString(L"pear"));
}

TEST(CStringTest, CopiesReleasedOnManyThreadsKeepTheCount)
{
    CString original(L"shared between threads");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&original] {
            for (int i = 0; i < 20000; ++i) {
                CString copy(original);
                CString another;
                another = copy;
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(1, BlockOf(original)->nRefs);
    EXPECT_STREQ(L"shared between threads", Text(original));
}

} // namespace
