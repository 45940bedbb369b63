// The loan calculator's arithmetic: fixed-rate loans paid monthly.
//
// Rates are percent per year; terms are whole years from the term list.
// (1 + r)^n is computed by n successive multiplications, as the payments
// shown have always been computed.
#pragma once

#include <windows.h>

enum {
    kTermCount = 14,         // "1" to "9", "10", "15", "20", "25", "30"
    kDefaultTermIndex = 13,  // 30 years
    kMaxYears = 30,
    kGraphWidth = 200,
    kGraphHeight = 80,
};

// The term list's entries, in order.
extern const wchar_t* const kTermTexts[kTermCount];

// The term at a list position; a position outside the list counts as the
// default (a stored index out of range must never give a term of 0).
int TermIndexOrDefault(int index);
int TermYears(int index);

double LoanPayment(double amount, double rate, int years);
double LoanInterest(double balance, double rate);
// The amount a monthly payment repays.
double LoanPrincipal(double rate, int years, double payment);

struct SMonthPart {
    double principal;
    double interest;
};
// The month-by-month split of each payment, years × 12 records made with
// new[] (the caller deletes them); null when they cannot be allocated.
SMonthPart* LoanSchedule(double amount, double rate, int years);

// Principal and interest summed per year of a schedule, into years records.
void YearlyTotals(const SMonthPart* schedule, int years, SMonthPart* totals);

// One bar of the graph: its left edge and width, and where its red part
// (the year's interest) ends and the green part (principal) begins.
struct SGraphBar {
    int left;
    int width;
    int redBottom;
};
// The bars of the yearly totals in a kGraphWidth × kGraphHeight picture,
// the first year's total payment as the full height.  The count of bars:
// 0 when there is nothing to scale by (a first year total of 0, or not a
// finite number).
int GraphBars(const SMonthPart* totals, int years, SGraphBar* bars);

// The amortization list's label of month i ("%02d/%02d"): the first row is
// the month after the given one (1-12), the year runs on past 99.
void MonthLabel(int currentMonth, int currentYear, int i, wchar_t* out, size_t cchOut);
