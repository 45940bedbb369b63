// A top-most pop-up window of the test process that records what reaches it,
// as a target for devctl's window, input and message commands.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testkit {

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LONG time;  // GetMessageTime() when it arrived
};

class TestWindow {
public:
    // className is registered on first use; fill paints the client area.
    TestWindow(const wchar_t* className, const RECT& screenRect, COLORREF fill = RGB(0xFF, 0xFF, 0xFF),
               const wchar_t* title = L"");
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    std::vector<RecordedMessage> Messages(UINT message) const;
    void ClearMessages() { messages_.clear(); }
    // What SendMessage of kAnswerMessage returns: wParam - lParam.
    static const UINT kAnswerMessage = WM_APP + 5;
    static const UINT kPostedMessage = WM_APP + 6;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
    COLORREF fill_;
    std::vector<RecordedMessage> messages_;
};

}  // namespace testkit
