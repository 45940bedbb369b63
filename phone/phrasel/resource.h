// Resource and control identifiers of "My Text". Safe to include from the
// resource script.
#pragma once

#define IDI_PHRASEL            101
#define IDR_PHRASEL_MENUBAR    102
#define IDD_PHRASEL            103
#define IDS_PHRASEL_TOOLS      104
#define IDI_PHRASEL_NEW        105
#define IDI_PHRASEL_DELETE     106

#define IDC_PHRASEL_LIST       1002
#define IDC_PHRASEL_NEW        1008
#define IDC_PHRASEL_DELETE     1012
#define IDC_PHRASEL_EDIT       1041

#define ID_PHRASEL_TOOLS_POPUP 40001
#define ID_PHRASEL_ABOUT       40002
