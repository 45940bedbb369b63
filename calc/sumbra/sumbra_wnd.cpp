// The expression calculator's window.
#include "sumbra_wnd.h"

#include <commctrl.h>
#include <ketra_host.h>
#include <strsafe.h>

namespace {

const wchar_t kClassName[] = L"Sumbra";
const wchar_t kSkinFile[] = L"CalcSkin.xml";
const wchar_t kSplitters[] = L"+-x/()";

const DWORD kBoxStyle = WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
const UINT_PTR kEditSubclassId = 1;

// Posted to itself: the box takes the focus once the window is visible.
const UINT kMsgFocusBox = WM_APP + 1;

struct OperatorKey {
    const wchar_t* name;
    wchar_t ch;
};
const OperatorKey kOperatorKeys[] = {
    {L"PLUS", L'+'},      {L"MINUS", L'-'},      {L"MULTIPLY", L'x'},
    {L"DIVIDE", L'/'},    {L"LEFTBRACE", L'('},  {L"RIGHTBRACE", L')'},
};

}  // namespace

CSumbraWnd::CSumbraWnd() : m_hEdit(nullptr), m_nPrecision(kDefaultPrecision)
{
    m_bAutoClear = 0;  // an expression is never cleared by a pause
}

int CSumbraWnd::Open(HWND parent, HINSTANCE module)
{
    m_font.CreateFont(13, L"Tahoma", FW_NORMAL);
    if (!OpenSkin(parent, module, kClassName, kSkinFile))
        return 0;
    FocusBox();
    return 1;
}

int CSumbraWnd::OnLoadSkinDone()
{
    CCtrlList* ctrls = GetCtrlList();
    const CCtrl* boxCtrl = nullptr;
    for (POSITION at = ctrls->GetHeadPosition(); at && !boxCtrl;) {
        const CCtrl* ctrl = static_cast<CCtrl*>(ctrls->GetNext(at));
        if (ctrl->IsType(L"COMBOBOX"))
            boxCtrl = ctrl;
    }
    if (!boxCtrl || !m_box.Create(L"COMBOBOX", L"", kBoxStyle, boxCtrl->GetRect(), m_hWnd, IDC_EXPRESSION))
        return 0;
    m_box.SendMessageW(WM_SETFONT, (WPARAM)m_font.GetSafeHandle(), FALSE);
    // What is evaluated is what is shown: the box takes no more than its
    // 260-character buffers read back.
    m_box.SendMessageW(CB_LIMITTEXT, kNumberTextLength - 1);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    if (::GetComboBoxInfo(m_box, &info))
        m_hEdit = info.hwndItem;
    if (m_hEdit)
        ::SetWindowSubclass(m_hEdit, EditFieldProc, kEditSubclassId, (DWORD_PTR)this);
    LoadHistory();
    m_nPrecision = ReadPrecision(kConfigSection, kDefaultPrecision);
    return 1;
}

void CSumbraWnd::LoadHistory()
{
    CAppConfig config;
    if (!config.Open(kConfigSection))
        return;
    for (int i = 0; i < kStoredEntries; ++i) {
        wchar_t name[16];
        StringCchPrintfW(name, ARRAYSIZE(name), L"%ls%d", L"exp", i);
        wchar_t entry[kNumberTextLength] = L"";
        DWORD size = sizeof(entry);
        if (!config.GetAt(name, entry, &size) || !entry[0])
            break;
        m_box.AddString(entry);
    }
}

void CSumbraWnd::SaveHistory()
{
    CAppConfig config;
    if (!config.Open(kConfigSection))
        return;
    int count = m_box.GetCount();
    for (int i = 0; i < count && i < kStoredEntries; ++i) {
        wchar_t name[16];
        StringCchPrintfW(name, ARRAYSIZE(name), L"%ls%d", L"exp", i);
        wchar_t entry[kNumberTextLength];
        if (m_box.GetLBText(i, entry) >= 0)
            config.SetAt(name, entry);
    }
}

void CSumbraWnd::FocusBox()
{
    if (m_hEdit)
        ::SetFocus(m_hEdit);
    PressKey(VK_END);
}

void CSumbraWnd::PressKey(UINT vk)
{
    HWND focus = ::GetFocus();
    if (!focus)
        return;
    UINT scan = ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    ::SendMessageW(focus, WM_KEYDOWN, vk, 1 | (LPARAM)scan << 16);
    ::SendMessageW(focus, WM_KEYUP, vk, 1 | (LPARAM)scan << 16 | 0xC0000000);
}

bool CSumbraWnd::IsExpression(const wchar_t* text)
{
    int pieces = 0;
    bool inPiece = false;
    for (const wchar_t* at = text; *at; ++at) {
        bool splitter = wcschr(kSplitters, *at) != nullptr;
        if (!splitter && !inPiece)
            ++pieces;
        inPiece = !splitter;
    }
    return pieces >= 2;
}

void CSumbraWnd::OnOperator(wchar_t op)
{
    m_box.TypeChar(op);
}

void CSumbraWnd::Evaluate()
{
    wchar_t typed[kNumberTextLength];
    m_box.GetText(typed);
    if (IsExpression(typed)) {
        wchar_t expression[kNumberTextLength];
        StringCchCopyW(expression, kNumberTextLength, typed);
        for (wchar_t* at = expression; *at; ++at) {
            if (*at == L'x')
                *at = L'*';
        }
        double value = 0;
        if (m_evaluator.Evaluate(expression, value) == S_OK) {
            if (value == 0)
                value = 0;  // no "-0.000"
            wchar_t result[kNumberTextLength];
            PrintDouble(value, m_nPrecision, result);
            m_box.InsertString(0, typed);
            m_box.InsertString(0, result);
            m_box.SetText(result);
            SaveHistory();
        }
    }
    FocusBox();
}

void CSumbraWnd::OnNumChar(wchar_t ch)
{
    m_box.TypeChar(ch);
}

void CSumbraWnd::OnNumClear()
{
    m_box.Clear();
}

int CSumbraWnd::OnClicked(CButton* button, CPoint point)
{
    if (!button)
        return 1;
    if (!m_hEdit || ::GetFocus() != m_hEdit) {
        FocusBox();  // the first tap only brings the caret back
        return 1;
    }
    for (const OperatorKey& key : kOperatorKeys) {
        if (button->IsEqual(key.name)) {
            OnOperator(key.ch);
            return 1;
        }
    }
    if (button->IsEqual(L"ENTER"))
        Evaluate();
    else if (button->IsEqual(L"BACK"))
        m_box.TypeChar(L'\b');
    else if (button->IsEqual(L"LEFT"))
        PressKey(VK_LEFT);
    else if (button->IsEqual(L"RIGHT"))
        PressKey(VK_RIGHT);
    else
        return CNumWnd::OnClicked(button, point);
    return 1;
}

LRESULT CSumbraWnd::OnCommand(UINT id, UINT code)
{
    // A pick from the open history list: the caret goes after it.
    if (id == IDC_EXPRESSION && m_box.GetDroppedState())
        PressKey(VK_END);
    return CNumWnd::OnCommand(id, code);
}

LRESULT CSumbraWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KETRA_APPLETSHOWN:  // the bar opened
        PostMessageW(kMsgFocusBox);
        return 0;
    case WM_SHOWWINDOW:
        if (wParam)
            PostMessageW(kMsgFocusBox);
        break;
    case kMsgFocusBox:
        if (::IsWindowVisible(m_hWnd))
            FocusBox();
        return 0;
    }
    return CNumWnd::OnMessage(message, wParam, lParam);
}

void CSumbraWnd::OnDestroy()
{
    if (m_hEdit)
        ::RemoveWindowSubclass(m_hEdit, EditFieldProc, kEditSubclassId);
    m_hEdit = nullptr;
    CNumWnd::OnDestroy();
}

// Enter typed in the box evaluates, unless it closes the open list.
LRESULT CALLBACK CSumbraWnd::EditFieldProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                           DWORD_PTR self)
{
    auto* wnd = reinterpret_cast<CSumbraWnd*>(self);
    if (wParam == VK_RETURN && !wnd->m_box.GetDroppedState()) {
        if (message == WM_KEYDOWN) {
            wnd->Evaluate();
            return 0;
        }
        if (message == WM_CHAR || message == WM_KEYUP)
            return 0;
    }
    return ::DefSubclassProc(hWnd, message, wParam, lParam);
}
