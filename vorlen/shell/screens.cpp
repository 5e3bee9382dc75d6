#include "screens.h"

#include "vorlen/shell/title_screen.h"

#include <wx/panel.h>
#include <wx/settings.h>

namespace vorlen {

wxWindow* MakeScreenWindow(ScreenId screen, wxWindow* frame, int /*hostKind*/) {
    if (screen == ScreenTitle)
        return new TMainWindow(frame);
    // The information tree, event list, calendar and day view are not built
    // yet: an empty client window stands in for them.
    auto* empty = new wxPanel(frame, wxID_ANY);
    empty->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    return empty;
}

}  // namespace vorlen
