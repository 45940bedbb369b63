#include "host_fixture.h"

const wchar_t kHost[] = L"\\Program Files\\ZARQ\\Ketra\\Ketra.exe";
const wchar_t kOptions[] = L"HKLM\\SOFTWARE\\ZARQ\\KETRA\\OPTIONS";
const wchar_t kProbeState[] = L"SOFTWARE\\ZARQ\\PROBE";

namespace {

std::wstring WithoutLineEnd(std::wstring text)
{
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r'))
        text.pop_back();
    return text;
}

}  // namespace

std::wstring Num(long long value)
{
    return std::to_wstring(value);
}

int LogCount(const std::wstring& text)
{
    DevctlResult log = RunDevctl({L"log"});
    int count = 0;
    for (size_t at = log.out.find(text); at != std::wstring::npos; at = log.out.find(text, at + 1))
        ++count;
    return count;
}

std::wstring Send(UINT message, long long wParam, long long lParam)
{
    return WithoutLineEnd(RunDevctl({L"send", L"KETRA_CLASS", Num(message), Num(wParam), Num(lParam)}).out);
}

std::wstring CurrentApplet()
{
    return WithoutLineEnd(RunDevctl({L"reg", L"get", kOptions, L"CurrentApplet"}).out);
}

HWND FindBar()
{
    return FindWindowW(L"KETRA_CLASS", nullptr);
}

RECT BarRect()
{
    RECT rect = {};
    HWND bar = FindBar();
    if (bar)
        GetWindowRect(bar, &rect);
    return rect;
}

HWND FindAppletWindow(LPCWSTR className)
{
    HWND bar = FindBar();
    return bar ? FindWindowExW(bar, nullptr, className, nullptr) : nullptr;
}

void SetMachineDword(LPCWSTR key, LPCWSTR name, DWORD value)
{
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, name, REG_DWORD, &value, sizeof(value));
}

void SetMachineText(LPCWSTR key, LPCWSTR name, LPCWSTR value)
{
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, name, REG_SZ, value,
                    static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
}

void DeleteMachineValue(LPCWSTR key, LPCWSTR name)
{
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key, name);
}

TemporaryApplet::TemporaryApplet(const std::wstring& name, const std::wstring& dll, DWORD order, LPCWSTR group)
    : key(L"SOFTWARE\\ZARQ\\APPLETS\\" + name)
{
    SetMachineDword(key.c_str(), L"Type", 0);
    SetMachineDword(key.c_str(), L"Options", 0);
    SetMachineDword(key.c_str(), L"Order", order);
    SetMachineDword(key.c_str(), L"Enabled", 1);
    SetMachineText(key.c_str(), L"DLL", dll.c_str());
    SetMachineText(key.c_str(), L"Group", group);
}

TemporaryApplet::~TemporaryApplet()
{
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
}

void HostTest::SetUp()
{
    RunDevctl({L"reg", L"set", kOptions, L"CurrentApplet", L"sz", L"About"});
    RunDevctl({L"reg", L"set", kOptions, L"WinMode", L"dword", L"0"});
    RunDevctl({L"reg", L"set", kOptions, L"AutoClose", L"dword", L"0"});
    DeleteMachineValue(kProbeState, L"Height");
}

void HostTest::Start()
{
    ASSERT_EQ(0u, RunDevctl({L"exec", kHost}).exitCode);
    ASSERT_EQ(0u, RunDevctl({L"wait", L"KETRA_CLASS", L"15000"}).exitCode);
    PumpMessages(500);
}

void HostTest::TearDown()
{
    // Command 1 closes the program; wait until its window is gone.
    RunDevctl({L"post", L"KETRA_CLASS", L"273", L"1", L"0"});
    PumpUntil([] { return RunDevctl({L"send", L"KETRA_CLASS", L"0", L"0", L"0"}).exitCode != 0; }, 10000);
}
