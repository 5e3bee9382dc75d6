// The other process of the clipboard round trip: a second program on the
// same display.
//   clipboard_peer copy FILE.vcs  copies the file's events as vCalendar,
//                                 says "copied N" and keeps the clipboard
//                                 until its standard input closes (X has no
//                                 clipboard without its owner);
//   clipboard_peer paste          pastes and prints one line per event.
#include "vorlen/store/data_file.h"
#include "vorlen/store/vcalendar.h"
#include "vorlen/views/event_clipboard.h"

#include <poll.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/timer.h>

#include <cstdio>
#include <cstring>

namespace {

// Its arguments are not the toolkit's options.
class PeerApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

// Ends the event loop once standard input is closed.
class StdinWatch : public wxTimer {
public:
    void Notify() override {
        pollfd in{STDIN_FILENO, POLLIN, 0};
        char byte;
        if (poll(&in, 1, 0) > 0 && read(STDIN_FILENO, &byte, 1) <= 0)
            wxTheApp->ExitMainLoop();
    }
};

int Copy(const char* path) {
    vorlen::store::vSup calendar;
    std::string error;
    if (!calendar.LoadFromFile(path, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::vector<const vorlen::EventNode*> events;
    for (const vorlen::EventNode& event : calendar.Imported())
        events.push_back(&event);
    if (!vorlen::CopyEventsAsVCalendar(events))
        return 1;
    std::printf("copied %zu\n", events.size());
    std::fflush(stdout);
    StdinWatch watch;
    watch.Start(50);
    wxTheApp->OnRun();
    return 0;
}

int Paste() {
    vorlen::Eventlist events;
    vorlen::Typelist types;
    vorlen::store::DataFile file;
    if (!vorlen::ClipboardHasEvents()) {
        std::printf("no events\n");
        return 1;
    }
    vorlen::PasteEvents(nullptr, {events, types, file});
    for (const vorlen::EventNode& event : events)
        std::printf("%s|%s|%s\n", std::string(event.description.view()).c_str(),
                    event.startDate.CompactText().c_str(), std::string(event.typeName.view()).c_str());
    return 0;
}

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(PeerApp);

int main(int argc, char** argv) {
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return 2;
    int result = argc == 3 && std::strcmp(argv[1], "copy") == 0    ? Copy(argv[2])
                 : argc == 2 && std::strcmp(argv[1], "paste") == 0 ? Paste()
                                                                   : 2;
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
