// Resource ids of the sample program.
#pragma once

#define IDR_SAMPLE_MENUBAR 100   // menu bar (RCDATA, see aygshell.h)
#define IDS_QUIT           101
#define IDM_QUIT           40001
