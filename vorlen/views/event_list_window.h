// The "Event List" screen: the banner, and below it the list of every
// event (TEventList). Find looks for the first row whose description
// begins with a text; F3 goes on below the last match.
#pragma once

#include "vorlen/views/screen_banner.h"
#include "vorlen/views/event_list_control.h"

#include <wx/bitmap.h>
#include <wx/fdrepdlg.h>
#include <wx/window.h>

namespace vorlen {

class TEventListWindow : public wxWindow {
public:
    // `depth` is the display's bits per pixel, which picks the banner.
    TEventListWindow(wxWindow* parent, EventEditData data, int depth = wxDisplayDepth());
    ~TEventListWindow() override;

    // What the main frame calls after the data changed elsewhere.
    void AddLastEvent() { list->AddLastEvent(); }
    void RefreshList() { list->RefreshList(); }
    void ResizeChildren();
    // The keys belong to the list, not to this window around it.
    void SetFocus() override { list->SetFocus(); }

    // Find: opens the find dialog (raises it when it is open already).
    void CmEditFind();
    // F3: the next match below the last one.
    void CmEditFindNext();
    bool CanFindNext() const { return lastFoundIndex != -1; }

    TEventList* List() const { return list; }
    wxFindReplaceDialog* FindDialog() const { return findDialog; }
    long LastFoundIndex() const { return lastFoundIndex; }
    const wxBitmap& BannerBitmap() const { return banner.Banner(); }

private:
    void DoSearch();
    void CloseFindDialog();

    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnListCommand(wxCommandEvent& event);
    void OnFind(wxCommandEvent& event);
    void OnFindNext(wxCommandEvent& event);
    void OnUpdateFindNext(wxUpdateUIEvent& event);
    void OnUpdateEnabled(wxUpdateUIEvent& event);
    void EvFindMsg(wxFindDialogEvent& event);

    ScreenBanner banner;
    TEventList* list = nullptr;
    wxFindReplaceData findData;
    wxFindReplaceDialog* findDialog = nullptr;
    long lastFoundIndex = -1;
    wxDECLARE_EVENT_TABLE();
};

}  // namespace vorlen
