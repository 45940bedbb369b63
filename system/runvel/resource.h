// Resource and control identifiers of the launcher's options program. Safe
// to include from the resource script.
#pragma once

#define IDI_RUNVEL              101
#define IDR_RUNVEL_MENUBAR      102
#define IDD_RUNVEL              103
#define IDS_RUNVEL_EDIT         104

#define IDC_RUNVEL_LINES        1006
#define IDC_RUNVEL_ARRANGE      1007

#define ID_RUNVEL_EDIT_POPUP    40016
#define ID_RUNVEL_ADD           40017
#define ID_RUNVEL_REFRESH       40018
#define ID_RUNVEL_DELETE_ALL    40019
#define ID_RUNVEL_LAUNCH        40020
#define ID_RUNVEL_DELETE        40021
