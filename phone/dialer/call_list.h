// The dialer's list: the call log's numbers one entry each, in call-log
// order, less the numbers the user removed, with the entry shown.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct CallEntry {
    std::wstring number;  // kept whole: a number cut short would dial someone else
    std::wstring name;    // the display name, at most kNameChars; empty for none
};

class CCallList {
public:
    static constexpr size_t kNameChars = 63;
    static constexpr size_t kRemovedKept = 100;  // numbers "DelNumber.txt" keeps

    // Empties the list (not the removed numbers).
    void Clear();
    // Takes one call-log record by the loading rules: a record without a
    // number is skipped; a number with "(" in it is taken from there on; the
    // name gets " (<name type>)" when there is one; a number already listed
    // only fills in a missing name; a removed number is skipped.
    void AddRecord(LPCWSTR number, LPCWSTR name, LPCWSTR nameType);
    // Reads the device's call log afresh; false (list empty) when it cannot
    // be opened.  The first entry becomes current.
    bool LoadCallLog();

    int Count() const { return (int)m_entries.size(); }
    bool IsEmpty() const { return m_entries.empty(); }
    int Current() const { return m_current; }
    const CallEntry* CurrentEntry() const;  // null when empty
    const CallEntry& At(int index) const { return m_entries[(size_t)index]; }
    // Previous and next wrap around; nothing happens on an empty list.
    void Previous();
    void Next();

    // Adds the current number to the removed ones and drops every entry of
    // it, keeping the position (wrapped to the new count).  False when empty.
    bool RemoveCurrent();
    const std::vector<std::wstring>& Removed() const { return m_removed; }
    void SetRemoved(const std::vector<std::wstring>& numbers);
    void ClearRemoved() { m_removed.clear(); }
    bool IsRemoved(const std::wstring& number) const;

private:
    std::vector<CallEntry> m_entries;
    std::vector<std::wstring> m_removed;
    int m_current = 0;
};
