#include "glyph_button.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

namespace vorlen {
namespace {

// The arrow of the 7 x 9 glyph, pointing left; mirrored for the right arrow.
constexpr int glyphWidth = 7;
constexpr int glyphHeight = 9;

void DrawBevel(wxDC& dc, const wxRect& r, bool sunken) {
    wxColour light = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT);
    wxColour dark = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW);
    dc.SetPen(wxPen(sunken ? dark : light));
    dc.DrawLine(r.GetLeft(), r.GetBottom(), r.GetLeft(), r.GetTop());
    dc.DrawLine(r.GetLeft(), r.GetTop(), r.GetRight(), r.GetTop());
    dc.SetPen(wxPen(sunken ? light : dark));
    dc.DrawLine(r.GetRight(), r.GetTop(), r.GetRight(), r.GetBottom());
    dc.DrawLine(r.GetRight(), r.GetBottom(), r.GetLeft() - 1, r.GetBottom());
}

}  // namespace

wxBEGIN_EVENT_TABLE(TGlyphButton, wxControl)
    EVT_PAINT(TGlyphButton::OnPaint)
    EVT_LEFT_DOWN(TGlyphButton::OnLeftDown)
    EVT_LEFT_DCLICK(TGlyphButton::OnLeftDown)
    EVT_LEFT_UP(TGlyphButton::OnLeftUp)
    EVT_LEAVE_WINDOW(TGlyphButton::OnLeave)
wxEND_EVENT_TABLE()

TGlyphButton::TGlyphButton(wxWindow* parent, int id, Glyph glyph, const wxPoint& position, const wxSize& size)
    : wxControl(parent, id, position, size, wxBORDER_STATIC), glyph(glyph) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
}

void TGlyphButton::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    wxRect client(GetClientSize());
    DrawBevel(dc, client, pressed);
    int shift = pressed ? 1 : 0;
    int left = (client.width - glyphWidth) / 2 + shift;
    int top = (client.height - glyphHeight) / 2 + shift;
    // A filled triangle 4 wide and 7 high inside the 7 x 9 glyph.
    int tip = glyph == Glyph::leftArrow ? left + 1 : left + 5;
    int base = glyph == Glyph::leftArrow ? left + 5 : left + 1;
    wxPoint arrow[] = {{tip, top + 4}, {base, top + 1}, {base, top + 7}};
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(*wxBLACK_BRUSH);
    dc.DrawPolygon(3, arrow);
}

void TGlyphButton::OnLeftDown(wxMouseEvent&) {
    pressed = true;
    Refresh();
}

void TGlyphButton::OnLeftUp(wxMouseEvent& event) {
    if (!pressed)
        return;
    pressed = false;
    Refresh();
    if (wxRect(GetClientSize()).Contains(event.GetPosition())) {
        wxCommandEvent click(wxEVT_BUTTON, GetId());
        click.SetEventObject(this);
        ProcessWindowEvent(click);
    }
}

void TGlyphButton::OnLeave(wxMouseEvent&) {
    pressed = false;
    Refresh();
}

}  // namespace vorlen
