// The loan report: one result as an HTML table, kept in an 8-bit file in
// the documents folder so that several results can be compared there, the
// newest on top.  The file holds the tables only (no html or body tags).
#pragma once

#include <windows.h>

#include <string>

// The report name when none is stored.
extern const wchar_t kDefaultReportName[];
enum { kReportNameLength = 260 };  // characters, terminator included

struct SLoanResult {
    double amount;
    int years;
    double rate;
    double payment;
};

// The result's table as the report file holds it, in the 8-bit code page.
std::string LoanReportTable(const SLoanResult& result);

// "<folder>\<name>.html" into out (MAX_PATH characters).  False for a name
// that is empty or holds a character a file name cannot (\ / : * ? " < > |
// or a control character), and for a path longer than 259 characters.
bool ReportPath(const wchar_t* folder, const wchar_t* name, wchar_t* out);

// The report file made afresh with this table.
bool WriteNewReport(const wchar_t* path, const std::string& table);
// The table put above what the file holds.  The old content is read whole
// before anything is written; when it cannot be read (or is larger than a
// report grows) the file is left as it is and false returned.
bool AddToReport(const wchar_t* path, const std::string& table);

// The largest report file that "add" reads.
enum : DWORD { kMaxReportBytes = 4u << 20 };
