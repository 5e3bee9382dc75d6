// libFuzzer target: any bytes given to the install script reader are either
// refused with a message or read. What was read writes back in its own width
// and version, and that reads to a script which writes the same bytes again.
// Every event's condition is evaluated and every text parameter expanded
// over the script's own variables; the input itself is also tried as a
// condition and as a text, so that the expression parser is reached
// directly.
#include "gvmain/format/condition_expression.h"
#include "gvmain/format/install_script.h"

#include <cstdio>
#include <cstdlib>

namespace {

void Fail(const char* why) {
    std::fprintf(stderr, "%s\n", why);
    std::abort();
}

const gvmain::EventClassRegistry& Classes() {
    static const gvmain::EventClassRegistry classes =
        gvmain::RegisterStandardEventClasses([](const std::string&) { Fail("the event classes clash"); });
    return classes;
}

void Interpret(const std::string& text, const gvmain::Variables& variables) {
    auto quiet = [](const std::string&) {};
    int32_t value = 0;
    std::string buffer;
    gvmain::EvalCondition(text, variables, value, quiet);
    gvmain::ExpandText(text, variables, buffer, quiet);
}

void RunEvents(const gvmain::InstallScript& script) {
    gvmain::Variables variables = gvmain::DeclareVariables(script);
    for (const gvmain::ScriptEvent& event : script.events) {
        Interpret(event.condition, variables);
        for (const gvmain::EventParam& param : event.params)
            Interpret(param.text, variables);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    Interpret(std::string(bytes.begin(), bytes.end()), gvmain::Variables());
    gvmain::ScriptLoad first = gvmain::ReadScript(bytes, Classes());
    if (!first.error.empty())
        return 0;
    RunEvents(first.script);
    gvmain::ScriptBytes written = gvmain::WriteScript(first.script, first.format, Classes());
    if (!written.error.empty())
        Fail("a script that was read cannot be written");
    gvmain::ScriptLoad second = gvmain::ReadScript(written.bytes, Classes());
    if (!second.error.empty())
        Fail("a script the writer wrote was refused");
    if (gvmain::WriteScript(second.script, second.format, Classes()).bytes != written.bytes)
        Fail("writing a script read back changed it");
    return 0;
}
