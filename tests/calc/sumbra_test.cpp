// The expression calculator on the side bar: expressions built with the
// skin's keys or typed on the keyboard, evaluated by its Enter key, and the
// history list it keeps in the registry.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "calc_skin_layout.h"
#include "ketra_testkit.h"

namespace {

using namespace testkit;

const wchar_t kName[] = L"Expression Calc";
const wchar_t kConfigKey[] = L"SOFTWARE\\ZARQ\\Applets\\Calculator";
const int kBox = 1001;

std::wstring Entry(int index)
{
    return ReadText(kConfigKey, (L"exp" + std::to_wstring(index)).c_str());
}

// The calculator on the bar with no history; the registry is put back.
class SumbraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(system_.Saved());
        DeleteKey(kConfigKey);
        keys_ = ReadSkinButtons(std::wstring(kInstallFolder) + L"CalcSkin.xml");
        ASSERT_FALSE(keys_.empty()) << "the calculator's skin cannot be read";
        Show();
    }

    void Show()
    {
        bar_ = std::make_unique<AppletOnBar>(kName);
        ASSERT_TRUE(bar_->Shown()) << "the bar does not show the calculator";
        // The box takes the focus once the bar shows the calculator.
        PumpUntil([&] { return Focused(); }, 3000);
    }
    void Press(std::initializer_list<const wchar_t*> names)
    {
        for (const wchar_t* name : names) {
            auto key = keys_.find(name);
            ASSERT_NE(keys_.end(), key) << "the skin has no key " << ToUtf8(name);
            const RECT& r = key->second;
            ASSERT_TRUE(bar_->Tap((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        }
        PumpMessages(50);
    }
    HWND Box() const { return GetDlgItem(bar_->Window(), kBox); }
    std::wstring Text() const { return ControlText(Box()); }
    std::vector<std::wstring> History() const { return RemoteComboBox(Box()).Texts(); }
    // Whether the keyboard types into the box (the focus is its edit field).
    bool Focused() const
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        HWND box = Box();
        return box && GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info) && info.hwndFocus &&
               GetParent(info.hwndFocus) == box;
    }

    RegistrySandbox system_{{kSystemKey}};
    std::unique_ptr<AppletOnBar> bar_;
    std::map<std::wstring, RECT> keys_;
};

typedef std::vector<std::wstring> Texts;

}  // namespace

TEST_F(SumbraTest, EvaluatesTheKeyedExpressionAndKeepsItUnderItsResult)
{
    EXPECT_EQ(L"Sumbra", ClassOf(bar_->Window()));
    EXPECT_TRUE(Focused());
    Press({L"NUM2", L"PLUS", L"NUM3", L"MULTIPLY", L"NUM4"});
    EXPECT_EQ(L"2+3x4", Text());
    EXPECT_TRUE(Focused());
    Press({L"ENTER"});
    EXPECT_EQ(L"14.000", Text());
    EXPECT_EQ(Texts({L"14.000", L"2+3x4"}), History());
    EXPECT_EQ(L"14.000", Entry(0));
    EXPECT_EQ(L"2+3x4", Entry(1));
    EXPECT_FALSE(HasValue(kConfigKey, L"exp2"));
    EXPECT_TRUE(Focused());

    Press({L"CLEAR", L"MINUS", L"LEFTBRACE", L"NUM8", L"DIVIDE", L"DOT", L"NUM5", L"RIGHTBRACE", L"ENTER"});
    EXPECT_EQ(L"-16.000", Text());
    EXPECT_EQ(Texts({L"-16.000", L"-(8/.5)", L"14.000", L"2+3x4"}), History());
}

TEST_F(SumbraTest, AFailedOrSinglePieceEvaluationChangesNothing)
{
    Press({L"NUM7", L"DIVIDE", L"NUM0", L"ENTER"});
    EXPECT_EQ(L"7/0", Text());
    Press({L"CLEAR", L"NUM4", L"NUM2", L"ENTER"});
    EXPECT_EQ(L"42", Text());
    EXPECT_TRUE(History().empty());
    EXPECT_FALSE(HasValue(kConfigKey, L"exp0"));
    EXPECT_TRUE(Focused());
}

TEST_F(SumbraTest, CaretKeysAndBackspaceEditInsideTheExpression)
{
    Press({L"NUM1", L"NUM2", L"NUM3", L"LEFT", L"LEFT", L"BACK", L"NUM9"});
    EXPECT_EQ(L"923", Text());
    Press({L"RIGHT", L"PLUS"});
    EXPECT_EQ(L"92+3", Text());
}

TEST_F(SumbraTest, TheKeyboardTypesIntoTheBoxAndEnterEvaluates)
{
    for (WORD key : {(WORD)'1', (WORD)VK_ADD, (WORD)'2', (WORD)VK_MULTIPLY, (WORD)'3'})
        PressKey(key);
    PumpUntil([&] { return Text() == L"1+2*3"; }, 3000);
    EXPECT_EQ(L"1+2*3", Text());
    PressKey(VK_RETURN);
    PumpUntil([&] { return Text() != L"1+2*3"; }, 3000);
    EXPECT_EQ(L"7.000", Text());
    EXPECT_EQ(L"1+2*3", Entry(1));
}

TEST_F(SumbraTest, KeepsEveryEntryWhileShownAndStoresTheNewestFifteen)
{
    for (int i = 1; i <= 20; ++i) {
        SetWindowTextW(Box(), (std::to_wstring(i) + L"+1").c_str());
        Press({L"ENTER"});
    }
    const Texts history = History();
    ASSERT_EQ(40u, history.size());
    EXPECT_EQ(L"21.000", history[0]);
    EXPECT_EQ(L"20+1", history[1]);
    EXPECT_EQ(L"1+1", history[39]);
    EXPECT_EQ(L"14+1", Entry(13));  // exp0 to exp14: the newest fifteen
    EXPECT_EQ(L"14.000", Entry(14));
    EXPECT_FALSE(HasValue(kConfigKey, L"exp15"));

    ASSERT_TRUE(ChooseApplet(L"About"));
    ASSERT_TRUE(ChooseApplet(kName));
    ASSERT_TRUE(PumpUntil([&] { return AppletWindowOnBar(L"Sumbra") != nullptr; }, 5000));
    const Texts reloaded = History();
    ASSERT_EQ(15u, reloaded.size());
    EXPECT_EQ(L"21.000", reloaded[0]);
    EXPECT_EQ(L"14.000", reloaded[14]);
}

TEST_F(SumbraTest, PrecisionComesFromItsSettingsAndOutOfRangeCountsAsTheDefault)
{
    bar_.reset();
    WriteDword(kConfigKey, L"precision", 0);
    Show();
    Press({L"NUM1", L"DIVIDE", L"NUM4", L"ENTER"});
    EXPECT_EQ(L"0", Text());
    bar_.reset();
    WriteDword(kConfigKey, L"precision", 300);  // would print hundreds of decimals
    Show();
    Press({L"NUM1", L"DIVIDE", L"NUM4", L"ENTER"});
    EXPECT_EQ(L"0.250", Text());
}
