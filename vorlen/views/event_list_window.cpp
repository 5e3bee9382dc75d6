#include "event_list_window.h"

#include "vorlen/views/edit_commands.h"

#include <wx/dcbuffer.h>
#include <wx/msgdlg.h>
#include <wx/settings.h>
#include <wx/toplevel.h>

#include <algorithm>

namespace vorlen {
namespace {

// The flags of F3, as the find dialog's own notifications never are: the
// search goes on below the last match instead of starting over.
constexpr int findNextAlone = 8;
// The find text is kept to what the original buffer held.
constexpr size_t findTextLength = 80;
constexpr int margin = 10;

}  // namespace

wxBEGIN_EVENT_TABLE(TEventListWindow, wxWindow)
    EVT_PAINT(TEventListWindow::OnPaint)
    EVT_SIZE(TEventListWindow::OnSize)
    EVT_MENU(cmDelete, TEventListWindow::OnListCommand)
    EVT_MENU(cmCopy, TEventListWindow::OnListCommand)
    EVT_MENU(cmCut, TEventListWindow::OnListCommand)
    EVT_MENU(cmSaveAsVCalendar, TEventListWindow::OnListCommand)
    EVT_MENU(cmCopyAsVCalendar, TEventListWindow::OnListCommand)
    EVT_MENU(cmFind, TEventListWindow::OnFind)
    EVT_MENU(cmFindNext, TEventListWindow::OnFindNext)
    EVT_UPDATE_UI(cmDelete, TEventListWindow::OnUpdateEnabled)
    EVT_UPDATE_UI(cmCopy, TEventListWindow::OnUpdateEnabled)
    EVT_UPDATE_UI(cmCut, TEventListWindow::OnUpdateEnabled)
    EVT_UPDATE_UI(cmSaveAsVCalendar, TEventListWindow::OnUpdateEnabled)
    EVT_UPDATE_UI(cmCopyAsVCalendar, TEventListWindow::OnUpdateEnabled)
    EVT_UPDATE_UI(cmFind, TEventListWindow::OnUpdateEnabled)
    EVT_UPDATE_UI(cmFindNext, TEventListWindow::OnUpdateFindNext)
wxEND_EVENT_TABLE()

TEventListWindow::TEventListWindow(wxWindow* parent, EventEditData data, int depth)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE),
      banner(*this, depth) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    if (wxWindow* frame = wxGetTopLevelParent(parent))
        frame->SetLabel("Tolvane Vorlen - Event List");
    list = new TEventList(this, data);
    ResizeChildren();
}

// The toolkit makes the frame the dialog's parent, so the dialog outlives
// the screen unless it goes with it.
TEventListWindow::~TEventListWindow() {
    if (findDialog)
        findDialog->Destroy();
}

void TEventListWindow::ResizeChildren() {
    wxSize client = GetClientSize();
    int filler = banner.FillerHeight();
    int bannerHeight = banner.BannerHeight();
    // Before the first layout the client area is empty.
    list->SetSize(FromDIP(margin), filler + FromDIP(margin), std::max(client.x - FromDIP(2 * margin), 0),
                  std::max(client.y - bannerHeight - FromDIP(2 * margin), 0));
}

void TEventListWindow::CmEditFind() {
    findData.SetFlags(findData.GetFlags() | wxFR_DOWN);
    if (!findDialog) {
        findDialog = new wxFindReplaceDialog(this, &findData, "Find");
        // Its notifications go to its parent, the frame: taken here first.
        findDialog->Bind(wxEVT_FIND, &TEventListWindow::EvFindMsg, this);
        findDialog->Bind(wxEVT_FIND_NEXT, &TEventListWindow::EvFindMsg, this);
        findDialog->Bind(wxEVT_FIND_CLOSE, &TEventListWindow::EvFindMsg, this);
    }
    findDialog->Show();
    findDialog->Raise();
}

// Goes on without the dialog too: it is only hidden after a match, and the
// enabler offers F3 whenever there was one.
void TEventListWindow::CmEditFindNext() {
    if (lastFoundIndex == -1)
        return;
    findData.SetFlags(findNextAlone);
    DoSearch();
}

void TEventListWindow::DoSearch() {
    long from = findData.GetFlags() == findNextAlone ? lastFoundIndex + 1 : 0;
    long found = list->FindDescription(findData.GetFindString(), from);
    if (found == -1) {
        wxMessageBox("No matches found!", "Find", wxOK | wxICON_NONE, this);
        CloseFindDialog();
        lastFoundIndex = -1;
        return;
    }
    lastFoundIndex = found;
    list->SelectRow(found);
    if (findDialog)
        findDialog->Hide();
    list->SetFocus();
}

void TEventListWindow::CloseFindDialog() {
    if (findDialog)
        findDialog->Destroy();
    findDialog = nullptr;
}

void TEventListWindow::EvFindMsg(wxFindDialogEvent& event) {
    findData.SetFindString(event.GetFindString().Left(findTextLength));
    findData.SetFlags(event.GetFlags());
    if (event.GetEventType() == wxEVT_FIND_CLOSE)
        CloseFindDialog();
    else
        DoSearch();
}

void TEventListWindow::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    banner.Draw(dc);
}

void TEventListWindow::OnSize(wxSizeEvent& event) {
    ResizeChildren();
    event.Skip();
}

void TEventListWindow::OnListCommand(wxCommandEvent& event) {
    if (!list->GetEventHandler()->ProcessEventLocally(event))
        event.Skip();
}

void TEventListWindow::OnFind(wxCommandEvent&) {
    CmEditFind();
}

void TEventListWindow::OnFindNext(wxCommandEvent&) {
    CmEditFindNext();
}

void TEventListWindow::OnUpdateFindNext(wxUpdateUIEvent& event) {
    event.Enable(CanFindNext());
}

void TEventListWindow::OnUpdateEnabled(wxUpdateUIEvent& event) {
    event.Enable(true);
}

}  // namespace vorlen
