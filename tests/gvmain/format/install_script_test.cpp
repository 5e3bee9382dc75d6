#include "gvmain/format/install_script.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace gvmain {

// Field-wise equality of the script's objects, for the round trips.
#define SAME_FIELDS(T, ...)                                             \
    bool operator==(const T& a, const T& b) {                           \
        auto fields = [](const T& x) { return std::tie(__VA_ARGS__); }; \
        return fields(a) == fields(b);                                  \
    }
SAME_FIELDS(LanguageSet, x.defaultLanguage, x.supported)
SAME_FIELDS(ProductInfo, x.productName, x.flags, x.uninstallView, x.leastDisplayMs, x.languages)
SAME_FIELDS(BuildIds, x.buildIdA, x.buildIdB, x.buildText)
SAME_FIELDS(Component, x.name, x.description, x.sizeKb, x.flags, x.members)
SAME_FIELDS(InstallFile, x.container, x.disk, x.offset, x.packedLength, x.size, x.destination, x.comparator,
            x.rule, x.timeLow, x.timeHigh, x.versionHigh, x.versionLow, x.flags, x.inUsePolicy, x.component)
SAME_FIELDS(AuxFile, x.name, x.copy)
SAME_FIELDS(PathEntry, x.path, x.flags)
SAME_FIELDS(TextSet, x.texts, x.diskLabels)
SAME_FIELDS(FileSet, x.name, x.files)
SAME_FIELDS(ScreenDescription, x.pictureKind, x.picture, x.colours, x.background, x.flags, x.scrambledCaption)
SAME_FIELDS(ScriptStamp, x.number, x.owner)
SAME_FIELDS(VariableDecl, x.name, x.kind, x.number, x.text)
SAME_FIELDS(UserDialogItem, x.kind, x.x, x.y, x.width, x.height, x.text, x.variable, x.flags)
SAME_FIELDS(UserDialog, x.name, x.title, x.centreX, x.centreY, x.width, x.height, x.items)
SAME_FIELDS(EventParam, x.number, x.text)
SAME_FIELDS(ScriptEvent, x.type, x.mode, x.component, x.condition, x.label, x.params)
SAME_FIELDS(InstallScript, x.version, x.scriptValue, x.product, x.buildIds, x.components, x.installFiles,
            x.auxFiles, x.destinationFiles, x.destinationDirectories, x.texts, x.fileSets, x.defaultDirectory,
            x.uninstallDirectory, x.screen, x.stamp, x.variables, x.userDialogs, x.events)
#undef SAME_FIELDS

namespace {

using Bytes = std::vector<uint8_t>;

const EventClassRegistry& Classes() {
    static const EventClassRegistry classes = RegisterStandardEventClasses([](const std::string&) {});
    return classes;
}

// Every object kind with fields away from their defaults, and one event of
// every class with the variables its defaults name.
InstallScript FullScript() {
    InstallScript s;
    s.scriptValue = 7;
    s.product = {"Vorlen", productWantsCtl3d | productAppendsLog, 1, 1500, {2, {}}};
    s.product.languages.supported[2] = s.product.languages.supported[3] = true;
    s.buildIds = {0x01020304, 0xA0B0C0D0, "gvbuild 1"};
    s.components = {{"Program", "The program", 900, 0, {}},
                    {"All", "Everything", 1000, componentGroup, {0, 1}}};
    s.installFiles = {
        {"vorlen.pk", 1, 12, 34, 56, "$i\\vorlen.exe", 2, 3, 5, 6, 7, 8, fileCompressed | fileShared, 1, 0}};
    s.auxFiles = {{"gvenu.dll", true}, {"readme.txt", false}};
    s.destinationFiles = {{"$i\\vorlen.ini", 1}};
    s.destinationDirectories = {{"$i\\data", 2}};
    s.texts.texts = {"a", "b", "c", "d", "e", "f", "g", std::string(300, 'h')};
    s.texts.diskLabels = {"Disk 1", "Disk 2"};
    s.fileSets = {{"main", {0, 0}}};
    s.defaultDirectory = "C:\\Vorlen";
    s.uninstallDirectory = "C:\\Vorlen\\Uninst";
    s.screen = {screenBitmap, "back.bmp",         screenColours64k,
                0x00112233,   screenShowsCaption, "\x01\x02scrambled"};
    s.stamp = {42, "Tolvane"};
    UserDialog dialog;
    dialog.name = "Options";
    dialog.title = "Choose";
    dialog.centreX = 250;
    for (int32_t kind = 0; kind < userItemKindCount; ++kind)
        dialog.items.push_back({static_cast<UserItemKind>(kind), kind, 2, 3, 4, "t", "v", userItemReadOnly});
    s.userDialogs = {dialog, UserDialog()};
    for (const EventClass& eventClass : StandardEventClasses()) {
        ScriptEvent event;
        EXPECT_TRUE(NewEvent(eventClass.type, Classes(), event));
        event.mode = eventClass.type % 3;
        event.component = eventClass.type % 3;
        event.label = eventClass.name;
        for (const ParamSpec& paramSpec : eventClass.params) {
            VariableKind kind = paramSpec.kind == ParamKind::IntVar ? VariableKind::Int : VariableKind::String;
            bool known = false;
            for (const VariableDecl& decl : s.variables)
                known = known || decl.name == paramSpec.defaultText;
            if ((paramSpec.kind == ParamKind::IntVar || paramSpec.kind == ParamKind::StringVar) && !paramSpec.optional &&
                !known)
                s.variables.push_back({paramSpec.defaultText, kind, -5, kind == VariableKind::String ? "s" : ""});
        }
        s.events.push_back(event);
    }
    s.events[0].condition = "";
    return s;
}

ScriptLoad RoundTrip(const InstallScript& script, ScriptFormat format, Bytes* written = nullptr) {
    ScriptBytes out = WriteScript(script, format, Classes());
    EXPECT_EQ(out.error, "");
    if (written != nullptr)
        *written = out.bytes;
    return ReadScript(out.bytes, Classes());
}

TEST(InstallScriptRoundTrip, EveryObjectKindIn32And16Bits) {
    InstallScript script = FullScript();
    ASSERT_EQ(CheckScript(script, Classes()), "");
    for (IntWidth width : {IntWidth::Bits32, IntWidth::Bits16}) {
        ScriptLoad load = RoundTrip(script, {width, 302});
        ASSERT_EQ(load.error, "");
        EXPECT_EQ(load.format.width, width);
        EXPECT_EQ(load.format.version, 302);
        EXPECT_TRUE(load.script == script);
    }
    ASSERT_EQ(StandardEventClasses().size(), script.events.size());
}

TEST(InstallScriptRoundTrip, OlderVersionsAreReadAs302) {
    InstallScript script = FullScript();
    ScriptLoad v301 = RoundTrip(script, {IntWidth::Bits32, 301});
    ASSERT_EQ(v301.error, "");
    EXPECT_EQ(v301.format.version, 301);
    EXPECT_TRUE(v301.script == script);

    script.destinationFiles.clear();
    script.destinationDirectories.clear();
    ScriptLoad v300 = RoundTrip(script, {IntWidth::Bits16, 300});
    ASSERT_EQ(v300.error, "");
    EXPECT_EQ(v300.format.version, 300);
    EXPECT_EQ(v300.script.version, 302);
    EXPECT_TRUE(v300.script == script);
}

TEST(InstallScriptLayout, SixteenBitVersion300HasTwoByteIntsAndElevenLanguageFlags) {
    InstallScript script;
    script.scriptValue = -2;
    script.product = {"P", 3, 1, 9, {4, {}}};
    script.product.languages.supported[0] = script.product.languages.supported[10] = true;
    script.buildIds = {0x11223344, 5, ""};
    Bytes bytes;
    ASSERT_EQ(RoundTrip(script, {IntWidth::Bits16, 300}, &bytes).error, "");
    Bytes head = {16, 0x2C, 0x01, 0xFE, 0xFF, 1,    'P',  3,    0,    1, 0, 9, 0, 4, 0, 1,
                  0,  0,    0,    0,    0,    0,    0,    0,    0,    0, 0, 0, 0, 0, 0, 0,
                  0,  0,    0,    1,    0,    0x44, 0x33, 0x22, 0x11, 5, 0, 0, 0, 0};
    ASSERT_GE(bytes.size(), head.size());
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(head.size())), head);

    // Version 302 stores 20 flags; those past the 15th are read and ignored.
    Bytes v302;
    ASSERT_EQ(RoundTrip(script, {IntWidth::Bits32, 302}, &v302).error, "");
    size_t flags = 1 + 4 + 4 + 2 + 4 * 3 + 4;
    ASSERT_EQ(v302[flags + 4 * 10], 1);
    EXPECT_EQ(v302[flags + 4 * 20], 0x44);  // buildIdA follows the 20th flag
    v302[flags + 4 * 19] = 1;
    ScriptLoad load = ReadScript(v302, Classes());
    ASSERT_EQ(load.error, "");
    EXPECT_TRUE(load.script.product.languages == script.product.languages);
}

TEST(InstallScriptWriter, RefusesWhatTheFormatCannotHold) {
    InstallScript script = FullScript();
    EXPECT_EQ(WriteScript(script, {IntWidth::Bits32, 300}, Classes()).error,
              "A script of version 300 holds no destination lists");
    script.product.languages.supported[11] = true;
    EXPECT_EQ(WriteScript(script, {IntWidth::Bits32, 301}, Classes()).error,
              "A script of version 301 has no flag for language 11");
    EXPECT_EQ(WriteScript(script, {IntWidth::Bits32, 303}, Classes()).error,
              "No script can have the version 303");
    script = FullScript();
    script.installFiles[0].rule = 40000;
    EXPECT_EQ(WriteScript(script, {IntWidth::Bits16, 302}, Classes()).error,
              "A value or text of the script does not fit its format");
    EXPECT_EQ(WriteScript(script, {IntWidth::Bits32, 302}, Classes()).error, "");
}

TEST(InstallScriptReader, EveryCutAndDamageIsRefused) {
    for (IntWidth width : {IntWidth::Bits32, IntWidth::Bits16}) {
        Bytes bytes = WriteScript(FullScript(), {width, 302}, Classes()).bytes;
        for (size_t cut = 0; cut < bytes.size(); ++cut) {
            ScriptLoad load =
                ReadScript(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(cut)), Classes());
            ASSERT_NE(load.error, "") << cut;
            ASSERT_TRUE(load.script.events.empty()) << cut;
        }
        bytes.push_back(0);
        EXPECT_EQ(ReadScript(bytes, Classes()).error, "Install script holds 1 bytes after its end");
    }
    EXPECT_EQ(ReadScript({}, Classes()).error, "Install script is empty");
    EXPECT_EQ(ReadScript({8, 0x2C, 1}, Classes()).error, "Install script has an unknown integer width 8");
    EXPECT_EQ(ReadScript({16, 0x2F, 1}, Classes()).error, "Install script has an unknown version 303");
    // The component list's count, taken as far more than the file holds.
    Bytes bytes = WriteScript(InstallScript(), {IntWidth::Bits16, 300}, Classes()).bytes;
    size_t components = 1 + 2 + 2 + 1 + 2 * 3 + 2 + 2 * 11 + 4 + 4 + 1;
    bytes[components] = 0xFF;
    bytes[components + 1] = 0x7F;
    EXPECT_EQ(ReadScript(bytes, Classes()).error, "Install script holds a list count of 32767 with only " +
                                                      std::to_string(bytes.size() - components - 2) +
                                                      " bytes left");
}

TEST(InstallScriptCheck, EventsAndIndicesTheEngineReliesOn) {
    auto fault = [](void (*damage)(InstallScript&)) {
        InstallScript script = FullScript();
        damage(script);
        return CheckScript(script, Classes());
    };
    EXPECT_EQ(fault([](InstallScript& s) { s.events[1].type = 9; }),
              "Install script: event 1 has the unknown type 9");
    EXPECT_EQ(fault([](InstallScript& s) { s.events[1].mode = 3; }),
              "Install script: event 1 has the unknown mode 3");
    EXPECT_EQ(fault([](InstallScript& s) { s.events[1].component = 3; }),
              "Install script: event 1 belongs to no component of the script");
    EXPECT_EQ(fault([](InstallScript& s) { s.events[1].params[0].text = "size"; }),
              "Install script: event 1 names no string variable \"size\" for its user");
    EXPECT_EQ(fault([](InstallScript& s) { s.events[1].params.pop_back(); }),
              "Install script: event 1 has 7 parameters instead of 8");
    InstallScript doubled = FullScript();
    doubled.variables.push_back(doubled.variables[0]);
    EXPECT_EQ(
        CheckScript(doubled, Classes()),
        "Install script: variable " + std::to_string(doubled.variables.size() - 1) + " is declared twice");
    EXPECT_EQ(fault([](InstallScript& s) { s.fileSets[0].files.push_back(1); }),
              "Install script: file set 0 names a file out of range");
    EXPECT_EQ(fault([](InstallScript& s) { s.installFiles[0].disk = 2; }),
              "Install script: file 0 lies on a disk the disk map lacks");
    EXPECT_EQ(fault([](InstallScript& s) { s.userDialogs[0].items[0].kind = UserItemKind(7); }),
              "Install script: user dialog 0 has an item of unknown kind 7");
    EXPECT_EQ(fault([](InstallScript& s) { s.product.languages.defaultLanguage = 15; }),
              "Install script: the default language 15 is unknown");
    // An optional variable may be left out; an empty condition is the
    // evaluator's to refuse, when the event comes to run.
    EXPECT_EQ(fault([](InstallScript& s) { s.events[0].condition = ""; }), "");
}

TEST(EventClassTable, OneClassPerTypeAndClashesReported) {
    std::vector<std::string> reports;
    auto report = [&](const std::string& text) { reports.push_back(text); };
    EventClassRegistry registry = RegisterStandardEventClasses(report);
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(registry.Size(), 52u);
    EXPECT_EQ(registry.Find(9), nullptr);
    EXPECT_EQ(registry.Find(13), nullptr);
    EXPECT_EQ(registry.Find(54), nullptr);
    ASSERT_NE(registry.Find(EventFindCdRom), nullptr);
    EXPECT_STREQ(registry.Find(EventFindCdRom)->params[1].defaultText, "CDRoot");

    EXPECT_FALSE(registry.Register({EventFinish, "again", {}}, report));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].rfind("Check failed at line ", 0), 0u);
    EXPECT_EQ(reports[0].substr(reports[0].size() - 26), " in file event_classes.cpp");
    for (int32_t type = 100; registry.Size() < EventClassRegistry::capacity; ++type)
        EXPECT_TRUE(registry.Register({type, "filler", {}}, report));
    EXPECT_FALSE(registry.Register({99, "one too many", {}}, report));
    EXPECT_EQ(reports.size(), 2u);
}

}  // namespace
}  // namespace gvmain
