#include "tools/gvbuild/manifest_events.h"

#include "gvmain/format/condition_expression.h"
#include "tools/gvbuild/manifest_fields.h"

#include <algorithm>
#include <cctype>

namespace gvbuild {
namespace {

using gvmain::InstallScript;
using gvmain::ParamKind;

// What an int of the script can hold.
int64_t MaxInt(gvmain::IntWidth width) {
    return width == gvmain::IntWidth::Bits16 ? 32767 : 2147483647;
}

// "set INI entry" and "Set-INI_entry" name the same class.
std::string Folded(const std::string& name) {
    std::string folded;
    for (char c : name)
        folded += c == '-' || c == '_' ? ' ' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

std::string ParamKey(const char* name) {
    std::string key = name;
    std::replace(key.begin(), key.end(), ' ', '_');
    return key;
}

const gvmain::EventClass& EventClassOf(Fields& fields, const gvmain::EventClassRegistry& classes) {
    const toml::node* type = fields.Find("type");
    if (type == nullptr)
        throw ManifestError(fields.Source().source(), "[[event]] needs a \"type\"");
    if (type->is_integer()) {
        if (const gvmain::EventClass* found = classes.Find(static_cast<int32_t>(
                NodeInteger(*type, 0, gvmain::EventClassRegistry::capacity, "[[event]] type"))))
            return *found;
    } else {
        std::string name = Folded(NodeText(*type, "[[event]] type"));
        for (const gvmain::EventClass& eventClass : gvmain::StandardEventClasses()) {
            if (Folded(eventClass.name) == name && classes.Find(eventClass.type) != nullptr)
                return *classes.Find(eventClass.type);
        }
    }
    throw ManifestError(type->source(), "[[event]] type names no event class");
}

int32_t FileSetIndex(const toml::node& node, const InstallScript& script) {
    if (node.is_integer())
        return static_cast<int32_t>(
            NodeInteger(node, 0, static_cast<int64_t>(script.fileSets.size()) - 1, "file_set"));
    std::string name = NodeText(node, "file_set");
    for (size_t i = 0; i < script.fileSets.size(); ++i) {
        if (script.fileSets[i].name == name)
            return static_cast<int32_t>(i);
    }
    throw ManifestError(node.source(), "no file set is named \"" + name + "\"");
}

void ReadParam(const toml::node& node, const gvmain::ParamSpec& paramSpec, const InstallScript& script,
               gvmain::IntWidth width, gvmain::EventParam& param) {
    std::string what = "[[event]] " + ParamKey(paramSpec.name);
    if (paramSpec.kind != ParamKind::Int)
        param.text = NodeText(node, what);
    else if (std::string(paramSpec.name) == "file set")
        param.number = FileSetIndex(node, script);
    else if (node.is_boolean())
        param.number = node.as_boolean()->get() ? 1 : 0;
    else
        param.number = static_cast<int32_t>(NodeInteger(node, -MaxInt(width) - 1, MaxInt(width), what));
}

// What the engine would refuse of this event once read, located at its table.
void CheckEvent(const gvmain::ScriptEvent& event, const toml::table& table,
                const gvmain::EventClassRegistry& classes, const InstallScript& script) {
    InstallScript alone;
    alone.variables = script.variables;
    alone.components = script.components;
    alone.events = {event};
    std::string fault = gvmain::CheckScript(alone, classes);
    const std::string prefix = "Install script: event 0 ";
    if (fault.compare(0, prefix.size(), prefix) == 0)
        fault = "the event " + fault.substr(prefix.size());
    if (!fault.empty())
        throw ManifestError(table.source(), fault);
    std::string syntax;
    int32_t value = 0;
    gvmain::EvalCondition(event.condition, gvmain::DeclareVariables(script), value,
                          [&syntax](const std::string& text) { syntax = text; });
    if (syntax.rfind("Syntax error", 0) == 0)
        throw ManifestError(table.source(), syntax);
}

gvmain::UserDialogItem ReadItem(const toml::table& table) {
    Fields fields(table, "[[dialog.item]]");
    gvmain::UserDialogItem item;
    item.kind = static_cast<gvmain::UserItemKind>(fields.Choice(
        "kind", {"static", "frame", "edit", "drop-down", "message-button", "button", "multi-line-edit"}, -1));
    if (static_cast<int32_t>(item.kind) < 0)
        throw ManifestError(table.source(), "[[dialog.item]] needs a \"kind\"");
    const toml::array* rect = fields.Array("rect");
    if (rect == nullptr || rect->size() != 4)
        fields.Fail("rect", "[[dialog.item]] rect must be [x, y, width, height]");
    int32_t* places[] = {&item.x, &item.y, &item.width, &item.height};
    for (size_t i = 0; i < 4; ++i)
        *places[i] = static_cast<int32_t>(NodeInteger(*rect->get(i), 0, 32767, "rect"));
    item.text = fields.Text("text", "");
    item.variable = fields.Text("variable", "");
    item.flags = fields.Flag("read_only") ? gvmain::userItemReadOnly : 0;
    fields.Finish();
    return item;
}

}  // namespace

void ReadVariables(const toml::table& table, gvmain::IntWidth width, InstallScript& script) {
    for (auto&& [key, node] : table) {
        gvmain::VariableDecl decl;
        decl.name = std::string(key.str());
        if (!gvmain::IsVariableName(decl.name))
            throw ManifestError(key.source(), "\"" + decl.name + "\" is no variable name");
        if (node.is_integer()) {
            decl.number =
                static_cast<int32_t>(NodeInteger(node, -MaxInt(width) - 1, MaxInt(width), decl.name));
        } else {
            decl.kind = gvmain::VariableKind::String;
            decl.text = NodeText(node, "variable " + decl.name + " (an integer or a string)");
            if (decl.text.size() > gvmain::maxStringVariableLength)
                throw ManifestError(node.source(), "a string variable holds at most 256 characters");
        }
        script.variables.push_back(decl);
    }
}

void ReadUserDialog(const toml::table& table, InstallScript& script) {
    Fields fields(table, "[[dialog]]");
    gvmain::UserDialog dialog;
    dialog.name = fields.RequiredText("name");
    dialog.title = fields.Text("title", "");
    dialog.centreX = static_cast<int32_t>(fields.Integer("centre_x", 0, 1000, 500));
    dialog.centreY = static_cast<int32_t>(fields.Integer("centre_y", 0, 1000, 500));
    dialog.width = static_cast<int32_t>(fields.Integer("width", 1, 32767, 200));
    dialog.height = static_cast<int32_t>(fields.Integer("height", 1, 32767, 120));
    if (const toml::array* items = fields.Array("item")) {
        for (const toml::node& item : *items)
            dialog.items.push_back(ReadItem(NodeTable(item, "[[dialog.item]]")));
    }
    fields.Finish();
    script.userDialogs.push_back(dialog);
}

void ReadEvent(const toml::table& table, const gvmain::EventClassRegistry& classes, gvmain::IntWidth width,
               InstallScript& script) {
    Fields fields(table, "[[event]]");
    const gvmain::EventClass& eventClass = EventClassOf(fields, classes);
    gvmain::ScriptEvent event;
    gvmain::NewEvent(eventClass.type, classes, event);
    event.condition = fields.Text("condition", "1");
    event.label = fields.Text("label", "");
    event.mode = static_cast<int32_t>(fields.Integer("mode", 0, 2, 0));
    if (const toml::node* component = fields.Find("component"))
        event.component = ComponentIndex(NodeText(*component, "component"), *component, script) + 1;
    for (size_t i = 0; i < eventClass.params.size(); ++i) {
        if (const toml::node* node = fields.Find(ParamKey(eventClass.params[i].name)))
            ReadParam(*node, eventClass.params[i], script, width, event.params[i]);
    }
    fields.Finish();
    CheckEvent(event, table, classes, script);
    script.events.push_back(event);
}

int32_t ComponentIndex(const std::string& name, const toml::node& where, const InstallScript& script) {
    for (size_t i = 0; i < script.components.size(); ++i) {
        if (script.components[i].name == name)
            return static_cast<int32_t>(i);
    }
    throw ManifestError(where.source(), "no component is named \"" + name + "\"");
}

void AddToFileSet(const std::string& name, int32_t file, InstallScript& script) {
    for (gvmain::FileSet& set : script.fileSets) {
        if (set.name == name) {
            set.files.push_back(file);
            return;
        }
    }
    script.fileSets.push_back({name, {file}});
}

}  // namespace gvbuild
