// Where the biorhythm chart keeps its birthday.
#include "birthday_store.h"

#include "biorhythm.h"
#include "registry.h"

namespace {

const wchar_t kSection[] = L"Applets\\Q Bio";
const int kDefaultYear = 2000;
const int kDefaultMonth = 1;
const int kDefaultDay = 1;

SYSTEMTIME DateOf(int year, int month, int day)
{
    SYSTEMTIME date = {};
    date.wYear = (WORD)year;
    date.wMonth = (WORD)month;
    date.wDay = (WORD)day;
    return date;
}

}  // namespace

SYSTEMTIME LoadBirthday()
{
    int year = kDefaultYear;
    int month = kDefaultMonth;
    int day = kDefaultDay;
    CAppConfig config;
    if (config.Open(kSection)) {
        config.GetINT(L"BYEAR", &year);
        config.GetINT(L"BMON", &month);
        config.GetINT(L"BDAY", &day);
    }
    if (!IsValidBirthday(year, month, day))
        return DateOf(kDefaultYear, kDefaultMonth, kDefaultDay);
    return DateOf(year, month, day);
}

bool SaveBirthday(const SYSTEMTIME& birthday)
{
    if (!IsValidBirthday(birthday.wYear, birthday.wMonth, birthday.wDay))
        return false;
    CAppConfig config;
    return config.Open(kSection) && config.SetINT(L"BYEAR", birthday.wYear) &&
           config.SetINT(L"BMON", birthday.wMonth) && config.SetINT(L"BDAY", birthday.wDay);
}
