// The documents folder of a volume: the device's "\My Documents" for the
// root, and a storage card's own "My Documents" folder when it has one.
#include "aygshell_private.h"

namespace {

const wchar_t kDocumentsName[] = L"My Documents";

bool IsFolder(const std::wstring& devicePath)
{
    DWORD attributes = GetFileAttributesW(ToHostPath(devicePath).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

extern "C" BOOL WINAPI SHGetDocumentsFolder(LPCWSTR pszVolume, LPWSTR pszDocs)
{
    if (!pszVolume || !pszDocs) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    pszDocs[0] = L'\0';
    std::wstring volume(pszVolume);
    while (volume.size() > 1 && volume.back() == L'\\')
        volume.pop_back();
    if (volume == L"\\")
        return CopyToBuffer(std::wstring(L"\\") + kDocumentsName, pszDocs, MAX_PATH);

    // A volume is a folder right below the root: "\<card>".
    if (volume.size() < 2 || volume[0] != L'\\' || volume.find_first_of(L"\\/:", 1) != std::wstring::npos ||
        !IsFolder(volume)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    std::wstring documents = volume + L"\\" + kDocumentsName;
    if (!IsFolder(documents)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    return CopyToBuffer(documents, pszDocs, MAX_PATH);
}
