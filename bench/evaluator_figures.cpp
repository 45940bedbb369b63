// Evaluations per second of the expression calculator's evaluator and of a
// plain recursive-descent one, over the same expressions, in one process.
#include "evaluator_figures.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "evaluator.h"
#include "plain_evaluator.h"
#include "watch.h"

namespace {

// Expressions of numbers, the four operators, small powers and groups,
// some with a negative number inside; no divisor is 0.
class ExpressionMaker {
public:
    explicit ExpressionMaker(unsigned seed) : random_(seed) {}

    std::string Make(int depth)
    {
        std::string text = Operand(depth);
        for (int terms = Pick(1, 4); terms > 0; --terms) {
            static const char kOperators[] = "+-*/";
            text += kOperators[Pick(0, 3)];
            text += Operand(depth);
        }
        return text;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    std::string Number()
    {
        std::string text = std::to_string(Pick(1, 999));
        if (Pick(0, 2) == 0)
            text += "." + std::to_string(Pick(1, 99));
        return text;
    }

    std::string Operand(int depth)
    {
        switch (depth > 0 ? Pick(0, 4) : 0) {
        case 1:
            return "(" + Make(depth - 1) + ")";
        case 2:
            return "(-" + Number() + ")";
        case 3:
            return Number() + "^" + std::to_string(Pick(0, 3));
        default:
            return Number();
        }
    }

    std::mt19937 random_;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

bool Same(double a, double b)
{
    return a == b || std::fabs(a - b) <= 1e-9 * std::max(std::fabs(a), std::fabs(b));
}

}  // namespace

EvaluatorFigures MeasureEvaluator(int expressions, int runs)
{
    EvaluatorFigures out;
    ExpressionMaker maker(1000);
    std::vector<std::string> set;
    while ((int)set.size() < expressions)
        set.push_back(maker.Make(2));

    CEvaluator evaluator;
    for (const std::string& text : set) {
        double value = 0, plain = 0;
        bool ok = evaluator.Evaluate(text.c_str(), value) == S_OK;
        bool plainOk = PlainEvaluate(text.c_str(), &plain);
        if (ok != plainOk || (ok && !Same(value, plain)))
            ++out.disagreements;
    }

    // Taken in turn, so that a slow spell of the machine hits both.
    std::vector<double> ours, baseline;
    volatile double sink = 0;
    for (int run = 0; run < runs; ++run) {
        double start = NowMs();
        for (const std::string& text : set) {
            double value = 0;
            evaluator.Evaluate(text.c_str(), value);
            sink = sink + value;
        }
        ours.push_back(NowMs() - start);
        start = NowMs();
        for (const std::string& text : set) {
            double value = 0;
            PlainEvaluate(text.c_str(), &value);
            sink = sink + value;
        }
        baseline.push_back(NowMs() - start);
    }
    const double oursMs = Median(ours);
    const double baselineMs = Median(baseline);
    if (oursMs <= 0 || baselineMs <= 0)
        return out;
    out.ok = true;
    out.expressions = expressions;
    out.perSecond = expressions * 1000.0 / oursMs;
    out.baselinePerSecond = expressions * 1000.0 / baselineMs;
    return out;
}
