// The launcher's options program's window (class "RUNVEL", title
// "Settings"): the "Edit" menu bar, the settings dialog with the number of
// rows and the arrange mode, and the grid of programs below them.  Closing
// it, by OK or Cancel, writes the icon cache, the launch file and the
// settings and has the side bar show the launcher again.
#pragma once

#include <windows.h>

#include <corvane.h>
#include <launch_list.h>

#include "launch_grid.h"

#define RUNVEL_CLASS L"RUNVEL"
#define RUNVEL_TITLE L"Settings"

class CRunvelFrame;

// The settings over the frame's client area (template 103).
class CRunvelDialog : public CDialog {
public:
    explicit CRunvelDialog(CRunvelFrame* frame) : m_pFrame(frame) {}

    BOOL OnInitDialog() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    CLaunchGridWnd m_grid;

private:
    void FillChoices();
    void PlaceGrid();

    CRunvelFrame* m_pFrame;
};

class CRunvelFrame : public CWnd {
public:
    static constexpr DWORD kHostTimeoutMs = 3000;

    CRunvelFrame();
    BOOL CreateFrame();

    void OnCreate() override;
    void OnDestroy() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    CLaunchList& List() { return m_list; }
    int GetLines() const { return m_nLines; }
    int GetArrangeMode() const { return m_nArrangeMode; }
    void SetLines(int lines);
    void SetArrangeMode(int mode);
    // Has the bar show the launcher again with what was saved.
    static void ReloadBar();

private:
    void AddFromFileDialog();
    void ConfirmImport();
    void ConfirmDeleteAll();
    void LaunchHighlighted();
    void DeleteHighlighted();
    // Writes the cache, the list and the settings.
    void SaveAndClose();
    BOOL FilePath(LPCWSTR name, wchar_t* path);

    CLaunchList m_list;
    CRunvelDialog m_dialog;
    int m_nLines;
    int m_nArrangeMode;
    BOOL m_bSaved = FALSE;
};
