// The side bar's applet history behind "PREV" and "NEXT".
#include <gtest/gtest.h>

#include <string>

#include "history.h"

namespace {

std::wstring Text(const wchar_t* name)
{
    return name ? name : L"(none)";
}

TEST(HostHistory, OneEntryGoesNowhere)
{
    CKetraHistory history;
    history.Record(L"About");
    EXPECT_EQ(nullptr, history.Prev());
    EXPECT_EQ(nullptr, history.Next());
    EXPECT_EQ(1, history.GetCount());
}

TEST(HostHistory, RecordingAgainMovesTheNameAfterTheCursor)
{
    CKetraHistory history;
    history.Record(L"A");
    history.Record(L"B");
    history.Record(L"C");
    EXPECT_EQ(L"B", Text(history.Prev()));
    EXPECT_EQ(L"A", Text(history.Prev()));
    // "C" goes from the end to just after "A", the cursor with it.
    history.Record(L"C");
    EXPECT_EQ(3, history.GetCount());
    EXPECT_EQ(L"B", Text(history.Next()));
    EXPECT_EQ(nullptr, history.Next());
    EXPECT_EQ(L"C", Text(history.Prev()));
    EXPECT_EQ(L"A", Text(history.Prev()));
}

TEST(HostHistory, RecordingTheCurrentEntryKeepsOneCopy)
{
    CKetraHistory history;
    history.Record(L"A");
    history.Record(L"B");
    history.Record(L"B");
    EXPECT_EQ(2, history.GetCount());
    EXPECT_EQ(L"A", Text(history.Prev()));
}

TEST(HostHistory, NothingIsRecordedWhileRecordingIsOff)
{
    CKetraHistory history;
    history.Record(L"A");
    history.SetRecording(0);
    history.Record(L"B");
    history.SetRecording(1);
    EXPECT_EQ(1, history.GetCount());
}

}  // namespace
