// The runner of vorlen's window tests: a wx application without a main
// window, started before the tests and ended after them. Run under Xvfb.
#include <wx/app.h>
#include <wx/image.h>

#include <gtest/gtest.h>

namespace {

class TestApp : public wxApp {
public:
    bool OnInit() override {
        wxInitAllImageHandlers();
        return true;
    }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(TestApp);

// A failed wx assertion fails the running test instead of opening a
// dialog that nobody would answer.
void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
    ADD_FAILURE_AT(file.utf8_str(), line)
        << "wx assertion in " << func.utf8_str() << ": " << cond.utf8_str() << " " << msg.utf8_str();
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    wxSetAssertHandler(FailOnAssert);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        fprintf(stderr, "cannot start the window system (is DISPLAY set?)\n");
        return 1;
    }
    int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
