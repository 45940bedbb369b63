// The theme library's dialogs: folders, theme information, theme files and
// pictures.  Each takes its template from the library and an owner window,
// and carries the OK button in its caption (the task bar's corner sends
// IDOK).
//
// Classes in this file:
//   CFolderSelectDialog  122 "Browse": a folder from a folder tree, offered as a favourite
//   CFolderListDialog    115 "Favorites": the theme folders: add, delete
//   CTskInfoDialog       117 "Info": one theme's preview, name, size and date
//   CTskFileDialog       116: open or save a ".tsk" file from the theme folders
//   CFileTree2           a file tree that walks open along a path
//   CImageDialog         121 "Image": a picture (gif, jpg, bmp) of a minimum size
//
//     CTskFileDialog dialog;
//     dialog.SetDialogInfo(m_hWnd);
//     if (dialog.DoOpenModal() == 1)
//         Open(dialog.GetFileName());     // a path, "<default>" or "<current>"
#pragma once

#include <windows.h>

#include <corvane.h>

#include "tessary.h"
#include "tessary_api.h"
#include "tskfolders.h"

// ---- CFolderSelectDialog ---------------------------------------------------------

class TESSARY_API CFolderSelectDialog : public CDialog {
public:
    enum { kTemplate = 122, kTreeId = 1001 };

    CFolderSelectDialog();
    void SetDialogInfo(HWND owner);
    using CDialog::SetDialogInfo;
    // Where the tree opens ("\My Documents" at first); null or empty is ignored.
    void SetFolder(LPCWSTR folder);
    // The folder chosen (the start folder until one is tapped).
    LPCWSTR GetFolder() const { return m_szFolder; }

    BOOL OnInitDialog() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    using CDialog::OnNotify;
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam) override;
    // OK offers the folder as a favourite, then ends with it.
    LRESULT OnCommand(UINT id, UINT code) override;

private:
    CFileTreeCtrl m_tree;
    WCHAR m_szFolder[MAX_PATH];
};

// ---- CFolderListDialog ------------------------------------------------------------

class TESSARY_API CFolderListDialog : public CDialog {
public:
    enum { kTemplate = 115, kListId = 1007, kAddId = 3, kDeleteId = 4 };

    CFolderListDialog() = default;
    void SetDialogInfo(HWND owner);
    using CDialog::SetDialogInfo;

    BOOL OnInitDialog() override;
    // Add (3) appends a folder picked with CFolderSelectDialog unless the
    // list is full or holds it; Delete (4) removes the selected row; OK
    // stores the rows in their order; Cancel stores nothing.
    LRESULT OnCommand(UINT id, UINT code) override;

private:
    void AddRow(LPCWSTR folder);
    int RowCount() const;
    BOOL HasRow(LPCWSTR folder) const;
    void Store();
};

// ---- CTskInfoDialog -----------------------------------------------------------------

class TESSARY_API CTskInfoDialog : public CDialog {
public:
    enum { kTemplate = 117 };

    CTskInfoDialog();
    ~CTskInfoDialog() override;
    void SetDialogInfo(HWND owner);
    using CDialog::SetDialogInfo;
    // The theme's page; for "<New>" only a message box saying it has no
    // information.  Returns the dialog's result (IDOK for the message).
    INT_PTR DoModal(LPCWSTR path);
    using CDialog::DoModal;

    BOOL OnInitDialog() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);

    WCHAR m_szPath[MAX_PATH];
    CTskInfo m_info;
    BOOL m_bRead = FALSE;
    CBitmapDC m_preview;
    CTskTempFiles m_temp;
};

// ---- CTskFileDialog ------------------------------------------------------------------

class TESSARY_API CTskFileDialog : public CDialog {
public:
    enum {
        kTemplate = 116,
        kDateId = 1000,
        kSizeId = 1001,
        kDateCaptionId = 1002,
        kSizeCaptionId = 1003,
        kFolderId = 1005,
        kNameId = 1006,
        kListId = 1007,
    };

    CTskFileDialog();
    ~CTskFileDialog() override;
    void SetDialogInfo(HWND owner);
    using CDialog::SetDialogInfo;
    // 1 for OK.
    int DoOpenModal();
    int DoSaveModal();
    // The chosen path, "<default>" or "<current>"; empty for none.
    LPCWSTR GetFileName() const { return m_szFileName; }

    BOOL OnInitDialog() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    using CDialog::OnNotify;
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(UINT id, UINT code) override;

private:
    int Run(bool save);
    void ListFolder(int comboIndex);
    void RowSelected(int row);
    void ShowPreview(bool show);
    // The path the name box names (step "chosen path"); false for none.
    bool ChosenPath(wchar_t* path, size_t cch) const;
    void Accept();

    bool m_bSave = false;
    WCHAR m_szFileName[MAX_PATH];
    WCHAR m_folders[kMaxTskFolders][MAX_PATH];
    int m_nFolders = 0;
    int m_nFirstListed = 0;  // the folder list's first entry in m_folders
    bool m_bPreview = false;
    CBitmapDC m_preview;
    CTskTempFiles m_temp;
};

// ---- CFileTree2, CImageDialog ----------------------------------------------------------

// The framework's file tree picking files: Expand walks it open along a
// path, GetItemText reads an item, Click makes the tapped file (and its
// folder) or folder current and tells the parent.
class TESSARY_API CFileTree2 : public CFileTreeCtrl {
public:
    CFileTree2() { SetSelectOption(kSelectFile); }
};

class TESSARY_API CImageDialog : public CDialog {
public:
    enum {
        kTemplate = 121,
        kDateId = 1000,
        kFileSizeId = 1001,
        kSizeCaptionId = 1003,
        kDimensionsId = 1011,
        kTreeId = 17788,
        kPreviewWidth = 100,
        kPreviewHeight = 80,
        kUnknownSize = 20000,  // the recorded size before a picture is previewed
    };

    CImageDialog();
    // The owner; flags are not used.
    void SetDialogInfo(HWND owner, UINT flags);
    using CDialog::SetDialogInfo;
    void SetMinSize(int width, int height);
    void SetFolder(LPCWSTR folder);   // null or empty is ignored
    // Another extension the tree lists (without the dot); "gif", "jpg" and
    // "bmp" are there from the start.
    BOOL AddFilter(LPCWSTR extension);
    // 1 for OK.
    INT_PTR DoModal();
    // The chosen picture; empty when none was chosen.
    LPCWSTR GetFileName() const { return m_szFile; }
    LPCWSTR GetFolder() const { return m_szFolder; }

    BOOL OnInitDialog() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    using CDialog::OnNotify;
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(UINT id, UINT code) override;

private:
    void Selected();
    void Preview(LPCWSTR path);

    CFileTree2 m_tree;
    WCHAR m_szFile[MAX_PATH];
    WCHAR m_szFolder[MAX_PATH];
    WCHAR m_szStartFolder[MAX_PATH];
    CSize m_minSize{0, 0};
    CSize m_imageSize{kUnknownSize, kUnknownSize};
    bool m_bPreview = false;
    CBitmapDC m_preview;
};
