// Today items: libraries registered under HKLM
// "Software\Microsoft\Today\Items\<name>" (Type 4, DLL, Enabled, Order,
// Options).  Each enabled item is loaded, asked for its window through
// export 240 and stacked in Order below the Today screen's built-in rows;
// the screen asks each one every few seconds whether it changed (1267) and
// resizes it to the height it then asks for, and tells it to clear its
// cache (1266) before unloading.
#include "shell.h"

#include <devlog.h>
#include <strsafe.h>
#include <todaycmn.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Registration {
    std::wstring name;
    std::wstring dll;
    DWORD order = 0;
    bool options = false;
};

struct LoadedItem {
    TODAYLISTITEM record;  // owned here for as long as the item is loaded
    int height = 0;
};

// unique_ptr: the items hold the address of their record.
std::vector<std::unique_ptr<LoadedItem>> g_items;

DWORD ReadDword(HKEY key, const wchar_t* name, DWORD fallback)
{
    DWORD value = 0;
    DWORD type = 0;
    DWORD cb = sizeof(value);
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &cb) != ERROR_SUCCESS ||
        type != REG_DWORD || cb != sizeof(value))
        return fallback;
    return value;
}

bool ReadString(HKEY key, const wchar_t* name, std::wstring* out)
{
    wchar_t buffer[MAX_PATH + 1] = {};
    DWORD type = 0;
    DWORD cb = MAX_PATH * sizeof(wchar_t);
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &cb) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    buffer[cb / sizeof(wchar_t)] = L'\0';
    *out = buffer;
    return !out->empty();
}

// The enabled library items, in Order (then by name, so equal orders are
// stable from boot to boot).
std::vector<Registration> ReadRegistrations()
{
    std::vector<Registration> found;
    HKEY items;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, TODAY_ITEMS_KEY, 0, KEY_READ, &items) != ERROR_SUCCESS)
        return found;
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD cch = 256;
        LONG result = RegEnumKeyExW(items, index, name, &cch, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA)
            continue;  // a name no item record can hold
        if (result != ERROR_SUCCESS)
            break;
        HKEY item;
        if (RegOpenKeyExW(items, name, 0, KEY_READ, &item) != ERROR_SUCCESS)
            continue;
        Registration r;
        r.name = name;
        bool usable = ReadDword(item, L"Type", tlitNil) == tlitCustom && ReadDword(item, L"Enabled", 0) != 0 &&
                      ReadString(item, L"DLL", &r.dll);
        r.order = ReadDword(item, L"Order", 0);
        r.options = ReadDword(item, L"Options", 0) != 0;
        RegCloseKey(item);
        if (usable)
            found.push_back(r);
    }
    RegCloseKey(items);
    std::stable_sort(found.begin(), found.end(), [](const Registration& a, const Registration& b) {
        if (a.order != b.order)
            return a.order < b.order;
        return _wcsicmp(a.name.c_str(), b.name.c_str()) < 0;
    });
    return found;
}

int WindowHeight(HWND wnd)
{
    RECT rc;
    return GetWindowRect(wnd, &rc) ? rc.bottom - rc.top : 0;
}

// Items stack from top down to the command bar, which they never cover.
void Layout(int top)
{
    const int bottom = kScreenHeight - kTaskBarHeight - kCommandBarHeight;
    int y = top;
    for (const auto& item : g_items) {
        int height = std::max(0, std::min(item->height, bottom - y));
        SetWindowPos(item->record.hwndCustom, nullptr, 0, y, kScreenWidth, height,
                     SWP_NOZORDER | SWP_NOACTIVATE | (height > 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        y += height;
    }
}

// 1267: non-zero when the item changed; then its record says the height it
// wants (0 keeps the current one).  True when the height changed.
bool Query(LoadedItem* item)
{
    if (!SendMessageW(item->record.hwndCustom, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&item->record, 0))
        return false;
    int wanted = (int)item->record.cyp;
    if (wanted <= 0 || wanted > kScreenHeight || wanted == item->height)
        return false;
    item->height = wanted;
    return true;
}

std::unique_ptr<LoadedItem> Load(const Registration& r, HWND today)
{
    HMODULE library = LoadLibraryW(r.dll.c_str());
    if (!library) {
        DevLog(L"today", L"item \"%ls\": %ls does not load (error %lu)", r.name.c_str(), r.dll.c_str(),
               GetLastError());
        return nullptr;
    }
    auto initialize = reinterpret_cast<PFNCUSTOMINITIALIZEITEM>(
        reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(ORDINAL_INITIALIZEITEM))));
    if (!initialize) {
        DevLog(L"today", L"item \"%ls\": %ls has no export 240", r.name.c_str(), r.dll.c_str());
        FreeLibrary(library);
        return nullptr;
    }
    auto item = std::make_unique<LoadedItem>();
    TODAYLISTITEM& rec = item->record;
    ZeroMemory(&rec, sizeof(rec));
    StringCchCopyW(rec.szName, MAX_ITEMNAME, r.name.c_str());  // a longer name is cut to the field
    rec.tlit = tlitCustom;
    rec.dwOrder = r.order;
    rec.fEnabled = TRUE;
    rec.fOptions = r.options;
    StringCchCopyW(rec.szDLLPath, MAX_PATH, r.dll.c_str());  // read at most MAX_PATH - 1 characters
    rec.hinstDLL = library;
    HWND wnd = initialize(&rec, today);
    if (!wnd || !IsWindow(wnd)) {
        DevLog(L"today", L"item \"%ls\": no window", r.name.c_str());
        FreeLibrary(library);
        return nullptr;
    }
    rec.hwndCustom = wnd;
    ShowWindow(wnd, SW_HIDE);
    item->height = WindowHeight(wnd);
    Query(item.get());
    DevLog(L"today", L"item \"%ls\" loaded, %d high", r.name.c_str(), item->height);
    return item;
}

void Unload(LoadedItem* item)
{
    SendMessageW(item->record.hwndCustom, WM_TODAYCUSTOM_CLEARCACHE, (WPARAM)&item->record, 0);
    if (IsWindow(item->record.hwndCustom))
        DestroyWindow(item->record.hwndCustom);
    FreeLibrary(item->record.hinstDLL);
    DevLog(L"today", L"item \"%ls\" unloaded", item->record.szName);
}

} // namespace

void LoadTodayItems(HWND today, int top)
{
    UnloadTodayItems();
    for (const Registration& r : ReadRegistrations()) {
        if (auto item = Load(r, today))
            g_items.push_back(std::move(item));
    }
    Layout(top);
}

void UnloadTodayItems()
{
    // Last loaded first.
    while (!g_items.empty()) {
        Unload(g_items.back().get());
        g_items.pop_back();
    }
}

bool PollTodayItems(int top)
{
    bool changed = false;
    for (const auto& item : g_items) {
        if (Query(item.get()))
            changed = true;
    }
    if (changed)
        Layout(top);
    return changed;
}
