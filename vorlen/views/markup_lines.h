// The marked-up reminder text cut into lines of styled spans, as the day
// view's text panes show it: "\r\n", a lone "\r" and a lone "\n" each end
// a line. All the text is one string, so that tens of thousands of lines
// cost a few allocations. No windows here: TRichEdit lays out and draws
// these lines.
#pragma once

#include "vorlen/remind/reminder_markup.h"

#include <string>
#include <string_view>
#include <vector>

namespace vorlen::views {

// A stretch of `MarkupText::text` in one style, within one line.
struct MarkupSpan {
    size_t begin = 0;
    size_t length = 0;
    MarkupStyle style;
};

struct MarkupLine {
    size_t begin = 0;  // of the line's characters in `MarkupText::text`
    size_t end = 0;
    size_t firstSpan = 0;  // its spans: [firstSpan, endSpan)
    size_t endSpan = 0;
    MarkupStyle style;  // in effect where the line begins
};

struct MarkupText {
    std::string text;  // without codes, lines joined by "\n"
    std::vector<MarkupSpan> spans;
    std::vector<MarkupLine> lines;  // at least one
};

MarkupText SplitMarkupLines(std::string_view markedUp);

// The style of the character at `position` of the text; a line's break
// counts as the end of that line, and a position past the end gives the
// style at the end of the last line.
MarkupStyle StyleAt(const MarkupText& text, size_t position);

}  // namespace vorlen::views
