// The Applets page: which applets the side bar offers, in which order.
#pragma once

#include "option_page.h"

class CAppletPage : public COptionPage {
public:
    BOOL OnInitDialog() override;
    void Save() override;

protected:
    LPCWSTR Title() const override { return L"Ketra Applets"; }
};
