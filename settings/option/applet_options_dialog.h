// An applet's own options dialog, run from the settings program.
#pragma once

#include <windows.h>

// Loads the applet library at dllPath and runs its options dialog modally,
// owned by owner: its export 241 as the procedure on its dialog template
// 500, with a Today list-item record describing the library as the initial
// parameter. The library is freed afterwards and the framework's instance
// kept. FALSE when the library, the export or the template is missing.
BOOL RunAppletOptionsDialog(HWND owner, LPCWSTR dllPath);
