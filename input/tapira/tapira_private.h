// Tapira: the keyboard applet.  It hosts a device input method in the side
// bar, in a STATIC window of the method's panel height; its applet name is
// the method's name ("Keyboard" by default), so one library serves one
// registration per input method.  While it shows a method, the device's
// current method is the empty KtIM, so the device's own panel takes no room.
#pragma once
#include <windows.h>

#include <sip.h>

// The empty input method KtIM (KtSIP.dll).
// {22575F6F-DA76-4FCC-9E67-2AF7C74D0580}
inline constexpr CLSID CLSID_KtIM = {0x22575F6F, 0xDA76, 0x4FCC, {0x9E, 0x67, 0x2A, 0xF7, 0xC7, 0x4D, 0x05, 0x80}};

// The name an applet shows when "CurrentApplet" cannot be read.
#define TAPIRA_DEFAULT_NAME L"Keyboard"
// "LastIM" under the side bar's options key: the method the applet showed last.
#define TAPIRA_LAST_IM_VALUE L"LastIM"
constexpr int kTapiraNameChars = 260;
constexpr UINT kTapiraPanelId = 1111;

// The installed input method named name, ignoring case (input_methods.cpp).
bool FindInputMethod(const wchar_t* name, CLSID* clsid);
// Makes KtIM the device's current input method unless it is already.
void MakeEmptyMethodCurrent();
