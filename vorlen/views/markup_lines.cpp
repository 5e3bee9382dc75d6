#include "markup_lines.h"

#include <algorithm>

namespace vorlen::views {
namespace {

class LineSplitter {
public:
    explicit LineSplitter(MarkupText& out) : out_(out) { out_.lines.push_back({}); }

    void Add(std::string_view piece, const MarkupStyle& style) {
        // A code may stand between "\r" and "\n": still one line break.
        if (afterReturn_ && piece.front() == '\n')
            piece.remove_prefix(1);
        afterReturn_ = false;
        for (size_t end = piece.find_first_of("\r\n"); end != std::string_view::npos;
             end = piece.find_first_of("\r\n")) {
            AddSpan(piece.substr(0, end), style);
            bool pair = piece[end] == '\r' && end + 1 < piece.size() && piece[end + 1] == '\n';
            afterReturn_ = piece[end] == '\r' && end + 1 == piece.size();
            piece.remove_prefix(end + (pair ? 2 : 1));
            BreakLine(style);
        }
        AddSpan(piece, style);
    }

    void Finish() {
        out_.lines.back().end = out_.text.size();
        out_.lines.back().endSpan = out_.spans.size();
    }

private:
    void AddSpan(std::string_view piece, const MarkupStyle& style) {
        if (piece.empty())
            return;
        out_.spans.push_back({out_.text.size(), piece.size(), style});
        out_.text += piece;
    }

    void BreakLine(const MarkupStyle& style) {
        Finish();
        out_.text += '\n';
        out_.lines.push_back({out_.text.size(), 0, out_.spans.size(), 0, style});
    }

    MarkupText& out_;
    bool afterReturn_ = false;
};

MarkupStyle EndStyle(const MarkupText& text, const MarkupLine& line) {
    return line.endSpan > line.firstSpan ? text.spans[line.endSpan - 1].style : line.style;
}

}  // namespace

MarkupText SplitMarkupLines(std::string_view markedUp) {
    MarkupText out;
    out.text.reserve(markedUp.size());
    LineSplitter splitter(out);
    VisitMarkup(markedUp,
                [&](std::string_view piece, const MarkupStyle& style) { splitter.Add(piece, style); });
    splitter.Finish();
    return out;
}

MarkupStyle StyleAt(const MarkupText& text, size_t position) {
    auto after = std::upper_bound(text.lines.begin(), text.lines.end(), position,
                                  [](size_t at, const MarkupLine& line) { return at < line.begin; });
    const MarkupLine& line = *(after - 1);
    for (size_t span = line.firstSpan; span < line.endSpan; ++span) {
        const MarkupSpan& each = text.spans[span];
        if (position < each.begin + each.length)
            return each.style;
    }
    return EndStyle(text, line);
}

}  // namespace vorlen::views
