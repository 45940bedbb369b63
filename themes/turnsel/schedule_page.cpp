// The schedule editor's page.
#include "schedule_page.h"

#include <commctrl.h>
#include <strsafe.h>
#include <wchar.h>

#include "resource.h"

namespace {

const DWORD kListExStyles = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE;
const int kPathChars = MAX_PATH;
const COLORREF kTitleColour = RGB(0x00, 0x40, 0x80);
const COLORREF kImageTransparent = RGB(0xC0, 0xC0, 0xC0);
const int kImageSize = 16;

void EnableControl(HWND dialog, int id, BOOL enable)
{
    ::EnableWindow(::GetDlgItem(dialog, id), enable);
}

void AddColumn(HWND list, int index, const wchar_t* title, int width)
{
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(title);
    column.iSubItem = index;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, index, (LPARAM)&column);
}

std::wstring ItemText(HWND list, int row, int column)
{
    wchar_t text[kPathChars] = L"";
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = kPathChars;
    ::SendMessageW(list, LVM_GETITEMTEXTW, row, (LPARAM)&item);
    return text;
}

} // namespace

CSchedulePage::CSchedulePage()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
}

CSchedulePage::~CSchedulePage()
{
    if (m_scheduleImages)
        ::DeleteObject(m_scheduleImages);
}

BOOL CSchedulePage::CreatePage(HWND frame)
{
    SetDialogInfo(IDD_SCHEDULE_PAGE, frame);
    return OpenDialog();
}

BOOL CSchedulePage::OnInitDialog()
{
    CDialog::OnInitDialog();
    HWND list = List();
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, kListExStyles, kListExStyles);
    AddColumn(list, 0, L"Theme", 150);
    AddColumn(list, 1, L"Full Path", 300);

    struct Choices {
        int id;
        const int* values;
        int count;
    };
    const Choices lists[] = {{IDC_DAYS, kDayChoices, 7}, {IDC_HOURS, kHourChoices, 9}, {IDC_MINUTES, kMinuteChoices, 8}};
    for (const Choices& choices : lists) {
        for (int i = 0; i < choices.count; ++i) {
            wchar_t text[8];
            StringCchPrintfW(text, 8, L"%d", choices.values[i]);
            SendDlgItemMessageW(choices.id, CB_ADDSTRING, 0, (LPARAM)text);
        }
    }
    // 0 days, 0 hours, 5 minutes until a schedule says otherwise.
    SendDlgItemMessageW(IDC_DAYS, CB_SETCURSEL, 0);
    SendDlgItemMessageW(IDC_HOURS, CB_SETCURSEL, 0);
    SendDlgItemMessageW(IDC_MINUTES, CB_SETCURSEL, 3);
    ::CheckRadioButton(m_hWnd, IDC_RANDOM, IDC_SEQUENTIAL, IDC_SEQUENTIAL);

    m_scheduleImages = (HBITMAP)::LoadImageW(CorGetInstance(), MAKEINTRESOURCEW(IDB_SCHEDULES), IMAGE_BITMAP, 0, 0,
                                             LR_CREATEDIBSECTION);
    m_preview.Create(m_hWnd);
    m_rows = ListThemeRows();
    FillList(m_rows);
    UpdateButtons();
    return TRUE;
}

void CSchedulePage::FillList(const std::vector<ThemeRow>& rows)
{
    HWND list = List();
    m_filling = true;
    ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < rows.size(); ++i) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(rows[i].title.c_str());
        int row = (int)::SendMessageW(list, LVM_INSERTITEMW, 0, (LPARAM)&item);
        if (row < 0)
            continue;
        LVITEMW path = {};
        path.iSubItem = 1;
        path.pszText = const_cast<wchar_t*>(rows[i].path.c_str());
        ::SendMessageW(list, LVM_SETITEMTEXTW, row, (LPARAM)&path);
        ListView_SetCheckState(list, row, rows[i].checked);
    }
    m_filling = false;
}

std::vector<ThemeRow> CSchedulePage::RowsFromList() const
{
    std::vector<ThemeRow> rows;
    HWND list = List();
    int count = (int)::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    for (int row = 0; row < count; ++row)
        rows.push_back(ThemeRow{ItemText(list, row, 0), ItemText(list, row, 1), ListView_GetCheckState(list, row) != 0});
    return rows;
}

void CSchedulePage::SelectChoice(int comboId, const int* choices, int count, long value)
{
    // An amount the list does not offer leaves the list as it was.
    for (int i = 0; i < count; ++i)
        if (choices[i] == value)
            SendDlgItemMessageW(comboId, CB_SETCURSEL, i);
}

long CSchedulePage::ChosenValue(int comboId) const
{
    wchar_t text[16] = L"";
    HWND combo = GetDlgItem(comboId);
    int index = (int)::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index < 0 || ::SendMessageW(combo, CB_GETLBTEXTLEN, index, 0) >= 16)
        return 0;
    ::SendMessageW(combo, CB_GETLBTEXT, index, (LPARAM)text);
    return wcstol(text, nullptr, 10);
}

void CSchedulePage::LoadSchedule(int schedule)
{
    if (!IsScheduleNumber(schedule))
        return;
    m_schedule = schedule;
    std::vector<ThemeRow> rows = RowsFromList();
    wchar_t path[MAX_PATH];
    CSchedule loaded;
    if (ScheduleFilePath(schedule, path, MAX_PATH) && ReadScheduleFile(path, ScheduleReader::Editor, &loaded)) {
        MarkScheduledRows(&rows, loaded);
        ::CheckRadioButton(m_hWnd, IDC_RANDOM, IDC_SEQUENTIAL,
                           loaded.order == CSchedule::kSequential ? IDC_SEQUENTIAL : IDC_RANDOM);
        IntervalParts parts = SplitInterval(loaded.interval);
        SelectChoice(IDC_DAYS, kDayChoices, 7, parts.days);
        SelectChoice(IDC_HOURS, kHourChoices, 9, parts.hours);
        SelectChoice(IDC_MINUTES, kMinuteChoices, 8, parts.minutes);
    } else {
        ClearMarks(&rows);
    }
    FillList(rows);
    UpdateButtons();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

bool CSchedulePage::SaveSchedule(int schedule)
{
    wchar_t path[MAX_PATH];
    if (!m_hWnd || !ScheduleFilePath(schedule, path, MAX_PATH))
        return false;
    long interval = JoinInterval(ChosenValue(IDC_DAYS), ChosenValue(IDC_HOURS), ChosenValue(IDC_MINUTES));
    int order = ::IsDlgButtonChecked(m_hWnd, IDC_RANDOM) == BST_CHECKED ? CSchedule::kRandom : CSchedule::kSequential;
    return WriteScheduleFile(path, ScheduleFromRows(RowsFromList(), interval, order));
}

int CSchedulePage::SelectedRow() const
{
    return (int)::SendMessageW(List(), LVM_GETNEXTITEM, (WPARAM)-1, MAKELPARAM(LVNI_SELECTED, 0));
}

void CSchedulePage::UpdateButtons()
{
    int row = SelectedRow();
    int rows = (int)::SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0);
    EnableControl(m_hWnd, IDC_UP, row > 0);
    EnableControl(m_hWnd, IDC_DOWN, row >= 0 && (row == 0 || row < rows - 1));
}

// The selected row and its neighbour exchange their texts and check marks;
// the selection moves with the row.
void CSchedulePage::MoveSelected(int step)
{
    HWND list = List();
    int row = SelectedRow();
    int other = row + step;
    int rows = (int)::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    if (row < 0 || other < 0 || other >= rows)
        return;
    ThemeRow moved{ItemText(list, row, 0), ItemText(list, row, 1), ListView_GetCheckState(list, row) != 0};
    ThemeRow displaced{ItemText(list, other, 0), ItemText(list, other, 1), ListView_GetCheckState(list, other) != 0};
    m_filling = true;
    auto put = [list](int at, const ThemeRow& value) {
        LVITEMW text = {};
        text.iSubItem = 0;
        text.pszText = const_cast<wchar_t*>(value.title.c_str());
        ::SendMessageW(list, LVM_SETITEMTEXTW, at, (LPARAM)&text);
        text.iSubItem = 1;
        text.pszText = const_cast<wchar_t*>(value.path.c_str());
        ::SendMessageW(list, LVM_SETITEMTEXTW, at, (LPARAM)&text);
        ListView_SetCheckState(list, at, value.checked);
    };
    put(other, moved);
    put(row, displaced);
    ListView_SetItemState(list, row, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(list, other, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_filling = false;
    m_previewRow = other;
    ::SendMessageW(list, LVM_ENSUREVISIBLE, other, FALSE);
    UpdateButtons();
}

void CSchedulePage::MarkAll()
{
    HWND list = List();
    int rows = (int)::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    for (int row = 0; row < rows; ++row)
        ListView_SetCheckState(list, row, m_nextAllChecks);
    m_nextAllChecks = !m_nextAllChecks;
}

void CSchedulePage::ShowSelectedTheme()
{
    int row = SelectedRow();
    if (row < 0 || row == m_previewRow)
        return;
    m_previewRow = row;
    m_preview.Show(ItemText(List(), row, 1).c_str());
}

LRESULT CSchedulePage::OnCommand(UINT id, UINT code)
{
    if (id == IDOK || id == IDCANCEL) {
        ::SendMessageW(GetParent(), WM_COMMAND, MAKEWPARAM(id, code), 0);
        return TRUE;
    }
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_UP: MoveSelected(-1); return TRUE;
        case IDC_DOWN: MoveSelected(+1); return TRUE;
        case IDC_ALL: MarkAll(); return TRUE;
        }
    }
    return FALSE;
}

LRESULT CSchedulePage::OnNotify(WPARAM /*wParam*/, LPARAM lParam)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == IDC_THEME_LIST && header->code == LVN_ITEMCHANGED && !m_filling) {
        const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED)) {
            UpdateButtons();
            ShowSelectedTheme();
        }
    }
    return 0;
}

void CSchedulePage::Paint(HDC dc)
{
    HFONT font = ::CreateFontW(13, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    int oldMode = ::SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = ::SetTextColor(dc, kTitleColour);
    const wchar_t title[] = L"Vexilo Rotator";
    ::ExtTextOutW(dc, 10, 4, 0, nullptr, title, (UINT)wcslen(title), nullptr);
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
    ::SelectObject(dc, oldFont);
    ::DeleteObject(font);

    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    ::MoveToEx(dc, 0, 22, nullptr);
    ::LineTo(dc, 240, 22);
    ::SelectObject(dc, oldPen);

    if (m_scheduleImages) {
        HDC mem = ::CreateCompatibleDC(dc);
        HGDIOBJ old = ::SelectObject(mem, m_scheduleImages);
        ::TransparentBlt(dc, 215, 3, kImageSize, kImageSize, mem, m_schedule * kImageSize, 0, kImageSize, kImageSize,
                         kImageTransparent);
        ::SelectObject(mem, old);
        ::DeleteDC(mem);
    }
    m_preview.Paint(dc);
}

// White as on the device: the page, its labels and its radio buttons.
LRESULT CSchedulePage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CTLCOLORDLG || message == WM_CTLCOLORSTATIC) {
        ::SetBkColor((HDC)wParam, RGB(0xFF, 0xFF, 0xFF));
        return (LRESULT)::GetStockObject(WHITE_BRUSH);
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(m_hWnd, &ps);
        Paint(hdc);
        ::EndPaint(m_hWnd, &ps);
        return TRUE;
    }
    return CDialog::OnMessage(message, wParam, lParam);
}
