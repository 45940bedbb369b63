#include "appmgr.h"

namespace {

const DWORD kMaxField = 1024;

std::wstring Trim(const std::wstring& text)
{
    size_t first = text.find_first_not_of(L" \t");
    size_t last = text.find_last_not_of(L" \t");
    return first == std::wstring::npos ? std::wstring() : text.substr(first, last - first + 1);
}

std::vector<std::wstring> SplitList(const std::wstring& text)
{
    std::vector<std::wstring> items;
    size_t at = 0;
    while (at <= text.size()) {
        size_t comma = text.find(L',', at);
        std::wstring item = Trim(text.substr(at, comma == std::wstring::npos ? std::wstring::npos : comma - at));
        if (!item.empty())
            items.push_back(item);
        if (comma == std::wstring::npos)
            break;
        at = comma + 1;
    }
    return items;
}

// A field of the file, bounded; false when it is missing or too long.
bool Field(const std::wstring& ini, const std::wstring& section, const wchar_t* key, std::wstring* value)
{
    wchar_t text[kMaxField];
    DWORD n = GetPrivateProfileStringW(section.c_str(), key, L"", text, kMaxField, ini.c_str());
    if (n == 0 || n >= kMaxField - 1)
        return false;
    *value = Trim(text);
    return !value->empty();
}

// A cabinet name with no folder of its own: it lies beside the description.
bool PlainFileName(const std::wstring& name)
{
    return !name.empty() && name.find_first_of(L"\\/:") == std::wstring::npos && name != L"." && name != L"..";
}

} // namespace

bool ReadComponents(const std::wstring& iniPath, std::vector<Component>* components, std::wstring* why)
{
    if (GetFileAttributesW(iniPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        *why = L"the setup description " + iniPath + L" is missing";
        return false;
    }
    std::wstring list;
    if (!Field(iniPath, L"CEAppManager", L"Component", &list)) {
        *why = iniPath + L" is not a setup description";
        return false;
    }
    const std::wstring folder = iniPath.substr(0, iniPath.find_last_of(L"\\/") + 1);
    for (const std::wstring& name : SplitList(list)) {
        Component component;
        component.name = name;
        std::wstring cabinets;
        if (!Field(iniPath, name, L"CabFiles", &cabinets)) {
            *why = L"the component " + name + L" names no cabinet";
            return false;
        }
        if (!Field(iniPath, name, L"Description", &component.description))
            component.description = name;
        // The first of its cabinets that is there (one per processor).
        for (const std::wstring& cabinet : SplitList(cabinets)) {
            WIN32_FILE_ATTRIBUTE_DATA data;
            if (!PlainFileName(cabinet) ||
                !GetFileAttributesExW((folder + cabinet).c_str(), GetFileExInfoStandard, &data))
                continue;
            component.cabinet = folder + cabinet;
            component.bytes = ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
            break;
        }
        if (component.cabinet.empty()) {
            *why = L"the cabinet of " + name + L" is missing";
            return false;
        }
        components->push_back(std::move(component));
    }
    if (components->empty()) {
        *why = iniPath + L" lists no component";
        return false;
    }
    return true;
}
