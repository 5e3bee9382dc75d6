// The manifest's product, components, files, media and screen; the events,
// variables and dialogs are in manifest_events.cpp.
#include "tools/gvbuild/language_codes.h"
#include "tools/gvbuild/manifest.h"
#include "tools/gvbuild/manifest_events.h"
#include "tools/gvbuild/manifest_fields.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

namespace gvbuild {
namespace {

namespace fs = std::filesystem;
using gvmain::InstallScript;

constexpr int64_t maxInt16 = 32767;
constexpr int64_t maxDword = std::numeric_limits<uint32_t>::max();

// A FILETIME (100 ns since 1601) from a file's modification time.
uint64_t FileTimeOf(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return 0;
    constexpr int64_t secondsFrom1601 = 11644473600;
    return static_cast<uint64_t>(status.st_mtim.tv_sec + secondsFrom1601) * 10000000u +
           static_cast<uint64_t>(status.st_mtim.tv_nsec / 100);
}

class Reader {
public:
    Reader(const toml::table& root, fs::path base, const gvmain::EventClassRegistry& classes)
        : top_(root, "manifest"), base_(std::move(base)), classes_(classes) {}

    Manifest Read();

private:
    void ReadFormat(const toml::table& table);
    void ReadProduct(const toml::table& table);
    void ReadLanguages(Fields& fields);
    void ReadBuild(const toml::table& table);
    void ReadPackaging(const toml::table* table);
    void ReadScreen(const toml::table& table);
    void ReadComponents(const toml::array& array);
    void ReadFile(const toml::table& table, int32_t component);
    void ReadAuxFile(const toml::table& table);
    void ReadPaths(const char* key, std::vector<gvmain::PathEntry>& paths);
    fs::path Source(Fields& fields);
    std::vector<const toml::table*> Tables(const char* key);

    Fields top_;
    fs::path base_;
    const gvmain::EventClassRegistry& classes_;
    Manifest manifest_;
    InstallScript& script_ = manifest_.script;
};

std::vector<const toml::table*> Reader::Tables(const char* key) {
    std::vector<const toml::table*> tables;
    if (const toml::array* array = top_.Array(key)) {
        for (const toml::node& node : *array)
            tables.push_back(&NodeTable(node, key));
    }
    return tables;
}

Manifest Reader::Read() {
    if (const toml::table* format = top_.Table("format"))
        ReadFormat(*format);
    const toml::table* product = top_.Table("product");
    if (product == nullptr)
        throw ManifestError(top_.Source().source(), "the manifest needs a [product] table");
    ReadProduct(*product);
    if (const toml::table* build = top_.Table("build"))
        ReadBuild(*build);
    ReadPackaging(top_.Table("packaging"));
    if (const toml::table* screen = top_.Table("screen"))
        ReadScreen(*screen);
    if (const toml::table* variables = top_.Table("variables"))
        ReadVariables(*variables, manifest_.format.width, script_);
    for (const toml::table* aux : Tables("aux_file"))
        ReadAuxFile(*aux);
    if (const toml::array* components = top_.Array("component"))
        ReadComponents(*components);
    for (const toml::table* file : Tables("file"))
        ReadFile(*file, -1);
    ReadPaths("destination_file", script_.destinationFiles);
    ReadPaths("destination_directory", script_.destinationDirectories);
    for (const toml::table* dialog : Tables("dialog"))
        ReadUserDialog(*dialog, script_);
    for (const toml::table* event : Tables("event"))
        ReadEvent(*event, classes_, manifest_.format.width, script_);
    top_.Finish();
    return std::move(manifest_);
}

void Reader::ReadFormat(const toml::table& table) {
    Fields fields(table, "[format]");
    int64_t width = fields.Integer("width", 16, 32, 32);
    if (width != 16 && width != 32)
        fields.Fail("width", "[format] width must be 16 or 32");
    manifest_.format.width = width == 16 ? gvmain::IntWidth::Bits16 : gvmain::IntWidth::Bits32;
    manifest_.format.version = static_cast<int32_t>(fields.Integer("version", 300, 302, 302));
    script_.scriptValue = static_cast<int32_t>(fields.Integer("script_value", -maxInt16 - 1, maxInt16, 0));
    fields.Finish();
}

void Reader::ReadProduct(const toml::table& table) {
    Fields fields(table, "[product]");
    gvmain::ProductInfo& product = script_.product;
    product.productName = fields.RequiredText("name");
    product.uninstallView = fields.Choice("uninstall_view", {"simple", "advanced", "automatic"}, 0);
    product.leastDisplayMs = static_cast<int32_t>(fields.Integer("least_display_ms", 0, maxInt16, 0));
    product.flags = (fields.Flag("ctl3d") ? gvmain::productWantsCtl3d : 0) |
                    (fields.Flag("append_log") ? gvmain::productAppendsLog : 0);
    ReadLanguages(fields);
    script_.defaultDirectory = fields.Text("default_directory", "");
    script_.uninstallDirectory = fields.Text("uninstall_directory", "");
    if (const toml::array* texts = fields.Array("texts")) {
        if (texts->size() > gvmain::scriptTextCount)
            fields.Fail("texts", "[product] texts holds at most 8 strings");
        for (size_t i = 0; i < texts->size(); ++i)
            script_.texts.texts[i] = NodeText(*texts->get(i), "[product] texts");
    }
    fields.Finish();
}

void Reader::ReadLanguages(Fields& fields) {
    gvmain::LanguageSet& set = script_.product.languages;
    int32_t first = gvmain::usEnglish;
    if (const toml::array* codes = fields.Array("languages")) {
        for (const toml::node& node : *codes) {
            int32_t number = LanguageNumber(NodeText(node, "[product] languages"));
            if (number < 0)
                throw ManifestError(node.source(), "[product] languages: unknown language code");
            if (number >= gvmain::oldLanguageFlagCount && manifest_.format.version < 302)
                throw ManifestError(node.source(),
                                    "[product] languages: below version 302 only the first 11 exist");
            if (&node == codes->get(0))
                first = number;
            set.supported[static_cast<size_t>(number)] = true;
        }
    } else {
        set.supported[gvmain::usEnglish] = true;
    }
    set.defaultLanguage = first;
    if (std::optional<std::string> code = fields.Text("default_language")) {
        set.defaultLanguage = LanguageNumber(*code);
        if (set.defaultLanguage < 0)
            fields.Fail("default_language", "[product] default_language: unknown language code");
    }
}

void Reader::ReadBuild(const toml::table& table) {
    Fields fields(table, "[build]");
    script_.buildIds.buildIdA = static_cast<uint32_t>(fields.Integer("id_a", 0, maxDword, 0));
    script_.buildIds.buildIdB = static_cast<uint32_t>(fields.Integer("id_b", 0, maxDword, 0));
    script_.buildIds.buildText = fields.Text("text", "");
    if (const toml::table* stamp = fields.Table("stamp")) {
        Fields stampFields(*stamp, "[build.stamp]");
        script_.stamp.number = static_cast<int32_t>(stampFields.Integer("number", 0, maxInt16, 0));
        script_.stamp.owner = stampFields.Text("owner", "");
        stampFields.Finish();
    }
    fields.Finish();
}

void Reader::ReadPackaging(const toml::table* table) {
    static const toml::table empty;
    Fields fields(table != nullptr ? *table : empty, "[packaging]");
    PackagingSpec& packaging = manifest_.packaging;
    packaging.mode = static_cast<Packaging>(fields.Choice("mode", {"one-directory", "disks", "floppies"}, 0));
    uint64_t fallback = packaging.mode == Packaging::Floppies ? floppyBytes : 0;
    packaging.diskBytes = static_cast<uint64_t>(fields.Integer("disk_size", 65536, maxDword, fallback));
    if (packaging.mode == Packaging::Disks && packaging.diskBytes == 0)
        fields.Fail("mode", "[packaging] disks need a disk_size");
    if (packaging.mode == Packaging::OneDirectory)
        packaging.diskBytes = 0;
    packaging.clusterBytes = static_cast<uint64_t>(fields.Integer("cluster_size", 1, 65536, 512));
    packaging.labelFormat = fields.Text("disk_label", script_.product.productName + " disk %d");
    packaging.level = static_cast<int>(fields.Integer("level", 1, 9, 9));
    fields.Finish();
}

void Reader::ReadScreen(const toml::table& table) {
    Fields fields(table, "[screen]");
    gvmain::ScreenDescription& screen = script_.screen;
    screen.pictureKind = fields.Choice("picture_kind", {"none", "metafile", "bitmap"}, 0);
    screen.picture = fields.Text("picture", "");
    screen.colours = fields.Choice("colours", {"16", "256", "65536"}, 0);
    screen.background = static_cast<uint32_t>(fields.Integer("background", 0, 0xFFFFFF, 0));
    screen.flags = fields.Flag("show_caption") ? gvmain::screenShowsCaption : 0;
    screen.scrambledCaption = fields.Text("caption_text", "");
    fields.Finish();
}

void Reader::ReadComponents(const toml::array& array) {
    std::vector<Fields> pending;
    for (const toml::node& node : array) {
        Fields fields(NodeTable(node, "[[component]]"), "[[component]]");
        gvmain::Component component;
        component.name = fields.RequiredText("name");
        component.description = fields.Text("description", "");
        script_.components.push_back(component);
        pending.push_back(std::move(fields));
    }
    for (size_t i = 0; i < pending.size(); ++i) {
        Fields& fields = pending[i];
        gvmain::Component& component = script_.components[i];
        uint64_t bytes = 0;
        if (const toml::array* files = fields.Array("file")) {
            for (const toml::node& file : *files) {
                ReadFile(NodeTable(file, "[[component.file]]"), static_cast<int32_t>(i));
                bytes += script_.installFiles.back().size;
            }
        }
        component.sizeKb =
            static_cast<uint32_t>(fields.Integer("size_kb", 0, maxDword, (bytes + 1023) / 1024));
        if (const toml::array* members = fields.Array("members")) {
            component.flags |= gvmain::componentGroup;
            for (const toml::node& member : *members)
                component.members.push_back(ComponentIndex(NodeText(member, "members"), member, script_));
        }
        fields.Finish();
    }
}

fs::path Reader::Source(Fields& fields) {
    fs::path source = base_ / fields.RequiredText("source");
    std::error_code error;
    if (!fs::is_regular_file(source, error))
        fields.Fail("source", "no such file: " + source.string());
    return source;
}

void Reader::ReadFile(const toml::table& table, int32_t component) {
    Fields fields(table, component < 0 ? "[[file]]" : "[[component.file]]");
    fs::path source = Source(fields);
    gvmain::InstallFile file;
    uintmax_t size = fs::file_size(source);
    if (size > maxDword)
        fields.Fail("source", "a file of 4 GB or more cannot be installed");
    file.size = static_cast<uint32_t>(size);
    file.destination = fields.RequiredText("destination");
    file.component = component;
    file.comparator =
        fields.Choice("comparator", {"none", "time", "file-version", "size", "version-file"}, 0);
    file.rule =
        fields.Choice("rule", {"older", "not-newer", "newer", "newer-or-equal", "equal", "different"}, 0);
    uint64_t time = FileTimeOf(source);
    file.timeLow = static_cast<uint32_t>(time);
    file.timeHigh = static_cast<uint32_t>(time >> 32);
    if (std::optional<std::string> version = fields.Text("version")) {
        unsigned parts[4];
        char end = 0;
        if (std::sscanf(version->c_str(), "%u.%u.%u.%u%c", &parts[0], &parts[1], &parts[2], &parts[3],
                        &end) != 4 ||
            parts[0] > 65535 || parts[1] > 65535 || parts[2] > 65535 || parts[3] > 65535)
            fields.Fail("version", "version must be four numbers up to 65535, as \"1.2.3.4\"");
        file.versionHigh = parts[0] << 16 | parts[1];
        file.versionLow = parts[2] << 16 | parts[3];
    }
    file.flags = (fields.Flag("compressed", true) ? gvmain::fileCompressed : 0) |
                 (fields.Flag("via_temp") ? gvmain::fileViaTemp : 0) |
                 (fields.Flag("append") ? gvmain::fileAppend : 0) |
                 (fields.Flag("keep_time") ? gvmain::fileKeepTimeStamp : 0) |
                 (fields.Flag("retry") ? gvmain::fileRetryPrompt : 0) |
                 (fields.Flag("shared") ? gvmain::fileShared : 0) |
                 (fields.Flag("font") ? gvmain::fileFont : 0) |
                 (fields.Flag("register") ? gvmain::fileSelfRegister : 0);
    file.inUsePolicy = fields.Choice("in_use", {"ask-restart", "restart", "ask-skip"}, 0);
    AddToFileSet(fields.Text("set", "main"), static_cast<int32_t>(script_.installFiles.size()), script_);
    fields.Finish();
    script_.installFiles.push_back(file);
    manifest_.fileSources.push_back(source.string());
}

void Reader::ReadAuxFile(const toml::table& table) {
    Fields fields(table, "[[aux_file]]");
    fs::path source = Source(fields);
    std::string name = source.filename().string();
    bool taken = name == "install.inf";
    for (const gvmain::AuxFile& aux : script_.auxFiles)
        taken = taken || aux.name == name;
    if (taken)
        fields.Fail("source", "the first disk holds a file named " + name + " already");
    script_.auxFiles.push_back({name, fields.Flag("copy", true)});
    manifest_.auxSources.push_back(source.string());
    fields.Finish();
}

void Reader::ReadPaths(const char* key, std::vector<gvmain::PathEntry>& paths) {
    for (const toml::table* table : Tables(key)) {
        Fields fields(*table, std::string("[[") + key + "]]");
        if (manifest_.format.version < 301)
            throw ManifestError(table->source(), std::string("[[") + key + "]] needs version 301 or 302");
        paths.push_back(
            {fields.RequiredText("path"), static_cast<int32_t>(fields.Integer("flags", 0, maxInt16, 0))});
        fields.Finish();
    }
}

std::string Located(const std::string& path, uint32_t line, uint32_t column, const std::string& what) {
    return path + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + what;
}

}  // namespace

ManifestLoad ReadManifest(const std::string& text, const std::string& path,
                          const gvmain::EventClassRegistry& classes) {
    ManifestLoad load;
    try {
        toml::table root = toml::parse(text, path);
        load.manifest = Reader(root, fs::path(path).parent_path(), classes).Read();
    } catch (const toml::parse_error& error) {
        load.error = Located(path, error.source().begin.line, error.source().begin.column,
                             std::string(error.description()));
        return load;
    } catch (const ManifestError& error) {
        load.error = Located(path, error.line, error.column, error.what());
        return load;
    } catch (const fs::filesystem_error& error) {
        load.error = path + ": " + error.what();
        return load;
    }
    return load;
}

ManifestLoad LoadManifestFile(const std::string& path, const gvmain::EventClassRegistry& classes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ManifestLoad load;
        load.error = "Unable to open " + path;
        return load;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ReadManifest(text.str(), path, classes);
}

}  // namespace gvbuild
