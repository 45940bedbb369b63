// Pieces shared by the files of the device shell library.
#pragma once
#define AYGSHELL_BUILD
#include <aygshell.h>

#include <string>

#include "desktop_shell.h"

// The library's own module (class registration).
HINSTANCE AygInstance();

// Device paths carry no drive ("\Windows\x.exe"); the device drive is D:.
extern const wchar_t kDeviceDrive[];        // L"D:"
extern const wchar_t kDeviceRoot[];         // L"D:\\", every program's current directory

// "\Windows\x" -> "D:\Windows\x"; paths with a drive, UNC paths and relative
// paths are returned unchanged.
std::wstring ToHostPath(const std::wstring& path);
// The extension of the last path element, lower-cased, with its dot (".exe"),
// or an empty string.
std::wstring LowerExtension(const std::wstring& path);
bool FileExists(const std::wstring& hostPath);
// A program name as the device resolves it: a bare name ("ctlpnl.exe") is
// taken from \Windows when it is there, so device programs shadow the
// desktop's; device paths get the device drive.  Other names are unchanged
// (the process search finds them).
std::wstring ResolveProgram(const std::wstring& name);

// A shortcut's command split into the program or document and its
// arguments.  False for a missing or malformed shortcut file.
bool ReadShortcutCommand(const std::wstring& shortcut, std::wstring* command);
void SplitCommand(const std::wstring& command, std::wstring* path, std::wstring* args);

// Bounded copy into a caller's buffer; false (and an empty buffer) when the
// text does not fit.
bool CopyToBuffer(const std::wstring& text, wchar_t* buffer, int cch);

// The task bar of the shell process (shellproto.h).  False when it is not
// running or did not take the request in time.
bool SendToTaskBar(HWND about, DWORD code, const void* data, DWORD size);

// The input panel of the shell process (sip.h): whether it is up, its top
// while up (the screen's height while down), raising and lowering it.
bool IsSipUp();
int SipPanelTop();
// False when the panel is not running.
bool SetSipUp(HWND about, bool up);
