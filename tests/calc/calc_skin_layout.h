// The calculators on the bar as their tests see them: where a skin puts its
// keys (the button rectangles of an installed skin file, so that tests tap
// the keys the user sees), and a skin calculator shown on the bar.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <string>

#include "ketra_testkit.h"

// Button name to rectangle (applet coordinates); empty when the file
// cannot be read.
std::map<std::wstring, RECT> ReadSkinButtons(const std::wstring& skinFile);

// A skin calculator shown by the bar (registered as installed), its boxes
// found by their command ids and its keys tapped by name.
class CalcOnBar {
public:
    CalcOnBar(const std::wstring& name, const std::wstring& skinFile);

    bool Shown() const { return bar_ && bar_->Shown() && !keys_.empty(); }
    testkit::AppletOnBar& Bar() { return *bar_; }
    HWND Window() const { return bar_->Window(); }
    HWND Box(int id) const { return GetDlgItem(bar_->Window(), id); }
    std::wstring Text(int id) const { return testkit::ControlText(Box(id)); }
    testkit::RemoteComboBox List(int id) const { return testkit::RemoteComboBox(Box(id)); }
    // Taps the keys in turn; false when the skin has no such key.
    bool Press(std::initializer_list<const wchar_t*> names);
    // Waits until the box shows the text; the text it shows at the end.
    std::wstring WaitText(int id, const std::wstring& text, DWORD ms = 3000) const;

private:
    std::map<std::wstring, RECT> keys_;
    std::unique_ptr<testkit::AppletOnBar> bar_;
};
