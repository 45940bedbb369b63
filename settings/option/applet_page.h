// The Applets page: which applets the side bar offers, in which order.
//
// Each row of the list stands for one registration of the page's applet
// list (the row's parameter is the record's index); hidden registrations
// get no row but stay in the list and are written back on saving. Moves
// and check marks live in memory until Save; deleting and importing write
// the registry at once.
#pragma once

#include <memory>

#include "axreg.h"
#include "option_page.h"
#include "resource.h"

class CAppletPage : public COptionPage {
public:
    CAppletPage();
    ~CAppletPage() override;

    BOOL OnInitDialog() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam) override;
    // Enabled from the check boxes, then the whole list to the registry.
    void Save() override;

protected:
    LPCWSTR Title() const override { return L"Ketra Applets"; }

private:
    HWND List() const { return GetDlgItem(IDC_APPLET_LIST); }
    // The main window: owner of the page's message boxes.
    HWND Owner() const;

    // Reloads the applet list from the registry and shows its rows in
    // ascending order.
    void FillList();
    void SortList();
    void FitColumn();
    void UpdateButtons();
    // The selected row, or -1.
    int SelectedRow() const;
    CAxDllInfo* RecordOfRow(int row) const;
    // The rows' check marks into the records' Enabled.
    void ApplyCheckMarks();

    void MoveSelected(int step);
    void DeleteSelected();
    void DeleteAll();
    void ImportTodayItems();
    void OpenSelectedOptions();

    std::unique_ptr<CAxRegList> m_pList;
};
