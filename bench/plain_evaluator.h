// The baseline of the expression calculator's benchmark: a plain
// recursive-descent evaluator of the expressions the benchmark gives,
// numbers with "+", "-", "*", "/", "^" (right to left) and parentheses,
// with "-" before a number inside a group.
#pragma once

// The value, or false when the text is not such an expression.
bool PlainEvaluate(const char* text, double* value);
