// The start-up benchmark's peer: the least a wxWidgets program does to show
// a frame. It ends once its frame has been painted for the first time.
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/panel.h>

#include <cstdlib>

namespace {

class MinimalApp : public wxApp {
public:
    bool OnInit() override {
        auto* frame = new wxFrame(nullptr, wxID_ANY, "Minimal frame", wxDefaultPosition, wxSize(760, 560));
        auto* client = new wxPanel(frame);
        client->Bind(wxEVT_PAINT, [](wxPaintEvent& event) {
            event.Skip();
            wxTheApp->CallAfter([] { std::_Exit(0); });
        });
        frame->Show();
        return true;
    }
};

}  // namespace

wxIMPLEMENT_APP(MinimalApp);
