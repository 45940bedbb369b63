// Calvint, the calculator controls library.
//
// Headers:
//   number_text.h    AddComma, RemoveComma, PrintDouble
//   unit_model.h     CUnit, CCategory, CCategorySet, SSelection, CConvSelection
//   calc_controls.h  CEdit, CComboBox, CNumEdit
//   calc_boxes.h     the boxes made from a skin's controls
//   numwnd.h         CNumWnd, the keypad skin window of every calculator
//   calc_wnd.h       CCalcWnd, a calculator window of boxes and lists
//   precision.h      the decimals of results and their options dialog
//   dialog_title.h   the title painted across a full-screen dialog
//   calc_applet.h    the item-window export of a calculator applet
#pragma once

#include "calc_applet.h"
#include "calc_boxes.h"
#include "calc_controls.h"
#include "calc_wnd.h"
#include "dialog_title.h"
#include "number_text.h"
#include "numwnd.h"
#include "precision.h"
#include "unit_model.h"
