#include "skin_window_support.h"

#include <gtest/gtest.h>

namespace {

// Windows of the tests register their classes in the test program, as a
// program's windows do once CorWinMain has run.
class ProgramInstance : public ::testing::Environment {
public:
    void SetUp() override { SetCorInstance(GetModuleHandleW(nullptr)); }
};
const ::testing::Environment* const g_programInstance =
    ::testing::AddGlobalTestEnvironment(new ProgramInstance);

LPARAM At(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

COLORREF MaskColumn(int x)
{
    static const COLORREF columns[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0),
                                       RGB(0, 255, 255), RGB(0, 0, 0)};
    return columns[x / 10];
}

} // namespace

std::wstring WriteBarSkin(const std::wstring& folder, const BarSkin& skin)
{
    testkit::WriteBmp(folder + L"\\back.bmp", 60, 60, [](int, int y) { return RowColour(y); });
    testkit::WriteBmp(folder + L"\\mask.bmp", 60, 20, [](int x, int) { return MaskColumn(x); });
    testkit::WriteBmp(folder + L"\\tab.bmp", 20, 20, [](int, int) { return kTabColour; });
    testkit::WriteBmp(folder + L"\\tabmask.bmp", 20, 20, [](int x, int) { return MaskColumn(x < 10 ? 40 : 10); });
    wchar_t main[2048];
    swprintf(main, 2048,
             L"<skin><window x='%d' y='%d' w='%d' h='%d'/><move x='0' y='26' w='240' h='294'/>"
             L"<background head='%d' foot='%d'>back.bmp</background>"
             L"<buttons><mask>mask.bmp</mask>"
             L"<button id='HOME' x='0' y='0' w='10' h='20'><mask r='255' g='0' b='0'/></button>"
             L"<button id='MOVE' x='10' y='0' w='10' h='20'><mask r='0' g='255' b='0'/></button>"
             L"<button id='CLOSE' x='20' y='0' w='10' h='20'><mask r='0' g='0' b='255'/></button>"
             L"<button id='POWER' x='30' y='0' w='10' h='20'><mask r='255' g='255' b='0'/></button>"
             L"<button id='SLIDE' x='40' y='0' w='10' h='20'><mask r='0' g='255' b='255'/></button>"
             L"%ls</buttons>"
             L"<controls><control type='applet' id='APPLET' x='0' y='20' w='60' h='70'/></controls></skin>",
             skin.left, skin.top, skin.width, skin.height, skin.head, skin.foot, skin.extraButtons.c_str());
    wchar_t tab[1024];
    swprintf(tab, 1024,
             L"<skin><window x='%d' y='%d' w='20' h='20'/><move x='0' y='26' w='240' h='294'/>"
             L"<background>tab.bmp</background><buttons><mask>tabmask.bmp</mask>"
             L"<button id='SLIDE' x='0' y='0' w='10' h='20'><mask r='0' g='255' b='255'/></button>"
             L"<button id='MOVE' x='10' y='0' w='10' h='20'><mask r='0' g='255' b='0'/></button>"
             L"</buttons></skin>",
             skin.left, skin.top);
    std::wstring path = folder + L"\\skin.xml";
    testkit::WriteUtf8(path, std::wstring(L"<skins>") + main + (skin.minimised ? tab : L"") + L"</skins>");
    return path;
}

void Press(HWND wnd, int x, int y)
{
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
}

void Drag(HWND wnd, int x, int y)
{
    SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, At(x, y));
}

void Release(HWND wnd, int x, int y)
{
    SendMessageW(wnd, WM_LBUTTONUP, 0, At(x, y));
}
