// The SMS sender applet: a number box with the recent numbers, a message
// box, and along the top of "Textoro.gif" the contacts program, the canned
// texts, the keyboard and send.
#pragma once

#include <windows.h>

#include <corvane.h>

#include <string>
#include <vector>

#include "keyboard_host.h"

class CTextoroWnd : public CApplet {
public:
    static constexpr int kWidth = 236;
    static constexpr int kHeight = 90;  // without the keyboard
    static constexpr UINT kNumberId = 1002;
    static constexpr UINT kMessageId = 1101;
    static constexpr UINT kCannedCommand = 7700;  // + the text's position
    static constexpr UINT kEditCannedCommand = 8800;
    static constexpr WPARAM kNumberHandedOver = 1406;  // with the bar's relay message

    enum Area { kContacts = 0, kCanned, kKeyboard, kSend, kAreaCount };

    BOOL PreCreateWindow(CREATESTRUCTW* cs) override;
    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(HDC hdc) override;
    void OnLButtonDown(CPoint point) override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Tap(int area);
    void ShowCannedMenu();
    void AppendToMessage(const std::wstring& text);
    void ToggleKeyboard();
    void SendMessageTyped();
    void Say(LPCWSTR text);
    void ReadCallBack();
    void FillNumbers();
    bool FilePath(LPCWSTR name, wchar_t* path) const;
    std::wstring TextOf(HWND control, size_t maxChars) const;

    HWND m_number = nullptr;
    HWND m_message = nullptr;
    CFont m_font;
    CImage m_picture;
    std::vector<std::wstring> m_numbers;  // "MyNumber.txt", newest first
    std::vector<std::wstring> m_canned;   // "Phrasel.txt"
    CKeyboardHost m_keyboard;
    bool m_keyboardShown = false;
};
