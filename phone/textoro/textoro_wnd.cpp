#include "textoro_wnd.h"

#include <applet_module.h>
#include <ketra_host.h>
#include <line_file.h>

#include "sms_send.h"

namespace {

const wchar_t kPicture[] = L"Textoro.gif";
const wchar_t kNumbersFile[] = L"MyNumber.txt";
const wchar_t kCannedFile[] = L"Phrasel.txt";
const wchar_t kCannedEditor[] = L"Phrasel.exe";
const wchar_t kCaption[] = L"SMS Sender";
const wchar_t kSettingsKey[] = L"SOFTWARE\\ZARQ\\Applets\\SMS Sender";
const wchar_t kCallBackValue[] = L"CallBack";
const size_t kCallBackChars = 260;
const size_t kCannedChars = 259;

const RECT kAreas[CTextoroWnd::kAreaCount] = {
    {144, 0, 166, 27}, {166, 0, 188, 27}, {188, 0, 210, 27}, {210, 0, 240, 27}};

}  // namespace

bool CTextoroWnd::FilePath(LPCWSTR name, wchar_t* path) const
{
    return LineFile::BesideModule(CorAppletModule(), name, path, MAX_PATH);
}

BOOL CTextoroWnd::PreCreateWindow(CREATESTRUCTW* cs)
{
    cs->style |= WS_CLIPCHILDREN;  // the picture never paints over the boxes
    return CApplet::PreCreateWindow(cs);
}

void CTextoroWnd::OnCreate()
{
    m_keyboardShown = false;
    HINSTANCE module = CorAppletModule();
    m_font.CreateFont(13, L"Arial", FW_NORMAL);
    m_number = ::CreateWindowExW(0, L"COMBOBOX", L"",
                                 WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                 5, 4, 141, 120, m_hWnd, (HMENU)(UINT_PTR)kNumberId, module, nullptr);
    ::SendMessageW(m_number, WM_SETFONT, (WPARAM)(HFONT)m_font, FALSE);
    // An address holds 255 characters: the box takes no more.
    ::SendMessageW(m_number, CB_LIMITTEXT, SmsSend::kNumberChars, 0);
    ReadCallBack();
    wchar_t path[MAX_PATH];
    if (FilePath(kNumbersFile, path))
        LineFile::Read(path, LineFile::kEntries, SmsSend::kNumberChars, &m_numbers);
    FillNumbers();

    m_message = ::CreateWindowExW(0, L"EDIT", L"",
                                  WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL,
                                  5, 26, 226, 60, m_hWnd, (HMENU)(UINT_PTR)kMessageId, module, nullptr);
    ::SendMessageW(m_message, WM_SETFONT, (WPARAM)(HFONT)m_font, FALSE);
    // Only this much is sent: the box takes no more, canned texts included.
    ::SendMessageW(m_message, EM_LIMITTEXT, SmsSend::kMessageChars, 0);

    m_keyboard.Create(m_hWnd, kHeight);

    if (FilePath(kCannedFile, path))
        LineFile::Read(path, LineFile::kEntries, kCannedChars, &m_canned);
    if (FilePath(kPicture, path)) {
        HDC screen = ::GetDC(m_hWnd);
        m_picture.Load(screen, path);
        ::ReleaseDC(m_hWnd, screen);
    }
    FocusOn();
}

void CTextoroWnd::OnDestroy()
{
    m_keyboard.Destroy();
    m_numbers.clear();
    m_canned.clear();
    m_font.DeleteObject();
    CApplet::OnDestroy();
}

BOOL CTextoroWnd::OnEraseBkgnd(HDC)
{
    return TRUE;
}

void CTextoroWnd::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    RECT top = {0, 0, kWidth, kHeight};
    ::FillRect(dc, &top, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    m_picture.Draw(dc, 0, 0, 0xFFFFFFFF);
    ::EndPaint(m_hWnd, &paint);
}

void CTextoroWnd::OnLButtonDown(CPoint point)
{
    for (int area = 0; area < kAreaCount; ++area)
        if (::PtInRect(&kAreas[area], point)) {
            Tap(area);
            return;
        }
}

void CTextoroWnd::Tap(int area)
{
    switch (area) {
    case kContacts:
        CSH::Execute(L":MSCONTACTS", L"");
        break;
    case kCanned:
        ShowCannedMenu();
        break;
    case kKeyboard:
        ToggleKeyboard();
        break;
    case kSend:
        SendMessageTyped();
        break;
    }
}

void CTextoroWnd::ShowCannedMenu()
{
    HMENU menu = ::CreatePopupMenu();
    for (size_t i = 0; i < m_canned.size(); ++i)
        ::AppendMenuW(menu, MF_STRING, kCannedCommand + i, m_canned[i].c_str());
    if (!m_canned.empty())
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, kEditCannedCommand, L"Edit My Text");
    POINT at = {220, kAreas[kCanned].bottom};
    ::ClientToScreen(m_hWnd, &at);
    ::TrackPopupMenu(menu, TPM_RIGHTALIGN | TPM_TOPALIGN, at.x, at.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(menu);
}

LRESULT CTextoroWnd::OnCommand(UINT id, UINT code)
{
    if (id >= kCannedCommand && id < kCannedCommand + m_canned.size()) {
        AppendToMessage(m_canned[id - kCannedCommand]);
        return 0;
    }
    if (id == kEditCannedCommand) {
        wchar_t path[MAX_PATH];
        if (FilePath(kCannedEditor, path))
            CSH::Execute(path);
        return 0;
    }
    return CApplet::OnCommand(id, code);
}

void CTextoroWnd::AppendToMessage(const std::wstring& text)
{
    // Replacing the empty selection at the end keeps to the box's limit.
    int end = ::GetWindowTextLengthW(m_message);
    ::SendMessageW(m_message, EM_SETSEL, end, end);
    ::SendMessageW(m_message, EM_REPLACESEL, FALSE, (LPARAM)text.c_str());
}

void CTextoroWnd::ToggleKeyboard()
{
    m_keyboardShown = !m_keyboardShown && m_keyboard.Height() > 0;
    int height = kHeight + (m_keyboardShown ? m_keyboard.Height() : 0);
    SetWindowPos(0, 0, kWidth, height, SWP_NOMOVE | SWP_NOACTIVATE);
    m_keyboard.Show(m_keyboardShown);
    RequestHeight(height);
}

std::wstring CTextoroWnd::TextOf(HWND control, size_t maxChars) const
{
    std::wstring text(maxChars + 1, L'\0');
    int n = ::GetWindowTextW(control, &text[0], (int)maxChars + 1);
    text.resize(n > 0 ? (size_t)n : 0);
    return text;
}

void CTextoroWnd::Say(LPCWSTR text)
{
    ::MessageBoxW(::GetParent(m_hWnd), text, kCaption, MB_OK);
}

void CTextoroWnd::SendMessageTyped()
{
    std::wstring number = TextOf(m_number, kCallBackChars);
    std::wstring message = TextOf(m_message, kCallBackChars);
    if (message.empty()) {
        Say(L"There is no text to send.");
        return;
    }
    if (number.empty()) {
        Say(L"Phone number must be entered.");
        return;
    }
    if (!SmsSend::IsValidNumber(number)) {
        Say(L"Phone No is incorrect.");
        return;
    }
    HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    HRESULT hr = SmsSend::Send(number, message);
    ::SetCursor(previous);
    if (FAILED(hr)) {
        Say(L"The SMS Message was not sent.");
        return;
    }
    m_numbers = SmsSend::WithNumberOnTop(m_numbers, number);
    if (m_numbers.size() > LineFile::kEntries)
        m_numbers.resize(LineFile::kEntries);
    wchar_t path[MAX_PATH];
    if (FilePath(kNumbersFile, path))
        LineFile::Write(path, m_numbers);
    FillNumbers();
    ::SetWindowTextW(m_number, number.c_str());
    Say(L"The SMS Message was successfully sent.");
}

void CTextoroWnd::FillNumbers()
{
    std::wstring typed = TextOf(m_number, kCallBackChars);
    ::SendMessageW(m_number, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& number : m_numbers)
        ::SendMessageW(m_number, CB_ADDSTRING, 0, (LPARAM)number.c_str());
    ::SetWindowTextW(m_number, typed.c_str());
}

void CTextoroWnd::ReadCallBack()
{
    wchar_t number[kCallBackChars + 1] = {};
    DWORD cb = sizeof(number) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kSettingsKey, kCallBackValue, RRF_RT_REG_SZ, nullptr, number, &cb) !=
        ERROR_SUCCESS)
        return;
    ::SetWindowTextW(m_number, number);
}

LRESULT CTextoroWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KETRA_RELAY && wParam == kNumberHandedOver) {
        ReadCallBack();
        return 1;
    }
    return CApplet::OnMessage(message, wParam, lParam);
}
