// The Skin page: the side bar's skin and the applets' colours.
#pragma once

#include "option_page.h"
#include "skin_preview.h"

class CSkinPage : public COptionPage {
public:
    // Where the preview is painted in the page.
    static constexpr int kPreviewX = 9;
    static constexpr int kPreviewY = 55;
    // A skin name: 260 characters and the terminator.
    static constexpr int kSkinNameChars = 261;

    CSkinPage();

    BOOL OnInitDialog() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Writes the skin name and, only when that worked, the three colours.
    void Save() override;

protected:
    LPCWSTR Title() const override { return L"Ketra Skin"; }
    void OnPaintPage(HDC hdc) override;

private:
    void LoadSettings();
    void FillSkinList();
    void FillColourSetList();
    // Rebuilds the preview of the current skin and tells the user what is missing.
    void RebuildPreview();
    void InvalidatePreview();

    void OnSkinChosen();
    void OnColourSetChosen();
    void PickColour(int index);
    void DeleteSkin();
    void DrawSwatch(const DRAWITEMSTRUCT* item);

    // Text of the list's selected entry; empty when none or too long.
    std::wstring SelectedText(int listId);
    bool IsDroppedDown(int listId);

    wchar_t m_szSkinsFolder[MAX_PATH];  // empty when the install folder is unknown
    wchar_t m_szSkin[kSkinNameChars];   // the current skin's folder name
    COLORREF m_colours[3];              // colour 1, colour 2, text colour
    CSkinPreview m_preview;
};
