// The Options page: the side bar's options, its start and its hardware button.
#pragma once

#include "option_page.h"

class CSettingsPage : public COptionPage {
public:
    BOOL OnInitDialog() override;
    void Save() override;

protected:
    LPCWSTR Title() const override { return L"Ketra Options"; }
};
