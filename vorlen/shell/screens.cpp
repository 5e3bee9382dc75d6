#include "screens.h"

#include "vorlen/shell/document.h"
#include "vorlen/shell/title_screen.h"
#include "vorlen/views/calendar_window.h"
#include "vorlen/views/info_tree.h"
#include "vorlen/views/view_window.h"

#include <wx/panel.h>
#include <wx/settings.h>

namespace vorlen {

static_assert(int(treeAddEvent) == cmNewEvent && int(treeCut) == cmCut && int(treeCopy) == cmCopy &&
                  int(treePaste) == cmPaste && int(treeDelete) == cmDelete &&
                  int(treeSaveAsVCalendar) == cmSaveAsVCalendar && int(treeCopyAsVCalendar) == cmCopyAsVCalendar,
              "the information tree's commands are the frame's");

wxWindow* MakeScreenWindow(ScreenId screen, wxWindow* frame, int hostKind, shell::Document& document) {
    if (screen == ScreenTitle)
        return new TMainWindow(frame);
    if (screen == ScreenToday)
        return new TViewWindow(frame, {document.events, document.types, document.file}, hostKind);
    if (screen == ScreenInfoTree)
        return new TInfoTree(frame, {document.events, document.types, document.file});
    if (screen == ScreenCalendar)
        return new TCalendarWindow(frame, {document.events, document.types, document.file});
    // The event list is not built yet: an empty client window stands in
    // for it.
    auto* empty = new wxPanel(frame, wxID_ANY);
    empty->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    return empty;
}

}  // namespace vorlen
