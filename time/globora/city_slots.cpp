#include "city_slots.h"

#include <registry.h>

#include <stdio.h>

namespace globora {

namespace {

const wchar_t kSection[] = L"Dalvo";

void ValueName(wchar_t (&name)[16], const wchar_t* prefix, int slot)
{
    _snwprintf(name, 15, L"%ls%d", prefix, slot);
    name[15] = L'\0';
}

} // namespace

void CCitySlots::Load()
{
    CAppConfig config(kSection);
    for (int slot = 0; slot < kCount; ++slot) {
        m_cities[slot] = nullptr;
        wchar_t cityValue[16], nationValue[16];
        ValueName(cityValue, L"City", slot);
        ValueName(nationValue, L"Nation", slot);
        wchar_t city[CRegistry::kMaxText] = L"", nation[CRegistry::kMaxText] = L"";
        DWORD citySize = CRegistry::kMaxText, nationSize = CRegistry::kMaxText;
        if (!config.GetAt(cityValue, city, &citySize) || !config.GetAt(nationValue, nation, &nationSize))
            continue;
        if (!city[0] || !nation[0])
            continue;
        const CCityInfo* found = nullptr;
        if (GetCityInfo(city, nation, &found))
            m_cities[slot] = found;
    }
}

bool CCitySlots::Save() const
{
    CAppConfig config(kSection);
    bool saved = config.IsOpen() != FALSE;
    for (int slot = 0; slot < kCount; ++slot) {
        if (!m_cities[slot])
            continue;
        wchar_t cityValue[16], nationValue[16];
        ValueName(cityValue, L"City", slot);
        ValueName(nationValue, L"Nation", slot);
        saved = config.SetAt(cityValue, m_cities[slot]->szName) && saved;
        saved = config.SetAt(nationValue, m_cities[slot]->szCountry) && saved;
    }
    return saved;
}

} // namespace globora
