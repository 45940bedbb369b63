// Private declarations of ownerdate.dll, the Today item that shows the
// device owner's name and today's date.
#pragma once
#include <windows.h>

#include "resource.h"
#include "todaycmn.h"

#include <string>

// The item's registration under TODAY_ITEMS_KEY; its "ShowDate" value
// (DWORD, default 1) is the one option.
#define OWNERDATE_ITEM_KEY  TODAY_ITEMS_KEY L"\\Owner and Date"

// The library's module, recorded on process attach.
extern HINSTANCE g_ownerDateInstance;

// ---- what the item shows (item_text.cpp) ------------------------------------
struct ItemText {
    std::wstring owner;  // empty when no owner is set
    std::wstring date;   // empty when the date is switched off
};

// The owner's name (HKCU "ControlPanel\Owner" value "Owner", UTF-16, at most
// 36 characters) and, when the option is on, today's date in long form.
ItemText ReadItemText();
// Height in pixels the item needs for the text.
int ItemHeight(const ItemText& text);

bool ReadShowDate();
bool WriteShowDate(bool show);

// ---- the item window (item_window.cpp) --------------------------------------
bool RegisterItemClass();
void UnregisterItemClass();
HWND CreateItemWindow(HWND parent);
