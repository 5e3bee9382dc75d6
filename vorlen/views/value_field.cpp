#include "value_field.h"

#include <wx/control.h>
#include <wx/dcbuffer.h>
#include <wx/settings.h>

namespace vorlen {

TValueField::TValueField(wxWindow* parent, int id)
    : wxWindow(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &TValueField::OnPaint, this);
}

void TValueField::SetLabel(const wxString& label) {
    if (label == text)
        return;
    text = label;
    Refresh();
}

void TValueField::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    wxRect rect(GetClientSize());
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    // The sunken edge: shadow above and left, light below and right.
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
    dc.DrawLine(rect.GetLeft(), rect.GetBottom(), rect.GetLeft(), rect.GetTop());
    dc.DrawLine(rect.GetLeft(), rect.GetTop(), rect.GetRight() + 1, rect.GetTop());
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT)));
    dc.DrawLine(rect.GetLeft() + 1, rect.GetBottom(), rect.GetRight(), rect.GetBottom());
    dc.DrawLine(rect.GetRight(), rect.GetBottom(), rect.GetRight(), rect.GetTop());
    wxRect inside = rect.Deflate(FromDIP(3), 1);
    dc.SetFont(GetFont());
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
    dc.SetClippingRegion(inside);
    dc.DrawLabel(wxControl::Ellipsize(text, dc, wxELLIPSIZE_END, inside.width), inside,
                 wxALIGN_LEFT | wxALIGN_CENTRE_VERTICAL);
}

}  // namespace vorlen
