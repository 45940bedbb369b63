// The SMS sender's embedded keyboard: one of the device's input methods,
// in process, drawing into a child STATIC (id 1111) below the message box
// and typing into the focused box.  Without an input method on the device
// the keyboard has no height and showing it does nothing.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <method_loader.h>

class CKeyboardHost {
public:
    static constexpr UINT kWindowId = 1111;
    static constexpr int kWidth = 240;

    CKeyboardHost() = default;
    ~CKeyboardHost() { Destroy(); }
    CKeyboardHost(const CKeyboardHost&) = delete;
    CKeyboardHost& operator=(const CKeyboardHost&) = delete;

    // Makes the method and its window (hidden) at y = top of parent: the
    // device's current method, else the one named by "DefaultIM", else the
    // first installed one; a method without a height does not count.
    bool Create(HWND parent, int top);
    int Height() const { return m_height; }
    void Show(bool show);
    // Deselects and releases the method, then removes its window.
    void Destroy();

private:
    HWND m_window = nullptr;
    CMethodLoader m_loader;        // holds the method's library
    IUnknown* m_method = nullptr;  // the IInputMethod
    int m_height = 0;
    bool m_comStarted = false;
};
