// iexplore.exe, the device's browser: a full-screen window of class
// "IExplore" with an address box, the HTML view and a menu bar ("View" with
// "Refresh", and a back arrow).  One runs at a time: a second start hands
// its address to the first and brings it forward.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#define BROWSER_CLASS  L"IExplore"
#define BROWSER_TITLE  L"Internet Explorer"

// WM_COPYDATA code of an address handed to the running browser ('NAVI').
#define BROWSER_COPY_NAVIGATE  0x4E415649

class Browser {
public:
    static bool Register(HINSTANCE instance);
    // Creates and shows the window, opening `address` (the start page when
    // empty); null on failure.
    static HWND Create(HINSTANCE instance, const std::wstring& address);

private:
    explicit Browser(HWND hwnd) : hwnd_(hwnd) {}
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK AddressProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    bool OnCreate(HINSTANCE instance);
    void Layout();
    void Open(const std::wstring& address, DWORD flags);
    void OnDocumentComplete(const std::wstring& address);
    void Back();
    void UpdateBackButton();

    HWND hwnd_;
    HWND address_ = nullptr;
    HWND view_ = nullptr;
    HWND menuBar_ = nullptr;
    WNDPROC addressProc_ = nullptr;
    bool showAddress_ = true;
    std::vector<std::wstring> history_;  // pages shown, the current one last
    bool goingBack_ = false;
};
