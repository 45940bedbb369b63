// Resources and commands of the rotator.  Safe to include from the resource
// script.
#pragma once

#define IDI_ROTATOR        101
// The notification icons of schedules 1 to 4 (105 + schedule number).
#define IDI_SCHEDULE1      105
#define IDI_SCHEDULE2      106
#define IDI_SCHEDULE3      107
#define IDI_SCHEDULE4      108

// Menu commands.
#define ID_EXIT            1
#define ID_SCHEDULE1       2001   // 2001 + schedule number
#define ID_NEXT_THEME      3001
#define ID_SETTINGS        4001
#define ID_STOP_ROTATE     5001
#define ID_RESUME_ROTATE   5002
#define ID_AUTO_START      5003
