// The schedule editor's page: the theme files with the schedule's check
// marks and order, the order buttons, random or sequential, the interval,
// and the selected theme's preview.
#pragma once

#include <corvane.h>

#include <vector>

#include "theme_preview.h"
#include "theme_rows.h"

class CSchedulePage : public CDialog {
public:
    CSchedulePage();
    ~CSchedulePage() override;

    BOOL CreatePage(HWND frame);

    // Shows schedule n: its file's marks and order, its interval and order,
    // its picture.  A file that cannot be read leaves every row unchecked.
    void LoadSchedule(int schedule);
    // Writes the page as schedule n's file.
    bool SaveSchedule(int schedule);

    BOOL OnInitDialog() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND List() const { return GetDlgItem(IDC_THEME_LIST_ID); }
    enum { IDC_THEME_LIST_ID = 1001 };
    void FillList(const std::vector<ThemeRow>& rows);
    std::vector<ThemeRow> RowsFromList() const;
    int SelectedRow() const;
    void UpdateButtons();
    void MoveSelected(int step);
    void MarkAll();
    void SelectChoice(int comboId, const int* choices, int count, long value);
    long ChosenValue(int comboId) const;
    void ShowSelectedTheme();
    void Paint(HDC dc);

    std::vector<ThemeRow> m_rows;  // as listed when the page opened
    CThemePreview m_preview;
    HBITMAP m_scheduleImages = nullptr;
    int m_schedule = 0;
    bool m_nextAllChecks = false;  // "All" clears first, then sets, in turn
    int m_previewRow = -1;
    bool m_filling = false;
};
