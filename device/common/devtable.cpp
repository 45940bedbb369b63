#include "devtable.h"

#include <stdio.h>

#include "devclock.h"
#include "devlog.h"

namespace {

const std::wstring kEmpty;

bool FromUtf8(const std::string& bytes, std::wstring* text)
{
    text->clear();
    if (bytes.empty())
        return true;
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), (int)bytes.size(), nullptr, 0);
    if (n <= 0)
        return false;
    text->resize((size_t)n);
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), (int)bytes.size(), &(*text)[0], n);
    return true;
}

// Splits one line at its tabs and undoes the escapes; false on an unknown
// escape or a backslash at the end.
bool SplitFields(const std::wstring& line, std::vector<std::wstring>* fields, const wchar_t** why)
{
    fields->assign(1, std::wstring());
    for (size_t i = 0; i < line.size(); ++i) {
        wchar_t c = line[i];
        if (c == L'\t') {
            fields->emplace_back();
            continue;
        }
        if (c != L'\\') {
            fields->back() += c;
            continue;
        }
        if (++i == line.size()) {
            *why = L"backslash at the end";
            return false;
        }
        switch (line[i]) {
        case L't': fields->back() += L'\t'; break;
        case L'n': fields->back() += L'\n'; break;
        case L'r': fields->back() += L'\r'; break;
        case L'\\': fields->back() += L'\\'; break;
        default: *why = L"unknown escape"; return false;
        }
    }
    return true;
}

bool ValidTime(int year, int month, int day, int hour, int minute)
{
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59)
        return false;
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] && !(month == 2 && day == 29 && !leap);
}

} // namespace

int DevTable::Column(const wchar_t* name) const
{
    for (size_t i = 0; i < columns.size(); ++i)
        if (_wcsicmp(columns[i].c_str(), name) == 0)
            return (int)i;
    return -1;
}

const std::wstring& DevTable::Field(size_t row, const wchar_t* name) const
{
    int column = Column(name);
    if (column < 0 || row >= rows.size() || (size_t)column >= rows[row].size())
        return kEmpty;
    return rows[row][(size_t)column];
}

bool DevParseTable(const std::string& bytes, DevTable* table, const wchar_t* source, const wchar_t* fileName)
{
    table->columns.clear();
    table->rows.clear();
    size_t pos = 0;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        pos = 3;
    bool header = true;
    int lineNumber = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        if (end == std::string::npos)
            end = bytes.size();
        std::string raw = bytes.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        if (raw.empty())
            continue;
        const wchar_t* why = nullptr;
        std::wstring line;
        std::vector<std::wstring> fields;
        if (!FromUtf8(raw, &line))
            why = L"not UTF-8";
        else if (!SplitFields(line, &fields, &why))
            ;
        else if (header) {
            table->columns = fields;
            header = false;
            continue;
        } else if (fields.size() > table->columns.size())
            why = L"more fields than columns";
        if (why) {
            if (source)
                DevLog(source, L"%ls line %d skipped (%ls)", fileName, lineNumber, why);
            continue;
        }
        table->rows.push_back(std::move(fields));
    }
    return !header;
}

bool DevReadTable(const wchar_t* path, DevTable* table, const wchar_t* source)
{
    table->columns.clear();
    table->rows.clear();
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < 64 * 1024 * 1024;
    std::string bytes;
    if (ok) {
        bytes.resize((size_t)size.QuadPart);
        DWORD read = 0;
        ok = bytes.empty() || (ReadFile(file, &bytes[0], (DWORD)bytes.size(), &read, nullptr) && read == bytes.size());
    }
    CloseHandle(file);
    if (!ok)
        return false;
    const wchar_t* name = wcsrchr(path, L'\\');
    return DevParseTable(bytes, table, source, name ? name + 1 : path);
}

bool DevParseStoreTime(const std::wstring& text, SYSTEMTIME* local)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, days = 0, used = 0;
    wchar_t sign = 0;
    SYSTEMTIME result = {};
    if (swscanf(text.c_str(), L"today%lc%d %d:%d%n", &sign, &days, &hour, &minute, &used) == 4 &&
        used == (int)text.size() && (sign == L'+' || sign == L'-') && days >= 0 && days <= 36500) {
        SYSTEMTIME now;
        DevClockLocal(&now);
        now.wHour = now.wMinute = now.wSecond = now.wMilliseconds = 0;
        FILETIME ft;
        if (!SystemTimeToFileTime(&now, &ft))
            return false;
        ULARGE_INTEGER t = {{ft.dwLowDateTime, ft.dwHighDateTime}};
        const ULONGLONG kDay = 864000000000ULL;
        t.QuadPart = sign == L'+' ? t.QuadPart + kDay * (ULONGLONG)days : t.QuadPart - kDay * (ULONGLONG)days;
        ft.dwLowDateTime = t.LowPart;
        ft.dwHighDateTime = t.HighPart;
        if (!FileTimeToSystemTime(&ft, &result) || hour < 0 || hour > 23 || minute < 0 || minute > 59)
            return false;
        result.wHour = (WORD)hour;
        result.wMinute = (WORD)minute;
        *local = result;
        return true;
    }
    used = 0;
    if (swscanf(text.c_str(), L"%4d-%2d-%2d %2d:%2d%n", &year, &month, &day, &hour, &minute, &used) != 5 ||
        used != (int)text.size() || !ValidTime(year, month, day, hour, minute))
        return false;
    result.wYear = (WORD)year;
    result.wMonth = (WORD)month;
    result.wDay = (WORD)day;
    result.wHour = (WORD)hour;
    result.wMinute = (WORD)minute;
    FILETIME ft;  // fills in the weekday
    if (!SystemTimeToFileTime(&result, &ft) || !FileTimeToSystemTime(&ft, &result))
        return false;
    *local = result;
    return true;
}

std::wstring DevEscapeField(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
        case L'\t': out += L"\\t"; break;
        case L'\n': out += L"\\n"; break;
        case L'\r': out += L"\\r"; break;
        case L'\\': out += L"\\\\"; break;
        default: out += c;
        }
    }
    return out;
}
