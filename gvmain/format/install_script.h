// The install script ("install.inf" or "setup.inf"): its model, and the one
// reader and one writer of its bytes, shared by the engine and the build
// tool. Every object lists its fields once (install_script.cpp, Transfer),
// so reading and writing cannot drift apart.
//
// Primitives (PortableStream): int (2 bytes in a 16-bit script, 4 in a
// 32-bit one), dword (4), string (length byte, or 255 and a word length).
// A list is an int count, then the items; a flag is an int, nonzero true.
//
// Envelope, in file order:
//    1  byte     integer width: 16 or 32
//    2  int      format version: 300, 301 or 302
//    3  int      scriptValue
//    4  product      string productName, int flags, int uninstallView,
//                    int leastDisplayMs, int defaultLanguage, then one int
//                    flag per language: 11 below version 302, 20 in 302
//                    (languages past the 15th are never supported)
//    5  buildIds     dword buildIdA, dword buildIdB, string buildText
//    6  components   list of: string name, string description, dword sizeKb,
//                    int flags, list of int members (component indices)
//    7  installFiles list of: string container, int disk, dword offset,
//                    dword packedLength, dword size, string destination,
//                    int comparator, int rule, dword timeLow, dword timeHigh,
//                    dword versionHigh, dword versionLow, int flags,
//                    int inUsePolicy, int component (-1 none)
//    8  auxFiles     list of: string name, int copy flag
//    9  destinationFiles        list of: string path, int flags  } 301 and
//   10  destinationDirectories  list of: string path, int flags  } 302 only
//   11  texts        8 strings, then list of string diskLabels
//   12  fileSets     list of: string name, list of int files (indices of
//                    installFiles)
//   13  string   defaultDirectory
//   14  string   uninstallDirectory
//   15  screen       int pictureKind, string picture, int colours,
//                    dword background, int flags, string scrambledCaption
//   16  stamp        int number, string owner
//   17  program      list of variables: string name, int kind, int number,
//                    string text;
//                    list of user dialogs: string name, string title,
//                    int centreX, int centreY, int width, int height, list of
//                    items: int kind, int x, int y, int width, int height,
//                    string text, string variable, int flags;
//                    list of events: int type, int mode, int component,
//                    string condition, string label, then the parameters of
//                    the type's class in order (event_classes.h), each an int
//                    (Int) or a string (every other kind)
// Nothing may follow the last object.
//
// Reading refuses, with a message and never a crash: a cut or damaged file,
// a list count larger than the bytes left (checked before anything is
// allocated), and a script the engine could not run safely (see CheckScript).
#pragma once

#include "gvmain/format/event_classes.h"
#include "gvmain/format/portable_stream.h"
#include "gvmain/format/script_variables.h"
#include "gvmain/format/user_dialog.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace gvmain {

constexpr int32_t languageCount = 15;
constexpr int32_t oldLanguageFlagCount = 11;  // versions 300 and 301
constexpr int32_t languageFlagCount = 20;     // version 302
constexpr int32_t usEnglish = 3;

struct LanguageSet {
    int32_t defaultLanguage = usEnglish;
    std::array<bool, languageCount> supported{};
};

// ProductInfo::flags
constexpr int32_t productWantsCtl3d = 1;
constexpr int32_t productAppendsLog = 2;  // add to the previous installation's log

struct ProductInfo {
    std::string productName;
    int32_t flags = 0;
    int32_t uninstallView = 0;   // 0 simple, 1 advanced, 2 automatic
    int32_t leastDisplayMs = 0;  // least time an install-files step stays shown
    LanguageSet languages;
};

struct BuildIds {
    uint32_t buildIdA = 0;
    uint32_t buildIdB = 0;
    std::string buildText;
};

// Component::flags
constexpr int32_t componentGroup = 1;  // selecting it selects its members

struct Component {
    std::string name;
    std::string description;
    uint32_t sizeKb = 0;
    int32_t flags = 0;
    std::vector<int32_t> members;
};

// InstallFile::flags
constexpr int32_t fileCompressed = 1;
constexpr int32_t fileViaTemp = 2;
constexpr int32_t fileAppend = 4;
constexpr int32_t fileKeepTimeStamp = 8;
constexpr int32_t fileRetryPrompt = 16;
constexpr int32_t fileShared = 32;         // keeps a shared-file count
constexpr int32_t fileFont = 64;           // added as a font resource once installed
constexpr int32_t fileSelfRegister = 128;  // a self-registering server, registered once installed

// One packaged file: where its bytes lie on the media and where they go.
struct InstallFile {
    std::string container;  // relative to the disk's directory
    int32_t disk = 0;       // the first disk it lies on, from 0
    uint32_t offset = 0;
    uint32_t packedLength = 0;
    uint32_t size = 0;        // installed bytes, for the progress display
    std::string destination;  // expanded before use
    int32_t comparator = 0;   // 0 none, 1 time, 2 file version, 3 size, 4 version file
    int32_t rule = 0;
    uint32_t timeLow = 0;
    uint32_t timeHigh = 0;
    uint32_t versionHigh = 0;
    uint32_t versionLow = 0;
    int32_t flags = 0;
    int32_t inUsePolicy = 0;
    int32_t component = -1;
};

struct AuxFile {
    std::string name;
    bool copy = false;  // copied into the runDirectory before the run
};

struct PathEntry {
    std::string path;
    int32_t flags = 0;
};

constexpr size_t scriptTextCount = 8;

struct TextSet {
    std::array<std::string, scriptTextCount> texts;  // the build tool's own
    std::vector<std::string> diskLabels;             // the disk map, disk 0 first
};

struct FileSet {
    std::string name;
    std::vector<int32_t> files;
};

// ScreenDescription::pictureKind and colours
constexpr int32_t screenNoPicture = 0;
constexpr int32_t screenMetafile = 1;
constexpr int32_t screenBitmap = 2;
constexpr int32_t screenColours256 = 1;
constexpr int32_t screenColours64k = 2;
// ScreenDescription::flags
constexpr int32_t screenShowsCaption = 1;

struct ScreenDescription {
    int32_t pictureKind = screenNoPicture;
    std::string picture;
    int32_t colours = 0;
    uint32_t background = 0;  // 0x00BBGGRR
    int32_t flags = 0;
    std::string scrambledCaption;  // kept as stored, never read
};

struct ScriptStamp {
    int32_t number = 0;
    std::string owner;
};

struct VariableDecl {
    std::string name;
    VariableKind kind = VariableKind::Int;
    int32_t number = 0;  // an int variable's starting value
    std::string text;    // a string variable's starting value
};

// A parameter of an event: `number` for an Int parameter, else `text`.
struct EventParam {
    int32_t number = 0;
    std::string text;
};

struct ScriptEvent {
    int32_t type = 0;
    int32_t mode = 0;       // 0, 1 or 2: copied into the log records it causes
    int32_t component = 0;  // 0: none; n: runs only when component n - 1 is selected
    std::string condition = "1";
    std::string label;
    std::vector<EventParam> params;  // as the type's class lays them out
};

struct InstallScript {
    int32_t version = 302;  // always 302 once read
    int32_t scriptValue = 0;
    ProductInfo product;
    BuildIds buildIds;
    std::vector<Component> components;
    std::vector<InstallFile> installFiles;
    std::vector<AuxFile> auxFiles;
    std::vector<PathEntry> destinationFiles;
    std::vector<PathEntry> destinationDirectories;
    TextSet texts;
    std::vector<FileSet> fileSets;
    std::string defaultDirectory;
    std::string uninstallDirectory;
    ScreenDescription screen;
    ScriptStamp stamp;
    std::vector<VariableDecl> variables;
    std::vector<UserDialog> userDialogs;
    std::vector<ScriptEvent> events;
};

struct ScriptFormat {
    IntWidth width = IntWidth::Bits32;
    int32_t version = 302;
};

struct ScriptLoad {
    InstallScript script;
    ScriptFormat format;  // as the file had it
    std::string error;    // empty on success
};

ScriptLoad ReadScript(const std::vector<uint8_t>& bytes, const EventClassRegistry& classes);
// "Unable to open %s" when the file cannot be read.
ScriptLoad LoadScriptFile(const std::string& path, const EventClassRegistry& classes);

struct ScriptBytes {
    std::vector<uint8_t> bytes;
    std::string error;  // empty on success
};

// Refuses what no reader would take back: a script that fails CheckScript, a
// value that does not fit a 16-bit script, destination lists or a
// language past the 11th in a version below 302, a version not 300-302.
ScriptBytes WriteScript(const InstallScript& script, const ScriptFormat& format,
                        const EventClassRegistry& classes);

// What the engine relies on once a script is read; the first fault found,
// or "". Events: a registered type with exactly its class's parameters, mode
// 0-2, a component that exists, variable parameters naming declared
// variables of the right kind (optional ones may be empty). Also: variable
// names valid and unique; component members, file-set files, file disks and
// components in range; user dialog item kinds 0-6; the default language 0-14.
std::string CheckScript(const InstallScript& script, const EventClassRegistry& classes);

// An event of the type with the class's defaults and the condition "1";
// false for a type no class has.
bool NewEvent(int32_t type, const EventClassRegistry& classes, ScriptEvent& event);

// The script's variables with their starting values.
Variables DeclareVariables(const InstallScript& script);

}  // namespace gvmain
