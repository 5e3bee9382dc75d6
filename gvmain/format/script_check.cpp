// CheckScript: the faults that would let a read script mislead the engine at
// run time (an index out of range, a variable of the wrong kind), found once
// when it is loaded or before it is written.
#include "gvmain/format/install_script.h"

#include <set>

namespace gvmain {
namespace {

std::string At(const char* what, size_t index) {
    return std::string("Install script: ") + what + " " + std::to_string(index) + " ";
}

bool InRange(int32_t index, size_t size) {
    return index >= 0 && static_cast<size_t>(index) < size;
}

std::string CheckVariables(const InstallScript& script) {
    std::set<std::string> names;
    for (size_t i = 0; i < script.variables.size(); ++i) {
        const VariableDecl& decl = script.variables[i];
        if (!IsVariableName(decl.name))
            return At("variable", i) + "has no valid name";
        if (decl.kind != VariableKind::Int && decl.kind != VariableKind::String)
            return At("variable", i) + "is of an unknown kind";
        if (!names.insert(decl.name).second)
            return At("variable", i) + "is declared twice";
        if (decl.text.size() > maxStringVariableLength)
            return At("variable", i) + "starts with a text too long";
    }
    return "";
}

std::string CheckParam(const ParamSpec& paramSpec, const EventParam& param, const Variables& variables) {
    bool wantsInt = paramSpec.kind == ParamKind::IntVar;
    if (!wantsInt && paramSpec.kind != ParamKind::StringVar)
        return "";
    if (param.text.empty() && paramSpec.optional)
        return "";
    bool found = wantsInt ? variables.IntVariable(param.text) != nullptr
                          : variables.StringVariable(param.text) != nullptr;
    if (found)
        return "";
    return std::string("names no ") + (wantsInt ? "integer" : "string") + " variable \"" + param.text +
           "\" for its " + paramSpec.name;
}

std::string CheckEvents(const InstallScript& script, const EventClassRegistry& classes) {
    Variables variables = DeclareVariables(script);
    for (size_t i = 0; i < script.events.size(); ++i) {
        const ScriptEvent& event = script.events[i];
        const EventClass* eventClass = classes.Find(event.type);
        if (eventClass == nullptr)
            return At("event", i) + "has the unknown type " + std::to_string(event.type);
        if (event.mode < 0 || event.mode > 2)
            return At("event", i) + "has the unknown mode " + std::to_string(event.mode);
        if (event.component < 0 || static_cast<size_t>(event.component) > script.components.size())
            return At("event", i) + "belongs to no component of the script";
        if (event.params.size() != eventClass->params.size())
            return At("event", i) + "has " + std::to_string(event.params.size()) + " parameters instead of " +
                   std::to_string(eventClass->params.size());
        for (size_t p = 0; p < event.params.size(); ++p) {
            std::string fault = CheckParam(eventClass->params[p], event.params[p], variables);
            if (!fault.empty())
                return At("event", i) + fault;
        }
    }
    return "";
}

std::string CheckIndices(const InstallScript& script) {
    for (size_t i = 0; i < script.components.size(); ++i) {
        for (int32_t member : script.components[i].members) {
            if (!InRange(member, script.components.size()))
                return At("component", i) + "has a member out of range";
        }
    }
    for (size_t i = 0; i < script.installFiles.size(); ++i) {
        const InstallFile& file = script.installFiles[i];
        if (!InRange(file.disk, script.texts.diskLabels.size()))
            return At("file", i) + "lies on a disk the disk map lacks";
        if (file.component != -1 && !InRange(file.component, script.components.size()))
            return At("file", i) + "belongs to no component of the script";
    }
    for (size_t i = 0; i < script.fileSets.size(); ++i) {
        for (int32_t file : script.fileSets[i].files) {
            if (!InRange(file, script.installFiles.size()))
                return At("file set", i) + "names a file out of range";
        }
    }
    return "";
}

std::string CheckDialogs(const InstallScript& script) {
    for (size_t i = 0; i < script.userDialogs.size(); ++i) {
        for (const UserDialogItem& item : script.userDialogs[i].items) {
            int32_t kind = static_cast<int32_t>(item.kind);
            if (kind < 0 || kind >= userItemKindCount)
                return At("user dialog", i) + "has an item of unknown kind " + std::to_string(kind);
        }
    }
    return "";
}

}  // namespace

std::string CheckScript(const InstallScript& script, const EventClassRegistry& classes) {
    if (!InRange(script.product.languages.defaultLanguage, languageCount))
        return "Install script: the default language " +
               std::to_string(script.product.languages.defaultLanguage) + " is unknown";
    for (const std::string& fault : {CheckVariables(script), CheckIndices(script), CheckDialogs(script)}) {
        if (!fault.empty())
            return fault;
    }
    return CheckEvents(script, classes);
}

}  // namespace gvmain
