// Controls of another program read and changed from a test: a list view, a
// tree view and a combo box.
//
// Messages that carry pointers to records are not carried across
// processes, so the list and tree views keep their records and text in a
// block allocated inside the control's process, copied in and out around
// each message.  Every message waits at most a few seconds for an answer.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace testkit {

// A block of memory inside the process of a window.
class RemoteBlock {
public:
    explicit RemoteBlock(HWND window, size_t size = 4096);
    ~RemoteBlock();
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool Ready() const { return block_ != nullptr; }
    // The block's address (plus offset) in the other process.
    char* At(size_t offset) const { return static_cast<char*>(block_) + offset; }
    bool Write(size_t offset, const void* data, size_t size) const;
    bool Read(size_t offset, void* data, size_t size) const;

private:
    HANDLE process_ = nullptr;
    void* block_ = nullptr;
};

// SendMessage that gives up after a few seconds (-1 then).
LRESULT SendWaiting(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The text of a control of any program as the control itself answers it
// (WM_GETTEXT): an edit box's caption, which TextOf reads, is not kept up
// to date with what it shows.  "(no answer)" when it does not answer.
std::wstring ControlText(HWND control);

class RemoteListView {
public:
    explicit RemoteListView(HWND list) : list_(list), block_(list) {}

    bool Ready() const { return block_.Ready(); }
    HWND Handle() const { return list_; }
    int Count() const;
    // The text of a row's column (0: the item itself, 1...: its subitems).
    std::wstring Text(int row, int column = 0) const;
    std::vector<std::wstring> Texts(int column = 0) const;
    int Find(const std::wstring& text) const;  // -1 when no row has it
    bool Checked(int row) const;
    std::vector<bool> CheckMarks() const;
    int Selected() const;  // -1 when none
    // Sets the check box the way a tap on it does (the control notifies).
    bool SetChecked(int row, bool checked);
    RECT RowOnScreen(int row) const;  // empty when there is no such row
    int ColumnWidth() const;
    // A stylus tap on the row beside its check box (scrolled into view first);
    // waits until it is selected.
    bool TapRow(int row);

private:
    HWND list_;
    RemoteBlock block_;
};

class RemoteTreeView {
public:
    explicit RemoteTreeView(HWND tree) : tree_(tree), block_(tree) {}

    bool Ready() const { return block_.Ready(); }
    HTREEITEM Root() const;
    HTREEITEM Child(HTREEITEM item) const;
    HTREEITEM Next(HTREEITEM item) const;
    HTREEITEM Selected() const;
    std::wstring Text(HTREEITEM item) const;
    // The item reached by following the names from the root (the first name
    // is the root's); null when one is missing.
    HTREEITEM Find(const std::vector<std::wstring>& path) const;
    std::vector<std::wstring> ChildTexts(HTREEITEM item) const;
    RECT ItemOnScreen(HTREEITEM item) const;  // the text's rectangle
    bool TapItem(HTREEITEM item);

private:
    HWND tree_;
    RemoteBlock block_;
};

// Combo boxes pass their text messages across processes themselves.
class RemoteComboBox {
public:
    explicit RemoteComboBox(HWND combo) : combo_(combo) {}

    int Count() const;
    std::wstring Text(int index) const;
    std::vector<std::wstring> Texts() const;
    int Find(const std::wstring& text) const;  // CB_ERR when missing
    int Selected() const;
    std::wstring SelectedText() const;
    // A choice from the dropped list, with the notification the list sends
    // its parent; with `post`, the notification is posted (for a choice
    // that opens a message box the test answers).
    bool Choose(int index, bool post = false);
    bool Choose(const std::wstring& text, bool post = false);
    // The choice made with two stylus taps: one opens the list, one picks
    // the item where the open list shows it (the list scrolls its selected
    // item into view as it opens; an item out of view is scrolled to first).
    bool TapChoose(const std::wstring& text);

private:
    HWND combo_;
};

}  // namespace testkit
