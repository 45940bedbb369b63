// CSliderCtrl: the track bar wrapper.
#include "dovrel_slider.h"

#include "dovrel_private.h"

BOOL CSliderCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id)
{
    EnsureCommonControls(ICC_BAR_CLASSES);
    return CWnd::Create(TRACKBAR_CLASSW, L"", style, rect, parent, id);
}
