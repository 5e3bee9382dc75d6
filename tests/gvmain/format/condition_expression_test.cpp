#include "gvmain/format/condition_expression.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gvmain {
namespace {

class Conditions : public ::testing::Test {
protected:
    Conditions() {
        variables.Declare("zero", VariableKind::Int);
        variables.Declare("seven", VariableKind::Int);
        variables.Declare("text", VariableKind::String);
        *variables.IntVariable("seven") = 7;
    }

    // The value, or the reported message when evaluation fails.
    std::string Eval(const std::string& text) {
        int32_t result = 0;
        std::string message;
        if (!EvalCondition(text, variables, result, [&](const std::string& m) { message = m; }))
            return message;
        return std::to_string(result);
    }

    Variables variables;
};

TEST_F(Conditions, PrecedenceAndGrouping) {
    EXPECT_EQ(Eval("1 + 2 * 3"), "7");
    EXPECT_EQ(Eval("(1 + 2) * 3"), "9");
    EXPECT_EQ(Eval("10 - 3 - 2"), "5");
    EXPECT_EQ(Eval("12 / 2 / 3"), "2");
    EXPECT_EQ(Eval("1 < 2 == 1"), "1");
    EXPECT_EQ(Eval("6 & 3 ^ 1 | 8"), "11");
    EXPECT_EQ(Eval("seven>=7&&seven<=7"), "1");
    EXPECT_EQ(Eval("seven != 7 || seven == 7"), "1");
    EXPECT_EQ(Eval("\t seven\r\n> 6 "), "1");
    // !a && b || c is ((!a) && b) || c: with a=0, b=0, c=1 any other
    // grouping gives 0.
    EXPECT_EQ(Eval("!zero && zero || 1"), "1");
    EXPECT_EQ(Eval("!seven + 1"), "1");
    EXPECT_EQ(Eval("!!seven"), "1");
}

TEST_F(Conditions, ShortCircuitAndDivision) {
    EXPECT_EQ(Eval("0 / undefined"), "0");
    EXPECT_EQ(Eval("zero / (1 / 0)"), "0");
    EXPECT_EQ(Eval("0 && undefined"), "0");
    EXPECT_EQ(Eval("1 || undefined"), "1");
    EXPECT_EQ(Eval("7 / 0"), "Unknown variable in expression 7 / 0");
    EXPECT_EQ(Eval("seven / zero"), "Unknown variable in expression seven / zero");
    EXPECT_EQ(Eval("1 && undefined"), "Unknown variable in expression 1 && undefined");
    EXPECT_EQ(Eval("undefined && 0"), "Unknown variable in expression undefined && 0");
    EXPECT_EQ(Eval("text"), "Unknown variable in expression text");
    EXPECT_EQ(Eval("-7 / 2"), "Syntax error in expression -7 / 2");
}

TEST_F(Conditions, WrapsAt32BitsInsteadOfTrapping) {
    EXPECT_EQ(Eval("2147483647 + 1"), "-2147483648");
    EXPECT_EQ(Eval("(0 - 2147483647 - 1) / (0 - 1)"), "-2147483648");
    EXPECT_EQ(Eval("65536 * 65536"), "0");
    EXPECT_EQ(Eval("2147483648"), "Syntax error in expression 2147483648");
}

TEST_F(Conditions, SyntaxErrors) {
    for (const char* text :
         {"", "  ", "seven = 7", "1 +", "(1", "1)", "()", "1 2", "! ", "1 $ 2", "&& 1", "1 !", "7seven"}) {
        EXPECT_EQ(Eval(text), std::string("Syntax error in expression ") + text) << text;
    }
    EXPECT_EQ(Eval("seven == 7"), "1");
}

TEST_F(Conditions, FortyOperandsAtMostNeverAnOverflow) {
    // Right-nested sums keep every operand on the stack until the end.
    auto nested = [](int operands) {
        std::string text;
        for (int i = 1; i < operands; ++i)
            text += "1+(";
        text += "1" + std::string(static_cast<size_t>(operands - 1), ')');
        return text;
    };
    EXPECT_EQ(Eval(nested(40)), "40");
    std::string deep = nested(41);
    EXPECT_EQ(Eval(deep), "Syntax error in expression " + deep);
    std::string huge = nested(100000);
    EXPECT_EQ(Eval(huge), "Syntax error in expression " + huge);
    // Left-grouped chains reduce as they go and have no such limit.
    std::string chain = "1";
    for (int i = 0; i < 1000; ++i)
        chain += "+1";
    EXPECT_EQ(Eval(chain), "1001");
    EXPECT_EQ(Eval(std::string(100000, '!') + "0"), "0");
}

}  // namespace
}  // namespace gvmain
