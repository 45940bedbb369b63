// The side bar and its settings program on the device, driven from outside
// as other programs and the user drive them.
#pragma once
#include <windows.h>

#include <ketra_host.h>

#include <string>

namespace testkit {

// ---- Where things are --------------------------------------------------------------
extern const wchar_t kInstallFolder[];    // "\Program Files\ZARQ\Ketra\"
extern const wchar_t kBarProgram[];       // Ketra.exe there
extern const wchar_t kSettingsProgram[];  // Option.exe there
extern const wchar_t kSettingsClass[];    // the settings program's main window
extern const wchar_t kSystemKey[];        // HKLM "SOFTWARE\ZARQ": everything the system stores
extern const wchar_t kAppletsKey[];       // the applet registrations
// The bar's window class, messages, commands and options key are those of
// its public contract, ketra_host.h.

// ---- The bar ----------------------------------------------------------------------
RECT BarRect();  // empty when there is no bar
// The bar's child of that class (any applet window for null).
HWND AppletWindowOnBar(const wchar_t* className = nullptr);
// Starts the bar (with an applet's name, as programs that need it do) and
// waits until it takes input; null when it did not come up.
HWND StartBar(const std::wstring& appletName = L"");
// Ends the bar with its exit command, as the user does, and waits until
// it is gone (killed after 10 seconds).
void CloseBar();
// A message to the bar from this process, as another program sends it;
// its answer (0 when there is no bar or it does not answer).
LRESULT SendToBar(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
bool BarIsOpen();
std::wstring CurrentApplet();
// The menu command that shows the named applet: 1200 + its position in
// the applet list the bar loads; 0 when it is not registered.  Tests choose
// applets by name, so applets other packs register never shift them.
UINT AppletMenuCommand(const std::wstring& name);
// Chooses the applet as its menu entry does; false when it is not registered.
bool ChooseApplet(const std::wstring& name);

// An applet registration for the object's life.  Order -1 puts it after
// every registered applet.
struct TemporaryApplet {
    TemporaryApplet(const std::wstring& name, const std::wstring& library, const wchar_t* group = L"Default",
                    int order = -1, DWORD options = 0);
    ~TemporaryApplet();
    TemporaryApplet(const TemporaryApplet&) = delete;
    TemporaryApplet& operator=(const TemporaryApplet&) = delete;
    std::wstring key;
};

// ---- The settings program ----------------------------------------------------------
// Closes what an earlier test may have left: a settings program (closed as
// the user closes it, so it starts the bar again) and the bar.
void CloseSettingsAndBar();
// Ends every settings program outright (waiting up to ms for one to show
// first); one that closed normally would start the bar again.
void EndSettingsPrograms(DWORD ms = 0);

// ---- The probe applets of the bar's tests --------------------------------------------
// They log every message to the device log ("probe: msg <n> <w> <l>"), take
// their orders from this key (Height, Fail240, Notify, OptionsStay) and
// send their parent kProbeRequest's wParam (1031 or 1125) when asked.
extern const wchar_t kProbeKey[];
const UINT kProbeRequest = WM_APP + 1;
extern const wchar_t kProbeClass[];

}  // namespace testkit
