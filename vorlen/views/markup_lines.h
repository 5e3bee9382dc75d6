// The marked-up reminder text cut into lines of styled runs, as the day
// view's text panes show it: "\r\n", a lone "\r" and a lone "\n" each end
// a line. No windows here: TRichEdit lays out and draws these lines.
#pragma once

#include "vorlen/remind/reminder_markup.h"

#include <string>
#include <string_view>
#include <vector>

namespace vorlen::views {

struct MarkupLine {
    std::vector<MarkupRun> runs;  // none holds a line break
    MarkupStyle style;            // in effect where the line begins
};

// The lines of `text`; an empty text is one empty line.
std::vector<MarkupLine> SplitMarkupLines(std::string_view text);

// The plain text of the lines, joined by "\n".
std::string JoinedText(const std::vector<MarkupLine>& lines);

// The style of the character at `position` of JoinedText; a line's break
// counts as the end of that line, and a position past the end gives the
// style of the last line's end.
MarkupStyle StyleAt(const std::vector<MarkupLine>& lines, size_t position);

}  // namespace vorlen::views
