// \Windows\wceload.exe, the device's installer: installs a setup cabinet.
//
//   wceload.exe [/noaskdest] [/noui] [/nodelete | /delete 0|1] <cabinet>
//
// When a storage card is in, it asks whether the application goes to the
// default location (No puts its programs on the card), unless /noaskdest or
// /noui.  A cabinet that cannot be installed is reported in a message box
// (not with /noui) and leaves the device as it was.  An installed cabinet is
// deleted, as the device does with the cabinets it was given, unless
// /nodelete or /delete 0.  Exit code: 0 installed, 1 failed.
#include "app_manager.h"
#include "devlog.h"

#include <shellapi.h>
#include <strsafe.h>

#include <string>

namespace {

const wchar_t kCaption[] = L"Installation";

struct Arguments {
    bool askDestination = true;
    bool ui = true;
    bool deleteCabinet = true;
    std::wstring cabinet;
};

bool ParseArguments(Arguments* args)
{
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv)
        return false;
    for (int i = 1; i < count; ++i) {
        std::wstring arg = argv[i];
        if (_wcsicmp(arg.c_str(), L"/noaskdest") == 0)
            args->askDestination = false;
        else if (_wcsicmp(arg.c_str(), L"/noui") == 0)
            args->ui = false;
        else if (_wcsicmp(arg.c_str(), L"/nodelete") == 0)
            args->deleteCabinet = false;
        else if (_wcsicmp(arg.c_str(), L"/delete") == 0 && i + 1 < count)
            args->deleteCabinet = wcscmp(argv[++i], L"0") != 0;
        else if (args->cabinet.empty())
            args->cabinet = arg;
    }
    LocalFree(argv);
    return !args->cabinet.empty();
}

std::wstring FileName(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// The first storage card the device has in, or "" when none is.
std::wstring StorageCard()
{
    wchar_t names[512] = L"";
    DWORD size = sizeof(names) - 2 * sizeof(wchar_t);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, DEVICE_STATE_KEY, L"StorageCards", RRF_RT_REG_SZ | RRF_RT_REG_MULTI_SZ,
                     nullptr, names, &size) != ERROR_SUCCESS)
        return std::wstring();
    std::wstring first = names;
    first = first.substr(0, first.find(L';'));
    while (!first.empty() && first.front() == L'\\')
        first.erase(0, 1);
    if (!IsPlainName(first))
        return std::wstring();
    DWORD attributes = GetFileAttributesW(DeviceFilePath(L"\\" + first).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::wstring();
    return first;
}

// Text broken into lines of at most `width` characters at blanks, so a
// message box fits the device's narrow screen.
std::wstring Wrapped(const std::wstring& text, size_t width)
{
    std::wstring out;
    size_t line = 0;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find(L' ', at);
        std::wstring word = text.substr(at, end == std::wstring::npos ? std::wstring::npos : end - at);
        if (line > 0 && line + 1 + word.size() > width) {
            out += L'\n';
            line = 0;
        } else if (line > 0) {
            out += L' ';
            ++line;
        }
        out += word;
        line += word.size();
        at = end == std::wstring::npos ? text.size() : end + 1;
    }
    return out;
}

int Failed(const Arguments& args, const std::wstring& what, const std::wstring& why)
{
    DevLog(L"install", L"%ls: %ls", what.c_str(), why.c_str());
    if (args.ui) {
        const size_t kLineChars = 30;
        wchar_t text[512];
        StringCchPrintfW(text, ARRAYSIZE(text), L"Installation of %ls\nwas unsuccessful.\n\n%ls.",
                         FileName(args.cabinet).c_str(), Wrapped(why, kLineChars).c_str());
        MessageBoxW(nullptr, text, kCaption, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    }
    return 1;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    Arguments args;
    if (!ParseArguments(&args)) {
        DevLog(L"install", L"no cabinet given");
        return 1;
    }
    SetupCabinet cabinet;
    std::wstring why;
    if (!LoadSetupCabinet(args.cabinet, &cabinet, &why))
        return Failed(args, FileName(args.cabinet), why);
    const std::wstring application = cabinet.info.application;

    std::wstring programFiles = kDefaultProgramFiles;
    std::wstring card = args.ui && args.askDestination ? StorageCard() : std::wstring();
    if (!card.empty()) {
        wchar_t question[256];
        // Two lines and two buttons: the box fits the device's narrow screen.
        StringCchPrintfW(question, ARRAYSIZE(question), L"Install %ls\nto the default location?",
                         application.c_str());
        int answer = MessageBoxW(nullptr, question, application.c_str(), MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND);
        if (answer == IDNO)
            programFiles = L"\\" + card + kDefaultProgramFiles;
    }

    InstallPlan plan;
    if (!PlanInstallation(cabinet, programFiles, &plan, &why) || !CarryOutInstallation(plan, &why))
        return Failed(args, application, why);
    DevLog(L"install", L"%ls", application.c_str());
    if (args.deleteCabinet && !DeleteFileW(DeviceFilePath(args.cabinet).c_str()))
        DevLog(L"install", L"%ls: %ls kept (error %lu)", application.c_str(), args.cabinet.c_str(), GetLastError());
    return 0;
}
