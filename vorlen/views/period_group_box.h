// The "Period Type" group of the event properties dialog: one radio button
// per period. Every check made through it, by the user or by the program,
// is passed on to its owner with the radio's id.
#pragma once

#include "vorlen/core/event_node.h"

#include <wx/statbox.h>

#include <functional>

class wxSizer;

namespace vorlen {

// Ids of the group and its radios.
enum PeriodRadioId : int {
    periodGroup = 106,
    periodOnceOff = 101,
    periodDaily = 112,
    periodWeekly = 107,
    periodBiweekly = 108,
    periodMonthlyByDay = 109,
    periodMonthlyByPosition = 110,
    periodYearly = 111,
};

// The period a radio stands for, and back; unknown values give Once Off.
PeriodKind PeriodOfRadio(int radioId);
int RadioOfPeriod(int32_t period);

class TPeriodGroupBox : public wxStaticBox {
public:
    using SelectionHandler = std::function<void(int radioId)>;

    // The radios are created inside the box; `selected` hears of every
    // selection.
    TPeriodGroupBox(wxWindow* parent, SelectionHandler selected);

    // The box with its radios laid out, for the owner's sizer.
    wxSizer* MakeSizer();

    // Checks `radioId` (one of the group's) and tells the owner, as a
    // click does.
    void Select(int radioId);
    // The radio checked now.
    int Selected() const;

private:
    void OnRadio(wxCommandEvent& event);

    SelectionHandler selected_;
};

}  // namespace vorlen
