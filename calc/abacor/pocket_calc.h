// The pocket calculator's keys and arithmetic: a 16-character entry, an
// accumulator, the operand of the last "=" and one pending operation.
//
// An operator takes the entry as the accumulator and becomes the pending
// operation, replacing an earlier one without evaluating it; "=" applies
// the pending operation with the entry typed since the last result (or,
// pressed again, with the same operand as before); after "=" a digit starts
// a new number and an operator goes on from the result.  Values beyond
// ±999999999999 show "Error" until the next key.
#pragma once

#include <windows.h>

class CPocketCalc {
public:
    enum { kEntryLength = 16 };
    static constexpr double kLargest = 999999999999.0;

    CPocketCalc() { Clear(); }

    // A key: "0"-"9", ".", "+", "-", "*", "/", "=" or "C"; others are ignored.
    void Press(wchar_t key);
    // What the display shows: "Error", "0", or the entry (padded on the left).
    const wchar_t* Display() const;

    bool IsError() const { return m_bError; }

private:
    enum Operation { kNone, kAdd, kMultiply, kDivide, kSubtract };

    void Clear();
    void TypeDigit(wchar_t digit);
    void TakeOperator(Operation operation);
    void Equals();
    void Show(double value);
    void SetError();
    double EntryValue() const;

    wchar_t m_szEntry[kEntryLength + 1];
    double m_dAccumulator;
    double m_dOperand;
    Operation m_operation;
    bool m_bNewEntry;  // the next digit starts a fresh entry
    bool m_bCleared;   // the display shows "0"
    bool m_bPoint;     // the entry holds a "."
    bool m_bError;
    bool m_bTyped;     // an entry was typed since the last result
};
