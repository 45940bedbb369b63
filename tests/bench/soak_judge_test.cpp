// The endurance run's judge: what counts as growth, per process, and which
// device log lines count as faults.
#include "ketra_testkit.h"

#include "soak_judge.h"

namespace {

const SIZE_T kMB = 1024 * 1024;

SoakSample Bar(int minute, DWORD pid, SIZE_T privateBytes, long gdi = 40, long user = 12, long handles = 90)
{
    SoakSample sample;
    sample.minute = minute;
    sample.who = L"bar";
    sample.processId = pid;
    sample.alive = true;
    sample.privateBytes = privateBytes;
    sample.gdi = gdi;
    sample.user = user;
    sample.handles = handles;
    return sample;
}

TEST(SoakJudgeTest, PassesNoiseAndFailsSteadyGrowthOfAnyCount)
{
    // Wobbles within a block of memory and a few objects are noise; the warm-up
    // minute's rise is not counted.
    const std::vector<SoakSample> flat = {Bar(0, 7, 4 * kMB, 20), Bar(1, 7, 6 * kMB), Bar(2, 7, 6 * kMB + 300000, 43),
                                          Bar(3, 7, 6 * kMB - 100000, 41), Bar(4, 7, 6 * kMB + 500000, 42)};
    EXPECT_TRUE(JudgeGrowth(flat).passed);

    std::vector<SoakSample> leaking;
    for (int minute = 1; minute <= 10; ++minute)
        leaking.push_back(Bar(minute, 7, 6 * kMB + minute * 300000));
    const SoakVerdict memory = JudgeGrowth(leaking);
    ASSERT_FALSE(memory.passed);
    ASSERT_EQ(1u, memory.problems.size());
    EXPECT_NE(std::wstring::npos, memory.problems[0].find(L"bar (process 7): private KB grew"));

    const std::vector<SoakSample> objects = {Bar(1, 7, 6 * kMB, 40, 12, 90), Bar(5, 7, 6 * kMB, 60, 20, 200)};
    EXPECT_EQ(3u, JudgeGrowth(objects).problems.size());  // GDI, USER and handles
}

TEST(SoakJudgeTest, JudgesEachProcessOnItsOwnAndFailsAMissingOne)
{
    // The settings program restarts the bar: a new process starting higher is
    // not growth, but growth within the new process is.
    const std::vector<SoakSample> restarted = {Bar(1, 7, 5 * kMB), Bar(4, 7, 5 * kMB), Bar(6, 9, 8 * kMB),
                                               Bar(10, 9, 8 * kMB)};
    EXPECT_TRUE(JudgeGrowth(restarted).passed);
    std::vector<SoakSample> grows = restarted;
    grows.push_back(Bar(11, 9, 12 * kMB));
    EXPECT_FALSE(JudgeGrowth(grows).passed);

    std::vector<SoakSample> gone = restarted;
    SoakSample dead;
    dead.minute = 11;
    dead.who = L"bar";
    gone.push_back(dead);
    const SoakVerdict verdict = JudgeGrowth(gone);
    ASSERT_EQ(1u, verdict.problems.size());
    EXPECT_EQ(L"bar was not running at minute 11", verdict.problems[0]);
}

TEST(SoakJudgeTest, PicksTheDeviceLogsFaultLinesAndWritesKilobytes)
{
    const std::vector<std::wstring> lines = {L"launch: \\Windows\\calc.exe", L"sms: send to 555 failed",
                                             L"today: theme", L"shell: x: could not start y (error 2)",
                                             L"ctlpnl: Bad arguments"};
    const std::vector<std::wstring> faults = UnexpectedLogLines(lines);
    ASSERT_EQ(3u, faults.size());
    EXPECT_EQ(lines[1], faults[0]);
    EXPECT_EQ(lines[4], faults[2]);

    EXPECT_EQ("minute,who,pid,alive,private_kb,gdi,user,handles\n3,bar,7,1,6144,40,12,90\n",
              SoakCsv({Bar(3, 7, 6 * kMB)}));
}

}  // namespace
