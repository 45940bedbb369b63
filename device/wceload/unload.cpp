// \Windows\unload.exe, the device's remover of installed applications:
//
//   unload.exe "<provider> <application>"
//
// removes the recorded application as Remove Programs does, without asking.
// Exit code: 0 removed, 1 no such application.
#include "app_manager.h"
#include "devlog.h"

#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring name = argv && count >= 2 ? argv[1] : L"";
    if (argv)
        LocalFree(argv);
    std::wstring why;
    if (name.empty() || !RemoveApplication(name, &why)) {
        DevLog(L"uninstall", L"%ls: %ls", name.c_str(), name.empty() ? L"no application given" : why.c_str());
        return 1;
    }
    return 0;
}
