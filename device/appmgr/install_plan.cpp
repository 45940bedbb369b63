// Reading a setup cabinet and resolving what its installation will do.
#include "app_manager.h"

#include <algorithm>
#include <map>

namespace {

// The device's processor, and the system version a setup file must admit.
const DWORD kDeviceProcessor = 2577;
const DWORD kSystemVersion[2] = {4, 20};

bool Refuse(std::wstring* why, const std::wstring& reason)
{
    *why = reason;
    return false;
}

std::wstring Widen(const std::string& text)
{
    int cch = MultiByteToWideChar(CP_ACP, 0, text.data(), (int)text.size(), nullptr, 0);
    std::wstring wide(cch > 0 ? cch : 0, L'\0');
    if (cch > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), (int)text.size(), &wide[0], cch);
    return wide;
}

// The folder macros of setup files.
bool ExpandMacro(const std::wstring& macro, const std::wstring& programFiles, std::wstring* path)
{
    static const struct { const wchar_t* macro; const wchar_t* path; } kMacros[] = {
        {L"%CE2%", L"\\Windows"},
        {L"%CE3%", L"\\Windows\\Desktop"},
        {L"%CE4%", L"\\Windows\\StartUp"},
        {L"%CE5%", L"\\My Documents"},
        {L"%CE11%", L"\\Windows\\Start Menu\\Programs"},
        {L"%CE12%", L"\\Windows\\Start Menu\\Programs\\Accessories"},
        {L"%CE13%", L"\\Windows\\Start Menu\\Programs\\Communications"},
        {L"%CE14%", L"\\Windows\\Start Menu\\Programs\\Games"},
        {L"%CE15%", L"\\Windows\\Fonts"},
        {L"%CE16%", L"\\Windows\\Recent"},
        {L"%CE17%", L"\\Windows\\Start Menu"},
    };
    static const struct { const wchar_t* macro; const wchar_t* sub; } kProgramFolders[] = {
        {L"%CE1%", L""},
        {L"%CE6%", L"\\Accessories"},
        {L"%CE7%", L"\\Communication"},
        {L"%CE8%", L"\\Games"},
        {L"%CE9%", L"\\Pocket Outlook"},
        {L"%CE10%", L"\\Office"},
    };
    for (const auto& m : kMacros)
        if (_wcsicmp(macro.c_str(), m.macro) == 0) {
            *path = m.path;
            return true;
        }
    for (const auto& m : kProgramFolders)
        if (_wcsicmp(macro.c_str(), m.macro) == 0) {
            *path = programFiles + m.sub;
            return true;
        }
    return false;
}

// "%CE1%\ZARQ" in a value's text, expanded.
std::wstring SubstituteMacros(std::wstring text, const std::wstring& programFiles)
{
    size_t at = 0;
    while ((at = text.find(L'%', at)) != std::wstring::npos) {
        size_t end = text.find(L'%', at + 1);
        if (end == std::wstring::npos)
            break;
        std::wstring path;
        if (ExpandMacro(text.substr(at, end - at + 1), programFiles, &path)) {
            text.replace(at, end - at + 1, path);
            at += path.size();
        } else
            at = end;
    }
    return text;
}

// A folder's parts as a device path: a leading macro expanded, every other
// part a plain name.
bool FolderPath(const std::vector<std::wstring>& parts, const std::wstring& programFiles, std::wstring* path)
{
    path->clear();
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::wstring& part = parts[i];
        if (!part.empty() && part.front() == L'%') {
            std::wstring expanded;
            if (i != 0 || !ExpandMacro(part, programFiles, &expanded))
                return false;
            *path = expanded;
        } else if (IsPlainName(part))
            *path += L"\\" + part;
        else
            return false;
    }
    return !path->empty() && path->size() < MAX_PATH;
}

// The file number of a member named "<stub>.<number>".
bool MemberNumber(const std::string& name, int* number)
{
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot + 1 >= name.size() || name.size() - dot - 1 > 4)
        return false;
    int n = 0;
    for (size_t i = dot + 1; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return false;
        n = n * 10 + (name[i] - '0');
    }
    *number = n;
    return true;
}

bool MemberReachesOut(const std::string& name)
{
    return name.find_first_of("\\/:") != std::string::npos || name.find("..") != std::string::npos;
}

const wchar_t* RootName(WORD root)
{
    switch (root) {
    case 1: return L"HKCR";
    case 2: return L"HKCU";
    case 3: return L"HKLM";
    case 4: return L"HKU";
    default: return nullptr;
    }
}

bool PlanValue(const SetupRegValue& value, const SetupRegKey& key, const std::wstring& programFiles,
               InstallPlan::Value* planned)
{
    planned->root = RootName(key.root);
    for (const std::wstring& part : key.parts) {
        if (part.empty() || part.find_first_of(L"\\") != std::wstring::npos)
            return false;
        planned->key += (planned->key.empty() ? L"" : L"\\") + part;
    }
    planned->name = value.name;
    planned->keepExisting = (value.type & kSetupValueNoClobber) != 0;
    std::string data = value.data;
    switch (value.type & kSetupValueTypeMask) {
    case kSetupValueDword:
        if (data.size() != 4)
            return false;
        planned->type = REG_DWORD;
        planned->data = data;
        return true;
    case kSetupValueBinary:
        planned->type = REG_BINARY;
        planned->data = data;
        return true;
    case kSetupValueSz:
    case kSetupValueMultiSz: {
        bool multi = (value.type & kSetupValueTypeMask) == kSetupValueMultiSz;
        // 8-bit text, NUL-separated; stored as UTF-16 with its terminators.
        while (!data.empty() && data.back() == '\0')
            data.pop_back();
        std::wstring text = Widen(data);
        if (!multi && text.find(L'\0') != std::wstring::npos)
            return false;
        if (value.substitute)
            text = SubstituteMacros(text, programFiles);
        text.push_back(L'\0');
        if (multi)
            text.push_back(L'\0');
        planned->type = multi ? REG_MULTI_SZ : REG_SZ;
        planned->data.assign(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
        return true;
    }
    }
    return false;
}

bool SameText(const std::wstring& a, const std::wstring& b)
{
    return _wcsicmp(a.c_str(), b.c_str()) == 0;
}

} // namespace

bool LoadSetupCabinetBytes(std::string bytes, SetupCabinet* cabinet, std::wstring* why)
{
    if (!cabinet->archive.Load(std::move(bytes), why))
        return false;
    const CabMember* setup = nullptr;
    for (const CabMember& member : cabinet->archive.Members()) {
        if (MemberReachesOut(member.name))
            return Refuse(why, L"a file of the cabinet would land outside its folder");
        int number = -1;
        if (MemberNumber(member.name, &number) && number == 0) {
            if (setup)
                return Refuse(why, L"the cabinet holds two setup files");
            setup = &member;
        }
    }
    if (!setup)
        return Refuse(why, L"the cabinet holds no setup file");
    if (setup->size > kMaxSetupFileBytes)
        return Refuse(why, L"the setup file is too large");
    std::string text;
    if (!cabinet->archive.Extract(*setup, &text))
        return Refuse(why, L"the setup file cannot be read");
    return ParseSetupFile(text, &cabinet->info, why);
}

bool LoadSetupCabinet(const std::wstring& path, SetupCabinet* cabinet, std::wstring* why)
{
    HANDLE file = CreateFileW(DeviceFilePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Refuse(why, L"the cabinet cannot be opened");
    LARGE_INTEGER size = {};
    std::string bytes;
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= kMaxCabinetBytes;
    if (ok) {
        bytes.resize((size_t)size.QuadPart);
        DWORD read = 0;
        ok = ReadFile(file, &bytes[0], (DWORD)bytes.size(), &read, nullptr) && read == bytes.size();
    }
    CloseHandle(file);
    if (!ok)
        return Refuse(why, size.QuadPart > kMaxCabinetBytes ? L"the cabinet is too large" : L"the cabinet cannot be read");
    return LoadSetupCabinetBytes(std::move(bytes), cabinet, why);
}

bool PlanInstallation(const SetupCabinet& cabinet, const std::wstring& programFiles, InstallPlan* plan,
                      std::wstring* why)
{
    const SetupInfo& info = cabinet.info;
    *plan = InstallPlan();
    if (info.processor != 0 && info.processor != kDeviceProcessor)
        return Refuse(why, L"the program is not intended for this device's processor");
    auto below = [](const DWORD a[2], const DWORD b[2]) { return a[0] < b[0] || (a[0] == b[0] && a[1] < b[1]); };
    if (below(kSystemVersion, info.versionMin) || below(info.versionMax, kSystemVersion))
        return Refuse(why, L"the program is not intended for this version of the device's system");
    plan->application = info.application;
    plan->provider = info.provider;
    if (!IsPlainName(plan->application) || !IsPlainName(plan->provider))
        return Refuse(why, L"the application's name or provider is not a plain name");

    std::map<WORD, std::wstring> folders;
    for (const auto& entry : info.folders) {
        std::wstring path;
        if (!FolderPath(entry.second.parts, programFiles, &path))
            return Refuse(why, L"a folder lies outside the device's folders");
        folders[entry.first] = path;
        plan->folders.push_back(path);
    }

    std::map<int, const CabMember*> members;
    for (const CabMember& member : cabinet.archive.Members()) {
        int number = -1;
        if (MemberNumber(member.name, &number) && number > 0)
            members[number] = &member;
    }
    std::map<WORD, std::wstring> filePaths;
    for (const SetupFileRecord& record : info.files) {
        if (!IsPlainName(record.name))
            return Refuse(why, L"a file would land outside its folder");
        auto member = members.find(record.number);
        if (member == members.end())
            return Refuse(why, L"a file of the setup is missing from the cabinet");
        InstallPlan::File file;
        file.path = folders[record.folder] + L"\\" + record.name;
        file.keepExisting = (record.flags & kSetupFileNoOverwrite) != 0;
        file.selfRegister = (record.flags & kSetupFileSelfRegister) != 0;
        if (file.path.size() >= MAX_PATH || !cabinet.archive.Extract(*member->second, &file.data))
            return Refuse(why, L"a file of the cabinet cannot be read");
        for (const InstallPlan::File& other : plan->files)
            if (SameText(other.path, file.path))
                return Refuse(why, L"two files of the setup land on one path");
        filePaths[record.id] = file.path;
        plan->files.push_back(std::move(file));
    }

    for (const SetupRegValue& value : info.values) {
        InstallPlan::Value planned;
        if (!PlanValue(value, info.keys.at(value.key), programFiles, &planned))
            return Refuse(why, L"a registry value of the setup is damaged");
        plan->values.push_back(std::move(planned));
    }

    for (const SetupLink& link : info.links) {
        InstallPlan::Shortcut shortcut;
        std::vector<std::wstring> parts = link.parts;
        std::wstring base;
        if (link.baseFolder) {
            auto folder = folders.find(link.baseFolder);
            if (folder == folders.end())
                return Refuse(why, L"a shortcut lies in a missing folder");
            base = folder->second;
        }
        std::wstring name = parts.back();
        parts.pop_back();
        std::wstring folder = base;
        if (!parts.empty()) {
            std::wstring rest;
            if (!FolderPath(parts, programFiles, &rest))
                return Refuse(why, L"a shortcut lies outside the device's folders");
            folder += rest;
        }
        if (folder.empty() || !IsPlainName(name))
            return Refuse(why, L"a shortcut lies outside the device's folders");
        shortcut.path = folder + L"\\" + name + L".lnk";
        auto target = link.kind == 1 ? filePaths.find(link.target) : folders.find(link.target);
        if (target == (link.kind == 1 ? filePaths.end() : folders.end()))
            return Refuse(why, L"a shortcut points to nothing the setup installs");
        shortcut.target = target->second;
        plan->shortcuts.push_back(std::move(shortcut));
    }
    return true;
}
