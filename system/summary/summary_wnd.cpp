// The system summary's frame and its drawing dialog.
#include "summary_wnd.h"

#include <aygshell.h>

#include "resource.h"

using namespace SummaryRows;

namespace {

constexpr int kIconSize = 32;
constexpr int kFirstIcon = IDI_CARD;  // 116..121
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kBlack = RGB(0, 0, 0);

}  // namespace

// ---- The dialog -------------------------------------------------------------------

CSummaryDialog::~CSummaryDialog()
{
    for (HICON& icon : m_icons) {
        if (icon)
            ::DestroyIcon(icon);
        icon = nullptr;
    }
}

BOOL CSummaryDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetTimer(kRefreshTimer, kRefreshMs);
    Redraw();
    return TRUE;
}

HICON CSummaryDialog::Icon(int id)
{
    const int slot = id - kFirstIcon;
    if (slot < 0 || slot >= 6)
        return nullptr;
    if (!m_icons[slot])
        m_icons[slot] = static_cast<HICON>(::LoadImageW(CorGetInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                                        kIconSize, kIconSize, LR_DEFAULTCOLOR));
    return m_icons[slot];
}

void CSummaryDialog::Redraw()
{
    if (!m_hWnd)
        return;
    MeterRow rows[kRowCount];
    BuildRows(ReadDevice(), rows);
    DrawRows(rows);
    InvalidateRect(nullptr, FALSE);
}

// Into the off-screen bitmap the size of the client area, made on first use.
void CSummaryDialog::DrawRows(const MeterRow rows[kRowCount])
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    if (client.right <= 0 || client.bottom <= 0)
        return;
    if (m_surface.GetWidth() != client.right || m_surface.GetHeight() != client.bottom) {
        m_surface.DeleteDC();
        CClientDC reference(m_hWnd);
        m_surface.CreateDCW(reference, client.right, client.bottom);
    }
    CBrush white(kWhite);
    m_surface.FillRect(&client, &white);
    CFont font;
    font.CreateFont(13, L"Tahoma", FW_NORMAL);
    m_surface.SetBkMode(TRANSPARENT);
    m_surface.SetTextColor(kBlack);
    for (int i = 0; i < kRowCount; ++i)
        DrawRow(rows[i], RowRect(i), &font);
}

void CSummaryDialog::DrawRow(const MeterRow& row, const RECT& rect, CFont* font)
{
    RECT area = rect;
    ::InflateRect(&area, -2, -2);
    if (HICON icon = Icon(row.icon))
        ::DrawIconEx(m_surface, area.left, area.top, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    if (row.iconOnly)
        return;
    area.left += 50;
    m_surface.SelectObject(font);
    // From the top-left on: a long card name may run past the meter, not
    // past the window.
    RECT text = {area.left, area.top, m_surface.GetWidth(), area.top + 15};
    m_surface.DrawTextW(row.label, -1, &text, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    m_surface.ReleaseObject(font);

    RECT frame = MeterFrame(rect);
    CBrush white(kWhite);
    CPen black(PS_SOLID, 1, kBlack);
    m_surface.SelectObject(&white);
    m_surface.SelectObject(&black);
    m_surface.Rectangle(&frame);
    m_surface.ReleaseObject(&black);
    m_surface.ReleaseObject(&white);
    CBrush fill(SummaryRows::MeterColour(row.kind, row.value));
    for (const RECT& block : MeterBlocks(MeterInside(rect), row.value))
        m_surface.FillRect(&block, &fill);
}

void CSummaryDialog::OnTimer(UINT_PTR timerId)
{
    if (timerId == kRefreshTimer)
        Redraw();
    else
        CDialog::OnTimer(timerId);
}

LRESULT CSummaryDialog::OnCommand(UINT id, UINT code)
{
    if (id == IDOK || id == IDCANCEL) {
        ::PostMessageW(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(id, code), 0);
        return TRUE;
    }
    return FALSE;
}

LRESULT CSummaryDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_SIZE:
        Redraw();
        break;
    case WM_PAINT: {
        CPaintDC dc(m_hWnd);
        if (m_surface.GetSafeHdc())
            m_surface.Draw(dc, 0, 0, kOpaqueCopy);
        return TRUE;
    }
    }
    return CDialog::OnMessage(message, wParam, lParam);
}

// ---- The frame --------------------------------------------------------------------

// Full screen below the task bar, with the task bar's OK corner.
BOOL CSummaryFrame::CreateFrame()
{
    return CreateEx(WS_EX_CAPTIONOKBTN, SUMMARY_CLASS, SUMMARY_TITLE, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr);
}

void CSummaryFrame::OnCreate()
{
    ::SHFullScreen(m_hWnd, SHFS_HIDESIPBUTTON);
    CreateCommandBar(IDR_SUMMARY_MENUBAR);
    m_dialog.SetDialogInfo(IDD_SUMMARY, m_hWnd);
    m_dialog.OpenDialog();
}

void CSummaryFrame::OnDestroy()
{
    if (m_dialog.GetSafeHwnd())
        m_dialog.KillTimer(CSummaryDialog::kRefreshTimer);
    m_dialog.EndDialog();
    CWnd::OnDestroy();
}

LRESULT CSummaryFrame::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case ID_SUMMARY_REFRESH:
        m_dialog.Redraw();
        return 0;
    case IDOK:
    case IDCANCEL:
        DestroyWindow();  // deletes this object: nothing may follow
        return 0;
    }
    return CWnd::OnCommand(id, code);
}

LRESULT CSummaryFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE && m_dialog.GetSafeHwnd())
        m_dialog.MoveWindow(0, 0, LOWORD(lParam), HIWORD(lParam));
    return CWnd::OnMessage(message, wParam, lParam);
}
