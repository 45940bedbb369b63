// Resource ids of the currency converter's settings dialog.
#pragma once

#define IDD_CURRENCY_SETTINGS 110

// Rate fields 1000 + currency (the base's is static text "1.00"), name
// boxes 1021 + currency.
#define IDC_RATE_FIRST 1000
#define IDC_NAME_FIRST 1021
#define IDC_RESET 5
#define IDC_CHANGE_NAMES 6
#define IDC_SIP 7
#define IDC_NAME_HEADING 1040
#define IDC_RATE_HEADING 1041
