// The library's module and the file helpers its functions share.
#include "tessary_private.h"

#include <wchar.h>

namespace {

HINSTANCE g_module = nullptr;
const int kCopyAttempts = 20;
const DWORD kCopyRetryMs = 25;

bool SameFile(const wchar_t* a, const wchar_t* b)
{
    wchar_t fullA[MAX_PATH];
    wchar_t fullB[MAX_PATH];
    DWORD lengthA = GetFullPathNameW(a, MAX_PATH, fullA, nullptr);
    DWORD lengthB = GetFullPathNameW(b, MAX_PATH, fullB, nullptr);
    return lengthA > 0 && lengthA < MAX_PATH && lengthB > 0 && lengthB < MAX_PATH && _wcsicmp(fullA, fullB) == 0;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

HINSTANCE TessaryModule()
{
    return g_module;
}

bool TessaryFolder(wchar_t* out, size_t cch)
{
    if (!out || cch == 0)
        return false;
    DWORD length = GetModuleFileNameW(g_module, out, static_cast<DWORD>(cch));
    if (length == 0 || length >= cch) {
        out[0] = L'\0';
        return false;
    }
    wchar_t* slash = wcsrchr(out, L'\\');
    if (!slash) {
        out[0] = L'\0';
        return false;
    }
    slash[1] = L'\0';
    return true;
}

bool CopyThemeFile(const wchar_t* source, const wchar_t* destination)
{
    if (!source || !*source || !destination || !*destination)
        return false;
    if (SameFile(source, destination))
        return GetFileAttributesW(source) != INVALID_FILE_ATTRIBUTES;
    // The shell reads the files in force now and then: a copy it gets in
    // the way of is tried again shortly.
    for (int attempt = 0;; ++attempt) {
        if (CopyFileW(source, destination, FALSE))
            break;
        DWORD error = GetLastError();
        if ((error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) || attempt >= kCopyAttempts)
            return false;
        Sleep(kCopyRetryMs);
    }
    SetFileAttributesW(destination, FILE_ATTRIBUTE_NORMAL);
    return true;
}

bool DeleteThemeFile(const wchar_t* path)
{
    if (!path || !*path)
        return false;
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES)
        return true;
    SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(path) != 0;
}
