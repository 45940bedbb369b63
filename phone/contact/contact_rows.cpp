#include "contact_rows.h"

PhoneNumberEntry PhoneNumberEntry::Make(const std::wstring& text, int category)
{
    PhoneNumberEntry entry;
    entry.category = category;
    std::wstring source = text.substr(0, kSourceChars);
    for (wchar_t c : source)
        if (c != L' ')
            entry.number += c;
    return entry;
}

void ContactRow::AddNumber(const std::wstring& text, int category)
{
    if (text.empty())
        return;
    numbers.push_back(PhoneNumberEntry::Make(text, category));
    categories |= category;
}

std::wstring ContactRow::Shown() const
{
    return numbers.empty() ? std::wstring() : numbers[(size_t)cursor].number;
}

bool ContactRow::Advance()
{
    if (numbers.empty())
        return false;
    cursor = (cursor + 1) % (int)numbers.size();
    return true;
}

TabBuckets TabBuckets::For(int contacts)
{
    TabBuckets buckets;
    if (contacts <= 0)
        return buckets;
    if (contacts > 4) {
        buckets.count = kTabs;
        for (int i = 0; i <= kTabs; ++i)
            buckets.boundary[i] = contacts * i / kTabs;
    } else {
        buckets.count = contacts;
        for (int i = 0; i <= contacts; ++i)
            buckets.boundary[i] = i;
    }
    return buckets;
}

int TabBuckets::BucketOf(int row) const
{
    if (row < 0)
        return -1;
    for (int n = count - 1; n >= 0; --n)
        if (boundary[n] <= row)
            return n;
    return -1;
}

std::wstring TabLabel(const std::wstring& first, const std::wstring& last, bool oneContact)
{
    wchar_t f = first.empty() ? L'?' : first[0];
    if (oneContact)
        return std::wstring(1, f);
    wchar_t l = last.empty() ? L'?' : last[0];
    if (l == f)
        return std::wstring(1, f);
    return std::wstring(1, f) + L"~" + std::wstring(1, l);
}
