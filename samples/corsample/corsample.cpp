// corsample: the smallest complete program on the framework. A window under
// the task bar counts the taps and holds it receives, marks the last one,
// shows the device's watermark picture tiled and stretched under a shadowed
// title, and ends from the "Quit" command of its menu bar.
#include <windows.h>

#include <wchar.h>

#include "corsample_ids.h"
#include "drawing.h"
#include "wndframe.h"

namespace {

class CSampleWnd : public CWnd {
public:
    void OnCreate() override
    {
        CreateCommandBar(IDR_SAMPLE_MENUBAR);
        SetHold(TRUE);  // a held stylus arrives as OnRButtonDown
        CWnd::OnCreate();
    }

    void OnPaint() override
    {
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(m_hWnd, &ps);
        DrawPictures(hdc);
        wchar_t line[64];
        swprintf(line, 64, L"Taps: %d  Holds: %d", m_taps, m_holds);
        ::TextOutW(hdc, 8, 8, line, (int)wcslen(line));
        if (m_taps + m_holds > 0) {
            ::MoveToEx(hdc, m_last.x - 6, m_last.y, nullptr);
            ::LineTo(hdc, m_last.x + 7, m_last.y);
            ::MoveToEx(hdc, m_last.x, m_last.y - 6, nullptr);
            ::LineTo(hdc, m_last.x, m_last.y + 7);
        }
        ::EndPaint(m_hWnd, &ps);
    }

    void OnLButtonDown(CPoint point) override
    {
        ++m_taps;
        m_last = point;
        Invalidate();
    }

    void OnRButtonDown(CPoint point) override
    {
        ++m_holds;
        m_last = point;
        Invalidate();
    }

    LRESULT OnCommand(UINT id, UINT code) override
    {
        if (id == IDM_QUIT) {
            DestroyWindow();  // the framework ends the program
            return 0;
        }
        return CWnd::OnCommand(id, code);
    }

private:
    // The watermark GIF, decoded through the device's image decoder: tiled
    // across a strip, then stretched into a box, under a shadowed title.
    void DrawPictures(HDC hdc)
    {
        if (!m_picture.IsLoaded())
            m_picture.Load(hdc, L"\\Windows\\StWater.gif");
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        // 70-pixel tiles of the picture's swoosh: the fourth is clipped at the edge.
        RECT strip = {0, 150, client.right, 200};  // half-open
        RECT swoosh = {100, 230, 169, 279};        // inclusive
        m_picture.DrawTile(hdc, strip, swoosh, kOpaqueCopy);
        RECT box = {60, 205, 179, 264};            // inclusive
        m_picture.Draw(hdc, box, kOpaqueCopy);
        CDC dc(hdc);
        dc.ShadowTextOut(8, 128, L"Tiled and stretched", 13, RGB(0x80, 0x80, 0x80), RGB(0x00, 0x40, 0x80));
    }

    CImage m_picture;
    int m_taps = 0;
    int m_holds = 0;
    CPoint m_last{0, 0};
};

class CSampleApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        m_pMainWnd = new CSampleWnd;
        // Below the 26-pixel task bar; the menu bar shortens it from below.
        RECT screen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        return m_pMainWnd->CreateEx(0, L"CorSample", L"Corvane sample", WS_VISIBLE, 0, 26, screen.right,
                                    screen.bottom - 26, nullptr, nullptr, nullptr);
    }
};

CSampleApp g_sampleApp;

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE prevInstance, LPWSTR cmdLine, int cmdShow)
{
    return CorWinMain(instance, prevInstance, cmdLine, cmdShow);
}
