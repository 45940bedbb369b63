// One page of the settings program: a modeless dialog filling the frame's
// client area, with its title painted across the top (CorPaintPageTitle).
#pragma once

#include <corvane.h>

class COptionPage : public CDialog {
public:
    // Creates the page from its template as a child of the frame and shows it.
    BOOL CreatePage(UINT templateId, HWND frame);

    // Writes the page's settings; called once when the program ends.
    virtual void Save() = 0;

    LRESULT OnCommand(UINT id, UINT code) override;  // OK and Cancel go to the frame
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    virtual LPCWSTR Title() const = 0;
    // Pages that paint more than the title draw it here, after the title.
    virtual void OnPaintPage(HDC /*hdc*/) {}
};
