// The city table and its lookups: by name and country, the nearest cities
// of a map point, and the nearest by whole degrees.
#include "zonath.h"

#include <math.h>
#include <wchar.h>

namespace {

// Generated at build time from cities.csv by gen_cities.py, which checks it.
const CCityInfo kCities[] = {
#include "city_table.inc"
};

static_assert(sizeof(kCities) / sizeof(kCities[0]) == kCityCount, "the city table holds 473 cities");

const double kNearLimit = 49.0;  // squared degrees: within 7 degrees

// Equal but for the case of ASCII letters.  The table's texts are plain
// ASCII (gen_cities.py checks it), so nothing else could match anyway; the
// C library's locale-aware comparison costs a hundred times more.
bool EqualNoCase(const wchar_t* a, const wchar_t* b)
{
    for (;; ++a, ++b) {
        wchar_t x = *a >= L'A' && *a <= L'Z' ? (wchar_t)(*a + 32) : *a;
        wchar_t y = *b >= L'A' && *b <= L'Z' ? (wchar_t)(*b + 32) : *b;
        if (x != y)
            return false;
        if (!x)
            return true;
    }
}

} // namespace

const CCityInfo* CCityList::GetList()
{
    return kCities;
}

int CCityList::GetCount()
{
    return kCityCount;
}

BOOL GetCityInfo(LPCWSTR name, LPCWSTR country, const CCityInfo** city)
{
    if (city)
        *city = nullptr;
    if (!name || !country)
        return FALSE;
    for (const CCityInfo& candidate : kCities) {
        if (EqualNoCase(candidate.szName, name) && EqualNoCase(candidate.szCountry, country)) {
            if (city)
                *city = &candidate;
            return TRUE;
        }
    }
    return FALSE;
}

int FindNearCities(const CCityInfo* list, int count, double longitude, double latitude,
                   const CCityInfo* found[kMaxNearCities])
{
    double distances[kMaxNearCities];
    int listed = 0;
    for (int i = 0; list && i < count; ++i) {
        double dx = list[i].dLongitude - longitude;
        double dy = list[i].dLatitude - latitude;
        double d = dx * dx + dy * dy;
        if (!(d < kNearLimit))
            continue;
        // Before the first listed city farther away; after those as far.
        int at = 0;
        while (at < listed && distances[at] <= d)
            ++at;
        if (at == kMaxNearCities)
            continue;
        int last = listed < kMaxNearCities ? listed : kMaxNearCities - 1;
        for (int j = last; j > at; --j) {
            distances[j] = distances[j - 1];
            found[j] = found[j - 1];
        }
        distances[at] = d;
        found[at] = &list[i];
        if (listed < kMaxNearCities)
            ++listed;
    }
    return listed;
}

const CCityInfo* FindCloseCity(const CCityInfo* list, int count, double longitude, double latitude)
{
    const CCityInfo* best = nullptr;
    double bestDistance = 0;
    for (int i = 0; list && i < count; ++i) {
        // Whole degrees, cut toward zero, before squaring.
        double dx = trunc(list[i].dLongitude - longitude);
        double dy = trunc(list[i].dLatitude - latitude);
        double d = dx * dx + dy * dy;
        if (!(d < kNearLimit))
            continue;
        if (!best || d < bestDistance) {
            best = &list[i];
            bestDistance = d;
        }
    }
    return best;
}

BOOL GetCityInfo(double longitude, double latitude, const CCityInfo* cities[kMaxNearCities], WORD* count)
{
    const CCityInfo* found[kMaxNearCities];
    int listed = FindNearCities(kCities, kCityCount, longitude, latitude, found);
    if (listed == 0 || !cities || !count)
        return FALSE;
    for (int i = 0; i < listed; ++i)
        cities[i] = found[i];
    *count = (WORD)listed;
    return TRUE;
}

BOOL GetCloseCityInfo(double longitude, double latitude, const CCityInfo** city)
{
    const CCityInfo* found = FindCloseCity(kCities, kCityCount, longitude, latitude);
    if (city)
        *city = found;
    return found != nullptr;
}
