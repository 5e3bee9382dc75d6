#include "gvmain/format/dos_startup_merge.h"

#include <cstdlib>
#include <optional>
#include <vector>

namespace gvmain {
namespace {

// Lines of the file itself are only kept, never cut: any sane length will do.
constexpr size_t longestFileLine = 4096;

// What a line sets: the name in capitals, and where its value starts.
struct Setting {
    std::string name;
    size_t valueStart = 0;
};

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

size_t SkipBlanks(const std::string& line, size_t at) {
    while (at < line.size() && IsBlank(line[at])) {
        ++at;
    }
    return at;
}

// "path X", "path=X" or "set NAME=X".
std::optional<Setting> AutoexecSetting(const std::string& line) {
    size_t start = SkipBlanks(line, 0);
    size_t wordEnd = start;
    while (wordEnd < line.size() && !IsBlank(line[wordEnd]) && line[wordEnd] != '=') {
        ++wordEnd;
    }
    std::string word = Upper(line.substr(start, wordEnd - start));
    if (word == "PATH" && wordEnd < line.size()) {
        size_t value = SkipBlanks(line, wordEnd);
        if (value < line.size() && line[value] == '=') {
            value = SkipBlanks(line, value + 1);
        }
        return Setting{"PATH", value};
    }
    size_t equals = line.find('=', wordEnd);
    if (word != "SET" || wordEnd == line.size() || !IsBlank(line[wordEnd]) || equals == std::string::npos) {
        return std::nullopt;
    }
    std::string name = Upper(TrimBlanks(line.substr(wordEnd, equals - wordEnd)));
    if (name.empty()) {
        return std::nullopt;
    }
    return Setting{name, SkipBlanks(line, equals + 1)};
}

// CONFIG.SYS commands that DOS takes once; the last one counts.
std::optional<Setting> ConfigSetting(const std::string& line) {
    static const char* const onceOnly[] = {"BREAK",     "BUFFERS", "COUNTRY", "DOS",    "FCBS",    "FILES",
                                           "LASTDRIVE", "NUMLOCK", "SHELL",   "STACKS", "SWITCHES"};
    size_t equals = line.find('=');
    if (equals == std::string::npos) {
        return std::nullopt;
    }
    std::string name = Upper(TrimBlanks(line.substr(0, equals)));
    for (const char* known : onceOnly) {
        if (name == known) {
            return Setting{name, SkipBlanks(line, equals + 1)};
        }
    }
    return std::nullopt;
}

std::optional<Setting> SettingOf(DosStartupFile file, const std::string& line) {
    return file == DosStartupFile::AutoexecBat ? AutoexecSetting(line) : ConfigSetting(line);
}

std::string ValueOf(const std::string& line, const Setting& setting) {
    return TrimBlanks(line.substr(setting.valueStart));
}

std::vector<std::string> ListItems(const std::string& value) {
    std::vector<std::string> items;
    size_t start = 0;
    while (start <= value.size()) {
        size_t end = value.find(';', start);
        if (end == std::string::npos) {
            end = value.size();
        }
        std::string item = TrimBlanks(value.substr(start, end - start));
        if (!item.empty()) {
            items.push_back(item);
        }
        start = end + 1;
    }
    return items;
}

bool SameListItem(std::string a, std::string b) {
    while (a.size() > 1 && a.back() == '\\') {
        a.pop_back();
    }
    while (b.size() > 1 && b.back() == '\\') {
        b.pop_back();
    }
    return EqualsIgnoringCase(a, b);
}

std::string JoinList(const std::vector<std::string>& items) {
    std::string value;
    for (const std::string& item : items) {
        value += (value.empty() ? "" : ";") + item;
    }
    return value;
}

std::string MergeLists(const std::string& name, const std::string& existing, const std::string& added,
                       NewLinePlace place) {
    std::vector<std::string> items = ListItems(existing);
    std::vector<std::string> fresh;
    for (const std::string& item : ListItems(added)) {
        bool known = EqualsIgnoringCase(item, "%" + name + "%");
        for (const std::string& have : items) {
            known = known || SameListItem(have, item);
        }
        for (const std::string& have : fresh) {
            known = known || SameListItem(have, item);
        }
        if (!known) {
            fresh.push_back(item);
        }
    }
    items.insert(place == NewLinePlace::Before ? items.begin() : items.end(), fresh.begin(), fresh.end());
    return JoinList(items);
}

// FILES=30 and FILES=40 make FILES=40: a program asks for at least as many.
std::string LargerNumber(const std::string& existing, const std::string& added) {
    char* existingEnd = nullptr;
    char* addedEnd = nullptr;
    long have = std::strtol(existing.c_str(), &existingEnd, 10);
    long want = std::strtol(added.c_str(), &addedEnd, 10);
    if (existingEnd == existing.c_str() || addedEnd == added.c_str()) {
        return added;
    }
    return want > have ? added : existing;
}

std::string MergedValue(DosStartupFile file, const std::string& name, const std::string& existing,
                        const std::string& added, NewLinePlace place) {
    if (file == DosStartupFile::ConfigSys) {
        return name == "FILES" || name == "BUFFERS" ? LargerNumber(existing, added) : added;
    }
    bool isList =
        name == "PATH" || existing.find(';') != std::string::npos || added.find(';') != std::string::npos;
    return isList ? MergeLists(name, existing, added, place) : added;
}

class Merger {
public:
    Merger(DosStartupFile file, NewLinePlace place, TextLines& text)
        : file_(file), place_(place), text_(text) {}

    // False when the line to write would be too long.
    bool Take(const std::string& eventLine) {
        std::string line = TrimBlanks(eventLine);
        if (line.empty() || Holds(line)) {
            return true;
        }
        std::optional<Setting> setting = SettingOf(file_, line);
        if (std::optional<size_t> paired = setting ? LastSetting(setting->name) : std::nullopt) {
            std::string& have = text_.lines[*paired].text;
            Setting old = *SettingOf(file_, have);
            std::string merged =
                have.substr(0, old.valueStart) +
                MergedValue(file_, old.name, ValueOf(have, old), ValueOf(line, *setting), place_);
            if (merged.size() > maxDosLineLength) {
                return false;
            }
            changed_ = changed_ || merged != have;
            have = merged;
            return true;
        }
        auto at = place_ == NewLinePlace::Before ? text_.lines.begin() + added_++ : text_.lines.end();
        text_.lines.insert(at, TextLine{line, ""});
        changed_ = true;
        return true;
    }

    bool Changed() const { return changed_; }

private:
    bool Holds(const std::string& line) const {
        for (const TextLine& have : text_.lines) {
            if (EqualsIgnoringCase(TrimBlanks(have.text), line)) {
                return true;
            }
        }
        return false;
    }

    std::optional<size_t> LastSetting(const std::string& name) const {
        for (size_t i = text_.lines.size(); i-- > 0;) {
            std::optional<Setting> setting = SettingOf(file_, text_.lines[i].text);
            if (setting && setting->name == name) {
                return i;
            }
        }
        return std::nullopt;
    }

    DosStartupFile file_;
    NewLinePlace place_;
    TextLines& text_;
    size_t added_ = 0;
    bool changed_ = false;
};

}  // namespace

DosMergeResult MergeDosStartupLines(DosStartupFile file, const std::string& current,
                                    const std::string& eventLines, NewLinePlace place) {
    DosMergeResult result;
    result.text = current;
    TextLines text;
    TextLines event;
    result.error = SplitTextLines(current, longestFileLine, text);
    if (result.error != TextError::None) {
        return result;
    }
    TextError eventError = SplitTextLines(eventLines, maxDosLineLength, event);
    result.lineTooLong = eventError == TextError::LineTooLong;
    if (eventError != TextError::None) {
        result.error = result.lineTooLong ? TextError::None : eventError;
        return result;
    }
    Merger merger(file, place, text);
    for (const TextLine& line : event.lines) {
        if (!merger.Take(line.text)) {
            result.lineTooLong = true;
            return result;
        }
    }
    result.changed = merger.Changed();
    if (result.changed) {
        // DOS may skip a last line without an end.
        text.endsWithLineEnd = true;
        result.text = JoinTextLines(text);
    }
    return result;
}

}  // namespace gvmain
