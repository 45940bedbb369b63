// Resource and command identifiers of the world clock program. Safe to
// include from the resource script.
#pragma once

// The menu bar: "Tools" and two buttons.
#define IDR_GLOBORA_MENUBAR     100
#define IDS_GLOBORA_TOOLS       40036
#define ID_GLOBORA_TOOLS_POPUP  40031
#define IDM_GLOBORA_ABOUT       1103
#define IDM_GLOBORA_EXIT        1104
// The buttons: the device's clock settings and the switch to the side bar.
#define IDM_GLOBORA_CLOCK       1101
#define IDM_GLOBORA_TO_BAR      1102
#define IDB_GLOBORA_BUTTONS     111

// The box icons: copy the current city here, open the city list.
#define IDI_GLOBORA_COPY_CITY   116
#define IDI_GLOBORA_OPEN_LIST   118

// The city list, and the nearest-city menu's first command.
#define IDC_GLOBORA_CITY_LIST   1001
#define IDM_GLOBORA_NEAR_FIRST  2001
