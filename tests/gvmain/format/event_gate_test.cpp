#include "gvmain/format/event_gate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gvmain {
namespace {

TEST(EventGates, ComponentsFirstThenTheCondition) {
    Variables variables;
    variables.Declare("n", VariableKind::Int);
    std::vector<std::string> reports;
    auto report = [&](const std::string& text) { reports.push_back(text); };
    const std::vector<bool> selected = {true, false};
    ScriptEvent event;
    event.condition = "";
    event.component = 2;
    // Unselected: skipped before the empty condition is looked at.
    EXPECT_EQ(GateEvent(event, selected, variables, report), EventGate::Skip);
    EXPECT_TRUE(reports.empty());
    event.component = 1;
    EXPECT_EQ(GateEvent(event, selected, variables, report), EventGate::Stop);
    EXPECT_EQ(reports, std::vector<std::string>{"Syntax error in expression "});
    event.component = 0;
    event.condition = "n";
    EXPECT_EQ(GateEvent(event, selected, variables, report), EventGate::Skip);
    *variables.IntVariable("n") = 2;
    EXPECT_EQ(GateEvent(event, selected, variables, report), EventGate::Run);
    event.condition = "m";
    EXPECT_EQ(GateEvent(event, selected, variables, report), EventGate::Stop);
    EXPECT_EQ(reports.back(), "Unknown variable in expression m");
}

}  // namespace
}  // namespace gvmain
