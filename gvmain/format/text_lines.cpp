#include "gvmain/format/text_lines.h"

namespace gvmain {
namespace {

constexpr char utf8Mark[] = "\xEF\xBB\xBF";

bool StartsWith(const std::string& bytes, const char* prefix) {
    return bytes.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

TextError SplitTextLines(const std::string& bytes, size_t maxLineLength, TextLines& text) {
    text = TextLines();
    if (bytes.size() > maxTextFileSize) {
        return TextError::TooLarge;
    }
    if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF")) {
        return TextError::Utf16;
    }
    size_t at = StartsWith(bytes, utf8Mark) ? 3 : 0;
    text.byteOrderMark = bytes.substr(0, at);
    bool endSeen = false;
    while (at < bytes.size()) {
        size_t end = bytes.find_first_of(std::string("\r\n\0", 3), at);
        if (end != std::string::npos && bytes[end] == '\0') {
            return TextError::NulByte;
        }
        size_t textEnd = end == std::string::npos ? bytes.size() : end;
        if (textEnd - at > maxLineLength) {
            return TextError::LineTooLong;
        }
        TextLine line{bytes.substr(at, textEnd - at), ""};
        if (end != std::string::npos) {
            size_t endLength = bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1;
            line.end = bytes.substr(end, endLength);
            if (!endSeen) {
                text.newLineEnd = line.end;
                endSeen = true;
            }
        }
        at = textEnd + line.end.size();
        text.lines.push_back(std::move(line));
    }
    text.endsWithLineEnd = text.lines.empty() || !text.lines.back().end.empty();
    return TextError::None;
}

std::string JoinTextLines(const TextLines& text) {
    std::string bytes = text.byteOrderMark;
    for (size_t i = 0; i < text.lines.size(); ++i) {
        const TextLine& line = text.lines[i];
        bytes += line.text;
        if (i + 1 < text.lines.size() || text.endsWithLineEnd) {
            bytes += line.end.empty() ? text.newLineEnd : line.end;
        }
    }
    return bytes;
}

std::string TrimBlanks(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace gvmain
