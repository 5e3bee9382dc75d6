#include "tools/gvbuild/script_dump.h"

#include "tools/gvbuild/language_codes.h"
#include "tools/gvbuild/text_encoding.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace gvbuild {
namespace {

using gvmain::InstallScript;

// Printed as UTF-8, with C escapes for quotes, backslashes and controls.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : Windows1252ToUtf8(text)) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", value);
    return text;
}

std::string Indices(const std::vector<int32_t>& list) {
    std::string out = "[";
    for (size_t i = 0; i < list.size(); ++i)
        out += (i ? ", " : "") + std::to_string(list[i]);
    return out + "]";
}

void DumpProduct(std::ostream& out, const gvmain::ScriptLoad& load) {
    const InstallScript& s = load.script;
    out << "script: " << (load.format.width == gvmain::IntWidth::Bits16 ? 16 : 32) << "-bit, version "
        << load.format.version << ", value " << s.scriptValue << "\n";
    out << "product: " << Quoted(s.product.productName) << " flags " << s.product.flags << " uninstall view "
        << s.product.uninstallView << " least display " << s.product.leastDisplayMs << " ms\n";
    out << "languages: default " << LanguageCode(s.product.languages.defaultLanguage) << ", supported";
    for (int32_t i = 0; i < gvmain::languageCount; ++i) {
        if (s.product.languages.supported[static_cast<size_t>(i)])
            out << " " << LanguageCode(i);
    }
    out << "\nbuild: A " << Hex(s.buildIds.buildIdA) << " B " << Hex(s.buildIds.buildIdB) << " "
        << Quoted(s.buildIds.buildText) << "\n";
    out << "stamp: " << s.stamp.number << " " << Quoted(s.stamp.owner) << "\n";
    out << "default directory: " << Quoted(s.defaultDirectory) << "\n";
    out << "uninstall directory: " << Quoted(s.uninstallDirectory) << "\n";
    for (size_t i = 0; i < s.texts.texts.size(); ++i)
        out << "text " << i << ": " << Quoted(s.texts.texts[i]) << "\n";
    for (size_t i = 0; i < s.texts.diskLabels.size(); ++i)
        out << "disk " << i << ": " << Quoted(s.texts.diskLabels[i]) << "\n";
    const gvmain::ScreenDescription& screen = s.screen;
    out << "screen: picture kind " << screen.pictureKind << " " << Quoted(screen.picture) << " colours "
        << screen.colours << " background " << Hex(screen.background) << " flags " << screen.flags
        << " caption " << Quoted(screen.scrambledCaption) << "\n";
}

void DumpFiles(std::ostream& out, const InstallScript& s) {
    for (size_t i = 0; i < s.components.size(); ++i) {
        const gvmain::Component& c = s.components[i];
        out << "component " << i << ": " << Quoted(c.name) << " " << Quoted(c.description) << " " << c.sizeKb
            << " KB flags " << c.flags << " members " << Indices(c.members) << "\n";
    }
    for (size_t i = 0; i < s.installFiles.size(); ++i) {
        const gvmain::InstallFile& f = s.installFiles[i];
        out << "file " << i << ": " << Quoted(f.destination) << " from " << f.container << " disk " << f.disk
            << " offset " << f.offset << " packed " << f.packedLength << " size " << f.size << " comparator "
            << f.comparator << " rule " << f.rule << " time " << Hex(f.timeHigh) << ":" << Hex(f.timeLow)
            << " version " << (f.versionHigh >> 16) << "." << (f.versionHigh & 0xFFFF) << "."
            << (f.versionLow >> 16) << "." << (f.versionLow & 0xFFFF) << " flags " << f.flags << " in use "
            << f.inUsePolicy << " component " << f.component << "\n";
    }
    for (size_t i = 0; i < s.fileSets.size(); ++i)
        out << "file set " << i << ": " << Quoted(s.fileSets[i].name) << " files "
            << Indices(s.fileSets[i].files) << "\n";
    for (const gvmain::AuxFile& a : s.auxFiles)
        out << "aux file: " << Quoted(a.name) << (a.copy ? " copied" : "") << "\n";
    for (const gvmain::PathEntry& e : s.destinationFiles)
        out << "destination file: " << Quoted(e.path) << " flags " << e.flags << "\n";
    for (const gvmain::PathEntry& e : s.destinationDirectories)
        out << "destination directory: " << Quoted(e.path) << " flags " << e.flags << "\n";
}

void DumpProgram(std::ostream& out, const InstallScript& s, const gvmain::EventClassRegistry& classes) {
    for (const gvmain::VariableDecl& v : s.variables) {
        out << "variable " << v.name << " = ";
        if (v.kind == gvmain::VariableKind::Int)
            out << v.number << "\n";
        else
            out << Quoted(v.text) << "\n";
    }
    for (const gvmain::UserDialog& d : s.userDialogs) {
        out << "dialog " << Quoted(d.name) << ": " << Quoted(d.title) << " centre " << d.centreX << ","
            << d.centreY << " size " << d.width << "x" << d.height << "\n";
        for (const gvmain::UserDialogItem& item : d.items)
            out << "    item kind " << static_cast<int32_t>(item.kind) << " at " << item.x << "," << item.y
                << " size " << item.width << "x" << item.height << " " << Quoted(item.text) << " variable "
                << Quoted(item.variable) << " flags " << item.flags << "\n";
    }
    for (size_t i = 0; i < s.events.size(); ++i) {
        const gvmain::ScriptEvent& e = s.events[i];
        const gvmain::EventClass* eventClass = classes.Find(e.type);
        out << "event " << i << ": " << e.type << " " << (eventClass ? eventClass->name : "?") << " mode "
            << e.mode << " component " << e.component << " if " << Quoted(e.condition) << " label "
            << Quoted(e.label) << "\n";
        for (size_t p = 0; eventClass != nullptr && p < e.params.size(); ++p) {
            const gvmain::ParamSpec& paramSpec = eventClass->params[p];
            out << "    " << paramSpec.name << " = "
                << (paramSpec.kind == gvmain::ParamKind::Int ? std::to_string(e.params[p].number)
                                                        : Quoted(e.params[p].text))
                << "\n";
        }
    }
}

const char* KindName(gvmain::ParamKind kind) {
    switch (kind) {
    case gvmain::ParamKind::Int: return "integer";
    case gvmain::ParamKind::Text: return "text";
    case gvmain::ParamKind::Expression: return "expression";
    case gvmain::ParamKind::IntVar: return "integer variable";
    case gvmain::ParamKind::StringVar: return "string variable";
    }
    return "?";
}

}  // namespace

std::string DumpClasses(const gvmain::EventClassRegistry& classes) {
    std::ostringstream out;
    for (const gvmain::EventClass& eventClass : gvmain::StandardEventClasses()) {
        if (classes.Find(eventClass.type) == nullptr)
            continue;
        out << eventClass.type << " \"" << eventClass.name << "\"\n";
        for (const gvmain::ParamSpec& paramSpec : eventClass.params) {
            std::string key = paramSpec.name;
            std::replace(key.begin(), key.end(), ' ', '_');
            out << "    " << key << ": " << KindName(paramSpec.kind) << (paramSpec.optional ? ", optional" : "")
                << ", default "
                << (paramSpec.kind == gvmain::ParamKind::Int ? std::to_string(paramSpec.defaultNumber)
                                                        : Quoted(paramSpec.defaultText))
                << "\n";
        }
    }
    return out.str();
}

std::string DumpScript(const gvmain::ScriptLoad& load, const gvmain::EventClassRegistry& classes) {
    std::ostringstream out;
    DumpProduct(out, load);
    DumpFiles(out, load.script);
    DumpProgram(out, load.script, classes);
    return out.str();
}

}  // namespace gvbuild
