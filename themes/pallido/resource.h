// Resources, controls and commands of the theme designer.  Safe to include
// from the resource script.
#pragma once

#define IDR_DESIGNER_MENUBAR  102
#define IDB_MOCKUP_ICONS      103
#define IDB_BROWSER_BUTTON    104
#define IDS_FILE              40001
#define IDS_HELP              40002
#define ID_FILE_POPUP         40003
#define ID_HELP_POPUP         40004

// File menu.
#define ID_FILE_OPEN          40005
#define ID_FILE_SAVE          40006
#define ID_FILE_SAVE_AS       40007
#define ID_NEW_DEFAULT        40016
#define ID_NEW_BLUE           40017
#define ID_NEW_RED            40018
#define ID_NEW_GREEN          40019
#define ID_NEW_YELLOW         40020
#define ID_FILE_INFO          40022
#define ID_HELP_ABOUT         40029
// The tool button.
#define ID_LAUNCH_BROWSER     40031

// The panel's controls: the items, the editors' swatches (400-412) and
// labels (413-425), and "Apply".
#define IDC_ITEMS             1101
#define IDC_APPLY             1102
#define IDC_SWATCH_FIRST      400
#define IDC_LABEL_FIRST       413
