// The task-bar icon tool's settings (class "ICONOPTION", title "Settings"):
// whether the task bar's corner closes programs, whether the icon starts
// with the device, and whether it shows now.  Every box acts at once.
#pragma once

#include <windows.h>

#include <corvane.h>

#define CRESTSET_CLASS L"ICONOPTION"
#define CRESTSET_TITLE L"Settings"

class CCrestsetDialog : public CDialog {
public:
    BOOL OnInitDialog() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // What each box shows: the setting, the start-up shortcut, the icon.
    static bool CloseOnCorner();
    static bool StartsWithDevice();
    static bool IconShown();

private:
    void ShowStates();
    void SetCloseOnCorner(bool close);
    void SetStartWithDevice(bool start);
    void SetIconShown(bool shown);
    bool Checked(int id) const;
    void PaintHeader();
};

class CCrestsetFrame : public CWnd {
public:
    BOOL CreateFrame();
    void OnCreate() override;
    void OnDestroy() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CCrestsetDialog m_dialog;
};
