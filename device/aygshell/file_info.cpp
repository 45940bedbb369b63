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

// A program's or library's own first icon.  The desktop shell of a
// headless prefix answers every file with its document icon, so the
// device's shell takes programs' icons from the programs themselves.
HICON OwnIcon(const std::wstring& file, bool small)
{
    const std::wstring ext = LowerExtension(file);
    if (ext != L".exe" && ext != L".dll" && ext != L".cpl")
        return nullptr;
    HICON large = nullptr;
    HICON smallIcon = nullptr;
    if (desktop_shell::ExtractIcons(file.c_str(), 0, small ? nullptr : &large, small ? &smallIcon : nullptr, 1) == 0)
        return nullptr;
    return small ? smallIcon : large;
}

constexpr UINT kIconSizeFlags = SHGFI_SMALLICON | SHGFI_LARGEICON | SHGFI_SHELLICONSIZE | SHGFI_OPENICON |
                                SHGFI_SELECTED | SHGFI_LINKOVERLAY;

// The icon from the program itself, the rest of the information from the
// desktop shell; 0 when the program has no icon of its own.
DWORD_PTR OwnIconInfo(const std::wstring& iconFile, const std::wstring& describedFile, DWORD attributes,
                      SHFILEINFOW* psfi, UINT cbFileInfo, UINT uFlags)
{
    if (!(uFlags & SHGFI_ICON) || (uFlags & (SHGFI_SYSICONINDEX | SHGFI_ICONLOCATION)) || !psfi ||
        cbFileInfo < sizeof(SHFILEINFOW))
        return 0;
    HICON icon = OwnIcon(iconFile, (uFlags & SHGFI_SMALLICON) != 0);
    if (!icon)
        return 0;
    DWORD_PTR result = TRUE;
    const UINT rest = uFlags & ~(SHGFI_ICON | kIconSizeFlags);
    if (rest) {
        result = desktop_shell::GetFileInfo(describedFile.c_str(), attributes, psfi, cbFileInfo, rest);
        if (!result) {
            DestroyIcon(icon);
            return 0;
        }
    }
    psfi->hIcon = icon;
    psfi->iIcon = 0;
    return result;
}

} // namespace

// Exported as SHGetFileInfoW.
extern "C" DWORD_PTR WINAPI DevGetFileInfo(LPCWSTR pszPath, DWORD dwFileAttributes, SHFILEINFOW* psfi,
                                           UINT cbFileInfo, UINT uFlags)
{
    if (!pszPath || (uFlags & (SHGFI_PIDL | SHGFI_USEFILEATTRIBUTES)))
        return desktop_shell::GetFileInfo(pszPath, dwFileAttributes, psfi, cbFileInfo, uFlags);
    std::wstring host = ToHostPath(pszPath);
    std::wstring target;
    if (!(uFlags & kIconFlags) || LowerExtension(host) != L".lnk" || !ShortcutTarget(host, &target)) {
        if (DWORD_PTR own = OwnIconInfo(host, host, dwFileAttributes, psfi, cbFileInfo, uFlags))
            return own;
        return desktop_shell::GetFileInfo(host.c_str(), dwFileAttributes, psfi, cbFileInfo, uFlags);
    }
    if (DWORD_PTR own = OwnIconInfo(target, host, dwFileAttributes, psfi, cbFileInfo, uFlags))
        return own;

    // The icon comes from the target; the rest still describes the shortcut.
    DWORD_PTR result =
        desktop_shell::GetFileInfo(target.c_str(), dwFileAttributes, psfi, cbFileInfo, uFlags & ~kOtherInfoFlags);
    if (psfi && (uFlags & kOtherInfoFlags)) {
        SHFILEINFOW own = {};
        if (desktop_shell::GetFileInfo(host.c_str(), dwFileAttributes, &own, sizeof(own), uFlags & ~kIconFlags)) {
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
