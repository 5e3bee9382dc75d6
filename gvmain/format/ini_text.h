// The engine's own reader and writer of INI text. The platform's profile
// functions see one entry per name; INI files may hold a name several times
// in a section (system.ini's "device" lines), so entries are addressed by
// section, name and occurrence (counted from 0 in file order).
//
// Sections are "[name]" lines, entries "name=value" lines; every other line
// (comments, blank lines, lines before the first section) is kept byte for
// byte, and so are the blanks around a value that is changed. Names compare
// without regard to ASCII letter case, as the profile functions do; values
// are read without the blanks around them. When a section occurs twice, the
// first one counts.
#pragma once

#include "gvmain/format/text_lines.h"

#include <optional>
#include <string>
#include <vector>

namespace gvmain {

// Longer lines are not INI text; the profile functions would cut them.
constexpr size_t maxIniLineLength = 4096;

struct IniEntry {
    std::string name;
    std::string value;
};

class IniText {
public:
    // TextError::None and the file's contents, or the reason it is refused
    // (text_lines.h).
    TextError Parse(const std::string& bytes);
    std::string Bytes() const;

    bool HasSection(const std::string& section) const;
    // The section's entries in file order; empty for a missing section.
    std::vector<IniEntry> Entries(const std::string& section) const;
    int Count(const std::string& section, const std::string& entry) const;
    std::optional<std::string> Value(const std::string& section, const std::string& entry,
                                     int occurrence) const;

    // Appends a "[section]" line unless the section exists.
    void AddSection(const std::string& section);
    // Removes the section's header and every line up to the next section.
    bool DeleteSection(const std::string& section);
    // Inserts before the given occurrence; one past the last (or more) goes
    // right after the last occurrence, or after the section's last line that
    // is not blank when there is none. A missing section is added first.
    // Returns the occurrence the entry took.
    int InsertEntry(const std::string& section, const std::string& entry, const std::string& value,
                    int occurrence);
    // False when that occurrence does not exist.
    bool SetEntry(const std::string& section, const std::string& entry, const std::string& value,
                  int occurrence);
    bool DeleteEntry(const std::string& section, const std::string& entry, int occurrence);

private:
    struct Range {
        size_t header;
        size_t end;  // the next section's header, or the number of lines
    };
    std::optional<Range> FindSection(const std::string& section) const;
    // The line index of that occurrence, or nullopt.
    std::optional<size_t> FindEntry(const std::string& section, const std::string& entry,
                                    int occurrence) const;
    std::vector<size_t> EntryLines(const Range& range, const std::string& entry) const;

    TextLines text_;
};

// Whether the names and the value can be written as INI lines that read
// back the same: no line breaks or NUL bytes anywhere, a section name
// without "]", an entry name without "=" that does not start as a comment
// or a section. Names must not be empty.
bool IsWritableSection(const std::string& section);
bool IsWritableEntry(const std::string& entry);
bool IsWritableValue(const std::string& value);

}  // namespace gvmain
