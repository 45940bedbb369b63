// The device's hardware buttons as the button applet reads and assigns
// them: HKLM "Software\Microsoft\Shell\Keys\40c<n>" for button n (1-6), its
// default value the command the button starts.
#pragma once

#include <windows.h>

namespace HardwareButtons {

constexpr int kMaxButtons = 6;
constexpr int kProgramChars = 96;  // 95 characters and the terminator

// The key of button n (1 to 6), "Software\Microsoft\Shell\Keys\40c<n>".
BOOL KeyPath(int button, wchar_t* path, size_t pathChars);

// Buttons 1, 2, ... as long as each key holds a readable "ResetCmd" text.
int CountButtons();

// The program of a command: a quoted program up to its closing quotation
// mark (the arguments after it go); an unquoted one as it stands, up to a
// quotation mark if it holds one.  Cut to programChars - 1.
void ProgramOfCommand(const wchar_t* command, wchar_t* program, size_t programChars);

// The program button n starts; empty when none can be read.
void ReadProgram(int button, wchar_t* program, size_t programChars);

// Button n starts program (quoted), with no window class and no window.
BOOL Assign(int button, const wchar_t* program);

// Tells the shell to read the assignments again: the setting-change
// broadcast 228, twice, never waiting long on a window that does not answer.
void AnnounceChange();

}  // namespace HardwareButtons
