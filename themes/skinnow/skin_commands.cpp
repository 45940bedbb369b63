// The skin menu's commands: apply a skin to the media player (restarting a
// running player when the user agrees) and delete a skin's folder.
#include "skinnow_wnd.h"

#include <strsafe.h>

namespace {

const wchar_t kParametersKey[] = L"SOFTWARE\\Microsoft\\Windows Media Player 8\\Parameters";
const wchar_t kPlayer[] = L"\\Windows\\Player.exe";
const wchar_t kPlayerTitle[] = L"Windows Media";
// How long an ended player may take to go before a new one starts (it would
// find the dying window and leave).
const DWORD kPlayerEndWaitMs = 5000;

bool WriteText(HKEY key, const wchar_t* name, const wchar_t* text)
{
    return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                            static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

// Ends the running player's process and waits (bounded) until it is gone.
void EndPlayer(HWND player)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(player, &processId);
    HANDLE process = processId ? ::OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId) : nullptr;
    if (!process)
        return;
    if (::TerminateProcess(process, static_cast<UINT>(-1)))
        ::WaitForSingleObject(process, kPlayerEndWaitMs);
    ::CloseHandle(process);
}

} // namespace

void CSkinnowWnd::Apply()
{
    WCHAR folder[MAX_PATH];
    StringCchCopyW(folder, MAX_PATH, m_szSkin);
    if (wchar_t* slash = wcsrchr(folder, L'\\'))
        *slash = L'\0';
    HKEY key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kParametersKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    bool written = WriteText(key, L"SkinDir", folder) && WriteText(key, L"SkinFile", m_szName);
    ::RegCloseKey(key);
    if (!written)
        return;
    if (HWND player = ::FindWindowW(nullptr, kPlayerTitle)) {
        if (::MessageBoxW(m_hWnd, L"To apply the skin, Need to restart the Player. Do you want to restart it?",
                          L"Apply", MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        EndPlayer(player);
    }
    CSH::Execute(kPlayer);
}

// The skin's folder: its plain files, then the folder itself (nothing below
// it is touched); the thumbnail goes once the skin file is gone.
void CSkinnowWnd::Delete()
{
    if (::MessageBoxW(m_hWnd, L"Are you sure to delete this skin file?", L"Delete", MB_YESNO | MB_ICONQUESTION) !=
        IDYES)
        return;
    WCHAR folder[MAX_PATH], pattern[MAX_PATH];
    StringCchCopyW(folder, MAX_PATH, m_szSkin);
    wchar_t* slash = wcsrchr(folder, L'\\');
    if (!slash)
        return;
    *slash = L'\0';
    if (SUCCEEDED(StringCchPrintfW(pattern, MAX_PATH, L"%ls\\*", folder))) {
        WIN32_FIND_DATAW found;
        HANDLE search = ::FindFirstFileW(pattern, &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                WCHAR file[MAX_PATH];
                if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
                    FAILED(StringCchPrintfW(file, MAX_PATH, L"%ls\\%ls", folder, found.cFileName)))
                    continue;
                ::SetFileAttributesW(file, FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(file);
            } while (::FindNextFileW(search, &found));
            ::FindClose(search);
        }
    }
    ::SetFileAttributesW(folder, FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryW(folder);
    if (::GetFileAttributesW(m_szSkin) == INVALID_FILE_ATTRIBUTES) {
        CThumbLoader::CLock lock(m_loader);
        if (CThumbList* list = List())
            list->RemoveItem(m_nSelected);
        m_nSelected = -1;
    }
    Draw();
}
