// The unit model with the converter's catalogue: every unit's ratios and
// names as the converter has always had them, conversions, and the
// remembered conversions with their file.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "catalogue.h"
#include "number_text.h"
#include "unit_model.h"

namespace {

struct UnitRow {
    int category;
    int unit;
    const wchar_t* id;
    const wchar_t* name;
    double toBase;
    double fromBase;
};

// The proportional units (temperatures are checked by their formulas).
const UnitRow kUnits[] = {
    {1, 0, L"FEET", L"Feet (ft)", 1.0, 1.0},
    {1, 1, L"YARD", L"Yard (yd)", 3.0, 0.3333333333333333},
    {1, 2, L"INCH", L"Inch (in)", 0.08333333333333333, 12.0},
    {1, 3, L"MILE", L"Mile (mi)", 5280.0, 0.0001893939393939394},
    {1, 4, L"CENTIMETER", L"Centimeter (cm)", 0.03280839895013123, 30.48},
    {1, 5, L"METER", L"Meter (m)", 3.280839895013123, 0.3048},
    {1, 6, L"KILOMETER", L"Kilometer (km)", 3280.8398950131236, 0.0003048},
    {2, 0, L"SMETER", L"Square Meter", 1.0, 1.0},
    {2, 1, L"SFEET", L"Square Feet", 0.09290304359661128, 10.76391},
    {2, 2, L"HECTARE", L"Hectare", 10000.0, 0.0001},
    {2, 3, L"ACRE", L"Acre", 4048.582995951417, 0.000247},
    {3, 0, L"CUBCENTI", L"CC (cc)", 1.0, 1.0},
    {3, 1, L"DROP", L"Drop", 0.06485239918208155, 15.41963},
    {3, 2, L"GALLON", L"Gallon (gal)", 3785.4111013237202, 0.0002641721},
    {3, 3, L"LITER", L"Liter (l)", 1000.0, 0.001},
    {3, 4, L"MILLITER", L"Mililiter (ml)", 1.0, 1.0},
    {3, 5, L"OZ", L"Ounce (oz)", 29.57353192551492, 0.03381402},
    {3, 6, L"PINT", L"Pint (pt)", 473.1765667822479, 0.002113376},
    {3, 7, L"Quart", L"Quart", 946.3531335644958, 0.001056688},
    {4, 0, L"KILOGRAM", L"Kilogram (kg)", 1.0, 1.0},
    {4, 1, L"GRAM", L"Gram (g)", 0.001, 1000.0},
    {4, 2, L"MILIGRAM", L"Miligram (mg)", 1e-06, 1000000.0},
    {4, 3, L"TONNE", L"Tonne (t)", 1000.0, 0.001},
    {4, 4, L"OUNCE", L"Ounce (oz)", 0.028269414302966707, 35.37392},
    {4, 5, L"POUND", L"Pound (lb)", 0.45359290943563974, 2.20462},
    {5, 0, L"BYTE", L"Byte", 1.0, 1.0},
    {5, 1, L"KBYTE", L"Kilo Byte", 1024.0, 0.0009765625},
    {5, 2, L"MBYTE", L"Mega Byte", 1048576.0, 9.5367431640625e-07},
    {5, 3, L"GBYTE", L"Giga Byte", 1073741824.0, 9.313225746154785e-10},
    {5, 4, L"TBYTE", L"Tera Byte", 1099511627776.0, 9.094947017729282e-13},
};

CConverterSet* NewCatalogue()
{
    auto* set = new CConverterSet;
    set->Initialize();
    return set;
}

// The converted value as the converter shows it.
std::wstring Shown(const CCategorySet& set, int category, int from, int to, double value, int digits = 5)
{
    double out = 0;
    if (!set.Convert(category, from, to, value, out))
        return L"(refused)";
    wchar_t text[kNumberTextLength];
    PrintDouble(out, digits, text);
    return text;
}

// A file in the device's temporary folder, removed afterwards.
class TempFile {
public:
    explicit TempFile(const wchar_t* name)
    {
        wchar_t folder[MAX_PATH];
        ::GetTempPathW(MAX_PATH, folder);
        path_ = std::wstring(folder) + name;
        ::DeleteFileW(path_.c_str());
    }
    ~TempFile() { ::DeleteFileW(path_.c_str()); }
    const wchar_t* path() const { return path_.c_str(); }
    void Write(const std::string& text) const
    {
        std::ofstream(path_.c_str(), std::ios::binary) << text;
    }
    std::string Read() const
    {
        std::ifstream in(path_.c_str(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    std::wstring path_;
};

std::string Converter(const char* category, const char* unit1, const char* unit2)
{
    return std::string("<converter><category>") + category + "</category><unit1>" + unit1 + "</unit1><unit2>" +
           unit2 + "</unit2></converter>";
}

class SelectionTest : public ::testing::Test {
protected:
    void SetUp() override { selection.SetCategorySet(NewCatalogue()); }
    SSelection At(int index)
    {
        SSelection entry = {-1, -1, -1};
        selection.GetSelection(index, entry);
        return entry;
    }

    CConvSelection selection;
};

bool operator==(const SSelection& a, const SSelection& b)
{
    return a.nCategory == b.nCategory && a.nUnit1 == b.nUnit1 && a.nUnit2 == b.nUnit2;
}

}  // namespace

TEST(UnitCatalogue, HoldsTheCategoriesInOrderWithTheirIdsAndNames)
{
    CConverterSet set;
    set.Initialize();
    set.Initialize();  // a second call adds nothing
    const wchar_t* ids[] = {L"TEMPERATURE", L"LENGTH", L"AREA", L"VOLUME", L"MASS", L"BYTES"};
    const wchar_t* names[] = {L"'C - 'F", L"Length", L"Area", L"Volume", L"Mass", L"Bytes"};
    const int units[] = {2, 7, 4, 8, 6, 5};
    ASSERT_EQ(6, set.GetCategoryCount());
    for (int i = 0; i < 6; ++i) {
        wchar_t text[kUnitNameLength];
        EXPECT_TRUE(set.GetCategoryID(i, text));
        EXPECT_STREQ(ids[i], text);
        EXPECT_TRUE(set.GetCategoryName(i, text));
        EXPECT_STREQ(names[i], text);
        EXPECT_EQ(units[i], set.GetUnitCount(i));
        EXPECT_EQ(i, set.GetCategoryOrderByID(ids[i]));
    }
    wchar_t text[kUnitNameLength] = L"x";
    EXPECT_FALSE(set.GetCategoryName(6, text));
    EXPECT_STREQ(L"", text);
    EXPECT_FALSE(set.GetUnitFullName(-1, 0, text));
    EXPECT_EQ(-1, set.GetCategoryOrderByID(L"length"));  // IDs are case-sensitive
    EXPECT_EQ(-1, set.GetUnitOrderByID(3, L"QUART"));
    EXPECT_EQ(7, set.GetUnitOrderByID(3, L"Quart"));
}

TEST(UnitCatalogue, EveryUnitConvertsByItsOwnTwoRatios)
{
    CConverterSet set;
    set.Initialize();
    for (const UnitRow& row : kUnits) {
        SCOPED_TRACE(row.id);
        wchar_t text[kUnitNameLength];
        EXPECT_TRUE(set.GetUnitID(row.category, row.unit, text));
        EXPECT_STREQ(row.id, text);
        EXPECT_TRUE(set.GetUnitFullName(row.category, row.unit, text));
        EXPECT_STREQ(row.name, text);
        // Unit 0 is the base unit of each category, with both ratios 1.
        double out = 0;
        if (row.unit == 0)
            continue;
        ASSERT_TRUE(set.Convert(row.category, row.unit, 0, 1.0, out));
        EXPECT_EQ(row.toBase, out);
        ASSERT_TRUE(set.Convert(row.category, 0, row.unit, 1.0, out));
        EXPECT_EQ(row.fromBase, out);
    }
}

TEST(UnitCatalogue, ConvertsTemperaturesByFormulaAndOtherPairsThroughTheBase)
{
    CConverterSet set;
    set.Initialize();
    EXPECT_EQ(L"212.00000", Shown(set, 0, 0, 1, 100));
    EXPECT_EQ(L"0.00000", Shown(set, 0, 1, 0, 32));
    EXPECT_EQ(L"-40.00000", Shown(set, 0, 1, 0, -40));
    EXPECT_EQ(L"3.28084", Shown(set, 1, 5, 0, 1));   // meter to feet
    EXPECT_EQ(L"0.30480", Shown(set, 1, 0, 5, 1));   // feet to meter
    EXPECT_EQ(L"1.60934", Shown(set, 1, 3, 6, 1));   // mile to kilometer
    EXPECT_EQ(L"1024.00000", Shown(set, 5, 1, 0, 1));
    // The same unit gives the input untouched, temperatures included.
    double out = 0;
    EXPECT_TRUE(set.Convert(0, 1, 1, 98.6, out));
    EXPECT_EQ(98.6, out);
    EXPECT_TRUE(set.Convert(1, 2, 2, 0.1, out));
    EXPECT_EQ(0.1, out);
    EXPECT_EQ(L"(refused)", Shown(set, 1, 0, 7, 1));
    EXPECT_EQ(L"(refused)", Shown(set, 1, -1, 0, 1));
    EXPECT_EQ(L"(refused)", Shown(set, 9, 0, 0, 1));
}

TEST_F(SelectionTest, HoldsSixteenEntriesAndStillReplacesWhenFull)
{
    for (int i = 0; i < kMaxSelections; ++i)
        ASSERT_TRUE(selection.AddSelection(1 + i % 5, 0, 1, 0));
    EXPECT_FALSE(selection.AddSelection(0, 0, 1, 0));  // a 17th entry
    EXPECT_FALSE(selection.AddSelection(0, 0, 1, 1));  // no entry to replace for temperature
    EXPECT_EQ(kMaxSelections, selection.GetSelectionCount());
    // A full list used to refuse every store, replacements included.
    EXPECT_TRUE(selection.AddSelection(1, 5, 0, 1));
    EXPECT_TRUE(At(0) == (SSelection{1, 5, 0}));
    EXPECT_TRUE(At(5) == (SSelection{1, 0, 1}));  // only the first entry for the category
    int unit1 = 0, unit2 = 0;
    EXPECT_TRUE(selection.GetFirstSelection(1, unit1, unit2));
    EXPECT_EQ(5, unit1);
    EXPECT_EQ(0, unit2);
    EXPECT_FALSE(selection.GetFirstSelection(0, unit1, unit2));
}

TEST_F(SelectionTest, RefusesPositionsAndIdsTheCatalogueDoesNotHold)
{
    EXPECT_FALSE(selection.AddSelection(6, 0, 1, 0));
    EXPECT_FALSE(selection.AddSelection(0, 0, 2, 0));   // temperature has two units
    EXPECT_FALSE(selection.AddSelection(-1, 0, 0, 0));
    EXPECT_FALSE(selection.AddSelection(L"LENGTH", L"METER", L"PARSEC", 0));
    EXPECT_FALSE(selection.AddSelection(L"LENGTH", L"ACRE", L"FEET", 0));  // a unit of another category
    EXPECT_TRUE(selection.AddSelection(L"VOLUME", L"Quart", L"OZ", 0));
    EXPECT_TRUE(At(0) == (SSelection{3, 7, 5}));
    EXPECT_EQ(1, selection.GetSelectionCount());
    double out = 0;
    EXPECT_TRUE(selection.GetA2BValue(1, out));
    EXPECT_DOUBLE_EQ(946.3531335644958 * 0.03381402, out);
    EXPECT_TRUE(selection.GetB2AValue(1, out));
    EXPECT_DOUBLE_EQ(29.57353192551492 * 0.001056688, out);
}

TEST_F(SelectionTest, SavesTheCurrentConversionFirstAndReadsItBack)
{
    TempFile file(L"calc_selection.xml");
    selection.AddSelection(0, 0, 1, 0);
    selection.AddSelection(1, 5, 0, 0);
    selection.AddSelection(4, 1, 5, 0);
    SSelection current = {4, 1, 5};
    ASSERT_TRUE(selection.SaveSelections(file.path(), &current));
    EXPECT_EQ("<converters>" + Converter("MASS", "GRAM", "POUND") + Converter("LENGTH", "METER", "FEET") +
                  Converter("TEMPERATURE", "CELSIUS", "FARENHEIT") + "</converters>",
              file.Read().substr(file.Read().find("<converters>")));

    CConvSelection loaded;
    loaded.SetCategorySet(NewCatalogue());
    EXPECT_TRUE(loaded.LoadSelections(file.path()));
    ASSERT_EQ(3, loaded.GetSelectionCount());
    SSelection first = {};
    loaded.GetSelection(0, first);
    EXPECT_TRUE(first == current);
}

TEST_F(SelectionTest, LoadingSkipsUnknownEntriesAndStopsAtSixteen)
{
    TempFile file(L"calc_selection_in.xml");
    std::string body = Converter("LENGTH", "METER", "FEET") + Converter("LIGHT", "LUMEN", "LUX") +
                       Converter("MASS", "GRAM", "FEET") + "<converter><category>AREA</category></converter>";
    for (int i = 0; i < 20; ++i)
        body += Converter("BYTES", "KBYTE", "BYTE");
    file.Write("<?xml version=\"1.0\"?>\r\n<converters>" + body + "</converters>");
    ASSERT_TRUE(selection.LoadSelections(file.path()));
    ASSERT_EQ(kMaxSelections, selection.GetSelectionCount());
    EXPECT_TRUE(At(0) == (SSelection{1, 5, 0}));
    EXPECT_TRUE(At(1) == (SSelection{5, 1, 0}));
    ASSERT_TRUE(selection.SaveSelections(file.path(), nullptr));
    CConvSelection again;
    again.SetCategorySet(NewCatalogue());
    again.LoadSelections(file.path());
    EXPECT_EQ(kMaxSelections, again.GetSelectionCount());
}

TEST_F(SelectionTest, AMissingOrMalformedFileGivesAnEmptyList)
{
    TempFile file(L"calc_selection_bad.xml");
    selection.AddSelection(1, 0, 1, 0);
    EXPECT_TRUE(selection.LoadSelections(file.path()));  // missing
    EXPECT_EQ(0, selection.GetSelectionCount());
    for (const char* text : {"<converters><converter><category>LENGTH</category>", "\xff\xfe\x00<", "",
                             "<other><converter><category>LENGTH</category><unit1>FEET</unit1>"
                             "<unit2>YARD</unit2></converter></other>"}) {
        file.Write(text);
        selection.AddSelection(1, 0, 1, 0);
        EXPECT_TRUE(selection.LoadSelections(file.path()));
        EXPECT_EQ(0, selection.GetSelectionCount()) << text;
    }
}
