#include "markup_lines.h"

namespace vorlen::views {
namespace {

void Append(MarkupLine& line, std::string_view piece, const MarkupStyle& style) {
    if (piece.empty())
        return;
    line.runs.push_back({std::string(piece), style});
}

MarkupStyle EndStyle(const MarkupLine& line) {
    return line.runs.empty() ? line.style : line.runs.back().style;
}

}  // namespace

std::vector<MarkupLine> SplitMarkupLines(std::string_view text) {
    std::vector<MarkupLine> lines(1);
    // A code may stand between "\r" and "\n": still one line break.
    bool afterReturn = false;
    for (const MarkupRun& run : ParseMarkup(text)) {
        std::string_view rest = run.text;
        if (afterReturn && !rest.empty() && rest.front() == '\n')
            rest.remove_prefix(1);
        afterReturn = false;
        for (size_t end = rest.find_first_of("\r\n"); end != std::string_view::npos;
             end = rest.find_first_of("\r\n")) {
            Append(lines.back(), rest.substr(0, end), run.style);
            bool pair = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
            afterReturn = rest[end] == '\r' && end + 1 == rest.size();
            rest.remove_prefix(end + (pair ? 2 : 1));
            lines.push_back({{}, run.style});
        }
        Append(lines.back(), rest, run.style);
    }
    return lines;
}

std::string JoinedText(const std::vector<MarkupLine>& lines) {
    std::string text;
    for (const MarkupLine& line : lines) {
        if (&line != &lines.front())
            text += '\n';
        for (const MarkupRun& run : line.runs)
            text += run.text;
    }
    return text;
}

MarkupStyle StyleAt(const std::vector<MarkupLine>& lines, size_t position) {
    for (const MarkupLine& line : lines) {
        for (const MarkupRun& run : line.runs) {
            if (position < run.text.size())
                return run.style;
            position -= run.text.size();
        }
        if (position == 0 || &line == &lines.back())
            return EndStyle(line);
        --position;  // the line break
    }
    return {};
}

}  // namespace vorlen::views
