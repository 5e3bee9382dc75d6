#include "statistics_dialog.h"

#include "vorlen/platform/help.h"
#include "vorlen/platform/wx_text.h"
#include "vorlen/store/data_file.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace vorlen {
namespace {

constexpr int helpTopic = 114;
constexpr int margin = 8;

wxTextCtrl* HeaderEdit(wxWindow* parent, int id, std::string_view text) {
    auto* edit = new wxTextCtrl(parent, id, platform::ToWx(text));
    edit->SetMaxLength(kMaxHeaderText);
    return edit;
}

// The edit's text as the file keeps it: Windows-1252, at most 63 bytes.
std::string HeaderText(const wxWindow* dialog, int id) {
    std::string text = platform::FromWx(static_cast<wxTextCtrl*>(dialog->FindWindow(id))->GetValue());
    return text.substr(0, kMaxHeaderText);
}

}  // namespace

wxBEGIN_EVENT_TABLE(TStatisticsDlg, wxDialog)
    EVT_BUTTON(statisticsOk, TStatisticsDlg::OnOk)
    EVT_BUTTON(statisticsCancel, TStatisticsDlg::OnCancel)
    EVT_BUTTON(statisticsHelp, TStatisticsDlg::OnHelp)
    EVT_CLOSE(TStatisticsDlg::OnClose)
wxEND_EVENT_TABLE()

TStatisticsDlg::TStatisticsDlg(wxWindow* parent, store::DataFile& file, int eventCount)
    : wxDialog(parent, wxID_ANY, "File Information"), file(file) {
    auto* grid = new wxFlexGridSizer(2, margin, margin);
    grid->AddGrowableCol(1);
    auto row = [&](const char* label, wxWindow* value) {
        grid->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(value, 1, wxEXPAND | wxALIGN_CENTER_VERTICAL);
    };
    row("Data File Name:",
        new wxStaticText(this, statisticsFileName, platform::FileNameToWx(file.fileName.view()),
                         wxDefaultPosition, wxDefaultSize, wxST_ELLIPSIZE_MIDDLE));
    row("File Description:", HeaderEdit(this, statisticsDescription, file.title.view()));
    row("File Owner:", HeaderEdit(this, statisticsOwner, file.owner.view()));
    row("Number of Records:", new wxStaticText(this, statisticsCount, RecordCountText(eventCount)));
    auto* archive = new wxCheckBox(this, statisticsArchive, "Archive File");
    archive->SetValue(file.isArchive != 0);
    grid->AddSpacer(0);
    grid->Add(archive);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, statisticsOk, "OK");
    ok->SetDefault();
    buttons->Add(ok, 0, wxRIGHT, 6);
    buttons->Add(new wxButton(this, statisticsCancel, "Cancel"), 0, wxRIGHT, 6);
    buttons->Add(new wxButton(this, statisticsHelp, "Help"));

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(grid, 1, wxEXPAND | wxALL, 2 * margin);
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, margin);
    SetSizer(sizer);
    // Wide enough for a full path and a 63-character description.
    SetMinClientSize(wxSize(ConvertDialogToPixels(wxSize(329, 0)).x, sizer->CalcMin().y));
    Fit();
    SetEscapeId(statisticsCancel);
    Centre();
}

void TStatisticsDlg::OnOk(wxCommandEvent&) {
    file.SetOwner(HeaderText(this, statisticsOwner).c_str());
    file.SetTitle(HeaderText(this, statisticsDescription).c_str());
    // Marked unsaved whether or not anything changed, so that Save is
    // offered after every OK.
    file.saved = 0;
    file.isArchive = static_cast<wxCheckBox*>(FindWindow(statisticsArchive))->GetValue() ? 1 : 0;
    EndModal(statisticsChanged);
}

void TStatisticsDlg::OnCancel(wxCommandEvent&) {
    EndModal(statisticsCancelled);
}

void TStatisticsDlg::OnHelp(wxCommandEvent&) {
    platform::ShowHelpTopic(helpTopic, platform::HelpStyle::Popup);
}

void TStatisticsDlg::OnClose(wxCloseEvent&) {
    if (IsModal())
        EndModal(statisticsCancelled);
    else
        Destroy();
}

std::string RecordCountText(int count) {
    return std::to_string(count);
}

}  // namespace vorlen
