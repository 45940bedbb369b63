// The input pack's tests on the device: the note pad in front to type into,
// the input panel's windows and current method, and a fixture that leaves
// the device as it found it (the built-in keyboard current, the panel
// down, the side bar's settings and the panel's default put back).
#pragma once
#include <aygshell.h>
#include <ketra_testkit.h>
#include <sip.h>
#include <sipkbd_layout.h>

#include <string>

namespace inputtest {

// {22575F6F-DA76-4FCC-9E67-2AF7C74D0580}
inline constexpr CLSID kKtIM = {0x22575F6F, 0xDA76, 0x4FCC, {0x9E, 0x67, 0x2A, 0xF7, 0xC7, 0x4D, 0x05, 0x80}};
inline constexpr wchar_t kKtIMText[] = L"{22575F6F-DA76-4FCC-9E67-2AF7C74D0580}";
// {B8BA9BB9-8F92-4FCC-874B-A0D7D76101C7}, the test method (tests/input/probe_pad.cpp).
inline constexpr wchar_t kProbePadText[] = L"{B8BA9BB9-8F92-4FCC-874B-A0D7D76101C7}";
inline constexpr wchar_t kSipSettingsKey[] = L"ControlPanel\\Sip";

// notes.exe started and in front; closed (its text logged) when the object goes.
class Notes {
public:
    Notes();
    ~Notes();
    Notes(const Notes&) = delete;
    Notes& operator=(const Notes&) = delete;

    HWND Window() const { return window_; }
    HWND Edit() const;
    std::wstring Text() const;
    bool InFront() const;
    // Puts it in front again (as a tap on its page would).
    void BringToFront() const;

private:
    testkit::DeviceProgram program_;
    HWND window_ = nullptr;
};

HWND Panel();
HWND PanelButton();
CLSID CurrentMethod();
std::wstring DefaultMethodText();  // HKCU "ControlPanel\Sip" "DefaultIM"
bool UseMethod(CLSID clsid);
// The method list's names in the order the panel button's menu shows them.
std::vector<std::wstring> MethodNames();
// Opens the panel button's menu (a tap on its arrow) and chooses the named
// method with keys, as the menu's own loop reads them; false when the menu
// did not open or has no such method.
bool ChooseFromButtonMenu(const std::wstring& name);
// Taps a key of the built-in keyboard whose window's top-left is at origin.
bool TapKey(const SipKey* key, POINT origin);

class InputTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    testkit::RegistrySandbox system_{{testkit::kSystemKey}};
    testkit::RegistrySandbox sipSettings_{{kSipSettingsKey}, HKEY_CURRENT_USER};
    testkit::DeviceLog log;
};

}  // namespace inputtest
