// Small shared pieces of user interface and threading of Corvane.
//
//   CSyncObject, CSemaphore, CMutex, CEvent, CCriticalSection   kernel objects
//   CSingleLock, CMultiLock, CAutoLock                           holding them
//   CThread                                                      a started thread
//   CMeterBar                                                    drawn level bar / slider
//   CTrayItem, CTrayBar                                          strip of 20-pixel icons
//
// The meter and the tray are not windows: their owner forwards its stylus
// events to them and calls their drawing from its own painting.
#pragma once

#include "coretypes.h"
#include "drawing.h"
#include "wndframe.h"

#include <commctrl.h>

// ---- synchronisation -----------------------------------------------------

class CORVANE_API CSyncObject : public CObject {
public:
    explicit CSyncObject(LPCWSTR name);  // the name is not used
    CSyncObject(const CSyncObject&) = delete;
    CSyncObject& operator=(const CSyncObject&) = delete;

    // Waits on the handle; 1 when it became signalled within the timeout.
    virtual BOOL Lock(DWORD timeout = INFINITE);
    virtual BOOL Unlock(LONG count, LONG* previous);
    virtual BOOL Unlock() = 0;
    ~CSyncObject() override;  // closes the handle

    operator HANDLE() const { return m_hObject; }

    HANDLE m_hObject = nullptr;
};

class CORVANE_API CSemaphore : public CSyncObject {
public:
    CSemaphore(LONG initialCount = 1, LONG maximumCount = 1, LPCWSTR name = nullptr,
               LPSECURITY_ATTRIBUTES security = nullptr);
    using CSyncObject::Unlock;
    BOOL Unlock(LONG count, LONG* previous) override;  // releases count
    BOOL Unlock() override;                            // releases one
};

class CORVANE_API CMutex : public CSyncObject {
public:
    explicit CMutex(BOOL initiallyOwned = FALSE, LPCWSTR name = nullptr,
                    LPSECURITY_ATTRIBUTES security = nullptr);
    using CSyncObject::Unlock;
    BOOL Unlock() override;
};

class CORVANE_API CEvent : public CSyncObject {
public:
    explicit CEvent(BOOL initiallySignalled = FALSE, BOOL manualReset = FALSE, LPCWSTR name = nullptr,
                    LPSECURITY_ATTRIBUTES security = nullptr);
    BOOL SetEvent();
    BOOL PulseEvent();
    BOOL ResetEvent();
    using CSyncObject::Unlock;
    BOOL Unlock() override;  // an event has nothing to release: 1
};

// A critical section has no kernel handle; Lock ignores the timeout.
class CORVANE_API CCriticalSection : public CSyncObject {
public:
    CCriticalSection();
    ~CCriticalSection() override;
    BOOL Lock(DWORD timeout = INFINITE) override;
    using CSyncObject::Unlock;
    BOOL Unlock() override;
    operator CRITICAL_SECTION*() { return &m_section; }

    CRITICAL_SECTION m_section;
};

class CORVANE_API CSingleLock {
public:
    explicit CSingleLock(CSyncObject* object, BOOL lockNow = FALSE);
    ~CSingleLock();  // unlocks when locked
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock(DWORD timeout = INFINITE);
    BOOL Unlock();
    BOOL Unlock(LONG count, LONG* previous);
    BOOL IsLocked() const { return m_bAcquired; }

private:
    CSyncObject* m_pObject;
    BOOL m_bAcquired = FALSE;
};

// Waits on several objects at once. Up to 8 live in the object itself; a
// longer array given to the constructor is copied to the heap (at most
// MAXIMUM_WAIT_OBJECTS are kept). AddObject only fills the first 8 places.
class CORVANE_API CMultiLock {
public:
    static constexpr DWORD kInlineCount = 8;

    CMultiLock();
    CMultiLock(CSyncObject* objects[], DWORD count, BOOL lockNow = FALSE);
    ~CMultiLock();  // unlocks what is locked
    CMultiLock(const CMultiLock&) = delete;
    CMultiLock& operator=(const CMultiLock&) = delete;

    BOOL AddObject(CSyncObject* object);
    BOOL AddObject(CSyncObject& object) { return AddObject(&object); }
    BOOL AddObject(HANDLE handle);  // a raw handle: waited on, never released

    // The platform's wait result; the objects it acquired are marked locked.
    DWORD Lock(DWORD timeout = INFINITE, BOOL waitForAll = TRUE, DWORD wakeMask = 0);
    BOOL Unlock();
    BOOL Unlock(LONG count, LONG* previous);
    BOOL IsLocked(DWORD index) const;
    DWORD GetCount() const { return m_nCount; }

private:
    BOOL Append(CSyncObject* object, HANDLE handle);

    CSyncObject* m_inlineObjects[kInlineCount] = {};
    HANDLE m_inlineHandles[kInlineCount] = {};
    BOOL m_inlineLocked[kInlineCount] = {};
    CSyncObject** m_ppObjects = m_inlineObjects;
    HANDLE* m_pHandles = m_inlineHandles;
    BOOL* m_pLocked = m_inlineLocked;
    DWORD m_nCount = 0;
};

class CORVANE_API CAutoLock {
public:
    explicit CAutoLock(CSyncObject* object);  // waits as long as it takes
    ~CAutoLock();
    CAutoLock(const CAutoLock&) = delete;
    CAutoLock& operator=(const CAutoLock&) = delete;

private:
    CSyncObject* m_pObject;
};

// ---- CThread --------------------------------------------------------------

// Starts a thread and keeps its handle; the destructor closes the handle
// but leaves the thread running.
class CORVANE_API CThread {
public:
    CThread() = default;
    CThread(LPTHREAD_START_ROUTINE start, LPVOID parameter);  // starts at once
    ~CThread();
    CThread(const CThread&) = delete;
    CThread& operator=(const CThread&) = delete;

    // 0 when the platform refuses. A handle held from an earlier start is
    // closed first.
    BOOL CreateThread(LPTHREAD_START_ROUTINE start, LPVOID parameter);
    DWORD GetThreadID() const { return m_dwThreadId; }
    HANDLE GetHandle() const { return m_hThread; }

    HANDLE m_hThread = nullptr;
    DWORD m_dwThreadId = 0;
    LPTHREAD_START_ROUTINE m_pStart = nullptr;
    LPVOID m_pParameter = nullptr;
};

// ---- CMeterBar ------------------------------------------------------------

// The automatic bar colours (outside the exported class, so that callers
// may take their address).
namespace MeterColour {
constexpr COLORREF kRed = 0x0000E8;    // below 30
constexpr COLORREF kAmber = 0x3CC7FF;  // 30 to 60
constexpr COLORREF kGreen = 0x00C000;  // above 60
}  // namespace MeterColour

class CORVANE_API CMeterBar {
public:
    static constexpr DWORD kSolid = 0x01;       // otherwise dashed
    static constexpr DWORD kHorizontal = 0x10;  // otherwise vertical, filling upward

    CMeterBar() = default;

    // Style 0 means solid and horizontal; inset 2, automatic colour, 0-100.
    BOOL Create(DWORD style, const RECT& rect);
    void SetBarStyle(DWORD style, int inset);                   // automatic colour
    void SetBarStyle(DWORD style, int inset, COLORREF colour);  // fixed colour
    COLORREF GetColor(int value) const;

    void SetRange(int minimum, int maximum);  // the position goes to the minimum
    int SetPos(int position);                 // ignored outside the range
    int GetPos() const { return m_nPos; }
    int GetAbsPos() const { return m_nPos - m_nMin; }
    int GetPos(POINT point);                  // the position under the point, kept

    void Draw(CDC* dc);
    void DrawBar(CDC* dc);
    void DrawDashBar(CDC* dc, int pitch);
    BOOL IsMouseDown() const { return m_bMouseDown; }

    BOOL OnLButtonDown(POINT point);
    BOOL OnMouseMove(POINT point);
    BOOL OnLButtonUp(POINT point);

    DWORD m_dwStyle = kSolid | kHorizontal;
    int m_nInset = 2;
    COLORREF m_crFixed = 0;
    BOOL m_bAutoColor = TRUE;
    CRect m_rect{};
    double m_dRange = 100;
    int m_nPos = 0;
    int m_nMin = 0;
    int m_nMax = 100;
    BOOL m_bMouseDown = FALSE;

private:
    CRect BarArea() const;             // the rectangle inside the inset
    int FilledExtent(int size) const;  // pixels of size the position covers
};

// ---- CTrayItem, CTrayBar --------------------------------------------------

class CORVANE_API CTrayItem : public CObject {
public:
    static constexpr int kTextChars = 32;  // 31 characters and the terminator

    enum Kind : DWORD { kPostText = 0, kReportToCaller = 1 };

    CTrayItem(int icon, LPCWSTR text, DWORD kind);  // longer texts are cut

    int m_nIcon;
    DWORD m_dwKind;
    WCHAR m_szText[kTextChars];
};

class CORVANE_API CTrayBar : public CObList {
public:
    static constexpr UINT kTextMessage = 0x0406;  // wParam = the item's text
    static constexpr int kPitch = 20;             // one item's width
    static constexpr int kMargin = 3;             // item square from the bar's corner
    static constexpr int kSquare = 20;

    CTrayBar();
    ~CTrayBar() override;  // deletes the items and the strip

    // Takes ownership of the strip image.
    void Create(const RECT& rect, CImage* strip, CWnd* owner);
    void Create(const RECT& rect, LPCWSTR stripPath, CWnd* owner);
    BOOL LoadImageW(LPCWSTR path);

    BOOL Add(int icon, LPCWSTR text, DWORD kind);
    BOOL RemoveAll();
    int GetItem(POINT point) const;
    CTrayItem* GetTrayItem(int index) const;
    int GetSelect() const { return m_nSelect; }

    void DrawBar(CDC* dc);
    int OnLButtonDown(POINT point);
    int OnLButtonUp(POINT point);

    CRect m_rect{};
    CIconList m_icons;
    CWnd* m_pOwner = nullptr;
    int m_nSelect = -1;

private:
    CRect ItemSquare(int index) const;
};

// ---- CFileTree, CFileTreeCtrl ----------------------------------------------

// A tree-view child listing the device's folders and, for the filter
// extensions, their files; folders are read from the disk each time they
// are expanded. The parent forwards its WM_NOTIFY for the control to
// OnNotify (id, record).
class CORVANE_API CFileTree : public CWnd {
public:
    static constexpr int kMaxFilters = 16;
    static constexpr int kFilterChars = 16;  // 15 characters and the terminator
    enum Image { kOpenFolder = 0, kClosedFolder = 1, kProgram = 2, kFile = 4, kPicture = 5 };

    CFileTree();
    ~CFileTree() override;

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::OnNotify;
    virtual LRESULT OnNotify(int id, NMHDR* header);  // 20

    BOOL Refresh();  // clears the selection and rebuilds the tree
    void ResetFilterExt();
    BOOL AddFilterExt(LPCWSTR extension);  // without the dot
    int GetFilterCount() const { return m_nFilters; }
    LPCWSTR GetSelectionPath() const { return m_szSelection; }
    HTREEITEM GetRootItem() const;

    // The full path of an item into a buffer of the given size; 0 when it
    // does not fit.
    BOOL BuildDirectory(HTREEITEM item, LPWSTR path, size_t pathChars) const;

    WCHAR m_szSelection[MAX_PATH];
    HIMAGELIST m_hImages = nullptr;
    WCHAR m_szFilters[kMaxFilters][kFilterChars];
    int m_nFilters = 0;

protected:
    BOOL InitTreeViewImageLists();
    BOOL InitTreeViewItems();
    HTREEITEM AddItemToTree(HTREEITEM parent, LPCWSTR name, BOOL folder);
    int GetDirectoryContents(HTREEITEM item);
    void ItemExpanded(NMTREEVIEWW* record);
    void ItemExpanding(NMTREEVIEWW* record);
    LRESULT Click(NMHDR* header);
    HTREEITEM ItemAtMessagePoint() const;  // the item under the stylus of the current message
    static int CompareFunc(LPCWSTR a, LPCWSTR b);
    static int ImageFor(LPCWSTR fileName);
};

class CORVANE_API CFileTreeCtrl : public CFileTree {
public:
    static constexpr UINT kSelectionMessage = 0x0464;  // sent to the parent after each tap
    enum SelectOption { kSelectFile = 0, kSelectFolder = 1 };

    CFileTreeCtrl();

    using CFileTree::OnNotify;
    LRESULT OnNotify(int id, NMHDR* header) override;

    void Expand(LPCWSTR path);
    BOOL GetItemText(HTREEITEM item, LPWSTR buffer, int bufferChars = MAX_PATH) const;
    LRESULT Click(NMHDR* header);
    LRESULT Click_FileSelect(HTREEITEM item);
    LRESULT Click_FolderSelect(HTREEITEM item);
    LRESULT TapItem(HTREEITEM item);  // as a tap on the item
    void SetSelectOption(int option) { m_nSelectOption = option; }
    LPCWSTR GetSelected() const { return m_szSelected; }
    LPCWSTR GetFolder() const { return m_szFolder; }

    WCHAR m_szSelected[MAX_PATH];
    WCHAR m_szFolder[MAX_PATH];
    int m_nSelectOption = kSelectFile;
};

// ---- CFileDialog -------------------------------------------------------------

// The framework's own file or folder picker over a CFileTreeCtrl.
class CORVANE_API CFileDialog : public CDialog {
public:
    static constexpr UINT kTemplate = 102;
    static constexpr int kTreeId = 17788;
    static constexpr int kSelectionText = 1001;

    CFileDialog();

    void SetDialogInfo(HWND parent);  // template 102 of Corvane, not full-screen
    using CDialog::SetDialogInfo;
    void SetCurrentFolder(LPCWSTR path);  // null or empty is ignored
    LPCWSTR GetCurrentFolder() const { return m_szStartFolder; }
    LPCWSTR GetSelection() const;  // the folder in folder mode, else the file
    void SetSelectOption(int option);
    BOOL AddExt(LPCWSTR extension) { return m_tree.AddFilterExt(extension); }

    BOOL OnInitDialog() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    using CDialog::OnNotify;
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(UINT id, UINT code) override;

    CFileTreeCtrl m_tree;
    WCHAR m_szStartFolder[MAX_PATH];
    int m_nSelectOption = CFileTreeCtrl::kSelectFile;
};
