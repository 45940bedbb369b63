// The small device programs (beam, browser, model-specific settings pages)
// and cplmain.cpl's own exports.
#include <gtest/gtest.h>

#include "cplext.h"

#include <set>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

const DWORD kWait = 15000;

// cplmain.cpl loaded into the test, released at the end.
class CplMainLibrary {
public:
    CplMainLibrary() : module_(LoadLibraryW(L"\\Windows\\cplmain.cpl")) {}
    ~CplMainLibrary()
    {
        if (module_)
            FreeLibrary(module_);
    }
    template <class Fn>
    Fn Get(const char* name) const
    {
        return module_ ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name))) : nullptr;
    }

private:
    HMODULE module_;
};

} // namespace

TEST(Irsquirt, RecordsTheFileItWouldBeam)
{
    DeviceLog log;
    DeviceProgram beam(L"\\Windows\\irsquirt.exe", L"\\My Documents\\Welcome.txt");
    DWORD exitCode = 99;
    ASSERT_TRUE(beam.WaitExit(kWait, &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_TRUE(log.HasLine(L"beam: \\My Documents\\Welcome.txt"));
}

TEST(Iexplore, ShowsAndRecordsTheAddress)
{
    DeviceLog log;
    DeviceProgram browser(L"\\Windows\\iexplore.exe", L"http://www.example.invalid/help.htm");
    HWND window = browser.WaitWindow(L"Internet Explorer", kWait);
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(log.HasLine(L"iexplore: http://www.example.invalid/help.htm"));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(browser.WaitExit(kWait));
}

TEST(SettingsPrograms, EachLogsAndShowsItsPageUntilClosed)
{
    const struct {
        const wchar_t* path;
        const wchar_t* log;
        const wchar_t* title;
    } programs[] = {
        {L"\\Windows\\backlight.exe", L"backlight: ", L"Backlight"},
        {L"\\Windows\\clock.exe", L"clock: ", L"Clock"},
        {L"\\Windows\\powerg.exe", L"powerg: ", L"Power"},
    };
    for (const auto& p : programs) {
        SCOPED_TRACE(p.path);
        DeviceLog log;
        DeviceProgram program(p.path, L"");
        HWND window = program.WaitWindow(p.title, kWait);
        ASSERT_NE(nullptr, window);
        EXPECT_TRUE(log.HasLine(p.log));
        EXPECT_FALSE(program.WaitExit(300));
        PostMessageW(window, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(program.WaitExit(kWait));
    }
}

TEST(CplMain, PromptForPasswdIsRecordedAndGranted)
{
    CplMainLibrary cplmain;
    auto prompt = cplmain.Get<BOOL(WINAPI*)(HWND, BOOL)>("PromptForPasswd");
    ASSERT_NE(nullptr, prompt);
    DeviceLog log;
    EXPECT_TRUE(prompt(nullptr, TRUE));
    EXPECT_TRUE(log.HasLine(L"cplmain: PromptForPasswd 1"));
}

TEST(CplMain, ListsTheSystemPagesAndOpensOneInTheControlPanel)
{
    CplMainLibrary cplmain;
    auto applet = cplmain.Get<APPLET_PROC>("CPlApplet");
    ASSERT_NE(nullptr, applet);
    ASSERT_EQ(1, applet(nullptr, CPL_INIT, 0, 0));
    LONG count = applet(nullptr, CPL_GETCOUNT, 0, 0);
    ASSERT_EQ(19, count);

    std::set<std::wstring> names;
    int ownerEntry = -1;
    for (int i = 0; i < count; ++i) {
        NEWCPLINFO info;
        memset(&info, 0xCC, sizeof(info));
        ASSERT_EQ(0, applet(nullptr, CPL_NEWINQUIRE, i, reinterpret_cast<LPARAM>(&info)));
        EXPECT_EQ(sizeof(NEWCPLINFO), info.dwSize);
        EXPECT_NE(nullptr, info.hIcon);
        ASSERT_LT(wcsnlen(info.szName, 32), 32u);
        names.insert(info.szName);
        wchar_t idName[32];
        ASSERT_EQ(0, applet(nullptr, CPL_IDNAME, i, reinterpret_cast<LPARAM>(idName)));
        EXPECT_STREQ(info.szName, idName);
        if (wcscmp(info.szName, L"Owner Information") == 0)
            ownerEntry = i;
    }
    EXPECT_EQ((size_t)count, names.size()) << "every entry has a name of its own";
    NEWCPLINFO beyond = {};
    EXPECT_NE(0, applet(nullptr, CPL_NEWINQUIRE, count, reinterpret_cast<LPARAM>(&beyond)));
    ASSERT_GE(ownerEntry, 0);

    DeviceLog log;
    ASSERT_EQ(0, applet(nullptr, CPL_DBLCLK, ownerEntry, ownerEntry));
    EXPECT_TRUE(log.WaitFor(L"ctlpnl: cplmain.cpl 2,0", kWait));
    HWND page = nullptr;
    PumpUntil([&] { return (page = FindWindowW(L"DevicePage", L"Settings: Owner Information")) != nullptr; }, kWait);
    ASSERT_NE(nullptr, page);
    PostMessageW(page, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(page); }, kWait));
    applet(nullptr, CPL_EXIT, 0, 0);
}
