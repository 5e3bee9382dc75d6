// The drop-down calendar of the event dialog's date fields: a month
// calendar in pop-up mode under the field whose button was pressed. A day
// clicked goes to the field and closes it; a click elsewhere closes it with
// nothing picked.
#pragma once

#include "vorlen/views/calendar_control.h"

#include <wx/popupwin.h>

#include <functional>

namespace vorlen {

inline constexpr int calPopupId = 1368;

class TCalPopup : public wxPopupTransientWindow {
public:
    using Picked = std::function<void(const Date&)>;
    TCalPopup(wxWindow* owner, Picked picked);

    // Shows the calendar at `field`'s lower left corner, on `preset` when
    // that is a valid date, else on the day it showed last.
    void DropDownUnder(wxWindow* field, const Date& preset);
    TCal* Calendar() const { return calendar; }

private:
    void OnDayClicked(wxCommandEvent& event);

    TCal* calendar;
    Picked picked;
};

// An opener for TEventEditDlg::SetCalendarOpener: the pop-up is made on
// first use as a child of `owner` and lives with it.
std::function<void(wxWindow* field, const Date& preset)> DropDownCalendarOpener(wxWindow* owner,
                                                                                TCalPopup::Picked picked);

}  // namespace vorlen
