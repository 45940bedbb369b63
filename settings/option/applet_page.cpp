// The Applets page: which applets the side bar offers, in which order.
#include "applet_page.h"

#include <commctrl.h>
#include <strsafe.h>

#include <todaycmn.h>

#include "applet_import.h"
#include "applet_options_dialog.h"

namespace {

const DWORD kListExStyles = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE;
// Everything a row carries besides its text, image and parameter.
const UINT kRowStates = LVIS_STATEIMAGEMASK | LVIS_OVERLAYMASK | LVIS_SELECTED | LVIS_FOCUSED | LVIS_CUT |
                        LVIS_DROPHILITED;

// Ascending Order of the records behind two rows.
int CALLBACK CompareRowsByOrder(LPARAM first, LPARAM second, LPARAM listParam)
{
    const CAxRegList* list = reinterpret_cast<const CAxRegList*>(listParam);
    const CAxDllInfo* a = list->GetDllInfo((int)first);
    const CAxDllInfo* b = list->GetDllInfo((int)second);
    if (!a || !b || a->dwOrder == b->dwOrder)
        return 0;
    return a->dwOrder < b->dwOrder ? -1 : 1;
}

void EnableControl(HWND dialog, int id, BOOL enable)
{
    ::EnableWindow(::GetDlgItem(dialog, id), enable);
}

// The About applet as a fresh installation registers it: hidden, first,
// from the folder this program runs from.
BOOL RegisterAboutApplet()
{
    CAxDllInfo about;
    if (!CAxReg::InitInfo(&about, AX_APPLETS_KEY, L"About"))
        return FALSE;
    CModuleInfo program(::GetModuleHandleW(nullptr));
    // A cut path would name another file: register nothing instead.
    if (FAILED(StringCchPrintfW(about.szDLL, CAxDllInfo::kDllChars, L"%ls\\About.dll", program.GetPath())))
        return FALSE;
    about.dwEnabled = 1;
    about.dwType = AX_TYPE_HIDDEN;
    about.dwOptions = 0;
    about.dwOrder = 0;
    StringCchCopyW(about.szGroup, CAxDllInfo::kGroupChars, L"Default");
    about.dwNotify = 0;
    return CAxReg::AddAppletInfo(&about);
}

}  // namespace

CAppletPage::CAppletPage()
{
    // The page's template holds a list view.
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
}

CAppletPage::~CAppletPage() = default;

HWND CAppletPage::Owner() const
{
    return GetParent() ? GetParent() : m_hWnd;
}

BOOL CAppletPage::OnInitDialog()
{
    COptionPage::OnInitDialog();
    HWND list = List();
    // The device's "no horizontal scroll" style means something else on the
    // desktop (automatic column sizing); a column as wide as the list's
    // client area does its job.
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, kListExStyles, kListExStyles);
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH;
    column.fmt = LVCFMT_LEFT;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, 0, (LPARAM)&column);
    FillList();
    return TRUE;
}

void CAppletPage::FitColumn()
{
    RECT client;
    if (::GetClientRect(List(), &client))
        ::SendMessageW(List(), LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(client.right, 0));
}

void CAppletPage::FillList()
{
    HWND list = List();
    ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    m_pList.reset(new CAxRegList);
    m_pList->LoadList(AX_APPLETS_KEY);

    int row = 0;
    for (int i = 0; i < m_pList->GetCount(); ++i) {
        const CAxDllInfo* info = m_pList->GetDllInfo(i);
        if (CAxRegList::IsHidden(info))
            continue;
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(info->szName);
        item.lParam = i;
        int inserted = (int)::SendMessageW(list, LVM_INSERTITEMW, 0, (LPARAM)&item);
        if (inserted < 0)
            continue;
        ListView_SetCheckState(list, inserted, info->dwEnabled != 0);
        ++row;
    }
    SortList();
    FitColumn();
}

void CAppletPage::SortList()
{
    if (m_pList)
        ::SendMessageW(List(), LVM_SORTITEMS, (WPARAM)m_pList.get(), (LPARAM)&CompareRowsByOrder);
}

int CAppletPage::SelectedRow() const
{
    // Selected only: asking for "selected or focused" means both at once.
    return (int)::SendMessageW(List(), LVM_GETNEXTITEM, (WPARAM)-1, MAKELPARAM(LVNI_SELECTED, 0));
}

CAxDllInfo* CAppletPage::RecordOfRow(int row) const
{
    if (!m_pList || row < 0)
        return nullptr;
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!::SendMessageW(List(), LVM_GETITEMW, 0, (LPARAM)&item))
        return nullptr;
    return m_pList->GetDllInfo((int)item.lParam);
}

void CAppletPage::UpdateButtons()
{
    int row = SelectedRow();
    if (row < 0) {
        EnableControl(m_hWnd, IDC_APPLET_MOVE_UP, FALSE);
        EnableControl(m_hWnd, IDC_APPLET_MOVE_DOWN, FALSE);
        EnableControl(m_hWnd, IDC_APPLET_OPTIONS, FALSE);
        return;
    }
    int rows = (int)::SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0);
    const CAxDllInfo* info = RecordOfRow(row);
    EnableControl(m_hWnd, IDC_APPLET_DELETE, TRUE);
    EnableControl(m_hWnd, IDC_APPLET_MOVE_UP, row > 0);
    EnableControl(m_hWnd, IDC_APPLET_MOVE_DOWN, row < rows - 1);
    EnableControl(m_hWnd, IDC_APPLET_OPTIONS, info && info->dwOptions != 0);
}

// The two rows exchange places and their records their orders; the
// registry learns of it on saving.
void CAppletPage::MoveSelected(int step)
{
    HWND list = List();
    int row = SelectedRow();
    int other = row + step;
    int rows = (int)::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    if (row < 0 || other < 0 || other >= rows)
        return;

    wchar_t movedText[CAxDllInfo::kNameChars] = {};
    wchar_t otherText[CAxDllInfo::kNameChars] = {};
    LVITEMW moved = {};
    LVITEMW displaced = {};
    moved.mask = displaced.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    moved.stateMask = displaced.stateMask = kRowStates;
    moved.iItem = row;
    moved.pszText = movedText;
    moved.cchTextMax = CAxDllInfo::kNameChars;
    displaced.iItem = other;
    displaced.pszText = otherText;
    displaced.cchTextMax = CAxDllInfo::kNameChars;
    if (!::SendMessageW(list, LVM_GETITEMW, 0, (LPARAM)&moved) ||
        !::SendMessageW(list, LVM_GETITEMW, 0, (LPARAM)&displaced))
        return;
    CAxDllInfo* movedInfo = m_pList ? m_pList->GetDllInfo((int)moved.lParam) : nullptr;
    CAxDllInfo* otherInfo = m_pList ? m_pList->GetDllInfo((int)displaced.lParam) : nullptr;
    if (!movedInfo || !otherInfo)
        return;
    DWORD order = movedInfo->dwOrder;
    movedInfo->dwOrder = otherInfo->dwOrder;
    otherInfo->dwOrder = order;

    displaced.iItem = row;
    displaced.state &= ~(LVIS_SELECTED | LVIS_FOCUSED);
    moved.iItem = other;
    moved.state |= LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_SETITEMW, 0, (LPARAM)&displaced);
    ::SendMessageW(list, LVM_SETITEMW, 0, (LPARAM)&moved);
    ::SendMessageW(list, LVM_ENSUREVISIBLE, other, FALSE);
    ::InvalidateRect(list, nullptr, TRUE);
    UpdateButtons();
}

void CAppletPage::DeleteSelected()
{
    int row = SelectedRow();
    const CAxDllInfo* info = RecordOfRow(row);
    if (!info)
        return;
    // The record stays in the list: saving never recreates its key.
    if (CAxReg::DelAppletInfo(info))
        ::SendMessageW(List(), LVM_DELETEITEM, row, 0);
    UpdateButtons();
}

void CAppletPage::DeleteAll()
{
    if (::MessageBoxW(Owner(), L"Are you sure to delete all applets? You need to reinstall applets.",
                      L"Delete All Applets", MB_OKCANCEL) != IDOK)
        return;
    ::SendMessageW(List(), LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; m_pList && i < m_pList->GetCount(); ++i)
        CAxReg::DelAppletInfo(m_pList->GetDllInfo(i));
    RegisterAboutApplet();
    // The old records must go too: saving them would overwrite the new
    // About. The fresh list shows no rows, About being hidden.
    FillList();
    UpdateButtons();
}

void CAppletPage::ImportTodayItems()
{
    if (::MessageBoxW(Owner(),
                      L"Going to import all Today items. Some of Today applets may not working properly on Ketra. "
                      L"If you're in this case, please delete them from the list.",
                      L"Import Today Items", MB_OKCANCEL) != IDOK)
        return;
    // The list is reloaded below: keep the check marks and moves made so far.
    Save();
    int imported = ImportTodayApplets(TODAY_ITEMS_KEY, AX_APPLETS_KEY);
    if (imported < 0)
        return;
    if (imported > 0) {
        wchar_t text[64];
        StringCchPrintfW(text, ARRAYSIZE(text), L"Imported %d Today Applets.", imported);
        ::MessageBoxW(Owner(), text, L"Today Applet", MB_OK);
    } else {
        ::MessageBoxW(Owner(), L"Couldn't find New Today Applet.", L"Today Applet", MB_OKCANCEL);
    }
    FillList();
    UpdateButtons();
}

void CAppletPage::OpenSelectedOptions()
{
    const CAxDllInfo* info = RecordOfRow(SelectedRow());
    if (info)
        RunAppletOptionsDialog(m_hWnd, info->szDLL);
}

LRESULT CAppletPage::OnCommand(UINT id, UINT code)
{
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_APPLET_MOVE_UP: MoveSelected(-1); return TRUE;
        case IDC_APPLET_MOVE_DOWN: MoveSelected(+1); return TRUE;
        case IDC_APPLET_OPTIONS: OpenSelectedOptions(); return TRUE;
        case IDC_APPLET_DELETE: DeleteSelected(); return TRUE;
        case IDC_APPLET_DELETE_ALL: DeleteAll(); return TRUE;
        case IDC_APPLET_IMPORT: ImportTodayItems(); return TRUE;
        }
    }
    return COptionPage::OnCommand(id, code);
}

LRESULT CAppletPage::OnNotify(WPARAM /*wParam*/, LPARAM lParam)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == IDC_APPLET_LIST && header->code == LVN_ITEMCHANGED)
        UpdateButtons();
    return 0;
}

void CAppletPage::ApplyCheckMarks()
{
    HWND list = List();
    int rows = (int)::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    for (int row = 0; row < rows; ++row)
        if (CAxDllInfo* info = RecordOfRow(row))
            info->dwEnabled = ListView_GetCheckState(list, row) ? 1 : 0;
}

void CAppletPage::Save()
{
    if (!m_pList)
        return;
    ApplyCheckMarks();
    m_pList->SaveList(AX_APPLETS_KEY);
}
