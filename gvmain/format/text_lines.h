// Text files held as lines, each with its own line end, so that an edit
// changes only the lines it means to and every other byte stays as it was:
// comments, blank lines, mixed "\r\n" and "\n" ends, a last line without an
// end, a UTF-8 byte-order mark, bytes of any code page.
//
// Refused, because rewriting them would lose or damage data: NUL bytes (a
// binary file, or UTF-16 text), lines over the length limit, files over
// maxTextFileSize.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace gvmain {

constexpr size_t maxTextFileSize = 4u << 20;

enum class TextError { None, NulByte, LineTooLong, Utf16, TooLarge };

struct TextLine {
    std::string text;
    std::string end;  // "\r\n", "\n", "\r", or "" for a last line without one
};

struct TextLines {
    std::string byteOrderMark;  // a UTF-8 mark before the first line, kept
    std::vector<TextLine> lines;
    std::string newLineEnd = "\r\n";  // for lines added: the file's first end
    bool endsWithLineEnd = true;      // false keeps a file's last line open
};

TextError SplitTextLines(const std::string& bytes, size_t maxLineLength, TextLines& text);
// A line that was last and has lines after it now takes newLineEnd; the
// last line gets an end only when endsWithLineEnd.
std::string JoinTextLines(const TextLines& text);

// Blanks (spaces and tabs) off both ends.
std::string TrimBlanks(const std::string& text);
bool EqualsIgnoringCase(const std::string& a, const std::string& b);

}  // namespace gvmain
