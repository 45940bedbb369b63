// Resources, controls and commands of the schedule editor.  Safe to include
// from the resource script.
#pragma once

#define IDR_TURNSEL_MENUBAR   102
#define IDD_SCHEDULE_PAGE     105
// The schedules' 16 x 16 pictures, one strip.
#define IDB_SCHEDULES         105
#define IDS_TURNSEL_TOOLS     40001
#define ID_TOOLS_POPUP        40002
#define ID_ABOUT              40003

// The schedule buttons: 7001 + schedule number.
#define ID_SCHEDULE1          7001

// Page controls.
#define IDC_THEME_LIST        1001
#define IDC_UP                1002
#define IDC_DOWN              1003
#define IDC_HOURS             1007
#define IDC_MINUTES           1008
#define IDC_RANDOM            1009
#define IDC_SEQUENTIAL        1010
#define IDC_DAYS              1011
#define IDC_ALL               1013
