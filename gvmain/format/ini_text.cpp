#include "gvmain/format/ini_text.h"

#include <algorithm>

namespace gvmain {
namespace {

bool HasLineBreakOrNul(const std::string& text) {
    return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

// The name of a "[name]" line.
std::optional<std::string> HeaderName(const std::string& line) {
    std::string trimmed = TrimBlanks(line);
    size_t close = trimmed.find(']');
    if (trimmed.empty() || trimmed[0] != '[' || close == std::string::npos) {
        return std::nullopt;
    }
    return TrimBlanks(trimmed.substr(1, close - 1));
}

// Where a "name=value" line's value lies: after the "=" and the blanks that
// follow it, before the blanks that end the line.
struct EntryLine {
    std::string name;
    size_t valueStart = 0;
    size_t valueEnd = 0;
};

std::optional<EntryLine> ParseEntryLine(const std::string& line) {
    std::string trimmed = TrimBlanks(line);
    size_t equals = line.find('=');
    if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '[' || equals == std::string::npos) {
        return std::nullopt;
    }
    EntryLine entry{TrimBlanks(line.substr(0, equals)), equals + 1, line.size()};
    while (entry.valueStart < line.size() &&
           (line[entry.valueStart] == ' ' || line[entry.valueStart] == '\t')) {
        ++entry.valueStart;
    }
    while (entry.valueEnd > entry.valueStart &&
           (line[entry.valueEnd - 1] == ' ' || line[entry.valueEnd - 1] == '\t')) {
        --entry.valueEnd;
    }
    return entry;
}

std::string ValueOf(const std::string& line, const EntryLine& entry) {
    return line.substr(entry.valueStart, entry.valueEnd - entry.valueStart);
}

}  // namespace

TextError IniText::Parse(const std::string& bytes) {
    return SplitTextLines(bytes, maxIniLineLength, text_);
}

std::string IniText::Bytes() const {
    return JoinTextLines(text_);
}

std::optional<IniText::Range> IniText::FindSection(const std::string& section) const {
    std::string wanted = TrimBlanks(section);
    const std::vector<TextLine>& lines = text_.lines;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::optional<std::string> name = HeaderName(lines[i].text);
        if (name && EqualsIgnoringCase(*name, wanted)) {
            size_t end = i + 1;
            while (end < lines.size() && !HeaderName(lines[end].text)) {
                ++end;
            }
            return Range{i, end};
        }
    }
    return std::nullopt;
}

std::vector<size_t> IniText::EntryLines(const Range& range, const std::string& entry) const {
    std::string wanted = TrimBlanks(entry);
    std::vector<size_t> found;
    for (size_t i = range.header + 1; i < range.end; ++i) {
        std::optional<EntryLine> line = ParseEntryLine(text_.lines[i].text);
        if (line && EqualsIgnoringCase(line->name, wanted)) {
            found.push_back(i);
        }
    }
    return found;
}

std::optional<size_t> IniText::FindEntry(const std::string& section, const std::string& entry,
                                         int occurrence) const {
    std::optional<Range> range = FindSection(section);
    if (!range || occurrence < 0) {
        return std::nullopt;
    }
    std::vector<size_t> lines = EntryLines(*range, entry);
    if (static_cast<size_t>(occurrence) >= lines.size()) {
        return std::nullopt;
    }
    return lines[occurrence];
}

bool IniText::HasSection(const std::string& section) const {
    return FindSection(section).has_value();
}

std::vector<IniEntry> IniText::Entries(const std::string& section) const {
    std::vector<IniEntry> entries;
    std::optional<Range> range = FindSection(section);
    for (size_t i = range ? range->header + 1 : 0; range && i < range->end; ++i) {
        const std::string& text = text_.lines[i].text;
        if (std::optional<EntryLine> line = ParseEntryLine(text)) {
            entries.push_back({line->name, ValueOf(text, *line)});
        }
    }
    return entries;
}

int IniText::Count(const std::string& section, const std::string& entry) const {
    std::optional<Range> range = FindSection(section);
    return range ? static_cast<int>(EntryLines(*range, entry).size()) : 0;
}

std::optional<std::string> IniText::Value(const std::string& section, const std::string& entry,
                                          int occurrence) const {
    std::optional<size_t> at = FindEntry(section, entry, occurrence);
    if (!at) {
        return std::nullopt;
    }
    const std::string& text = text_.lines[*at].text;
    return ValueOf(text, *ParseEntryLine(text));
}

void IniText::AddSection(const std::string& section) {
    if (!HasSection(section)) {
        text_.lines.push_back({"[" + TrimBlanks(section) + "]", ""});
    }
}

bool IniText::DeleteSection(const std::string& section) {
    std::optional<Range> range = FindSection(section);
    if (!range) {
        return false;
    }
    text_.lines.erase(text_.lines.begin() + range->header, text_.lines.begin() + range->end);
    return true;
}

int IniText::InsertEntry(const std::string& section, const std::string& entry, const std::string& value,
                         int occurrence) {
    AddSection(section);
    Range range = *FindSection(section);
    std::vector<size_t> lines = EntryLines(range, entry);
    size_t taken = std::min(static_cast<size_t>(std::max(occurrence, 0)), lines.size());
    size_t at = range.header + 1;
    if (taken < lines.size()) {
        at = lines[taken];
    } else if (!lines.empty()) {
        at = lines.back() + 1;
    } else {
        for (size_t i = range.header + 1; i < range.end; ++i) {
            if (!TrimBlanks(text_.lines[i].text).empty()) {
                at = i + 1;
            }
        }
    }
    text_.lines.insert(text_.lines.begin() + at, TextLine{TrimBlanks(entry) + "=" + value, ""});
    return static_cast<int>(taken);
}

bool IniText::SetEntry(const std::string& section, const std::string& entry, const std::string& value,
                       int occurrence) {
    std::optional<size_t> at = FindEntry(section, entry, occurrence);
    if (!at) {
        return false;
    }
    std::string& text = text_.lines[*at].text;
    EntryLine line = *ParseEntryLine(text);
    text.replace(line.valueStart, line.valueEnd - line.valueStart, value);
    return true;
}

bool IniText::DeleteEntry(const std::string& section, const std::string& entry, int occurrence) {
    std::optional<size_t> at = FindEntry(section, entry, occurrence);
    if (!at) {
        return false;
    }
    text_.lines.erase(text_.lines.begin() + *at);
    return true;
}

bool IsWritableSection(const std::string& section) {
    return !TrimBlanks(section).empty() && !HasLineBreakOrNul(section) &&
           section.find(']') == std::string::npos;
}

bool IsWritableEntry(const std::string& entry) {
    std::string trimmed = TrimBlanks(entry);
    return !trimmed.empty() && !HasLineBreakOrNul(entry) && entry.find('=') == std::string::npos &&
           trimmed[0] != ';' && trimmed[0] != '[';
}

bool IsWritableValue(const std::string& value) {
    return !HasLineBreakOrNul(value);
}

}  // namespace gvmain
