// Restart, the power panel.  One per device: a second start shows the
// running panel (hidden while resident) instead of making another.
#include "power_panel.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    if (HWND running = FindWindowW(RESTART_CLASS, nullptr)) {
        PowerPanel::ShowPanel(running);
        return 0;
    }
    if (!PowerPanel::RegisterPanelClass(instance))
        return 1;
    HWND window = PowerPanel::CreatePanel(instance);
    if (!window)
        return 1;
    auto* state = reinterpret_cast<PowerPanel::State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (state && PowerPanel::StartupShortcutExists()) {
        // Started with the device: only the icon shows until it is tapped.
        state->resident = true;
        PowerPanel::AddNotifyIcon(*state);
    } else {
        PowerPanel::ShowPanel(window);
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
