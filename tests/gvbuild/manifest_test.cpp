#include "gvbuild_fixture.h"

#include "tools/gvbuild/media_writer.h"
#include "tools/gvbuild/script_dump.h"

namespace {

using namespace gvmain;

// Every object kind of the script, each away from its defaults.
constexpr char fullManifest[] = R"(
[format]
width = 16
version = 301
script_value = -3

[product]
name = "Vörlen €"
languages = ["eng", "deu"]
uninstall_view = "advanced"
least_display_ms = 1500
ctl3d = true
append_log = true
default_directory = "c:\\vorlen"
uninstall_directory = "$i\\un"
texts = ["one", "two"]

[build]
id_a = 0xA0B0C0D0
id_b = 7
text = "build 7"
stamp = { number = 3, owner = "Tolvane" }

[packaging]
disk_label = "Disk %d of Vorlen"

[screen]
picture_kind = "metafile"
picture = "setup.wmf"
colours = "65536"
background = 0x123456
show_caption = true
caption_text = "Vorlen Setup"

[variables]
i = "c:\\vorlen"
count = -5
user = ""

[[aux_file]]
source = "aux/readme.txt"
copy = false

[[component]]
name = "Program"
description = "The program"
  [[component.file]]
  source = "src/a.bin"
  destination = "$i\\a.exe"
  comparator = "version-file"
  rule = "different"
  version = "1.2.3.65535"
  in_use = "ask-skip"
  via_temp = true
  append = true
  keep_time = true
  retry = true
  shared = true
  font = true
  register = true

[[component]]
name = "All"
description = "Everything"
size_kb = 77
members = ["Program"]

[[file]]
source = "src/b.txt"
destination = "$i\\b.txt"
set = "extra"
compressed = false

[[destination_file]]
path = "$i\\vorlen.ini"
flags = 2

[[destination_directory]]
path = "$i"

[[dialog]]
name = "ask"
title = "Question"
centre_x = 250
width = 180
  [[dialog.item]]
  kind = "drop-down"
  rect = [1, 2, 3, 4]
  text = "a\r\nb"
  variable = "count"
  [[dialog.item]]
  kind = "multi-line-edit"
  rect = [5, 6, 7, 8]
  variable = "user"
  read_only = true

[[event]]
type = "set-ini-entry"
condition = "count > 1"
label = "the INI"
mode = 2
component = "All"
value = "a\r\nb"

[[event]]
type = 3
file_set = "extra"
options = 4

[[event]]
type = "finish"
show_dialog = false
status = "count"
)";

TEST_F(GvbuildTest, EveryObjectOfTheManifestComesBackFromTheWrittenScript) {
    WriteText("aux/readme.txt", "read me");
    WriteText("src/a.bin", std::string(3000, 'a'));
    WriteText("src/b.txt", "plain");
    gvbuild::ManifestLoad load = Read(fullManifest);
    ASSERT_EQ(load.error, "");
    gvbuild::MediaResult media = gvbuild::BuildMedia(load.manifest, Path("out"), classes_);
    ASSERT_EQ(media.error, "");
    ScriptLoad back = LoadScriptFile(Path("out/install.inf"), classes_);
    ASSERT_EQ(back.error, "");
    const InstallScript& s = back.script;

    EXPECT_EQ(back.format.width, IntWidth::Bits16);
    EXPECT_EQ(back.format.version, 301);
    EXPECT_EQ(s.scriptValue, -3);
    EXPECT_EQ(s.product.productName, "V\xF6rlen \x80");  // Windows-1252
    EXPECT_EQ(s.product.flags, productWantsCtl3d | productAppendsLog);
    EXPECT_EQ(s.product.uninstallView, 1);
    EXPECT_EQ(s.product.leastDisplayMs, 1500);
    EXPECT_EQ(s.product.languages.defaultLanguage, 2);
    EXPECT_TRUE(s.product.languages.supported[1] && s.product.languages.supported[2]);
    EXPECT_FALSE(s.product.languages.supported[3]);
    EXPECT_EQ(s.defaultDirectory, "c:\\vorlen");
    EXPECT_EQ(s.uninstallDirectory, "$i\\un");
    EXPECT_EQ(s.texts.texts[1], "two");
    EXPECT_EQ(s.texts.diskLabels, std::vector<std::string>{"Disk 1 of Vorlen"});
    EXPECT_EQ(s.buildIds.buildIdA, 0xA0B0C0D0u);
    EXPECT_EQ(s.buildIds.buildText, "build 7");
    EXPECT_EQ(s.stamp.number, 3);
    EXPECT_EQ(s.stamp.owner, "Tolvane");
    EXPECT_EQ(s.screen.pictureKind, screenMetafile);
    EXPECT_EQ(s.screen.colours, screenColours64k);
    EXPECT_EQ(s.screen.background, 0x123456u);
    EXPECT_EQ(s.screen.flags, screenShowsCaption);
    EXPECT_EQ(s.screen.scrambledCaption, "Vorlen Setup");

    ASSERT_EQ(s.auxFiles.size(), 1u);
    EXPECT_EQ(s.auxFiles[0].name, "readme.txt");
    EXPECT_FALSE(s.auxFiles[0].copy);
    ASSERT_EQ(s.components.size(), 2u);
    EXPECT_EQ(s.components[0].sizeKb, 3u);  // 3000 bytes, rounded up
    EXPECT_EQ(s.components[1].sizeKb, 77u);
    EXPECT_EQ(s.components[1].flags, componentGroup);
    EXPECT_EQ(s.components[1].members, std::vector<int32_t>{0});

    ASSERT_EQ(s.installFiles.size(), 2u);
    const InstallFile& a = s.installFiles[0];
    EXPECT_EQ(a.destination, "$i\\a.exe");
    EXPECT_EQ(a.size, 3000u);
    EXPECT_EQ(a.comparator, 4);
    EXPECT_EQ(a.rule, 5);
    EXPECT_EQ(a.versionHigh, 0x00010002u);
    EXPECT_EQ(a.versionLow, 0x0003FFFFu);
    EXPECT_EQ(a.inUsePolicy, 2);
    EXPECT_EQ(a.flags,
              fileCompressed | fileViaTemp | fileAppend | fileKeepTimeStamp | fileRetryPrompt | fileShared |
                  fileFont | fileSelfRegister);
    EXPECT_EQ(a.component, 0);
    EXPECT_NE(a.timeHigh, 0u);
    EXPECT_EQ(s.installFiles[1].flags, 0);
    EXPECT_EQ(s.installFiles[1].component, -1);
    ASSERT_EQ(s.fileSets.size(), 2u);
    EXPECT_EQ(s.fileSets[1].name, "extra");
    EXPECT_EQ(s.fileSets[1].files, std::vector<int32_t>{1});
    ASSERT_EQ(s.destinationFiles.size(), 1u);
    EXPECT_EQ(s.destinationFiles[0].flags, 2);
    EXPECT_EQ(s.destinationDirectories[0].path, "$i");

    ASSERT_EQ(s.variables.size(), 3u);
    const VariableDecl* count = &s.variables[0];
    EXPECT_EQ(count->name, "count");
    EXPECT_EQ(count->kind, VariableKind::Int);
    EXPECT_EQ(count->number, -5);
    ASSERT_EQ(s.userDialogs.size(), 1u);
    const UserDialog& dialog = s.userDialogs[0];
    EXPECT_EQ(dialog.title, "Question");
    EXPECT_EQ(dialog.centreX, 250);
    EXPECT_EQ(dialog.centreY, 500);
    EXPECT_EQ(dialog.width, 180);
    ASSERT_EQ(dialog.items.size(), 2u);
    EXPECT_EQ(dialog.items[0].kind, UserItemKind::DropDownList);
    EXPECT_EQ(dialog.items[0].height, 4);
    EXPECT_EQ(dialog.items[0].text, "a\r\nb");
    EXPECT_EQ(dialog.items[1].flags, userItemReadOnly);

    ASSERT_EQ(s.events.size(), 3u);
    const ScriptEvent& ini = s.events[0];
    EXPECT_EQ(ini.type, EventSetIniEntry);
    EXPECT_EQ(ini.condition, "count > 1");
    EXPECT_EQ(ini.label, "the INI");
    EXPECT_EQ(ini.mode, 2);
    EXPECT_EQ(ini.component, 2);                     // the second component, from 1
    EXPECT_EQ(ini.params[0].text, "$i\\myapp.ini");  // the class's default
    EXPECT_EQ(ini.params[3].text, "a\r\nb");
    EXPECT_EQ(s.events[1].params[0].number, 1);  // file set "extra"
    EXPECT_EQ(s.events[1].params[1].number, 4);
    EXPECT_EQ(s.events[2].params[1].number, 0);
    EXPECT_EQ(s.events[2].params[2].text, "count");
}

TEST_F(GvbuildTest, DumpShowsEveryEventParameterByNameWithEscapedTexts) {
    ScriptLoad load;
    ScriptEvent event;
    ASSERT_TRUE(NewEvent(EventSetIniEntry, classes_, event));
    event.params[3].text = "a\r\n\"b\"\\";
    event.mode = 1;
    load.script.events.push_back(event);
    load.script.variables.push_back({"n", VariableKind::Int, -2, ""});
    load.script.product.productName = "V\xF6rlen";
    load.format.width = IntWidth::Bits16;
    load.format.version = 300;
    std::string dump = gvbuild::DumpScript(load, classes_);
    EXPECT_NE(dump.find("script: 16-bit, version 300, value 0\n"), std::string::npos) << dump;
    EXPECT_NE(dump.find("variable n = -2\n"), std::string::npos) << dump;
    EXPECT_NE(dump.find("product: \"V\xC3\xB6rlen\""), std::string::npos) << dump;
    EXPECT_NE(dump.find("event 0: 5 set INI entry mode 1 component 0 if \"1\" label \"\"\n"
                        "    file = \"$i\\\\myapp.ini\"\n"
                        "    section = \"section\"\n"
                        "    entry = \"entry\"\n"
                        "    value = \"a\\r\\n\\\"b\\\"\\\\\"\n"),
              std::string::npos)
        << dump;
}

struct BadManifest {
    const char* text;
    const char* located;  // the error's start: name, line and column
    const char* says;
};

TEST_F(GvbuildTest, ManifestErrorsNameTheirLine) {
    WriteText("a.txt", "a");
    const BadManifest cases[] = {
        {"[product]\nname = \"V\"\nlanguages = [\"enu\",\n", ":3:", ""},
        {"[product]\nname = \"V\"\nnmae = 1\n", ":3:1:", "has no key \"nmae\""},
        {"[product]\nname = 5\n", ":2:8:", "name must be a string"},
        {"[product]\nname = \"\xC5\x9F\"\n", ":2:8:", "a character that Windows-1252 lacks"},
        {"[product]\n", ":1:", "needs \"name\""},
        {"[product]\nname = \"V\"\nlanguages = [\"enu\", \"xyz\"]\n", ":3:21:", "unknown language code"},
        {"[product]\nname = \"V\"\n[format]\nversion = 299\n", ":4:11:", "between 300 and 302"},
        {"[product]\nname = \"V\"\n[[file]]\nsource = \"missing.txt\"\ndestination = \"x\"\n",
         ":4:", "no such file"},
        {"[product]\nname = \"V\"\n[[file]]\nsource = \"a.txt\"\ndestination = \"x\"\nversion = \"1.2\"\n",
         ":6:", "four numbers"},
        {"[product]\nname = \"V\"\n\n[[event]]\ntype = \"no such event\"\n", ":5:", "no event class"},
        {"[product]\nname = \"V\"\n[[event]]\ntype = \"finish\"\nstatus = \"nothing\"\n",
         ":3:", "names no integer variable \"nothing\""},
        {"[product]\nname = \"V\"\n[[event]]\ntype = \"finish\"\ncondition = \"a = 1\"\n",
         ":3:", "Syntax error in expression a = 1"},
        {"[product]\nname = \"V\"\n[[event]]\ntype = \"finish\"\ncomponent = \"None\"\n",
         ":5:", "no component is named \"None\""},
        {"[product]\nname = \"V\"\n[[event]]\ntype = \"install files\"\nfile_set = \"x\"\n",
         ":5:", "no file set is named \"x\""},
        {"[product]\nname = \"V\"\n[[event]]\ntype = \"finish\"\nshow_dialog = \"yes\"\n",
         ":5:", "must be an integer"},
        {"[product]\nname = \"V\"\n[variables]\n9lives = 1\n", ":4:", "no variable name"},
        {"[format]\nversion = 300\n[product]\nname = \"V\"\n[[destination_file]]\npath = \"x\"\n",
         ":5:", "needs version 301"},
        {"[format]\nversion = 301\n[product]\nname = \"V\"\nlanguages = [\"enu\", \"ptg\"]\n",
         ":5:21:", "only the first 11"},
        {"[product]\nname = \"V\"\n[[aux_file]]\nsource = \"a.txt\"\n[[aux_file]]\nsource = \"a.txt\"\n",
         ":6:", "already"},
        {"[format]\nwidth = 16\n[product]\nname = \"V\"\n[variables]\nn = 40000\n",
         ":6:5:", "between -32768 and 32767"},
        {"[product]\nname = \"V\"\n[[component]]\nname = \"A\"\nmembers = [\"B\"]\n",
         ":5:", "no component is named \"B\""},
        {"[product]\nname = \"V\"\n[[dialog]]\nname = \"d\"\n[[dialog.item]]\nkind = \"knob\"\n",
         ":6:", "must be one of"},
    };
    for (const BadManifest& bad : cases) {
        gvbuild::ManifestLoad load = Read(bad.text);
        std::string expected = Path("product.toml") + bad.located;
        EXPECT_EQ(load.error.compare(0, expected.size(), expected), 0) << bad.text << "\n=> " << load.error;
        EXPECT_NE(load.error.find(bad.says), std::string::npos) << bad.text << "\n=> " << load.error;
    }
}

TEST_F(GvbuildTest, TheExampleProductBuilds) {
    gvbuild::ManifestLoad load = gvbuild::LoadManifestFile(GVBUILD_EXAMPLE, classes_);
    ASSERT_EQ(load.error, "");
    gvbuild::MediaResult media = gvbuild::BuildMedia(load.manifest, Path("out"), classes_);
    ASSERT_EQ(media.error, "");
    EXPECT_EQ(LoadScriptFile(Path("out/floppy001/install.inf"), classes_).error, "");
}

}  // namespace
