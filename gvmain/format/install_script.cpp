#include "gvmain/format/install_script.h"

#include "gvmain/format/script_coder.h"
#include "gvmain/format/script_messages.h"

#include <fstream>
#include <iterator>

namespace gvmain {
namespace {

constexpr int32_t firstVersion = 300;
constexpr int32_t listsVersion = 301;  // the first with the destination lists
constexpr int32_t currentVersion = 302;

bool Transfer(ScriptCoder& c, int32_t& value) {
    return c.Int(value);
}

bool Transfer(ScriptCoder& c, std::string& value) {
    return c.Text(value);
}

bool TransferLanguages(ScriptCoder& c, LanguageSet& set, int32_t version) {
    if (!c.Int(set.defaultLanguage))
        return false;
    int32_t flags = version < currentVersion ? oldLanguageFlagCount : languageFlagCount;
    for (int32_t i = 0; i < flags; ++i) {
        bool supported = i < languageCount && set.supported[static_cast<size_t>(i)];
        if (!c.Flag(supported))
            return false;
        if (i < languageCount)
            set.supported[static_cast<size_t>(i)] = supported;
    }
    return true;
}

bool TransferProduct(ScriptCoder& c, ProductInfo& p, int32_t version) {
    return c.Text(p.productName) && c.Int(p.flags) && c.Int(p.uninstallView) && c.Int(p.leastDisplayMs) &&
           TransferLanguages(c, p.languages, version);
}

bool Transfer(ScriptCoder& c, BuildIds& b) {
    return c.Dword(b.buildIdA) && c.Dword(b.buildIdB) && c.Text(b.buildText);
}

bool Transfer(ScriptCoder& c, Component& m) {
    return c.Text(m.name) && c.Text(m.description) && c.Dword(m.sizeKb) && c.Int(m.flags) &&
           c.List(m.members, [](ScriptCoder& c, int32_t& v) { return Transfer(c, v); });
}

bool Transfer(ScriptCoder& c, InstallFile& f) {
    return c.Text(f.container) && c.Int(f.disk) && c.Dword(f.offset) && c.Dword(f.packedLength) &&
           c.Dword(f.size) && c.Text(f.destination) && c.Int(f.comparator) && c.Int(f.rule) &&
           c.Dword(f.timeLow) && c.Dword(f.timeHigh) && c.Dword(f.versionHigh) && c.Dword(f.versionLow) &&
           c.Int(f.flags) && c.Int(f.inUsePolicy) && c.Int(f.component);
}

bool Transfer(ScriptCoder& c, AuxFile& a) {
    return c.Text(a.name) && c.Flag(a.copy);
}

bool Transfer(ScriptCoder& c, PathEntry& e) {
    return c.Text(e.path) && c.Int(e.flags);
}

bool Transfer(ScriptCoder& c, TextSet& t) {
    for (std::string& text : t.texts) {
        if (!c.Text(text))
            return false;
    }
    return c.List(t.diskLabels, [](ScriptCoder& c, std::string& v) { return Transfer(c, v); });
}

bool Transfer(ScriptCoder& c, FileSet& s) {
    return c.Text(s.name) && c.List(s.files, [](ScriptCoder& c, int32_t& v) { return Transfer(c, v); });
}

bool Transfer(ScriptCoder& c, ScreenDescription& s) {
    return c.Int(s.pictureKind) && c.Text(s.picture) && c.Int(s.colours) && c.Dword(s.background) &&
           c.Int(s.flags) && c.Text(s.scrambledCaption);
}

bool Transfer(ScriptCoder& c, ScriptStamp& s) {
    return c.Int(s.number) && c.Text(s.owner);
}

bool Transfer(ScriptCoder& c, VariableDecl& v) {
    return c.Text(v.name) && c.Enum(v.kind) && c.Int(v.number) && c.Text(v.text);
}

bool Transfer(ScriptCoder& c, UserDialogItem& i) {
    return c.Enum(i.kind) && c.Int(i.x) && c.Int(i.y) && c.Int(i.width) && c.Int(i.height) &&
           c.Text(i.text) && c.Text(i.variable) && c.Int(i.flags);
}

bool Transfer(ScriptCoder& c, UserDialog& d) {
    return c.Text(d.name) && c.Text(d.title) && c.Int(d.centreX) && c.Int(d.centreY) && c.Int(d.width) &&
           c.Int(d.height) &&
           c.List(d.items, [](ScriptCoder& c, UserDialogItem& v) { return Transfer(c, v); });
}

// The parameters follow the type's class, so the type must be known first.
bool TransferEvent(ScriptCoder& c, ScriptEvent& e, const EventClassRegistry& classes) {
    if (!c.Int(e.type) || !c.Int(e.mode) || !c.Int(e.component) || !c.Text(e.condition) || !c.Text(e.label))
        return false;
    const EventClass* eventClass = classes.Find(e.type);
    if (eventClass == nullptr)
        return c.Refuse("Install script holds an event of unknown type " + std::to_string(e.type));
    if (c.Reading())
        e.params.resize(eventClass->params.size());
    for (size_t i = 0; i < eventClass->params.size(); ++i) {
        EventParam& param = e.params[i];
        bool ok = eventClass->params[i].kind == ParamKind::Int ? c.Int(param.number) : c.Text(param.text);
        if (!ok)
            return false;
    }
    return true;
}

template <class T>
bool TransferList(ScriptCoder& c, std::vector<T>& items) {
    return c.List(items, [](ScriptCoder& c, T& item) { return Transfer(c, item); });
}

bool TransferProgram(ScriptCoder& c, InstallScript& s, const EventClassRegistry& classes) {
    return TransferList(c, s.variables) && TransferList(c, s.userDialogs) &&
           c.List(s.events,
                  [&classes](ScriptCoder& c, ScriptEvent& e) { return TransferEvent(c, e, classes); });
}

// Objects 3 to 17 of the envelope; the width byte and the version come
// before, and `version` is the file's.
bool TransferBody(ScriptCoder& c, InstallScript& s, int32_t version, const EventClassRegistry& classes) {
    bool ok = c.Int(s.scriptValue) && TransferProduct(c, s.product, version) && Transfer(c, s.buildIds) &&
              TransferList(c, s.components) && TransferList(c, s.installFiles) && TransferList(c, s.auxFiles);
    if (ok && version >= listsVersion)
        ok = TransferList(c, s.destinationFiles) && TransferList(c, s.destinationDirectories);
    return ok && Transfer(c, s.texts) && TransferList(c, s.fileSets) && c.Text(s.defaultDirectory) &&
           c.Text(s.uninstallDirectory) && Transfer(c, s.screen) && Transfer(c, s.stamp) &&
           TransferProgram(c, s, classes);
}

bool KnownVersion(int32_t version) {
    return version >= firstVersion && version <= currentVersion;
}

// What a version below 302 cannot hold.
std::string OldVersionLoss(const InstallScript& script, int32_t version) {
    if (version >= currentVersion)
        return "";
    for (int32_t i = oldLanguageFlagCount; i < languageCount; ++i) {
        if (script.product.languages.supported[static_cast<size_t>(i)])
            return "A script of version " + std::to_string(version) + " has no flag for language " +
                   std::to_string(i);
    }
    if (version < listsVersion &&
        (!script.destinationFiles.empty() || !script.destinationDirectories.empty()))
        return "A script of version 300 holds no destination lists";
    return "";
}

}  // namespace

ScriptLoad ReadScript(const std::vector<uint8_t>& bytes, const EventClassRegistry& classes) {
    ScriptLoad load;
    if (bytes.empty() || (bytes[0] != 16 && bytes[0] != 32)) {
        load.error = bytes.empty()
                         ? "Install script is empty"
                         : "Install script has an unknown integer width " + std::to_string(bytes[0]);
        return load;
    }
    load.format.width = bytes[0] == 16 ? IntWidth::Bits16 : IntWidth::Bits32;
    PortableStream stream(std::vector<uint8_t>(bytes.begin() + 1, bytes.end()), load.format.width);
    ScriptCoder coder(stream, ScriptCoder::Direction::Read);
    if (!coder.Int(load.format.version)) {
        load.error = coder.Error();
        return load;
    }
    if (!KnownVersion(load.format.version)) {
        load.error = "Install script has an unknown version " + std::to_string(load.format.version);
        return load;
    }
    if (!TransferBody(coder, load.script, load.format.version, classes)) {
        load.error = coder.Error();
    } else if (!stream.AtEnd()) {
        load.error = "Install script holds " + std::to_string(stream.Remaining()) + " bytes after its end";
    } else {
        load.error = CheckScript(load.script, classes);
    }
    load.script.version = currentVersion;
    if (!load.error.empty())
        load.script = InstallScript();
    return load;
}

ScriptLoad LoadScriptFile(const std::string& path, const EventClassRegistry& classes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        ScriptLoad load;
        load.error = FillIn(unableToOpenMessage, path);
        return load;
    }
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return ReadScript(bytes, classes);
}

ScriptBytes WriteScript(const InstallScript& script, const ScriptFormat& format,
                        const EventClassRegistry& classes) {
    ScriptBytes out;
    if (!KnownVersion(format.version)) {
        out.error = "No script can have the version " + std::to_string(format.version);
        return out;
    }
    out.error = CheckScript(script, classes);
    if (out.error.empty())
        out.error = OldVersionLoss(script, format.version);
    if (!out.error.empty())
        return out;
    PortableStream stream(format.width);
    uint8_t width = format.width == IntWidth::Bits16 ? 16 : 32;
    stream.WriteBlock(&width, 1);
    ScriptCoder coder(stream, ScriptCoder::Direction::Write);
    int32_t version = format.version;
    InstallScript copy = script;  // the transfers take their objects by reference
    if (!coder.Int(version) || !TransferBody(coder, copy, version, classes)) {
        out.error = coder.Error();
        return out;
    }
    out.bytes = stream.Data();
    return out;
}

bool NewEvent(int32_t type, const EventClassRegistry& classes, ScriptEvent& event) {
    const EventClass* eventClass = classes.Find(type);
    if (eventClass == nullptr)
        return false;
    event = ScriptEvent();
    event.type = type;
    for (const ParamSpec& paramSpec : eventClass->params)
        event.params.push_back({paramSpec.defaultNumber, paramSpec.defaultText});
    return true;
}

Variables DeclareVariables(const InstallScript& script) {
    Variables variables;
    for (const VariableDecl& decl : script.variables) {
        if (!variables.Declare(decl.name, decl.kind))
            continue;
        if (decl.kind == VariableKind::Int)
            *variables.IntVariable(decl.name) = decl.number;
        else
            variables.SetString(decl.name, decl.text);
    }
    return variables;
}

}  // namespace gvmain
