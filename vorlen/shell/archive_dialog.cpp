#include "archive_dialog.h"

#include "vorlen/platform/help.h"
#include "vorlen/platform/wx_text.h"

#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace vorlen {
namespace {

// The help book's page on compressing (a number of our own).
constexpr int helpTopic = 130;

}  // namespace

wxBEGIN_EVENT_TABLE(TArchiveDlg, wxDialog)
    EVT_BUTTON(wxID_OK, TArchiveDlg::OnArchive)
    EVT_BUTTON(archiveDelete, TArchiveDlg::OnDelete)
    EVT_BUTTON(archiveHelp, TArchiveDlg::OnHelp)
wxEND_EVENT_TABLE()

TArchiveDlg::TArchiveDlg(wxWindow* parent, int oldCount) : wxDialog(parent, wxID_ANY, "Compress Database") {
    auto* sentence = new wxBoxSizer(wxHORIZONTAL);
    sentence->Add(new wxStaticText(this, wxID_ANY, "There are"), 0, wxRIGHT, 4);
    sentence->Add(new wxStaticText(this, archiveCount, wxString::Format("%d", oldCount)), 0, wxRIGHT, 4);
    sentence->Add(new wxStaticText(this, wxID_ANY, "events that have been found to be old or expired."));

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* archive = new wxButton(this, wxID_OK, "Archive");
    archive->SetDefault();
    buttons->Add(archive, 0, wxRIGHT, 6);
    buttons->Add(new wxButton(this, archiveDelete, "Delete"), 0, wxRIGHT, 6);
    buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxRIGHT, 6);
    buttons->Add(new wxButton(this, archiveHelp, "Help"));

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(sentence, 0, wxALL, 10);
    sizer->Add(new wxStaticText(this, wxID_ANY, "Do you wish to archive or delete save these events?"), 0,
               wxLEFT | wxRIGHT | wxBOTTOM, 10);
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 8);
    SetSizerAndFit(sizer);
}

void TArchiveDlg::OnArchive(wxCommandEvent&) {
    EndModal(wxID_OK);
}

void TArchiveDlg::OnDelete(wxCommandEvent&) {
    EndModal(archiveDelete);
}

void TArchiveDlg::OnHelp(wxCommandEvent&) {
    platform::ShowHelpTopic(helpTopic, platform::HelpStyle::Window);
}

store::CompressChoice WindowCompressPrompts::ChooseArchiveOrDelete(int oldCount) {
    TArchiveDlg dialog(parent_, oldCount);
    switch (dialog.ShowModal()) {
    case wxID_OK: return store::CompressChoice::Archive;
    case archiveDelete: return store::CompressChoice::Delete;
    default: return store::CompressChoice::Cancel;
    }
}

void WindowCompressPrompts::ShowMessage(std::string_view caption, std::string_view text) {
    // The messages of compressing come without an owner window.
    wxMessageBox(platform::ToWx(text), platform::ToWx(caption), wxOK | wxICON_INFORMATION);
}

bool WindowCompressPrompts::AskYesNo(std::string_view caption, std::string_view text) {
    return wxMessageBox(platform::ToWx(text), platform::ToWx(caption), wxYES_NO | wxICON_QUESTION, parent_) ==
           wxYES;
}

void WindowCompressPrompts::Notify(std::string_view caption, std::string_view text) {
    wxMessageBox(platform::ToWx(text), platform::ToWx(caption), wxOK | wxICON_WARNING, parent_);
}

}  // namespace vorlen
