// "Currency Settings": the currencies' names and rates (units per US
// Dollar), with a drawn digit pad for the rate fields.  OK stores them and
// tells the converter's window (1034 with 1), which shows them at once.
#pragma once

#include <windows.h>

#include <calvint.h>

#include "resource.h"

class CCurrencySettingsDialog : public CDialog {
public:
    enum { kTemplate = IDD_CURRENCY_SETTINGS };

    // The pad: 12 cells of 20 × 17 in two columns, rows 18 apart, in
    // reading order 1 2 / 3 4 / ... / 9 0 / C .
    enum { kPadCells = 12, kCellWidth = 20, kCellHeight = 17, kPadTop = 40, kPadRowStep = 18 };
    static const int kPadColumns[2];
    static const wchar_t kPadLabels[kPadCells];
    // The cell at a point of the dialog, or -1.
    static int PadCellAt(POINT point);
    static RECT PadCell(int cell);

    // applet: the converter's window, told when OK stores new settings.
    explicit CCurrencySettingsDialog(HWND applet) : m_hApplet(applet) {}

    BOOL OnInitDialog() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PlaceControls();
    void FillRates();
    void SetNamesEditable(bool editable);
    void Store();
    void Paint();
    void PressCell(int cell);
    void TypeIntoFocusedBox(wchar_t key);

    HWND m_hApplet;
    bool m_bNamesEditable = false;
    int m_nPressed = -1;
    CFont m_padFont;
};

// The device's input panel, raised and lowered for typing names.
bool IsInputPanelUp();
void ShowInputPanel(bool up);
