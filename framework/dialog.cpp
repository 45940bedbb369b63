// CDialog: modal and modeless dialogs from dialog templates, and the two
// framework dialog procedures that route their messages to the object.
#include <aygshell.h>

#include "wndframe.h"

// The dialog that messages go to before a dialog window is bound to its
// object (and, for the modal procedure, when it never is).
CDialog* g_pCurDialog = nullptr;

namespace {

// Done button, full-screen size, input panel down.
void MakeFullScreen(HWND hDlg)
{
    SHINITDLGINFO info = {};
    info.dwMask = SHIDIM_FLAGS;
    info.hDlg = hDlg;
    info.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN;
    SHInitDialog(&info);
}

}  // namespace

CDialog::CDialog()
{
    g_pCurDialog = this;
}

CDialog::~CDialog()
{
    if (m_hWnd) {
        EndDialog(IDCANCEL);
        // A modal window goes only when its loop ends; it must not reach this
        // object any more.
        Detach();
    }
    if (g_pCurDialog == this)
        g_pCurDialog = nullptr;
}

void CDialog::SetDialogInfo(UINT templateId, HWND parent, BOOL fullScreen, HINSTANCE instance)
{
    m_nTemplateId = templateId;
    m_hWndParent = parent;
    m_bFullScreen = fullScreen;
    m_hInstTemplate = instance ? instance : CorGetInstance();
}

HINSTANCE CDialog::TemplateInstance() const
{
    return m_hInstTemplate ? m_hInstTemplate : CorGetInstance();
}

const DLGTEMPLATE* CDialog::FindTemplate() const
{
    HINSTANCE instance = TemplateInstance();
    HRSRC resource = ::FindResourceW(instance, MAKEINTRESOURCEW(m_nTemplateId), (LPCWSTR)RT_DIALOG);
    if (!resource)
        return nullptr;
    HGLOBAL loaded = ::LoadResource(instance, resource);
    return loaded ? (const DLGTEMPLATE*)::LockResource(loaded) : nullptr;
}

// The current dialog is saved and put back, so a dialog opened from inside
// another one's handlers leaves the outer one's routing intact.
INT_PTR CDialog::DoModal()
{
    const DLGTEMPLATE* dialogTemplate = FindTemplate();
    if (!dialogTemplate)
        return -1;

    CDialog* outer = g_pCurDialog;
    g_pCurDialog = this;
    m_bModal = TRUE;
    INT_PTR result = ::DialogBoxIndirectParamW(TemplateInstance(), dialogTemplate, m_hWndParent,
                                               m_pfnDlgProc ? m_pfnDlgProc : &CDialog::ModalDlgProc,
                                               (LPARAM)this);
    m_bModal = FALSE;
    if (m_hWnd)
        Detach();  // the window is gone; a caller's own procedure never said so
    g_pCurDialog = outer;
    return result;
}

BOOL CDialog::OpenDialog()
{
    g_pCurDialog = this;
    const DLGTEMPLATE* dialogTemplate = FindTemplate();
    if (!dialogTemplate)
        return FALSE;

    m_bModal = FALSE;
    HWND hDlg = ::CreateDialogIndirectParamW(TemplateInstance(), dialogTemplate, m_hWndParent,
                                             m_pfnDlgProc ? m_pfnDlgProc : &CDialog::ModelessDlgProc,
                                             (LPARAM)this);
    if (!hDlg)
        return FALSE;
    ::SetWindowLongPtrW(hDlg, GWLP_USERDATA, (LONG_PTR)this);
    Attach(hDlg);
    OnInitDialog();

    if (!m_hWnd)
        return FALSE;  // ended from OnInitDialog
    RECT cover;
    if (m_hWndParent && ::GetClientRect(m_hWndParent, &cover)) {
        // The client rectangle in the coordinates the dialog is placed in.
        if (!(::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_CHILD))
            ::MapWindowPoints(m_hWndParent, nullptr, (POINT*)&cover, 2);
        ::MoveWindow(m_hWnd, cover.left, cover.top, cover.right - cover.left, cover.bottom - cover.top, TRUE);
    }
    ::ShowWindow(m_hWnd, SW_SHOW);
    return TRUE;
}

// A modal dialog ends through the platform (its loop then destroys the
// window and DoModal returns the result); a modeless one is destroyed now.
void CDialog::EndDialog(int result)
{
    if (!m_hWnd)
        return;
    if (m_bModal) {
        ::EndDialog(m_hWnd, result);
        return;
    }
    ::DestroyWindow(m_hWnd);
    Detach();
}

BOOL CDialog::OnInitDialog()
{
    if (m_bFullScreen)
        MakeFullScreen(m_hWnd);
    return TRUE;
}

LRESULT CDialog::OnCommand(UINT id, UINT /*code*/)
{
    if (id == IDOK || id == IDCANCEL) {
        EndDialog((int)id);
        return 1;
    }
    return 0;
}

LRESULT CDialog::OnNotify(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return 0;
}

LRESULT CDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CWnd::OnMessage(message, wParam, lParam);
}

// ---- Dialog procedures -----------------------------------------------------

INT_PTR CDialog::RouteDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, BOOL modal)
{
    if (message == WM_NCDESTROY) {
        // The last message: forget the window first (see CWnd::WindowProc).
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        m_hWnd = nullptr;
        OnMessage(message, wParam, lParam);
        return FALSE;
    }

    LRESULT result = OnMessage(message, wParam, lParam);
    if (result >= 0)
        return result;
    switch (message) {
    case WM_NOTIFY:
        OnNotify(wParam, lParam);
        return modal;
    case WM_INITDIALOG:
        OnInitDialog();
        return modal;
    case WM_COMMAND: {
        LRESULT handled = OnCommand(LOWORD(wParam), HIWORD(wParam));
        return modal ? TRUE : handled;
    }
    case WM_TIMER:
        OnTimer((UINT_PTR)wParam);
        return modal;
    }
    return FALSE;
}

// Routes to the dialog bound to the window at WM_INITDIALOG (DoModal passes
// the object), else to the current dialog, binding the handle to it.
INT_PTR CALLBACK CDialog::ModalDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* dialog = (CDialog*)::GetWindowLongPtrW(hDlg, GWLP_USERDATA);
    if (!dialog && message == WM_INITDIALOG && lParam) {
        dialog = (CDialog*)lParam;
        ::SetWindowLongPtrW(hDlg, GWLP_USERDATA, (LONG_PTR)dialog);
    }
    if (!dialog)
        dialog = g_pCurDialog;
    if (!dialog) {
        if (message == WM_INITDIALOG)
            MakeFullScreen(hDlg);
        return FALSE;
    }
    dialog->Attach(hDlg);
    return dialog->RouteDialogMessage(message, wParam, lParam, TRUE);
}

// Messages before OpenDialog binds the window (the creation-time
// WM_INITDIALOG among them) are ignored: OpenDialog calls OnInitDialog.
INT_PTR CALLBACK CDialog::ModelessDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* dialog = (CDialog*)::GetWindowLongPtrW(hDlg, GWLP_USERDATA);
    if (!dialog || dialog->m_hWnd != hDlg)
        return FALSE;
    return dialog->RouteDialogMessage(message, wParam, lParam, FALSE);
}
