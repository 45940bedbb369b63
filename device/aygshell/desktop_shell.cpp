// Calls into shell32, loaded once on first use.  A shell32 that cannot be
// loaded makes each call fail as the function itself fails.
#include "desktop_shell.h"

namespace {

using ShellExecuteExFn = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
using ExtractIconExFn = UINT(WINAPI*)(LPCWSTR, int, HICON*, HICON*, UINT);
using GetFileInfoFn = DWORD_PTR(WINAPI*)(LPCWSTR, DWORD, SHFILEINFOW*, UINT, UINT);

struct DesktopShell {
    ShellExecuteExFn shellExecuteEx = nullptr;
    ExtractIconExFn extractIconEx = nullptr;
    GetFileInfoFn getFileInfo = nullptr;
};

template <typename Fn>
Fn Find(HMODULE library, const char* name)
{
    return library ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(library, name))) : nullptr;
}

// Loaded for the rest of the process: the functions may hand out icons and
// process handles that outlive any one call.
const DesktopShell& Shell()
{
    static const DesktopShell shell = [] {
        DesktopShell loaded;
        HMODULE library = ::LoadLibraryW(L"shell32.dll");
        loaded.shellExecuteEx = Find<ShellExecuteExFn>(library, "ShellExecuteExW");
        loaded.extractIconEx = Find<ExtractIconExFn>(library, "ExtractIconExW");
        loaded.getFileInfo = Find<GetFileInfoFn>(library, "SHGetFileInfoW");
        return loaded;
    }();
    return shell;
}

}  // namespace

BOOL DesktopShellExecuteEx(SHELLEXECUTEINFOW* info)
{
    if (!Shell().shellExecuteEx) {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    return Shell().shellExecuteEx(info);
}

UINT DesktopExtractIconEx(LPCWSTR file, int index, HICON* large, HICON* small, UINT icons)
{
    return Shell().extractIconEx ? Shell().extractIconEx(file, index, large, small, icons) : 0;
}

DWORD_PTR DesktopGetFileInfo(LPCWSTR path, DWORD attributes, SHFILEINFOW* info, UINT infoSize, UINT flags)
{
    return Shell().getFileInfo ? Shell().getFileInfo(path, attributes, info, infoSize, flags) : 0;
}
