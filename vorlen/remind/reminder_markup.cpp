#include "reminder_markup.h"

#include <algorithm>

namespace vorlen {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Applies the code at text[i] (just after an escape byte). Returns how many
// bytes the code took, or 0 for no code.
size_t ApplyCode(std::string_view text, size_t i, MarkupStyle& style) {
    if (i >= text.size())
        return 0;
    switch (text[i]) {
    case 'B': style.bold = !style.bold; return 1;
    case 'I': style.italic = !style.italic; return 1;
    case 'U': style.underline = !style.underline; return 1;
    case 'S': style.strikeOut = !style.strikeOut; return 1;
    case 'R':
        style.colour = MarkupColourOf(0);
        style.height = 8;
        style.bold = false;
        return 1;
    case 'C':
    case 'H': {
        if (i + 2 >= text.size() || !IsDigit(text[i + 1]) || !IsDigit(text[i + 2]))
            return 0;
        int number = (text[i + 1] - '0') * 10 + (text[i + 2] - '0');
        if (text[i] == 'C')
            style.colour = MarkupColourOf(number);
        else
            style.height = number;
        return 3;
    }
    default: return 0;
    }
}

}  // namespace

MarkupColour MarkupColourOf(int index) {
    constexpr MarkupColour black{0, 0, 0}, blue{0, 0, 255}, red{255, 0, 0}, green{0, 255, 0};
    static const MarkupColour table[12] = {
        black,           blue,  red,           green, {128, 128, 128}, blue,
        {192, 192, 192}, green, {255, 0, 255}, red,   {255, 255, 0},   {255, 255, 255}};
    return index >= 0 && index < 12 ? table[index] : black;
}

void VisitMarkup(std::string_view text,
                 const std::function<void(std::string_view, const MarkupStyle&)>& visit, MarkupStyle style) {
    size_t start = 0;
    while (start < text.size()) {
        size_t escape = std::min(text.find(markupEscape, start), text.size());
        if (escape > start)
            visit(text.substr(start, escape - start), style);
        if (escape == text.size())
            break;
        // A code that is not taken leaves the style alone: the escape goes.
        start = escape + 1 + ApplyCode(text, escape + 1, style);
    }
}

std::vector<MarkupRun> ParseMarkup(std::string_view text, MarkupStyle style) {
    std::vector<MarkupRun> runs;
    VisitMarkup(
        text,
        [&](std::string_view piece, const MarkupStyle& pieceStyle) {
            if (!runs.empty() && runs.back().style == pieceStyle)
                runs.back().text += piece;
            else
                runs.push_back({std::string(piece), pieceStyle});
        },
        style);
    return runs;
}

std::string PlainText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendPlainText(text, out);
    return out;
}

void AppendPlainText(std::string_view text, std::string& out) {
    MarkupStyle ignored;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == markupEscape) {
            i += ApplyCode(text, i + 1, ignored);
            continue;
        }
        // A code may stand between "\r" and "\n"; the line break is what
        // is left once the codes are gone.
        if (text[i] == '\r') {
            size_t next = i + 1;
            while (next < text.size() && text[next] == markupEscape)
                next += 1 + ApplyCode(text, next + 1, ignored);
            if (next < text.size() && text[next] == '\n')
                continue;
        }
        out += text[i];
    }
}

}  // namespace vorlen
