#include "rich_edit.h"

#include "vorlen/platform/wx_text.h"

#include <wx/clipbrd.h>
#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/settings.h>

#include <algorithm>
#include <cctype>

namespace vorlen {
namespace {

// As a rich-edit control shows text: a margin of 5 pixels, tab stops
// every 10 mm (at 96 dots per inch), and a quarter of the font's height
// between lines.
constexpr int margin = 5;
constexpr int tabStep = 38;

// The end of the longest stretch from `begin` (at least one character) that
// is no wider than `width`.
template <typename Extent>
size_t LongestFitting(size_t begin, size_t end, int width, const Extent& extent) {
    size_t fits = begin + 1;
    while (fits + 1 < end) {
        size_t middle = fits + (end - fits) / 2;
        if (extent(begin, middle) <= width)
            fits = middle;
        else
            end = middle;
    }
    return fits;
}

int FontKey(const MarkupStyle& style) {
    return style.height << 4 | style.bold | style.italic << 1 | style.underline << 2 | style.strikeOut << 3;
}

}  // namespace

wxBEGIN_EVENT_TABLE(TRichEdit, wxVScrolledWindow)
    EVT_PAINT(TRichEdit::OnPaint)
    EVT_KEY_DOWN(TRichEdit::OnKeyDown)
    EVT_LEFT_DOWN(TRichEdit::OnLeftDown)
    EVT_LEFT_DCLICK(TRichEdit::OnDoubleClick)
    EVT_MOTION(TRichEdit::OnMotion)
    EVT_LEFT_UP(TRichEdit::OnLeftUp)
    EVT_MOUSEWHEEL(TRichEdit::OnWheel)
    EVT_MOUSE_CAPTURE_LOST(TRichEdit::OnCaptureLost)
wxEND_EVENT_TABLE()

TRichEdit::TRichEdit(wxWindow* parent, int id, std::string_view text)
    : wxVScrolledWindow(parent, id, wxDefaultPosition, wxDefaultSize,
                        wxBORDER_THEME | wxFULL_REPAINT_ON_RESIZE) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    SetMarkup(text);
}

bool TRichEdit::SetFont(const wxFont& font) {
    fonts.clear();
    for (LineLayout& layout : layouts)
        layout.width = -1;
    bool changed = wxVScrolledWindow::SetFont(font);
    RefreshAll();
    return changed;
}

void TRichEdit::SetMarkup(std::string_view text) {
    markup = views::SplitMarkupLines(text);
    layouts.assign(markup.lines.size(), LineLayout());
    selectionAnchor = selectionEnd = 0;
    SetRowCount(markup.lines.size());
    ShowFirstLine();
    RefreshAll();
}

void TRichEdit::ShowFirstLine() {
    ScrollToRow(0);
}

wxString TRichEdit::GetValue() const {
    return platform::ToWx(markup.text);
}

wxFont TRichEdit::FontAt(size_t position) const {
    return FontOf(views::StyleAt(markup, position)).font;
}

wxColour TRichEdit::ColourAt(size_t position) const {
    MarkupColour colour = views::StyleAt(markup, position).colour;
    return wxColour(colour.red, colour.green, colour.blue);
}

wxString TRichEdit::GetSelectedText() const {
    size_t begin = std::min(selectionAnchor, selectionEnd);
    size_t end = std::max(selectionAnchor, selectionEnd);
    return platform::ToWx(std::string_view(markup.text).substr(begin, end - begin));
}

// Below the last line is the end of the text; past a row's last piece is
// the row's end, and for a line's last row the line's end.
size_t TRichEdit::PositionAt(wxPoint point) {
    size_t line = GetVisibleRowsBegin();
    int rowTop = 0;
    const int y = std::max(point.y, 0);
    while (y >= rowTop + OnGetRowHeight(line)) {
        if (line + 1 == markup.lines.size())
            return markup.text.size();
        rowTop += OnGetRowHeight(line++);
    }
    const LineLayout& layout = LayoutOf(line);
    int within = y - rowTop - (line == 0 ? margin : 0);
    size_t row = 0;
    while (row + 1 < layout.rows.size() && within >= layout.rows[row].height)
        within -= layout.rows[row++].height;
    const std::vector<Piece>& pieces = layout.rows[row].pieces;
    const int x = point.x - margin;
    for (const Piece& piece : pieces) {
        if (x < piece.x)
            return SpanOf(markup.lines[line], piece.span).begin + piece.begin;
        if (x < piece.x + piece.width)
            return PositionInPiece(line, piece, x - piece.x);
    }
    if (row + 1 < layout.rows.size() && !pieces.empty())
        return SpanOf(markup.lines[line], pieces.back().span).begin + pieces.back().begin +
               pieces.back().length;
    return markup.lines[line].end;
}

// The boundary nearest to `x`, counted from the piece's left edge.
size_t TRichEdit::PositionInPiece(size_t line, const Piece& piece, int x) {
    const views::MarkupSpan& span = SpanOf(markup.lines[line], piece.span);
    const wxString text = LayoutOf(line).texts[piece.span].substr(piece.begin, piece.length);
    wxClientDC dc(this);
    dc.SetFont(FontOf(span.style).font);
    wxArrayInt widths;
    dc.GetPartialTextExtents(text, widths);
    size_t inside = 0;
    for (int before = 0; inside < widths.size() && x >= (before + widths[inside]) / 2; ++inside)
        before = widths[inside];
    return span.begin + piece.begin + inside;
}

wxCoord TRichEdit::OnGetRowHeight(size_t line) const {
    int height = LayoutOf(line).height;
    if (line == 0)
        height += margin;
    if (line + 1 == markup.lines.size())
        height += margin;
    return height;
}

int TRichEdit::WrapWidth() const {
    return std::max(1, GetClientSize().x - 2 * margin);
}

const TRichEdit::LineLayout& TRichEdit::LayoutOf(size_t line) const {
    LineLayout& layout = layouts[line];
    if (layout.width != WrapWidth())
        Wrap(layout, markup.lines[line]);
    return layout;
}

// Breaks the line after blanks where it would pass the right edge; a word
// wider than the pane is broken where the edge falls.
void TRichEdit::Wrap(LineLayout& layout, const views::MarkupLine& line) const {
    const int width = WrapWidth();
    const int tabWidth = FromDIP(tabStep);
    layout.width = width;
    const size_t spans = line.endSpan - line.firstSpan;
    if (layout.texts.size() != spans) {
        layout.texts.clear();
        for (size_t span = 0; span < spans; ++span) {
            const views::MarkupSpan& each = SpanOf(line, span);
            layout.texts.push_back(
                platform::ToWx(std::string_view(markup.text).substr(each.begin, each.length)));
        }
    }
    layout.rows.assign(1, Row());
    int x = 0;
    auto place = [&](size_t span, size_t begin, size_t length, int pieceWidth, const FontInfo& font) {
        Row& row = layout.rows.back();
        row.pieces.push_back({span, begin, length, x, pieceWidth});
        row.height = std::max(row.height, font.height);
        row.ascent = std::max(row.ascent, font.ascent);
        x += pieceWidth;
    };
    auto newRow = [&] {
        layout.rows.emplace_back();
        x = 0;
    };
    for (size_t span = 0; span < spans; ++span) {
        const FontInfo& font = FontOf(SpanOf(line, span).style);
        const wxString& text = layout.texts[span];
        auto extent = [&](size_t begin, size_t end) {
            int w = 0, h = 0;
            GetTextExtent(text.substr(begin, end - begin), &w, &h, nullptr, nullptr, &font.font);
            return w;
        };
        size_t start = 0;
        while (start < text.length()) {
            if (text[start] == '\t') {
                x = (x / tabWidth + 1) * tabWidth;
                ++start;
                continue;
            }
            size_t end = std::min(text.find('\t', start), text.length());
            size_t cut = start;
            int cutWidth = 0;
            while (cut < end) {
                size_t blank = text.find(' ', cut);
                size_t next = blank == wxString::npos || blank >= end ? end : blank + 1;
                int nextWidth = extent(start, next);
                if (x + nextWidth > width && (cut > start || x > 0))
                    break;
                // A blank may hang past the edge; the word itself may not.
                size_t wordEnd = text[next - 1] == ' ' ? next - 1 : next;
                if (nextWidth > width && wordEnd > start && extent(start, wordEnd) > width) {
                    cut = LongestFitting(start, wordEnd, width, extent);
                    cutWidth = extent(start, cut);
                    break;
                }
                cut = next;
                cutWidth = nextWidth;
            }
            if (cut > start)
                place(span, start, cut - start, cutWidth, font);
            if (cut < end)
                newRow();
            start = cut;
        }
    }
    const FontInfo& lineFont = FontOf(spans > 0 ? SpanOf(line, spans - 1).style : line.style);
    layout.height = 0;
    for (Row& row : layout.rows) {
        if (row.height == 0) {
            row.height = lineFont.height;
            row.ascent = lineFont.ascent;
        }
        layout.height += row.height;
    }
}

const views::MarkupSpan& TRichEdit::SpanOf(const views::MarkupLine& line, size_t span) const {
    return markup.spans[line.firstSpan + span];
}

const TRichEdit::FontInfo& TRichEdit::FontOf(const MarkupStyle& style) const {
    auto found = fonts.find(FontKey(style));
    if (found != fonts.end())
        return found->second;
    FontInfo info;
    info.font = GetFont();
    info.font.SetPointSize(style.height > 0 ? style.height : 8);
    info.font.SetWeight(style.bold ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL);
    info.font.SetStyle(style.italic ? wxFONTSTYLE_ITALIC : wxFONTSTYLE_NORMAL);
    info.font.SetUnderlined(style.underline);
    info.font.SetStrikethrough(style.strikeOut);
    int width = 0, height = 0, descent = 0;
    GetTextExtent("Xg", &width, &height, &descent, nullptr, &info.font);
    int leading = height / 4;
    info.height = height + leading;
    info.ascent = height - descent + leading / 2;
    return fonts.emplace(FontKey(style), info).first->second;
}

void TRichEdit::DrawLine(wxDC& dc, size_t line, int top) const {
    for (const Row& row : LayoutOf(line).rows) {
        for (const Piece& piece : row.pieces)
            DrawPiece(dc, line, piece, row, top);
        top += row.height;
    }
}

// The piece in its own colour, the part of it that is selected on the
// highlight.
void TRichEdit::DrawPiece(wxDC& dc, size_t line, const Piece& piece, const Row& row, int top) const {
    const views::MarkupSpan& span = SpanOf(markup.lines[line], piece.span);
    const FontInfo& font = FontOf(span.style);
    const wxString text = LayoutOf(line).texts[piece.span].substr(piece.begin, piece.length);
    const size_t first = span.begin + piece.begin;
    size_t from = std::clamp(std::min(selectionAnchor, selectionEnd), first, first + piece.length) - first;
    size_t to = std::clamp(std::max(selectionAnchor, selectionEnd), first, first + piece.length) - first;
    dc.SetFont(font.font);
    const int x = margin + piece.x;
    const int y = top + row.ascent - font.ascent;
    auto draw = [&](size_t begin, size_t end, int left, const wxColour& colour) {
        if (begin < end) {
            dc.SetTextForeground(colour);
            dc.DrawText(text.substr(begin, end - begin), x + left, y);
        }
    };
    const wxColour own(span.style.colour.red, span.style.colour.green, span.style.colour.blue);
    if (from == to) {
        draw(0, text.length(), 0, own);
        return;
    }
    const int left = from == 0 ? 0 : dc.GetTextExtent(text.substr(0, from)).x;
    const int right = dc.GetTextExtent(text.substr(0, to)).x;
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
    dc.DrawRectangle(x + left, top, right - left, row.height);
    draw(0, from, 0, own);
    draw(from, to, left, wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT));
    draw(to, text.length(), right, own);
}

void TRichEdit::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const wxRect update = GetUpdateRegion().GetBox();
    int top = 0;
    for (size_t line = GetVisibleRowsBegin(); line < GetVisibleRowsEnd() && top <= update.GetBottom();
         ++line) {
        int height = OnGetRowHeight(line);
        if (top + height > update.GetTop())
            DrawLine(dc, line, line == 0 ? top + margin : top);
        top += height;
    }
}

void TRichEdit::OnKeyDown(wxKeyEvent& event) {
    const bool control = event.ControlDown();
    switch (event.GetKeyCode()) {
    case WXK_UP: ScrollRows(-1); return;
    case WXK_DOWN: ScrollRows(1); return;
    case WXK_PAGEUP: ScrollToRow(PageAbove()); return;
    case WXK_PAGEDOWN: ScrollRowPages(1); return;
    case WXK_HOME: ScrollToRow(0); return;
    case WXK_END: ScrollToRow(markup.lines.size() - 1); return;
    case 'A':
        if (control) {
            Select(0, markup.text.size());
            return;
        }
        break;
    case 'C':
    case WXK_INSERT:
        if (control) {
            CopySelection();
            return;
        }
        break;
    default: break;
    }
    event.Skip();
}

// The top line that leaves the present top line at the bottom: the
// toolkit's own page up can stay where it is.
size_t TRichEdit::PageAbove() const {
    size_t top = GetVisibleRowsBegin();
    if (top == 0)
        return 0;
    int room = GetClientSize().y - OnGetRowHeight(top);
    size_t above = top;
    while (above > 0 && OnGetRowHeight(above - 1) <= room)
        room -= OnGetRowHeight(--above);
    return above == top ? top - 1 : above;
}

void TRichEdit::Select(size_t anchor, size_t end) {
    selectionAnchor = anchor;
    selectionEnd = end;
    Refresh();
}

void TRichEdit::CopySelection() const {
    wxString text = GetSelectedText();
    if (text.empty() || !wxTheClipboard->Open())
        return;
    wxTheClipboard->SetData(new wxTextDataObject(text));
    wxTheClipboard->Close();
}

void TRichEdit::OnLeftDown(wxMouseEvent& event) {
    SetFocus();
    size_t position = PositionAt(event.GetPosition());
    Select(event.ShiftDown() ? selectionAnchor : position, position);
    if (!HasCapture())
        CaptureMouse();
}

// The word under the pointer: letters, digits and the accented letters of
// the upper half of the code page.
void TRichEdit::OnDoubleClick(wxMouseEvent& event) {
    auto inWord = [&](size_t position) {
        unsigned char c = static_cast<unsigned char>(markup.text[position]);
        return std::isalnum(c) || c >= 0xC0;
    };
    size_t begin = PositionAt(event.GetPosition());
    size_t end = begin;
    while (begin > 0 && inWord(begin - 1))
        --begin;
    while (end < markup.text.size() && inWord(end))
        ++end;
    Select(begin, end);
}

// Dragging past the top or bottom edge scrolls a line at a time.
void TRichEdit::OnMotion(wxMouseEvent& event) {
    if (!HasCapture() || !event.LeftIsDown())
        return;
    int y = event.GetY();
    if (y < 0)
        ScrollRows(-1);
    else if (y >= GetClientSize().y)
        ScrollRows(1);
    y = std::clamp(y, 0, std::max(0, GetClientSize().y - 1));
    Select(selectionAnchor, PositionAt(wxPoint(event.GetX(), y)));
}

void TRichEdit::OnLeftUp(wxMouseEvent&) {
    if (HasCapture())
        ReleaseMouse();
}

// Fine-stepped wheels add up to whole lines.
void TRichEdit::OnWheel(wxMouseEvent& event) {
    if (event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL || event.GetWheelDelta() <= 0)
        return;
    wheelRotation += event.GetWheelRotation();
    int steps = wheelRotation / event.GetWheelDelta();
    wheelRotation -= steps * event.GetWheelDelta();
    ScrollRows(-steps * event.GetLinesPerAction());
}

void TRichEdit::OnCaptureLost(wxMouseCaptureLostEvent&) {}

}  // namespace vorlen
