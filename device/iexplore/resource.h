// Resource and command ids of the browser.
#pragma once

#define IDR_MENUBAR      100
#define IDB_BACK         101
#define IDS_VIEW         102

#define IDM_VIEW         40001   // the "View" drop-down
#define IDM_REFRESH      40002
#define IDM_BACK         40003
