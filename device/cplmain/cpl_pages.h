// The device's own control-panel pages.
//
// The system's pages live in "cplmain.cpl"; some models add pages of their
// own in "mycpl.cpl".  The control panel opens one with the arguments
// "<library> <page>,<tab>", e.g. "cplmain.cpl 2,0" for Owner Information.
#pragma once
#include <windows.h>

struct CplPage {
    const wchar_t* library;  // "cplmain.cpl" or "mycpl.cpl"
    int page;
    int tab;                 // the tab the row names; other tabs fall back to the page's first row
    const wchar_t* name;
    bool listed;             // shown as an entry of the control panel (aliases are not)
};

// The row for "<library> <page>,<tab>": the exact page and tab, else the
// page's first row; NULL for a page the library does not have.  The library
// name is compared without case.
const CplPage* FindCplPage(const wchar_t* library, int page, int tab);

// True for the libraries whose pages the control panel shows itself.
bool IsBuiltInCplLibrary(const wchar_t* library);

// The listed pages of "cplmain.cpl", in the order of its entries.
int ListedCplPageCount();
const CplPage* ListedCplPage(int index);  // NULL when out of range
