// A list-view control of another process, read and changed from a test.
//
// List-view messages that carry pointers are not carried across processes,
// so their records and text live in a block allocated inside the control's
// process and are copied in and out around each message.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class RemoteListView {
public:
    explicit RemoteListView(HWND list);
    ~RemoteListView();
    RemoteListView(const RemoteListView&) = delete;
    RemoteListView& operator=(const RemoteListView&) = delete;

    bool Ready() const { return block_ != nullptr; }
    HWND Handle() const { return list_; }

    int Count() const;
    std::wstring Text(int row) const;
    std::vector<std::wstring> Texts() const;
    bool Checked(int row) const;
    std::vector<bool> CheckMarks() const;
    // The selected row, or -1.
    int Selected() const;
    // Sets the check box the way a tap on it does (the control notifies).
    bool SetChecked(int row, bool checked);
    // The row's rectangle on the screen; empty when there is no such row.
    RECT RowOnScreen(int row) const;
    int ColumnWidth() const;

private:
    bool Write(size_t offset, const void* data, size_t size) const;
    bool Read(size_t offset, void* data, size_t size) const;
    char* Remote(size_t offset) const { return static_cast<char*>(block_) + offset; }

    HWND list_;
    HANDLE process_ = nullptr;
    void* block_ = nullptr;
};
