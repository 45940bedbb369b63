// devctl: drives a running simulated device from outside.
//
// Each command word maps to one Cmd* handler in its own file; a handler gets
// the arguments after the command word and returns the process exit code:
// 0 success, 1 the thing asked for is missing or failed, 2 bad arguments
// (main prints the usage text then).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

enum ExitCode {
    kExitOk = 0,
    kExitFailed = 1,
    kExitUsage = 2,
};

using Args = std::vector<std::wstring>;

// ---- commands (one file each) ------------------------------------------------
int CmdWindows(const Args& args);   // window_list.cpp
int CmdWait(const Args& args);      // window_wait.cpp
int CmdSend(const Args& args);      // messages.cpp
int CmdPost(const Args& args);      // messages.cpp
int CmdTap(const Args& args);       // stylus_input.cpp
int CmdHold(const Args& args);      // stylus_input.cpp
int CmdDrag(const Args& args);      // stylus_input.cpp
int CmdKey(const Args& args);       // key_input.cpp
int CmdReg(const Args& args);       // registry.cpp
int CmdBoxes(const Args& args);     // message_boxes.cpp
int CmdDismiss(const Args& args);   // message_boxes.cpp
int CmdLog(const Args& args);       // device_log.cpp
int CmdShot(const Args& args);      // screenshot.cpp
int CmdExec(const Args& args);      // launch.cpp
int CmdCloseAll(const Args& args);  // close_all.cpp

// ---- output (output.cpp) -----------------------------------------------------
// Both write UTF-8 with '\n' line ends, whether stdout is a console, a file or
// a unix pipe under Wine.
void OutLine(const std::wstring& line);
void ErrLine(const std::wstring& line);
// printf-style formatting into a std::wstring (wide format: %ls for strings).
std::wstring Format(const wchar_t* format, ...);
// Text in double quotes with \ " and control characters escaped C-style, so
// every record stays on one line and can be split unambiguously.
std::wstring Quoted(const std::wstring& text);
// Text of the last error, e.g. "The system cannot find the file specified."
std::wstring ErrorText(DWORD error);

// ---- arguments (numbers.cpp) -------------------------------------------------
// Decimal (optionally negative) or 0x hexadecimal; the whole text must be a
// number.  Returns false on anything else, including overflow.
bool ParseInt64(const std::wstring& text, long long* value);
bool ParseUInt64(const std::wstring& text, unsigned long long* value);  // negatives wrap
bool ParseInt(const std::wstring& text, int* value);                    // fits in 32 bits signed
bool ParseUInt32(const std::wstring& text, DWORD* value);               // negatives wrap

// ---- windows (window_find.cpp) -----------------------------------------------
std::wstring WindowClass(HWND hwnd);
// Reads the text without sending a message, so a hung window cannot block us.
std::wstring WindowText(HWND hwnd);
// Top-level windows of this desktop, top of the z-order first.
std::vector<HWND> TopLevelWindows();
// First top-level window of the class in z-order, or NULL.
HWND FindTopLevelByClass(const std::wstring& className);
