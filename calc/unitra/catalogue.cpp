// The unit converter's catalogue.  Each category's first unit is its base
// unit; the two numbers of a unit are its ratio to and from the base.
#include "catalogue.h"

namespace {

// Temperatures are not proportional: Farenheit converts by formula in both
// directions, and Celsius, the base, by identity.
class CFarenheit : public CUnit {
public:
    CFarenheit() : CUnit(L"FARENHEIT", L"Farenheit ('F)") {}
    double ConvertToBaseUnit(double value) override { return (value - 32) * 0.5555555555555556; }
    double ConvertFromBaseUnit(double value) override { return value * 1.8 + 32; }
};

class CCelsius : public CUnit {
public:
    CCelsius() : CUnit(L"CELSIUS", L"Celsius ('C)") {}
    double ConvertToBaseUnit(double value) override { return value; }
    double ConvertFromBaseUnit(double value) override { return value; }
};

class CTemperature : public CCategory {
public:
    CTemperature() : CCategory(L"TEMPERATURE", L"'C - 'F") {}
    void AddUnits() override
    {
        AddUnit(new CCelsius);
        AddUnit(new CFarenheit);
    }
};

class CLength : public CCategory {
public:
    CLength() : CCategory(L"LENGTH", L"Length") {}
    void AddUnits() override
    {
        AddUnit(new CUnit(L"FEET", L"Feet (ft)", 1.0, 1.0));
        AddUnit(new CUnit(L"YARD", L"Yard (yd)", 3.0, 0.3333333333333333));
        AddUnit(new CUnit(L"INCH", L"Inch (in)", 0.08333333333333333, 12.0));
        AddUnit(new CUnit(L"MILE", L"Mile (mi)", 5280.0, 0.0001893939393939394));
        AddUnit(new CUnit(L"CENTIMETER", L"Centimeter (cm)", 0.03280839895013123, 30.48));
        AddUnit(new CUnit(L"METER", L"Meter (m)", 3.280839895013123, 0.3048));
        AddUnit(new CUnit(L"KILOMETER", L"Kilometer (km)", 3280.8398950131236, 0.0003048));
    }
};

class CArea : public CCategory {
public:
    CArea() : CCategory(L"AREA", L"Area") {}
    void AddUnits() override
    {
        AddUnit(new CUnit(L"SMETER", L"Square Meter", 1.0, 1.0));
        AddUnit(new CUnit(L"SFEET", L"Square Feet", 0.09290304359661128, 10.76391));
        AddUnit(new CUnit(L"HECTARE", L"Hectare", 10000.0, 0.0001));
        AddUnit(new CUnit(L"ACRE", L"Acre", 4048.582995951417, 0.000247));
    }
};

class CVolume : public CCategory {
public:
    CVolume() : CCategory(L"VOLUME", L"Volume") {}
    void AddUnits() override
    {
        AddUnit(new CUnit(L"CUBCENTI", L"CC (cc)", 1.0, 1.0));
        AddUnit(new CUnit(L"DROP", L"Drop", 0.06485239918208155, 15.41963));
        AddUnit(new CUnit(L"GALLON", L"Gallon (gal)", 3785.4111013237202, 0.0002641721));
        AddUnit(new CUnit(L"LITER", L"Liter (l)", 1000.0, 0.001));
        AddUnit(new CUnit(L"MILLITER", L"Mililiter (ml)", 1.0, 1.0));
        AddUnit(new CUnit(L"OZ", L"Ounce (oz)", 29.57353192551492, 0.03381402));
        AddUnit(new CUnit(L"PINT", L"Pint (pt)", 473.1765667822479, 0.002113376));
        AddUnit(new CUnit(L"Quart", L"Quart", 946.3531335644958, 0.001056688));
    }
};

class CMass : public CCategory {
public:
    CMass() : CCategory(L"MASS", L"Mass") {}
    void AddUnits() override
    {
        AddUnit(new CUnit(L"KILOGRAM", L"Kilogram (kg)", 1.0, 1.0));
        AddUnit(new CUnit(L"GRAM", L"Gram (g)", 0.001, 1000.0));
        AddUnit(new CUnit(L"MILIGRAM", L"Miligram (mg)", 1e-06, 1000000.0));
        AddUnit(new CUnit(L"TONNE", L"Tonne (t)", 1000.0, 0.001));
        AddUnit(new CUnit(L"OUNCE", L"Ounce (oz)", 0.028269414302966707, 35.37392));
        AddUnit(new CUnit(L"POUND", L"Pound (lb)", 0.45359290943563974, 2.20462));
    }
};

class CBytes : public CCategory {
public:
    CBytes() : CCategory(L"BYTES", L"Bytes") {}
    void AddUnits() override
    {
        AddUnit(new CUnit(L"BYTE", L"Byte", 1.0, 1.0));
        AddUnit(new CUnit(L"KBYTE", L"Kilo Byte", 1024.0, 0.0009765625));
        AddUnit(new CUnit(L"MBYTE", L"Mega Byte", 1048576.0, 9.5367431640625e-07));
        AddUnit(new CUnit(L"GBYTE", L"Giga Byte", 1073741824.0, 9.313225746154785e-10));
        AddUnit(new CUnit(L"TBYTE", L"Tera Byte", 1099511627776.0, 9.094947017729282e-13));
    }
};

}  // namespace

void CConverterSet::AddCategories()
{
    AddCategory(new CTemperature);
    AddCategory(new CLength);
    AddCategory(new CArea);
    AddCategory(new CVolume);
    AddCategory(new CMass);
    AddCategory(new CBytes);
}
