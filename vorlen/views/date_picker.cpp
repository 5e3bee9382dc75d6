#include "date_picker.h"

namespace vorlen {

namespace {
constexpr int popupSide = 180;
}

TCalPopup::TCalPopup(wxWindow* owner, Picked picked)
    : wxPopupTransientWindow(owner, wxBORDER_NONE), picked(std::move(picked)) {
    wxSize side = FromDIP(wxSize(popupSide, popupSide));
    calendar = new TCal(this, calPopupId, wxPoint(0, 0), side, childModePopup);
    SetClientSize(side);
    calendar->Bind(CalDateChanged, &TCalPopup::OnDayClicked, this);
}

void TCalPopup::DropDownUnder(wxWindow* field, const Date& preset) {
    if (preset.IsValid())
        calendar->SetDate(preset);
    Position(field->GetScreenPosition(), wxSize(0, field->GetSize().y));
    Popup(calendar);
}

void TCalPopup::OnDayClicked(wxCommandEvent&) {
    Date day = calendar->GetDate();
    Dismiss();
    if (picked)
        picked(day);
}

std::function<void(wxWindow*, const Date&)> DropDownCalendarOpener(wxWindow* owner, TCalPopup::Picked picked) {
    TCalPopup* popup = nullptr;
    return [owner, picked = std::move(picked), popup](wxWindow* field, const Date& preset) mutable {
        if (!popup)
            popup = new TCalPopup(owner, picked);
        popup->DropDownUnder(field, preset);
    };
}

}  // namespace vorlen
