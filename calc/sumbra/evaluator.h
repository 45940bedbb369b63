// The expression calculator's evaluator: one left-to-right pass of an
// operator-precedence parser over an explicit stack, on an 8-bit copy of
// the text.  No window code: the tests and the benchmark compile it
// directly.
//
// Grammar: numbers ("12", "3.5", ".5"), "+", "-", "*", "/", "^" (right to
// left), parentheses, a sign at the start or after "(" (also before "(" or
// "."), and implied multiplication where a number or ")" meets "(" or a
// number follows ")".  "^" binds tighter than "*" and "/", which bind
// tighter than "+" and "-".  A trailing operator is dropped.
#pragma once

#include <windows.h>

class CEvaluator {
public:
    CEvaluator();
    ~CEvaluator();
    CEvaluator(const CEvaluator&) = delete;
    CEvaluator& operator=(const CEvaluator&) = delete;

    // S_OK and the value, or E_FAIL with the error text set for a known
    // cause ("Error: Parsing", "Error: Devision by zero", "Error: Invalid
    // Operator") and empty for a structural one (an unbalanced ")", a
    // missing operand, a result that is not a finite number).
    HRESULT Evaluate(const wchar_t* text, double& value);
    HRESULT Evaluate(const char* text, double& value);

    // The error text of the last evaluation (empty when none).
    const char* GetErrorText() const { return m_szError; }
    const wchar_t* GetErrorTextW() const { return m_wszError; }

private:
    enum Kind { kBottom = 0, kNumber = 1, kOperator = 2, kOpenParen = 3, kCloseParen = 4 };
    struct Item {
        Kind kind;
        double value;
        char op;
        Item* next;  // the item below
    };
    enum State { kStart, kInNumber, kAfterUnaryMinus, kAfterUnaryPlus, kAfterOpenParen, kAfterCloseParen,
                 kAfterOperator };

    void Push(Kind kind, double value, char op);
    void PushNumber(double value) { Push(kNumber, value, 0); }
    // Takes the top item off; the caller deletes it.
    Item* Pop();
    void Clear();
    void SetError(const char* text);

    // The operator nearest the top (an operator, "(" or the bottom marker).
    char CurrentOperator() const;
    // The number being read goes on the stack, if there is one.
    void FlushNumber();
    void ResetNumber();
    // A binary operator arriving (typed or implied); false on failure.
    bool Operator(char op);
    // Pops right operand, operator and left operand, pushes the result.
    bool Reduce();
    // Reduces down to the matching "(" and removes it.
    bool CloseGroup();
    bool Finish(double& value);

    Item* m_pTop;
    State m_state;
    bool m_bReading;   // a number is being read
    bool m_bFraction;  // its point has been seen
    int m_nFractionDigits;
    double m_dNumber;
    double m_dSign;
    char m_szError[32];
    wchar_t m_wszError[32];
};
