// `devctl boxes/dismiss` on message boxes shown by a thread of the test.
#include <gtest/gtest.h>


#include <atomic>
#include <thread>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

// Shows a message box on its own thread and keeps its answer.
class BoxThread {
public:
    BoxThread(const wchar_t* text, const wchar_t* caption, UINT type)
        : thread_([=] { answer_ = MessageBoxW(nullptr, text, caption, type); })
    {
    }
    ~BoxThread()
    {
        if (thread_.joinable())
            thread_.join();
    }
    BoxThread(const BoxThread&) = delete;
    BoxThread& operator=(const BoxThread&) = delete;

    // The button it was closed with, or 0 while it is open.
    int answer() const { return answer_; }
    bool Finished(DWORD timeoutMs)
    {
        return PumpUntil([&] { return answer_ != 0; }, timeoutMs);
    }

private:
    std::atomic<int> answer_{0};
    std::thread thread_;
};

bool BoxListed(const std::wstring& line)
{
    return PumpUntil(
        [&] {
            for (const std::wstring& listed : RunDevctl({L"boxes"}).Lines())
                if (listed == line)
                    return true;
            return false;
        },
        10000);
}

} // namespace

TEST(MessageBoxes, ListedWithEscapedTextAndAnsweredByButton)
{
    BoxThread box(L"First line\nSecond \"part\"", L"Devctl question", MB_YESNO);
    ASSERT_TRUE(BoxListed(L"\"Devctl question\" \"First line\\nSecond \\\"part\\\"\""));

    DevctlResult r = RunDevctl({L"dismiss", L"ok"});
    EXPECT_EQ(1u, r.exitCode) << "a yes/no box has no ok button";
    EXPECT_EQ(0, box.answer());

    r = RunDevctl({L"dismiss", L"no"});
    EXPECT_EQ(0u, r.exitCode) << r.err;
    ASSERT_TRUE(box.Finished(5000));
    EXPECT_EQ(IDNO, box.answer());
}

TEST(MessageBoxes, DismissPressesOkByDefault)
{
    BoxThread box(L"Done.", L"Devctl notice", MB_OK);
    ASSERT_TRUE(BoxListed(L"\"Devctl notice\" \"Done.\""));
    EXPECT_EQ(0u, RunDevctl({L"dismiss"}).exitCode);
    ASSERT_TRUE(box.Finished(5000));
    EXPECT_EQ(IDOK, box.answer());

    EXPECT_EQ(L"", RunDevctl({L"boxes"}).out);
    EXPECT_EQ(1u, RunDevctl({L"dismiss"}).exitCode) << "no box left";
    EXPECT_EQ(2u, RunDevctl({L"dismiss", L"maybe"}).exitCode);
}
