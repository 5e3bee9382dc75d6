// The "Event Properties" dialog: creates a new event or edits one, on two
// tab pages ("General Settings", "Advanced"). OK checks the fields in a
// fixed order, stores them into the event and marks the data changed;
// ShowModal then gives wxID_OK, and the event is in the list (a new one
// last). Cancel changes nothing and gives wxID_CANCEL.
#pragma once

#include "vorlen/core/event_list.h"
#include "vorlen/core/type_list.h"
#include "vorlen/store/data_file.h"
#include "vorlen/views/event_form.h"

#include <wx/dialog.h>

#include <functional>

class wxBookCtrlEvent;
class wxCheckBox;
class wxChoice;
class wxComboBox;
class wxTextCtrl;

namespace vorlen {

class TPeriodGroupBox;

// Control ids of the dialog. The period radios and their group are in
// period_group_box.h.
enum EventEditControl : int {
    eventOk = 1,
    eventCancel = 2,
    eventHelp = 9,
    eventDescription = 105,
    eventWhere = 7684,
    eventCategory = 128,
    eventStartDate = 113,
    eventStartCalendar = 115,
    eventStartTime = 123,
    eventFinishDate = 116,
    eventFinishCalendar = 4560,
    eventFinishTime = 125,
    eventWarningDays = 127,
    eventPeriodText = 32222,
    eventEvery = 102,
    eventPositionOrdinal = 103,
    eventPositionOf = 126,
    eventPositionMonth = 131,
    eventExpiresLabel = 3334,
    eventExpires = 114,
    eventExpiresCalendar = 117,
    eventAutoDelete = 135,
    eventAlarmLabel = 3400,
    eventAlarm = 3439,
    eventAlarmMinutes = 3401,
    eventSoundLabel = 3405,
    eventSound = 3459,
    eventBrowse = 8664,
    eventTabs = 104,
    // Labels without an id of their own.
    eventDescriptionLabel = 200,
    eventWhereLabel = 201,
    eventCategoryLabel = 202,
    eventStartDateLabel = 203,
    eventStartTimeLabel = 204,
    eventFinishDateLabel = 205,
    eventFinishTimeLabel = 206,
    eventWarningLabel = 207,
    eventWarningAfterLabel = 208,
    eventExtraLabel = 209,
    // The dialog's own ids 32800-32803 and 45432 are above what wx accepts
    // (32767); the windows carry these instead (see the k...ResourceId
    // constants below).
    eventEveryLabel = 32700,
    eventEveryDaysLabel = 32701,
    eventPositionThe = 32702,
    eventPositionWeekday = 32703,
    eventExtraInfo = 32704,
};
inline constexpr int kEveryLabelResourceId = 32800;
inline constexpr int kEveryDaysLabelResourceId = 32801;
inline constexpr int kPositionTheResourceId = 32802;
inline constexpr int kPositionWeekdayResourceId = 32803;
inline constexpr int kExtraInfoResourceId = 45432;

// The bitmap of the three calendar buttons.
inline constexpr int calendarButtonBitmapId = 156;

// Which date field a picked date goes to.
enum PickTarget : int { pickStartDate = 0, pickFinishDate = 1, pickExpiryDate = 2 };

// What the open dialog shares with the data it edits.
struct EventEditData {
    Eventlist& events;
    Typelist& types;
    store::DataFile& file;
};

class TEventEditDlg : public wxDialog {
public:
    // For a new event, proposing `today`'s date unless SetDate gives one.
    TEventEditDlg(wxWindow* parent, EventEditData data, const Date& today = Date::Today());

    // Each setter fills the fields afresh. A date that is not valid (or
    // whose day is -1) counts as none; the time counts only with a date.
    void SetDate(int32_t day, int32_t month, int32_t year);
    void SetTime(int32_t hour, int32_t minute);
    // Edits `event` (which lives in the event list) instead of adding one.
    void SetEvent(EventNode* event);

    // Shows tab page `index` (0 general, 1 advanced); any other index is
    // reported as an error.
    void ShowTabPage(int index);
    // The radio id of the period selected last (0 before any).
    int SelectedPeriodId() const { return selectedPeriodId; }
    int PickTargetField() const { return pickTarget; }

    // The drop-down calendar: a calendar button sets the target field and
    // calls the opener with the field's date (the empty date when it holds
    // none). The dialog installs the drop-down calendar (date_picker.h);
    // tests may put their own opener in its place.
    using CalendarOpener = std::function<void(wxWindow* field, const Date& preset)>;
    void SetCalendarOpener(CalendarOpener opener) { openCalendar = std::move(opener); }
    // What the calendar calls with the picked day: the target field shows it.
    void PickDate(const Date& date);

private:
    wxWindow* BuildGeneralPage(wxWindow* tabs);
    wxWindow* BuildAdvancedPage(wxWindow* tabs);
    wxSizer* BuildDateRows(wxWindow* page);
    wxSizer* BuildPeriodSettings(wxWindow* page);
    void Preset();
    void ClearFields();
    void PresetFromEvent(const EventNode& event);
    void FitToLargestPeriodSettings();

    void OnPeriodSelected(int radioId);
    void ShowPeriodSettings(int radioId);
    void RefreshPeriodDescription();
    void EnableAlarmControls(bool enable);
    views::EventForm ReadForm() const;
    void ShowError(const std::string& text, long icon = wxICON_NONE);

    void OnOk(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);
    void OnContextHelp(wxHelpEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnBrowseSound(wxCommandEvent& event);
    void OnCalendarButton(wxCommandEvent& event);
    void OnTabChanged(wxBookCtrlEvent& event);
    void OnCategoryLeft(wxFocusEvent& event);
    void OnStartDateLeft(wxFocusEvent& event);
    void OnFinishDateLeft(wxFocusEvent& event);
    void OnStartTimeLeft(wxFocusEvent& event);
    void OnFinishTimeLeft(wxFocusEvent& event);
    void OnClose(wxCloseEvent& event);

    wxTextCtrl* Edit(int id) const;
    wxChoice* Choice(int id) const;
    wxComboBox* CategoryBox() const;
    wxCheckBox* AutoDeleteBox() const;
    // Rewrites a date field in its weekday form; false (after telling the
    // user) when it does not hold a real date. An empty field is left alone.
    bool CheckDateField(int id, Date* read);

    EventEditData data;
    Date today;
    Date givenDate;
    Time givenTime;
    EventNode* editEvent = nullptr;
    EventNode* currentEvent = nullptr;
    int selectedPeriodId = 0;
    int pickTarget = pickStartDate;
    CalendarOpener openCalendar;
    TPeriodGroupBox* periodBox = nullptr;
    wxDECLARE_EVENT_TABLE();
};

}  // namespace vorlen
