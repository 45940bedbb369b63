// What the system pack's tests share: the installed folder of the pack, its
// launch list written for a test, files of that folder put back, and
// storage cards at the device's root.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace systemtest {

// "\Program Files\ZARQ\Ketra" and files in it.
extern const wchar_t kInstalled[];
std::wstring Installed(const wchar_t* name);

// The launcher's section and the hardware buttons' keys.
extern const wchar_t kLauncherKey[];
extern const wchar_t kButtonKeys[];

// Writes a launch file of these paths (UTF-16, CR after each, the end tag).
bool WriteLaunchFile(const std::wstring& path, const std::vector<std::wstring>& entries);
// The paths of a launch file, in order.
std::vector<std::wstring> ReadLaunchFile(const std::wstring& path);
// count paths of real programs and shortcuts, repeating the device's own.
std::vector<std::wstring> DevicePrograms(int count);

// Files of the installed folder saved at construction and put back (or
// removed again) when the object goes.
class SavedFiles {
public:
    explicit SavedFiles(std::initializer_list<const wchar_t*> names);
    ~SavedFiles();
    SavedFiles(const SavedFiles&) = delete;
    SavedFiles& operator=(const SavedFiles&) = delete;

private:
    struct File {
        std::wstring path;
        bool existed;
        std::string bytes;
    };
    std::vector<File> files_;
};

// Card folders at the device's root, made at construction and removed when
// the object goes; the device counts a folder as a card once it is named in
// the device state's "StorageCards".
class StorageCards {
public:
    explicit StorageCards(std::initializer_list<const wchar_t*> names);
    ~StorageCards();
    StorageCards(const StorageCards&) = delete;
    StorageCards& operator=(const StorageCards&) = delete;

private:
    std::vector<std::wstring> folders_;
};

// The space the device reports for one card.
void SetCardSpace(const wchar_t* card, DWORD freeKB, DWORD totalKB);

}  // namespace systemtest
