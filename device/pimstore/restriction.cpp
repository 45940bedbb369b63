// Restrictions of an item collection: "[Start]>=\"12/7/2026\"" and the like,
// the value read in the device's date format (HKLM "nls" "DefaultLCID").
#include "pimstore_private.h"

#include <oleauto.h>
#include <wchar.h>

#include "devtable.h"

namespace {

const wchar_t* const kOperators[] = {L">=", L"<=", L"<>", L">", L"<", L"="};

LCID DeviceLocale()
{
    DWORD lcid = 0;
    DWORD cb = sizeof(lcid);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, L"nls", L"DefaultLCID", RRF_RT_REG_DWORD, nullptr, &lcid, &cb) ==
            ERROR_SUCCESS && lcid != 0)
        return lcid;
    return LOCALE_USER_DEFAULT;
}

} // namespace

bool PimRecordTime(const PimRecord& record, const std::wstring& column, DATE* value)
{
    SYSTEMTIME local;
    return DevParseStoreTime(record.Field(column), &local) && SystemTimeToVariantTime(&local, value);
}

bool PimParseRestriction(const std::wstring& text, PimRestriction* out)
{
    // [Field]op"value", nothing around it.
    size_t close = text.find(L']');
    if (text.empty() || text[0] != L'[' || close == std::wstring::npos)
        return false;
    out->field = text.substr(1, close - 1);
    if (out->field != L"Start" && out->field != L"End")
        return false;
    size_t at = close + 1;
    out->op.clear();
    for (const wchar_t* op : kOperators)
        if (text.compare(at, wcslen(op), op) == 0) {
            out->op = op;
            break;
        }
    if (out->op.empty())
        return false;
    at += out->op.size();
    if (text.size() < at + 2 || text[at] != L'"' || text.back() != L'"')
        return false;
    std::wstring value = text.substr(at + 1, text.size() - at - 2);
    if (value.empty() || value.find(L'"') != std::wstring::npos)
        return false;
    BSTR date = SysAllocString(value.c_str());
    HRESULT parsed = date ? VarDateFromStr(date, DeviceLocale(), 0, &out->value) : E_OUTOFMEMORY;
    SysFreeString(date);
    return SUCCEEDED(parsed);
}

bool PimMatches(const PimRecord& record, const PimRestriction& restriction)
{
    DATE value = 0;
    if (!PimRecordTime(record, restriction.field, &value))
        return false;
    // Times within a second are equal: the store keeps whole minutes.
    const double a = value, b = restriction.value, tolerance = 1.0 / (24 * 60 * 60);
    const bool equal = a > b - tolerance && a < b + tolerance;
    const std::wstring& op = restriction.op;
    if (op == L"=")
        return equal;
    if (op == L"<>")
        return !equal;
    if (op == L">=")
        return equal || a > b;
    if (op == L"<=")
        return equal || a < b;
    if (op == L">")
        return !equal && a > b;
    return !equal && a < b;
}
