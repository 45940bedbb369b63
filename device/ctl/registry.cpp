// `reg get|set|del`: reads and writes the device registry.
//
//   reg get ROOT\KEY VALUE              REG_SZ as text, REG_DWORD as decimal,
//                                       anything else as hex bytes
//   reg set ROOT\KEY VALUE sz|dword DATA
//   reg del ROOT\KEY [VALUE]            without VALUE the key goes, subkeys too
//
// ROOT is HKLM or HKCU (the long HKEY_ names work too); "" names the default
// value.
#include "devctl.h"

#include <wchar.h>

namespace {

struct KeyPath {
    HKEY root;
    std::wstring subKey;
};

bool ParseKeyPath(const std::wstring& path, KeyPath* out)
{
    size_t slash = path.find(L'\\');
    std::wstring root = path.substr(0, slash);
    out->subKey = slash == std::wstring::npos ? std::wstring() : path.substr(slash + 1);
    while (!out->subKey.empty() && out->subKey.back() == L'\\')
        out->subKey.pop_back();
    if (_wcsicmp(root.c_str(), L"HKLM") == 0 || _wcsicmp(root.c_str(), L"HKEY_LOCAL_MACHINE") == 0)
        out->root = HKEY_LOCAL_MACHINE;
    else if (_wcsicmp(root.c_str(), L"HKCU") == 0 || _wcsicmp(root.c_str(), L"HKEY_CURRENT_USER") == 0)
        out->root = HKEY_CURRENT_USER;
    else {
        ErrLine(L"devctl: the key must start with HKLM\\ or HKCU\\");
        return false;
    }
    return true;
}

void ReportFailure(const wchar_t* what, const std::wstring& path, LSTATUS status)
{
    ErrLine(Format(L"devctl: %ls %ls: %ls", what, path.c_str(), ErrorText((DWORD)status).c_str()));
}

// Registry strings need not be terminated; stop at the first NUL if there is one.
std::wstring StringData(const std::vector<BYTE>& data)
{
    const wchar_t* text = reinterpret_cast<const wchar_t*>(data.data());
    size_t count = data.size() / sizeof(wchar_t);
    return std::wstring(text, wcsnlen(text, count));
}

std::wstring HexBytes(const std::vector<BYTE>& data)
{
    std::wstring out;
    for (size_t i = 0; i < data.size(); ++i)
        out += Format(i ? L" %02x" : L"%02x", data[i]);
    return out;
}

int RegGet(const Args& args)
{
    KeyPath key;
    if (args.size() != 2 || !ParseKeyPath(args[0], &key))
        return kExitUsage;
    HKEY hkey;
    LSTATUS status = RegOpenKeyExW(key.root, key.subKey.c_str(), 0, KEY_QUERY_VALUE, &hkey);
    if (status != ERROR_SUCCESS) {
        ReportFailure(L"cannot open", args[0], status);
        return kExitFailed;
    }
    // Ask for the size, then read; the value may grow in between, so retry.
    DWORD type = 0;
    std::vector<BYTE> data;
    for (int attempt = 0; attempt < 5; ++attempt) {
        DWORD cb = 0;
        status = RegQueryValueExW(hkey, args[1].c_str(), nullptr, &type, nullptr, &cb);
        if (status != ERROR_SUCCESS)
            break;
        data.assign(cb + sizeof(wchar_t), 0);  // room for a terminator the value may lack
        status = RegQueryValueExW(hkey, args[1].c_str(), nullptr, &type, data.data(), &cb);
        if (status == ERROR_SUCCESS) {
            data.resize(cb);
            break;
        }
        if (status != ERROR_MORE_DATA)
            break;
    }
    RegCloseKey(hkey);
    if (status != ERROR_SUCCESS) {
        ReportFailure(L"cannot read value", args[0] + L" " + Quoted(args[1]), status);
        return kExitFailed;
    }

    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        data.resize(data.size() + sizeof(wchar_t), 0);
        OutLine(StringData(data));
        break;
    case REG_DWORD:
        if (data.size() != sizeof(DWORD)) {
            OutLine(HexBytes(data));  // a malformed DWORD: show what is stored
            break;
        }
        OutLine(Format(L"%lu", (unsigned long)*reinterpret_cast<const DWORD*>(data.data())));
        break;
    case REG_QWORD:
        if (data.size() != sizeof(ULONGLONG)) {
            OutLine(HexBytes(data));
            break;
        }
        OutLine(Format(L"%llu", *reinterpret_cast<const ULONGLONG*>(data.data())));
        break;
    default:
        OutLine(HexBytes(data));
        break;
    }
    return kExitOk;
}

int RegSet(const Args& args)
{
    KeyPath key;
    if (args.size() != 4 || !ParseKeyPath(args[0], &key))
        return kExitUsage;
    const std::wstring& type = args[2];
    const std::wstring& text = args[3];
    DWORD number = 0;
    if (type == L"dword") {
        if (!ParseUInt32(text, &number))
            return kExitUsage;
    } else if (type != L"sz") {
        return kExitUsage;
    }

    HKEY hkey;
    LSTATUS status = RegCreateKeyExW(key.root, key.subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hkey,
                                     nullptr);
    if (status != ERROR_SUCCESS) {
        ReportFailure(L"cannot create", args[0], status);
        return kExitFailed;
    }
    if (type == L"dword")
        status = RegSetValueExW(hkey, args[1].c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                                sizeof(number));
    else
        status = RegSetValueExW(hkey, args[1].c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                (DWORD)((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(hkey);
    if (status != ERROR_SUCCESS) {
        ReportFailure(L"cannot write value", args[0] + L" " + Quoted(args[1]), status);
        return kExitFailed;
    }
    return kExitOk;
}

int RegDel(const Args& args)
{
    KeyPath key;
    if (args.empty() || args.size() > 2 || !ParseKeyPath(args[0], &key))
        return kExitUsage;

    if (args.size() == 2) {
        HKEY hkey;
        LSTATUS status = RegOpenKeyExW(key.root, key.subKey.c_str(), 0, KEY_SET_VALUE, &hkey);
        if (status == ERROR_SUCCESS) {
            status = RegDeleteValueW(hkey, args[1].c_str());
            RegCloseKey(hkey);
        }
        if (status != ERROR_SUCCESS) {
            ReportFailure(L"cannot delete value", args[0] + L" " + Quoted(args[1]), status);
            return kExitFailed;
        }
        return kExitOk;
    }

    // Refuse to empty a whole root by accident.
    if (key.subKey.empty()) {
        ErrLine(L"devctl: will not delete a whole registry root");
        return kExitUsage;
    }
    // RegDeleteTreeW removes the key itself when given its name; delete it
    // explicitly only if an implementation left it behind.
    LSTATUS status = RegDeleteTreeW(key.root, key.subKey.c_str());
    HKEY left;
    if (status == ERROR_SUCCESS && RegOpenKeyExW(key.root, key.subKey.c_str(), 0, KEY_READ, &left) == ERROR_SUCCESS) {
        RegCloseKey(left);
        status = RegDeleteKeyW(key.root, key.subKey.c_str());
    }
    if (status != ERROR_SUCCESS) {
        ReportFailure(L"cannot delete", args[0], status);
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace

int CmdReg(const Args& args)
{
    if (args.empty())
        return kExitUsage;
    Args rest(args.begin() + 1, args.end());
    if (args[0] == L"get")
        return RegGet(rest);
    if (args[0] == L"set")
        return RegSet(rest);
    if (args[0] == L"del")
        return RegDel(rest);
    return kExitUsage;
}
