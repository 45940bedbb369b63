// The loan report's text and file.
#include "loan_report.h"

#include <strsafe.h>

#include <number_text.h>

#include <vector>

const wchar_t kDefaultReportName[] = L"LoanData";

namespace {

const wchar_t kForbidden[] = L"\\/:*?\"<>|";

// "%.2f", grouped.
std::wstring Money(double value)
{
    wchar_t text[kNumberTextLength];
    PrintDouble(value, 2, text);
    AddComma(text);
    return text;
}

std::string Narrow(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int size = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string out((size_t)size, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), (int)text.size(), &out[0], size, nullptr, nullptr);
    return out;
}

// The folder of a path (without its last backslash).
std::wstring FolderOf(const wchar_t* path)
{
    std::wstring folder = path;
    size_t slash = folder.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring(L".") : folder.substr(0, slash ? slash : 1);
}

// Writes the bytes to a new file beside path and renames it over path, so
// a failure at any point leaves the previous file as it was.
bool WriteWhole(const wchar_t* path, const std::string& bytes)
{
    wchar_t temporary[MAX_PATH];
    if (!::GetTempFileNameW(FolderOf(path).c_str(), L"ln", 0, temporary))
        return false;
    bool ok = false;
    HANDLE file = ::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ok = ::WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) && written == bytes.size();
        ok = ::CloseHandle(file) && ok;
    }
    ok = ok && ::MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        ::DeleteFileW(temporary);
    return ok;
}

bool ReadWhole(const wchar_t* path, std::string* bytes)
{
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = ::GetFileSizeEx(file, &size) && size.QuadPart <= kMaxReportBytes;
    if (ok) {
        bytes->assign((size_t)size.QuadPart, '\0');
        DWORD read = 0;
        ok = bytes->empty() ||
             (::ReadFile(file, &(*bytes)[0], (DWORD)bytes->size(), &read, nullptr) && read == bytes->size());
    }
    ::CloseHandle(file);
    return ok;
}

}  // namespace

std::string LoanReportTable(const SLoanResult& result)
{
    const double totalPaid = result.years * 12 * result.payment;
    wchar_t text[2048];
    StringCchPrintfW(text, ARRAYSIZE(text),
                     L"<table><tr bgcolor=\"#ffcc33\"><td width=115><b><font size=2>Loan Amount</font></b></td>"
                     L"<td width=115><b><font size=2>Term</font></b></td></tr><tr bgcolor=\"#dddddd\"><td>"
                     L"<font size=2>%ls</font></td><td><font size=2>%d Years</font></td></tr>"
                     L"<tr bgcolor=\"#ffcc33\"><td><b><font size=2>Rate</font></b></td><td><b><font size=2>"
                     L"Monthly P&I</font></b></td></tr><tr bgcolor=\"#dddddd\"><td><font size=2>%.3f%%</font>"
                     L"</td><td><font size=2>%ls</font></td></tr>"
                     L"<tr bgcolor=\"#ffcc33\"><td><b><font size=2>Total Interest</font></b></td><td><b>"
                     L"<font size=2>Total P&I</font></b></td></tr><tr bgcolor=\"#dddddd\"><td><font size=2>"
                     L"%ls</font></td><td><font size=2>%ls</font></td></tr></table><br/>&nbsp;<br/>",
                     Money(result.amount).c_str(), result.years, result.rate, Money(result.payment).c_str(),
                     Money(totalPaid - result.amount).c_str(), Money(totalPaid).c_str());
    return Narrow(text);
}

bool ReportPath(const wchar_t* folder, const wchar_t* name, wchar_t* out)
{
    out[0] = L'\0';
    if (!folder || !name || !*name)
        return false;
    for (const wchar_t* at = name; *at; ++at) {
        if (*at < 0x20 || wcschr(kForbidden, *at))
            return false;
    }
    wchar_t path[MAX_PATH];
    if (FAILED(StringCchPrintfW(path, MAX_PATH, L"%ls\\%ls.html", folder, name)))
        return false;  // longer than 259 characters
    StringCchCopyW(out, MAX_PATH, path);
    return true;
}

bool WriteNewReport(const wchar_t* path, const std::string& table)
{
    return WriteWhole(path, table);
}

bool AddToReport(const wchar_t* path, const std::string& table)
{
    std::string old;
    if (!ReadWhole(path, &old))
        return false;
    return WriteWhole(path, table + old);
}
