// The Skin page: the side bar's skin and the applets' colours.
#include "skin_page.h"

#include <commdlg.h>
#include <strsafe.h>

#include "colour_sets.h"
#include "resource.h"
#include "skin_folder.h"

namespace {

const wchar_t kKetraKey[] = L"Software\\ZARQ\\Ketra";
const wchar_t kColoursKey[] = L"Software\\ZARQ\\Ketra\\Colors";
const wchar_t kDefaultSkin[] = L"Default";
const wchar_t* const kColourValues[3] = {L"1", L"2", L"3"};

const int kColourButtons[3] = {IDC_SKIN_COLOR1, IDC_SKIN_COLOR2, IDC_SKIN_TEXT_COLOR};
const int kSwatches[3] = {IDC_SKIN_SWATCH1, IDC_SKIN_SWATCH2, IDC_SKIN_SWATCH_TEXT};

// A list's notices of a choice. Some platforms close the list before they
// report the changed selection of a tap, so the end of a choice made in the
// open list counts too.
bool IsChoiceInList(UINT code)
{
    return code == CBN_SELCHANGE || code == CBN_SELENDOK;
}

// Which colour a button or swatch picks; -1 for other controls.
int ColourIndexOf(UINT id)
{
    for (int i = 0; i < 3; ++i)
        if (kColourButtons[i] == (int)id || kSwatches[i] == (int)id)
            return i;
    return -1;
}

}  // namespace

CSkinPage::CSkinPage() : m_szSkinsFolder{}, m_szSkin{}
{
    const SkinColourSet* defaults = FindColourSet(L"Default");
    m_colours[0] = defaults->colour1;
    m_colours[1] = defaults->colour2;
    m_colours[2] = defaults->text;
    StringCchCopyW(m_szSkin, kSkinNameChars, kDefaultSkin);
}

BOOL CSkinPage::OnInitDialog()
{
    COptionPage::OnInitDialog();
    LoadSettings();
    FillSkinList();
    FillColourSetList();
    {
        CClientDC screen(m_hWnd);
        m_preview.Create(screen);
    }
    RebuildPreview();
    return TRUE;
}

void CSkinPage::LoadSettings()
{
    // Without the install folder there is nothing to list or delete.
    ReadSkinsFolder(m_szSkinsFolder, MAX_PATH);

    CRegistry ketra;
    if (ketra.Open(HKEY_LOCAL_MACHINE, kKetraKey, TRUE)) {
        wchar_t skin[CRegistry::kMaxText] = {};
        DWORD size = CRegistry::kMaxText;
        if (ketra.ReadString(L"Skin", skin, &size))
            StringCchCopyW(m_szSkin, kSkinNameChars, skin);
    }
    CRegistry colours;
    if (colours.Open(HKEY_LOCAL_MACHINE, kColoursKey, TRUE)) {
        for (int i = 0; i < 3; ++i) {
            DWORD value = 0;
            if (colours.ReadDWORD(kColourValues[i], &value))
                m_colours[i] = value;
        }
    }
}

void CSkinPage::FillSkinList()
{
    SendDlgItemMessageW(IDC_SKIN_LIST, CB_RESETCONTENT);
    for (const std::wstring& name : ListSkinFolders(m_szSkinsFolder))
        SendDlgItemMessageW(IDC_SKIN_LIST, CB_ADDSTRING, 0, (LPARAM)name.c_str());
    // The exact-string search ignores case, as skin names do.
    LRESULT index = SendDlgItemMessageW(IDC_SKIN_LIST, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)m_szSkin);
    SendDlgItemMessageW(IDC_SKIN_LIST, CB_SETCURSEL, index == CB_ERR ? (WPARAM)-1 : (WPARAM)index);
    ::EnableWindow(GetDlgItem(IDC_SKIN_DELETE), m_szSkinsFolder[0] != L'\0');
}

void CSkinPage::FillColourSetList()
{
    SendDlgItemMessageW(IDC_SKIN_COLOR_SET, CB_RESETCONTENT);
    int count = 0;
    const SkinColourSet* sets = ColourSets(&count);
    for (int i = 0; i < count; ++i)
        SendDlgItemMessageW(IDC_SKIN_COLOR_SET, CB_ADDSTRING, 0, (LPARAM)sets[i].name);
}

void CSkinPage::RebuildPreview()
{
    if (!m_szSkinsFolder[0])
        return;
    std::wstring description;
    CSkinPreview::Result result = m_preview.Build(m_szSkinsFolder, m_szSkin, &description);
    if (result != CSkinPreview::kNoSkinFile)
        SetDlgItemTextW(IDC_SKIN_DESCRIPTION,
                        description.empty() ? L"Author information is not provided." : description.c_str());
    LPCWSTR problem = nullptr;
    switch (result) {
    case CSkinPreview::kNoSkinFile: problem = L"Couldn't find Skin file."; break;
    case CSkinPreview::kNoBackgroundInfo: problem = L"Couldnn't find background info."; break;
    case CSkinPreview::kNoBackgroundImage: problem = L"Couldn't find background image."; break;
    default: break;
    }
    if (problem)
        ::MessageBoxW(m_hWnd, problem, L"Error", MB_OK | MB_ICONEXCLAMATION);
}

void CSkinPage::InvalidatePreview()
{
    RECT area = {kPreviewX, kPreviewY, kPreviewX + CSkinPreview::kWidth, kPreviewY + CSkinPreview::kHeight};
    InvalidateRect(&area, FALSE);
}

void CSkinPage::OnPaintPage(HDC hdc)
{
    m_preview.Draw(hdc, kPreviewX, kPreviewY);
}

std::wstring CSkinPage::SelectedText(int listId)
{
    LRESULT index = SendDlgItemMessageW(listId, CB_GETCURSEL);
    if (index == CB_ERR)
        return std::wstring();
    LRESULT length = SendDlgItemMessageW(listId, CB_GETLBTEXTLEN, (WPARAM)index);
    if (length == CB_ERR || length >= MAX_PATH)
        return std::wstring();
    wchar_t text[MAX_PATH] = {};
    if (SendDlgItemMessageW(listId, CB_GETLBTEXT, (WPARAM)index, (LPARAM)text) == CB_ERR)
        return std::wstring();
    return text;
}

bool CSkinPage::IsDroppedDown(int listId)
{
    return SendDlgItemMessageW(listId, CB_GETDROPPEDSTATE) != 0;
}

LRESULT CSkinPage::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case IDC_SKIN_LIST:
        if (IsChoiceInList(code))
            OnSkinChosen();
        return TRUE;
    case IDC_SKIN_COLOR_SET:
        if (IsChoiceInList(code))
            OnColourSetChosen();
        return TRUE;
    case IDC_SKIN_DELETE:
        if (code == BN_CLICKED)
            DeleteSkin();
        return TRUE;
    }
    int colour = ColourIndexOf(id);
    if (colour >= 0) {
        if (code == BN_CLICKED)
            PickColour(colour);
        return TRUE;
    }
    return COptionPage::OnCommand(id, code);
}

LRESULT CSkinPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM) {
        const DRAWITEMSTRUCT* item = (const DRAWITEMSTRUCT*)lParam;
        if (item && ColourIndexOf(item->CtlID) >= 0) {
            DrawSwatch(item);
            return TRUE;
        }
    }
    return COptionPage::OnMessage(message, wParam, lParam);
}

// Selection changes count only while the list is open: moving through a
// closed list with the keys would otherwise rebuild at every step.
void CSkinPage::OnSkinChosen()
{
    if (!IsDroppedDown(IDC_SKIN_LIST))
        return;
    std::wstring name = SelectedText(IDC_SKIN_LIST);
    if (name.empty() || _wcsicmp(name.c_str(), m_szSkin) == 0)
        return;
    StringCchCopyW(m_szSkin, kSkinNameChars, name.c_str());
    RebuildPreview();
    InvalidatePreview();
}

void CSkinPage::OnColourSetChosen()
{
    if (!IsDroppedDown(IDC_SKIN_COLOR_SET))
        return;
    const SkinColourSet* set = FindColourSet(SelectedText(IDC_SKIN_COLOR_SET).c_str());
    if (!set)
        return;
    m_colours[0] = set->colour1;
    m_colours[1] = set->colour2;
    m_colours[2] = set->text;
    for (int swatch : kSwatches)
        ::InvalidateRect(GetDlgItem(swatch), nullptr, FALSE);
}

void CSkinPage::PickColour(int index)
{
    COLORREF custom[16];
    for (COLORREF& c : custom)
        c = RGB(255, 255, 255);
    CHOOSECOLORW choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = m_hWnd;
    choose.rgbResult = m_colours[index];
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT;
    if (!::ChooseColorW(&choose) || choose.rgbResult == m_colours[index])
        return;
    m_colours[index] = choose.rgbResult;
    ::InvalidateRect(GetDlgItem(kSwatches[index]), nullptr, FALSE);
}

void CSkinPage::DrawSwatch(const DRAWITEMSTRUCT* item)
{
    HBRUSH brush = ::CreateSolidBrush(m_colours[ColourIndexOf(item->CtlID)]);
    ::FillRect(item->hDC, &item->rcItem, brush);
    ::DeleteObject(brush);
}

void CSkinPage::DeleteSkin()
{
    if (_wcsicmp(m_szSkin, kDefaultSkin) == 0) {
        ::MessageBoxW(m_hWnd, L"Default skin cannot be deleted.", L"Erorr", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The name comes from the registry or the list: only one of the listed
    // skin folders may go, never anything outside the skins folder.
    if (!IsDeletableSkin(m_szSkinsFolder, m_szSkin))
        return;
    if (::MessageBoxW(m_hWnd, L"Do you want to delete skin files?", L"Delete", MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    DeleteSkinFolder(m_szSkinsFolder, m_szSkin);
    StringCchCopyW(m_szSkin, kSkinNameChars, kDefaultSkin);
    FillSkinList();
    RebuildPreview();
    InvalidatePreview();
}

void CSkinPage::Save()
{
    CRegistry ketra;
    if (!ketra.Open(HKEY_LOCAL_MACHINE, kKetraKey, FALSE, TRUE) || !ketra.WriteString(L"Skin", m_szSkin))
        return;
    CRegistry colours;
    if (!colours.Open(HKEY_LOCAL_MACHINE, kColoursKey, FALSE, TRUE))
        return;
    for (int i = 0; i < 3; ++i)
        colours.WriteDWORD(kColourValues[i], m_colours[i]);
}
