// The designer's editor panel: the items, the selected item's editors, and
// the colour and picture changes they make.
#include "designer_wnd.h"

#include <commdlg.h>
#include <strsafe.h>
#include <tskdialogs.h>

#include "resource.h"

namespace {

const RECT kItemsBox = {50, 10, 230, 150};  // with its drop-down list
const POINT kItemLabelAt = {15, 12};
const RECT kFrame = {3, 3, 235, 59};
const RECT kApplyButton = {160, 72, 230, 102};
// The editors' row: label and swatch pairs side by side.
const int kEditorTop = 36;
const int kEditorHeight = 18;
const int kEditorLeft = 8;
const int kEditorWidth = 224;
const int kSwatchWidth = 22;
const int kEditorGap = 4;
const SIZE kTodayMinimum = {240, 268};

void Place(HWND button, int x, int width)
{
    ::SetWindowPos(button, nullptr, x, kEditorTop, width, kEditorHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void CDesignerWnd::CreatePanel()
{
    HINSTANCE instance = CorGetInstance();
    m_hItems = ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST,
                                 kItemsBox.left, kItemsBox.top, kItemsBox.right - kItemsBox.left,
                                 kItemsBox.bottom - kItemsBox.top, m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_ITEMS)), instance, nullptr);
    for (int i = 0; i < kItemCount; ++i)
        ::SendMessageW(m_hItems, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(GetDesignItem(i).text));
    ::SendMessageW(m_hItems, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);

    // Each item's editors, shown only while it is selected.
    for (int i = 0; i < kItemCount; ++i) {
        const DesignItem& item = GetDesignItem(i);
        const int slot = kEditorWidth / item.editorCount;
        for (int e = 0; e < item.editorCount; ++e) {
            const DesignEditor& editor = item.editors[e];
            const int x = kEditorLeft + slot * e;
            const bool image = editor.edits < 0;
            const int swatch = image ? kSwatchWidth + 6 : kSwatchWidth;
            HWND label = ::CreateWindowExW(0, L"BUTTON", editor.label, WS_CHILD | BS_OWNERDRAW, 0, 0, 0, 0, m_hWnd,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(editor.labelId)), instance,
                                           nullptr);
            HWND button = ::CreateWindowExW(0, L"BUTTON", image ? L"..." : L"", WS_CHILD | BS_OWNERDRAW, 0, 0, 0, 0,
                                            m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(editor.swatchId)),
                                            instance, nullptr);
            Place(label, x, slot - swatch - kEditorGap * 2);
            Place(button, x + slot - swatch - kEditorGap, swatch);
        }
    }
    m_hApply = ::CreateWindowExW(0, L"BUTTON", L"Apply", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kApplyButton.left,
                                 kApplyButton.top, kApplyButton.right - kApplyButton.left,
                                 kApplyButton.bottom - kApplyButton.top, m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_APPLY)), instance, nullptr);
    ::SendMessageW(m_hApply, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    DrawPanel();
}

void CDesignerWnd::DrawPanel()
{
    HDC dc = m_panel;
    CBrush white(RGB(0xFF, 0xFF, 0xFF));
    RECT all = {0, 0, kMockupWidth, kPanelHeight};
    ::FillRect(dc, &all, white);
    {
        CPen pen(PS_SOLID, 1, RGB(0x80, 0x80, 0x80));
        CSelectObject selectedPen(dc, pen);
        CSelectObject selectedBrush(dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(dc, kFrame.left, kFrame.top, kFrame.right, kFrame.bottom);
    }
    CFont font;
    font.CreateFont(12, L"Tahoma", FW_NORMAL);
    CSelectObject selected(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::ExtTextOutW(dc, kItemLabelAt.x, kItemLabelAt.y, 0, nullptr, L"Item", 4, nullptr);
}

// Shows the item's editors instead of the last one's; item 0 shows the
// Start-menu mock-up, and selecting it again goes back to the Today one.
void CDesignerWnd::SelectItem(int item)
{
    if (item < 0 || item >= kItemCount)
        return;
    if (item == 0)
        m_bStartShown = m_nItem == 0 ? !m_bStartShown : true;
    else
        m_bStartShown = false;
    for (int i = 0; i < kItemCount; ++i) {
        const DesignItem& design = GetDesignItem(i);
        for (int e = 0; e < design.editorCount; ++e) {
            const int show = i == item ? SW_SHOW : SW_HIDE;
            ::ShowWindow(::GetDlgItem(m_hWnd, design.editors[e].labelId), show);
            ::ShowWindow(::GetDlgItem(m_hWnd, design.editors[e].swatchId), show);
        }
    }
    m_nItem = item;
    ::SendMessageW(m_hItems, CB_SETCURSEL, item, 0);
    RECT below = {0, kPanelHeight, kMockupWidth, kPanelHeight + kMockupHeight};
    ::InvalidateRect(m_hWnd, &below, FALSE);
}

const DesignEditor* CDesignerWnd::EditorOf(UINT id) const
{
    for (int i = 0; i < kItemCount; ++i) {
        const DesignItem& item = GetDesignItem(i);
        for (int e = 0; e < item.editorCount; ++e)
            if (item.editors[e].labelId == static_cast<int>(id) || item.editors[e].swatchId == static_cast<int>(id))
                return &item.editors[e];
    }
    return nullptr;
}

// Swatches in their colour (inverted while pressed); labels in Arial 14,
// black on white, white on black while pressed.
void CDesignerWnd::DrawEditorButton(const DRAWITEMSTRUCT* draw) const
{
    const DesignEditor* editor = draw ? EditorOf(draw->CtlID) : nullptr;
    if (!editor)
        return;
    const bool pressed = (draw->itemState & ODS_SELECTED) != 0;
    const bool swatch = static_cast<int>(draw->CtlID) == editor->swatchId;
    RECT area = draw->rcItem;
    if (swatch && editor->edits >= 0) {
        const COLORREF colour = m_info.m_color[editor->edits];
        CBrush brush(pressed ? 0x00FFFFFF - colour : colour);
        ::FillRect(draw->hDC, &area, brush);
        ::FrameRect(draw->hDC, &area, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        return;
    }
    CBrush background(pressed ? RGB(0, 0, 0) : RGB(0xFF, 0xFF, 0xFF));
    ::FillRect(draw->hDC, &area, background);
    if (swatch)
        ::FrameRect(draw->hDC, &area, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    CFont font;
    font.CreateFont(14, L"Arial", FW_NORMAL);
    CSelectObject selected(draw->hDC, font);
    ::SetBkMode(draw->hDC, TRANSPARENT);
    ::SetTextColor(draw->hDC, pressed ? RGB(0xFF, 0xFF, 0xFF) : RGB(0, 0, 0));
    const wchar_t* text = swatch ? L"..." : editor->label;
    ::DrawTextW(draw->hDC, text, -1, &area, (swatch ? DT_CENTER : DT_LEFT) | DT_VCENTER | DT_SINGLELINE);
}

void CDesignerWnd::ChangeColour(int index)
{
    if (index < 0 || index >= CTskColor::kCount)
        return;
    CHOOSECOLORW choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = m_hWnd;
    choose.rgbResult = m_info.m_color[index];
    choose.lpCustColors = m_custom;
    choose.Flags = CC_RGBINIT;
    if (!::ChooseColorW(&choose) || choose.rgbResult == m_info.m_color[index])
        return;
    m_info.m_color[index] = choose.rgbResult;
    m_bModified = true;
    Redraw();
    const DesignItem& item = GetDesignItem(m_nItem);
    for (int e = 0; e < item.editorCount; ++e)
        ::InvalidateRect(::GetDlgItem(m_hWnd, item.editors[e].swatchId), nullptr, FALSE);
}

// The chosen picture is copied into the edited image's own file (Start:
// slot 0, Today: slot 1), so that a theme whose two images were one file,
// or a file of the device, is never changed through the other.
void CDesignerWnd::ChangeImage(bool today)
{
    CImageDialog dialog;
    dialog.SetDialogInfo(m_hWnd, 0);
    dialog.SetFolder(m_szImageFolder);
    if (today)
        dialog.SetMinSize(kTodayMinimum.cx, kTodayMinimum.cy);
    if (dialog.DoModal() == 1 && dialog.GetFileName()[0]) {
        wchar_t* image = today ? m_info.m_szToday : m_info.m_szStart;
        wchar_t* other = today ? m_info.m_szStart : m_info.m_szToday;
        const wchar_t* own = m_files.Path(today ? kTskTempToday : kTskTempStart);
        const wchar_t* otherOwn = m_files.Path(today ? kTskTempStart : kTskTempToday);
        if (_wcsicmp(dialog.GetFileName(), image) != 0) {
            // The other image keeps its picture in a file of its own.
            if (_wcsicmp(other, own) == 0 && ::CopyFileW(own, otherOwn, FALSE)) {
                ::SetFileAttributesW(otherOwn, FILE_ATTRIBUTE_NORMAL);
                StringCchCopyW(other, MAX_PATH, otherOwn);
            }
            ::SetFileAttributesW(own, FILE_ATTRIBUTE_NORMAL);
            if (::CopyFileW(dialog.GetFileName(), own, FALSE)) {
                ::SetFileAttributesW(own, FILE_ATTRIBUTE_NORMAL);
                StringCchCopyW(image, MAX_PATH, own);
                m_bModified = true;
            }
        }
    }
    if (dialog.GetFolder()[0])
        StringCchCopyW(m_szImageFolder, MAX_PATH, dialog.GetFolder());
    Redraw();
}
