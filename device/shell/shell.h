// The device shell process: owns the task bar ("HHTaskBar", the strip across
// the top of the screen) and the Today screen ("DesktopExplorerWindow"), which
// both start at boot and live until shutdown.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <devlog.h>
#include <shellproto.h>

// Device screen geometry.
constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;
constexpr int kTaskBarHeight = 26;
// The Today screen's command bar along the bottom of the screen.
constexpr int kCommandBarHeight = 26;
// WM_SETTINGCHANGE's wParam when a theme was applied.
constexpr WPARAM kThemeChanged = 0xF2;

// Task bar (taskbar.cpp).
BOOL RegisterTaskBarClass(HINSTANCE instance);
HWND CreateTaskBar(HINSTANCE instance);

// Per-window requests of the shell library: navigation-bar titles and
// full-screen flags (navbar_text.cpp).  Each Handle* answers whether it took
// the request.
bool HandleNavBarText(const SHELL_NAVTEXT_DATA& request);
bool HandleFullScreen(const SHELL_FULLSCREEN_DATA& request);
// The title set for wnd (or, failing that, for its top-level owner); false
// when none is set.
bool GetNavBarText(HWND wnd, wchar_t* text, int cch);
struct FullScreenState {
    bool taskBarHidden = false;
    bool sipButtonHidden = false;
    bool startIconHidden = false;
};
// The full-screen state asked for wnd (or its top-level owner).
FullScreenState GetFullScreenState(HWND wnd);
// Drops the entries of destroyed windows.
void ForgetDeadNavBarWindows();

// The chain of task-bar hook subscribers (taskbar_hooks.cpp).
void RegisterTaskBarHookMessages();
UINT TaskBarHookMessage();
LRESULT HandleHookSubscription(HWND subscriber, LPARAM flags);
// True when msg is one the subscribers hear.
bool IsHookedTaskBarMessage(UINT msg, WPARAM wp);
// Asks the subscribers before the task bar's own handling; true when one of
// them handled the message.
bool AskTaskBarHooks(UINT msg, WPARAM wp, LPARAM lp);
// After the subscribers passed a message on: whether the task bar's own
// handling acts on it.  A release whose press a subscriber took is not the
// task bar's (the subscribers are still told of it).
bool TaskBarOwnsMessage(UINT msg);
// Tells the subscribers that asked for it, after the task bar's own handling.
void TellTaskBarHooks(UINT msg, WPARAM wp, LPARAM lp);

// The Start menu (start_menu.cpp): the drop-down below the start flag.
void ToggleStartMenu(HWND taskBar);
bool IsStartMenuOpen();

// Notification icons in the task bar (notify_icons.cpp).
bool HandleNotifyIcon(const SHELL_NOTIFYICON_DATA& request);
// Draws the icons right-aligned to end at `right`; returns the left edge of
// the leftmost icon (right when there are none).  Remembers where each one
// went for the taps.
int DrawNotifyIcons(HDC dc, int right, int top);
// A press on the task bar at point: true when it hit an icon (whose owner
// was told).  The release goes to the icon pressed last, wherever it is.
bool PressNotifyIcon(POINT point);
bool ReleaseNotifyIcon();
// Drops icons of destroyed windows; true when one was dropped.
bool ForgetDeadNotifyIcons();
// Changes with every change of the icons (for repainting).
unsigned NotifyIconsVersion();
void DestroyNotifyIcons();

// Hardware buttons (hardware_keys.cpp): the application keys 0xC1-0xC6
// run the commands assigned to them.
void StartHardwareKeys(HWND owner);
void ReloadHardwareKeys();
void OnHardwareKey(WPARAM hotKeyId);
void StopHardwareKeys(HWND owner);

// Starting programs the device's way (shell_execute.cpp): a command is a
// program or document, quoted when it holds blanks, then its arguments.
bool RunDeviceCommand(const wchar_t* command, const wchar_t* why);
bool RunDeviceFile(const wchar_t* file, const wchar_t* args, const wchar_t* why);
// Splits a command into its file (quotes removed) and arguments.
void SplitDeviceCommand(const wchar_t* command, wchar_t* file, int cchFile, wchar_t* args, int cchArgs);

// The desktop connection's inbox of setup cabinets (desktop_inbox.cpp):
// each one found is handed to the device's installer; polled by the task
// bar's refresh.
void PollDesktopInbox();

// The start-up folder (startup_folder.cpp): runs everything in
// "\Windows\StartUp" once, at boot.
void RunStartUpFolder();

// Other programs' windows inside the task bar (taskbar_children.cpp), such
// as a tool's status icon: the task bar draws the pictures their owners
// hand it in their place, over its own painting, and its clock and icons
// end left of the leftmost child in its right half.
bool HandleChildPicture(HWND taskBar, const SHELL_CHILDPICTURE_DATA& request);
void DrawTaskBarChildren(HWND taskBar, HDC dc);
int TaskBarContentRight(HWND taskBar, int right);
// True when the children moved, came or went since the last call.
bool TaskBarChildrenChanged(HWND taskBar);

// Keeps the visible topmost windows drawn on top after the window order
// changed (topmost_windows.cpp); called on every refresh of the task bar.
void KeepTopmostWindowsOnTop();

// Today screen (today.cpp).
BOOL RegisterTodayClass(HINSTANCE instance);
HWND CreateTodayScreen(HINSTANCE instance);

// The theme's colours by value name ("4" -> 4) under HKLM
// "SOFTWARE\Microsoft\Color" (theme_colours.cpp): ThemeColour falls back to
// the device's default set; StoredThemeColour is false for a value that is
// not stored.  Both read what ReloadThemeColours read last.
void ReloadThemeColours();
COLORREF ThemeColour(int name);
bool StoredThemeColour(int name, COLORREF* value);

// The Today screen's picture, colours and command bar (today_theme.cpp).
// Reloading rereads the colours at once and the picture when it is next
// drawn.
void ReloadTodayTheme();
void UnloadTodayTheme();
// White, with the theme's picture at its natural size from rc's top-left.
void DrawTodayPicture(HDC dc, const RECT& rc);
// The bottom kCommandBarHeight pixels of the client area.
void DrawTodayCommandBar(HDC dc, const RECT& client);
// "today: theme "<Skin>"" in the device log.
void LogTodayTheme();

// Today items (today_items.cpp): the item libraries registered under
// HKLM "Software\Microsoft\Today\Items", stacked below the built-in rows.
void LoadTodayItems(HWND today, int top);
void UnloadTodayItems();
// Asks every item whether it changed; re-lays them out when a height
// changed.  Returns true when the layout changed.
bool PollTodayItems(int top);

// A device picture file decoded into a bitmap (owned by the caller), from
// ROM when RAM has no file of the name (device_picture.cpp).
HBITMAP DecodeDevicePicture(const wchar_t* path, SIZE* size);

// The input panel (input_panel.cpp): the window "SipWndClass" hosting the
// current input method in this process (a COM apartment), created at boot
// with the default method.  Other programs reach it through coredll's Sip*
// functions (shellproto.h).
BOOL RegisterInputPanelClass(HINSTANCE instance);
HWND CreateInputPanel(HINSTANCE instance);
// Deselects and releases the method (at shutdown).
void DestroyInputPanel();
bool IsInputPanelUp();
bool ShowInputPanel(bool up);
// Makes an installed method current; false (the old one staying) when it
// is not installed or cannot be created.
bool SwitchInputMethod(const CLSID& clsid);
bool CurrentInputMethod(CLSID* clsid);
// The current method's narrow image; false when it has none.
bool CurrentMethodImage(HIMAGELIST* images, int* index);

// The input-panel button "MS_SIPBUTTON" (sip_button.cpp).
BOOL RegisterSipButtonClass(HINSTANCE instance);
HWND CreateSipButton(HINSTANCE instance);
// The method or the panel changed: the button repaints.
void SipButtonChanged();

// Drawing helpers shared by the shell's windows (paint.cpp).
void FillVerticalGradient(HDC dc, const RECT& rc, COLORREF top, COLORREF bottom);
void FillHorizontalGradient(HDC dc, const RECT& rc, COLORREF left, COLORREF right);
HFONT CreateShellFont(int height, bool bold);
// The text of the owner's name (HKCU "ControlPanel\Owner" value "Owner",
// UTF-16, at most 36 characters), or an empty string.
void ReadOwnerName(wchar_t* name, int cch);
