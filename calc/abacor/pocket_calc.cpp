// The pocket calculator's keys and arithmetic.
#include "pocket_calc.h"

#include <strsafe.h>

#include <cmath>
#include <cwchar>

void CPocketCalc::Clear()
{
    wmemset(m_szEntry, L' ', kEntryLength);
    m_szEntry[kEntryLength] = L'\0';
    m_dAccumulator = 0;
    m_dOperand = 0;
    m_operation = kNone;
    m_bNewEntry = false;
    m_bCleared = true;
    m_bPoint = false;
    m_bError = false;
    m_bTyped = false;
}

void CPocketCalc::Press(wchar_t key)
{
    if (key == L'C') {
        Clear();
        return;
    }
    if (m_bError) {
        // "Error" lasts until the next key, which starts a new entry.
        m_bError = false;
        m_bNewEntry = true;
    }
    switch (key) {
    case L'+':
        TakeOperator(kAdd);
        return;
    case L'-':
        TakeOperator(kSubtract);
        return;
    case L'*':
        TakeOperator(kMultiply);
        return;
    case L'/':
        TakeOperator(kDivide);
        return;
    case L'=':
        Equals();
        return;
    }
    if ((key >= L'0' && key <= L'9') || key == L'.')
        TypeDigit(key);
}

void CPocketCalc::TypeDigit(wchar_t digit)
{
    if (m_bNewEntry) {
        wmemset(m_szEntry, L' ', kEntryLength);
        m_bPoint = false;
    }
    if ((m_bCleared && digit == L'0') || m_szEntry[0] != L' ' || (digit == L'.' && m_bPoint))
        return;
    wmemmove(m_szEntry, m_szEntry + 1, kEntryLength - 1);
    m_szEntry[kEntryLength - 1] = digit;
    if (digit == L'.')
        m_bPoint = true;
    m_bCleared = false;
    m_bNewEntry = false;
    m_bTyped = true;
}

void CPocketCalc::TakeOperator(Operation operation)
{
    m_dAccumulator = EntryValue();
    if (std::fabs(m_dAccumulator) > kLargest) {
        SetError();
        return;
    }
    m_operation = operation;
    m_bPoint = false;
    m_bNewEntry = true;
}

void CPocketCalc::Equals()
{
    if (m_bTyped)
        m_dOperand = EntryValue();
    double result = m_dOperand;
    switch (m_operation) {
    case kAdd:
        result = m_dAccumulator + m_dOperand;
        break;
    case kMultiply:
        result = m_dAccumulator * m_dOperand;
        break;
    case kDivide:
        if (m_dOperand == 0) {
            SetError();
            return;
        }
        result = m_dAccumulator / m_dOperand;
        break;
    case kSubtract:
        result = m_dAccumulator - m_dOperand;
        break;
    case kNone:
        break;
    }
    m_bTyped = false;
    m_bNewEntry = true;
    m_bPoint = false;
    // A result out of range is an error, as an entry out of range is.
    if (!(std::fabs(result) <= kLargest)) {
        SetError();
        return;
    }
    m_dAccumulator = result;
    Show(result);
}

void CPocketCalc::Show(double value)
{
    wmemset(m_szEntry, L' ', kEntryLength);
    if (value == 0) {
        m_bCleared = true;
        m_bError = false;
        return;
    }
    m_bCleared = false;
    wchar_t text[64];
    // Whole numbers are printed whole, without a conversion to int (which
    // cannot hold twelve digits).
    if (value != std::trunc(value))
        StringCchPrintfW(text, ARRAYSIZE(text), L"%15g", value);
    else
        StringCchPrintfW(text, ARRAYSIZE(text), L"%.0f", value);
    const size_t length = wcsnlen(text, kEntryLength);
    wmemcpy(m_szEntry + kEntryLength - length, text, length);
}

void CPocketCalc::SetError()
{
    wmemset(m_szEntry, L' ', kEntryLength);
    m_bError = true;
    m_bNewEntry = true;
    m_bTyped = false;
    m_bPoint = false;
}

double CPocketCalc::EntryValue() const
{
    return wcstod(m_szEntry, nullptr);
}

const wchar_t* CPocketCalc::Display() const
{
    if (m_bError)
        return L"Error";
    if (m_bCleared)
        return L"0";
    return m_szEntry;
}
