// The expression evaluator: results, precedence, implied multiplication,
// signs, the error texts, and random text that must fail or give a finite
// value without reading past its stack.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "evaluator.h"

namespace {

struct Outcome {
    bool ok;
    double value;
    std::string error;
};

Outcome Run(const char* text)
{
    CEvaluator evaluator;
    double value = 0;
    HRESULT result = evaluator.Evaluate(text, value);
    return {result == S_OK, value, evaluator.GetErrorText()};
}

void ExpectValue(const char* text, double expected)
{
    Outcome outcome = Run(text);
    EXPECT_TRUE(outcome.ok) << text << ": " << outcome.error;
    EXPECT_DOUBLE_EQ(expected, outcome.value) << text;
}

void ExpectFailure(const char* text, const char* error)
{
    Outcome outcome = Run(text);
    EXPECT_FALSE(outcome.ok) << text << " gave " << outcome.value;
    EXPECT_EQ(error, outcome.error) << text;
}

}  // namespace

TEST(Evaluator, FollowsPrecedenceAndAssociativity)
{
    ExpectValue("2+3*4", 14);
    ExpectValue("(2+3)*4", 20);
    ExpectValue("2^3^2", 512);   // right to left
    ExpectValue("10-4-3", 3);    // left to right
    ExpectValue("64/4/2", 8);
    ExpectValue("2*3^2", 18);
    ExpectValue("1.5+.25", 1.75);
    ExpectValue("3.", 3);
    ExpectValue("0.125*8", 1);
    ExpectValue("((((7))))", 7);
}

TEST(Evaluator, ImpliesMultiplicationBetweenNumbersAndGroups)
{
    ExpectValue("2(3)", 6);
    ExpectValue("(2)3+1", 7);
    ExpectValue("(2)(3)", 6);
    ExpectValue("(2).5", 1);
    ExpectValue("2(3)(4)", 24);
}

TEST(Evaluator, SignsApplyToTheNumberOrGroupTheyStandBefore)
{
    ExpectValue("-(2+3)", -5);
    ExpectValue("-.5*2", -1);
    ExpectValue("-0.5*2", -1);
    ExpectValue("2*(-3)", -6);
    ExpectValue("+4", 4);
    ExpectValue("-(2+3)^2", -25);
    ExpectValue("(-2)^2", 4);
    ExpectValue("2+3-", 5);  // a trailing operator is dropped
}

TEST(Evaluator, ReportsTheKnownCausesInItsOwnWords)
{
    ExpectFailure("2*-3", "Error: Parsing");
    ExpectFailure("2 + 3", "Error: Parsing");
    ExpectFailure("2x3", "Error: Parsing");
    ExpectFailure("5%2", "Error: Parsing");
    ExpectFailure("2++3", "Error: Parsing");
    ExpectFailure("-", "Error: Parsing");
    ExpectFailure("(-)", "Error: Parsing");
    ExpectFailure("7/0", "Error: Devision by zero");
    ExpectFailure("1/(2-2)", "Error: Devision by zero");
    ExpectFailure("2*(3+1", "Error: Invalid Operator");
    ExpectFailure("(", "Error: Invalid Operator");
}

TEST(Evaluator, StructuralFailuresLeaveNoText)
{
    ExpectFailure(")", "");
    ExpectFailure("2)", "");
    ExpectFailure("()", "");
    ExpectFailure("(2+)", "");
    ExpectFailure("*2", "");
    ExpectFailure("", "");
    ExpectFailure("10^400", "");      // not a finite result
    ExpectFailure("(0-8)^.5", "");
}

TEST(Evaluator, EachEvaluationStartsClean)
{
    CEvaluator evaluator;
    double value = 0;
    EXPECT_EQ(E_FAIL, evaluator.Evaluate("1/0", value));
    EXPECT_STREQ(L"Error: Devision by zero", evaluator.GetErrorTextW());
    EXPECT_EQ(S_OK, evaluator.Evaluate(L"6/3", value));
    EXPECT_EQ(2, value);
    EXPECT_STREQ("", evaluator.GetErrorText());
    EXPECT_EQ(E_FAIL, evaluator.Evaluate(L"\x0661+1", value));  // a wide digit is no digit here
}

TEST(Evaluator, RandomTextFailsOrGivesAFiniteValue)
{
    const char alphabet[] = "0123456789.+-*/^()x ";
    std::mt19937 random(20031);
    std::uniform_int_distribution<int> length(0, 24);
    std::uniform_int_distribution<int> pick(0, (int)sizeof(alphabet) - 2);
    CEvaluator evaluator;
    int succeeded = 0;
    for (int i = 0; i < 100000; ++i) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += alphabet[pick(random)];
        double value = 0;
        if (evaluator.Evaluate(text.c_str(), value) == S_OK) {
            ++succeeded;
            ASSERT_TRUE(std::isfinite(value)) << text;
        }
    }
    EXPECT_GT(succeeded, 1000);  // the sweep reaches the arithmetic, not only the parser's refusals
}
