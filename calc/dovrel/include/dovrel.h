// Dovrel: thin window classes over the platform's common controls.  Each
// wrapper creates its control through CWnd::Create and turns each method
// into one control message to its window, answering what the message does.
//
// Headers:
//   dovrel_text.h     CComboBox, CEdit      (text in a 260-character buffer)
//   dovrel_listbox.h  CListBox
//   dovrel_date.h     CDateTimeCtrl, CMonthCalCtrl
//   dovrel_slider.h   CSliderCtrl, CTrackBar (a self-drawn slider)
#pragma once

#include "dovrel_date.h"
#include "dovrel_listbox.h"
#include "dovrel_slider.h"
#include "dovrel_text.h"
