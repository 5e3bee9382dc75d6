// vCalendar text made safe for libicalvcal's parser (3.0.16), which must not
// see some input that real files contain:
// - a quoted-printable value with an escape other than "=" and two
//   upper-case hex digits ("=e2=80=99" from phones), or one that the input
//   ends in: the parser loops for ever and allocates without bound;
// - base64 data not closed by a blank line: it loops for ever;
// - more than one encoding parameter on a property: the lexer stays in
//   quoted-printable mode for the rest of the input;
// - a 0xFF byte (Windows-1252 "y" with diaeresis): read as the end of input;
// - an empty value: the next line is taken for it, and in quoted-printable
//   mode at the end of the input the parser loops for ever;
// - a parameter value that is not one word (a blank inside, a digit
//   first): a syntax error, though vCalendar's own "NEEDS ACTION" has one;
// - objects that do not nest as its grammar has them (an END missing or
//   out of place, an event outside a calendar, text between objects): a
//   syntax error, after which the parser has lost memory;
// - more than about 490 items (properties, events, ';'-separated values) in
//   one object: its parse stack overflows and the whole parse fails.
// So quoted-printable values are decoded leniently and written again as one
// line of strict quoted-printable, plain values are unfolded onto one line
// (quoted-printable too when they hold 0xFF or very many ';'), empty values
// get a blank or "=00", parameters with such values are dropped (the
// import reads none of them), base64 values (photos, attachments) are dropped,
// headers are rebuilt with at most one encoding, and the text is cut into
// chunks of whole top-level objects, a long VCALENDAR into several.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorlen::store {

// Input for one parser call: whole lines, each ending in "\n".
struct ParserChunk {
    std::string text;
    std::vector<int32_t> sourceLines;  // input line number of each line of text

    // The input line of line `chunkLine` (1-based) of the text.
    int32_t SourceLine(int32_t chunkLine) const;
};

// False, with the reason in `error` (for example "line 12: a property
// without ':'"), for text that the parser could not read anyway: NUL bytes,
// a line that is no property, a malformed name or parameter, objects that
// do not nest.
bool PrepareParserInput(std::string_view text, std::vector<ParserChunk>& chunks, std::string& error);

// Lenient quoted-printable decoding: hex digits in either case, and an "="
// without two hex digits after it stands for itself. Soft line breaks must
// already be joined.
std::string DecodeQuotedPrintable(std::string_view text);
// Strict quoted-printable on one line: every byte but printable ASCII, and
// "=" and ";", as "=" and two upper-case hex digits.
std::string EncodeQuotedPrintable(std::string_view bytes);

}  // namespace vorlen::store
