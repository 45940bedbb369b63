// The unit converter's window: a category list, a number box with its unit
// list, the converted number with its unit list, and the skin's keypad.
#pragma once

#include <windows.h>

#include <calvint.h>

#include "catalogue.h"

class CUnitraWnd : public CNumWnd {
public:
    // Command ids of the boxes.
    enum : UINT {
        IDC_CATEGORY = 7700,
        IDC_UNIT1 = 7701,
        IDC_INPUT = 7702,
        IDC_UNIT2 = 7703,
        IDC_RESULT = 7704,
    };
    enum { kDefaultPrecision = 5 };
    // The configuration section of its settings.
    static constexpr const wchar_t* kConfigSection = L"Applets\\Converter";

    CUnitraWnd();
    ~CUnitraWnd() override;

    // Makes the window in the parent (the side bar), reads the precision
    // and the remembered conversions beside the library and loads the skin
    // "CtSkin.xml" from there.  0 (no window left) when the skin cannot be
    // loaded or holds a control this window does not know.
    int Open(HWND parent, HINSTANCE module);

    void OnNumChar(wchar_t ch) override;
    void OnNumClear() override;
    int OnClicked(CButton* button, CPoint point) override;
    int OnLoadSkinDone() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    void OnDestroy() override;

    const SSelection& GetCurrent() const { return m_current; }

private:
    // The five boxes from the skin's controls.
    int CreateBox(const CCtrl* ctrl);
    void FillUnitLists();
    void ChangeCategory(int category);
    void Recompute();
    void RememberAndSave();

    CConvSelection m_selection;
    CConverterSet m_display;
    SSelection m_current;
    int m_nPrecision;
    wchar_t m_szSelectionFile[MAX_PATH];
    CFont m_font;  // the boxes' font, kept while they live
    CComboBox m_category;
    CComboBox m_unit1;
    CComboBox m_unit2;
    CNumEdit m_input;
    CNumEdit m_result;
};
