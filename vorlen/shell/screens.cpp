#include "screens.h"

#include "vorlen/shell/document.h"
#include "vorlen/shell/title_screen.h"
#include "vorlen/views/calendar_window.h"
#include "vorlen/views/event_list_window.h"
#include "vorlen/views/info_tree.h"
#include "vorlen/views/view_window.h"

namespace vorlen {

static_assert(int(treeAddEvent) == cmNewEvent && int(treeCut) == cmCut && int(treeCopy) == cmCopy &&
                  int(treePaste) == cmPaste && int(treeDelete) == cmDelete &&
                  int(treeSaveAsVCalendar) == cmSaveAsVCalendar && int(treeCopyAsVCalendar) == cmCopyAsVCalendar,
              "the information tree's commands are the frame's");

wxWindow* MakeScreenWindow(ScreenId screen, wxWindow* frame, int hostKind, shell::Document& document) {
    EventEditData data{document.events, document.types, document.file};
    switch (screen) {
    case ScreenTitle: return new TMainWindow(frame);
    case ScreenInfoTree: return new TInfoTree(frame, data);
    case ScreenEventList: return new TEventListWindow(frame, data);
    case ScreenCalendar: return new TCalendarWindow(frame, data);
    case ScreenToday: return new TViewWindow(frame, data, hostKind);
    }
    return new TMainWindow(frame);  // not reached: every screen is listed above
}

}  // namespace vorlen
