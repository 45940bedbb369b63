// The expression evaluator.
#include "evaluator.h"

#include <cmath>
#include <string>

namespace {

const char kBottomMarker = 11;  // vertical tab, never typed

const char kErrorParsing[] = "Error: Parsing";
const char kErrorDivision[] = "Error: Devision by zero";
const char kErrorOperator[] = "Error: Invalid Operator";

// Precedence of an operator waiting on the stack.
int OnStack(char op)
{
    switch (op) {
    case kBottomMarker:
    case '(':
        return 1;
    case '^':
        return 4;
    case '*':
    case '/':
        return 3;
    case '+':
    case '-':
        return 2;
    default:
        return 0;
    }
}

// Precedence of an operator arriving in the text.
int Arriving(char op)
{
    switch (op) {
    case '(':
    case '^':
        return 5;
    case '*':
    case '/':
    case '%':
        return 3;
    case '+':
    case '-':
        return 2;
    default:
        return 0;
    }
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

}  // namespace

CEvaluator::CEvaluator()
    : m_pTop(nullptr), m_state(kStart), m_bReading(false), m_bFraction(false), m_nFractionDigits(0),
      m_dNumber(0), m_dSign(1), m_szError(), m_wszError()
{
}

CEvaluator::~CEvaluator()
{
    Clear();
}

void CEvaluator::Push(Kind kind, double value, char op)
{
    m_pTop = new Item{kind, value, op, m_pTop};
}

CEvaluator::Item* CEvaluator::Pop()
{
    Item* top = m_pTop;
    if (top)
        m_pTop = top->next;
    return top;
}

void CEvaluator::Clear()
{
    while (Item* item = Pop())
        delete item;
}

void CEvaluator::SetError(const char* text)
{
    size_t i = 0;
    for (; text[i] && i + 1 < sizeof(m_szError); ++i) {
        m_szError[i] = text[i];
        m_wszError[i] = (wchar_t)(unsigned char)text[i];
    }
    m_szError[i] = '\0';
    m_wszError[i] = L'\0';
}

char CEvaluator::CurrentOperator() const
{
    for (const Item* item = m_pTop; item; item = item->next) {
        if (item->kind != kNumber)
            return item->op;
    }
    return 0;
}

void CEvaluator::FlushNumber()
{
    if (m_bReading)
        PushNumber(m_dNumber);
    ResetNumber();
}

void CEvaluator::ResetNumber()
{
    m_bReading = false;
    m_bFraction = false;
    m_nFractionDigits = 0;
    m_dNumber = 0;
    m_dSign = 1;
}

bool CEvaluator::Operator(char op)
{
    FlushNumber();
    if (m_state == kAfterOperator) {
        SetError(kErrorParsing);
        return false;
    }
    m_state = kAfterOperator;
    while (OnStack(CurrentOperator()) >= Arriving(op)) {
        if (!Reduce())
            return false;
    }
    Push(kOperator, 0, op);
    return true;
}

// Right operand, operator, left operand; the operator is checked first, so
// an unclosed "(" in its place is reported as such.
bool CEvaluator::Reduce()
{
    Item* right = Pop();
    Item* op = Pop();
    Item* left = Pop();
    bool ok = false;
    double result = 0;
    if (right && op && right->kind == kNumber) {
        if (op->kind != kOperator) {
            SetError(kErrorOperator);
        } else if (left && left->kind == kNumber) {
            ok = true;
            switch (op->op) {
            case '+':
                result = left->value + right->value;
                break;
            case '-':
                result = left->value - right->value;
                break;
            case '*':
                result = left->value * right->value;
                break;
            case '/':
                if (right->value == 0) {
                    SetError(kErrorDivision);
                    ok = false;
                } else {
                    result = left->value / right->value;
                }
                break;
            case '^':
                result = pow(left->value, right->value);
                break;
            default:
                SetError(kErrorOperator);
                ok = false;
            }
        }
    }
    delete right;
    delete op;
    delete left;
    if (ok)
        PushNumber(result);
    return ok;
}

bool CEvaluator::CloseGroup()
{
    for (;;) {
        if (!m_pTop || m_pTop->kind != kNumber || !m_pTop->next)
            return false;
        Item* below = m_pTop->next;
        if (below->kind == kOpenParen) {
            // Take the "(" out from under the group's value.
            m_pTop->next = below->next;
            delete below;
            return true;
        }
        if (below->kind != kOperator || !Reduce())
            return false;
    }
}

bool CEvaluator::Finish(double& value)
{
    FlushNumber();
    for (;;) {
        if (!m_pTop || m_pTop->kind == kBottom)
            return false;
        if (m_pTop->kind == kOperator) {
            delete Pop();  // a trailing operator
            continue;
        }
        if (m_pTop->kind != kNumber) {
            SetError(kErrorOperator);  // an unclosed "("
            return false;
        }
        if (m_pTop->next && m_pTop->next->kind == kBottom) {
            value = m_pTop->value;
            return true;
        }
        if (!Reduce())
            return false;
    }
}

HRESULT CEvaluator::Evaluate(const wchar_t* text, double& value)
{
    std::string narrow;
    for (const wchar_t* at = text; at && *at; ++at)
        narrow += *at < 0x80 ? (char)*at : '\x7F';  // beyond 8 bits: no character of the grammar
    return Evaluate(narrow.c_str(), value);
}

HRESULT CEvaluator::Evaluate(const char* text, double& value)
{
    m_szError[0] = '\0';
    m_wszError[0] = L'\0';
    Clear();
    Push(kBottom, 0, kBottomMarker);
    m_state = kStart;
    ResetNumber();

    bool ok = text != nullptr;
    for (const char* at = text; ok && *at; ++at) {
        char ch = *at;
        if (IsDigit(ch) || ch == '.') {
            if (m_state == kAfterCloseParen && !(ok = Operator('*')))
                break;
            if (m_state == kAfterUnaryMinus)
                m_dSign = -1;
            m_state = kInNumber;
            m_bReading = true;
            if (ch == '.') {
                m_bFraction = true;
            } else if (!m_bFraction) {
                m_dNumber = m_dNumber * 10 + (ch - '0') * m_dSign;
            } else {
                ++m_nFractionDigits;
                m_dNumber += (ch - '0') * pow(0.1, m_nFractionDigits) * m_dSign;
            }
        } else if ((ch == '+' || ch == '-') && (m_state == kStart || m_state == kAfterOpenParen)) {
            char next = at[1];
            if (!IsDigit(next) && next != '(' && next != '.') {
                SetError(kErrorParsing);
                ok = false;
            }
            m_state = ch == '-' ? kAfterUnaryMinus : kAfterUnaryPlus;
        } else if (ch == '(') {
            // A number, a signed group or a group just closed multiplies
            // the group that opens here.
            if (m_state == kAfterUnaryMinus) {
                PushNumber(-1);
                ok = Operator('*');
            } else if (m_bReading || m_state == kAfterCloseParen) {
                ok = Operator('*');
            }
            if (!ok)
                break;
            Push(kOpenParen, 0, '(');
            m_state = kAfterOpenParen;
        } else if (ch == ')') {
            FlushNumber();
            m_state = kAfterCloseParen;
            ok = CloseGroup();
        } else if (ch == '+' || ch == '-' || ch == '*' || ch == '/' || ch == '^') {
            ok = Operator(ch);
        } else {
            SetError(kErrorParsing);
            ok = false;
        }
    }
    double result = 0;
    ok = ok && Finish(result) && std::isfinite(result);
    Clear();
    if (!ok)
        return E_FAIL;
    value = result;
    return S_OK;
}
