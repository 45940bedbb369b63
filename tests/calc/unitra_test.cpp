// The unit converter on the side bar, driven as its user drives it: taps on
// the skin's keys, choices from its open lists, the settings program's
// options dialog, and the remembered conversions' file beside it.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "calc_skin_layout.h"
#include "ketra_testkit.h"

namespace {

using namespace testkit;

const wchar_t kName[] = L"Unit Converter";
const wchar_t kSelectionFile[] = L"\\Program Files\\ZARQ\\Ketra\\CTConv.xml";
const wchar_t kConfigKey[] = L"SOFTWARE\\ZARQ\\Applets\\Converter";
enum { kCategory = 7700, kUnit1 = 7701, kInput = 7702, kUnit2 = 7703, kResult = 7704 };

// The converter on the bar with no remembered conversions; the registry and
// the file it writes are put back afterwards.
class UnitraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(system_.Saved());
        hadFile_ = ReadBytes(kSelectionFile, &savedFile_);
        DeleteFileW(kSelectionFile);
        keys_ = ReadSkinButtons(std::wstring(kInstallFolder) + L"CtSkin.xml");
        ASSERT_FALSE(keys_.empty()) << "the converter's skin cannot be read";
        Show();
    }
    void TearDown() override
    {
        bar_.reset();
        if (hadFile_)
            WriteBytes(kSelectionFile, savedFile_);
        else
            DeleteFileW(kSelectionFile);
    }

    void Show()
    {
        bar_ = std::make_unique<AppletOnBar>(kName);
        ASSERT_TRUE(bar_->Shown()) << "the bar does not show the converter";
    }
    // Taps the keys in turn ("NUM1 DOT CLEAR ...").
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
    HWND Box(int id) const { return GetDlgItem(bar_->Window(), id); }
    std::wstring Text(int id) const { return ControlText(Box(id)); }
    RemoteComboBox List(int id) const { return RemoteComboBox(Box(id)); }
    bool TapChoose(int id, const std::wstring& text) const { return List(id).TapChoose(text); }

    RegistrySandbox system_{{kSystemKey}};  // over every bar a test starts
    std::unique_ptr<AppletOnBar> bar_;
    std::map<std::wstring, RECT> keys_;
    std::string savedFile_;
    bool hadFile_ = false;
};

}  // namespace

TEST_F(UnitraTest, ConvertsHundredCelsiusToFahrenheitAsTheKeysAreTapped)
{
    EXPECT_EQ(L"Unitra", ClassOf(bar_->Window()));
    EXPECT_EQ(L"'C - 'F", List(kCategory).SelectedText());
    EXPECT_EQ(L"Celsius ('C)", List(kUnit1).SelectedText());
    EXPECT_EQ(L"Farenheit ('F)", List(kUnit2).SelectedText());
    EXPECT_EQ(6, List(kCategory).Count());
    EXPECT_EQ(L"0", Text(kInput));
    Press({L"NUM1", L"NUM0", L"NUM0"});
    EXPECT_EQ(L"100", Text(kInput));
    EXPECT_EQ(L"212.00000", Text(kResult));
    Press({L"NUM0", L"NUM0"});
    EXPECT_EQ(L"10,000", Text(kInput));
    EXPECT_EQ(L"18,032.00000", Text(kResult));
}

// The bar paints its whole area over its applet; the boxes used to stay
// wiped until something changed their text.
TEST_F(UnitraTest, TheBoxesShowAgainAfterTheBarRepaints)
{
    Press({L"NUM1"});
    InvalidateRect(bar_->Bar(), nullptr, FALSE);  // as the bar invalidates itself
    PumpMessages(500);
    const auto shown = bar_->Capture();
    const RECT applet = bar_->Rect();
    for (int id : {kCategory, kUnit1, kInput}) {
        RECT box = WindowRect(Box(id));
        OffsetRect(&box, -applet.left, -applet.top);
        box.right -= 20;  // the list's arrow
        EXPECT_GT(shown->Count(box, RGB(255, 255, 255)), Width(box) * Height(box) / 2) << "box " << id;
    }
}

TEST_F(UnitraTest, ThePointGoesInOnceAndMinusSetsOrTurnsTheSign)
{
    Press({L"NUM1", L"DOT", L"DOT", L"NUM5", L"DOT"});
    EXPECT_EQ(L"1.5", Text(kInput));
    Press({L"MINUS"});
    EXPECT_EQ(L"-1.5", Text(kInput));
    EXPECT_EQ(L"29.30000", Text(kResult));
    Press({L"MINUS"});
    EXPECT_EQ(L"1.5", Text(kInput));

    Press({L"CLEAR"});
    EXPECT_EQ(L"0", Text(kInput));
    Press({L"MINUS"});  // on "0": a lone minus sign to type after
    EXPECT_EQ(L"-", Text(kInput));
    EXPECT_EQ(L"32.00000", Text(kResult));
    Press({L"NUM1", L"NUM2", L"NUM3", L"NUM4"});
    EXPECT_EQ(L"-1,234", Text(kInput));
    Press({L"MINUS"});
    EXPECT_EQ(L"1,234", Text(kInput));
    Press({L"MINUS"});
    EXPECT_EQ(L"-1,234", Text(kInput));
    EXPECT_EQ(L"-2,189.20000", Text(kResult));
}

TEST_F(UnitraTest, ToggleSwapsTheUnitsAndStartsAgainFromZero)
{
    Press({L"NUM5", L"TOGGLE"});
    EXPECT_EQ(L"Farenheit ('F)", List(kUnit1).SelectedText());
    EXPECT_EQ(L"Celsius ('C)", List(kUnit2).SelectedText());
    EXPECT_EQ(L"0", Text(kInput));
    EXPECT_EQ(L"-17.77778", Text(kResult));
    Press({L"NUM3", L"NUM2"});
    EXPECT_EQ(L"0.00000", Text(kResult));
}

// Wine reports a tap in the open list before it closes the list: the
// choice must count all the same.
TEST_F(UnitraTest, ACategoryChosenFromItsOpenListStartsWithItsFirstTwoUnits)
{
    Press({L"NUM7"});
    ASSERT_TRUE(TapChoose(kCategory, L"Length"));
    PumpUntil([&] { return List(kUnit1).SelectedText() == L"Feet (ft)"; }, 3000);
    EXPECT_EQ(L"Feet (ft)", List(kUnit1).SelectedText());
    EXPECT_EQ(L"Yard (yd)", List(kUnit2).SelectedText());
    EXPECT_EQ(7, List(kUnit1).Count());
    EXPECT_EQ(L"0", Text(kInput));
    Press({L"NUM3"});
    EXPECT_EQ(L"1.00000", Text(kResult));

    ASSERT_TRUE(TapChoose(kUnit2, L"Inch (in)"));
    PumpUntil([&] { return Text(kResult) == L"36.00000"; }, 3000);
    EXPECT_EQ(L"36.00000", Text(kResult));
}

// A number typed with the keyboard converts as it is typed: the result never
// shows the conversion of an earlier number.
TEST_F(UnitraTest, ANumberTypedWithTheKeyboardConvertsAsItIsTyped)
{
    Press({L"CLEAR"});
    ASSERT_TRUE(TapWindow(Box(kInput)));
    PressKey(VK_END);
    PressKey(VK_BACK);
    PressKey('4');
    PressKey('0');
    PumpUntil([&] { return Text(kInput) == L"40"; }, 3000);
    EXPECT_EQ(L"104.00000", Text(kResult));
}

TEST_F(UnitraTest, AKeyMoreThanFiveSecondsAfterTheLastStartsANewNumber)
{
    Press({L"NUM1", L"NUM2"});
    EXPECT_EQ(L"12", Text(kInput));
    Sleep(5300);
    Press({L"NUM3"});
    EXPECT_EQ(L"3", Text(kInput));
    EXPECT_EQ(L"37.40000", Text(kResult));
}

TEST_F(UnitraTest, RemembersTheUnitsOfEachCategoryCurrentFirstWhenSwitchedAway)
{
    ASSERT_TRUE(TapChoose(kCategory, L"Length"));
    PumpUntil([&] { return List(kUnit1).SelectedText() == L"Feet (ft)"; }, 3000);
    ASSERT_TRUE(TapChoose(kUnit1, L"Meter (m)"));
    PumpUntil([&] { return List(kUnit1).SelectedText() == L"Meter (m)"; }, 3000);
    ASSERT_TRUE(ChooseApplet(L"About"));
    ASSERT_TRUE(PumpUntil([&] { return FileExists(kSelectionFile); }, 5000));
    const std::string file = ReadBytes(kSelectionFile);
    EXPECT_NE(std::string::npos,
              file.find("<converters><converter><category>LENGTH</category><unit1>METER</unit1><unit2>YARD</unit2>"
                        "</converter><converter><category>TEMPERATURE</category><unit1>CELSIUS</unit1>"
                        "<unit2>FARENHEIT</unit2></converter></converters>"))
        << file;

    // Shown again, it starts where it was left, and remembers temperatures.
    ASSERT_TRUE(ChooseApplet(kName));
    ASSERT_TRUE(PumpUntil([&] { return AppletWindowOnBar(L"Unitra") != nullptr; }, 5000));
    EXPECT_EQ(L"Length", List(kCategory).SelectedText());
    EXPECT_EQ(L"Meter (m)", List(kUnit1).SelectedText());
    ASSERT_TRUE(TapChoose(kCategory, L"'C - 'F"));
    PumpUntil([&] { return List(kUnit1).SelectedText() == L"Celsius ('C)"; }, 3000);
    EXPECT_EQ(L"Farenheit ('F)", List(kUnit2).SelectedText());
}

TEST_F(UnitraTest, ABrokenSelectionFileGivesTheDefaultConversionAndIsWrittenAnew)
{
    bar_.reset();
    ASSERT_TRUE(WriteBytes(kSelectionFile, "<converters><converter><category>LENGTH</cat"));
    Show();
    EXPECT_EQ(L"'C - 'F", List(kCategory).SelectedText());
    Press({L"NUM1", L"NUM0", L"NUM0"});
    EXPECT_EQ(L"212.00000", Text(kResult));
    bar_->Close();
    EXPECT_NE(std::string::npos, ReadBytes(kSelectionFile).find("<category>TEMPERATURE</category>"));
}

TEST_F(UnitraTest, PrecisionChosenInItsOptionsDialogCountsFromItsNextStart)
{
    bar_.reset();
    {
        ProgramDriver settings(kSettingsProgram, kSettingsClass);
        ASSERT_TRUE(settings.Started());
        settings.MenuCommand(40040);  // the Applets page
        auto list = settings.List(1001);
        ASSERT_TRUE(list && list->Ready());
        const int row = list->Find(kName);
        ASSERT_GE(row, 0);
        ASSERT_TRUE(list->TapRow(row));
        settings.PostCommand(1005);  // "Options..."
        HWND dialog = nullptr;
        // Visible once its initialisation has filled it.
        ASSERT_TRUE(PumpUntil(
            [&] { return (dialog = FindWindowW(L"#32770", L"Decimal Places")) != nullptr && IsWindowVisible(dialog); },
            10000));
        RemoteComboBox precision(GetDlgItem(dialog, 1000));
        EXPECT_EQ(8, precision.Count());
        EXPECT_EQ(L"5", precision.SelectedText());
        ASSERT_TRUE(precision.Choose(L"2"));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, 5000));
        EXPECT_EQ(2u, ReadDword(kConfigKey, L"precision"));
        EXPECT_TRUE(settings.CloseWith(IDOK));
    }
    // The settings program starts the bar again as it ends: that one goes.
    if (HWND restarted = WaitForWindow(KETRA_CLASS, 5000))
        WaitUntilIdle(restarted);
    CloseBar();
    Show();
    Press({L"NUM1", L"NUM0", L"NUM0"});
    EXPECT_EQ(L"212.00", Text(kResult));

    // A stored precision out of range is the default.
    bar_.reset();
    WriteDword(kConfigKey, L"precision", 40);
    Show();
    Press({L"NUM1"});
    EXPECT_EQ(L"33.80000", Text(kResult));
}

// A skin with a control the converter does not know cannot be shown: the
// bar falls back to About.
TEST_F(UnitraTest, ASkinWithAnUnknownControlFailsTheLoad)
{
    bar_.reset();
    ScratchFolder copy(L"unitra_copy");
    for (const wchar_t* file : {L"Unitra.dll", L"CtBack.bmp", L"CtPushed.bmp"})
        ASSERT_TRUE(CopyFileW((std::wstring(kInstallFolder) + file).c_str(), (copy / file).c_str(), FALSE));
    std::string skin = ReadBytes(std::wstring(kInstallFolder) + L"CtSkin.xml");
    const size_t controls = skin.find("<controls>");
    ASSERT_NE(std::string::npos, controls);
    skin.insert(controls + 10, "<control type=\"EDIT\" id=\"EDIT_UNIT3\" x=\"0\" y=\"0\" w=\"20\" h=\"20\"/>");
    ASSERT_TRUE(WriteBytes(copy / L"CtSkin.xml", skin));

    TemporaryApplet registration(L"Unitra Copy", copy / L"Unitra.dll");
    AppletOnBar bar(L"Unitra Copy");
    ASSERT_TRUE(PumpUntil([&] { return AppletWindowOnBar(L"ABOUT") != nullptr; }, 10000));
    EXPECT_EQ(nullptr, AppletWindowOnBar(L"Unitra"));
    EXPECT_EQ(L"About", CurrentApplet());
    EndSettingsPrograms(5000);  // a failed load starts the settings program
}
