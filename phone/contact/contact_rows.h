// The contacts applet's data: one row per contact with its numbers, the
// index tabs' buckets and labels.  No windows here: tests run it as it is.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Category bits of a number.
enum NumberCategory { kWork = 1, kHome = 2, kMobile = 4, kOther = 8 };

struct PhoneNumberEntry {
    std::wstring number;  // without spaces; the source text cut at kSourceChars first
    int category = 0;

    static constexpr size_t kSourceChars = 31;
    // Empty text gives an entry with an empty number.
    static PhoneNumberEntry Make(const std::wstring& text, int category);
};

struct ContactRow {
    static constexpr size_t kNameChars = 32;

    std::wstring name;  // the file-as text, at most kNameChars
    long oid = 0;
    std::vector<PhoneNumberEntry> numbers;
    int cursor = 0;      // the number shown
    int categories = 0;  // OR of the numbers' categories

    void AddNumber(const std::wstring& text, int category);  // empty text adds nothing
    // The number shown (empty when there is none).
    std::wstring Shown() const;
    // Moves on to the next number, round robin; false when there is none.
    bool Advance();
};

// The index tabs: up to five buckets of rows.
struct TabBuckets {
    static constexpr int kTabs = 5;
    int boundary[kTabs + 1] = {};  // bucket i is rows boundary[i] .. boundary[i+1]-1
    int count = 0;                 // buckets in use, 0 to 5

    // Five buckets of N*i/5 for more than four contacts, one per contact otherwise.
    static TabBuckets For(int contacts);
    // The bucket holding row, searched from the last in use down; -1 for none.
    int BucketOf(int row) const;
};

// A tab's label from the file-as texts of its first and last contacts:
// "F" alone for a bucket of one contact or when both start alike, else
// "F~L"; an empty file-as counts as "?".
std::wstring TabLabel(const std::wstring& first, const std::wstring& last, bool oneContact);
