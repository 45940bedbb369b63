// Application and window framework: CWinApp, CWnd, CDialog and the Cor*
// process functions.
//
// Classes in this file:
//   CWinApp           the application object and its message loop
//   CWnd              a window whose messages reach virtual handlers
//   CDialog           a modal or modeless dialog from a dialog template
//   CorInstanceScope  puts the framework's module instance back on scope exit
//
// Handler rule: the framework window procedure offers every message to
// OnMessage first (a result of 0 or more is the answer, nothing else runs),
// then clears the default-processing flag and calls the typed handler. Every
// base handler sets the flag again, so a derived handler that calls its base
// gets the default window procedure after it and one that does not, does not.
//
// The order of the virtual members below is a contract: derived classes of
// other libraries append their own after them. Do not reorder or insert.
#pragma once

#include <windows.h>

#include "cobject.h"
#include "corvane_api.h"
#include "geometry.h"

class CWnd;
class CDialog;

// ---- CWinApp -------------------------------------------------------------

class CORVANE_API CWinApp : public CObject {
public:
    CWinApp();                    // registers this object as the application
    virtual ~CWinApp();           // deletes a main window object still owned

    virtual BOOL InitInstance();  // 0 ends the program at once with exit code 0
    virtual int ExitInstance();   // its result is the program's exit code
    virtual int Run();            // the message loop
    virtual BOOL OnIdle(LONG idleCount);  // nonzero asks for another idle call

    HINSTANCE GetInstance() const { return m_hInstance; }
    CWnd* GetMainWnd() const { return m_pMainWnd; }
    HICON LoadIconW(UINT resourceId) const;
    BOOL PumpMessage();           // 0 when the quit message was retrieved
    BOOL IsIdleMessage(const MSG* msg) const;

    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    LPWSTR m_lpCmdLine = nullptr;  // not copied
    MSG m_msgCur = {};
    // Owned from the moment it is set: create it with new. The framework
    // deletes it when its window is destroyed and ends the message loop.
    CWnd* m_pMainWnd = nullptr;
};

// ---- Process functions -----------------------------------------------------

// Program entry: stores the instance and command line in the application
// object, runs InitInstance and then Run. Returns the exit code.
CORVANE_API int CorWinMain(HINSTANCE instance, HINSTANCE prevInstance, LPWSTR cmdLine, int cmdShow);

// The module in which window classes are registered and dialog templates and
// menu bars are found. It is process-wide: a library that sets its own module
// changes it for the whole process, so a host restores its own afterwards
// (CorInstanceScope). Returns the previous instance.
CORVANE_API HINSTANCE SetCorInstance(HINSTANCE instance);
CORVANE_API HINSTANCE CorGetInstance();
CORVANE_API CWinApp* CorGetApp();
CORVANE_API CWnd* CorGetMainWnd();

// Remembers the framework instance and puts it back when the scope ends;
// the second form also switches to the given module for the scope.
//     { CorInstanceScope keep; LoadApplet(path); }   // applet may call SetCorInstance
class CORVANE_API CorInstanceScope {
public:
    CorInstanceScope();
    explicit CorInstanceScope(HINSTANCE instance);
    ~CorInstanceScope();
    CorInstanceScope(const CorInstanceScope&) = delete;
    CorInstanceScope& operator=(const CorInstanceScope&) = delete;

private:
    HINSTANCE m_saved;
};

// Process statics (read them through the functions above).
extern CORVANE_API CWinApp* g_pCorApp;
extern CORVANE_API HINSTANCE g_hCorInstance;
extern CORVANE_API CDialog* g_pCurDialog;

// ---- CWnd ------------------------------------------------------------------

class CORVANE_API CWnd : public CObject {
public:
    CWnd() = default;
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Virtual slots, in contract order.
    virtual ~CWnd();                                                     // 0
    virtual BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                        HWND parent, UINT childId);                      // 1
    virtual BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                          int x, int y, int width, int height, HWND parent, HMENU menuOrId,
                          LPVOID createParam = nullptr);                 // 2
    virtual void OnCreate();                                             // 3
    virtual void OnDestroy();                                            // 4
    virtual BOOL OnRegisterClass(WNDCLASSW* wc);                         // 5
    virtual BOOL PreCreateWindow(CREATESTRUCTW* cs);                     // 6
    virtual void OnPaint(HDC hdc);                                       // 7
    virtual void OnPaint();                                              // 8
    virtual void OnDraw(HDC hdc, const RECT& client);                    // 9
    virtual void OnLButtonDown(CPoint point);                            // 10
    virtual void OnRButtonDown(CPoint point);                            // 11
    virtual void OnLButtonUp(CPoint point);                              // 12
    virtual void OnRButtonUp(CPoint point);                              // 13
    virtual void OnMouseMove(CPoint point);                              // 14
    virtual LRESULT OnCommand(UINT id, UINT code);                       // 15
    virtual LRESULT OnNotify(WPARAM wParam, LPARAM lParam);              // 16
    // Negative means "not consumed", so a negative real result (such as
    // HTTRANSPARENT) cannot be returned from here; use a typed handler.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);  // 17
    virtual void OnTimer(UINT_PTR timerId);                              // 18
    virtual BOOL OnEraseBkgnd(HDC hdc);                                  // 19

    HWND Attach(HWND hWnd) { m_hWnd = hWnd; return hWnd; }
    HWND Detach();  // also unbinds the window from this object
    HWND GetHWnd() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    static WNDPROC GetWndProc();
    BOOL DestroyWindow();
    BOOL CreateFloatWindow(LPCWSTR className, DWORD style, const RECT& rect);
    LRESULT DefWindowProcW(UINT message, WPARAM wParam, LPARAM lParam);

    BOOL IsTapAndHold(POINT point);  // runs the shell's gesture recogniser
    BOOL IsTapHold() const { return m_bTapHold; }
    void SetHold(BOOL hold) { m_bTapHold = hold; }

    BOOL ShowWindow() { return ::ShowWindow(m_hWnd, SW_SHOW); }
    BOOL HideWindow() { return ::ShowWindow(m_hWnd, SW_HIDE); }
    BOOL EnableWindow() { return ::EnableWindow(m_hWnd, TRUE); }
    BOOL DisableWindow() { return ::EnableWindow(m_hWnd, FALSE); }
    BOOL UpdateWindow() { return ::UpdateWindow(m_hWnd); }
    BOOL MoveWindow(int x, int y);  // keeps the size
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE)
    { return ::MoveWindow(m_hWnd, x, y, width, height, repaint); }
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
    { return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags); }
    BOOL SetWindowPos(int x, int y, int cx, int cy, UINT flags)
    { return ::SetWindowPos(m_hWnd, nullptr, x, y, cx, cy, flags | SWP_NOZORDER); }
    UINT_PTR SetTimer(UINT_PTR timerId, UINT elapseMs, TIMERPROC callback = nullptr)
    { return ::SetTimer(m_hWnd, timerId, elapseMs, callback); }
    BOOL KillTimer(UINT_PTR timerId) { return ::KillTimer(m_hWnd, timerId); }

    DWORD GetStyle() const { return (DWORD)::GetWindowLongW(m_hWnd, GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLongW(m_hWnd, GWL_EXSTYLE); }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0)
    { return WindowModifyStyle(m_hWnd, GWL_STYLE, remove, add, flags); }
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0)
    { return WindowModifyStyle(m_hWnd, GWL_EXSTYLE, remove, add, flags); }
    static BOOL ModifyStyle(HWND hWnd, DWORD remove, DWORD add, UINT flags)
    { return WindowModifyStyle(hWnd, GWL_STYLE, remove, add, flags); }
    static BOOL ModifyStyleEx(HWND hWnd, DWORD remove, DWORD add, UINT flags)
    { return WindowModifyStyle(hWnd, GWL_EXSTYLE, remove, add, flags); }
    // new = (old & ~remove) | add; 0 when unchanged. Nonzero flags refresh the
    // frame with SetWindowPos(flags | no size, move, z-order, activate).
    static BOOL WindowModifyStyle(HWND hWnd, int styleIndex, DWORD remove, DWORD add, UINT flags);

    LRESULT SendMessageW(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    { return ::SendMessageW(m_hWnd, message, wParam, lParam); }
    BOOL PostMessageW(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    { return ::PostMessageW(m_hWnd, message, wParam, lParam); }
    BOOL SetWindowTextW(LPCWSTR text) { return ::SetWindowTextW(m_hWnd, text); }
    int GetWindowTextW(LPWSTR buffer, int maxCount) const { return ::GetWindowTextW(m_hWnd, buffer, maxCount); }
    int GetWindowTextLengthW() const { return ::GetWindowTextLengthW(m_hWnd); }
    BOOL Invalidate(BOOL erase = TRUE) { return ::InvalidateRect(m_hWnd, nullptr, erase); }
    BOOL InvalidateRect(const RECT* rect, BOOL erase = TRUE) { return ::InvalidateRect(m_hWnd, rect, erase); }
    BOOL ValidateRect(const RECT* rect) { return ::ValidateRect(m_hWnd, rect); }
    void CenterWindow();  // centred on the screen below the task bar
    // The shell menu bar (flags: SHCMBF_ values such as SHCMBF_HIDESIPBUTTON), or 0.
    HWND CreateCommandBar(UINT menuBarId, DWORD flags = 0);

    // Diagnostics: TRACE shows the text in a box captioned "TRACE" (it blocks);
    // WriteLog appends it as one line to "\My Documents\ZARQLOG.txt". Both cut
    // the text at 1023 characters.
    static void TRACE(LPCWSTR format, ...);
    static void WriteLog(LPCWSTR format, ...);

    HWND m_hWnd = nullptr;

protected:
    // The framework window procedure and the dispatch behind it.
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT RouteMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT RouteDestroy(WPARAM wParam, LPARAM lParam);

    BOOL m_bTapHold = FALSE;            // tap-and-hold turns presses into OnRButtonDown
    HWND m_hMenuBar = nullptr;          // from CreateCommandBar, destroyed by OnDestroy
    WNDPROC m_pfnPrevWndProc = nullptr; // class procedure replaced by CreateEx, if any
    BOOL m_bDefaultProc = FALSE;        // set by base handlers: run the default procedure
};

// ---- CDialog ---------------------------------------------------------------

class CORVANE_API CDialog : public CWnd {
public:
    CDialog();   // also becomes the current dialog
    ~CDialog() override;  // ends the dialog when its window exists

    LRESULT OnCommand(UINT id, UINT code) override;  // IDOK, IDCANCEL end the dialog
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual BOOL OnInitDialog();                      // 20

    // A null instance means CorGetInstance at the time of the call.
    void SetDialogInfo(UINT templateId, HWND parent, BOOL fullScreen = FALSE, HINSTANCE instance = nullptr);
    void SetDlgProc(DLGPROC proc) { m_pfnDlgProc = proc; }
    INT_PTR DoModal();   // the end-dialog value; -1 when the template is missing
    BOOL OpenDialog();   // modeless, covering the parent's client area
    void EndDialog(int result = IDCANCEL);  // destroys the window, forgets the handle
    HWND GetParent() const { return m_hWndParent; }

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const
    { return ::GetDlgItemInt(m_hWnd, id, translated, isSigned); }
    UINT GetDlgItemTextW(int id, LPWSTR buffer, int maxCount) const
    { return ::GetDlgItemTextW(m_hWnd, id, buffer, maxCount); }
    LRESULT SendDlgItemMessageW(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    { return ::SendDlgItemMessageW(m_hWnd, id, message, wParam, lParam); }
    BOOL SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE)
    { return ::SetDlgItemInt(m_hWnd, id, value, isSigned); }
    BOOL SetDlgItemTextW(int id, LPCWSTR text) { return ::SetDlgItemTextW(m_hWnd, id, text); }

protected:
    static INT_PTR CALLBACK ModalDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK ModelessDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
    // Common routing of both procedures; modal ones answer TRUE for the
    // messages they route.
    INT_PTR RouteDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, BOOL modal);
    const DLGTEMPLATE* FindTemplate() const;
    HINSTANCE TemplateInstance() const;

    UINT m_nTemplateId = 0;
    HWND m_hWndParent = nullptr;
    DLGPROC m_pfnDlgProc = nullptr;  // caller's procedure instead of the framework's
    BOOL m_bFullScreen = FALSE;
    HINSTANCE m_hInstTemplate = nullptr;
    BOOL m_bModal = FALSE;           // inside DoModal: end with the platform's EndDialog
};
