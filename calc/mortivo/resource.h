// Resource ids of the loan calculator's dialogs.
#pragma once

#define IDD_LOAN_SUMMARY 110
#define IDD_LOAN_AMORTIZATION 111
#define IDD_LOAN_SAVE 112

// "Loan Summary": the values, in the order of their labels.
#define IDC_SUMMARY_AMOUNT 1001
#define IDC_SUMMARY_TERM 1002
#define IDC_SUMMARY_RATE 1003
#define IDC_SUMMARY_PAYMENT 1004
#define IDC_SUMMARY_TOTAL 1005
#define IDC_SUMMARY_INTEREST 1006

// "Principal and Interest".
#define IDC_GRAPH 1010
#define IDC_SCHEDULE 1011

// "Save to compare".
#define IDC_SAVE_NEW 1003
#define IDC_SAVE_ADD 1004
#define IDC_SAVE_NAME 1005
#define IDC_SAVE_FILE 1006
