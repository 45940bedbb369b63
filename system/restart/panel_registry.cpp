#include "panel_registry.h"

namespace PanelRegistry {

namespace {

constexpr DWORD kMaxValueBytes = 128;

}  // namespace

DWORD ReadFirstWord(HKEY root, const wchar_t* key, const wchar_t* name, DWORD missing)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return missing;
    BYTE data[kMaxValueBytes] = {};
    DWORD size = sizeof(data);
    DWORD type = 0;
    LONG read = RegQueryValueExW(opened, name, nullptr, &type, data, &size);
    RegCloseKey(opened);
    if (read != ERROR_SUCCESS || size < sizeof(DWORD))
        return missing;
    DWORD word = 0;
    memcpy(&word, data, sizeof(word));
    return word;
}

}  // namespace PanelRegistry
