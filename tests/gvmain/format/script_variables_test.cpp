#include "gvmain/format/script_variables.h"
#include "gvmain/format/strings_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace gvmain {
namespace {

class Expansion : public ::testing::Test {
protected:
    Expansion() {
        variables.Declare("dir", VariableKind::String);
        variables.Declare("n_2", VariableKind::Int);
        variables.SetString("dir", "C:\\Vorlen");
        *variables.IntVariable("n_2") = -12;
    }

    std::string Expand(const std::string& text) {
        std::string buffer = "stale";
        std::string message;
        if (!ExpandText(text, variables, buffer, [&](const std::string& m) { message = m; })) {
            EXPECT_EQ(buffer, "");
            return message;
        }
        return buffer;
    }

    Variables variables;
};

TEST_F(Expansion, ReferencesAndDollarSigns) {
    EXPECT_EQ(Expand("$dir\\vorlen.exe"), "C:\\Vorlen\\vorlen.exe");
    EXPECT_EQ(Expand("${dir}x and $n_2."), "C:\\Vorlenx and -12.");
    EXPECT_EQ(Expand("$$dir"), "$dir");
    EXPECT_EQ(Expand("cost$"), "cost$");
    EXPECT_EQ(Expand("$1 $- $"), "$1 $- $");
    EXPECT_EQ(Expand(""), "");
}

TEST_F(Expansion, Failures) {
    EXPECT_EQ(Expand("a ${d ir} b"), "Bad variable name in expression a ${d ir} b");
    EXPECT_EQ(Expand("${dir"), "Bad variable name in expression ${dir");
    EXPECT_EQ(Expand("$dirs"), "Unknown variable in expression $dirs");
    EXPECT_EQ(Expand("${}"), "Unknown variable in expression ${}");
}

TEST(VariableTable, NamesKindsAndLengths) {
    EXPECT_TRUE(IsVariableName("_a1"));
    EXPECT_TRUE(IsVariableName(std::string(39, 'v')));
    EXPECT_FALSE(IsVariableName(std::string(40, 'v')));
    EXPECT_FALSE(IsVariableName("1a"));
    EXPECT_FALSE(IsVariableName("a-b"));
    Variables variables;
    EXPECT_TRUE(variables.Declare("s", VariableKind::String));
    EXPECT_FALSE(variables.Declare("s", VariableKind::Int));
    EXPECT_EQ(variables.IntVariable("s"), nullptr);
    EXPECT_TRUE(variables.SetString("s", std::string(300, 'x')));
    EXPECT_EQ(variables.StringVariable("s")->size(), maxStringVariableLength);
}

TEST(StringsFile, LinesTakeTheirValuesAndTheFirstFailureStops) {
    std::string path = ::testing::TempDir() + "strs";
    std::ofstream(path, std::ios::binary) << "title=Vorlen 2\r\nnote=a=b\nother=x\r\n";
    Variables variables;
    variables.Declare("title", VariableKind::String);
    variables.Declare("note", VariableKind::String);
    variables.Declare("which", VariableKind::String);
    variables.Declare("count", VariableKind::Int);
    variables.SetString("which", "note");
    std::string message;
    auto report = [&](const std::string& m) { message = m; };
    EXPECT_TRUE(LoadStrings(path, "title\r\n\r\n$which\n", variables, report));
    EXPECT_EQ(*variables.StringVariable("title"), "Vorlen 2");
    EXPECT_EQ(*variables.StringVariable("note"), "a=b");
    EXPECT_FALSE(LoadStrings(path, "count", variables, report));
    EXPECT_EQ(message, "Unknown variable in expression count");
    EXPECT_FALSE(LoadStrings(path, "which\ntitle", variables, report));
    EXPECT_EQ(message, "No string which in the strings file");
    std::remove(path.c_str());
    EXPECT_FALSE(LoadStrings(path, "title", variables, report));
    EXPECT_EQ(message, "Unable to open " + path);
}

}  // namespace
}  // namespace gvmain
