// The expression calculator's evaluator against a plain recursive-descent
// evaluator, over one fixed set of expressions.
#pragma once

struct EvaluatorFigures {
    bool ok = false;
    int expressions = 0;
    double perSecond = 0;          // the calculator's evaluator
    double baselinePerSecond = 0;  // the plain one
    int disagreements = 0;         // expressions the two valued differently
};

EvaluatorFigures MeasureEvaluator(int expressions, int runs);
