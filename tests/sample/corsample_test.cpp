// The sample program end to end: it starts through CorWinMain, shows its
// window with a menu bar, counts taps, and ends with exit code 0 when its
// "Quit" command destroys the main window.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "corsample_ids.h"

namespace {

std::wstring SampleInOurFolder()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring self(path, length);
    return self.substr(0, self.find_last_of(L'\\') + 1) + L"corsample.exe";
}

struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindMenuBar(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<OwnedSearch*>(lParam);
    wchar_t className[32] = L"";
    GetClassNameW(hWnd, className, 32);
    if (GetWindow(hWnd, GW_OWNER) == search->owner && std::wstring(className) == L"menu_worker") {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForWindow(const wchar_t* className, DWORD ms)
{
    for (DWORD waited = 0; waited < ms; waited += 50) {
        if (HWND hWnd = FindWindowW(className, nullptr))
            return hWnd;
        Sleep(50);
    }
    return nullptr;
}

TEST(SampleProgramTest, RunsAndEndsFromItsQuitCommand)
{
    std::wstring path = SampleInOurFolder();
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));

    HWND main = WaitForWindow(L"CorSample", 30000);
    ASSERT_NE(nullptr, main);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(GetWindowLongW(main, GWL_STYLE) & WS_CAPTION);
    OwnedSearch search = {main, nullptr};
    EnumWindows(FindMenuBar, reinterpret_cast<LPARAM>(&search));
    EXPECT_NE(nullptr, search.found) << "no menu bar";

    PostMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 60));
    PostMessageW(main, WM_LBUTTONUP, 0, MAKELPARAM(40, 60));
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_QUIT, 0), 0);

    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 30000));
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(0u, exitCode);
    EXPECT_FALSE(IsWindow(main));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace
