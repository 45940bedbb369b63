// The phone pack's line files ("Phrasel.txt", "MyNumber.txt",
// "DelNumber.txt"): one entry a line, 8-bit text in the device's code page,
// each line ended by CR LF.  Shared by the SMS sender, the dialer and the
// canned-text editor.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace LineFile {

// The entry counts the pack's files keep.
constexpr size_t kEntries = 10;

// Reads at most maxEntries entries: CR, LF or CR LF end a line, empty lines
// are no entries, and a line longer than maxChars is cut to maxChars.  A
// missing or unreadable file gives no entries (false).
bool Read(LPCWSTR path, size_t maxEntries, size_t maxChars, std::vector<std::wstring>* entries);

// Writes the first maxEntries entries, each with CR LF; empty entries are
// left out and line breaks inside an entry become spaces, so the file
// reads back as it was written.  The file is replaced whole (a temporary
// file, then a rename): on failure (false) it is left as it was.
bool Write(LPCWSTR path, const std::vector<std::wstring>& entries, size_t maxEntries = kEntries);

// The path of name beside a module (the applet's or program's folder); false
// when it does not fit.
bool BesideModule(HINSTANCE module, LPCWSTR name, wchar_t* path, size_t cch);

}  // namespace LineFile
