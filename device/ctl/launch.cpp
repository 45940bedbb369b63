// `exec PATH [ARGS]`: starts a program, or opens a document or shortcut, on
// the device with D:\ as the current directory.
#include "devctl.h"

#include <objbase.h>
#include <shellapi.h>

namespace {

// Quotes one argument so that the started program's command-line parser
// gives it back unchanged (backslashes before a quote are doubled).
std::wstring QuoteArgument(const std::wstring& arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos)
        return arg;
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    out += L'"';
    return out;
}

// The one place that knows how the device opens things; returns a Win32
// error code, 0 on success.
DWORD ExecuteOnDevice(const std::wstring& path, const std::wstring& parameters)
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = path.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.lpDirectory = L"D:\\";
    info.nShow = SW_SHOWNORMAL;
    // Shell extensions behind ShellExecuteEx may need COM on this thread.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    DWORD error = 0;
    if (!ShellExecuteExW(&info)) {
        error = GetLastError();
        if (!error)
            error = ERROR_FILE_NOT_FOUND;
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return error;
}

} // namespace

int CmdExec(const Args& args)
{
    if (args.empty() || args[0].empty())
        return kExitUsage;
    std::wstring parameters;
    for (size_t i = 1; i < args.size(); ++i) {
        if (i > 1)
            parameters += L' ';
        parameters += QuoteArgument(args[i]);
    }
    DWORD error = ExecuteOnDevice(args[0], parameters);
    if (error) {
        ErrLine(Format(L"devctl: cannot open %ls: %ls", args[0].c_str(), ErrorText(error).c_str()));
        return kExitFailed;
    }
    return kExitOk;
}
