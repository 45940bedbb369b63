// The system summary's window (class "CORWND", title "SystemInfo"): a
// full-screen frame with its command bar, holding the dialog that draws the
// seven meter rows into an off-screen bitmap every two seconds.
#pragma once

#include <windows.h>

#include <corvane.h>

#include "summary_rows.h"

#define SUMMARY_CLASS L"CORWND"
#define SUMMARY_TITLE L"SystemInfo"

class CSummaryDialog : public CDialog {
public:
    static constexpr UINT_PTR kRefreshTimer = 100;
    static constexpr UINT kRefreshMs = 2000;

    CSummaryDialog() = default;
    ~CSummaryDialog() override;

    BOOL OnInitDialog() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR timerId) override;
    // Reads the device and draws the rows again.
    void Redraw();

private:
    void DrawRows(const SummaryRows::MeterRow rows[SummaryRows::kRowCount]);
    void DrawRow(const SummaryRows::MeterRow& row, const RECT& rect, CFont* font);
    HICON Icon(int id);

    CBitmapDC m_surface;
    HICON m_icons[6] = {};
};

class CSummaryFrame : public CWnd {
public:
    BOOL CreateFrame();
    void OnCreate() override;
    void OnDestroy() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CSummaryDialog m_dialog;
};
