// KtSIP: a component server with one class, KtIM, an almost empty device
// input method.  While the keyboard applet shows an input method in the side
// bar, KtIM is the device's current method, so the device's input panel
// takes no room; when another method is picked, KtIM is deselected and
// closes the side bar if it still shows the keyboard applet.
//
// The library links only the platform: its registry helpers are its own,
// and the side bar's names come from the header-only ketra_host.h.
#pragma once
#include <objbase.h>
#include <windows.h>

#include <sip.h>

#include "resource.h"

// {22575F6F-DA76-4FCC-9E67-2AF7C74D0580}
inline constexpr CLSID CLSID_KtIM = {0x22575F6F, 0xDA76, 0x4FCC, {0x9E, 0x67, 0x2A, 0xF7, 0xC7, 0x4D, 0x05, 0x80}};
// "IKtIM Interface" {518E7D2E-14D7-4DEE-9E24-7FC76E75A667}: no methods of its own.
inline constexpr IID IID_IKtIM = {0x518E7D2E, 0x14D7, 0x4DEE, {0x9E, 0x24, 0x7F, 0xC7, 0x6E, 0x75, 0xA6, 0x67}};
// "KtSIP 1.0 Type Library" {C7B40B9C-2F3B-4127-B6D6-418013AF2B96}
inline constexpr GUID LIBID_KtSIP = {0xC7B40B9C, 0x2F3B, 0x4127, {0xB6, 0xD6, 0x41, 0x80, 0x13, 0xAF, 0x2B, 0x96}};

#define KTIM_CLSID_TEXT L"{22575F6F-DA76-4FCC-9E67-2AF7C74D0580}"
#define KTSIP_LIBID_TEXT L"{C7B40B9C-2F3B-4127-B6D6-418013AF2B96}"

// The library's module, and its count of live objects and locks.
HINSTANCE KtSipModule();
void KtSipLock();
void KtSipUnlock();
bool KtSipUnused();

// Registry access of this library (registry_access.cpp).  Texts are read
// whole or not at all.
bool RegWriteText(HKEY root, LPCWSTR key, LPCWSTR name, LPCWSTR value);
bool RegReadText(HKEY root, LPCWSTR key, LPCWSTR name, wchar_t* buffer, DWORD cch);
bool RegDeleteKeyTree(HKEY root, LPCWSTR key);
