// Resource identifiers of the task-bar icon tool.  Safe to include from the
// resource script.
#pragma once

#define IDS_CRESTEL_TITLE    1
#define IDS_CRESTEL_CLASS    3

#define IDI_CRESTEL          101
#define IDD_CRESTEL_ABOUT    103
#define IDI_LEVEL_FULL       104   // level 4
#define IDI_LEVEL_HALF       106   // level 3
#define IDI_LEVEL_EXTERNAL   107   // level 1: external power
#define IDI_LEVEL_LOW        108   // level 2
#define IDI_LEVEL_UNKNOWN    109   // level 0

// The icon's menu and the window's other commands.
#define ID_CRESTEL_EXIT      1
#define ID_CRESTEL_HOME      1101
#define ID_CRESTEL_MINIMIZE  1102
#define ID_CRESTEL_CLOSE     1103
#define ID_CRESTEL_CLOSE_ALL 1104
#define ID_CRESTEL_SHUT_DOWN 1105
#define ID_CRESTEL_RESET     1106
#define ID_CRESTEL_QUIT      1109
#define ID_CRESTEL_KETRA     1110
#define ID_CRESTEL_OPTION    1111
#define ID_CRESTEL_ABOUT     40003
