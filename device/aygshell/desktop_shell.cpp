// shell32's few functions aygshell calls, looked up on first use.  The
// library stays loaded once loaded: its icons and process handles outlive
// any one call.
#include "desktop_shell.h"

#include "library_function.h"

namespace desktop_shell {
namespace {

HMODULE Library()
{
    static HMODULE library = ::LoadLibraryW(L"shell32.dll");
    return library;
}

template <typename Function>
Function Find(const char* name)
{
    return LibraryFunction<Function>(Library(), name);
}

}  // namespace

BOOL ExecuteEx(SHELLEXECUTEINFOW* info)
{
    static const auto execute = Find<BOOL(WINAPI*)(SHELLEXECUTEINFOW*)>("ShellExecuteExW");
    if (!execute) {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    return execute(info);
}

DWORD_PTR GetFileInfo(LPCWSTR path, DWORD attributes, SHFILEINFOW* info, UINT infoSize, UINT flags)
{
    static const auto get = Find<DWORD_PTR(WINAPI*)(LPCWSTR, DWORD, SHFILEINFOW*, UINT, UINT)>("SHGetFileInfoW");
    return get ? get(path, attributes, info, infoSize, flags) : 0;
}

UINT ExtractIcons(LPCWSTR file, int index, HICON* large, HICON* small, UINT icons)
{
    static const auto extract = Find<UINT(WINAPI*)(LPCWSTR, int, HICON*, HICON*, UINT)>("ExtractIconExW");
    return extract ? extract(file, index, large, small, icons) : 0;
}

}  // namespace desktop_shell
