// The object store's ROM in the file functions: a file that only ROM holds
// is listed and queried as read-only and "in ROM", opens and copies as its
// ROM copy, and refuses to be deleted, renamed or changed.  Writing its name
// makes a RAM file that shadows it; deleting or renaming that RAM file
// uncovers the ROM copy again.  (Listings: find_files.cpp.)
#include "coredll_private.h"

#include <rom_files.h>

namespace {

using GetAttributesFn = DWORD(WINAPI*)(LPCWSTR);
using GetAttributesExFn = BOOL(WINAPI*)(LPCWSTR, GET_FILEEX_INFO_LEVELS, LPVOID);
using SetAttributesFn = BOOL(WINAPI*)(LPCWSTR, DWORD);
using CreateFileFn = HANDLE(WINAPI*)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
using CopyFileFn = BOOL(WINAPI*)(LPCWSTR, LPCWSTR, BOOL);
using DeleteFileFn = BOOL(WINAPI*)(LPCWSTR);
using MoveFileFn = BOOL(WINAPI*)(LPCWSTR, LPCWSTR);
using MoveFileExFn = BOOL(WINAPI*)(LPCWSTR, LPCWSTR, DWORD);

template <typename Fn>
Fn Kernel(const char* name)
{
    return RealFunction<Fn>(L"kernel32.dll", name);
}

GetAttributesFn RealGetAttributes()
{
    static const GetAttributesFn real = Kernel<GetAttributesFn>("GetFileAttributesW");
    return real;
}

// Access that would change a file.
const DWORD kWriteAccess = GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA |
                           FILE_WRITE_ATTRIBUTES | DELETE | WRITE_DAC | WRITE_OWNER;

const DWORD kRomAttributes = FILE_ATTRIBUTE_INROM | FILE_ATTRIBUTE_READONLY;

bool RomOnly(LPCWSTR path, wchar_t* rom)
{
    return path && DevRomOnlyFile(path, rom, MAX_PATH);
}

bool RomOnly(LPCWSTR path)
{
    wchar_t rom[MAX_PATH];
    return RomOnly(path, rom);
}

// Whether the call that just failed found no such file (or folder).
bool MissingInRam()
{
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

template <typename Result>
Result Refuse(DWORD error, Result result)
{
    SetLastError(error);
    return result;
}

} // namespace

extern "C" DWORD WINAPI CoreGetFileAttributesW(LPCWSTR lpFileName)
{
    if (!RealGetAttributes())
        return Refuse(ERROR_PROC_NOT_FOUND, INVALID_FILE_ATTRIBUTES);
    DWORD attributes = RealGetAttributes()(lpFileName);
    wchar_t rom[MAX_PATH];
    if (attributes == INVALID_FILE_ATTRIBUTES && RomOnly(lpFileName, rom)) {
        DWORD romAttributes = RealGetAttributes()(rom);
        if (romAttributes != INVALID_FILE_ATTRIBUTES)
            return (romAttributes & ~FILE_ATTRIBUTE_ARCHIVE) | kRomAttributes;
    }
    return attributes;
}

extern "C" BOOL WINAPI CoreGetFileAttributesExW(LPCWSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId,
                                               LPVOID lpFileInformation)
{
    static const GetAttributesExFn real = Kernel<GetAttributesExFn>("GetFileAttributesExW");
    if (!real)
        return Refuse(ERROR_PROC_NOT_FOUND, FALSE);
    if (real(lpFileName, fInfoLevelId, lpFileInformation))
        return TRUE;
    wchar_t rom[MAX_PATH];
    if (!RomOnly(lpFileName, rom) || !real(rom, fInfoLevelId, lpFileInformation))
        return FALSE;
    if (fInfoLevelId == GetFileExInfoStandard && lpFileInformation) {
        auto* data = static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(lpFileInformation);
        data->dwFileAttributes = (data->dwFileAttributes & ~FILE_ATTRIBUTE_ARCHIVE) | kRomAttributes;
    }
    return TRUE;
}

extern "C" BOOL WINAPI CoreSetFileAttributesW(LPCWSTR lpFileName, DWORD dwFileAttributes)
{
    static const SetAttributesFn real = Kernel<SetAttributesFn>("SetFileAttributesW");
    if (!real)
        return Refuse(ERROR_PROC_NOT_FOUND, FALSE);
    if (real(lpFileName, dwFileAttributes))
        return TRUE;
    if (MissingInRam() && RomOnly(lpFileName))
        return Refuse(ERROR_ACCESS_DENIED, FALSE);
    return FALSE;
}

extern "C" HANDLE WINAPI CoreCreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                                        LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                                        DWORD dwFlagsAndAttributes, HANDLE hTemplateFile)
{
    static const CreateFileFn real = Kernel<CreateFileFn>("CreateFileW");
    if (!real)
        return Refuse(ERROR_PROC_NOT_FOUND, INVALID_HANDLE_VALUE);
    wchar_t rom[MAX_PATH];
    // Creating a new file and opening one whether or not it exists must know
    // of the ROM first; the others ask it only when RAM has no such file.
    if (dwCreationDisposition == CREATE_NEW || dwCreationDisposition == OPEN_ALWAYS) {
        if (RomOnly(lpFileName, rom)) {
            if (dwCreationDisposition == CREATE_NEW)
                return Refuse(ERROR_FILE_EXISTS, INVALID_HANDLE_VALUE);
            if (dwDesiredAccess & kWriteAccess)
                return Refuse(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
            return real(rom, dwDesiredAccess, dwShareMode | FILE_SHARE_READ, lpSecurityAttributes, OPEN_EXISTING,
                        dwFlagsAndAttributes, hTemplateFile);
        }
        return real(lpFileName, dwDesiredAccess, dwShareMode, lpSecurityAttributes, dwCreationDisposition,
                    dwFlagsAndAttributes, hTemplateFile);
    }
    // CREATE_ALWAYS makes a RAM file of the name, shadowing a ROM one.
    HANDLE file = real(lpFileName, dwDesiredAccess, dwShareMode, lpSecurityAttributes, dwCreationDisposition,
                       dwFlagsAndAttributes, hTemplateFile);
    if (file != INVALID_HANDLE_VALUE || dwCreationDisposition == CREATE_ALWAYS || !MissingInRam() ||
        !RomOnly(lpFileName, rom))
        return file;
    if (dwCreationDisposition != OPEN_EXISTING || (dwDesiredAccess & kWriteAccess))
        return Refuse(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    return real(rom, dwDesiredAccess, dwShareMode | FILE_SHARE_READ, lpSecurityAttributes, OPEN_EXISTING,
                dwFlagsAndAttributes, hTemplateFile);
}

// A copy of a ROM file is a plain RAM file.
extern "C" BOOL WINAPI CoreCopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists)
{
    static const CopyFileFn real = Kernel<CopyFileFn>("CopyFileW");
    static const SetAttributesFn setAttributes = Kernel<SetAttributesFn>("SetFileAttributesW");
    if (!real || !setAttributes)
        return Refuse(ERROR_PROC_NOT_FOUND, FALSE);
    if (bFailIfExists && RomOnly(lpNewFileName))
        return Refuse(ERROR_FILE_EXISTS, FALSE);
    if (real(lpExistingFileName, lpNewFileName, bFailIfExists))
        return TRUE;
    wchar_t rom[MAX_PATH];
    if (!MissingInRam() || !RomOnly(lpExistingFileName, rom))
        return FALSE;
    if (!real(rom, lpNewFileName, bFailIfExists))
        return FALSE;
    DWORD attributes = RealGetAttributes() ? RealGetAttributes()(lpNewFileName) : INVALID_FILE_ATTRIBUTES;
    if (attributes != INVALID_FILE_ATTRIBUTES)
        setAttributes(lpNewFileName, (attributes & ~FILE_ATTRIBUTE_READONLY) | FILE_ATTRIBUTE_ARCHIVE);
    return TRUE;
}

extern "C" BOOL WINAPI CoreDeleteFileW(LPCWSTR lpFileName)
{
    static const DeleteFileFn real = Kernel<DeleteFileFn>("DeleteFileW");
    if (!real)
        return Refuse(ERROR_PROC_NOT_FOUND, FALSE);
    if (real(lpFileName))
        return TRUE;
    if (MissingInRam() && RomOnly(lpFileName))
        return Refuse(ERROR_ACCESS_DENIED, FALSE);
    return FALSE;
}

// A ROM file cannot be moved; a RAM file may take the name of a ROM one,
// which it then shadows.
extern "C" BOOL WINAPI CoreMoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags)
{
    static const MoveFileExFn real = Kernel<MoveFileExFn>("MoveFileExW");
    if (!real)
        return Refuse(ERROR_PROC_NOT_FOUND, FALSE);
    if (real(lpExistingFileName, lpNewFileName, dwFlags))
        return TRUE;
    if (MissingInRam() && RomOnly(lpExistingFileName))
        return Refuse(ERROR_ACCESS_DENIED, FALSE);
    return FALSE;
}

extern "C" BOOL WINAPI CoreMoveFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName)
{
    static const MoveFileFn real = Kernel<MoveFileFn>("MoveFileW");
    if (!real)
        return Refuse(ERROR_PROC_NOT_FOUND, FALSE);
    if (real(lpExistingFileName, lpNewFileName))
        return TRUE;
    if (MissingInRam() && RomOnly(lpExistingFileName))
        return Refuse(ERROR_ACCESS_DENIED, FALSE);
    return FALSE;
}
