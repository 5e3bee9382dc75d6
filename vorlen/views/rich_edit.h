// The day view's read-only text pane. The marked-up reminder text is cut
// once into lines of styled runs; only the lines in sight are laid out
// (wrapped at the pane's width) and drawn, so that a day with tens of
// thousands of warning lines opens as fast as a day with a few. Keys:
// arrows, Page Up/Down, Home and End scroll; dragging the mouse selects
// characters (Shift extends, a double click takes a word), Ctrl+A selects
// all, Ctrl+C copies the selection.
#pragma once

#include "vorlen/views/markup_lines.h"

#include <wx/vscroll.h>

#include <map>
#include <string_view>
#include <vector>

namespace vorlen {

class TRichEdit : public wxVScrolledWindow {
public:
    // Starts with the marked-up `text`, as SetMarkup shows it.
    TRichEdit(wxWindow* parent, int id, std::string_view text);

    // Shows the marked-up `text` in place of what was there, from its
    // first line, with nothing selected.
    void SetMarkup(std::string_view text);
    void ShowFirstLine();
    // The runs take this font's face, in their own sizes and styles.
    bool SetFont(const wxFont& font) override;

    // The text without its codes, lines joined by "\n".
    wxString GetValue() const;
    int GetNumberOfLines() const { return static_cast<int>(markup.lines.size()); }
    // What the character at `position` of GetValue is drawn in.
    wxFont FontAt(size_t position) const;
    wxColour ColourAt(size_t position) const;
    // The selected characters, lines joined by "\n"; empty when none.
    wxString GetSelectedText() const;
    // The position in GetValue of the character boundary nearest to the
    // point (in the pane's client coordinates).
    size_t PositionAt(wxPoint point);

private:
    // A stretch of one span drawn on one wrapped row.
    struct Piece {
        size_t span = 0;  // within the line
        size_t begin = 0;
        size_t length = 0;
        int x = 0;
        int width = 0;
    };
    struct Row {
        std::vector<Piece> pieces;
        int height = 0;
        int ascent = 0;
    };
    // One line wrapped at `width`; made when the line first comes in sight.
    struct LineLayout {
        int width = -1;
        std::vector<wxString> texts;  // of the line's spans
        std::vector<Row> rows;
        int height = 0;
    };
    struct FontInfo {
        wxFont font;
        int height = 0;
        int ascent = 0;
    };

    wxCoord OnGetRowHeight(size_t line) const override;
    int WrapWidth() const;
    const LineLayout& LayoutOf(size_t line) const;
    void Wrap(LineLayout& layout, const views::MarkupLine& line) const;
    const views::MarkupSpan& SpanOf(const views::MarkupLine& line, size_t span) const;
    const FontInfo& FontOf(const MarkupStyle& style) const;
    size_t PositionInPiece(size_t line, const Piece& piece, int x);
    size_t PageAbove() const;
    void DrawLine(wxDC& dc, size_t line, int top) const;
    void DrawPiece(wxDC& dc, size_t line, const Piece& piece, const Row& row, int top) const;
    void Select(size_t anchor, size_t end);
    void CopySelection() const;

    void OnPaint(wxPaintEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnDoubleClick(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);

    views::MarkupText markup;
    mutable std::vector<LineLayout> layouts;
    mutable std::map<int, FontInfo> fonts;
    size_t selectionAnchor = 0;  // positions in markup.text; equal when none
    size_t selectionEnd = 0;
    int wheelRotation = 0;
    wxDECLARE_EVENT_TABLE();
};

}  // namespace vorlen
