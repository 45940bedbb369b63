// The Skin page: the side bar's skin and the applets' colours.
#pragma once

#include "option_page.h"

class CSkinPage : public COptionPage {
public:
    BOOL OnInitDialog() override;
    void Save() override;

protected:
    LPCWSTR Title() const override { return L"Ketra Skin"; }
};
