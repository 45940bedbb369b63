#include "remote_controls.h"

#include "input.h"
#include "pump.h"
#include "window_find.h"

namespace testkit {

namespace {

const DWORD kTimeoutMs = 5000;
const size_t kTextOffset = 1024;  // records sit at offset 0
const int kTextChars = 256;

}  // namespace

LRESULT SendWaiting(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kTimeoutMs, &result))
        return -1;
    return (LRESULT)result;
}

std::wstring ControlText(HWND control)
{
    const LRESULT length = SendWaiting(control, WM_GETTEXTLENGTH, 0, 0);
    if (length < 0)
        return L"(no answer)";
    std::wstring text((size_t)length + 1, L'\0');
    if (SendWaiting(control, WM_GETTEXT, (WPARAM)text.size(), (LPARAM)&text[0]) < 0)
        return L"(no answer)";
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

// ---- RemoteBlock ----------------------------------------------------------------------

RemoteBlock::RemoteBlock(HWND window, size_t size)
{
    DWORD processId = 0;
    if (!window || !GetWindowThreadProcessId(window, &processId))
        return;
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_)
        block_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBlock::~RemoteBlock()
{
    if (block_)
        VirtualFreeEx(process_, block_, 0, MEM_RELEASE);
    if (process_)
        CloseHandle(process_);
}

bool RemoteBlock::Write(size_t offset, const void* data, size_t size) const
{
    SIZE_T written = 0;
    return block_ && WriteProcessMemory(process_, At(offset), data, size, &written) && written == size;
}

bool RemoteBlock::Read(size_t offset, void* data, size_t size) const
{
    SIZE_T read = 0;
    return block_ && ReadProcessMemory(process_, At(offset), data, size, &read) && read == size;
}

// ---- RemoteListView --------------------------------------------------------------------

int RemoteListView::Count() const
{
    return (int)SendWaiting(list_, LVM_GETITEMCOUNT, 0, 0);
}

std::wstring RemoteListView::Text(int row, int column) const
{
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<LPWSTR>(block_.At(kTextOffset));
    item.cchTextMax = kTextChars;
    if (!block_.Write(0, &item, sizeof(item)))
        return L"(unreadable)";
    const LRESULT length = SendWaiting(list_, LVM_GETITEMTEXTW, row, (LPARAM)block_.At(0));
    if (length < 0 || length >= kTextChars)
        return L"(unreadable)";
    std::wstring text((size_t)length, L'\0');
    if (length > 0 && !block_.Read(kTextOffset, &text[0], (size_t)length * sizeof(wchar_t)))
        return L"(unreadable)";
    return text;
}

std::vector<std::wstring> RemoteListView::Texts(int column) const
{
    std::vector<std::wstring> texts;
    for (int row = 0, rows = Count(); row < rows; ++row)
        texts.push_back(Text(row, column));
    return texts;
}

int RemoteListView::Find(const std::wstring& text) const
{
    for (int row = 0, rows = Count(); row < rows; ++row)
        if (Text(row) == text)
            return row;
    return -1;
}

bool RemoteListView::Checked(int row) const
{
    const LRESULT state = SendWaiting(list_, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK);
    return state >= 0 && ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

std::vector<bool> RemoteListView::CheckMarks() const
{
    std::vector<bool> marks;
    for (int row = 0, rows = Count(); row < rows; ++row)
        marks.push_back(Checked(row));
    return marks;
}

int RemoteListView::Selected() const
{
    return (int)SendWaiting(list_, LVM_GETNEXTITEM, (WPARAM)-1, MAKELPARAM(LVNI_SELECTED, 0));
}

bool RemoteListView::SetChecked(int row, bool checked)
{
    LVITEMW item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    return block_.Write(0, &item, sizeof(item)) &&
           SendWaiting(list_, LVM_SETITEMSTATE, row, (LPARAM)block_.At(0)) == TRUE;
}

RECT RemoteListView::RowOnScreen(int row) const
{
    RECT rect = {LVIR_BOUNDS, 0, 0, 0};
    if (!block_.Write(0, &rect, sizeof(rect)) ||
        SendWaiting(list_, LVM_GETITEMRECT, row, (LPARAM)block_.At(0)) != TRUE || !block_.Read(0, &rect, sizeof(rect)))
        return RECT{};
    MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int RemoteListView::ColumnWidth() const
{
    return (int)SendWaiting(list_, LVM_GETCOLUMNWIDTH, 0, 0);
}

bool RemoteListView::TapRow(int row)
{
    // A row scrolled out of sight is brought in first, as a user scrolls to it.
    SendWaiting(list_, LVM_ENSUREVISIBLE, row, FALSE);
    const RECT rect = RowOnScreen(row);
    // Beside the check box, which a tap would toggle.
    return rect.left < rect.right && Tap(rect.left + 40, (rect.top + rect.bottom) / 2) &&
           PumpUntil([&] { return Selected() == row; }, 5000);
}

// ---- RemoteTreeView --------------------------------------------------------------------

HTREEITEM RemoteTreeView::Root() const
{
    return (HTREEITEM)SendWaiting(tree_, TVM_GETNEXTITEM, TVGN_ROOT, 0);
}

HTREEITEM RemoteTreeView::Child(HTREEITEM item) const
{
    return (HTREEITEM)SendWaiting(tree_, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)item);
}

HTREEITEM RemoteTreeView::Next(HTREEITEM item) const
{
    return (HTREEITEM)SendWaiting(tree_, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)item);
}

HTREEITEM RemoteTreeView::Selected() const
{
    return (HTREEITEM)SendWaiting(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0);
}

std::wstring RemoteTreeView::Text(HTREEITEM item) const
{
    TVITEMW record = {};
    record.mask = TVIF_TEXT;
    record.hItem = item;
    record.pszText = reinterpret_cast<LPWSTR>(block_.At(kTextOffset));
    record.cchTextMax = kTextChars;
    wchar_t text[kTextChars] = {};
    if (!item || !block_.Write(0, &record, sizeof(record)) ||
        SendWaiting(tree_, TVM_GETITEMW, 0, (LPARAM)block_.At(0)) != TRUE ||
        !block_.Read(kTextOffset, text, sizeof(text)))
        return L"(unreadable)";
    text[kTextChars - 1] = 0;
    return text;
}

HTREEITEM RemoteTreeView::Find(const std::vector<std::wstring>& path) const
{
    HTREEITEM item = nullptr;
    for (size_t i = 0; i < path.size(); ++i) {
        HTREEITEM candidate = i == 0 ? Root() : Child(item);
        while (candidate && Text(candidate) != path[i])
            candidate = Next(candidate);
        if (!candidate)
            return nullptr;
        item = candidate;
    }
    return item;
}

std::vector<std::wstring> RemoteTreeView::ChildTexts(HTREEITEM item) const
{
    std::vector<std::wstring> texts;
    for (HTREEITEM child = Child(item); child; child = Next(child))
        texts.push_back(Text(child));
    return texts;
}

RECT RemoteTreeView::ItemOnScreen(HTREEITEM item) const
{
    // The message takes the item in the rectangle's place.
    RECT rect = {};
    if (!item || !block_.Write(0, &item, sizeof(item)) ||
        SendWaiting(tree_, TVM_GETITEMRECT, TRUE, (LPARAM)block_.At(0)) != TRUE || !block_.Read(0, &rect, sizeof(rect)))
        return RECT{};
    MapWindowPoints(tree_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool RemoteTreeView::TapItem(HTREEITEM item)
{
    const RECT rect = ItemOnScreen(item);
    return rect.left < rect.right && Tap((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2) &&
           PumpUntil([&] { return Selected() == item; }, 5000);
}

// ---- RemoteComboBox --------------------------------------------------------------------

int RemoteComboBox::Count() const
{
    return (int)SendWaiting(combo_, CB_GETCOUNT, 0, 0);
}

std::wstring RemoteComboBox::Text(int index) const
{
    const LRESULT length = SendWaiting(combo_, CB_GETLBTEXTLEN, index, 0);
    if (length < 0)
        return L"(none)";
    std::wstring text((size_t)length + 1, L'\0');
    SendWaiting(combo_, CB_GETLBTEXT, index, (LPARAM)&text[0]);
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

std::vector<std::wstring> RemoteComboBox::Texts() const
{
    std::vector<std::wstring> texts;
    for (int i = 0, n = Count(); i < n; ++i)
        texts.push_back(Text(i));
    return texts;
}

int RemoteComboBox::Find(const std::wstring& text) const
{
    return (int)SendWaiting(combo_, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text.c_str());
}

int RemoteComboBox::Selected() const
{
    return (int)SendWaiting(combo_, CB_GETCURSEL, 0, 0);
}

std::wstring RemoteComboBox::SelectedText() const
{
    return Text(Selected());
}

bool RemoteComboBox::Choose(int index, bool post)
{
    if (index < 0 || index >= Count())
        return false;
    HWND parent = GetParent(combo_);
    const WPARAM notice = MAKEWPARAM(GetDlgCtrlID(combo_), CBN_SELCHANGE);
    // An opened list follows the pointer: keep it off the list.
    SetCursorPos(235, 35);
    SendWaiting(combo_, CB_SHOWDROPDOWN, TRUE, 0);
    SendWaiting(combo_, CB_SETCURSEL, index, 0);
    if (post)
        return PostMessageW(parent, WM_COMMAND, notice, (LPARAM)combo_) != FALSE;
    SendWaiting(parent, WM_COMMAND, notice, (LPARAM)combo_);
    SendWaiting(combo_, CB_SHOWDROPDOWN, FALSE, 0);
    return true;
}

bool RemoteComboBox::Choose(const std::wstring& text, bool post)
{
    return Choose(Find(text), post);
}

bool RemoteComboBox::TapChoose(const std::wstring& text)
{
    const int index = Find(text);
    if (index < 0 || !TapWindow(combo_))
        return false;
    HWND list = nullptr;
    if (!PumpUntil([&] { return (list = VisibleWindow(L"ComboLBox")) != nullptr; }, 3000))
        return false;
    const int height = (int)SendWaiting(list, LB_GETITEMHEIGHT, 0, 0);
    const RECT drop = WindowRect(list);
    auto inView = [&](int top) {
        return top >= 0 && height > 0 && index >= top && drop.top + 1 + (index - top + 1) * height <= drop.bottom;
    };
    int top = (int)SendWaiting(list, LB_GETTOPINDEX, 0, 0);
    if (!inView(top)) {
        // Scrolled to it, as the user scrolls the open list.
        SendWaiting(list, LB_SETTOPINDEX, index, 0);
        top = (int)SendWaiting(list, LB_GETTOPINDEX, 0, 0);
        if (!inView(top))
            return false;
    }
    return Tap(drop.left + 20, drop.top + 1 + (index - top) * height + height / 2);
}

}  // namespace testkit
