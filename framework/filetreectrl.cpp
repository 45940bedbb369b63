// CFileTreeCtrl: the file tree as a picker of one file or one folder.
#include "widgets.h"

#include <strsafe.h>

CFileTreeCtrl::CFileTreeCtrl() {
    m_szSelected[0] = L'\0';
    m_szFolder[0] = L'\0';
}

BOOL CFileTreeCtrl::GetItemText(HTREEITEM item, LPWSTR buffer, int bufferChars) const {
    if (!buffer || bufferChars <= 0) return FALSE;
    buffer[0] = L'\0';
    TVITEMW record = {};
    record.mask = TVIF_TEXT;
    record.hItem = item;
    record.pszText = buffer;
    record.cchTextMax = bufferChars;
    return TreeView_GetItem(m_hWnd, &record);
}

void CFileTreeCtrl::Expand(LPCWSTR path) {
    HTREEITEM current = GetRootItem();
    if (!current) return;
    TreeView_Expand(m_hWnd, current, TVE_EXPAND);
    if (!path) return;
    WCHAR copy[MAX_PATH];
    if (FAILED(StringCchCopyW(copy, MAX_PATH, path))) return;
    WCHAR* context = nullptr;
    for (WCHAR* part = wcstok_s(copy, L"\\", &context); part; part = wcstok_s(nullptr, L"\\", &context)) {
        HTREEITEM match = nullptr;
        for (HTREEITEM child = TreeView_GetChild(m_hWnd, current); child && !match;
             child = TreeView_GetNextSibling(m_hWnd, child)) {
            WCHAR text[MAX_PATH];
            if (GetItemText(child, text, MAX_PATH) && _wcsicmp(text, part) == 0) match = child;
        }
        if (!match) return;
        TreeView_Expand(m_hWnd, match, TVE_EXPAND);
        current = match;
    }
}

LRESULT CFileTreeCtrl::Click_FileSelect(HTREEITEM item) {
    WCHAR path[MAX_PATH];
    if (!BuildDirectory(item, path, MAX_PATH)) return 0;
    const DWORD attributes = ::GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        StringCchCopyW(m_szFolder, MAX_PATH, path);
        m_szSelected[0] = L'\0';
        return 0;
    }
    StringCchCopyW(m_szSelected, MAX_PATH, path);
    WCHAR* slash = wcsrchr(path, L'\\');
    if (slash) *(slash == path ? slash + 1 : slash) = L'\0';  // a file at the root keeps "\"
    StringCchCopyW(m_szFolder, MAX_PATH, path);
    return 1;
}

LRESULT CFileTreeCtrl::Click_FolderSelect(HTREEITEM item) {
    WCHAR path[MAX_PATH];
    if (!BuildDirectory(item, path, MAX_PATH)) return 0;
    const DWORD attributes = ::GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return 0;
    StringCchCopyW(m_szFolder, MAX_PATH, path);
    StringCchCopyW(m_szSelected, MAX_PATH, path);
    return 1;
}

LRESULT CFileTreeCtrl::TapItem(HTREEITEM item) {
    LRESULT result = 0;
    if (item) result = m_nSelectOption == kSelectFolder ? Click_FolderSelect(item) : Click_FileSelect(item);
    HWND parent = ::GetParent(m_hWnd);
    if (parent) ::SendMessageW(parent, kSelectionMessage, 0, 0);
    return result;
}

LRESULT CFileTreeCtrl::Click(NMHDR*) { return TapItem(ItemAtMessagePoint()); }

LRESULT CFileTreeCtrl::OnNotify(int id, NMHDR* header) {
    if (header && header->hwndFrom == m_hWnd && header->code == NM_CLICK) return Click(header);
    return CFileTree::OnNotify(id, header);
}
