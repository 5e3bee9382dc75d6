#include "gvmain/format/event_classes.h"

namespace gvmain {
namespace {

ParamSpec Int(const char* name, int32_t number = 0) {
    return {ParamKind::Int, name, "", number, false};
}

ParamSpec Text(const char* name, const char* text = "") {
    return {ParamKind::Text, name, text, 0, false};
}

ParamSpec Expression(const char* name, const char* text = "0") {
    return {ParamKind::Expression, name, text, 0, false};
}

ParamSpec IntVar(const char* name, const char* variable) {
    return {ParamKind::IntVar, name, variable, 0, false};
}

ParamSpec StringVar(const char* name, const char* variable) {
    return {ParamKind::StringVar, name, variable, 0, false};
}

ParamSpec OptionalIntVar(const char* name) {
    return {ParamKind::IntVar, name, "", 0, true};
}

constexpr char yesNoText[] = "Please select yes or no\r\nby clicking\r\non one of the buttons\r\nThanks";
constexpr char promptText[] =
    "Please enter a text string\r\nrequired by\r\nthis program in the edit control\r\nThanks";
constexpr char currentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// Registry roots as the log stores them: 0 HKLM, 1 HKCR.
constexpr int32_t machineRoot = 0;
constexpr int32_t classesRoot = 1;
// REG_SZ
constexpr int32_t stringValueType = 1;

std::vector<EventClass> MakeClasses() {
    const std::vector<ParamSpec> progressPlace = {Int("x", 500), Int("y", 500), Int("options")};
    const std::vector<ParamSpec> textNotice = {Int("x", 500), Int("y", 500), Int("display time", 3000),
                                               Text("text 1"), Text("text 2")};
    return {
        {EventMessageStep, "message step", {Int("third button"), Text("message")}},
        {EventAskUserInfo,
         "user information",
         {StringVar("user", "user"), StringVar("company", "comp"), Text("text 1"), Text("text 2"),
          Text("text 3"), Text("text 4"), Text("text 5"), Text("text 6")}},
        {EventSelectComponents, "select components", {}},
        {EventInstallFiles, "install files", {Int("file set"), Int("options")}},
        {EventCreateItem,
         "create item",
         {Text("group"), Text("title"), Text("command line"), Text("icon path"), Int("icon index"),
          Text("working directory"), Int("hot key"), Int("options")}},
        {EventSetIniEntry,
         "set INI entry",
         {Text("file", "$i\\myapp.ini"), Text("section", "section"), Text("entry", "entry"),
          Text("value", "value")}},
        {EventSetRegistryValue,
         "set registry value",
         {Int("root", classesRoot), Text("key", "Grevant\\shell\\open\\command"), Text("value name", "field"),
          Text("value", "value"), Int("value type", stringValueType)}},
        {EventRunProgram,
         "run program",
         {Int("wait mode"), Int("show state"), Int("shell"), Text("window class"), Text("window title"),
          Text("command line"), Text("working directory"), OptionalIntVar("exit code")}},
        {EventFinish, "finish", {Int("kind"), Int("show dialog", 1), OptionalIntVar("status")}},
        {EventEditStartupFile,
         "edit start-up file",
         {Text("lines"), Int("file"), Int("place"), Text("path"), Int("silent")}},
        {EventShowText, "show text", {Text("lines", "line1\r\nline2\r\nline3\r\nline4\r\nline5")}},
        {EventPromptString,
         "prompt string",
         {Text("caption", "Query"), Text("prompt", promptText), StringVar("variable", "str")}},
        {EventWindowsDirectory, "Windows directory", {StringVar("variable", "windir")}},
        {EventSystemDirectory, "system directory", {StringVar("variable", "sysdir")}},
        {EventRunDirectory, "run directory", {StringVar("variable", "rundir")}},
        {EventFindCdRom, "find CD-ROM", {IntVar("exists", "CDExists"), StringVar("root", "CDRoot")}},
        {EventSelectedSize, "selected size", {IntVar("variable", "size")}},
        {EventAssignText, "assign text", {StringVar("variable", "str"), Text("text")}},
        {EventAssignExpression,
         "assign expression",
         {IntVar("variable", "number"), Expression("expression")}},
        {EventCompareTexts,
         "compare texts",
         {IntVar("variable", "result"), Text("text 1"), Text("text 2"), Int("case sensitive")}},
        {EventFindFile,
         "find file",
         {IntVar("found", "found"), StringVar("path", "path"), Text("start directory", "c:"),
          Text("pattern", "*.*")}},
        {EventReadIniEntry,
         "read INI entry",
         {Text("directory", "$i"), Text("file", "file.ini"), Text("section", "section"),
          Text("entry", "entry"), IntVar("exists", "exist"), StringVar("value", "value")}},
        {EventReadRegistryValue,
         "read registry value",
         {Int("root", machineRoot), Text("key", currentVersionKey), Text("value name", "field"),
          IntVar("exists", "keyExist"), StringVar("value", "value")}},
        {EventFormatExpression,
         "format expression",
         {StringVar("variable", "str"), Expression("expression")}},
        {EventTextToInt, "text to integer", {IntVar("variable", "number"), Text("text")}},
        {EventSplitPath,
         "split path",
         {Text("path", "c:\\filename"), StringVar("directory part", "dpart"),
          StringVar("file part", "fpart")}},
        {EventAskYesNo, "yes or no", {Text("message", yesNoText), IntVar("answer", "isyes")}},
        {EventWindowsVersion, "Windows version", {OptionalIntVar("major"), OptionalIntVar("minor")}},
        {EventProcessor, "processor", {IntVar("variable", "cpu")}},
        {EventSetOneA, "set to one", {IntVar("variable", "flag")}},
        {EventSetOneB, "set to one too", {IntVar("variable", "flag")}},
        {EventShowProgress, "show progress", progressPlace},
        {EventHideProgress, "hide progress", progressPlace},
        {EventShowNotice57, "show notice 57", {}},
        {EventHideNotice57, "hide notice 57", {}},
        {EventShowNotice43, "show notice 43", {}},
        {EventHideNotice43, "hide notice 43", {}},
        {EventShowNotice44, "show notice 44", {}},
        {EventHideNotice44, "hide notice 44", {}},
        {EventInstallUninstaller,
         "install uninstaller",
         {Text("directory", "$i"), Int("options"), Text("item group"), Text("item title")}},
        {EventMoveFile, "move file", {Text("source"), Text("destination")}},
        {EventDeleteFile, "delete file", {Text("path")}},
        {EventCopyFile, "copy file", {Text("path"), Text("directory")}},
        {EventDeleteItem, "delete item", {Text("group"), Text("item")}},
        {EventControllerAnswer, "controller answer", {IntVar("variable", "answer")}},
        {EventCreateDirectory, "create directory", {Text("path")}},
        {EventUserDialog, "user dialog", {Text("dialog"), OptionalIntVar("result")}},
        {EventShowTextNotice, "show text notice", textNotice},
        {EventHideTextNotice, "hide text notice", textNotice},
        {EventArgumentCount, "argument count", {IntVar("variable", "argc")}},
        {EventArgument, "argument", {StringVar("variable", "arg"), Expression("number", "1")}},
        {EventDeleteGroup, "delete group", {Text("group")}},
    };
}

}  // namespace

bool EventClassRegistry::Register(const EventClass& eventClass, const CheckReport& report) {
    if (classes_.size() == capacity || Find(eventClass.type) != nullptr) {
        GVMAIN_CHECK_FAILED(report);
        return false;
    }
    classes_.push_back(eventClass);
    return true;
}

const EventClass* EventClassRegistry::Find(int32_t type) const {
    for (const EventClass& eventClass : classes_) {
        if (eventClass.type == type)
            return &eventClass;
    }
    return nullptr;
}

const std::vector<EventClass>& StandardEventClasses() {
    static const std::vector<EventClass> classes = MakeClasses();
    return classes;
}

EventClassRegistry RegisterStandardEventClasses(const CheckReport& report) {
    EventClassRegistry registry;
    for (const EventClass& eventClass : StandardEventClasses())
        registry.Register(eventClass, report);
    return registry;
}

}  // namespace gvmain
