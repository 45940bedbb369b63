// "My Text" (class "CLASS_PHRASEL"): the list of canned texts the SMS
// sender offers, edited in place.  OK, Cancel and closing save the list to
// "Phrasel.txt" beside the program.
#pragma once

#include <windows.h>

#include <corvane.h>

#include "canned_list.h"

#define PHRASEL_CLASS L"CLASS_PHRASEL"
#define PHRASEL_TITLE L"My Text"

class CPhraselFrame;

// The list, the edit box and the "N" and "D" buttons (template 103).
class CPhraselDialog : public CDialog {
public:
    explicit CPhraselDialog(CPhraselFrame* frame) : m_pFrame(frame) {}

    BOOL OnInitDialog() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowEditing();
    void NewEntry();
    void DeleteEntry();
    void EditChanged();
    void SetEditText(const std::wstring& text);
    void DrawButton(const DRAWITEMSTRUCT* item);

    CPhraselFrame* m_pFrame;
    bool m_ignoreChange = false;  // the next change is our own setting of the text
    bool m_limitShown = false;    // "Maximum 10" said once per edit
};

class CPhraselFrame : public CWnd {
public:
    CPhraselFrame() : m_dialog(this) {}

    BOOL CreateFrame();
    void OnCreate() override;
    void OnDestroy() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    CCannedList& List() { return m_list; }
    void SayLimit();

private:
    void Save();

    CCannedList m_list;
    CPhraselDialog m_dialog;
    bool m_saved = false;
};
