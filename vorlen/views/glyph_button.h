// A small button with a static edge that shows an arrow glyph instead of a
// label: the calendar's month and year arrows. Drawn by itself, so that it
// keeps its 14 x 16 size, which the toolkit's own buttons outgrow.
#pragma once

#include <wx/control.h>

namespace vorlen {

class TGlyphButton : public wxControl {
public:
    enum class Glyph { leftArrow, rightArrow };

    TGlyphButton(wxWindow* parent, int id, Glyph glyph, const wxPoint& position, const wxSize& size);

    bool AcceptsFocus() const override { return false; }
    Glyph GetGlyph() const { return glyph; }

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    // No mouse capture: the button also sits in a pop-up that holds the
    // pointer grab itself. Leaving the button cancels a press.
    void OnLeave(wxMouseEvent& event);

    Glyph glyph;
    bool pressed = false;
    wxDECLARE_EVENT_TABLE();
};

}  // namespace vorlen
