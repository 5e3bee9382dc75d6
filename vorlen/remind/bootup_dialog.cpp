#include "bootup_dialog.h"

#include "vorlen/platform/help.h"
#include "vorlen/platform/wx_text.h"

#include <wx/button.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace vorlen {
namespace {

constexpr int helpTopic = 113;
constexpr int noticeControls[] = {bootupYouHave, bootupWaiting, bootupDateLabel, bootupTimeLabel,
                                  bootupCount,   bootupDate,    bootupTime};
constexpr int extraControls[] = {bootupLastChecked, bootupLastCheckedLabel};

wxStaticText* Label(wxWindow* parent, int id, const wxString& text) {
    return new wxStaticText(parent, id, text);
}

// "Label: value" rows of a page.
void AddRow(wxWindow* page, wxFlexGridSizer* grid, int labelId, const wxString& label, int valueId,
            const std::string& value) {
    grid->Add(Label(page, labelId, label), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(Label(page, valueId, platform::ToWx(value)), 0, wxALIGN_CENTER_VERTICAL);
}

}  // namespace

wxBEGIN_EVENT_TABLE(TBootup, wxDialog)
    EVT_NOTEBOOK_PAGE_CHANGED(bootupTabs, TBootup::OnTabChanged)
    EVT_BUTTON(bootupViewEvents, TBootup::OnViewEvents)
    EVT_BUTTON(bootupCancel, TBootup::OnCancel)
    EVT_BUTTON(bootupHelp, TBootup::OnHelp)
    EVT_CLOSE(TBootup::OnClose)
wxEND_EVENT_TABLE()

TBootup::TBootup(wxWindow* parent, const std::string& countText, const std::string& dateText,
                 const std::string& timeText, const std::string& lastCheckedText)
    : wxDialog(parent, wxID_ANY, "Tolvane Vorlen") {
    auto* tabs = new wxNotebook(this, bootupTabs);

    auto* notice = new wxPanel(tabs);
    auto* noticeSizer = new wxBoxSizer(wxVERTICAL);
    auto* countRow = new wxBoxSizer(wxHORIZONTAL);
    countRow->Add(Label(notice, bootupYouHave, "You have"), 0, wxRIGHT, 4);
    countRow->Add(Label(notice, bootupCount, platform::ToWx(countText)), 0, wxRIGHT, 4);
    countRow->Add(Label(notice, bootupWaiting, "event(s) waiting"));
    noticeSizer->Add(countRow, 0, wxALL, 8);
    auto* when = new wxFlexGridSizer(2, 4, 8);
    AddRow(notice, when, bootupDateLabel, "Date:", bootupDate, dateText);
    AddRow(notice, when, bootupTimeLabel, "Time:", bootupTime, timeText);
    noticeSizer->Add(when, 0, wxLEFT | wxRIGHT | wxBOTTOM, 8);
    notice->SetSizer(noticeSizer);

    auto* extra = new wxPanel(tabs);
    auto* extraGrid = new wxFlexGridSizer(2, 4, 8);
    AddRow(extra, extraGrid, bootupLastCheckedLabel, "Last Checked:", bootupLastChecked, lastCheckedText);
    auto* extraSizer = new wxBoxSizer(wxVERTICAL);
    extraSizer->Add(extraGrid, 0, wxALL, 8);
    extra->SetSizer(extraSizer);

    // Pages are added before the handlers can see a change of tab.
    tabs->AddPage(notice, "Notice");
    tabs->AddPage(extra, "Extra Information");

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* view = new wxButton(this, bootupViewEvents, "View Events");
    view->SetDefault();
    buttons->Add(view, 0, wxRIGHT, 6);
    buttons->Add(new wxButton(this, bootupCancel, "Cancel"), 0, wxRIGHT, 6);
    buttons->Add(new wxButton(this, bootupHelp, "Help"));

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(tabs, 1, wxEXPAND | wxALL, 6);
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 6);
    SetSizerAndFit(sizer);
    SetAffirmativeId(bootupViewEvents);
    SetEscapeId(bootupCancel);

    ShowPage(0);
}

void TBootup::ShowPage(int page) {
    currentPage = page;
    for (int id : noticeControls)
        FindWindow(id)->Show(page == 0);
    for (int id : extraControls)
        FindWindow(id)->Show(page == 1);
    // Controls hidden when the pages were laid out have no place yet.
    for (int id : {bootupCount, bootupLastChecked})
        FindWindow(id)->GetParent()->Layout();
}

void TBootup::OnTabChanged(wxBookCtrlEvent&) {
    // The page follows a flag that flips on every change of tab.
    ShowPage(currentPage == 0 ? 1 : 0);
}

void TBootup::OnViewEvents(wxCommandEvent&) {
    EndModal(bootupViewEvents);
}

void TBootup::OnCancel(wxCommandEvent&) {
    EndModal(bootupCancel);
}

void TBootup::OnHelp(wxCommandEvent&) {
    platform::ShowHelpTopic(helpTopic, platform::HelpStyle::Popup);
}

void TBootup::OnClose(wxCloseEvent&) {
    if (IsModal())
        EndModal(bootupCancel);
    else
        Destroy();
}

std::string BootupCountText(int count) {
    return std::to_string(count);
}

}  // namespace vorlen
