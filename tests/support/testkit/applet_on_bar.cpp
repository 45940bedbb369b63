#include "applet_on_bar.h"

#include "input.h"
#include "pump.h"
#include "screen.h"
#include "window_find.h"

namespace testkit {

AppletOnBar::AppletOnBar(const std::wstring& name, const std::wstring& library, DWORD options)
    : name_(name), registry_({kSystemKey})
{
    CloseSettingsAndBar();
    if (!registry_.Saved())
        return;  // Shown() fails: nothing is changed that could not be put back
    if (!library.empty())
        registration_ = std::make_unique<TemporaryApplet>(name, library, L"Tests", -1, options);
    if (StartBar(name))
        PumpUntil([&] { return Window() != nullptr; }, 5000);
}

AppletOnBar::~AppletOnBar()
{
    Close();
    registration_.reset();
}

bool AppletOnBar::Shown() const
{
    return Bar() && CurrentApplet() == name_ && Window() && BarIsOpen();
}

HWND AppletOnBar::Window() const
{
    HWND bar = Bar();
    return bar ? GetWindow(bar, GW_CHILD) : nullptr;
}

RECT AppletOnBar::Rect() const
{
    return WindowRect(Window());
}

bool AppletOnBar::Tap(int x, int y) const
{
    const RECT rect = Rect();
    return testkit::Tap(rect.left + x, rect.top + y);
}

bool AppletOnBar::Hold(int x, int y, DWORD ms) const
{
    const RECT rect = Rect();
    return testkit::Hold(rect.left + x, rect.top + y, ms);
}

COLORREF AppletOnBar::Pixel(int x, int y) const
{
    const RECT rect = Rect();
    return ScreenPixel(rect.left + x, rect.top + y);
}

std::unique_ptr<PixelSurface> AppletOnBar::Capture() const
{
    const RECT rect = Rect();
    auto surface = std::make_unique<PixelSurface>(Width(rect), Height(rect), RGB(0, 0, 0));
    HDC screen = GetDC(nullptr);
    BitBlt(surface->dc(), 0, 0, Width(rect), Height(rect), screen, rect.left, rect.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return surface;
}

LRESULT AppletOnBar::SendToBar(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return testkit::SendToBar(message, wParam, lParam);
}

LRESULT AppletOnBar::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    DWORD_PTR result = 0;
    HWND window = Window();
    if (!window || !SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result))
        return 0;
    return (LRESULT)result;
}

void AppletOnBar::Close()
{
    CloseBar();
}

}  // namespace testkit
