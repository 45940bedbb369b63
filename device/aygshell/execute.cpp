// Shell execution of device paths: programs, text shortcuts, shell targets
// (":NAME") and documents.
#include "aygshell_private.h"

#include <devlog.h>

namespace {

constexpr int kMaxShortcutDepth = 4;  // a shortcut to a shortcut to ...
const HINSTANCE kStarted = (HINSTANCE)33;

HINSTANCE ErrorToInstance(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND: return (HINSTANCE)SE_ERR_FNF;
    case ERROR_PATH_NOT_FOUND: return (HINSTANCE)SE_ERR_PNF;
    case ERROR_ACCESS_DENIED: return (HINSTANCE)SE_ERR_ACCESSDENIED;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return (HINSTANCE)SE_ERR_OOM;
    case ERROR_BAD_EXE_FORMAT: return (HINSTANCE)ERROR_BAD_FORMAT;
    default: return (HINSTANCE)SE_ERR_NOASSOC;
    }
}

BOOL Fail(SHELLEXECUTEINFOW* info, DWORD error)
{
    info->hInstApp = ErrorToInstance(error);
    SetLastError(error);
    return FALSE;
}

std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

std::wstring JoinArgs(const std::wstring& first, const std::wstring& second)
{
    if (first.empty())
        return second;
    if (second.empty())
        return first;
    return first + L" " + second;
}

bool IsWebAddress(const std::wstring& file)
{
    return _wcsnicmp(file.c_str(), L"http://", 7) == 0 || _wcsnicmp(file.c_str(), L"https://", 8) == 0;
}

BOOL StartProcess(SHELLEXECUTEINFOW* info, const std::wstring& program, const std::wstring& args)
{
    std::wstring resolved = ResolveProgram(program);
    std::wstring commandLine = JoinArgs(Quoted(resolved), args);
    if (commandLine.size() >= 32767)
        return Fail(info, ERROR_FILENAME_EXCED_RANGE);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = (WORD)info->nShow;
    PROCESS_INFORMATION process = {};
    // A name still without a folder is left to the process search.
    const wchar_t* application = FileExists(resolved) ? resolved.c_str() : nullptr;
    if (!CreateProcessW(application, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, kDeviceRoot, &startup,
                        &process)) {
        DWORD error = GetLastError();
        DevLog(L"launch", L"failed: %ls (error %lu)", resolved.c_str(), error);
        return Fail(info, error);
    }
    CloseHandle(process.hThread);
    if (info->fMask & SEE_MASK_NOCLOSEPROCESS)
        info->hProcess = process.hProcess;
    else
        CloseHandle(process.hProcess);
    info->hInstApp = kStarted;
    return TRUE;
}

// Anything the device does not handle itself: the desktop shell's
// associations, on the device drive.
BOOL DesktopShell(SHELLEXECUTEINFOW* info, const std::wstring& file)
{
    SHELLEXECUTEINFOW forwarded = *info;
    std::wstring host = ToHostPath(file);
    forwarded.lpFile = host.c_str();
    forwarded.lpDirectory = kDeviceRoot;
    BOOL ok = desktop_shell::ExecuteEx(&forwarded);
    DWORD error = GetLastError();
    info->hInstApp = forwarded.hInstApp;
    info->hProcess = forwarded.hProcess;
    if (!ok) {
        DevLog(L"launch", L"failed: %ls (error %lu)", file.c_str(), error);
        SetLastError(error);
    }
    return ok;
}

BOOL OpenWithProgram(SHELLEXECUTEINFOW* info, const wchar_t* program, const std::wstring& document,
                     const std::wstring& args)
{
    return StartProcess(info, program, JoinArgs(Quoted(document), args));
}

// A shell target (":MSCONTACTS"): the command line registered as value "1"
// of HKLM "Software\Microsoft\Shell\Rai\<target>".
bool ReadTargetCommand(const std::wstring& target, std::wstring* command)
{
    if (target.size() > 200)
        return false;
    std::wstring key = L"Software\\Microsoft\\Shell\\Rai\\" + target;
    wchar_t text[MAX_PATH * 2] = {};
    DWORD cb = sizeof(text) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"1", RRF_RT_REG_SZ, nullptr, text, &cb) != ERROR_SUCCESS)
        return false;
    *command = text;
    return !command->empty();
}

BOOL Execute(SHELLEXECUTEINFOW* info, std::wstring file, const std::wstring& args, int depth)
{
    if (file.size() >= 2 && file.front() == L'"' && file.back() == L'"')
        file = file.substr(1, file.size() - 2);
    if (file.empty())
        return Fail(info, ERROR_FILE_NOT_FOUND);

    bool plainOpen = !info->lpVerb || !*info->lpVerb || _wcsicmp(info->lpVerb, L"open") == 0;
    if (!plainOpen || (info->fMask & (SEE_MASK_CLASSNAME | SEE_MASK_CLASSKEY | SEE_MASK_IDLIST)))
        return DesktopShell(info, file);

    if (IsWebAddress(file)) {
        if (FileExists(ResolveProgram(L"iexplore.exe")))
            return StartProcess(info, L"iexplore.exe", JoinArgs(file, args));
        return DesktopShell(info, file);
    }

    if (file[0] == L':') {
        std::wstring command, target, targetArgs;
        if (!ReadTargetCommand(file, &command))
            return Fail(info, ERROR_FILE_NOT_FOUND);
        if (depth >= kMaxShortcutDepth)
            return Fail(info, ERROR_TOO_MANY_LINKS);
        SplitCommand(command, &target, &targetArgs);
        return Execute(info, target, JoinArgs(targetArgs, args), depth + 1);
    }

    std::wstring ext = LowerExtension(file);
    if (ext == L".lnk") {
        std::wstring command, target, targetArgs;
        if (!ReadShortcutCommand(file, &command))
            return Fail(info, FileExists(ToHostPath(file)) ? ERROR_BAD_FORMAT : ERROR_FILE_NOT_FOUND);
        if (depth >= kMaxShortcutDepth)
            return Fail(info, ERROR_TOO_MANY_LINKS);
        SplitCommand(command, &target, &targetArgs);
        return Execute(info, target, JoinArgs(targetArgs, args), depth + 1);
    }
    if (ext == L".exe" || (ext.empty() && FileExists(ResolveProgram(file + L".exe"))))
        return StartProcess(info, ext.empty() ? file + L".exe" : file, args);
    if (ext == L".cab")
        return OpenWithProgram(info, L"wceload.exe", file, args);
    if (ext == L".cpl")
        return StartProcess(info, L"ctlpnl.exe", JoinArgs(file, args));
    if ((ext == L".htm" || ext == L".html") && FileExists(ResolveProgram(L"iexplore.exe")))
        return OpenWithProgram(info, L"iexplore.exe", file, args);
    if (ext == L".txt")
        return OpenWithProgram(info, FileExists(ResolveProgram(L"pword.exe")) ? L"pword.exe" : L"notepad.exe",
                               file, args);
    return DesktopShell(info, file);
}

} // namespace

extern "C" BOOL WINAPI SHExecuteDevice(SHELLEXECUTEINFOW* info)
{
    if (!info || info->cbSize != sizeof(SHELLEXECUTEINFOW)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    info->hInstApp = nullptr;
    if (info->fMask & SEE_MASK_NOCLOSEPROCESS)
        info->hProcess = nullptr;
    std::wstring file = info->lpFile ? info->lpFile : L"";
    std::wstring args = info->lpParameters ? info->lpParameters : L"";
    if (args.empty())
        DevLog(L"launch", L"%ls", file.c_str());
    else
        DevLog(L"launch", L"%ls %ls", file.c_str(), args.c_str());
    return Execute(info, file, args, 0);
}

// The plain form, for callers that use it.
extern "C" HINSTANCE WINAPI DevShellExecuteW(HWND hwnd, LPCWSTR verb, LPCWSTR file, LPCWSTR params,
                                             LPCWSTR /*directory*/, INT show)
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.hwnd = hwnd;
    info.lpVerb = verb;
    info.lpFile = file;
    info.lpParameters = params;
    info.nShow = show;
    SHExecuteDevice(&info);
    return info.hInstApp;
}
