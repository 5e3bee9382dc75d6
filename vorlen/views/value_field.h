// A read-only line of text in a sunken frame, as the information tree's
// details show their values: the text is cut off with "..." where it does
// not fit. The frame is drawn here because the toolkit's label cannot
// carry one on every platform.
#pragma once

#include <wx/window.h>

namespace vorlen {

class TValueField : public wxWindow {
public:
    TValueField(wxWindow* parent, int id);

    void SetLabel(const wxString& text) override;
    wxString GetLabel() const override { return text; }
    // Read only: the keyboard passes it by.
    bool AcceptsFocus() const override { return false; }

private:
    void OnPaint(wxPaintEvent& event);

    wxString text;
};

}  // namespace vorlen
