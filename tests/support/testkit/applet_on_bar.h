// An applet shown by the real side bar, end to end: registered for the
// object's life (unless it already is), the bar started with its name as
// programs that need the bar start it, input and pixels in the applet's
// own coordinates, and everything closed and put back afterwards (the bar
// ended, HKLM "SOFTWARE\ZARQ" restored).
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "pictures.h"
#include "registry.h"
#include "side_bar.h"

namespace testkit {

class AppletOnBar {
public:
    // library: the applet's library as the bar should load it (a device
    // path such as "\Program Files\ZARQ\Ketra\Calc.dll"); empty when the
    // applet is registered already.
    explicit AppletOnBar(const std::wstring& name, const std::wstring& library = L"", DWORD options = 0);
    ~AppletOnBar();
    AppletOnBar(const AppletOnBar&) = delete;
    AppletOnBar& operator=(const AppletOnBar&) = delete;

    // The bar runs, shows this applet and its window exists.
    bool Shown() const;
    HWND Bar() const { return KetraFindBar(); }
    HWND Window() const;  // the applet's window, a child of the bar
    RECT Rect() const;    // the applet's window on the screen

    // Stylus input at points of the applet (through the device's input queue).
    bool Tap(int x, int y) const;
    bool Hold(int x, int y, DWORD ms = 800) const;
    // The screen's pixel at a point of the applet, and all of them at once.
    COLORREF Pixel(int x, int y) const;
    std::unique_ptr<PixelSurface> Capture() const;
    LRESULT SendToBar(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;  // to the applet's window
    // Ends the bar now (the destructor does it otherwise).
    void Close();

private:
    std::wstring name_;
    RegistrySandbox registry_;
    std::unique_ptr<TemporaryApplet> registration_;
};

}  // namespace testkit
