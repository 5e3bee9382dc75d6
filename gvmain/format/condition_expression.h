// The condition language of the script's events: integer expressions over
// the integer variables, nonzero meaning true.
//
//   operands   decimal constants (up to 2147483647), variable names, "(...)"
//   prefix     "!" (logical not, the only unary operator, binds tightest)
//   binary     * /  9    + -  8    < <= > >=  7    == !=  6    &  5
//              ^  4      |  3    &&  2    ||  1      (equal levels group
//              from the left)
//
// Blanks between tokens are skipped; any other character, a single "="
// among them, is a syntax error, as is an empty text. The operator-
// precedence parser holds at most 40 operands at a time: deeper nesting is a
// syntax error too, never an overflow.
//
// Evaluation takes the left operand first. "&&" and "||" do not evaluate the
// right operand when the left decides; "/" yields 0 without evaluating the
// right when the left is 0. A name that is no integer variable, or a
// division by zero, fails the evaluation. Arithmetic wraps at 32 bits
// (-2147483648 / -1 gives -2147483648 rather than trapping).
#pragma once

#include "gvmain/format/script_messages.h"
#include "gvmain/format/script_variables.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace gvmain {

constexpr size_t maxConditionOperands = 40;

// True with `result` set; false after reporting "Syntax error in expression
// %s" or, for a failed evaluation, "Unknown variable in expression %s".
bool EvalCondition(const std::string& text, const Variables& variables, int32_t& result,
                   const ErrorReport& report);

}  // namespace gvmain
