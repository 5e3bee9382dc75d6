#include "event_edit_dialog.h"

#include "date_picker.h"
#include "period_group_box.h"

#include "vorlen/platform/help.h"
#include "vorlen/platform/help_topics.h"
#include "vorlen/platform/wx_text.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

#include <iterator>
#include <utility>

namespace vorlen {
namespace {

using platform::FromWx;
using platform::ToWx;
using views::LimitedText;

// The length of an appointment whose finish nobody typed.
constexpr int defaultAppointmentMinutes = 30;

// Sounds that the alarm's player (libcanberra) plays.
constexpr char soundFilter[] = "Sound Files (*.WAV;*.OGG;*.OGA)|*.WAV;*.OGG;*.OGA|All Files (*.*)|*";

constexpr char calendarSvg[] =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\" viewBox=\"0 0 16 16\">"
    "<rect x=\"1.5\" y=\"2.5\" width=\"13\" height=\"12\" fill=\"#fff\" stroke=\"#333\"/>"
    "<rect x=\"2\" y=\"3\" width=\"12\" height=\"3\" fill=\"#b22\"/>"
    "<g fill=\"#333\"><rect x=\"4\" y=\"8\" width=\"2\" height=\"2\"/><rect x=\"7\" y=\"8\" width=\"2\" "
    "height=\"2\"/><rect x=\"10\" y=\"8\" width=\"2\" height=\"2\"/><rect x=\"4\" y=\"11\" width=\"2\" "
    "height=\"2\"/><rect x=\"7\" y=\"11\" width=\"2\" height=\"2\"/></g></svg>";

constexpr int alarmControls[] = {eventAlarmLabel, eventAlarm, eventAlarmMinutes,
                                 eventSoundLabel, eventSound, eventBrowse};
constexpr int expiryControls[] = {eventExpiresLabel, eventExpires, eventExpiresCalendar};
constexpr int generalControls[] = {
    eventDescriptionLabel, eventDescription,    eventWhereLabel,        eventWhere,
    eventCategoryLabel,    eventCategory,       eventStartDateLabel,    eventStartDate,
    eventStartCalendar,    eventStartTimeLabel, eventStartTime,         eventFinishDateLabel,
    eventFinishDate,       eventFinishCalendar, eventFinishTimeLabel,   eventFinishTime,
    eventWarningLabel,     eventWarningDays,    eventWarningAfterLabel, periodGroup};
constexpr int periodTextControls[] = {eventPeriodText};
constexpr int everyControls[] = {eventEveryLabel, eventEvery, eventEveryDaysLabel};
constexpr int positionControls[] = {eventPositionThe, eventPositionOrdinal, eventPositionWeekday,
                                    eventPositionOf, eventPositionMonth};
constexpr int advancedControls[] = {eventExpiresLabel, eventExpires, eventExpiresCalendar, eventAutoDelete,
                                    eventAlarmLabel,   eventAlarm,   eventAlarmMinutes,    eventSoundLabel,
                                    eventSound,        eventBrowse,  eventExtraLabel,      eventExtraInfo};

struct HelpOfControl {
    int id;
    help::Topic topic;
};
constexpr HelpOfControl controlHelp[] = {
    {periodOnceOff, help::eventPeriod},
    {periodDaily, help::eventPeriod},
    {periodWeekly, help::eventPeriod},
    {periodBiweekly, help::eventPeriod},
    {periodMonthlyByDay, help::eventPeriod},
    {periodMonthlyByPosition, help::eventPeriod},
    {periodYearly, help::eventPeriod},
    {eventEvery, help::eventEvery},
    {eventPositionOrdinal, help::eventPosition},
    {eventPositionWeekday, help::eventPosition},
    {eventPositionMonth, help::eventPosition},
    {eventDescription, help::eventDescription},
    {eventCategory, help::eventCategory},
    {eventWhere, help::eventWhere},
    {eventWarningDays, help::eventWarning},
    {eventStartDate, help::eventStart},
    {eventStartCalendar, help::eventStart},
    {eventStartTime, help::eventStart},
    {eventFinishDate, help::eventFinish},
    {eventFinishCalendar, help::eventFinish},
    {eventFinishTime, help::eventFinish},
    {eventExpires, help::eventExpires},
    {eventExpiresCalendar, help::eventExpires},
    {eventAutoDelete, help::eventAutoDelete},
    {eventExtraInfo, help::eventExtra},
    {eventSound, help::eventSound},
    {eventBrowse, help::eventSound},
    {eventAlarm, help::eventAlarm},
};

const char* const ordinalNames[] = {"First", "Second", "Third", "Fourth", "Fifth"};

template <size_t N>
void ShowAll(wxWindow* dialog, const int (&ids)[N], bool show) {
    for (int id : ids)
        dialog->FindWindow(id)->Show(show);
}

template <size_t N>
void EnableAll(wxWindow* dialog, const int (&ids)[N], bool enable) {
    for (int id : ids)
        dialog->FindWindow(id)->Enable(enable);
}

wxStaticText* Label(wxWindow* parent, int id, const char* text) {
    return new wxStaticText(parent, id, text);
}

// A one-line edit wide enough for `sample` at any scale.
wxTextCtrl* MakeEdit(wxWindow* parent, int id, const char* sample, std::size_t limit = views::kEventTextLimit,
                     const wxValidator& validator = wxDefaultValidator) {
    auto* edit = new wxTextCtrl(parent, id, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0, validator);
    edit->SetMaxLength(static_cast<unsigned long>(limit));
    if (sample)
        edit->SetMinSize(wxSize(edit->GetSizeFromTextSize(edit->GetTextExtent(sample).x).x, -1));
    return edit;
}

wxTextCtrl* DigitsEdit(wxWindow* parent, int id) {
    return MakeEdit(parent, id, "00000", views::kEventTextLimit, wxTextValidator(wxFILTER_DIGITS));
}

wxChoice* List(wxWindow* parent, int id, const char* const* first, const char* const* last,
               const char* lead = nullptr) {
    auto* list = new wxChoice(parent, id);
    if (lead)
        list->Append(lead);
    for (; first != last; ++first)
        list->Append(*first);
    return list;
}

wxButton* CalendarButton(wxWindow* parent, int id) {
    static const wxBitmapBundle picture = wxBitmapBundle::FromSVG(calendarSvg, wxSize(16, 16));
    auto* button = new wxBitmapButton(parent, id, picture);
    button->SetToolTip("Pick a date");
    return button;
}

wxString DateText(const Date& date) {
    return ToWx(date.WeekdayText());
}

}  // namespace

wxBEGIN_EVENT_TABLE(TEventEditDlg, wxDialog)
    EVT_BUTTON(eventOk, TEventEditDlg::OnOk)
    EVT_BUTTON(eventCancel, TEventEditDlg::OnCancel)
    EVT_BUTTON(eventHelp, TEventEditDlg::OnHelp)
    EVT_BUTTON(eventBrowse, TEventEditDlg::OnBrowseSound)
    EVT_BUTTON(eventStartCalendar, TEventEditDlg::OnCalendarButton)
    EVT_BUTTON(eventFinishCalendar, TEventEditDlg::OnCalendarButton)
    EVT_BUTTON(eventExpiresCalendar, TEventEditDlg::OnCalendarButton)
    EVT_HELP(wxID_ANY, TEventEditDlg::OnContextHelp)
    EVT_CHAR_HOOK(TEventEditDlg::OnCharHook)
    EVT_CLOSE(TEventEditDlg::OnClose)
wxEND_EVENT_TABLE()

TEventEditDlg::TEventEditDlg(wxWindow* parent, EventEditData data, const Date& today)
    : data(data), today(today) {
    SetExtraStyle(GetExtraStyle() | wxDIALOG_EX_CONTEXTHELP);
    Create(parent, wxID_ANY, "Event Properties");

    auto* tabs = new wxNotebook(this, eventTabs);
    tabs->AddPage(BuildGeneralPage(tabs), "General Settings");
    tabs->AddPage(BuildAdvancedPage(tabs), "Advanced");
    tabs->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &TEventEditDlg::OnTabChanged, this);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, eventOk, "OK");
    ok->SetDefault();
    buttons->Add(ok, 0, wxRIGHT, FromDIP(6));
    buttons->Add(new wxButton(this, eventCancel, "Cancel"), 0, wxRIGHT, FromDIP(6));
    buttons->Add(new wxButton(this, eventHelp, "&Help"));

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(tabs, 1, wxEXPAND | wxALL, FromDIP(8));
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(8));
    SetSizer(sizer);
    SetAffirmativeId(eventOk);
    SetEscapeId(eventCancel);

    FitToLargestPeriodSettings();
    Preset();
    SetCalendarOpener(DropDownCalendarOpener(this, [this](const Date& day) { PickDate(day); }));
    ShowTabPage(0);
    Centre();
}

wxWindow* TEventEditDlg::BuildGeneralPage(wxWindow* tabs) {
    auto* page = new wxPanel(tabs);
    const int gap = FromDIP(6);
    auto* fields = new wxFlexGridSizer(2, gap, gap);
    fields->AddGrowableCol(1);
    fields->Add(Label(page, eventDescriptionLabel, "&Description:"), 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(MakeEdit(page, eventDescription, "An appointment with the dentist"), 1, wxEXPAND);
    fields->Add(Label(page, eventWhereLabel, "&Where:"), 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(MakeEdit(page, eventWhere, nullptr, views::kLocationLimit), 1, wxEXPAND);
    fields->Add(Label(page, eventCategoryLabel, "&Category:"), 0, wxALIGN_CENTER_VERTICAL);
    auto* category = new wxComboBox(page, eventCategory, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0,
                                    nullptr, wxCB_DROPDOWN | wxCB_SORT);
    for (const TypeNode& type : data.types)
        category->Append(ToWx(type.name.view()));
    fields->Add(category, 1, wxEXPAND);
    // Created in the order Tab visits them.
    wxSizer* dates = BuildDateRows(page);

    auto* warning = new wxBoxSizer(wxHORIZONTAL);
    warning->Add(Label(page, eventWarningLabel, "Show &Reminders beginning"), 0,
                 wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    warning->Add(DigitsEdit(page, eventWarningDays), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    warning->Add(Label(page, eventWarningAfterLabel, "days beforehand"), 0, wxALIGN_CENTER_VERTICAL);

    periodBox = new TPeriodGroupBox(page, [this](int radioId) { OnPeriodSelected(radioId); });
    auto* period = new wxBoxSizer(wxHORIZONTAL);
    period->Add(periodBox->MakeSizer(), 0, wxEXPAND | wxRIGHT, FromDIP(10));
    period->Add(BuildPeriodSettings(page), 1, wxEXPAND | wxTOP, FromDIP(12));

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(fields, 0, wxEXPAND | wxALL, FromDIP(10));
    sizer->Add(dates, 0, wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(10));
    sizer->Add(warning, 0, wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(10));
    sizer->Add(period, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(10));
    page->SetSizer(sizer);

    category->Bind(wxEVT_KILL_FOCUS, &TEventEditDlg::OnCategoryLeft, this);
    return page;
}

wxSizer* TEventEditDlg::BuildDateRows(wxWindow* page) {
    const int gap = FromDIP(6);
    constexpr char dateSample[] = "We 30/12/1998 ";
    constexpr char timeSample[] = "12:59 pm ";
    auto* grid = new wxFlexGridSizer(5, gap, gap);
    grid->Add(Label(page, eventStartDateLabel, "&Start Date:"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(MakeEdit(page, eventStartDate, dateSample), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(CalendarButton(page, eventStartCalendar), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(Label(page, eventStartTimeLabel, "Start T&ime:"), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, gap);
    grid->Add(MakeEdit(page, eventStartTime, timeSample), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(Label(page, eventFinishDateLabel, "&Finish Date:"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(MakeEdit(page, eventFinishDate, dateSample), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(CalendarButton(page, eventFinishCalendar), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(Label(page, eventFinishTimeLabel, "Finish Ti&me:"), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, gap);
    grid->Add(MakeEdit(page, eventFinishTime, timeSample), 0, wxALIGN_CENTER_VERTICAL);

    Edit(eventStartDate)->Bind(wxEVT_KILL_FOCUS, &TEventEditDlg::OnStartDateLeft, this);
    Edit(eventFinishDate)->Bind(wxEVT_KILL_FOCUS, &TEventEditDlg::OnFinishDateLeft, this);
    Edit(eventStartTime)->Bind(wxEVT_KILL_FOCUS, &TEventEditDlg::OnStartTimeLeft, this);
    Edit(eventFinishTime)->Bind(wxEVT_KILL_FOCUS, &TEventEditDlg::OnFinishTimeLeft, this);
    return grid;
}

// One place beside the period group: the description, the "Every" row or
// the position rows, whichever the period shows.
wxSizer* TEventEditDlg::BuildPeriodSettings(wxWindow* page) {
    const int gap = FromDIP(6);
    auto* settings = new wxBoxSizer(wxVERTICAL);
    auto* text = new wxStaticText(page, eventPeriodText, "No Extra Information", wxDefaultPosition,
                                  wxDefaultSize, wxST_NO_AUTORESIZE);
    text->SetMinSize(wxSize(text->GetTextExtent("Occurs every second week on Wednesday").x + gap, -1));
    settings->Add(text, 0, wxEXPAND);

    auto* every = new wxBoxSizer(wxHORIZONTAL);
    every->Add(Label(page, eventEveryLabel, "E&very"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    every->Add(DigitsEdit(page, eventEvery), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    every->Add(Label(page, eventEveryDaysLabel, "days"), 0, wxALIGN_CENTER_VERTICAL);
    settings->Add(every);

    auto* which = new wxBoxSizer(wxHORIZONTAL);
    which->Add(Label(page, eventPositionThe, "&The"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    which->Add(List(page, eventPositionOrdinal, std::begin(ordinalNames), std::end(ordinalNames)), 0,
               wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    which->Add(List(page, eventPositionWeekday, std::begin(dayNames), std::end(dayNames)), 0,
               wxALIGN_CENTER_VERTICAL);
    settings->Add(which);
    auto* month = new wxBoxSizer(wxHORIZONTAL);
    month->Add(Label(page, eventPositionOf, "of"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    month->Add(List(page, eventPositionMonth, std::begin(monthNames), std::end(monthNames), "Every Month"), 0,
               wxALIGN_CENTER_VERTICAL);
    settings->Add(month, 0, wxTOP, gap);
    return settings;
}

wxWindow* TEventEditDlg::BuildAdvancedPage(wxWindow* tabs) {
    auto* page = new wxPanel(tabs);
    const int gap = FromDIP(6);
    auto* grid = new wxFlexGridSizer(3, gap, gap);
    grid->AddGrowableCol(1);
    grid->Add(Label(page, eventExpiresLabel, "E&xpires:"), 0, wxALIGN_CENTER_VERTICAL);
    auto* expires = new wxBoxSizer(wxHORIZONTAL);
    expires->Add(MakeEdit(page, eventExpires, "We 30/12/1998 "), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    expires->Add(CalendarButton(page, eventExpiresCalendar), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(expires);
    grid->AddSpacer(0);

    grid->Add(Label(page, eventAlarmLabel, "&Alarm:"), 0, wxALIGN_CENTER_VERTICAL);
    auto* alarm = new wxBoxSizer(wxHORIZONTAL);
    alarm->Add(MakeEdit(page, eventAlarm, "00000"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    alarm->Add(Label(page, eventAlarmMinutes, "minutes before appointment"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(alarm);
    grid->AddSpacer(0);

    grid->Add(Label(page, eventSoundLabel, "&Sound:"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(MakeEdit(page, eventSound, nullptr), 1, wxEXPAND | wxALIGN_CENTER_VERTICAL);
    grid->Add(new wxButton(page, eventBrowse, "&Browse..."), 0, wxALIGN_CENTER_VERTICAL);

    auto* autoDelete =
        new wxCheckBox(page, eventAutoDelete, "Automatically De&lete:", wxDefaultPosition, wxDefaultSize,
                       wxCHK_3STATE | wxCHK_ALLOW_3RD_STATE_FOR_USER | wxALIGN_RIGHT);
    auto* extra = new wxTextCtrl(page, eventExtraInfo, wxEmptyString, wxDefaultPosition,
                                 wxSize(-1, GetCharHeight() * 6), wxTE_MULTILINE);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(grid, 0, wxEXPAND | wxALL, FromDIP(10));
    sizer->Add(autoDelete, 0, wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(10));
    sizer->Add(Label(page, eventExtraLabel, "Extra &Information (not displayed)"), 0, wxLEFT | wxRIGHT,
               FromDIP(10));
    sizer->Add(extra, 1, wxEXPAND | wxALL, FromDIP(10));
    page->SetSizer(sizer);
    // The order of the page's fields for Tab: the check box comes after the
    // expiry date, as it stands on the page.
    autoDelete->MoveAfterInTabOrder(FindWindow(eventExpiresCalendar));
    return page;
}

// The dialog keeps one size whichever period settings show: it is fitted
// with all of them shown at once.
void TEventEditDlg::FitToLargestPeriodSettings() {
    ShowAll(this, everyControls, true);
    ShowAll(this, positionControls, true);
    GetSizer()->SetSizeHints(this);
    ShowAll(this, everyControls, false);
    ShowAll(this, positionControls, false);
}

void TEventEditDlg::SetDate(int32_t day, int32_t month, int32_t year) {
    givenDate = Date(day, month, year);
    Preset();
}

void TEventEditDlg::SetTime(int32_t hour, int32_t minute) {
    givenTime = Time(hour, minute);
    Preset();
}

void TEventEditDlg::SetEvent(EventNode* event) {
    editEvent = event;
    currentEvent = event;
    Preset();
}

void TEventEditDlg::ClearFields() {
    for (int id : {eventDescription, eventWhere, eventStartDate, eventStartTime, eventFinishDate,
                   eventFinishTime, eventExpires, eventAlarm, eventSound, eventExtraInfo})
        Edit(id)->ChangeValue(wxEmptyString);
    Edit(eventWarningDays)->ChangeValue("0");
    Edit(eventEvery)->ChangeValue("1");
    for (int id : {eventPositionOrdinal, eventPositionWeekday, eventPositionMonth})
        Choice(id)->SetSelection(0);
    CategoryBox()->SetValue(wxEmptyString);
    AutoDeleteBox()->Set3StateValue(wxCHK_UNCHECKED);
    EnableAlarmControls(false);
}

void TEventEditDlg::Preset() {
    ClearFields();
    if (givenDate.day != -1 && givenDate.IsValid()) {
        Edit(eventStartDate)->ChangeValue(DateText(givenDate));
        Edit(eventFinishDate)->ChangeValue(DateText(givenDate));
        if (givenTime.IsValid()) {
            Time finish = givenTime;
            finish.AddMinutes(defaultAppointmentMinutes);
            Edit(eventStartTime)->ChangeValue(ToWx(givenTime.Text()));
            Edit(eventFinishTime)->ChangeValue(ToWx(finish.Text()));
            EnableAlarmControls(true);
        }
        periodBox->Select(periodOnceOff);
    } else if (!editEvent) {
        Edit(eventStartDate)->ChangeValue(DateText(today));
        Edit(eventFinishDate)->ChangeValue(DateText(today));
        periodBox->Select(periodOnceOff);
    } else {
        PresetFromEvent(*editEvent);
    }
}

void TEventEditDlg::PresetFromEvent(const EventNode& event) {
    Edit(eventDescription)->ChangeValue(ToWx(event.description.view()));
    wxString category = ToWx(event.typeName.view());
    if (!CategoryBox()->SetStringSelection(category))
        CategoryBox()->SetValue(category);
    // A date kept without its year (an anniversary) shows as day and month,
    // the form it was typed in and is read back from.
    bool yearless = event.startDate.year == 0 && views::IsValidDayMonth(event.startDate);
    Edit(eventStartDate)
        ->ChangeValue(yearless ? ToWx(event.startDate.DayMonthText()) : DateText(event.startDate));
    if (event.extraInfo.has_value())
        Edit(eventExtraInfo)->ChangeValue(ToWx(event.extraInfo.view()));
    Edit(eventSound)->ChangeValue(platform::FileNameToWx(event.soundFile.view()));
    Edit(eventAlarm)->ChangeValue(wxString::Format("%d", event.alarmMinutes));
    if (event.startTime.IsValid()) {
        Edit(eventStartTime)->ChangeValue(ToWx(event.startTime.Text()));
        EnableAlarmControls(true);
    }
    wxCheckBoxState states[] = {wxCHK_UNCHECKED, wxCHK_CHECKED, wxCHK_UNDETERMINED};
    AutoDeleteBox()->Set3StateValue(event.autoDelete >= 0 && event.autoDelete <= 2 ? states[event.autoDelete]
                                                                                   : wxCHK_UNCHECKED);
    if (event.endDate.day != 0)
        Edit(eventFinishDate)->ChangeValue(DateText(event.endDate));
    if (event.endTime.IsValid())
        Edit(eventFinishTime)->ChangeValue(ToWx(event.endTime.Text()));
    if (event.rangeEndDate.day != 0)
        Edit(eventExpires)->ChangeValue(DateText(event.rangeEndDate));
    Edit(eventWarningDays)->ChangeValue(wxString::Format("%d", event.warningDays));
    periodBox->Select(RadioOfPeriod(event.period));
    Edit(eventWhere)->ChangeValue(ToWx(event.location.view()));
}

void TEventEditDlg::OnPeriodSelected(int radioId) {
    PeriodKind period = PeriodOfRadio(radioId);
    EnableAll(this, expiryControls, period != PeriodOnceOff);
    if (period == PeriodMonthlyByPosition && currentEvent && currentEvent->monthlyPosition.weekday != 0) {
        const MonthlyPosition& position = currentEvent->monthlyPosition;
        // A damaged record's numbers outside the lists leave them as they are.
        auto preset = [this](int id, int index) {
            if (index >= 0 && index < static_cast<int>(Choice(id)->GetCount()))
                Choice(id)->SetSelection(index);
        };
        preset(eventPositionOrdinal, position.weekOrdinal - 1);
        preset(eventPositionWeekday, position.weekday - 1);
        preset(eventPositionMonth, position.monthSel);
    }
    if (period == PeriodDaily && currentEvent)
        Edit(eventEvery)->ChangeValue(wxString::Format("%d", currentEvent->repeatDays));
    selectedPeriodId = radioId;
    RefreshPeriodDescription();
    if (static_cast<wxNotebook*>(FindWindow(eventTabs))->GetSelection() == 0)
        ShowPeriodSettings(radioId);
}

void TEventEditDlg::ShowPeriodSettings(int radioId) {
    PeriodKind period = PeriodOfRadio(radioId);
    ShowAll(this, everyControls, period == PeriodDaily);
    ShowAll(this, positionControls, period == PeriodMonthlyByPosition);
    ShowAll(this, periodTextControls, period != PeriodDaily && period != PeriodMonthlyByPosition);
    FindWindow(eventPeriodText)->GetParent()->Layout();
}

// Only the wording follows the start date: the period's own settings stay
// as the user left them.
void TEventEditDlg::RefreshPeriodDescription() {
    if (selectedPeriodId == 0)
        return;
    std::string start = LimitedText(FromWx(Edit(eventStartDate)->GetValue()));
    static_cast<wxStaticText*>(FindWindow(eventPeriodText))
        ->SetLabel(ToWx(views::PeriodDescription(PeriodOfRadio(selectedPeriodId), start)));
}

void TEventEditDlg::EnableAlarmControls(bool enable) {
    EnableAll(this, alarmControls, enable);
}

void TEventEditDlg::ShowTabPage(int index) {
    if (index != 0 && index != 1) {
        ShowError("Undefined Tab Page. Contact Author.");
        return;
    }
    ShowAll(this, generalControls, index == 0);
    ShowAll(this, advancedControls, index == 1);
    if (index == 0) {
        ShowPeriodSettings(selectedPeriodId);
    } else {
        ShowAll(this, everyControls, false);
        ShowAll(this, positionControls, false);
        ShowAll(this, periodTextControls, false);
    }
    // Controls hidden while the pages were laid out have no place yet.
    FindWindow(eventDescription)->GetParent()->Layout();
    FindWindow(eventExtraInfo)->GetParent()->Layout();
}

void TEventEditDlg::OnTabChanged(wxBookCtrlEvent& event) {
    event.Skip();
    if (event.GetEventObject() == FindWindow(eventTabs))
        ShowTabPage(event.GetSelection());
}

void TEventEditDlg::OnCategoryLeft(wxFocusEvent& event) {
    event.Skip();
    const TypeNode* type = data.types.Find(LimitedText(FromWx(CategoryBox()->GetValue())));
    if (!type)
        return;
    wxTextCtrl* where = Edit(eventWhere);
    if (!where->IsModified() && where->IsEmpty() && type->defaultLocation.has_value())
        where->ChangeValue(ToWx(type->defaultLocation.view()));
    if (type->defaultPeriod != 0)
        periodBox->Select(RadioOfPeriod(type->defaultPeriod));
    wxTextCtrl* warning = Edit(eventWarningDays);
    if (!warning->IsModified() && type->defaultWarningDays != 0)
        warning->ChangeValue(wxString::Format("%d", type->defaultWarningDays));
    wxCheckBoxState states[] = {wxCHK_UNCHECKED, wxCHK_CHECKED, wxCHK_UNDETERMINED};
    int autoDelete = type->defaultAutoDelete;
    AutoDeleteBox()->Set3StateValue(autoDelete >= 0 && autoDelete <= 2 ? states[autoDelete]
                                                                       : wxCHK_UNCHECKED);
}

bool TEventEditDlg::CheckDateField(int id, Date* read) {
    std::string text = LimitedText(FromWx(Edit(id)->GetValue()));
    Date date;
    if (!date.Parse(text, today.year) || !date.IsValid()) {
        ShowError("The date you have entered is invalid", wxICON_EXCLAMATION);
        return false;
    }
    Edit(id)->ChangeValue(DateText(date));
    *read = date;
    return true;
}

void TEventEditDlg::OnStartDateLeft(wxFocusEvent& event) {
    event.Skip();
    std::string text = LimitedText(FromWx(Edit(eventStartDate)->GetValue()));
    if (!text.empty()) {
        // A day and month alone are kept as typed: OK gives them a year, or
        // keeps them without one for an anniversary.
        views::DateFieldReading reading = views::ReadDateField(text, today.year);
        bool dayMonthOnly = reading.readable && !reading.yearGiven && views::IsValidDayMonth(reading.date);
        Date start;
        if (!dayMonthOnly && CheckDateField(eventStartDate, &start) && Edit(eventFinishDate)->IsEmpty())
            Edit(eventFinishDate)->ChangeValue(DateText(start));
    }
    RefreshPeriodDescription();
}

void TEventEditDlg::OnFinishDateLeft(wxFocusEvent& event) {
    event.Skip();
    Date finish;
    if (!Edit(eventFinishDate)->IsEmpty())
        CheckDateField(eventFinishDate, &finish);
}

void TEventEditDlg::OnStartTimeLeft(wxFocusEvent& event) {
    event.Skip();
    std::string text = LimitedText(FromWx(Edit(eventStartTime)->GetValue()));
    if (text.empty()) {
        EnableAlarmControls(false);
        return;
    }
    EnableAlarmControls(true);
    Time start;
    if (!start.Parse(text) || !start.IsValid()) {
        ShowError("The time you have entered is invalid", wxICON_EXCLAMATION);
        return;
    }
    Time finish = start;
    finish.AddMinutes(defaultAppointmentMinutes);
    Edit(eventStartTime)->ChangeValue(ToWx(start.Text()));
    Edit(eventFinishTime)->ChangeValue(ToWx(finish.Text()));
}

void TEventEditDlg::OnFinishTimeLeft(wxFocusEvent& event) {
    event.Skip();
    std::string text = LimitedText(FromWx(Edit(eventFinishTime)->GetValue()));
    if (text.empty())
        return;
    Time finish;
    if (finish.Parse(text) && finish.IsValid())
        Edit(eventFinishTime)->ChangeValue(ToWx(finish.Text()));
    else
        ShowError("The time you have entered is invalid", wxICON_EXCLAMATION);
}

void TEventEditDlg::OnCalendarButton(wxCommandEvent& event) {
    int field = eventStartDate;
    if (event.GetId() == eventFinishCalendar) {
        pickTarget = pickFinishDate;
        field = eventFinishDate;
    } else if (event.GetId() == eventExpiresCalendar) {
        pickTarget = pickExpiryDate;
        field = eventExpires;
    } else {
        pickTarget = pickStartDate;
    }
    Date preset;
    std::string text = LimitedText(FromWx(Edit(field)->GetValue()));
    if (!preset.Parse(text, today.year) || !preset.IsValid())
        preset = Date();
    if (openCalendar)
        openCalendar(FindWindow(field), preset);
}

void TEventEditDlg::PickDate(const Date& date) {
    const int fields[] = {eventStartDate, eventFinishDate, eventExpires};
    Edit(fields[pickTarget])->ChangeValue(DateText(date));
    if (pickTarget == pickStartDate)
        RefreshPeriodDescription();
}

void TEventEditDlg::OnBrowseSound(wxCommandEvent&) {
    wxFileName current(Edit(eventSound)->GetValue());
    wxFileDialog chooser(this, wxFileSelectorPromptStr, current.GetPath(), current.GetFullName(), soundFilter,
                         wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (chooser.ShowModal() != wxID_OK)
        return;
    wxString chosen = chooser.GetPath();
    if (chosen.empty())
        return;
    if (!wxFileName::FileExists(chosen)) {
        ShowError(FromWx("The sound file \"" + chosen + "\" does not exist."));
        return;
    }
    Edit(eventSound)->ChangeValue(chosen);
}

views::EventForm TEventEditDlg::ReadForm() const {
    auto text = [this](int id) { return FromWx(Edit(id)->GetValue()); };
    views::EventForm form;
    form.description = text(eventDescription);
    form.category = FromWx(CategoryBox()->GetValue());
    form.location = text(eventWhere);
    form.extraInfo = text(eventExtraInfo);
    form.soundFile = platform::FileNameFromWx(Edit(eventSound)->GetValue());
    form.startDate = text(eventStartDate);
    form.startTime = text(eventStartTime);
    form.endDate = text(eventFinishDate);
    form.endTime = text(eventFinishTime);
    form.rangeEndDate = text(eventExpires);
    form.warningDays = text(eventWarningDays);
    form.alarmMinutes = text(eventAlarm);
    form.repeatDays = text(eventEvery);
    switch (AutoDeleteBox()->Get3StateValue()) {
    case wxCHK_CHECKED: form.autoDelete = 1; break;
    case wxCHK_UNDETERMINED: form.autoDelete = 2; break;
    default: form.autoDelete = 0; break;
    }
    form.period = PeriodOfRadio(selectedPeriodId);
    form.position = {Choice(eventPositionOrdinal)->GetSelection() + 1,
                     Choice(eventPositionWeekday)->GetSelection() + 1,
                     Choice(eventPositionMonth)->GetSelection()};
    return form;
}

void TEventEditDlg::OnOk(wxCommandEvent&) {
    EventNode* event = editEvent;
    bool added = event == nullptr;
    if (added)
        event = data.events.Add();
    std::vector<std::string> messages = views::StoreEventForm(ReadForm(), *event, data.types, today);
    for (const std::string& message : messages)
        ShowError(message);
    if (messages.empty()) {
        data.file.saved = 0;
        EndModal(wxID_OK);
        return;
    }
    // The next OK starts afresh; an edited event keeps what was stored.
    if (added)
        data.events.Remove(event);
}

void TEventEditDlg::OnCancel(wxCommandEvent&) {
    EndModal(wxID_CANCEL);
}

void TEventEditDlg::OnClose(wxCloseEvent&) {
    if (IsModal())
        EndModal(wxID_CANCEL);
    else
        Destroy();
}

void TEventEditDlg::OnHelp(wxCommandEvent&) {
    platform::ShowHelpTopic(help::eventProperties, platform::HelpStyle::Window);
}

void TEventEditDlg::OnContextHelp(wxHelpEvent& event) {
    for (const HelpOfControl& entry : controlHelp) {
        if (entry.id == event.GetId()) {
            platform::ShowHelpTopic(entry.topic, platform::HelpStyle::Popup);
            return;
        }
    }
    event.Skip();
}

// GTK has no help key of its own: F1 asks for the help of the field that
// has the focus, as the platform's help request does elsewhere.
void TEventEditDlg::OnCharHook(wxKeyEvent& event) {
    wxWindow* focus = FindFocus();
    if (event.GetKeyCode() != WXK_F1 || event.HasAnyModifiers() || !focus) {
        event.Skip();
        return;
    }
    wxHelpEvent help(wxEVT_HELP, focus->GetId());
    help.SetEventObject(focus);
    ProcessWindowEvent(help);
}

void TEventEditDlg::ShowError(const std::string& text, long icon) {
    wxMessageBox(ToWx(text), "Error", wxOK | icon, this);
}

wxTextCtrl* TEventEditDlg::Edit(int id) const {
    return static_cast<wxTextCtrl*>(FindWindow(id));
}

wxChoice* TEventEditDlg::Choice(int id) const {
    return static_cast<wxChoice*>(FindWindow(id));
}

wxComboBox* TEventEditDlg::CategoryBox() const {
    return static_cast<wxComboBox*>(FindWindow(eventCategory));
}

wxCheckBox* TEventEditDlg::AutoDeleteBox() const {
    return static_cast<wxCheckBox*>(FindWindow(eventAutoDelete));
}

}  // namespace vorlen
