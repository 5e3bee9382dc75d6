#include "period_group_box.h"

#include <wx/radiobut.h>
#include <wx/sizer.h>

namespace vorlen {
namespace {

struct PeriodRadio {
    int id;
    const char* label;
    PeriodKind period;
};

// In the order the group shows them (and Tab visits them).
constexpr PeriodRadio radios[] = {
    {periodOnceOff, "&Once Off", PeriodOnceOff},
    {periodDaily, "D&aily", PeriodDaily},
    {periodWeekly, "Wee&kly", PeriodWeekly},
    {periodBiweekly, "&Biweekly", PeriodBiweekly},
    {periodMonthlyByDay, "Monthly By Da&y", PeriodMonthlyByDay},
    {periodMonthlyByPosition, "Monthly by &Position", PeriodMonthlyByPosition},
    {periodYearly, "Y&early", PeriodYearly},
};

}  // namespace

PeriodKind PeriodOfRadio(int radioId) {
    for (const PeriodRadio& radio : radios)
        if (radio.id == radioId)
            return radio.period;
    return PeriodOnceOff;
}

int RadioOfPeriod(int32_t period) {
    for (const PeriodRadio& radio : radios)
        if (radio.period == period)
            return radio.id;
    return periodOnceOff;
}

TPeriodGroupBox::TPeriodGroupBox(wxWindow* parent, SelectionHandler selected)
    : wxStaticBox(parent, periodGroup, "Period Type"), selected_(std::move(selected)) {
    bool first = true;
    for (const PeriodRadio& radio : radios) {
        auto* button = new wxRadioButton(this, radio.id, radio.label, wxDefaultPosition, wxDefaultSize,
                                         first ? wxRB_GROUP : 0);
        button->Bind(wxEVT_RADIOBUTTON, &TPeriodGroupBox::OnRadio, this);
        first = false;
    }
}

wxSizer* TPeriodGroupBox::MakeSizer() {
    auto* sizer = new wxStaticBoxSizer(this, wxVERTICAL);
    auto* grid = new wxFlexGridSizer(2, FromDIP(4), FromDIP(12));
    for (const PeriodRadio& radio : radios)
        grid->Add(FindWindow(radio.id));
    sizer->Add(grid, 0, wxALL, FromDIP(6));
    return sizer;
}

void TPeriodGroupBox::Select(int radioId) {
    auto* button = dynamic_cast<wxRadioButton*>(FindWindow(radioId));
    if (!button)
        return;
    button->SetValue(true);
    selected_(radioId);
}

int TPeriodGroupBox::Selected() const {
    for (const PeriodRadio& radio : radios) {
        auto* button = static_cast<wxRadioButton*>(FindWindow(radio.id));
        if (button->GetValue())
            return radio.id;
    }
    return periodOnceOff;
}

void TPeriodGroupBox::OnRadio(wxCommandEvent& event) {
    selected_(event.GetId());
}

}  // namespace vorlen
