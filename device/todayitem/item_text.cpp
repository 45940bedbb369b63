#include "ownerdate_private.h"

#include "devclock.h"

#include <vector>

namespace {

const int kMaxOwnerChars = 36;
const int kLineHeight = 18;
const int kMargin = 2;

std::wstring ReadOwnerName()
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"ControlPanel\\Owner", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::wstring();
    // The stored record can be larger than the name and need not be
    // terminated: read it whole, then keep the name's characters.
    std::wstring name;
    DWORD type = 0, cb = 0;
    if (RegQueryValueExW(key, L"Owner", nullptr, &type, nullptr, &cb) == ERROR_SUCCESS && cb > 0 && cb <= 65536) {
        std::vector<wchar_t> data(cb / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(key, L"Owner", nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &cb) ==
            ERROR_SUCCESS) {
            size_t avail = cb / sizeof(wchar_t);
            size_t n = 0;
            while (n < avail && n < (size_t)kMaxOwnerChars && data[n])
                ++n;
            name.assign(data.data(), n);
        }
    }
    RegCloseKey(key);
    return name;
}

std::wstring TodayLongDate()
{
    // The device's own date, not the host's.
    SYSTEMTIME today;
    DevClockLocal(&today);
    wchar_t date[80];
    if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, &today, nullptr, date, ARRAYSIZE(date)) <= 0)
        return std::wstring();
    return date;
}

} // namespace

bool ReadShowDate()
{
    DWORD value = 1, cb = sizeof(value);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, OWNERDATE_ITEM_KEY, L"ShowDate", RRF_RT_REG_DWORD, nullptr, &value, &cb) !=
        ERROR_SUCCESS)
        return true;
    return value != 0;
}

bool WriteShowDate(bool show)
{
    DWORD value = show ? 1 : 0;
    return RegSetKeyValueW(HKEY_LOCAL_MACHINE, OWNERDATE_ITEM_KEY, L"ShowDate", REG_DWORD, &value, sizeof(value)) ==
           ERROR_SUCCESS;
}

ItemText ReadItemText()
{
    ItemText text;
    text.owner = ReadOwnerName();
    if (ReadShowDate())
        text.date = TodayLongDate();
    return text;
}

int ItemHeight(const ItemText& text)
{
    int lines = 1;  // the owner line stays, blank or not, so the item never vanishes
    if (!text.date.empty())
        ++lines;
    return lines * kLineHeight + 2 * kMargin;
}
