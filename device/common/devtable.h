// The device's store files: the call log, the contacts and the other
// services' records kept as text a tester can read and edit.
//
// A store file is UTF-8 text (a leading byte-order mark is tolerated), one
// record a line, fields separated by tabs.  The first line names the
// columns; a record may leave trailing fields out (they read as empty).
// Inside a field "\t", "\n", "\r" and "\\" stand for a tab, a line feed, a
// carriage return and a backslash.  A line that cannot be read (bad UTF-8,
// an unknown escape, more fields than columns) is skipped and logged as
// "<source>: <file> line <n> skipped (<why>)".
//
// Times are "YYYY-MM-DD HH:MM" or "today+N HH:MM" / "today-N HH:MM" (N days
// from the device's local date), so seeded records stay current.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct DevTable {
    std::vector<std::wstring> columns;
    std::vector<std::vector<std::wstring>> rows;

    // The column's position, -1 when the file has no such column.
    int Column(const wchar_t* name) const;
    // The field of a row by column name; empty when the column or field is missing.
    const std::wstring& Field(size_t row, const wchar_t* name) const;
};

// Parses the bytes of a store file.  source and fileName only label the
// log lines of skipped records (none are logged for a null source).  False when there is no header line.
bool DevParseTable(const std::string& bytes, DevTable* table, const wchar_t* source, const wchar_t* fileName);
// Reads a store file whole; false when it is missing, unreadable or has no header.
bool DevReadTable(const wchar_t* path, DevTable* table, const wchar_t* source);

// A time field as local wall-clock time; false for anything else.
bool DevParseStoreTime(const std::wstring& text, SYSTEMTIME* local);

// One field with its tabs, line ends and backslashes escaped.
std::wstring DevEscapeField(const std::wstring& text);
