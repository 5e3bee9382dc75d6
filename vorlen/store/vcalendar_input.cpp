#include "vcalendar_input.h"

#include <algorithm>
#include <utility>

namespace vorlen::store {
namespace {

// Items of a calendar per chunk, well below the ~490 that the parser's
// stack holds.
constexpr int32_t itemsPerChunk = 200;
// A plain value with more separators than this goes quoted-printable, where
// ';' separates nothing and so costs the parser no stack.
constexpr size_t maxPlainSeparators = 100;

constexpr std::string_view objectNames[] = {"VCALENDAR", "VEVENT", "VTODO", "VCARD"};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsBlankLine(std::string_view line) {
    return std::all_of(line.begin(), line.end(), IsBlank);
}

bool StartsWithBlank(std::string_view line) {
    return !line.empty() && IsBlank(line.front());
}

// Blanks and the line breaks of folded headers.
std::string_view Trim(std::string_view text) {
    while (!text.empty() && (IsBlank(text.front()) || text.front() == '\n'))
        text.remove_prefix(1);
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Upper(x) == Upper(y); });
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Lines ended by CR LF, LF or CR.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

// A name or parameter as the parser's lexer reads one: a letter, then
// anything up to a blank, ';', ':' or '='. Control bytes and 0xFF, which
// the lexer takes for the end of its input, are refused.
bool IsWord(std::string_view word) {
    if (word.empty() || !((word[0] >= 'A' && word[0] <= 'Z') || (word[0] >= 'a' && word[0] <= 'z')))
        return false;
    return std::none_of(word.begin(), word.end(), [](char c) {
        auto byte = static_cast<unsigned char>(c);
        return byte <= ' ' || byte == 0x7F || byte == 0xFF || c == ';' || c == ':' || c == '=';
    });
}

struct Header {
    std::string_view name;
    int32_t parameterCount = 0;
    std::vector<std::string> otherParameters;  // all but the encodings
    bool quotedPrintable = false;
    bool base64 = false;
};

// One parameter of a header. Its value must be one word of the lexer, or
// the parser stops with a syntax error; a value that is not (a blank in
// "STATUS=NEEDS ACTION", a digit first in "ENCODING=8BIT", a quoted
// "CN=...") carries nothing the import reads, so the parameter is dropped,
// and so is one that the lexer would take for the start of an object.
// The parser knows "QP" as another name of "QUOTED-PRINTABLE", as a
// parameter or as its value.
bool ReadParameter(std::string_view piece, Header& header) {
    size_t equals = piece.find('=');
    std::string_view name = Trim(piece.substr(0, equals));
    std::string_view value = equals == std::string_view::npos ? "" : Trim(piece.substr(equals + 1));
    if (!IsWord(name) ||
        (equals != std::string_view::npos && (value.empty() || value.find('=') != std::string_view::npos)))
        return false;
    ++header.parameterCount;
    // Before the ':', "BEGIN" or "END" reads as the start of an object line.
    auto objectWord = [](std::string_view word) {
        return EqualsNoCase(word, "BEGIN") || EqualsNoCase(word, "END");
    };
    if (objectWord(name) || (equals != std::string_view::npos && (!IsWord(value) || objectWord(value))))
        return true;
    bool encoding = false;
    for (std::string_view word : {name, value}) {
        if (EqualsNoCase(word, "QUOTED-PRINTABLE") || EqualsNoCase(word, "QP"))
            encoding = header.quotedPrintable = true;
        else if (EqualsNoCase(word, "BASE64"))
            encoding = header.base64 = true;
    }
    if (!encoding)
        header.otherParameters.push_back(std::string(name) + (value.empty() ? "" : "=" + std::string(value)));
    return true;
}

// name(;parameter(=value))*
bool ReadHeader(std::string_view text, Header& header) {
    size_t start = 0;
    for (bool first = true;; first = false) {
        size_t end = text.find(';', start);
        std::string_view piece = Trim(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (first) {
            if (!IsWord(piece))
                return false;
            header.name = piece;
        } else if (!ReadParameter(piece, header)) {
            return false;
        }
        if (end == std::string_view::npos)
            return true;
        start = end + 1;
    }
}

std::string HeaderText(const Header& header, bool quotedPrintable) {
    std::string text(header.name);
    for (const std::string& parameter : header.otherParameters)
        text += ";" + parameter;
    if (quotedPrintable)
        text += ";QUOTED-PRINTABLE";
    return text;
}

// The object name of a BEGIN or END line as the lexer finds it: the first
// word of the value, which must be all there is. Empty when the line is an
// ordinary property named BEGIN or END.
bool ReadObjectName(std::string_view value, std::string& name, bool& trailingText) {
    size_t start = 0;
    while (start < value.size() && IsBlank(value[start]))
        ++start;
    size_t end = value.find_first_of(" \t;:=", start);
    std::string_view word = value.substr(start, end == std::string_view::npos ? end : end - start);
    for (std::string_view known : objectNames) {
        if (EqualsNoCase(word, known)) {
            name = known;
            trailingText = end != std::string_view::npos && !IsBlankLine(value.substr(end));
            return true;
        }
    }
    return false;
}

// A plain value as the parser reads it, on one line: a line break and the
// blank that folds the line become one blank; leading blanks go.
std::string UnfoldPlainValue(std::string_view value) {
    std::string out;
    size_t i = 0;
    while (i < value.size() && IsBlank(value[i]))
        ++i;
    for (; i < value.size(); ++i) {
        if (value[i] != '\n') {
            out += value[i];
            continue;
        }
        out += ' ';
        if (i + 1 < value.size() && IsBlank(value[i + 1]))
            ++i;
    }
    return out;
}

// Whether the parser's grammar lets an object of that name begin inside
// `outer` ("" at the top): calendars and cards at the top, events and to-do
// items in a calendar, nothing else.
bool MayBegin(const std::string& outer, const std::string& name) {
    if (outer.empty())
        return name == "VCALENDAR" || name == "VCARD";
    return outer == "VCALENDAR" && (name == "VEVENT" || name == "VTODO");
}

// Collects lines into chunks of whole top-level objects, and closes and
// reopens a long calendar before the parser's stack would overflow. Objects
// must nest as the grammar has them: the parser would stop at anything else
// with a syntax error (and lose memory doing so).
class ChunkBuilder {
public:
    explicit ChunkBuilder(std::vector<ParserChunk>& chunks) : chunks_(chunks) {}

    // Each step gives "" or what is wrong.
    std::string Property(const std::string& line, int32_t sourceLine) {
        if (open_.empty())
            return "a property outside any object";
        Add(line, sourceLine);
        if (open_.size() == 1)
            CountItem(sourceLine);
        return {};
    }

    std::string Begin(const std::string& name, int32_t sourceLine) {
        std::string outer = open_.empty() ? std::string() : open_.back().name;
        if (!MayBegin(outer, name))
            return "BEGIN:" + name + (outer.empty() ? " outside a VCALENDAR" : " inside " + outer);
        open_.push_back({name, sourceLine});
        Add("BEGIN:" + name + "\n", sourceLine);
        return {};
    }

    std::string End(const std::string& name, int32_t sourceLine) {
        if (open_.empty() || open_.back().name != name)
            return "END:" + name +
                   (open_.empty() ? " without its BEGIN" : " where END:" + open_.back().name + " belongs");
        open_.pop_back();
        Add("END:" + name + "\n", sourceLine);
        if (open_.empty())
            Finish();
        else if (open_.size() == 1)
            CountItem(sourceLine);
        return {};
    }

    // An object left open, or "".
    std::string Close() {
        if (!open_.empty())
            return "line " + std::to_string(open_.back().line) + ": BEGIN:" + open_.back().name +
                   " without its END";
        return {};
    }

private:
    struct OpenObject {
        std::string name;
        int32_t line;
    };

    void Finish() {
        chunks_.push_back(std::move(chunk_));
        chunk_ = ParserChunk();
        items_ = 0;
    }

    void Add(const std::string& text, int32_t sourceLine) {
        chunk_.text += text;
        for (char c : text) {
            if (c == '\n')
                chunk_.sourceLines.push_back(sourceLine++);
        }
    }

    void CountItem(int32_t sourceLine) {
        if (open_.front().name != "VCALENDAR" || ++items_ < itemsPerChunk)
            return;
        Add("END:VCALENDAR\n", sourceLine);
        Finish();
        Add("BEGIN:VCALENDAR\n", sourceLine);
    }

    std::vector<ParserChunk>& chunks_;
    ParserChunk chunk_;
    std::vector<OpenObject> open_;
    int32_t items_ = 0;
};

std::string LineError(size_t index, const std::string& what) {
    return "line " + std::to_string(index + 1) + ": " + what;
}

}  // namespace

int32_t ParserChunk::SourceLine(int32_t chunkLine) const {
    if (sourceLines.empty())
        return 0;
    size_t index =
        static_cast<size_t>(std::clamp<int32_t>(chunkLine, 1, static_cast<int32_t>(sourceLines.size())));
    return sourceLines[index - 1];
}

std::string DecodeQuotedPrintable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '=' && i + 2 < text.size()) {
            int high = HexValue(text[i + 1]);
            int low = HexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string EncodeQuotedPrintable(std::string_view bytes) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < ' ' || byte >= 0x7F || c == '=' || c == ';') {
            out += '=';
            out += hex[byte >> 4];
            out += hex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

bool PrepareParserInput(std::string_view text, std::vector<ParserChunk>& chunks, std::string& error) {
    chunks.clear();
    if (text.find('\0') != std::string_view::npos) {
        error = "it contains NUL bytes";
        return false;
    }
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    const std::vector<std::string_view> lines = SplitLines(text);
    ChunkBuilder builder(chunks);
    size_t i = 0;
    while (i < lines.size()) {
        const size_t first = i;
        const auto sourceLine = static_cast<int32_t>(first + 1);
        if (IsBlankLine(lines[i++]))
            continue;
        // The header may be folded over lines that start with a blank.
        std::string logical(lines[first]);
        size_t colon = logical.find(':');
        while (colon == std::string::npos && i < lines.size() && StartsWithBlank(lines[i])) {
            size_t searched = logical.size();
            logical.append("\n").append(lines[i++]);
            colon = logical.find(':', searched);
        }
        if (colon == std::string::npos) {
            error = LineError(first, "a property without ':'");
            return false;
        }
        Header header;
        if (!ReadHeader(std::string_view(logical).substr(0, colon), header)) {
            error = LineError(first, "a malformed property name or parameter");
            return false;
        }
        std::string value = logical.substr(colon + 1);

        bool begin = EqualsNoCase(header.name, "BEGIN");
        std::string objectName;
        bool trailingText = false;
        bool objectLine = (begin || EqualsNoCase(header.name, "END")) && header.parameterCount == 0;
        if (objectLine && ReadObjectName(value, objectName, trailingText)) {
            if (trailingText) {
                error = LineError(first, "text after the object name");
                return false;
            }
            std::string wrong =
                begin ? builder.Begin(objectName, sourceLine) : builder.End(objectName, sourceLine);
            if (!wrong.empty()) {
                error = LineError(first, wrong);
                return false;
            }
            continue;
        }

        if (header.base64) {
            // Its data runs up to a blank line; base64 has no ':', so a line
            // with one is the next property of a file without that line.
            while (i < lines.size() && !IsBlankLine(lines[i]) && lines[i].find(':') == std::string_view::npos)
                ++i;
            continue;
        }

        bool quoted = header.quotedPrintable;
        if (quoted) {
            // A soft line break: a line ending in '=' goes on in the next one.
            while (!value.empty() && value.back() == '=' && i < lines.size()) {
                value.pop_back();
                value.append(lines[i++]);
            }
            if (!value.empty() && value.back() == '=')
                value.pop_back();
            value = EncodeQuotedPrintable(DecodeQuotedPrintable(value));
        } else {
            while (i < lines.size() && StartsWithBlank(lines[i]))
                value.append("\n").append(lines[i++]);
            value = UnfoldPlainValue(value);
            if (value.find('\xFF') != std::string::npos ||
                static_cast<size_t>(std::count(value.begin(), value.end(), ';')) > maxPlainSeparators) {
                quoted = true;
                value = EncodeQuotedPrintable(value);
            }
        }
        // An empty value makes the parser take the next line for it (and in
        // quoted-printable mode at the end of the input, loop for ever);
        // "=00" decodes to nothing, and a plain value loses its blanks.
        if (value.empty())
            value = quoted ? "=00" : " ";
        // The BEGIN or END of an object the parser does not know (VALARM,
        // VJOURNAL) carries nothing the import reads, and the lexer stops at
        // one whose name is longer than its look-ahead of 32 bytes.
        if (objectLine)
            continue;
        std::string wrong = builder.Property(HeaderText(header, quoted) + ":" + value + "\n", sourceLine);
        if (!wrong.empty()) {
            error = LineError(first, wrong);
            return false;
        }
    }
    error = builder.Close();
    return error.empty();
}

}  // namespace vorlen::store
