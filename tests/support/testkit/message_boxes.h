// Message boxes of any program on the device: listed, waited for by their
// caption and text, answered with one of their buttons.
#pragma once
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

namespace testkit {

struct MessageBoxInfo {
    HWND window;
    std::wstring caption;
    std::wstring text;
};

class MessageBoxes {
public:
    // Open boxes, top first.
    static std::vector<MessageBoxInfo> Open();
    // `"caption" "text"` lines of the open boxes, for failure messages.
    static std::wstring Describe();
    // Waits for a box with this caption (and this text, unless null);
    // returns its text, or "<no box>" when none came.
    static std::wstring WaitFor(const std::wstring& caption, const wchar_t* text = nullptr, DWORD ms = 10000);
    // Presses IDOK, IDCANCEL, IDYES or IDNO of the first open box (of this
    // caption unless null), as a tap on it does; false without such a box.
    static bool Answer(int button, const wchar_t* caption = nullptr);
    // Waits until no box is open.
    static bool WaitNone(DWORD ms = 5000);
    // Answers every open box with the first of No, Cancel, OK it has.
    static void DismissAll();
};

// Answers the next message box of this process with that caption from a
// helper thread, for code under test that shows a box and waits in it.
class BoxAnswerer {
public:
    explicit BoxAnswerer(const std::wstring& caption, int button = IDOK, DWORD ms = 10000);
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    // Waits for the helper: the box's text, or "<no box>" when none came.
    std::wstring Text();

private:
    std::wstring text_ = L"<no box>";
    std::thread thread_;
};

}  // namespace testkit
