#include "remote_list_view.h"

#include <commctrl.h>

namespace {

const size_t kBlockSize = 4096;
const size_t kTextOffset = 1024;  // the record sits at offset 0
const int kTextChars = 256;
const DWORD kTimeoutMs = 5000;

}  // namespace

RemoteListView::RemoteListView(HWND list) : list_(list)
{
    DWORD processId = 0;
    if (!list || !GetWindowThreadProcessId(list, &processId))
        return;
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_)
        block_ = VirtualAllocEx(process_, nullptr, kBlockSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteListView::~RemoteListView()
{
    if (block_)
        VirtualFreeEx(process_, block_, 0, MEM_RELEASE);
    if (process_)
        CloseHandle(process_);
}

bool RemoteListView::Write(size_t offset, const void* data, size_t size) const
{
    SIZE_T written = 0;
    return block_ && WriteProcessMemory(process_, Remote(offset), data, size, &written) && written == size;
}

bool RemoteListView::Read(size_t offset, void* data, size_t size) const
{
    SIZE_T read = 0;
    return block_ && ReadProcessMemory(process_, Remote(offset), data, size, &read) && read == size;
}

static LRESULT SendWaiting(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kTimeoutMs, &result))
        return -1;
    return (LRESULT)result;
}

int RemoteListView::Count() const
{
    return (int)SendWaiting(list_, LVM_GETITEMCOUNT, 0, 0);
}

std::wstring RemoteListView::Text(int row) const
{
    LVITEMW item = {};
    item.iSubItem = 0;
    item.pszText = reinterpret_cast<LPWSTR>(Remote(kTextOffset));
    item.cchTextMax = kTextChars;
    if (!Write(0, &item, sizeof(item)))
        return L"(unreadable)";
    LRESULT length = SendWaiting(list_, LVM_GETITEMTEXTW, row, (LPARAM)Remote(0));
    if (length < 0 || length >= kTextChars)
        return L"(unreadable)";
    std::wstring text((size_t)length, L'\0');
    if (length > 0 && !Read(kTextOffset, &text[0], (size_t)length * sizeof(wchar_t)))
        return L"(unreadable)";
    return text;
}

std::vector<std::wstring> RemoteListView::Texts() const
{
    std::vector<std::wstring> texts;
    for (int row = 0, rows = Count(); row < rows; ++row)
        texts.push_back(Text(row));
    return texts;
}

bool RemoteListView::Checked(int row) const
{
    LRESULT state = SendWaiting(list_, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK);
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
    return Write(0, &item, sizeof(item)) && SendWaiting(list_, LVM_SETITEMSTATE, row, (LPARAM)Remote(0)) == TRUE;
}

RECT RemoteListView::RowOnScreen(int row) const
{
    RECT rect = {LVIR_BOUNDS, 0, 0, 0};
    RECT none = {};
    if (!Write(0, &rect, sizeof(rect)) || SendWaiting(list_, LVM_GETITEMRECT, row, (LPARAM)Remote(0)) != TRUE ||
        !Read(0, &rect, sizeof(rect)))
        return none;
    MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int RemoteListView::ColumnWidth() const
{
    return (int)SendWaiting(list_, LVM_GETCOLUMNWIDTH, 0, 0);
}
