// The launcher's options: the settings dialog over the frame, with the grid.
#include "runvel_frame.h"

#include "resource.h"

namespace {

const int kHeaderBottom = 22;
const COLORREF kHeaderColour = 0x804000;
const int kGridGap = 4;  // between the lists and the grid

const wchar_t* const kLineChoices[] = {L"2", L"3", L"4", L"5"};
const wchar_t* const kArrangeChoices[] = {L"Insert", L"Swap"};

}  // namespace

BOOL CRunvelDialog::OnInitDialog()
{
    FillChoices();
    RECT area = {0, 0, 0, 0};
    m_grid.CreateGrid(m_hWnd, area, &m_pFrame->List(), m_pFrame->GetHWnd());
    m_grid.SetLines(m_pFrame->GetLines());
    m_grid.SetArrangeMode(m_pFrame->GetArrangeMode());
    PlaceGrid();
    return TRUE;
}

// Both lists are sorted, so their choices are found by text: "2" to "5" are
// Lines - 2, "Insert" and "Swap" the arrange modes.
void CRunvelDialog::FillChoices()
{
    for (const wchar_t* choice : kLineChoices)
        SendDlgItemMessageW(IDC_RUNVEL_LINES, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    for (const wchar_t* choice : kArrangeChoices)
        SendDlgItemMessageW(IDC_RUNVEL_ARRANGE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    const int lines = m_pFrame->GetLines();
    if (lines >= 2 && lines <= 5)
        SendDlgItemMessageW(IDC_RUNVEL_LINES, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(kLineChoices[lines - 2]));
    SendDlgItemMessageW(IDC_RUNVEL_ARRANGE, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(kArrangeChoices[m_pFrame->GetArrangeMode()]));
}

// The grid takes the width and the height below the lists.
void CRunvelDialog::PlaceGrid()
{
    if (!m_grid.GetSafeHwnd())
        return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    RECT lists;
    ::GetWindowRect(GetDlgItem(IDC_RUNVEL_ARRANGE), &lists);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&lists), 2);
    const int top = lists.bottom + kGridGap;
    const int height = client.bottom - top;
    m_grid.MoveWindow(0, top, client.right, height > 0 ? height : 0);
}

LRESULT CRunvelDialog::OnCommand(UINT id, UINT code)
{
    if (code == CBN_SELCHANGE || code == CBN_SELENDOK) {
        const int chosen = static_cast<int>(SendDlgItemMessageW(id, CB_GETCURSEL));
        if (id == IDC_RUNVEL_LINES && chosen >= 0) {
            m_pFrame->SetLines(chosen + 2);
            return TRUE;
        }
        if (id == IDC_RUNVEL_ARRANGE && chosen >= 0) {
            m_pFrame->SetArrangeMode(chosen == 1 ? LaunchSettings::kSwap : LaunchSettings::kInsert);
            return TRUE;
        }
    }
    if (id == IDOK || id == IDCANCEL) {
        ::SendMessageW(m_pFrame->GetHWnd(), WM_COMMAND, MAKEWPARAM(id, code), 0);
        return TRUE;
    }
    return FALSE;
}

LRESULT CRunvelDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        ::SetBkColor(reinterpret_cast<HDC>(wParam), RGB(0xFF, 0xFF, 0xFF));
        return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
    case WM_SIZE:
        PlaceGrid();
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(m_hWnd, &ps);
        HFONT font = ::CreateFontW(13, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
        HGDIOBJ oldFont = ::SelectObject(dc, font);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, kHeaderColour);
        ::ExtTextOutW(dc, 7, 4, 0, nullptr, L"Launcher", 8, nullptr);
        ::SelectObject(dc, oldFont);
        ::DeleteObject(font);
        HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        ::MoveToEx(dc, 0, kHeaderBottom, nullptr);
        ::LineTo(dc, client.right, kHeaderBottom);
        ::SelectObject(dc, oldPen);
        ::EndPaint(m_hWnd, &ps);
        return TRUE;
    }
    }
    return CDialog::OnMessage(message, wParam, lParam);
}
