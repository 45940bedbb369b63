// Controls of the options dialog (template 500).
#pragma once

#define IDC_MODE_THEME     1000
#define IDC_MODE_FILE      1001
#define IDC_MODE_WEBSITE   1002
#define IDC_FILE           1003
#define IDC_WEBSITE        1004
#define IDC_HEIGHT         1006
#define IDC_HEIGHT_LABEL   1007
#define IDC_WEBSITE_LABEL  1008
#define IDC_FILE_LABEL     1009
#define IDC_THEME_NOTE     1010
