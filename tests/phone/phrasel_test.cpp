// "My Text" as a user runs it: typing, "N" and "D", the eleventh entry, the
// file it leaves, and a text of its own reaching the SMS sender.
#include <gtest/gtest.h>

#include <memory>

#include "phone_fixture.h"

namespace {

using namespace testkit;
using namespace phonetest;

class PhraselTest : public ::testing::Test {
protected:
    void SetUp() override { canned_.Write("First\r\nSecond\r\n"); }
    void Start()
    {
        program_ = std::make_unique<DeviceProgram>(Installed(L"Phrasel.exe"));
        frame_ = WaitForWindow(L"CLASS_PHRASEL", 10000);
        ASSERT_NE(nullptr, frame_);
        ASSERT_TRUE(PumpUntil([&] { return List() != nullptr; }, 5000));
    }
    HWND Control(int id) const
    {
        HWND dialog = FindWindowExW(frame_, nullptr, nullptr, nullptr);
        for (; dialog; dialog = FindWindowExW(frame_, dialog, nullptr, nullptr))
            if (HWND control = GetDlgItem(dialog, id))
                return control;
        return nullptr;
    }
    HWND List() const { return Control(1002); }
    HWND Edit() const { return Control(1041); }
    void Click(int id) const { SendMessageW(Control(id), BM_CLICK, 0, 0); }
    void Type(const wchar_t* text) const { SendMessageW(Edit(), WM_SETTEXT, 0, (LPARAM)text); }
    int Count() const { return (int)SendMessageW(List(), LB_GETCOUNT, 0, 0); }
    void Close()
    {
        PostMessageW(frame_, WM_CLOSE, 0, 0);
        EXPECT_TRUE(program_->WaitExit(5000));
    }

    SavedFile canned_{Installed(L"Phrasel.txt")};
    std::unique_ptr<DeviceProgram> program_;
    HWND frame_ = nullptr;
};

TEST_F(PhraselTest, EditsInPlaceAddsDeletesAndSavesOnClosing)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(L"My Text", phonetest::WindowText(frame_));
    EXPECT_EQ(2, Count());
    EXPECT_EQ(L"First", phonetest::WindowText(Edit())) << "the first entry is shown";
    Type(L"First, edited");
    Click(1008);  // N
    EXPECT_EQ(L"", phonetest::WindowText(Edit()));
    Type(L"Third\r\nline");
    EXPECT_EQ(3, Count());
    SendMessageW(List(), LB_SETCURSEL, 1, 0);
    SendMessageW(GetParent(List()), WM_COMMAND, MAKEWPARAM(1002, LBN_SELCHANGE), (LPARAM)List());
    EXPECT_EQ(L"Second", phonetest::WindowText(Edit()));
    Click(1012);  // D
    EXPECT_EQ(2, Count());
    Close();
    EXPECT_EQ("First, edited\r\nThird  line\r\n", canned_.Bytes()) << "one line each, never a break inside";
}

TEST_F(PhraselTest, TheEleventhEntryIsRefused)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    for (int i = Count(); i < 10; ++i) {
        Click(1008);
        Type((L"text " + std::to_wstring(i)).c_str());
    }
    EXPECT_EQ(10, Count());
    PostMessageW(Control(1008), BM_CLICK, 0, 0);
    EXPECT_EQ(L"Maximum 10 for My Text", MessageBoxes::WaitFor(L"Message"));
    MessageBoxes::Answer(IDOK, L"Message");
    EXPECT_EQ(10, Count());
    // OK on the task bar saves as closing does.
    PostMessageW(frame_, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(program_->WaitExit(5000));
    std::string saved = canned_.Bytes();
    EXPECT_EQ(10, (int)std::count(saved.begin(), saved.end(), '\n'));
}

TEST_F(PhraselTest, ATextOfItsOwnReachesTheSmsSender)
{
    canned_.Remove();
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(0, Count());
    Click(1012);  // nothing being edited: nothing happens
    Type(L"Gr\u00fc\u00dfe");
    EXPECT_EQ(1, Count());
    Close();

    AppletOnBar bar(L"SMS Sender");
    ASSERT_TRUE(bar.Shown());
    bar.Send(WM_COMMAND, 7700);
    EXPECT_EQ(L"Gr\u00fc\u00dfe", phonetest::WindowText(GetDlgItem(bar.Window(), 1101)));
}

}  // namespace
