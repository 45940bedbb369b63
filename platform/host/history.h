// The back-and-forward history of applets shown in the bar.
#pragma once

#include <string>
#include <vector>

class CKetraHistory {
public:
    // Adds a name after the cursor (removing every older entry of it) and
    // moves the cursor there; nothing while recording is off.
    void Record(const wchar_t* name);
    // The entry before or after the cursor, which becomes the cursor; null
    // (cursor unchanged) at either end.
    const wchar_t* Prev();
    const wchar_t* Next();

    void SetRecording(int on) { m_bRecording = on; }
    int IsRecording() const { return m_bRecording; }
    int GetCount() const { return static_cast<int>(m_names.size()); }
    void Clear();

private:
    std::vector<std::wstring> m_names;
    int m_nCursor = -1;  // index of the current entry, -1 for none
    int m_bRecording = 1;
};
