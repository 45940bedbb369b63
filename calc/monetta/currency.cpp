// The currency converter's currencies.
#include "currency.h"

#include <strsafe.h>

#include <cmath>

const SCurrency kCurrencies[kCurrencyCount] = {
    {L"DOLLOR", L"US Dollar", 1.0},        {L"AUD", L"Australian Dollar", 1.82},
    {L"POUND", L"British Pound", 0.646},   {L"CDOLLOR", L"Canadian Dollar", 1.559},
    {L"YUAN", L"Chinese Yuan", 8.277},     {L"EURO", L"Euro", 1.02},
    {L"HONG", L"Hong Kong Dollar", 7.8},   {L"YEN", L"Japanese Yen", 118.76},
};

const wchar_t kCurrencySection[] = L"Applets\\Currency";

namespace {

void ValueName(const wchar_t* prefix, int unit, wchar_t* out, size_t cch)
{
    StringCchPrintfW(out, cch, L"%ls%d", prefix, unit);
}

}  // namespace

bool IsUsableRate(double rate)
{
    return std::isfinite(rate) && rate > 0 && std::isfinite(1 / rate);
}

void ReadCurrency(CAppConfig& config, int unit, wchar_t* name, double* rate)
{
    StringCchCopyW(name, kUnitNameLength, kCurrencies[unit].name);
    *rate = kCurrencies[unit].rate;
    wchar_t valueName[16];
    ValueName(L"UnitName", unit, valueName, ARRAYSIZE(valueName));
    wchar_t stored[CRegistry::kMaxText] = L"";
    DWORD size = CRegistry::kMaxText;
    if (config.GetAt(valueName, stored, &size) && stored[0])
        StringCchCopyW(name, kUnitNameLength, stored);  // cut to 31 characters
    ValueName(L"Rate", unit, valueName, ARRAYSIZE(valueName));
    double storedRate = 0;
    if (config.GetDOUBLE(valueName, &storedRate) && IsUsableRate(storedRate))
        *rate = storedRate;
}

void WriteCurrency(CAppConfig& config, int unit, const wchar_t* name, const wchar_t* rate)
{
    wchar_t valueName[16];
    ValueName(L"UnitName", unit, valueName, ARRAYSIZE(valueName));
    config.SetAt(valueName, name);
    if (!rate)
        return;
    ValueName(L"Rate", unit, valueName, ARRAYSIZE(valueName));
    config.SetAt(valueName, rate);
}

CCurrencyCategory::CCurrencyCategory() : CCategory(L"CURRENCY", L"Currency") {}

void CCurrencyCategory::AddUnits()
{
    for (const SCurrency& currency : kCurrencies)
        AddUnit(new CUnit(currency.id, currency.name, 1 / currency.rate, currency.rate));
}

int CCurrencyCategory::SetCurrency(int unit, const wchar_t* name, double rate)
{
    if (unit < 0 || unit >= m_nUnitCount || !IsUsableRate(rate))
        return 0;
    CUnit* currency = m_pUnits[unit];
    StringCchCopyW(currency->m_szFullName, kUnitNameLength, name ? name : L"");
    currency->SetRatio(1 / rate, rate);
    return 1;
}

double CCurrencyCategory::GetRate(int unit) const
{
    return unit >= 0 && unit < m_nUnitCount ? m_pUnits[unit]->m_dFromBase : 0;
}

void CCurrencyCategory::Load()
{
    Initialize();
    CAppConfig config;
    const bool open = config.Open(kCurrencySection) != FALSE;
    for (int unit = 0; unit < kCurrencyCount && unit < m_nUnitCount; ++unit) {
        wchar_t name[kUnitNameLength];
        double rate = kCurrencies[unit].rate;
        if (open)
            ReadCurrency(config, unit, name, &rate);
        else
            StringCchCopyW(name, kUnitNameLength, kCurrencies[unit].name);
        SetCurrency(unit, name, rate);
    }
}
