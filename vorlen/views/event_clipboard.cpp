#include "event_clipboard.h"

#include "vorlen/core/imported_events.h"
#include "vorlen/platform/file_io.h"
#include "vorlen/platform/wx_text.h"
#include "vorlen/store/clipboard_event.h"
#include "vorlen/store/vcalendar.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/evtloop.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include <memory>

namespace vorlen {
namespace {

using platform::FileNameFromWx;
using platform::FileNameToWx;
using platform::ToWx;

constexpr char saveTitle[] = "Save As vCalendar";
constexpr char importTitle[] = "Import vCalendar";

// Opened for one use and closed on every way out.
class OpenClipboard {
public:
    OpenClipboard() : open_(wxTheClipboard->Open()) {}
    ~OpenClipboard() {
        if (open_)
            wxTheClipboard->Close();
    }
    OpenClipboard(const OpenClipboard&) = delete;
    OpenClipboard& operator=(const OpenClipboard&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_;
};

// Losing the clipboard to another program arrives as an event. Handled
// while the toolkit waits for the new owner's answer, it ends that wait as
// if the format were missing; so the clipboard's waiting events go first.
void HandleClipboardNews() {
    wxEventLoopGuarantor loop;
    wxEventLoopBase::GetActive()->YieldFor(wxEVT_CATEGORY_CLIPBOARD);
}

std::unique_ptr<wxCustomDataObject> CustomData(const char* format, const std::string& bytes) {
    auto data = std::make_unique<wxCustomDataObject>(wxDataFormat(format));
    data->SetData(bytes.size(), bytes.data());
    return data;
}

bool PlaceOnClipboard(wxDataObject* data) {
    std::unique_ptr<wxDataObject> owned(data);
    OpenClipboard clipboard;
    // SetData replaces what was there and takes the object.
    return clipboard && wxTheClipboard->SetData(owned.release());
}

// The bytes under `format`, false when the clipboard has none.
bool ReadClipboard(const OpenClipboard& clipboard, const char* format, std::string& bytes) {
    wxDataFormat wanted(format);
    if (!clipboard || !wxTheClipboard->IsSupported(wanted))
        return false;
    wxCustomDataObject data(wanted);
    if (!wxTheClipboard->GetData(data))
        return false;
    bytes.assign(static_cast<const char*>(data.GetData()), data.GetSize());
    return true;
}

std::string CalendarText(const std::vector<const EventNode*>& events) {
    store::vSup calendar;
    for (const EventNode* event : events)
        calendar.AddEvent(*event);
    return calendar.WriteToMemory();
}

void ShowError(wxWindow* parent, const std::string& text) {
    wxMessageBox(ToWx(text), "Error", wxOK | wxICON_ERROR, parent);
}

// The events join the data, or the reason why none did is told.
EventsAdded Join(wxWindow* parent, Eventlist& imported, EventEditData data, const std::string& emptyText) {
    EventsAdded added;
    added.count = AppendImportedEvents(imported, data.events, data.types);
    if (added.count > 0) {
        data.file.saved = 0;
    } else {
        added.error = emptyText;
        wxMessageBox(ToWx(emptyText), "Notice", wxOK | wxICON_INFORMATION, parent);
    }
    return added;
}

EventsAdded Failed(wxWindow* parent, std::string error) {
    ShowError(parent, error);
    return {0, std::move(error)};
}

EventsAdded PastePrivate(wxWindow* parent, const std::string& bytes, EventEditData data) {
    EventNode event;
    if (!store::DeserialiseEvent(bytes, event))
        return Failed(parent, "The event on the clipboard cannot be read.");
    Eventlist pasted;
    pasted.AddCopy(event);
    return Join(parent, pasted, data, {});
}

EventsAdded PasteCalendar(wxWindow* parent, std::string text, EventEditData data) {
    // The format's text ends in a NUL; whatever follows it is no part of it.
    text.resize(std::min(text.size(), text.find('\0')));
    store::vSup calendar;
    std::string error;
    if (!calendar.LoadFromText(text, &error))
        return Failed(parent, "Cannot paste the clipboard's events: " + error);
    return Join(parent, calendar.Imported(), data, "The vCalendar data on the clipboard holds no events.");
}

std::string ShowFileDialog(wxWindow* parent, const wxString& title, bool save, const char* filter) {
    std::string wildcard(filter);
    wildcard.pop_back();  // wx takes the pairs without the closing bar
    long style = save ? wxFD_SAVE | wxFD_OVERWRITE_PROMPT : wxFD_OPEN | wxFD_FILE_MUST_EXIST;
    wxFileDialog dialog(parent, title, wxEmptyString, wxEmptyString, wildcard, style);
    return dialog.ShowModal() == wxID_OK ? FileNameFromWx(dialog.GetPath()) : std::string();
}

std::string ChooseFile(wxWindow* parent, const PathChooser& choose, const char* title, bool save) {
    return choose ? choose(title, save, vCalendarFilter)
                  : ShowFileDialog(parent, title, save, vCalendarFilter);
}

// The dialog asked about the name as chosen; one that the default extension
// changed into an existing file's is asked about here.
bool MayWrite(wxWindow* parent, const std::string& chosen, const std::string& name) {
    if (chosen == name || !wxFileName::FileExists(FileNameToWx(name)))
        return true;
    return wxMessageBox(ToWx(name) + " already exists.\nDo you want to replace it?", saveTitle,
                        wxYES_NO | wxICON_WARNING, parent) == wxYES;
}

}  // namespace

bool CopyEventToClipboard(const EventNode& event) {
    return PlaceOnClipboard(CustomData(vorlenEventFormat, store::SerialiseEvent(event)).release());
}

bool CopyEventsAsVCalendar(const std::vector<const EventNode*>& events) {
    std::string text = CalendarText(events);
    auto data = std::make_unique<wxDataObjectComposite>();
    data->Add(CustomData(vCalendarFormat, text + '\0').release(), true);
    data->Add(new wxTextDataObject(ToWx(text)));
    return PlaceOnClipboard(data.release());
}

bool ClipboardHasEvents() {
    HandleClipboardNews();
    return wxTheClipboard->IsSupported(wxDataFormat(vorlenEventFormat)) ||
           wxTheClipboard->IsSupported(wxDataFormat(vCalendarFormat));
}

ClipboardWatch::ClipboardWatch() {
    Bind(wxEVT_CLIPBOARD_CHANGED, &ClipboardWatch::OnAnswer, this);
}

bool ClipboardWatch::HasEvents() {
    // Each answer brings an idle time, and each idle time a question:
    // without a pause the two would keep the program busy.
    constexpr auto pause = std::chrono::milliseconds(300);
    if (!asking_ && std::chrono::steady_clock::now() - answeredAt_ >= pause)
        asking_ = wxTheClipboard->IsSupportedAsync(this);
    return hasEvents_;
}

void ClipboardWatch::OnAnswer(wxClipboardEvent& event) {
    hasEvents_ = event.SupportsFormat(wxDataFormat(vorlenEventFormat)) ||
                 event.SupportsFormat(wxDataFormat(vCalendarFormat));
    asking_ = false;
    answeredAt_ = std::chrono::steady_clock::now();
}

EventsAdded PasteEvents(wxWindow* parent, EventEditData data) {
    HandleClipboardNews();
    std::string bytes;
    bool own = false;
    bool calendar = false;
    {
        OpenClipboard clipboard;
        if (!clipboard)
            return Failed(parent, "Cannot open the clipboard.");
        own = ReadClipboard(clipboard, vorlenEventFormat, bytes);
        calendar = !own && ReadClipboard(clipboard, vCalendarFormat, bytes);
    }
    if (own)
        return PastePrivate(parent, bytes, data);
    if (calendar)
        return PasteCalendar(parent, std::move(bytes), data);
    return Failed(parent, "The clipboard holds no events.");
}

bool SaveEventsAsVCalendar(wxWindow* parent, const std::vector<const EventNode*>& events,
                           const PathChooser& choose) {
    std::string chosen = ChooseFile(parent, choose, saveTitle, true);
    std::string name = platform::WithDefaultExtension(chosen, "vcs");
    if (name.empty() || !MayWrite(parent, chosen, name))
        return false;
    std::string error;
    if (platform::WriteFileAtomically(name, CalendarText(events), &error))
        return true;
    ShowError(parent, "The events were not saved: " + error);
    return false;
}

EventsAdded ImportVCalendarFile(wxWindow* parent, EventEditData data, const PathChooser& choose) {
    std::string name = ChooseFile(parent, choose, importTitle, false);
    if (name.empty())
        return {};
    store::vSup calendar;
    std::string error;
    if (!calendar.LoadFromFile(name, &error))
        return Failed(parent, error);
    return Join(parent, calendar.Imported(), data, name + " holds no events.");
}

}  // namespace vorlen
