// CImageDialog: a picture picked from a file tree, previewed, and checked
// against a minimum size.
#include <tskdialogs.h>

#include <strsafe.h>
#include <wchar.h>

#include <initializer_list>

#include "dialog_layout.h"
#include "picture.h"
#include "tessary_private.h"
#include "tsk_text.h"

namespace {

constexpr DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                             TVS_LINESATROOT | TVS_DISABLEDRAGDROP;
const RECT kTreeFull = {3, 3, 204, 180};
const SIZE kTreeShort = {201, 129};
const POINT kPreviewAt = {3, 134};
const wchar_t kStartFolder[] = L"\\My Documents";

} // namespace

CImageDialog::CImageDialog()
{
    m_szFile[0] = L'\0';
    m_szFolder[0] = L'\0';
    StringCchCopyW(m_szStartFolder, MAX_PATH, kStartFolder);
    m_tree.AddFilterExt(L"gif");
    m_tree.AddFilterExt(L"jpg");
    m_tree.AddFilterExt(L"bmp");
}

void CImageDialog::SetDialogInfo(HWND owner, UINT /*flags*/)
{
    CDialog::SetDialogInfo(kTemplate, owner, FALSE, TessaryModule());
}

void CImageDialog::SetMinSize(int width, int height)
{
    m_minSize = CSize(width, height);
}

void CImageDialog::SetFolder(LPCWSTR folder)
{
    if (folder && *folder)
        StringCchCopyW(m_szStartFolder, MAX_PATH, folder);
}

BOOL CImageDialog::AddFilter(LPCWSTR extension)
{
    return m_tree.AddFilterExt(extension);
}

INT_PTR CImageDialog::DoModal()
{
    m_szFile[0] = L'\0';
    StringCchCopyW(m_szFolder, MAX_PATH, m_szStartFolder);
    m_imageSize = CSize(kUnknownSize, kUnknownSize);
    m_bPreview = false;
    if (!m_nTemplateId)
        SetDialogInfo(m_hWndParent, 0);
    return CDialog::DoModal() == IDOK ? 1 : 0;
}

BOOL CImageDialog::OnInitDialog()
{
    PlaceDialog(m_hWnd, 208, 246);
    m_tree.Create(kTreeStyle, kTreeFull, this, kTreeId);
    m_tree.Expand(m_szStartFolder);
    PlaceItem(m_hWnd, kSizeCaptionId, 110, 136, 30, 16);
    PlaceItem(m_hWnd, kFileSizeId, 140, 136, 66, 16);
    PlaceItem(m_hWnd, kDimensionsId, 110, 154, 96, 16);
    PlaceItem(m_hWnd, kDateId, 110, 172, 96, 16);
    PlaceItem(m_hWnd, IDCANCEL, 150, 220, 54, 22);
    for (int id : {kSizeCaptionId, kFileSizeId, kDimensionsId, kDateId})
        ::ShowWindow(GetDlgItem(id), SW_HIDE);
    {
        CClientDC reference(m_hWnd);
        m_preview.CreateDCW(reference, kPreviewWidth, kPreviewHeight);
    }
    ShowCaptionOk(m_hWnd);
    return TRUE;
}

// A tap in the tree: a file becomes the selected one (and its folder the
// current one), a folder the current one.
void CImageDialog::Selected()
{
    StringCchCopyW(m_szFolder, MAX_PATH, m_tree.GetFolder());
    const wchar_t* file = m_tree.GetSelected();
    if (!file[0]) {
        m_szFile[0] = L'\0';
        return;
    }
    // Tapping the previewed picture again keeps what it recorded.
    if (_wcsicmp(file, m_szFile) == 0)
        return;
    StringCchCopyW(m_szFile, MAX_PATH, file);
    Preview(m_szFile);
}

void CImageDialog::Preview(LPCWSTR path)
{
    RECT all = {0, 0, kPreviewWidth, kPreviewHeight};
    ::FillRect(m_preview, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    CTskPicture picture;
    if (picture.Load(m_preview, path)) {
        m_imageSize = CSize(picture.Width(), picture.Height());
        const RECT fit = FitPicture(picture.Width(), picture.Height(), kPreviewWidth, kPreviewHeight);
        ::SetStretchBltMode(m_preview, COLORONCOLOR);
        ::StretchBlt(m_preview, fit.left, fit.top, fit.right - fit.left, fit.bottom - fit.top, picture.Dc(), 0, 0,
                     picture.Width(), picture.Height(), SRCCOPY);
    } else {
        m_imageSize = CSize(0, 0);  // a picture that does not decode is too small for any minimum
    }

    wchar_t text[64] = L"";
    StringCchPrintfW(text, 64, L"(%dx%d)", m_imageSize.cx, m_imageSize.cy);
    SetDlgItemTextW(kDimensionsId, text);
    WIN32_FILE_ATTRIBUTE_DATA data;
    text[0] = L'\0';
    if (::GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        FormatKilobytes((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow, L"", text, 64);
    SetDlgItemTextW(kFileSizeId, text);
    wchar_t date[32] = L"";
    text[0] = L'\0';
    if (::GetFileAttributesExW(path, GetFileExInfoStandard, &data) &&
        FormatFileTime(data.ftLastWriteTime, L" M/d/yy", nullptr, date, 32))
        StringCchPrintfW(text, 64, L"Date: %ls", date);
    SetDlgItemTextW(kDateId, text);

    if (!m_bPreview) {
        m_bPreview = true;
        ::SetWindowPos(m_tree, nullptr, kTreeFull.left, kTreeFull.top, kTreeShort.cx, kTreeShort.cy,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        for (int id : {kSizeCaptionId, kFileSizeId, kDimensionsId, kDateId})
            ::ShowWindow(GetDlgItem(id), SW_SHOW);
    }
    RECT preview = {kPreviewAt.x, kPreviewAt.y, kPreviewAt.x + kPreviewWidth, kPreviewAt.y + kPreviewHeight};
    ::InvalidateRect(m_hWnd, &preview, FALSE);
}

LRESULT CImageDialog::OnCommand(UINT id, UINT code)
{
    if (id == IDOK) {
        if (!m_szFile[0]) {
            EndDialog(IDCANCEL);  // nothing chosen
            return 0;
        }
        if (m_minSize.cx <= m_imageSize.cx && m_minSize.cy <= m_imageSize.cy) {
            EndDialog(IDOK);
            return 0;
        }
        wchar_t text[128];
        StringCchPrintfW(text, 128, L"The image should be bigger than (%dX%d). Try bigger one.", m_minSize.cx,
                         m_minSize.cy);
        ::MessageBoxW(m_hWnd, text, L"Warning", MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    if (id == IDCANCEL)
        m_szFile[0] = L'\0';
    return CDialog::OnCommand(id, code);
}

LRESULT CImageDialog::OnNotify(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<int>(wParam) == kTreeId)
        return m_tree.OnNotify(kTreeId, reinterpret_cast<NMHDR*>(lParam));
    return CDialog::OnNotify(wParam, lParam);
}

LRESULT CImageDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case CFileTreeCtrl::kSelectionMessage:
        Selected();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(m_hWnd, &paint);
        if (m_bPreview)
            m_preview.Draw(dc, kPreviewAt.x, kPreviewAt.y, kOpaqueCopy);
        ::EndPaint(m_hWnd, &paint);
        return 0;
    }
    }
    return CDialog::OnMessage(message, wParam, lParam);
}
