// The running programs as the task manager lists them: the ordinary
// application windows in the order of the screen, one entry per title.
//
// The list is its own piece (a static library), so tests and benchmarks can
// build it without the applet.
#pragma once

#include <windows.h>

#include <corvane.h>

class CTaskEntry : public CObject {
public:
    static constexpr int kTextChars = 128;  // 127 characters and the terminator

    // The shell's own windows (the Today screen, the explorer) show the task
    // manager's own picture and cannot be closed from it.
    BOOL HasOwnIcon() const { return m_nOwnIcon != 0; }

    HWND m_hWnd = nullptr;
    UINT m_nOwnIcon = 0;         // 139, 140, or 0 for the path's icon
    HICON m_hOwnIcon = nullptr;  // that picture, not owned (null when it did not load)
    wchar_t m_szTitle[kTextChars] = L"";
    wchar_t m_szClass[kTextChars] = L"";
    wchar_t m_szPath[MAX_PATH] = L"";
};

class CTaskList {
public:
    // The task manager's own icons in its library.
    static constexpr UINT kExploreIcon = 139;
    static constexpr UINT kTodayIcon = 140;

    // iconModule holds icons 139 and 140 (null: no own icons).
    explicit CTaskList(HINSTANCE iconModule = nullptr);
    ~CTaskList();
    CTaskList(const CTaskList&) = delete;
    CTaskList& operator=(const CTaskList&) = delete;

    // Walks the windows again unless the foreground is still the window of
    // the first entry (forced: always).  ownBar is the side bar the applet
    // sits in, never listed.  Returns 1 when the entries changed.
    BOOL Refresh(HWND ownBar, BOOL force);
    void RemoveAll();

    int GetCount() const { return m_entries.GetCount(); }
    CTaskEntry* GetAt(int index) const;
    HWND GetRememberedForeground() const { return m_hForeground; }

    // Whether a window counts as a program: visible, top-level without
    // owner or parent, not a tool window, not the bar, titled and classed.
    static BOOL IsApplicationWindow(HWND wnd, HWND ownBar);

private:
    void AddWindow(HWND wnd, const wchar_t* title, const wchar_t* className);

    CObList m_entries;  // CTaskEntry, owned
    HWND m_hForeground = nullptr;
    HICON m_hExploreIcon = nullptr;
    HICON m_hTodayIcon = nullptr;
};
