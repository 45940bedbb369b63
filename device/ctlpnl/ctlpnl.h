// ctlpnl.exe, the device's control panel.
//
//   ctlpnl.exe                      the control panel: every entry of every
//                                   control-panel library in \Windows
//   ctlpnl.exe cplmain.cpl 2,0      a page of the device's own pages
//   ctlpnl.exe mycpl.cpl 5,0        (cplmain.cpl, mycpl.cpl) in a page window
//   ctlpnl.exe KtOption.cpl [N]     entry N (default 0) of another library,
//                                   opened through its CPlApplet
//
// The arguments are recorded in the device log ("ctlpnl: <arguments>").
#pragma once
#include <windows.h>

#include "cplext.h"

#include <memory>
#include <string>
#include <vector>

// ---- arguments (command_line.cpp) -------------------------------------------
struct CplRequest {
    bool panel = false;    // no arguments: show the control panel
    std::wstring library;  // as given: "cplmain.cpl", "\Windows\KtOption.cpl"
    int page = 0;          // the page of a built-in library, the entry of any other
    int tab = 0;
};

// Reads "<library>[ <page>[,<tab>]]" (also "<library>,<page>[,<tab>]").
// Returns false for text that names no library or has a bad page number.
bool ParseCplRequest(const wchar_t* args, CplRequest* request);

// The library's file name without its folder ("KtOption.cpl").
std::wstring CplFileName(const std::wstring& library);
// Where the library is loaded from: as given when it has a folder, else from \Windows.
std::wstring CplLibraryPath(const std::wstring& library);

// ---- one control-panel library (cpl_library.cpp) ----------------------------
struct CplEntry {
    int index = 0;       // the entry's number in the library
    LONG data = 0;       // the library's lData for it
    HICON icon = nullptr;  // owned by the library
    std::wstring name;
    std::wstring info;
};

// Drives a library through CPlApplet: Open sends CPL_INIT, CPL_GETCOUNT and
// CPL_NEWINQUIRE for each entry; Close sends CPL_STOP for each entry and
// CPL_EXIT, then frees it.  Failures are written to the device log.
class CplLibrary {
public:
    explicit CplLibrary(std::wstring path);
    ~CplLibrary();
    CplLibrary(const CplLibrary&) = delete;
    CplLibrary& operator=(const CplLibrary&) = delete;

    bool Open(HWND owner);
    void Close();
    // CPL_DBLCLK for the entry at this position of Entries(); false when the
    // library reports failure or the position is out of range.
    bool Activate(size_t position);

    const std::vector<CplEntry>& Entries() const { return entries_; }
    const std::wstring& Path() const { return path_; }

private:
    LONG Send(UINT msg, LPARAM lParam1, LPARAM lParam2);
    bool Inquire(int index, CplEntry* entry);

    std::wstring path_;
    HWND owner_ = nullptr;
    HMODULE module_ = nullptr;
    APPLET_PROC proc_ = nullptr;
    int count_ = 0;  // entries the library reported (each gets CPL_STOP)
    std::vector<CplEntry> entries_;
};

// ---- the device's own pages (builtin_page.cpp) ------------------------------
// Shows the page window for "cplmain.cpl N,M" / "mycpl.cpl N,M" and runs
// until it is closed.
int ShowBuiltInPage(HINSTANCE instance, const CplRequest& request);

// ---- the Today screen's items (today_page.cpp) ---------------------------------
// The "Today Settings" page: runs until it is closed.
int RunTodaySettingsPage(HINSTANCE instance, const wchar_t* title);

// ---- another library's entry (library_entry.cpp) ----------------------------
// Opens entry `page` of the library and runs while the windows it opened in
// this process stay open.
int OpenLibraryEntry(const CplRequest& request);

// ---- the control panel window (panel_window.cpp) ----------------------------
int RunControlPanel(HINSTANCE instance);
