// The decimals a calculator shows, stored as the DWORD "precision" in the
// calculator's configuration section, and its options dialog: full screen
// with the task bar's OK, a drop-down list (id 1000) of "0" to "7".  The
// dialog template is precision_dialog.rc, built into each applet as its
// options template (500).
#pragma once

#include <windows.h>

#include "calvint_api.h"

enum { kMaxPrecision = 7, IDC_PRECISION_LIST = 1000 };

// The stored precision; a missing value, or one outside 0 to 7, gives the
// default.
CALVINT_API int ReadPrecision(const wchar_t* section, int defaultPrecision);
CALVINT_API BOOL WritePrecision(const wchar_t* section, int precision);

// The options dialog's procedure for the section, as an applet's export 241
// calls it with its own section and default.  OK stores the list's choice
// (nothing when none is chosen); OK and Cancel end the dialog.
CALVINT_API INT_PTR PrecisionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                        const wchar_t* section, int defaultPrecision);
