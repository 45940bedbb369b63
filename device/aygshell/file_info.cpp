// File information with device paths; a text shortcut shows its target's icon.
#include "aygshell_private.h"

namespace {

constexpr UINT kIconFlags = SHGFI_ICON | SHGFI_SYSICONINDEX | SHGFI_ICONLOCATION;
constexpr UINT kOtherInfoFlags = SHGFI_DISPLAYNAME | SHGFI_TYPENAME | SHGFI_ATTRIBUTES | SHGFI_EXETYPE;

// The program or document a text shortcut runs, on the device drive.
bool ShortcutTarget(const std::wstring& shortcut, std::wstring* target)
{
    std::wstring command, path, args;
    if (!ReadShortcutCommand(shortcut, &command))
        return false;
    SplitCommand(command, &path, &args);
    std::wstring resolved = LowerExtension(path) == L".exe" ? ResolveProgram(path) : ToHostPath(path);
    if (!FileExists(resolved))
        return false;
    *target = resolved;
    return true;
}

} // namespace

// Exported as SHGetFileInfoW.
extern "C" DWORD_PTR WINAPI DevGetFileInfo(LPCWSTR pszPath, DWORD dwFileAttributes, SHFILEINFOW* psfi,
                                           UINT cbFileInfo, UINT uFlags)
{
    if (!pszPath || (uFlags & (SHGFI_PIDL | SHGFI_USEFILEATTRIBUTES)))
        return SHGetFileInfoW(pszPath, dwFileAttributes, psfi, cbFileInfo, uFlags);
    std::wstring host = ToHostPath(pszPath);
    std::wstring target;
    if (!(uFlags & kIconFlags) || LowerExtension(host) != L".lnk" || !ShortcutTarget(host, &target))
        return SHGetFileInfoW(host.c_str(), dwFileAttributes, psfi, cbFileInfo, uFlags);

    // The icon comes from the target; the rest still describes the shortcut.
    DWORD_PTR result = SHGetFileInfoW(target.c_str(), dwFileAttributes, psfi, cbFileInfo,
                                      uFlags & ~kOtherInfoFlags);
    if (psfi && (uFlags & kOtherInfoFlags)) {
        SHFILEINFOW own = {};
        if (SHGetFileInfoW(host.c_str(), dwFileAttributes, &own, sizeof(own), uFlags & ~kIconFlags)) {
            if (uFlags & SHGFI_DISPLAYNAME)
                memcpy(psfi->szDisplayName, own.szDisplayName, sizeof(own.szDisplayName));
            if (uFlags & SHGFI_TYPENAME)
                memcpy(psfi->szTypeName, own.szTypeName, sizeof(own.szTypeName));
            if (uFlags & SHGFI_ATTRIBUTES)
                psfi->dwAttributes = own.dwAttributes;
        }
    }
    return result;
}
