// Resource and control identifiers of the settings program. Safe to include
// from the resource script.
#pragma once

// The frame: menu bar, its "Tools" pop-up and the page commands.
#define IDR_OPTION_MENUBAR      107
#define IDB_OPTION_TOOLS        111
#define IDS_OPTION_TOOLS        40036
#define ID_OPTION_TOOLS_POPUP   40031
#define ID_PAGE_APPLETS         40040
#define ID_PAGE_OPTIONS         40037
#define ID_PAGE_SKIN            40038

// Page templates.
#define IDD_APPLET_PAGE         112
#define IDD_SETTINGS_PAGE       105
#define IDD_SKIN_PAGE           113

// Applets page controls.
#define IDC_APPLET_LIST         1001
#define IDC_APPLET_MOVE_UP      1002
#define IDC_APPLET_MOVE_DOWN    1003
#define IDC_APPLET_OPTIONS      1005
#define IDC_APPLET_DELETE       1020
#define IDC_APPLET_DELETE_ALL   1021
#define IDC_APPLET_IMPORT       1023

// Options page controls.
#define IDC_OPT_SOUND_ON        1009
#define IDC_OPT_BK_PICK         1011
#define IDC_OPT_BK_IMAGE        1012
#define IDC_OPT_BK_STRETCH      1014
#define IDC_OPT_AUTO_CLOSE      1015
#define IDC_OPT_BACK_ON         1016
#define IDC_OPT_SND_OPEN_PICK   1017
#define IDC_OPT_SND_OPEN_PLAY   1018
#define IDC_OPT_SND_CLOSE_PICK  1019
#define IDC_OPT_AUTO_START      1020
#define IDC_OPT_SND_CLOSE_PLAY  1021
#define IDC_OPT_MINIMIZE        1022
#define IDC_OPT_HW_BUTTON       1027

// Skin page controls.
#define IDC_SKIN_DESCRIPTION    1012
#define IDC_SKIN_LIST           1027
#define IDC_SKIN_COLOR_SET      1028
#define IDC_SKIN_COLOR1         1029
#define IDC_SKIN_COLOR2         1030
#define IDC_SKIN_TEXT_COLOR     1031
#define IDC_SKIN_DELETE         1032
#define IDC_SKIN_SWATCH1        1033
#define IDC_SKIN_SWATCH2        1034
#define IDC_SKIN_SWATCH_TEXT    1035
