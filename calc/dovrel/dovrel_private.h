// Shared by the sources of Dovrel.
#pragma once

#include <windows.h>

// Registers the common-control classes a wrapper is about to create (date
// and time pickers, month calendars, track bars).  Cheap to repeat.
void EnsureCommonControls(DWORD classes);

// Copies a control's item text through a temporary buffer sized from the
// control's own length, so the caller's buffer is never written past its
// capacity.  lengthMessage / textMessage: CB_GETLBTEXTLEN and CB_GETLBTEXT,
// or LB_GETTEXTLEN and LB_GETTEXT; error is CB_ERR or LB_ERR.  Returns the
// length copied, or error with an empty buffer.
int CopyItemText(HWND control, UINT lengthMessage, UINT textMessage, int index, LPWSTR buffer, int capacity,
                 int error);
