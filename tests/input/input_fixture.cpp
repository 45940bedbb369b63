#include "input_fixture.h"

#include <shellproto.h>

namespace inputtest {

using namespace testkit;

namespace {

const wchar_t kNotesProgram[] = L"\\Windows\\notes.exe";

std::vector<std::wstring>* g_names = nullptr;

int CollectName(IMENUMINFO* info)
{
    g_names->push_back(info->szName);
    return 1;
}

}  // namespace

Notes::Notes() : program_(kNotesProgram)
{
    window_ = program_.WaitWindow(L"Notes", 10000);
    if (window_)
        BringToFront();
}

Notes::~Notes()
{
    if (window_ && IsWindow(window_))
        PostMessageW(window_, WM_CLOSE, 0, 0);
    program_.WaitExit(5000);
}

HWND Notes::Edit() const
{
    return FindChild(window_, L"Edit");
}

std::wstring Notes::Text() const
{
    wchar_t text[512] = L"";
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(Edit(), WM_GETTEXT, ARRAYSIZE(text), (LPARAM)text, SMTO_NORMAL, 2000, &copied);
    return text;
}

bool Notes::InFront() const
{
    return window_ && GetForegroundWindow() == window_;
}

void Notes::BringToFront() const
{
    SetForegroundWindow(window_);
    PumpUntil([&] { return InFront(); }, 3000);
}

HWND Panel()
{
    return FindWindowW(SHELL_SIP_CLASS, nullptr);
}

HWND PanelButton()
{
    return FindWindowW(SHELL_SIPBUTTON_CLASS, nullptr);
}

CLSID CurrentMethod()
{
    CLSID clsid = {};
    SipGetCurrentIM(&clsid);
    return clsid;
}

std::wstring DefaultMethodText()
{
    return ReadText(kSipSettingsKey, L"DefaultIM", HKEY_CURRENT_USER);
}

bool UseMethod(CLSID clsid)
{
    return SipSetCurrentIM(&clsid) != FALSE;
}

std::vector<std::wstring> MethodNames()
{
    std::vector<std::wstring> names;
    g_names = &names;
    SipEnumIM(CollectName);
    g_names = nullptr;
    return names;
}

bool ChooseFromButtonMenu(const std::wstring& name)
{
    const std::vector<std::wstring> names = MethodNames();
    size_t index = 0;
    while (index < names.size() && names[index] != name)
        ++index;
    if (index == names.size())
        return false;
    RECT button = WindowRect(PanelButton());
    if (!Tap(button.right - 6, (button.top + button.bottom) / 2))
        return false;
    HWND menu = nullptr;
    if (!PumpUntil([&] { return (menu = VisibleWindow(L"#32768")) != nullptr; }, 5000))
        return false;
    for (size_t i = 0; i <= index; ++i)
        PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_CHAR, L'\r', 0);
    return WaitNoWindow(L"#32768", 5000);
}

bool TapKey(const SipKey* key, POINT origin)
{
    if (!key)
        return false;
    POINT at = SipKeyCentre(*key, origin);
    return Tap(at.x, at.y);
}

void InputTest::SetUp()
{
    ASSERT_TRUE(system_.Saved() && sipSettings_.Saved());
    ASSERT_TRUE(UseMethod(CLSID_SipKeyboard));
    SipShowIM(SIPF_OFF);
    log.Restart();
}

void InputTest::TearDown()
{
    if (KetraFindBar())
        CloseBar();
    SipShowIM(SIPF_OFF);
    UseMethod(CLSID_SipKeyboard);
}

}  // namespace inputtest
