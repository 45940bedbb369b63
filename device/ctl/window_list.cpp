// `windows`: one line per top-level window, top of the z-order first:
//   0x00010064 HHTaskBar "" 0,0,240,26 visible 0x90000000 0x00000088
#include "devctl.h"

int CmdWindows(const Args& args)
{
    if (!args.empty())
        return kExitUsage;
    for (HWND hwnd : TopLevelWindows()) {
        RECT rect = {};
        GetWindowRect(hwnd, &rect);
        // Window handles are 32-bit values shared by all processes, also on x64.
        OutLine(Format(L"0x%08X %ls %ls %ld,%ld,%ld,%ld %ls 0x%08X 0x%08X",
                       (unsigned)(UINT_PTR)hwnd, WindowClass(hwnd).c_str(), Quoted(WindowText(hwnd)).c_str(),
                       rect.left, rect.top, rect.right, rect.bottom,
                       IsWindowVisible(hwnd) ? L"visible" : L"hidden",
                       (unsigned)GetWindowLongW(hwnd, GWL_STYLE), (unsigned)GetWindowLongW(hwnd, GWL_EXSTYLE)));
    }
    return kExitOk;
}
