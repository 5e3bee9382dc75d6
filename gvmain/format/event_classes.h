// The event classes of the install script: for each event type its name and
// the layout of its parameters, which the script reader and writer follow
// and the interpreter reads its values from. The engine registers the
// classes before a script is read; the build tool uses the same table.
//
// Parameter kinds: Int is stored as an int; the others as a string. Text is
// expanded (ExpandText) before use; Expression is a condition-language
// expression (EvalCondition); IntVar and StringVar name a declared variable
// of that kind, and may be left empty only where the class marks them
// optional.
#pragma once

#include "gvmain/format/consistency_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gvmain {

enum class ParamKind { Int, Text, Expression, IntVar, StringVar };

struct ParamSpec {
    ParamKind kind = ParamKind::Text;
    const char* name = "";
    // What a new event of the class carries: the text, or for Int the number.
    const char* defaultText = "";
    int32_t defaultNumber = 0;
    bool optional = false;
};

struct EventClass {
    int32_t type = 0;
    const char* name = "";
    std::vector<ParamSpec> params;
};

// A table of up to 100 classes, each with its own type number.
class EventClassRegistry {
public:
    static constexpr size_t capacity = 100;

    // Adds the class; a type number already taken, or a full table, is an
    // internal error: reported as a failed check, and the class is left out.
    bool Register(const EventClass& eventClass, const CheckReport& report);
    // The class of that type, or nullptr.
    const EventClass* Find(int32_t type) const;
    size_t Size() const { return classes_.size(); }

private:
    std::vector<EventClass> classes_;
};

// The engine's classes, one per event type of the script (0-53 without 9
// and 13), in type order.
const std::vector<EventClass>& StandardEventClasses();

// A registry of the standard classes; a clash among them is reported.
EventClassRegistry RegisterStandardEventClasses(const CheckReport& report);

// The event types as stored in the script.
enum EventType : int32_t {
    EventMessageStep = 0,
    EventAskUserInfo = 1,
    EventSelectComponents = 2,
    EventInstallFiles = 3,
    EventCreateItem = 4,
    EventSetIniEntry = 5,
    EventSetRegistryValue = 6,
    EventRunProgram = 7,
    EventFinish = 8,
    EventEditStartupFile = 10,
    EventShowText = 11,
    EventPromptString = 12,
    EventWindowsDirectory = 14,
    EventSystemDirectory = 15,
    EventRunDirectory = 16,
    EventFindCdRom = 17,
    EventSelectedSize = 18,
    EventAssignText = 19,
    EventAssignExpression = 20,
    EventCompareTexts = 21,
    EventFindFile = 22,
    EventReadIniEntry = 23,
    EventReadRegistryValue = 24,
    EventFormatExpression = 25,
    EventTextToInt = 26,
    EventSplitPath = 27,
    EventAskYesNo = 28,
    EventWindowsVersion = 29,
    EventProcessor = 30,
    EventSetOneA = 31,
    EventSetOneB = 32,
    EventShowProgress = 33,
    EventHideProgress = 34,
    EventShowNotice57 = 35,
    EventHideNotice57 = 36,
    EventShowNotice43 = 37,
    EventHideNotice43 = 38,
    EventShowNotice44 = 39,
    EventHideNotice44 = 40,
    EventInstallUninstaller = 41,
    EventMoveFile = 42,
    EventDeleteFile = 43,
    EventCopyFile = 44,
    EventDeleteItem = 45,
    EventControllerAnswer = 46,
    EventCreateDirectory = 47,
    EventUserDialog = 48,
    EventShowTextNotice = 49,
    EventHideTextNotice = 50,
    EventArgumentCount = 51,
    EventArgument = 52,
    EventDeleteGroup = 53,
};

}  // namespace gvmain
