// The canned texts "My Text" edits: at most ten entries and the one being
// edited (-1 for none).
#pragma once

#include <string>
#include <vector>

class CCannedList {
public:
    static constexpr size_t kMaxEntries = 10;
    static constexpr size_t kMaxChars = 259;

    enum TypeResult { kReplaced, kAdded, kRefused };

    void Load(const std::vector<std::wstring>& entries);
    const std::vector<std::wstring>& Entries() const { return m_entries; }
    int Editing() const { return m_editing; }
    void Select(int index);  // -1 or an index of an entry

    // "N": an empty entry to edit; false when ten exist.
    bool New();
    // "D": removes the entry being edited; the entry now at its place (if
    // any) is edited next.  False with nothing being edited.
    bool Delete();
    // The edit box's text: replaces the entry being edited, or becomes a
    // new entry when none is (refused when ten exist).
    TypeResult Typed(const std::wstring& text);

private:
    std::vector<std::wstring> m_entries;
    int m_editing = -1;
};
