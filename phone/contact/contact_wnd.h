// The contacts applet: the device's contacts in a two-column list (name and
// one number) under five index tabs, loaded on a thread of its own, with a
// hold menu of the contacts add-ins, "Launch Contacts" and "Beam Contact...".
#pragma once

#include <windows.h>

#include <corvane.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "contact_rows.h"

struct ContactAddIn {
    std::wstring menu;  // at most 64 characters
    std::wstring dll;   // at most 260 characters
};

class CContactWnd : public CApplet {
public:
    static constexpr int kWidth = 235;
    static constexpr int kHeight = 126;
    static constexpr UINT kListId = 1300;
    static constexpr UINT kFirstTabId = 1200;
    static constexpr UINT kAddInCommand = 1100;  // + the add-in's position
    static constexpr UINT kLaunchCommand = 1400;
    static constexpr UINT kNewCommand = 1500;
    static constexpr UINT kBeamCommand = 1600;
    static constexpr UINT kRingSettingsMessage = WM_USER + 777;
    // From the loader: rows were added, the tabs are labelled, it is done.
    static constexpr UINT kRowsLoaded = WM_APP + 2;
    static constexpr UINT kTabsLabelled = WM_APP + 1;
    static constexpr UINT kLoaderDone = WM_APP;

    CContactWnd();
    ~CContactWnd() override;

    void OnCreate() override;
    void OnDestroy() override;
    BOOL OnEraseBkgnd(HDC hdc) override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend class CContactLoader;

    void LoadAddIns();
    void SelectTab(int tab);
    void UpdateTabs();
    void OnFocusedRow(int row);
    void OnActivated();
    void ShowHoldMenu(POINT screen);
    void RunAddIn(size_t index);
    void Beam();
    int FocusedRow() const;
    bool RowOid(int row, long* oid) const;  // false for a row not loaded (yet)
    void StopLoader();
    void ListLoadedRows();
    static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_list = nullptr;
    HWND m_tabs[TabBuckets::kTabs] = {};
    WNDPROC m_listProc = nullptr;
    CFont m_font;
    std::vector<ContactAddIn> m_addIns;

    // Shared with the loader: rows are appended under the lock, and the
    // window reads only rows below the count loaded.  Only the window's
    // thread puts rows into the list.
    mutable CRITICAL_SECTION m_lock;
    std::vector<std::unique_ptr<ContactRow>> m_rows;
    TabBuckets m_buckets;
    int m_currentTab = 0;
    int m_listed = 0;  // rows in the list (the window's thread only)
    HANDLE m_loader = nullptr;
    std::atomic<bool> m_cancel{false};
    bool m_comStarted = false;
};
