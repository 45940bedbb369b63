// The launcher's options program's window and its commands.
#include "runvel_frame.h"

#include <aygshell.h>
#include <ketra_host.h>
#include <pack_look.h>

#include <cwchar>

#include "resource.h"

namespace {

const wchar_t kLaunchFile[] = L"launch.txt";
const wchar_t kIconCache[] = L"icons.bmp";

// The folder the file dialog opened last, kept while the program runs.
wchar_t g_lastFolder[MAX_PATH] = L"";

}  // namespace

CRunvelFrame::CRunvelFrame()
    : m_dialog(this), m_nLines(LaunchSettings::ReadLines()),
      m_nArrangeMode(LaunchSettings::ReadArrangeMode(LaunchSettings::kInsert))
{
}

BOOL CRunvelFrame::FilePath(LPCWSTR name, wchar_t* path)
{
    return PackLook::FileBesideApplet(nullptr, name, path, MAX_PATH);
}

// Full screen below the task bar with the task bar's OK corner.
BOOL CRunvelFrame::CreateFrame()
{
    return CreateEx(WS_EX_CAPTIONOKBTN, RUNVEL_CLASS, RUNVEL_TITLE, WS_VISIBLE | WS_BORDER, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr);
}

void CRunvelFrame::OnCreate()
{
    wchar_t path[MAX_PATH];
    if (FilePath(kLaunchFile, path))
        m_list.Load(path);
    m_list.SetExpanded(TRUE);
    // The menu bar spans the screen, as the input-panel button is hidden;
    // it shortens the window and the dialog follows through WM_SIZE.
    CreateCommandBar(IDR_RUNVEL_MENUBAR, SHCMBF_HIDESIPBUTTON);
    m_dialog.SetDialogInfo(IDD_RUNVEL, m_hWnd);
    m_dialog.OpenDialog();
}

void CRunvelFrame::OnDestroy()
{
    m_dialog.EndDialog();
    CWnd::OnDestroy();
}

void CRunvelFrame::SetLines(int lines)
{
    m_nLines = lines;
    m_dialog.m_grid.SetLines(lines);
}

void CRunvelFrame::SetArrangeMode(int mode)
{
    m_nArrangeMode = mode;
    m_dialog.m_grid.SetArrangeMode(mode);
}

LRESULT CRunvelFrame::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case ID_RUNVEL_ADD:
        AddFromFileDialog();
        return 0;
    case ID_RUNVEL_REFRESH:
        ConfirmImport();
        return 0;
    case ID_RUNVEL_DELETE_ALL:
        ConfirmDeleteAll();
        return 0;
    case ID_RUNVEL_LAUNCH:
        LaunchHighlighted();
        return 0;
    case ID_RUNVEL_DELETE:
        DeleteHighlighted();
        return 0;
    case IDOK:
    case IDCANCEL:
        SaveAndClose();
        DestroyWindow();  // deletes this object: nothing may follow
        return 0;
    }
    return CWnd::OnCommand(id, code);
}

LRESULT CRunvelFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        SaveAndClose();
        break;  // the default procedure destroys the window
    case WM_SIZE:
        if (m_dialog.GetSafeHwnd())
            m_dialog.MoveWindow(0, 0, LOWORD(lParam), HIWORD(lParam));
        break;
    }
    return CWnd::OnMessage(message, wParam, lParam);
}

void CRunvelFrame::AddFromFileDialog()
{
    CFileDialog dialog;
    dialog.SetDialogInfo(m_hWnd);
    dialog.SetSelectOption(CFileTreeCtrl::kSelectFile);
    dialog.AddExt(L"exe");
    dialog.AddExt(L"lnk");
    dialog.SetCurrentFolder(g_lastFolder);
    if (dialog.DoModal() != IDOK)
        return;
    LPCWSTR chosen = dialog.GetSelection();
    if (!chosen || !*chosen || !m_list.Add(chosen))
        return;
    const wchar_t* slash = wcsrchr(chosen, L'\\');
    if (slash && slash > chosen && static_cast<size_t>(slash - chosen) < MAX_PATH) {
        wcsncpy(g_lastFolder, chosen, static_cast<size_t>(slash - chosen));
        g_lastFolder[slash - chosen] = L'\0';
    }
    m_dialog.m_grid.ListChanged();
}

void CRunvelFrame::ConfirmImport()
{
    if (::MessageBoxW(m_hWnd, L"Do you want to import all installed program in default folders?",
                      L"Import Default Folders", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_list.ImportDefault(TRUE);
    m_dialog.m_grid.SetHighlight(-1);
    m_dialog.m_grid.ListChanged();
}

void CRunvelFrame::ConfirmDeleteAll()
{
    if (::MessageBoxW(m_hWnd, L"Do you want to delete all program icons?", L"Delete All",
                      MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_list.RemoveAll();
    m_dialog.m_grid.SetHighlight(-1);
    m_dialog.m_grid.ListChanged();
}

void CRunvelFrame::LaunchHighlighted()
{
    if (LPCWSTR path = m_list.GetPath(m_dialog.m_grid.GetHighlight()))
        CSH::Execute(path);
}

void CRunvelFrame::DeleteHighlighted()
{
    if (!m_list.RemoveAt(m_dialog.m_grid.GetHighlight()))
        return;
    m_dialog.m_grid.SetHighlight(-1);
    m_dialog.m_grid.ListChanged();
}

void CRunvelFrame::SaveAndClose()
{
    if (m_bSaved)
        return;
    m_bSaved = TRUE;
    wchar_t path[MAX_PATH];
    if (FilePath(kIconCache, path) && !m_list.WriteIconCache(path))
        ::MessageBoxW(m_hWnd, L"Can't open file", path, MB_OK | MB_ICONEXCLAMATION);
    m_list.Save();
    LaunchSettings::Write(m_nLines, m_nArrangeMode);
}

// Once the window is gone, so the bar comes up over whatever is in front.
void CRunvelFrame::ReloadBar()
{
    KetraSend(WM_KETRA_SHOWAPPLET, 0, 1, kHostTimeoutMs);
}
