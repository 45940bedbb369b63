// The designer's items, hot areas and custom colours.
#include "design_rules.h"

#include <stdlib.h>

#include "resource.h"

namespace {

const DesignItem kItems[kItemCount] = {
    {L"[Image] Start Menu", 1, {{413, 400, L"Change Image", kEditStartImage}}},
    {L"[Image] Today Background", 1, {{414, 401, L"Change Image", kEditTodayImage}}},
    {L"[ Color ] Caption Bar", 3, {{415, 402, L"Left", 2}, {416, 403, L"Right", 3}, {417, 404, L"Text", 4}}},
    {L"[ Color ] Caption Warning Tray", 1, {{418, 405, L"Background", 6}}},
    {L"[ Color ] Command Bar", 1, {{419, 406, L"Background", 5}}},
    {L"[ Color ] Message Box", 2, {{420, 407, L"Left", 7}, {421, 408, L"Right", 8}}},
    {L"[ Color ] Today Applet", 2, {{422, 409, L"Line", 1}, {423, 410, L"Text", 0}}},
    {L"[ Color ] Warning Box", 2, {{424, 411, L"Left", 9}, {425, 412, L"Right", 10}}},
};

// Window coordinates; the first area holding the point wins.
const struct {
    RECT area;
    int item;
} kHotAreas[] = {
    {{0, 80, 30, 110}, 0},     {{0, 160, 150, 240}, 1}, {{30, 80, 150, 100}, 2},   {{150, 115, 240, 155}, 3},
    {{0, 240, 150, 268}, 4},   {{150, 155, 240, 210}, 5}, {{0, 80, 150, 160}, 6},  {{150, 210, 240, 268}, 7},
};

const COLORREF kWrap = 0x00FFFFFF;
const COLORREF kBlue = 0x00FF0000;
const int kNear = 50;

bool Near(COLORREF a, COLORREF b)
{
    return abs(GetRValue(a) - GetRValue(b)) < kNear && abs(GetGValue(a) - GetGValue(b)) < kNear &&
           abs(GetBValue(a) - GetBValue(b)) < kNear;
}

} // namespace

const DesignItem& GetDesignItem(int item)
{
    return kItems[item >= 0 && item < kItemCount ? item : 0];
}

int DesignItemAt(POINT point)
{
    for (const auto& hot : kHotAreas)
        if (::PtInRect(&hot.area, point))
            return hot.item;
    return -1;
}

void BuildCustomColours(const CTskColor& theme, COLORREF custom[kCustomColours])
{
    const COLORREF* c = theme.m_color;
    for (int i = 0; i < CTskColor::kCount; ++i)
        custom[i] = c[i];
    custom[11] = (c[0] + c[9]) % kWrap;
    custom[12] = (c[2] + c[7]) % kWrap;
    custom[13] = (c[4] + c[5]) % kWrap;
    custom[14] = (c[3] + c[6]) % kWrap;
    custom[15] = (c[1] + c[8]) % kWrap;
    // So that the chooser offers sixteen distinct choices: an entry equal
    // to an earlier one moves on by the entry counted back from the last,
    // one merely near an earlier one becomes pure blue.
    for (int i = 0; i < kCustomColours; ++i)
        for (int j = 0; j < i; ++j) {
            if (custom[i] == custom[j])
                custom[i] = (custom[i] + custom[kCustomColours - 1 - i]) % kWrap;
            else if (Near(custom[i], custom[j]))
                custom[i] = kBlue;
        }
}
