// Writes the seed corpus of the install script fuzz target with the script's
// own writer: an empty script in each width and version, and one holding
// every object kind and an event of every class, with conditions and texts
// that reach the expansion and the condition parser.
// Usage: install_script_seeds DIR
#include "gvmain/format/install_script.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

void DeclareParams(const gvmain::EventClass& eventClass, gvmain::InstallScript& script) {
    for (const gvmain::ParamSpec& paramSpec : eventClass.params) {
        bool isVariable = paramSpec.kind == gvmain::ParamKind::IntVar || paramSpec.kind == gvmain::ParamKind::StringVar;
        if (!isVariable || paramSpec.optional)
            continue;
        bool known = false;
        for (const gvmain::VariableDecl& decl : script.variables)
            known = known || decl.name == paramSpec.defaultText;
        if (!known)
            script.variables.push_back({paramSpec.defaultText,
                                        paramSpec.kind == gvmain::ParamKind::IntVar ? gvmain::VariableKind::Int
                                                                               : gvmain::VariableKind::String,
                                        3, "x"});
    }
}

gvmain::InstallScript FullScript(const gvmain::EventClassRegistry& classes) {
    gvmain::InstallScript s;
    s.product.productName = "Vorlen";
    s.product.languages.supported[3] = true;
    s.components = {{"Program", "The program", 900, 0, {}}, {"All", "", 10, gvmain::componentGroup, {0}}};
    s.installFiles = {{"vorlen.pk", 0, 0, 100, 200, "${dir}\\vorlen.exe", 2, 1, 0, 0, 1, 0, 1, 0, 0}};
    s.auxFiles = {{"gvenu.dll", true}};
    s.texts.diskLabels = {"Disk 1"};
    s.fileSets = {{"main", {0}}};
    s.variables = {{"dir", gvmain::VariableKind::String, 0, "C:\\Vorlen"},
                   {"n", gvmain::VariableKind::Int, 4, ""}};
    gvmain::UserDialog dialog;
    dialog.name = "Options";
    dialog.items = {{gvmain::UserItemKind::DropDownList, 1, 2, 3, 4, "a\r\nb", "n", 0}};
    s.userDialogs = {dialog};
    const char* conditions[] = {"1", "n >= 4 && !(n / 0) || n * 2 == 8", "0 / x", "(n+1)*(n-1)<=15 ^ 3 | 8"};
    int i = 0;
    for (const gvmain::EventClass& eventClass : gvmain::StandardEventClasses()) {
        gvmain::ScriptEvent event;
        gvmain::NewEvent(eventClass.type, classes, event);
        event.condition = conditions[i++ % 4];
        event.mode = i % 3;
        event.component = i % 3;
        DeclareParams(eventClass, s);
        s.events.push_back(event);
    }
    s.events[0].params[1].text = "$$1 ${dir} $n$";
    return s;
}

bool Save(const std::string& path, const gvmain::ScriptBytes& script) {
    if (!script.error.empty()) {
        std::fprintf(stderr, "%s\n", script.error.c_str());
        return false;
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(script.bytes.data()),
               static_cast<std::streamsize>(script.bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: install_script_seeds DIR\n");
        return 2;
    }
    const std::string directory = argv[1];
    gvmain::EventClassRegistry classes = gvmain::RegisterStandardEventClasses([](const std::string&) {});
    gvmain::InstallScript full = FullScript(classes);
    bool ok = true;
    for (int32_t version : {300, 301, 302}) {
        for (gvmain::IntWidth width : {gvmain::IntWidth::Bits16, gvmain::IntWidth::Bits32}) {
            std::string name = directory + "/" + std::to_string(version) +
                               (width == gvmain::IntWidth::Bits16 ? "-16" : "-32");
            ok = Save(name + "-empty.inf",
                      gvmain::WriteScript(gvmain::InstallScript(), {width, version}, classes)) &&
                 Save(name + "-full.inf", gvmain::WriteScript(full, {width, version}, classes)) && ok;
        }
    }
    return ok ? 0 : 1;
}
