// The boxes a calculator's skin asks for: each skin control becomes a
// child window at the control's rectangle, chosen by the control's type
// and ID from the applet's own table.
//
//   COMBOBOX  class "COMBOBOX", a drop-down list
//   EDIT      class "EDIT", a right-aligned number box
//   TEXT      class "EDIT", the same, read-only (a result)
//
//     const SCalcBox boxes[] = {
//         {L"EDIT", L"EDIT_AMT", &m_amount, 7701},
//         {L"TEXT", nullptr, &m_result, 7703},       // any TEXT control
//     };
//     for (each control of the skin)
//         if (!CreateCalcBox(m_hWnd, ctrl, boxes, ARRAYSIZE(boxes), m_font)) return 0;
#pragma once

#include <windows.h>

#include <skininfo.h>
#include <wndframe.h>

#include "calvint_api.h"

struct SCalcBox {
    const wchar_t* type;  // "COMBOBOX", "EDIT" or "TEXT"
    const wchar_t* id;    // the skin control's ID; null takes any control of the type
    CWnd* wnd;            // made once: a second control for it fails
    UINT commandId;
};

enum : DWORD {
    kCalcListStyle = WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL,
    kCalcNumberStyle = WS_VISIBLE | WS_BORDER | ES_RIGHT | ES_AUTOHSCROLL,
};

// Makes the box of the first table entry that matches the control, in the
// font given; 0 when none matches, when that box exists already or when
// the window cannot be made.
CALVINT_API int CreateCalcBox(HWND parent, const CCtrl* ctrl, const SCalcBox* boxes, int count, HFONT font);
