// CCalcWnd: a calculator's boxes, settings and side-bar messages.
#include "calc_wnd.h"

#include <ketra_host.h>
#include <todaycmn.h>

CCalcWnd::CCalcWnd(const wchar_t* className, const wchar_t* skinFile)
    : m_hModule(nullptr), m_pszClassName(className), m_pszSkinFile(skinFile), m_bLoaded(false)
{
}

int CCalcWnd::Open(HWND parent, HINSTANCE module)
{
    m_hModule = module;
    LoadSettings();
    m_font.CreateFont(13, L"Tahoma", FW_NORMAL);
    if (!Create(parent, m_pszClassName))
        return 0;
    CModuleInfo library(module);
    LPCWSTR skin = library.GetFileName(m_pszSkinFile);
    if (!skin || !LoadSkin(skin)) {
        DestroyWindow();  // an applet's object may be gone with it
        return 0;
    }
    m_bLoaded = true;
    ShowWindow();
    UpdateWindow();
    return 1;
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

LRESULT CCalcWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_KETRA_RELAY:
    case WM_TODAYCUSTOM_CLEARCACHE:
        return 0;
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE:
        return AnswerHeightQuery(wParam);
    }
    return CNumWnd::OnMessage(message, wParam, lParam);
}

void CCalcWnd::OnDestroy()
{
    if (m_bLoaded)
        SaveSettings();
    m_bLoaded = false;
    CNumWnd::OnDestroy();
}
