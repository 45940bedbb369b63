// A plain recursive-descent evaluator (the benchmark's baseline).
#include "plain_evaluator.h"

#include <cmath>
#include <cstdlib>

namespace {

class Parser {
public:
    explicit Parser(const char* text) : at_(text) {}

    bool Parse(double* value)
    {
        return Expression(value) && *at_ == '\0';
    }

private:
    // expression := term { ("+" | "-") term }
    bool Expression(double* value)
    {
        if (!Term(value))
            return false;
        while (*at_ == '+' || *at_ == '-') {
            char op = *at_++;
            double right = 0;
            if (!Term(&right))
                return false;
            *value = op == '+' ? *value + right : *value - right;
        }
        return true;
    }

    // term := power { ("*" | "/") power }
    bool Term(double* value)
    {
        if (!Power(value))
            return false;
        while (*at_ == '*' || *at_ == '/') {
            char op = *at_++;
            double right = 0;
            if (!Power(&right) || (op == '/' && right == 0))
                return false;
            *value = op == '*' ? *value * right : *value / right;
        }
        return true;
    }

    // power := primary [ "^" power ]
    bool Power(double* value)
    {
        if (!Primary(value))
            return false;
        if (*at_ != '^')
            return true;
        ++at_;
        double exponent = 0;
        if (!Power(&exponent))
            return false;
        *value = pow(*value, exponent);
        return true;
    }

    // primary := number | "(" ["-"] expression ")"
    bool Primary(double* value)
    {
        if (*at_ == '(') {
            ++at_;
            bool negative = *at_ == '-';
            if (negative)
                ++at_;
            if (!Expression(value) || *at_ != ')')
                return false;
            ++at_;
            if (negative)
                *value = -*value;
            return true;
        }
        char* end = nullptr;
        *value = strtod(at_, &end);
        if (end == at_)
            return false;
        at_ = end;
        return true;
    }

    const char* at_;
};

}  // namespace

bool PlainEvaluate(const char* text, double* value)
{
    return Parser(text).Parse(value);
}
