#include "dialer_wnd.h"

#include <applet_module.h>
#include <cedevice.h>
#include <ketra_host.h>
#include <line_file.h>
#include <phone.h>

#include <mmsystem.h>

namespace {

const wchar_t kPicture[] = L"Dialer.gif";
const wchar_t kRemovedFile[] = L"DelNumber.txt";
const wchar_t kTapSound[] = L"\\Windows\\menuPop.wav";
const wchar_t kPhoneProgramPath[] = L"\\windows\\cprog.exe";

const RECT kAreas[CDialerWnd::kAreaCount] = {
    {0, 0, 40, 40},   {40, 0, 196, 40},   {196, 0, 236, 40},
    {0, 40, 20, 63},  {20, 40, 45, 63},   {211, 40, 236, 63},
};

}  // namespace

bool CDialerWnd::FilePath(LPCWSTR name, wchar_t* path) const
{
    return LineFile::BesideModule(CorAppletModule(), name, path, MAX_PATH);
}

void CDialerWnd::OnCreate()
{
    m_tapped = false;
    wchar_t path[MAX_PATH];
    std::vector<std::wstring> removed;
    if (FilePath(kRemovedFile, path))
        LineFile::Read(path, CCallList::kRemovedKept, 255, &removed);
    m_list.SetRemoved(removed);
    m_list.LoadCallLog();

    m_nameFont.CreateFont(22, L"Tahoma", FW_BOLD);
    m_numberFont.CreateFont(14, L"Tahoma", FW_BOLD);
    if (FilePath(kPicture, path)) {
        HDC screen = ::GetDC(m_hWnd);
        m_picture.Load(screen, path);
        ::ReleaseDC(m_hWnd, screen);
    }
    SetTimer(kReloadTimer, kReloadMs);
}

void CDialerWnd::OnDestroy()
{
    KillTimer(kReloadTimer);
    wchar_t path[MAX_PATH];
    if (FilePath(kRemovedFile, path))
        LineFile::Write(path, m_list.Removed(), CCallList::kRemovedKept);
    m_nameFont.DeleteObject();
    m_numberFont.DeleteObject();
    CApplet::OnDestroy();
}

BOOL CDialerWnd::OnEraseBkgnd(HDC)
{
    return TRUE;
}

void CDialerWnd::OnPaint()
{
    PAINTSTRUCT paint;
    HDC target = ::BeginPaint(m_hWnd, &paint);
    // Drawn off screen first so a repaint does not flicker.
    HDC dc = ::CreateCompatibleDC(target);
    HBITMAP surface = ::CreateCompatibleBitmap(target, kWidth, kHeight);
    HGDIOBJ oldBitmap = ::SelectObject(dc, surface);
    RECT whole = {0, 0, kWidth, kHeight};
    ::FillRect(dc, &whole, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    m_picture.Draw(dc, 0, 0, 0xFFFFFFFF);

    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    const UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT | DT_TOP;
    HGDIOBJ oldFont = ::SelectObject(dc, (HFONT)m_nameFont);
    // A long name ends in an ellipsis before the picture's handset.
    RECT nameArea = {40, 11, 174, 40};
    if (const CallEntry* entry = m_list.CurrentEntry()) {
        const std::wstring& title = entry->name.empty() ? entry->number : entry->name;
        ::DrawTextW(dc, title.c_str(), (int)title.size(), &nameArea, format);
        ::SelectObject(dc, (HFONT)m_numberFont);
        if (!entry->name.empty()) {
            RECT numberArea = {40, 43, 155, 63};
            ::DrawTextW(dc, entry->number.c_str(), (int)entry->number.size(), &numberArea, format);
        }
        wchar_t position[32];
        _snwprintf(position, 32, L"[%d/%d]", m_list.Current() + 1, m_list.Count());
        position[31] = L'\0';
        RECT positionArea = {155, 43, 211, 63};
        ::DrawTextW(dc, position, -1, &positionArea, format);
    } else {
        ::DrawTextW(dc, L"No Call Log", -1, &nameArea, format);
    }
    ::SelectObject(dc, oldFont);

    ::BitBlt(target, 0, 0, kWidth, kHeight, dc, 0, 0, SRCCOPY);
    ::SelectObject(dc, oldBitmap);
    ::DeleteObject(surface);
    ::DeleteDC(dc);
    ::EndPaint(m_hWnd, &paint);
}

void CDialerWnd::OnLButtonDown(CPoint point)
{
    m_tapped = true;
    for (int area = 0; area < kAreaCount; ++area)
        if (::PtInRect(&kAreas[area], point)) {
            ::PlaySoundW(kTapSound, nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
            Tap(area);
            return;
        }
}

void CDialerWnd::Tap(int area)
{
    switch (area) {
    case kPrevious:
        m_list.Previous();
        Invalidate(FALSE);
        break;
    case kNext:
        m_list.Next();
        Invalidate(FALSE);
        break;
    case kCall:
        if (const CallEntry* entry = m_list.CurrentEntry()) {
            PHONEMAKECALLINFO call = {};
            call.cbSize = sizeof(call);
            call.dwFlags = PMCF_DEFAULT;
            call.pszDestAddress = entry->number.c_str();
            PhoneMakeCall(&call);
        }
        break;
    case kPhoneProgram:
        CSH::Execute(kPhoneProgramPath);
        ::SendMessageW(::GetParent(m_hWnd), WM_KETRA_CLOSE, 0, 0);
        break;
    case kTalkKey:
        keybd_event(VK_TTALK, 0, 0, 0);
        keybd_event(VK_TTALK, 0, KEYEVENTF_KEYUP, 0);
        break;
    case kMenu:
        ShowMenu();
        break;
    }
}

void CDialerWnd::ShowMenu()
{
    HMENU menu = ::CreatePopupMenu();
    if (!m_list.IsEmpty())
        ::AppendMenuW(menu, MF_STRING, kRemove, L"Remove");
    ::AppendMenuW(menu, MF_STRING, kReset, L"Reset");
    POINT at = {220, kAreas[kMenu].top};
    ::ClientToScreen(m_hWnd, &at);
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_BOTTOMALIGN, at.x, at.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(menu);
}

LRESULT CDialerWnd::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case kRemove:
        if (m_list.RemoveCurrent())
            Invalidate(FALSE);
        return 0;
    case kReset:
        m_list.ClearRemoved();
        Reload();
        return 0;
    }
    return CApplet::OnCommand(id, code);
}

void CDialerWnd::Reload()
{
    m_list.LoadCallLog();
    Invalidate(FALSE);
}

void CDialerWnd::OnTimer(UINT_PTR timerId)
{
    if (timerId != kReloadTimer)
        return CApplet::OnTimer(timerId);
    // The log is read again only after five minutes without a tap, so it
    // never changes under the user's hand.
    if (m_tapped)
        m_tapped = false;
    else
        Reload();
}
