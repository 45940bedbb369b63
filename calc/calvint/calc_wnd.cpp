// CCalcWnd: a calculator's skin, boxes and settings.
#include "calc_wnd.h"

CCalcWnd::CCalcWnd(const wchar_t* className, const wchar_t* skinFile)
    : m_hModule(nullptr), m_pszClassName(className), m_pszSkinFile(skinFile), m_bLoaded(false)
{
}

int CCalcWnd::Open(HWND parent, HINSTANCE module)
{
    m_hModule = module;
    LoadSettings();
    m_font.CreateFont(13, L"Tahoma", FW_NORMAL);
    if (!OpenSkin(parent, module, m_pszClassName, m_pszSkinFile))
        return 0;  // this object may be gone with its window
    m_bLoaded = true;
    return 1;
}

void CCalcWnd::OnNumChar(wchar_t ch)
{
    CNumEdit& box = KeyTarget();
    if (ch == L'.' && wcschr(box.GetText(), L'.'))
        return;
    box.TypeChar(ch);
    Recompute();
}

void CCalcWnd::OnNumClear()
{
    KeyTarget().Clear();
    Recompute();
}

int CCalcWnd::CreateBox(const CCtrl* ctrl, const SCalcBox* boxes, int count)
{
    return CreateCalcBox(m_hWnd, ctrl, boxes, count, m_font);
}

int CCalcWnd::CreateBoxes(const SCalcBox* boxes, int count)
{
    CCtrlList* ctrls = GetCtrlList();
    for (POSITION at = ctrls->GetHeadPosition(); at;) {
        if (!CreateBox(static_cast<CCtrl*>(ctrls->GetNext(at)), boxes, count))
            return 0;
    }
    return 1;
}

// Under Wine a tap in an open list arrives while the list is still open;
// any notice from a closed list is left alone.
LRESULT CCalcWnd::TakeListChoice(CComboBox& list, int& index)
{
    int choice = list.GetCurSel();
    if (list.GetDroppedState() && choice >= 0) {
        index = choice;
        Recompute();
    }
    return 0;
}

LRESULT CCalcWnd::TakeTyping(UINT code)
{
    if (code == EN_CHANGE)
        Recompute();
    return 0;
}

void CCalcWnd::OnDestroy()
{
    if (m_bLoaded)
        SaveSettings();
    m_bLoaded = false;
    CNumWnd::OnDestroy();
}
