// The shell's special folders on the device.
#include "aygshell_private.h"

namespace {

struct SpecialFolder {
    int id;
    const wchar_t* path;
};

const SpecialFolder kFolders[] = {
    {CSIDL_PROGRAMS, L"\\Windows\\Start Menu\\Programs"},
    {CSIDL_PERSONAL, L"\\My Documents"},
    {CSIDL_FAVORITES, L"\\Windows\\Favorites"},
    {CSIDL_STARTUP, L"\\Windows\\StartUp"},
    {CSIDL_RECENT, L"\\Windows\\Recent"},
    {CSIDL_STARTMENU, L"\\Windows\\Start Menu"},
    {CSIDL_DESKTOPDIRECTORY, L"\\Windows\\Desktop"},
    {CSIDL_FONTS, L"\\Windows\\Fonts"},
    {CSIDL_APPDATA, L"\\Application Data"},
    {CSIDL_WINDOWS, L"\\Windows"},
    {CSIDL_PROGRAM_FILES, L"\\Program Files"},
};

constexpr int kCreateFlag = 0x8000;  // CSIDL_FLAG_CREATE

// Creates the folder and the folders above it on the device drive.
bool CreateFolderPath(const std::wstring& devicePath)
{
    std::wstring host = ToHostPath(devicePath);
    for (size_t pos = host.find(L'\\', 3); ; pos = host.find(L'\\', pos + 1)) {
        std::wstring part = host.substr(0, pos);
        if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
        if (pos == std::wstring::npos)
            return true;
    }
}

} // namespace

// Exported as SHGetSpecialFolderPathW.
extern "C" BOOL WINAPI DevGetSpecialFolderPath(HWND /*hwndOwner*/, LPWSTR lpszPath, int nFolder, BOOL fCreate)
{
    if (!lpszPath) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    lpszPath[0] = L'\0';
    if (nFolder & kCreateFlag)
        fCreate = TRUE;
    int id = nFolder & 0xFF;
    for (const SpecialFolder& folder : kFolders) {
        if (folder.id != id)
            continue;
        if (fCreate && !CreateFolderPath(folder.path))
            return FALSE;
        return CopyToBuffer(folder.path, lpszPath, MAX_PATH);
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
}
