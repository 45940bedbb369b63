// CTskInfoDialog: one theme's preview, name, size and date.
#include <tskdialogs.h>

#include <strsafe.h>
#include <wchar.h>

#include "dialog_layout.h"
#include "tessary_private.h"
#include "tsk_text.h"

namespace {

const wchar_t kNewName[] = L"<New>";
const POINT kPreviewAt = {5, 10};
const SIZE kPreviewSize = {62, 80};
const POINT kTitleAt = {5, 96};
const POINT kSizeAt = {75, 72};
const POINT kDateAt = {75, 56};
const int kFontHeight = 12;

} // namespace

CTskInfoDialog::CTskInfoDialog()
{
    m_szPath[0] = L'\0';
    FormLibraryTempFiles(&m_temp, L"FileDlg.");
}

CTskInfoDialog::~CTskInfoDialog()
{
    m_temp.DeleteAll();
}

void CTskInfoDialog::SetDialogInfo(HWND owner)
{
    CDialog::SetDialogInfo(kTemplate, owner, FALSE, TessaryModule());
}

INT_PTR CTskInfoDialog::DoModal(LPCWSTR path)
{
    if (!path || !*path)
        return IDCANCEL;
    if (_wcsicmp(path, kNewName) == 0) {
        ::MessageBoxW(m_hWndParent, L"This is a new tsk file which doesn't have any info", L"Info",
                      MB_OK | MB_ICONINFORMATION);
        return IDOK;
    }
    if (FAILED(StringCchCopyW(m_szPath, MAX_PATH, path)))
        return IDCANCEL;
    if (!m_nTemplateId)
        SetDialogInfo(m_hWndParent);
    m_bRead = ReadTheme(m_szPath, &m_info, m_temp.Paths()) != 0;
    INT_PTR result = CDialog::DoModal();
    m_temp.DeleteAll();
    return result;
}

BOOL CTskInfoDialog::OnInitDialog()
{
    PlaceDialog(m_hWnd, 170, 116);
    ShowCaptionOk(m_hWnd);
    if (IsSpecialThemeName(m_szPath)) {
        SetWindowTextW(m_szPath);
    } else {
        WCHAR title[MAX_PATH];
        CSH::GetFileTitle(m_szPath, title, MAX_PATH);
        SetWindowTextW(title);
    }
    {
        CClientDC reference(m_hWnd);
        m_preview.CreateDCW(reference, kPreviewSize.cx, kPreviewSize.cy);
    }
    RECT all = {0, 0, kPreviewSize.cx, kPreviewSize.cy};
    ::FillRect(m_preview, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (m_bRead)
        DrawToday(m_preview, POINT{0, 0}, kPreviewSize, &m_info);
    return TRUE;
}

LRESULT CTskInfoDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(m_hWnd, &paint);
        Paint(dc);
        ::EndPaint(m_hWnd, &paint);
        return 0;
    }
    if (message == WM_PRINTCLIENT) {
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    }
    return CDialog::OnMessage(message, wParam, lParam);
}

void CTskInfoDialog::Paint(HDC dc)
{
    m_preview.Draw(dc, kPreviewAt.x, kPreviewAt.y, kOpaqueCopy);
    if (IsSpecialThemeName(m_szPath))
        return;
    CFont font;
    font.CreateFont(kFontHeight, L"Arial", FW_NORMAL);
    CSelectObject selected(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));

    WCHAR text[MAX_PATH];
    if (CSH::GetFileTitle(m_szPath, text, MAX_PATH))
        ::ExtTextOutW(dc, kTitleAt.x, kTitleAt.y, 0, nullptr, text, static_cast<UINT>(wcslen(text)), nullptr);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(m_szPath, GetFileExInfoStandard, &data))
        return;
    const ULONGLONG bytes = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (FormatKilobytes(bytes, L"Size : ", text, MAX_PATH))
        ::ExtTextOutW(dc, kSizeAt.x, kSizeAt.y, 0, nullptr, text, static_cast<UINT>(wcslen(text)), nullptr);
    if (FormatFileTime(data.ftLastWriteTime, L"M/d/yy", L" HH':'mm", text, MAX_PATH))
        ::ExtTextOutW(dc, kDateAt.x, kDateAt.y, 0, nullptr, text, static_cast<UINT>(wcslen(text)), nullptr);
}
