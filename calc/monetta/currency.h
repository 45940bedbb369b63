// The currency converter's eight currencies: a category of units whose
// base is the US Dollar.  A currency's rate is its units per dollar: its
// ratio from base is the rate, its ratio to base 1 / rate.  The user may
// rename the currencies and change their rates; both are kept in the
// configuration section "Applets\Currency" as text ("UnitName0" to
// "UnitName7", "Rate0" to "Rate7").
#pragma once

#include <windows.h>

#include <registry.h>
#include <unit_model.h>

enum { kCurrencyCount = 8 };

struct SCurrency {
    const wchar_t* id;
    const wchar_t* name;
    double rate;
};
extern const SCurrency kCurrencies[kCurrencyCount];

extern const wchar_t kCurrencySection[];  // "Applets\Currency"

// A rate a currency can have: a finite number above 0 whose reciprocal is
// finite too.
bool IsUsableRate(double rate);

// The stored name and rate of a currency (the defaults where none, or none
// usable, is stored).  The name is cut to 31 characters.
void ReadCurrency(CAppConfig& config, int unit, wchar_t* name, double* rate);
// "UnitName<unit>" and "Rate<unit>" as text (no rate when rate is null).
void WriteCurrency(CAppConfig& config, int unit, const wchar_t* name, const wchar_t* rate);

class CCurrencyCategory : public CCategory {
public:
    CCurrencyCategory();
    void AddUnits() override;

    // Sets the shown name (cut to 31 characters) and the rate; an unusable
    // rate is refused (0) and the currency keeps the one it has.
    int SetCurrency(int unit, const wchar_t* name, double rate);
    double GetRate(int unit) const;
    // Every name and rate as stored.
    void Load();
};
