// The calculators' boxes, made from their skin controls.
#include "calc_boxes.h"

int CreateCalcBox(HWND parent, const CCtrl* ctrl, const SCalcBox* boxes, int count, HFONT font)
{
    if (!ctrl || !boxes)
        return 0;
    for (int i = 0; i < count; ++i) {
        const SCalcBox& box = boxes[i];
        if (!ctrl->IsType(box.type) || (box.id && !ctrl->IsID(box.id)))
            continue;
        if (box.wnd->GetSafeHwnd())
            return 0;  // the same box twice
        const bool list = wcscmp(box.type, L"COMBOBOX") == 0;
        DWORD style = list ? kCalcListStyle : kCalcNumberStyle;
        if (wcscmp(box.type, L"TEXT") == 0)
            style |= ES_READONLY;
        if (!box.wnd->Create(list ? L"COMBOBOX" : L"EDIT", L"", style, ctrl->GetRect(), parent, box.commandId))
            return 0;
        if (font)
            box.wnd->SendMessageW(WM_SETFONT, (WPARAM)font, FALSE);
        return 1;
    }
    return 0;
}
