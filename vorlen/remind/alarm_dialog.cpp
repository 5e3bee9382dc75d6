#include "alarm_dialog.h"

#include "vorlen/platform/help.h"
#include "vorlen/platform/help_topics.h"
#include "vorlen/platform/wx_text.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace vorlen {
namespace {

void AddRow(wxWindow* dialog, wxFlexGridSizer* grid, const wxString& label, int id, const std::string& text,
            long style = 0) {
    // A label beside a box of several lines stands at its first line.
    int place = (style & wxTE_MULTILINE) ? int{wxTOP} : int{wxALIGN_CENTER_VERTICAL};
    grid->Add(new wxStaticText(dialog, wxID_ANY, label), 0, place, dialog->FromDIP(3));
    auto* edit = new wxTextCtrl(dialog, id, platform::ToWx(text), wxDefaultPosition, wxDefaultSize,
                                wxTE_READONLY | style);
    if (style & wxTE_MULTILINE)
        edit->SetMinSize(dialog->FromDIP(wxSize(-1, 64)));
    grid->Add(edit, 1, wxEXPAND);
}

}  // namespace

wxBEGIN_EVENT_TABLE(TAppDlg, wxDialog)
    EVT_BUTTON(alarmOk, TAppDlg::OnOk)
    EVT_BUTTON(alarmGoto, TAppDlg::OnGoto)
    EVT_BUTTON(alarmHelp, TAppDlg::OnHelp)
    EVT_CLOSE(TAppDlg::OnClose)
wxEND_EVENT_TABLE()

TAppDlg::TAppDlg(const AlarmTexts& given)
    : wxDialog(nullptr, wxID_ANY, "Appointment Alarm", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxDIALOG_NO_PARENT),
      texts(CutToCapacities(given)) {
    auto* grid = new wxFlexGridSizer(2, FromDIP(4), FromDIP(8));
    grid->AddGrowableCol(1);
    AddRow(this, grid, "Time:", alarmTime, texts.time);
    AddRow(this, grid, "Description:", alarmDescription, texts.description, wxTE_MULTILINE);
    AddRow(this, grid, "Place:", alarmPlace, texts.place);
    AddRow(this, grid, "Type:", alarmType, texts.type);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, alarmOk, "OK");
    ok->SetDefault();
    buttons->Add(ok, 0, wxRIGHT, FromDIP(6));
    buttons->Add(new wxButton(this, alarmGoto, "Goto..."), 0, wxRIGHT, FromDIP(6));
    buttons->Add(new wxButton(this, alarmHelp, "Help"));

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(this, alarmMessage, platform::ToWx(texts.message)), 0, wxALL, FromDIP(10));
    sizer->Add(grid, 1, wxEXPAND | wxLEFT | wxRIGHT, FromDIP(10));
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxALL, FromDIP(10));
    sizer->SetMinSize(FromDIP(wxSize(360, -1)));
    SetSizerAndFit(sizer);
    SetAffirmativeId(alarmOk);
    SetEscapeId(alarmGoto);
    ok->SetFocus();
}

void TAppDlg::OnOk(wxCommandEvent&) {
    EndModal(alarmOk);
}

void TAppDlg::OnGoto(wxCommandEvent&) {
    EndModal(alarmGoto);
}

void TAppDlg::OnHelp(wxCommandEvent&) {
    platform::ShowHelpTopic(help::appointmentAlarm, platform::HelpStyle::Popup);
}

void TAppDlg::OnClose(wxCloseEvent&) {
    if (IsModal())
        EndModal(alarmGoto);
    else
        Destroy();
}

}  // namespace vorlen
