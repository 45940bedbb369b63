// The loan calculator's arithmetic.
#include "loan_math.h"

#include <strsafe.h>

#include <cmath>
#include <new>

namespace {

const double kMonthlyRateFactor = 1.0 / 1200;  // 0.0008333333333333334

// (1 + r)^n by n multiplications.
double Growth(double r, int n)
{
    double u = 1;
    for (int i = 0; i < n; ++i)
        u *= 1 + r;
    return u;
}

}  // namespace

const wchar_t* const kTermTexts[kTermCount] = {L"1", L"2",  L"3",  L"4",  L"5",  L"6",  L"7",
                                               L"8", L"9", L"10", L"15", L"20", L"25", L"30"};

int TermIndexOrDefault(int index)
{
    return index >= 0 && index < kTermCount ? index : kDefaultTermIndex;
}

int TermYears(int index)
{
    return _wtoi(kTermTexts[TermIndexOrDefault(index)]);
}

double LoanPayment(double amount, double rate, int years)
{
    const int n = years * 12;
    if (rate == 0)
        return amount / n;
    const double r = rate * kMonthlyRateFactor;
    const double u = Growth(r, n);
    return (r * amount) / (1 - 1 / u);
}

double LoanInterest(double balance, double rate)
{
    return balance * rate / 1200;
}

double LoanPrincipal(double rate, int years, double payment)
{
    if (rate == 0)
        return years * payment * 12;
    const double r = rate * kMonthlyRateFactor;
    const double u = Growth(r, years * 12);
    return (1 - 1 / u) * (payment / r);
}

SMonthPart* LoanSchedule(double amount, double rate, int years)
{
    if (years < 1 || years > kMaxYears)
        return nullptr;
    const int months = years * 12;
    SMonthPart* schedule = new (std::nothrow) SMonthPart[months];
    if (!schedule)
        return nullptr;
    const double payment = LoanPayment(amount, rate, years);
    double balance = amount;
    for (int i = 0; i < months; ++i) {
        schedule[i].interest = balance * rate * kMonthlyRateFactor;
        schedule[i].principal = payment - schedule[i].interest;
        balance -= schedule[i].principal;
    }
    return schedule;
}

void YearlyTotals(const SMonthPart* schedule, int years, SMonthPart* totals)
{
    for (int year = 0; year < years; ++year) {
        totals[year] = SMonthPart{0, 0};
        for (int month = 0; month < 12; ++month) {
            totals[year].principal += schedule[year * 12 + month].principal;
            totals[year].interest += schedule[year * 12 + month].interest;
        }
    }
}

int GraphBars(const SMonthPart* totals, int years, SGraphBar* bars)
{
    if (years < 1 || years > kMaxYears)
        return 0;
    const double full = totals[0].principal + totals[0].interest;
    if (!(full > 0) || !std::isfinite(full))
        return 0;
    const int width = kGraphWidth / years;
    const int first = (int)((kGraphWidth - years * width + 1) * 0.5);
    for (int year = 0; year < years; ++year) {
        double red = std::trunc(totals[year].interest / full * kGraphHeight + 0.5);
        // A negative rate or a later year above the first stays inside the picture.
        if (!(red >= 0))
            red = 0;
        if (red > kGraphHeight)
            red = kGraphHeight;
        bars[year] = SGraphBar{first + year * width, width - 1, (int)red};
    }
    return years;
}

void MonthLabel(int currentMonth, int currentYear, int i, wchar_t* out, size_t cchOut)
{
    const int month = (currentMonth + i) % 12 + 1;
    const int year = currentYear % 100 + (currentMonth + i) / 12;
    StringCchPrintfW(out, cchOut, L"%02d/%02d", month, year);
}
