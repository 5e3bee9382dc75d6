// The formatting codes of reminder texts. A code is the byte 0xB7 followed
// by a letter: B, I, U and S toggle bold, italic, underline and
// strike-out; C and two digits set the colour by index; H and two digits
// the height in points; R resets colour, height and bold. The day view
// renders the runs as rich text, the console as plain text.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlen {

constexpr char markupEscape = '\xB7';

struct MarkupColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    friend bool operator==(const MarkupColour& a, const MarkupColour& b) {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
};

struct MarkupStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    MarkupColour colour;
    int height = 8;  // points
    friend bool operator==(const MarkupStyle& a, const MarkupStyle& b) {
        return a.bold == b.bold && a.italic == b.italic && a.underline == b.underline &&
               a.strikeOut == b.strikeOut && a.colour == b.colour && a.height == b.height;
    }
};

// A stretch of text in one style, as it stands ("\t" and "\r\n" included).
struct MarkupRun {
    std::string text;
    MarkupStyle style;
};

// The colour of a "C" code's number; black for numbers outside the table.
MarkupColour MarkupColourOf(int index);

// Calls `visit` with each stretch of a marked-up text between codes and
// the style it takes, starting from `style`; the stretches are views into
// `text`. An escape followed by any other letter (or by C or H without two
// digits) is dropped and the letter is ordinary text.
void VisitMarkup(std::string_view text,
                 const std::function<void(std::string_view, const MarkupStyle&)>& visit,
                 MarkupStyle style = {});

// The runs of a marked-up text, as VisitMarkup finds them; neighbours of
// the same style are one run.
std::vector<MarkupRun> ParseMarkup(std::string_view text, MarkupStyle style = {});

// The text without its codes, with "\r\n" as "\n".
std::string PlainText(std::string_view text);
// The same, appended to `out`.
void AppendPlainText(std::string_view text, std::string& out);

}  // namespace vorlen
