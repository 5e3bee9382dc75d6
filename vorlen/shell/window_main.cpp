// The window program: the application object's start-up, its main frame
// and the message loop. `vorlen` starts it for every command line that is
// not a console command.
#include "vorlen/core/date_time.h"
#include "vorlen/platform/locale_format.h"
#include "vorlen/shell/application.h"
#include "vorlen/shell/main_frame.h"

#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/image.h>
#include <wx/init.h>

#include <cstdlib>
#include <iostream>
#include <memory>

namespace {

class VorlenWxApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

// For the start-up benchmark: the process ends as soon as the main frame
// has painted its first screen.
void EndAfterFirstPaint(vorlen::TVorlenApp& app) {
    if (wxWindow* screen = app.Frame() ? app.Frame()->Screen() : nullptr)
        screen->Bind(wxEVT_PAINT, [](wxPaintEvent& event) {
            event.Skip();
            wxTheApp->CallAfter([] { std::_Exit(0); });
        });
}

}  // namespace

int main(int argc, char** argv) {
    vorlen::platform::SetFormatLocale("");
    vorlen::ReadDateSettingsFromLocale();
    wxApp::SetInstance(new VorlenWxApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::cerr << "vorlen: cannot open the display; the console commands work without one (vorlen --help)\n";
        wxEntryCleanup();
        return 1;
    }
    wxInitAllImageHandlers();
    wxTheApp->SetAppName("Tolvane Vorlen");
    vorlen::shell::StartupFacts facts;
    facts.args.assign(argv + 1, argv + argc);
    facts.today = vorlen::Date::Today();
    facts.now = vorlen::Time::Now();
    int code;
    {
        auto app = std::make_unique<vorlen::TVorlenApp>(facts);
        code = app->Construct();
        if (code == vorlen::keepRunning) {
            app->CreateMainWindow();
            if (std::getenv("VORLEN_EXIT_AFTER_FIRST_PAINT"))
                EndAfterFirstPaint(*app);
            // After the frame's first paint: the desktop's database tools
            // take a while.
            std::string programPath = argv[0];
            wxTheApp->CallAfter([&app, programPath] { app->RegisterFileTypeUnlessOptedOut(programPath); });
            code = wxTheApp->OnRun();
            // X keeps no clipboard without its owner: hand what was copied
            // to the desktop's clipboard manager, where one runs.
            wxTheClipboard->Flush();
        }
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return code;
}
