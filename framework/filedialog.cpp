// CFileDialog: a modal "Browse" dialog picking a file or a folder.
#include "widgets.h"

#include <aygshell.h>
#include <strsafe.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;  // Corvane's own module holds the template

namespace {
constexpr DWORD kTreeStyle = 0x00810017;  // border, tab stop, buttons, lines, lines at root, no drag
}

CFileDialog::CFileDialog() { StringCchCopyW(m_szStartFolder, MAX_PATH, L"\\My Documents"); }

void CFileDialog::SetDialogInfo(HWND parent) {
    CDialog::SetDialogInfo(kTemplate, parent, FALSE, reinterpret_cast<HINSTANCE>(&__ImageBase));
}

void CFileDialog::SetCurrentFolder(LPCWSTR path) {
    if (!path || !*path) return;
    WCHAR copy[MAX_PATH];
    if (SUCCEEDED(StringCchCopyW(copy, MAX_PATH, path))) StringCchCopyW(m_szStartFolder, MAX_PATH, copy);
}

void CFileDialog::SetSelectOption(int option) {
    m_nSelectOption = option;
    m_tree.SetSelectOption(option);
}

LPCWSTR CFileDialog::GetSelection() const {
    return m_nSelectOption == CFileTreeCtrl::kSelectFolder ? m_tree.GetFolder() : m_tree.GetSelected();
}

BOOL CFileDialog::OnInitDialog() {
    m_tree.SetSelectOption(m_nSelectOption);
    m_tree.Create(kTreeStyle | WS_CHILD, CRect(0, 2, 207, 182), this, kTreeId);
    m_tree.Expand(m_szStartFolder);
    ::ShowWindow(m_tree, SW_SHOW);
    CenterWindow();
    ::SHDoneButton(m_hWnd, SHDB_SHOW);
    return TRUE;
}

LRESULT CFileDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case CFileTreeCtrl::kSelectionMessage:
        SetDlgItemTextW(kSelectionText, GetSelection());
        return 0;
    default:
        return CDialog::OnMessage(message, wParam, lParam);
    }
}

LRESULT CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam) {
    if (static_cast<int>(wParam) == kTreeId) return m_tree.OnNotify(kTreeId, reinterpret_cast<NMHDR*>(lParam));
    return CDialog::OnNotify(wParam, lParam);
}

LRESULT CFileDialog::OnCommand(UINT id, UINT code) { return CDialog::OnCommand(id, code); }
