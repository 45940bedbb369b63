// Resource identifiers of the task-bar icon tool's settings.  Safe to
// include from the resource script.
#pragma once

#define IDI_CRESTSET          101
#define IDR_CRESTSET_MENUBAR  102
#define IDD_CRESTSET          103

#define IDC_CLOSE_ON_CORNER   1001
#define IDC_START_WITH_DEVICE 1002
#define IDC_SHOW_ICON         1003
