// Resource identifiers of the system summary.  Safe to include from the
// resource script.
#pragma once

#define IDI_SUMMARY          100
#define IDR_SUMMARY_MENUBAR  102
#define IDD_SUMMARY          105
#define IDI_CARD             116
#define IDI_BATTERY          117
#define IDI_STORE            118
#define IDI_MEMORY           119
#define IDI_EXTERNAL_POWER   120
#define IDI_BACKUP_BATTERY   121
#define IDS_SUMMARY_REFRESH  103
#define ID_SUMMARY_REFRESH   40001
