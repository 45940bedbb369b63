// The keyboard applet's window.
#pragma once
#include <applet.h>

#include "im_callback.h"
#include <method_loader.h>

class CTapiraWnd : public CApplet {
public:
    // Finds the method named by "CurrentApplet" ("Keyboard" when it cannot
    // be read); no such method: no window.
    BOOL PreCreateWindow(CREATESTRUCTW* cs) override;
    void OnCreate() override;
    void OnDestroy() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnTodayQueryRefreshCache(TODAYLISTITEM* item) override;

private:
    // Creation steps 2 to 4: the method, its panel window, Select.
    void HostMethod();
    void ReleaseMethod();

    wchar_t m_name[kTapiraNameChars] = L"";
    CLSID m_clsid = {};
    IInputMethod* m_method = nullptr;
    CMethodLoader m_loader;
    HWND m_panel = nullptr;
    int m_height = 0;
    bool m_comReady = false;
    CImCallback m_callback;
};
