#include "appmgr.h"

#include "desk_log.h"

bool SendCabinet(const std::wstring& deviceRoot, const Component& component, std::wstring* why)
{
    std::wstring root = deviceRoot;
    if (!root.empty() && root.back() != L'\\')
        root += L'\\';
    DWORD attributes = GetFileAttributesW((root + L"Windows").c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        *why = L"No device is connected.";
        return false;
    }
    std::wstring inbox = root + L"Windows\\AppMgr";
    CreateDirectoryW(inbox.c_str(), nullptr);
    inbox += L"\\Install\\";
    CreateDirectoryW(inbox.c_str(), nullptr);
    const std::wstring name = component.cabinet.substr(component.cabinet.find_last_of(L"\\/") + 1);
    const std::wstring part = inbox + name + L".part";
    if (!CopyFileW(component.cabinet.c_str(), part.c_str(), FALSE) ||
        !MoveFileExW(part.c_str(), (inbox + name).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD error = GetLastError();
        DeleteFileW(part.c_str());
        *why = L"The cabinet of " + component.name + L" could not be copied to the device.";
        DeskLog(L"appmgr", L"%ls not sent (error %lu)", name.c_str(), error);
        return false;
    }
    DeskLog(L"appmgr", L"%ls sent to the device", name.c_str());
    return true;
}
