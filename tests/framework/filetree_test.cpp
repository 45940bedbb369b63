// The file tree against folders made on the device's disk.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "widgets.h"

namespace {

CFileTreeCtrl* g_tree = nullptr;
int g_selectionMessages = 0;

LRESULT CALLBACK ParentProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && g_tree) return g_tree->OnNotify(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam));
    if (message == CFileTreeCtrl::kSelectionMessage) ++g_selectionMessages;
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

const wchar_t kBase[] = L"\\TreeTest";

void WriteFile(const std::wstring& path) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << std::string(path.begin(), path.end());
    ::CloseHandle(file);
}

class FileTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CreateDirectoryW(kBase, nullptr);
        ::CreateDirectoryW((std::wstring(kBase) + L"\\Empty").c_str(), nullptr);
        ::CreateDirectoryW((std::wstring(kBase) + L"\\Full").c_str(), nullptr);
        WriteFile(std::wstring(kBase) + L"\\Full\\b.txt");
        WriteFile(std::wstring(kBase) + L"\\Full\\A.TXT");
        WriteFile(std::wstring(kBase) + L"\\Full\\skip.dat");
        WriteFile(std::wstring(kBase) + L"\\Full\\pic.bmp");
        ::CreateDirectoryW((std::wstring(kBase) + L"\\Full\\sub").c_str(), nullptr);

        WNDCLASSW wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FileTreeTestParent";
        ::RegisterClassW(&wc);  // fails harmlessly after the first test
        parent = ::CreateWindowW(L"FileTreeTestParent", L"tree parent", WS_POPUP, 0, 0, 240, 300, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        ASSERT_NE(nullptr, parent);
        CWnd parentWnd(parent);
        g_tree = &tree;
        g_selectionMessages = 0;
        tree.AddFilterExt(L"txt");
        tree.AddFilterExt(L"bmp");
        ASSERT_TRUE(tree.Create(0x00810017 | WS_CHILD | WS_VISIBLE, CRect(0, 2, 207, 182), &parentWnd, 17788));
        parentWnd.Detach();
        ASSERT_NE(nullptr, tree.GetRootItem());
    }
    void TearDown() override {
        g_tree = nullptr;
        tree.Detach();
        if (parent) ::DestroyWindow(parent);
        for (const wchar_t* name : {L"\\Full\\b.txt", L"\\Full\\A.TXT", L"\\Full\\skip.dat", L"\\Full\\pic.bmp",
                                    L"\\Full\\new.txt", L"\\Empty\\late.txt"})
            ::DeleteFileW((std::wstring(kBase) + name).c_str());
        ::RemoveDirectoryW((std::wstring(kBase) + L"\\Full\\sub").c_str());
        ::RemoveDirectoryW((std::wstring(kBase) + L"\\Full").c_str());
        ::RemoveDirectoryW((std::wstring(kBase) + L"\\Empty").c_str());
        ::RemoveDirectoryW(kBase);
    }

    HTREEITEM Child(HTREEITEM item, const wchar_t* name) {
        for (HTREEITEM c = TreeView_GetChild(tree, item); c; c = TreeView_GetNextSibling(tree, c)) {
            wchar_t text[MAX_PATH];
            if (tree.GetItemText(c, text) && wcscmp(text, name) == 0) return c;
        }
        return nullptr;
    }
    std::wstring Children(HTREEITEM item) {
        std::wstring all;
        for (HTREEITEM c = TreeView_GetChild(tree, item); c; c = TreeView_GetNextSibling(tree, c)) {
            wchar_t text[MAX_PATH];
            tree.GetItemText(c, text);
            all += std::wstring(text) + L"|";
        }
        return all;
    }
    TVITEMW Item(HTREEITEM item) {
        TVITEMW record = {};
        record.mask = TVIF_CHILDREN | TVIF_IMAGE | TVIF_STATE;
        record.stateMask = TVIS_EXPANDED;
        record.hItem = item;
        TreeView_GetItem(tree, &record);
        return record;
    }
    HTREEITEM Folder(const wchar_t* name) {
        tree.Expand(L"TreeTest");
        HTREEITEM base = Child(tree.GetRootItem(), L"TreeTest");
        return base ? Child(base, name) : nullptr;
    }

    HWND parent = nullptr;
    CFileTreeCtrl tree;
};

}  // namespace

TEST_F(FileTreeTest, ExpansionListsFoldersThenFilteredFilesSortedWithTheirImages) {
    HTREEITEM full = Folder(L"Full");
    ASSERT_NE(nullptr, full);
    TreeView_Expand(tree, full, TVE_EXPAND);
    EXPECT_EQ(L"sub|A.TXT|b.txt|pic.bmp|", Children(full));
    EXPECT_EQ(CFileTree::kOpenFolder, Item(full).iImage);
    EXPECT_EQ(CFileTree::kClosedFolder, Item(Child(full, L"sub")).iImage);
    EXPECT_EQ(1, Item(Child(full, L"sub")).cChildren);
    EXPECT_EQ(CFileTree::kFile, Item(Child(full, L"b.txt")).iImage);
    EXPECT_EQ(CFileTree::kPicture, Item(Child(full, L"pic.bmp")).iImage);
    wchar_t path[MAX_PATH];
    ASSERT_TRUE(tree.BuildDirectory(Child(full, L"b.txt"), path, MAX_PATH));
    EXPECT_STREQ(L"\\TreeTest\\Full\\b.txt", path);
    EXPECT_FALSE(tree.BuildDirectory(Child(full, L"b.txt"), path, 10));  // does not fit
    EXPECT_STREQ(L"", path);
}

TEST_F(FileTreeTest, AFolderWithNothingToShowLosesItsExpandMark) {
    HTREEITEM empty = Folder(L"Empty");
    ASSERT_NE(nullptr, empty);
    EXPECT_EQ(1, Item(empty).cChildren);
    TreeView_Expand(tree, empty, TVE_EXPAND);
    EXPECT_EQ(nullptr, TreeView_GetChild(tree, empty));
    EXPECT_EQ(0, Item(empty).cChildren);
}

TEST_F(FileTreeTest, CollapsingForgetsTheChildrenAndReExpandingReadsTheDisk) {
    HTREEITEM full = Folder(L"Full");
    ASSERT_NE(nullptr, full);
    TreeView_Expand(tree, full, TVE_EXPAND);
    // Collapse as the user does (TVM_EXPAND sends no notification for it).
    TreeView_SelectItem(tree, full);
    ::SendMessageW(tree, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(0u, Item(full).state & TVIS_EXPANDED);
    EXPECT_EQ(nullptr, TreeView_GetChild(tree, full));
    EXPECT_EQ(CFileTree::kClosedFolder, Item(full).iImage);
    WriteFile(std::wstring(kBase) + L"\\Full\\new.txt");
    TreeView_Expand(tree, full, TVE_EXPAND);
    EXPECT_EQ(L"sub|A.TXT|b.txt|new.txt|pic.bmp|", Children(full));
}

TEST_F(FileTreeTest, FiltersHoldSixteenDistinctShortExtensions) {
    tree.ResetFilterExt();
    EXPECT_FALSE(tree.AddFilterExt(nullptr));
    EXPECT_FALSE(tree.AddFilterExt(L""));
    EXPECT_FALSE(tree.AddFilterExt(L"sixteen_letters_"));  // longer than its field
    EXPECT_TRUE(tree.AddFilterExt(L"txt"));
    EXPECT_TRUE(tree.AddFilterExt(L"TXT"));
    EXPECT_EQ(1, tree.GetFilterCount());
    for (int i = 1; i < 16; ++i) EXPECT_TRUE(tree.AddFilterExt((L"e" + std::to_wstring(i)).c_str())) << i;
    EXPECT_FALSE(tree.AddFilterExt(L"e16"));
    EXPECT_TRUE(tree.AddFilterExt(L"e15"));  // already present
    EXPECT_EQ(16, tree.GetFilterCount());
}

TEST_F(FileTreeTest, FileModeTapsSelectFilesAndEnterFolders) {
    HTREEITEM full = Folder(L"Full");
    ASSERT_NE(nullptr, full);
    TreeView_Expand(tree, full, TVE_EXPAND);
    EXPECT_EQ(1, tree.TapItem(Child(full, L"b.txt")));
    EXPECT_STREQ(L"\\TreeTest\\Full\\b.txt", tree.GetSelected());
    EXPECT_STREQ(L"\\TreeTest\\Full", tree.GetFolder());
    EXPECT_EQ(0, tree.TapItem(Child(full, L"sub")));
    EXPECT_STREQ(L"", tree.GetSelected());
    EXPECT_STREQ(L"\\TreeTest\\Full\\sub", tree.GetFolder());
    EXPECT_EQ(2, g_selectionMessages);
}

TEST_F(FileTreeTest, FolderModeIgnoresFileTaps) {
    tree.SetSelectOption(CFileTreeCtrl::kSelectFolder);
    HTREEITEM full = Folder(L"Full");
    ASSERT_NE(nullptr, full);
    TreeView_Expand(tree, full, TVE_EXPAND);
    EXPECT_EQ(1, tree.TapItem(full));
    EXPECT_STREQ(L"\\TreeTest\\Full", tree.GetFolder());
    EXPECT_EQ(0, tree.TapItem(Child(full, L"b.txt")));
    EXPECT_STREQ(L"\\TreeTest\\Full", tree.GetFolder());
    EXPECT_STREQ(L"\\TreeTest\\Full", tree.GetSelected());
    EXPECT_EQ(2, g_selectionMessages);
}

namespace {

CFileDialog* g_dialog = nullptr;
std::wstring g_shownSelection;
UINT g_endCommand = IDOK;

// Runs inside the dialog's modal loop: taps the start folder, then its first
// file, reads the text field and ends the dialog.
void CALLBACK TapAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    CFileTreeCtrl& tree = g_dialog->m_tree;
    HTREEITEM item = TreeView_GetChild(tree, tree.GetRootItem());
    while (item) {
        wchar_t text[MAX_PATH];
        tree.GetItemText(item, text);
        if (wcscmp(text, L"TreeTest") == 0) break;
        item = TreeView_GetNextSibling(tree, item);
    }
    HTREEITEM full = item ? TreeView_GetChild(tree, item) : nullptr;  // "Empty", then "Full"
    full = full ? TreeView_GetNextSibling(tree, full) : nullptr;
    HTREEITEM file = full ? TreeView_GetNextSibling(tree, TreeView_GetChild(tree, full)) : nullptr;  // after "sub"
    if (full) tree.TapItem(full);
    if (file) tree.TapItem(file);
    wchar_t shown[MAX_PATH] = L"";
    g_dialog->GetDlgItemTextW(CFileDialog::kSelectionText, shown, MAX_PATH);
    g_shownSelection = shown;
    ::PostMessageW(*g_dialog, WM_COMMAND, g_endCommand, 0);
}

INT_PTR RunDialog(CFileDialog& dialog, HWND parent, UINT endCommand) {
    g_dialog = &dialog;
    g_endCommand = endCommand;
    g_shownSelection = L"?";
    dialog.SetDialogInfo(parent);
    ::SetTimer(nullptr, 0, 50, TapAndClose);
    const INT_PTR result = dialog.DoModal();
    g_dialog = nullptr;
    return result;
}

}  // namespace

TEST_F(FileTreeTest, FolderDialogShowsAndKeepsTheTappedFolder) {
    CFileDialog dialog;
    EXPECT_STREQ(L"\\My Documents", dialog.GetCurrentFolder());
    dialog.SetCurrentFolder(L"");
    EXPECT_STREQ(L"\\My Documents", dialog.GetCurrentFolder());
    dialog.SetCurrentFolder(L"\\TreeTest\\Full");
    dialog.SetSelectOption(CFileTreeCtrl::kSelectFolder);
    dialog.AddExt(L"txt");
    EXPECT_EQ(IDOK, RunDialog(dialog, parent, IDOK));
    EXPECT_EQ(L"\\TreeTest\\Full", g_shownSelection);  // the file tap changed nothing
    EXPECT_STREQ(L"\\TreeTest\\Full", dialog.GetSelection());
}

TEST_F(FileTreeTest, FileDialogShowsTheTappedFileAndKeepsItAfterCancel) {
    CFileDialog dialog;
    dialog.SetCurrentFolder(L"\\TreeTest\\Full");
    dialog.AddExt(L"txt");
    EXPECT_EQ(IDCANCEL, RunDialog(dialog, parent, IDCANCEL));
    EXPECT_EQ(L"\\TreeTest\\Full\\A.TXT", g_shownSelection);
    EXPECT_STREQ(L"\\TreeTest\\Full\\A.TXT", dialog.GetSelection());
}
