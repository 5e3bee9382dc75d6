// The events that set variables from the system, the script and the
// command line.
#include "gvmain/engine/event_call.h"

#include "gvmain/ops/file_names.h"
#include "gvmain/ops/file_operations.h"
#include "gvmain/ops/ini_operations.h"
#include "gvmain/ops/message_text.h"
#include "gvmain/ops/registry_operations.h"
#include "gvmain/ops/win32_handles.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace gvmain {
namespace {

void SetInt(const EventCall& call, size_t index, int32_t value) {
    if (int32_t* variable = call.IntVar(index)) {
        *variable = value;
    }
}

EventOutcome WindowsDirectory(EventCall& call) {
    call.SetString(0, call.run.host.Environment().windowsDirectory);
    return EventOutcome::Next;
}

EventOutcome SystemDirectory(EventCall& call) {
    call.SetString(0, call.run.host.Environment().systemDirectory);
    return EventOutcome::Next;
}

EventOutcome RunDirectory(EventCall& call) {
    call.SetString(0, call.run.facts.runDirectory);
    return EventOutcome::Next;
}

EventOutcome FindCdRom(EventCall& call) {
    std::string root;
    for (char letter = 'a'; letter <= 'z' && root.empty(); ++letter) {
        std::string candidate = std::string(1, letter) + ":\\";
        if (::GetDriveTypeA(candidate.c_str()) == DRIVE_CDROM) {
            root = candidate;
        }
    }
    SetInt(call, 0, root.empty() ? 0 : 1);
    call.SetString(1, root);
    return EventOutcome::Next;
}

EventOutcome SelectedSize(EventCall& call) {
    uint32_t total = 0;
    const std::vector<Component>& components = call.run.script.components;
    for (size_t i = 0; i < components.size(); ++i) {
        if (i < call.run.selected.size() && call.run.selected[i]) {
            total += components[i].sizeKb;
        }
    }
    SetInt(call, 0, static_cast<int32_t>(total / 10));
    return EventOutcome::Next;
}

EventOutcome AssignText(EventCall& call) {
    call.SetString(0, call.Text(1));
    return EventOutcome::Next;
}

EventOutcome AssignExpression(EventCall& call) {
    SetInt(call, 0, call.Number(1));
    return EventOutcome::Next;
}

EventOutcome CompareTexts(EventCall& call) {
    const char* first = call.Text(1).c_str();
    const char* second = call.Text(2).c_str();
    int result = call.Number(3) != 0 ? std::strcmp(first, second) : ::lstrcmpiA(first, second);
    SetInt(call, 0, result < 0 ? -1 : result > 0 ? 1 : 0);
    return EventOutcome::Next;
}

// The first file matching `pattern` in `directory` or below it, depth first.
std::optional<std::string> FindFile(const std::string& directory, const std::string& pattern) {
    WIN32_FIND_DATAA found;
    ScopedFind match(::FindFirstFileA(JoinPath(directory, pattern).c_str(), &found));
    if (match.Valid()) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                return JoinPath(directory, found.cFileName);
            }
        } while (::FindNextFileA(match.Get(), &found));
    }
    match.Reset();
    std::optional<std::string> result;
    ForEachEntry(directory, [&](const std::string& name, bool isDirectory) {
        if (isDirectory) {
            result = FindFile(JoinPath(directory, name), pattern);
        }
        return !result;
    });
    return result;
}

EventOutcome FindFileEvent(EventCall& call) {
    std::optional<std::string> path = FindFile(call.Text(2), call.Text(3));
    SetInt(call, 0, path ? 1 : 0);
    call.SetString(1, path.value_or(std::string()));
    return EventOutcome::Next;
}

EventOutcome ReadIniEntryEvent(EventCall& call) {
    std::optional<std::string> value =
        ReadIniEntry(JoinPath(call.Text(0), call.Text(1)), call.Text(2), call.Text(3), call.run.host);
    SetInt(call, 4, value ? 1 : 0);
    call.SetString(5, value.value_or(std::string()));
    return EventOutcome::Next;
}

EventOutcome ReadRegistryValue(EventCall& call) {
    std::string text;
    bool exists = ReadValueText({call.Text(1), call.Number(0)}, call.Text(2), text);
    SetInt(call, 3, exists ? 1 : 0);
    call.SetString(4, text);
    return EventOutcome::Next;
}

EventOutcome FormatExpression(EventCall& call) {
    call.SetString(0, std::to_string(call.Number(1)));
    return EventOutcome::Next;
}

// Exactly one decimal integer, blanks around it allowed, in 32 bits.
bool ParseInteger(const std::string& text, int32_t& value) {
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    long long number = std::strtoll(start, &end, 10);
    while (end != start && (*end == ' ' || *end == '\t')) {
        ++end;
    }
    if (end == start || *end != '\0' || errno != 0 || number < INT32_MIN || number > INT32_MAX) {
        return false;
    }
    value = static_cast<int32_t>(number);
    return true;
}

EventOutcome TextToInt(EventCall& call) {
    int32_t value = 0;
    if (!ParseInteger(call.Text(1), value)) {
        return call.Fail(FillIn(notIntegerMessage, call.Text(1)));
    }
    SetInt(call, 0, value);
    return EventOutcome::Next;
}

EventOutcome SplitPath(EventCall& call) {
    call.SetString(1, DirectoryOf(call.Text(0)));
    call.SetString(2, FileNameOf(call.Text(0)));
    return EventOutcome::Next;
}

EventOutcome WindowsVersion(EventCall& call) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExA(&version);
    SetInt(call, 0, static_cast<int32_t>(version.dwMajorVersion));
    SetInt(call, 1, static_cast<int32_t>(version.dwMinorVersion));
    return EventOutcome::Next;
}

EventOutcome Processor(EventCall& call) {
    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);
    DWORD type = system.dwProcessorType;
    bool known =
        type == PROCESSOR_INTEL_386 || type == PROCESSOR_INTEL_486 || type == PROCESSOR_INTEL_PENTIUM;
    SetInt(call, 0, known ? static_cast<int32_t>(type) : 0);
    return EventOutcome::Next;
}

EventOutcome SetOne(EventCall& call) {
    SetInt(call, 0, 1);
    return EventOutcome::Next;
}

EventOutcome ControllerAnswer(EventCall& call) {
    SetInt(call, 0, call.run.controller.Answer());
    return EventOutcome::Next;
}

// The arguments of the control file's command line, separated by spaces.
std::vector<std::string> Arguments(const std::string& line) {
    std::vector<std::string> arguments;
    size_t start = line.find_first_not_of(' ');
    while (start != std::string::npos) {
        size_t end = line.find(' ', start);
        arguments.push_back(line.substr(start, end - start));
        start = line.find_first_not_of(' ', end);
    }
    return arguments;
}

EventOutcome ArgumentCount(EventCall& call) {
    SetInt(call, 0, static_cast<int32_t>(Arguments(call.run.facts.commandLine).size()));
    return EventOutcome::Next;
}

// Arguments count from 1.
EventOutcome Argument(EventCall& call) {
    std::vector<std::string> arguments = Arguments(call.run.facts.commandLine);
    int32_t number = call.Number(1);
    if (number < 1 || static_cast<size_t>(number) > arguments.size()) {
        return call.Fail(FormatText(noArgumentMessage, {std::to_string(number)}));
    }
    call.SetString(0, arguments[number - 1]);
    return EventOutcome::Next;
}

}  // namespace

EventHandler VariableEventHandler(int32_t type) {
    switch (type) {
    case EventWindowsDirectory: return WindowsDirectory;
    case EventSystemDirectory: return SystemDirectory;
    case EventRunDirectory: return RunDirectory;
    case EventFindCdRom: return FindCdRom;
    case EventSelectedSize: return SelectedSize;
    case EventAssignText: return AssignText;
    case EventAssignExpression: return AssignExpression;
    case EventCompareTexts: return CompareTexts;
    case EventFindFile: return FindFileEvent;
    case EventReadIniEntry: return ReadIniEntryEvent;
    case EventReadRegistryValue: return ReadRegistryValue;
    case EventFormatExpression: return FormatExpression;
    case EventTextToInt: return TextToInt;
    case EventSplitPath: return SplitPath;
    case EventWindowsVersion: return WindowsVersion;
    case EventProcessor: return Processor;
    case EventSetOneA:
    case EventSetOneB: return SetOne;
    case EventControllerAnswer: return ControllerAnswer;
    case EventArgumentCount: return ArgumentCount;
    case EventArgument: return Argument;
    default: return nullptr;
    }
}

}  // namespace gvmain
