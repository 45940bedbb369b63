#include "contact_wnd.h"

#include <aygshell.h>
#include <applet_module.h>
#include <commctrl.h>
#include <ketra_host.h>
#include <pimstore.h>
#include <pimutil.h>

#include <algorithm>

bool StartContactLoader(CContactWnd* window, HANDLE* thread);

namespace {

const wchar_t kAddInsKey[] = L"Software\\ZARQ\\Ketra\\Applets\\Contacts\\AddIns";
const wchar_t kDeviceAddInsKey[] = L"Software\\Microsoft\\PimApps\\PimExtensions\\Contacts\\AddIns";
const wchar_t kPimUtil[] = L"\\Windows\\PimUtil.dll";
const size_t kMenuChars = 64;
const size_t kDllChars = 260;
const int kNameColumn = 90;
const int kNumberColumn = 130;
const size_t kListBatch = 100;

std::wstring ReadString(HKEY key, LPCWSTR name, size_t maxChars)
{
    std::vector<wchar_t> text(maxChars + 1, L'\0');
    DWORD cb = (DWORD)(maxChars * sizeof(wchar_t));
    if (RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, text.data(), &cb) != ERROR_SUCCESS)
        return std::wstring();
    return text.data();
}

}  // namespace

CContactWnd::CContactWnd()
{
    ::InitializeCriticalSection(&m_lock);
}

CContactWnd::~CContactWnd()
{
    ::DeleteCriticalSection(&m_lock);
}

void CContactWnd::OnCreate()
{
    HINSTANCE module = CorAppletModule();
    m_comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    m_cancel = false;
    m_rows.clear();
    m_buckets = TabBuckets();
    m_currentTab = 0;
    m_listed = 0;

    m_list = ::CreateWindowExW(0, WC_LISTVIEWW, L"",
                               WS_CHILD | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER,
                               0, 19, kWidth, kHeight - 19, m_hWnd, (HMENU)(UINT_PTR)kListId, module, nullptr);
    ::SetWindowLongPtrW(m_list, GWLP_USERDATA, (LONG_PTR)this);
    m_listProc = (WNDPROC)::SetWindowLongPtrW(m_list, GWLP_WNDPROC, (LONG_PTR)&ListProc);
    ::SendMessageW(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE);
    m_font.CreateFont(13, L"Arial", FW_NORMAL);
    ::SendMessageW(m_list, WM_SETFONT, (WPARAM)(HFONT)m_font, FALSE);
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH | LVCF_SUBITEM;
    column.cx = kNameColumn;
    ::SendMessageW(m_list, LVM_INSERTCOLUMNW, 0, (LPARAM)&column);
    // The number column takes at most what the name column and a vertical
    // scroll bar leave: the list never scrolls sideways.
    RECT client = {};
    ::GetClientRect(m_list, &client);
    column.cx = std::min(kNumberColumn, (int)client.right - kNameColumn - ::GetSystemMetrics(SM_CXVSCROLL));
    column.iSubItem = 1;
    ::SendMessageW(m_list, LVM_INSERTCOLUMNW, 1, (LPARAM)&column);
    ::ShowWindow(m_list, SW_SHOW);

    for (int i = 0; i < TabBuckets::kTabs; ++i) {
        m_tabs[i] = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_DISABLED,
                                      47 * i, 0, 48, 20, m_hWnd, (HMENU)(UINT_PTR)(kFirstTabId + i), module,
                                      nullptr);
        ::SendMessageW(m_tabs[i], WM_SETFONT, (WPARAM)(HFONT)m_font, FALSE);
    }

    // The bar is this window's top-level ancestor (its direct parent here).
    ::SendMessageW(::GetAncestor(m_hWnd, GA_ROOT), WM_KETRA_CONTROL, KETRA_CONTROL_FOCUS_ON, 0);
    Invalidate();
    LoadAddIns();
    StartContactLoader(this, &m_loader);
}

void CContactWnd::StopLoader()
{
    if (!m_loader)
        return;
    m_cancel = true;
    // The loader sends to the list and the tabs, which this thread owns:
    // their sent messages are answered while waiting.
    while (::MsgWaitForMultipleObjects(1, &m_loader, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG message;
        ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    ::CloseHandle(m_loader);
    m_loader = nullptr;
}

void CContactWnd::OnDestroy()
{
    StopLoader();
    if (m_list && m_listProc)
        ::SetWindowLongPtrW(m_list, GWLP_WNDPROC, (LONG_PTR)m_listProc);
    m_listProc = nullptr;
    ::EnterCriticalSection(&m_lock);
    m_rows.clear();
    ::LeaveCriticalSection(&m_lock);
    m_addIns.clear();
    m_font.DeleteObject();
    if (m_comStarted)
        CoUninitialize();
    m_comStarted = false;
    CApplet::OnDestroy();
}

BOOL CContactWnd::OnEraseBkgnd(HDC)
{
    return TRUE;
}

void CContactWnd::LoadAddIns()
{
    m_addIns.clear();
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAddInsKey, 0, KEY_READ, &key) != ERROR_SUCCESS &&
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDeviceAddInsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD cch = 256;
        if (RegEnumKeyExW(key, index, name, &cch, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY addIn = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &addIn) != ERROR_SUCCESS)
            continue;
        m_addIns.push_back({ReadString(addIn, L"menu", kMenuChars), ReadString(addIn, L"dll", kDllChars)});
        RegCloseKey(addIn);
    }
    RegCloseKey(key);
}

int CContactWnd::FocusedRow() const
{
    return (int)::SendMessageW(m_list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_FOCUSED);
}

bool CContactWnd::RowOid(int row, long* oid) const
{
    ::EnterCriticalSection(&m_lock);
    bool loaded = row >= 0 && (size_t)row < m_rows.size();
    if (loaded)
        *oid = m_rows[(size_t)row]->oid;
    ::LeaveCriticalSection(&m_lock);
    return loaded;
}

void CContactWnd::UpdateTabs()
{
    ::EnterCriticalSection(&m_lock);
    int count = m_buckets.count;
    ::LeaveCriticalSection(&m_lock);
    // Only labelled tabs take taps; the current one is disabled so it reads as pressed.
    for (int i = 0; i < TabBuckets::kTabs; ++i)
        ::EnableWindow(m_tabs[i], i < count && i != m_currentTab);
}

void CContactWnd::SelectTab(int tab)
{
    m_currentTab = ((tab % TabBuckets::kTabs) + TabBuckets::kTabs) % TabBuckets::kTabs;
    ::EnterCriticalSection(&m_lock);
    int row = m_buckets.boundary[m_currentTab];
    int count = m_buckets.count;
    ::LeaveCriticalSection(&m_lock);
    if (count > 0 && row < m_listed) {
        POINT at = {};
        POINT top = {};
        ::SendMessageW(m_list, LVM_GETITEMPOSITION, row, (LPARAM)&at);
        ::SendMessageW(m_list, LVM_GETITEMPOSITION, ::SendMessageW(m_list, LVM_GETTOPINDEX, 0, 0), (LPARAM)&top);
        ::SendMessageW(m_list, LVM_SCROLL, 0, at.y - top.y);
        LVITEMW state = {};
        state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
        state.state = LVIS_FOCUSED | LVIS_SELECTED;
        ::SendMessageW(m_list, LVM_SETITEMSTATE, row, (LPARAM)&state);
        ::SetFocus(m_list);
    }
    UpdateTabs();
}

// Rows loaded since the last call, into the list with its drawing off
// until the last of them: a batch at a time, the next one posted, so input
// and painting get their turn in between.
void CContactWnd::ListLoadedRows()
{
    std::vector<std::pair<std::wstring, std::wstring>> texts;  // name, number shown
    ::EnterCriticalSection(&m_lock);
    const size_t loaded = m_rows.size();
    const size_t end = std::min(loaded, (size_t)m_listed + kListBatch);
    for (size_t i = (size_t)m_listed; i < end; ++i)
        texts.emplace_back(m_rows[i]->name, m_rows[i]->Shown());
    ::LeaveCriticalSection(&m_lock);
    if (end < loaded)
        ::PostMessageW(m_hWnd, kRowsLoaded, 0, 0);
    if (texts.empty())
        return;
    ::SendMessageW(m_list, WM_SETREDRAW, FALSE, 0);
    for (const auto& text : texts) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = m_listed;
        item.pszText = const_cast<wchar_t*>(text.first.c_str());
        int at = (int)::SendMessageW(m_list, LVM_INSERTITEMW, 0, (LPARAM)&item);
        if (at < 0)
            break;
        ++m_listed;
        if (!text.second.empty()) {
            item.iSubItem = 1;
            item.pszText = const_cast<wchar_t*>(text.second.c_str());
            ::SendMessageW(m_list, LVM_SETITEMTEXTW, at, (LPARAM)&item);
        }
    }
    ::SendMessageW(m_list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(m_list, nullptr, FALSE);
}

void CContactWnd::OnFocusedRow(int row)
{
    ::EnterCriticalSection(&m_lock);
    int bucket = (size_t)row < m_rows.size() ? m_buckets.BucketOf(row) : -1;
    ::LeaveCriticalSection(&m_lock);
    if (bucket < 0)
        return;
    m_currentTab = bucket;
    UpdateTabs();
}

void CContactWnd::OnActivated()
{
    int row = FocusedRow();
    long oid = 0;
    if (!RowOid(row, &oid))
        return;
    if (HWND ring = ::FindWindowW(nullptr, L"Ring Settings")) {
        ::SendMessageW(ring, kRingSettingsMessage, 2, (LPARAM)oid);
        return;
    }
    ::EnterCriticalSection(&m_lock);
    ContactRow& contact = *m_rows[(size_t)row];
    bool moved = contact.Advance();
    std::wstring shown = contact.Shown();
    ::LeaveCriticalSection(&m_lock);
    if (!moved)
        return;
    LVITEMW item = {};
    item.iSubItem = 1;
    item.pszText = const_cast<wchar_t*>(shown.c_str());
    ::SendMessageW(m_list, LVM_SETITEMTEXTW, row, (LPARAM)&item);
}

void CContactWnd::ShowHoldMenu(POINT screen)
{
    HMENU menu = ::CreatePopupMenu();
    for (size_t i = 0; i < m_addIns.size(); ++i)
        ::AppendMenuW(menu, MF_STRING, kAddInCommand + i, m_addIns[i].menu.c_str());
    if (!m_addIns.empty())
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, kLaunchCommand, L"Launch Contacts");
    ::AppendMenuW(menu, MF_STRING, kBeamCommand, L"Beam Contact...");
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(menu);
}

void CContactWnd::RunAddIn(size_t index)
{
    long oid = 0;
    if (index >= m_addIns.size() || !RowOid(FocusedRow(), &oid))
        return;
    HMODULE library = ::LoadLibraryW(m_addIns[index].dll.c_str());
    if (!library)
        return;
    auto command = (CEPIMCOMMAND)(void*)::GetProcAddress(library, "CePimCommand");
    if (command) {
        HANDLE items[1] = {(HANDLE)(ULONG_PTR)(ULONG)oid};
        command(nullptr, PT_CONTACT, 1, items, nullptr);
    }
    ::FreeLibrary(library);
}

void CContactWnd::Beam()
{
    long oid = 0;
    if (!RowOid(FocusedRow(), &oid))
        return;
    HMODULE library = ::LoadLibraryW(kPimUtil);
    if (!library)
        return;
    if (auto send = (PIMSENDITEMS)(void*)::GetProcAddress(library, "PimSendItems")) {
        CEOID item = (CEOID)oid;
        send(nullptr, &item, 1, 0);
    }
    ::FreeLibrary(library);
}

LRESULT CContactWnd::OnCommand(UINT id, UINT code)
{
    if (id >= kFirstTabId && id < kFirstTabId + TabBuckets::kTabs) {
        if (code == BN_CLICKED)
            SelectTab((int)(id - kFirstTabId));
        return 0;
    }
    if (id >= kAddInCommand && id < kAddInCommand + m_addIns.size()) {
        RunAddIn(id - kAddInCommand);
        return 0;
    }
    switch (id) {
    case kLaunchCommand:
        CSH::Execute(L":MSCONTACTS", L"");
        return 0;
    case kNewCommand:
        CSH::Execute(L":MSCONTACTS", L"-new");
        return 0;
    case kBeamCommand:
        Beam();
        return 0;
    }
    return CApplet::OnCommand(id, code);
}

LRESULT CContactWnd::OnNotify(WPARAM wParam, LPARAM lParam)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || header->idFrom != kListId)
        return CApplet::OnNotify(wParam, lParam);
    switch (header->code) {
    case LVN_ITEMCHANGED: {
        const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_FOCUSED) &&
            !(change->uOldState & LVIS_FOCUSED))
            OnFocusedRow(change->iItem);
        return 0;
    }
    case LVN_ITEMACTIVATE:
        OnActivated();
        return 0;
    case GN_CONTEXTMENU:
        ShowHoldMenu(reinterpret_cast<const NMRGINFO*>(lParam)->ptAction);
        return 0;
    }
    return CApplet::OnNotify(wParam, lParam);
}

LRESULT CContactWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_LEFT || wParam == VK_RIGHT) {
            SelectTab(m_currentTab + (wParam == VK_LEFT ? -1 : 1));
            return 0;
        }
        break;
    case kTabsLabelled:
        UpdateTabs();
        return 0;
    case kRowsLoaded:
        ListLoadedRows();
        return 0;
    case kLoaderDone:
        ListLoadedRows();
        ::SetFocus(m_list);
        return 0;
    }
    return CApplet::OnMessage(message, wParam, lParam);
}

// The list hands Left and Right to the applet (tab selection) and asks the
// shell whether a press is a hold, as the device's own list does.
LRESULT CALLBACK CContactWnd::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CContactWnd*>(::GetWindowLongPtrW(list, GWLP_USERDATA));
    WNDPROC original = self->m_listProc;
    if (message == WM_KEYDOWN && (wParam == VK_LEFT || wParam == VK_RIGHT))
        ::SendMessageW(self->m_hWnd, WM_KEYDOWN, wParam, lParam);
    if (message == WM_LBUTTONDOWN) {
        LVHITTESTINFO hit = {};
        hit.pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
        int row = (int)::CallWindowProcW(original, list, LVM_HITTEST, 0, (LPARAM)&hit);
        SHRGINFO gesture = {};
        gesture.cbSize = sizeof(gesture);
        gesture.hwndClient = list;
        gesture.ptDown = hit.pt;
        gesture.dwFlags = SHRG_RETURNCMD;
        if (row >= 0 && ::SHRecognizeGesture(&gesture) == GN_CONTEXTMENU) {
            LVITEMW state = {};
            state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
            state.state = LVIS_FOCUSED | LVIS_SELECTED;
            ::CallWindowProcW(original, list, LVM_SETITEMSTATE, row, (LPARAM)&state);
            NMRGINFO info = {};
            info.hdr.hwndFrom = list;
            info.hdr.idFrom = kListId;
            info.hdr.code = GN_CONTEXTMENU;
            info.ptAction = hit.pt;
            ::ClientToScreen(list, &info.ptAction);
            info.dwItemSpec = (DWORD)row;
            ::SendMessageW(self->m_hWnd, WM_NOTIFY, kListId, (LPARAM)&info);
            return 0;
        }
    }
    return ::CallWindowProcW(original, list, message, wParam, lParam);
}
