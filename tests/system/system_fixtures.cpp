// The system pack's test fixtures.
#include "system_fixtures.h"

#include "ketra_testkit.h"
#include "launch_list.h"

namespace systemtest {

const wchar_t kInstalled[] = L"\\Program Files\\ZARQ\\Ketra";
const wchar_t kLauncherKey[] = L"SOFTWARE\\ZARQ\\APPLETS\\Launcher";
const wchar_t kButtonKeys[] = L"Software\\Microsoft\\Shell\\Keys";

std::wstring Installed(const wchar_t* name)
{
    return std::wstring(kInstalled) + L"\\" + name;
}

bool WriteLaunchFile(const std::wstring& path, const std::vector<std::wstring>& entries)
{
    CLaunchList list;
    for (const std::wstring& entry : entries)
        if (!list.Add(entry.c_str()))
            return false;
    return list.SaveAs(path.c_str()) != FALSE;
}

std::vector<std::wstring> ReadLaunchFile(const std::wstring& path)
{
    const std::string bytes = testkit::ReadBytes(path);
    std::vector<std::wstring> entries;
    ParseLaunchText(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size(),
                    [&](const wchar_t* piece, size_t) { entries.push_back(piece); });
    return entries;
}

std::vector<std::wstring> DevicePrograms(int count)
{
    const wchar_t* programs[] = {L"\\Windows\\calendar.exe", L"\\Windows\\tasks.exe", L"\\Windows\\poutlook.exe",
                                 L"\\Windows\\fexplore.exe", L"\\Windows\\calc.exe", L"\\Windows\\solitare.exe"};
    std::vector<std::wstring> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back(programs[i % 6]);
    return entries;
}

SavedFiles::SavedFiles(std::initializer_list<const wchar_t*> names)
{
    for (const wchar_t* name : names) {
        File file{Installed(name), false, ""};
        file.existed = testkit::ReadBytes(file.path, &file.bytes);
        files_.push_back(file);
    }
}

SavedFiles::~SavedFiles()
{
    for (const File& file : files_) {
        SetFileAttributesW(file.path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (file.existed)
            testkit::WriteBytes(file.path, file.bytes);
        else
            DeleteFileW(file.path.c_str());
    }
}

StorageCards::StorageCards(std::initializer_list<const wchar_t*> names)
{
    for (const wchar_t* name : names) {
        folders_.push_back(std::wstring(L"\\") + name);
        CreateDirectoryW(folders_.back().c_str(), nullptr);
    }
}

StorageCards::~StorageCards()
{
    for (const std::wstring& folder : folders_)
        RemoveDirectoryW(folder.c_str());
}

void SetCardSpace(const wchar_t* card, DWORD freeKB, DWORD totalKB)
{
    const std::wstring key = std::wstring(L"Software\\SimDevice\\StorageCards\\") + card;
    testkit::WriteDword(key, L"FreeKB", freeKB);
    testkit::WriteDword(key, L"TotalKB", totalKB);
}

}  // namespace systemtest
