// CFileTree: a tree view of the device's folders and filtered files.
#include "widgets.h"

#include "common_controls.h"

#include <strsafe.h>

#include <algorithm>
#include <string>
#include <vector>

extern "C" IMAGE_DOS_HEADER __ImageBase;  // Corvane's own module

namespace {

constexpr UINT kIconStrip = 110;
constexpr COLORREF kIconMask = 0x00FF00;

bool EndsWithNoCase(LPCWSTR name, LPCWSTR suffix) {
    const size_t n = wcslen(name), s = wcslen(suffix);
    return n >= s && _wcsicmp(name + n - s, suffix) == 0;
}

bool IsDotEntry(LPCWSTR name) { return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0; }

// Names in the folder matching the pattern, folders or files only, sorted.
std::vector<std::wstring> ListNames(LPCWSTR folder, LPCWSTR pattern, bool folders) {
    std::vector<std::wstring> names;
    WCHAR query[MAX_PATH];
    const bool rooted = folder[0] && folder[wcslen(folder) - 1] == L'\\';
    if (FAILED(StringCchPrintfW(query, MAX_PATH, rooted ? L"%ls%ls" : L"%ls\\%ls", folder, pattern))) return names;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW(query, &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder == folders && !IsDotEntry(data.cFileName)) names.emplace_back(data.cFileName);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return names;
}

}  // namespace

CFileTree::CFileTree() {
    m_szSelection[0] = L'\0';
    ResetFilterExt();
}

CFileTree::~CFileTree() {
    common_controls::DestroyImageList(m_hImages);
}

BOOL CFileTree::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    common_controls::Init(ICC_TREEVIEW_CLASSES);
    HWND hWnd = ::CreateWindowExW(0, WC_TREEVIEWW, L"", style, rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, parent ? parent->GetSafeHwnd() : nullptr,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                  reinterpret_cast<HINSTANCE>(&__ImageBase), nullptr);
    if (!hWnd) return TRUE;  // left empty, like a tree without its pictures
    Attach(hWnd);
    if (InitTreeViewImageLists()) InitTreeViewItems();
    return TRUE;
}

HTREEITEM CFileTree::GetRootItem() const { return TreeView_GetRoot(m_hWnd); }

BOOL CFileTree::InitTreeViewImageLists() {
    m_hImages = common_controls::CreateImageList(16, 15, ILC_COLOR24 | ILC_MASK, 6, 0);
    if (!m_hImages) return FALSE;
    HBITMAP strip = ::LoadBitmapW(reinterpret_cast<HINSTANCE>(&__ImageBase), MAKEINTRESOURCEW(kIconStrip));
    if (!strip) return FALSE;
    const int added = common_controls::AddMasked(m_hImages, strip, kIconMask);
    ::DeleteObject(strip);
    if (added < 0) return FALSE;
    TreeView_SetImageList(m_hWnd, m_hImages, TVSIL_NORMAL);
    return TRUE;
}

BOOL CFileTree::InitTreeViewItems() { return AddItemToTree(TVI_ROOT, L"\\", TRUE) != nullptr; }

BOOL CFileTree::Refresh() {
    m_szSelection[0] = L'\0';
    if (!m_hWnd) return TRUE;
    TreeView_DeleteAllItems(m_hWnd);
    InitTreeViewItems();
    return TRUE;
}

void CFileTree::ResetFilterExt() {
    m_nFilters = 0;
    for (auto& filter : m_szFilters) filter[0] = L'\0';
}

BOOL CFileTree::AddFilterExt(LPCWSTR extension) {
    if (!extension || !*extension) return FALSE;
    if (wcslen(extension) >= kFilterChars) return FALSE;  // would not fit its field
    for (int i = 0; i < m_nFilters; ++i) {
        if (_wcsicmp(m_szFilters[i], extension) == 0) return TRUE;
    }
    if (m_nFilters >= kMaxFilters) return FALSE;
    StringCchCopyW(m_szFilters[m_nFilters++], kFilterChars, extension);
    return TRUE;
}

int CFileTree::ImageFor(LPCWSTR name) {
    if (EndsWithNoCase(name, L".exe") || EndsWithNoCase(name, L".dll")) return kProgram;
    if (EndsWithNoCase(name, L".bmp") || EndsWithNoCase(name, L".gif") || EndsWithNoCase(name, L".jpg"))
        return kPicture;
    return kFile;
}

HTREEITEM CFileTree::AddItemToTree(HTREEITEM parent, LPCWSTR name, BOOL folder) {
    if (IsDotEntry(name)) return nullptr;
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = const_cast<LPWSTR>(name);
    insert.item.iImage = insert.item.iSelectedImage = folder ? kClosedFolder : ImageFor(name);
    insert.item.lParam = folder ? 1 : 0;
    insert.item.cChildren = folder ? 1 : 0;
    return TreeView_InsertItem(m_hWnd, &insert);
}

BOOL CFileTree::BuildDirectory(HTREEITEM item, LPWSTR path, size_t pathChars) const {
    if (!path || pathChars == 0) return FALSE;
    path[0] = L'\0';
    std::vector<std::wstring> names;  // from the item up to below the root
    for (HTREEITEM at = item; at; at = TreeView_GetParent(m_hWnd, at)) {
        if (!TreeView_GetParent(m_hWnd, at)) break;  // the root contributes "\"
        WCHAR text[MAX_PATH] = L"";
        TVITEMW record = {};
        record.mask = TVIF_TEXT;
        record.hItem = at;
        record.pszText = text;
        record.cchTextMax = MAX_PATH;
        if (!TreeView_GetItem(m_hWnd, &record)) return FALSE;
        names.emplace_back(text);
    }
    bool fits = SUCCEEDED(StringCchCopyW(path, pathChars, L"\\"));
    for (auto name = names.rbegin(); fits && name != names.rend(); ++name) {
        if (name != names.rbegin()) fits = SUCCEEDED(StringCchCatW(path, pathChars, L"\\"));
        if (fits) fits = SUCCEEDED(StringCchCatW(path, pathChars, name->c_str()));
    }
    if (!fits) path[0] = L'\0';  // never a cut path
    return fits;
}

int CFileTree::CompareFunc(LPCWSTR a, LPCWSTR b) { return _wcsicmp(a, b); }

int CFileTree::GetDirectoryContents(HTREEITEM item) {
    WCHAR folder[MAX_PATH];
    if (!BuildDirectory(item, folder, MAX_PATH)) return 0;
    auto byName = [](const std::wstring& a, const std::wstring& b) { return CompareFunc(a.c_str(), b.c_str()) < 0; };
    int inserted = 0;
    std::vector<std::wstring> folders = ListNames(folder, L"*.*", true);
    std::sort(folders.begin(), folders.end(), byName);
    for (const auto& name : folders) inserted += AddItemToTree(item, name.c_str(), TRUE) ? 1 : 0;
    for (int i = 0; i < m_nFilters; ++i) {
        WCHAR pattern[kFilterChars + 2];
        if (FAILED(StringCchPrintfW(pattern, ARRAYSIZE(pattern), L"*.%ls", m_szFilters[i]))) continue;
        std::vector<std::wstring> files = ListNames(folder, pattern, false);
        std::sort(files.begin(), files.end(), byName);
        for (const auto& name : files) inserted += AddItemToTree(item, name.c_str(), FALSE) ? 1 : 0;
    }
    return inserted;
}

void CFileTree::ItemExpanding(NMTREEVIEWW* record) {
    HTREEITEM item = record->itemNew.hItem;
    if (!(record->action & TVE_EXPAND) || TreeView_GetChild(m_hWnd, item)) return;
    if (GetDirectoryContents(item) == 0) {
        TVITEMW update = {};
        update.mask = TVIF_CHILDREN;
        update.hItem = item;
        update.cChildren = 0;  // nothing inside: no expand mark any more
        TreeView_SetItem(m_hWnd, &update);
    }
}

void CFileTree::ItemExpanded(NMTREEVIEWW* record) {
    HTREEITEM item = record->itemNew.hItem;
    const bool expanded = (record->action & TVE_EXPAND) != 0;
    TVITEMW update = {};
    update.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    update.hItem = item;
    update.iImage = update.iSelectedImage = expanded ? kOpenFolder : kClosedFolder;
    if (!expanded) {
        // Forget the children so that the next expansion reads the disk again.
        for (HTREEITEM child = TreeView_GetChild(m_hWnd, item); child; child = TreeView_GetChild(m_hWnd, item))
            TreeView_DeleteItem(m_hWnd, child);
        update.mask |= TVIF_STATE | TVIF_CHILDREN;
        update.stateMask = TVIS_EXPANDEDONCE | TVIS_EXPANDED;
        update.state = 0;
        update.cChildren = 1;
    }
    TreeView_SetItem(m_hWnd, &update);
}

HTREEITEM CFileTree::ItemAtMessagePoint() const {
    const DWORD position = ::GetMessagePos();
    TVHITTESTINFO hit = {};
    hit.pt.x = static_cast<short>(LOWORD(position));
    hit.pt.y = static_cast<short>(HIWORD(position));
    ::ScreenToClient(m_hWnd, &hit.pt);
    return TreeView_HitTest(m_hWnd, &hit);
}

LRESULT CFileTree::Click(NMHDR*) {
    HTREEITEM item = ItemAtMessagePoint();
    if (!item) return 0;
    if (TreeView_GetChild(m_hWnd, item)) {
        m_szSelection[0] = L'\0';
        return 0;
    }
    return BuildDirectory(item, m_szSelection, MAX_PATH) ? 1 : 0;
}

LRESULT CFileTree::OnNotify(int, NMHDR* header) {
    if (!header || header->hwndFrom != m_hWnd) return 0;
    switch (header->code) {
    case TVN_ITEMEXPANDINGW:
        ItemExpanding(reinterpret_cast<NMTREEVIEWW*>(header));
        break;
    case TVN_ITEMEXPANDEDW:
        ItemExpanded(reinterpret_cast<NMTREEVIEWW*>(header));
        break;
    case NM_CLICK:
        Click(header);
        break;
    default:
        break;
    }
    return 0;
}
