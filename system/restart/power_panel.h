// The power panel: a 240 x 170 picture at (0, 80) with six tap areas (lock,
// power off, soft reset, close, stay resident, control panel).  Made
// resident it hides instead of closing, keeps an icon in the task bar's
// notification area that shows it again, and starts with the device.
//
// The panel links none of the system's libraries: only the device's
// libraries (shell, image decoder, platform) and Win32.
#pragma once

#include <windows.h>
#include <shellapi.h>

#define RESTART_CLASS L"MRESTART_CLASS"

namespace PowerPanel {

constexpr int kLeft = 0;
constexpr int kTop = 80;
constexpr int kWidth = 240;
constexpr int kHeight = 170;
constexpr UINT kNotifyMessage = 1004;
constexpr UINT kNotifyIconId = 13;

enum Area { kLock = 0, kPowerOff, kReset, kClose, kResident, kControlPanel, kAreaCount };
extern const RECT kAreas[kAreaCount];
// The area under a client point; -1 for none.
int AreaAt(POINT point);

struct State {
    HWND window = nullptr;
    HINSTANCE instance = nullptr;
    bool resident = false;
    int pressedArea = -1;         // between pen down and pen up
    bool iconAdded = false;
    NOTIFYICONDATAW icon = {};    // prepared at creation
    HBITMAP picture = nullptr;    // the decoded panel
    SIZE pictureSize = {};
    HICON tick = nullptr;
};

// ---- The window (power_panel.cpp) ----------------------------------------------
BOOL RegisterPanelClass(HINSTANCE instance);
// Created hidden; the caller shows it or keeps it resident.
HWND CreatePanel(HINSTANCE instance);
// Shows the panel on top, as a second start or the notification icon does.
void ShowPanel(HWND window);

// ---- What the areas do (panel_actions.cpp) -------------------------------------------
void PerformArea(State& state, int area);
// Hides a resident panel, closes any other.
void Finish(State& state);
// The notification icon, added once and deleted only when added.
void AddNotifyIcon(State& state);
void DeleteNotifyIcon(State& state);
// "\Windows\StartUp\Restart.lnk": whether it exists; creating and deleting it.
bool StartupShortcutExists();
bool CreateStartupShortcut(HINSTANCE instance);
bool DeleteStartupShortcut();

// ---- The panel picture (panel_picture.cpp) -------------------------------------------
// The program's "IMAGE" resource decoded by the device's image library;
// null when it cannot be.
HBITMAP LoadPanelPicture(HINSTANCE instance, SIZE* size);

}  // namespace PowerPanel
