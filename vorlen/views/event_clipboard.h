// Events on the clipboard and in vCalendar files, for the screens' and the
// main frame's cut, copy, paste, save and import commands. Imports and
// vCalendar pastes take the same road as the console's --import-vcs: the
// events join the end of the list with their categories, and the data is
// marked unsaved.
#pragma once

#include "vorlen/core/event_node.h"
#include "vorlen/views/event_edit_dialog.h"

#include <wx/clipbrd.h>
#include <wx/event.h>
#include <wx/string.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

class wxWindow;

namespace vorlen {

// The registered clipboard formats: one event of this program, and vCalendar
// text ending in a NUL.
inline constexpr char vorlenEventFormat[] = "+//tolvane::vorlen//event";
inline constexpr char vCalendarFormat[] = "+//ISBN 1-887687-00-9::versit::PDI//vCalendar";
inline constexpr char vCalendarFilter[] = "vCalendar Files (*.vcs)|*.vcs|All Files (*.*)|*.*|";

// Chooses a file name in place of the file dialog, so that tests need no
// modal run; "" for Cancel. `filter` is in the "desc|pattern|" form.
using PathChooser = std::function<std::string(const wxString& title, bool save, const char* filter)>;

// What a paste or an import added, and why it added nothing.
struct EventsAdded {
    int count = 0;
    std::string error;  // empty when events came or the user cancelled
};

// Replace the clipboard's contents; false when the clipboard cannot be
// opened. The private format holds a copy of the event, so the event may be
// changed or destroyed afterwards. The vCalendar copy goes as plain text
// too, for other programs.
bool CopyEventToClipboard(const EventNode& event);
bool CopyEventsAsVCalendar(const std::vector<const EventNode*>& events);

// The private or the vCalendar format is on the clipboard. Waits for the
// clipboard owner's answer.
bool ClipboardHasEvents();

// The same question for enabling Paste whenever the program is idle, asked
// in the background: the direct question waits for the owner's answer, up
// to half a minute when that program hangs. Gives the last answer and asks
// again when the last is older than a moment.
class ClipboardWatch : public wxEvtHandler {
public:
    ClipboardWatch();
    bool HasEvents();

private:
    void OnAnswer(wxClipboardEvent& event);

    bool hasEvents_ = false;
    bool asking_ = false;
    std::chrono::steady_clock::time_point answeredAt_;
};

// Appends the clipboard's event (the private format first) or its vCalendar
// events. A failure, or vCalendar data without events, is told in a message
// box over `parent` and returned.
EventsAdded PasteEvents(wxWindow* parent, EventEditData data);

// The save dialog (default extension "vcs", asking before it overwrites),
// then the events written atomically. False when cancelled or not written;
// a write that failed is told in a message box.
bool SaveEventsAsVCalendar(wxWindow* parent, const std::vector<const EventNode*>& events,
                           const PathChooser& choose = {});

// The open dialog, then the file's events appended as by a paste; failures
// are told as there. Cancel adds nothing and says nothing.
EventsAdded ImportVCalendarFile(wxWindow* parent, EventEditData data, const PathChooser& choose = {});

}  // namespace vorlen
