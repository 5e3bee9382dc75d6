// Helpers of the window tests: letting pending events run, answering a
// modal dialog from the test, and saving a screenshot for a person to
// look at.
#pragma once

#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/event.h>
#include <wx/filename.h>
#include <wx/testing.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <functional>
#include <string>

namespace vorlen::test {

// Runs the event loop for a while, so that windows are mapped and painted.
inline void LetEventsRun(int milliseconds = 300) {
    for (int waited = 0; waited < milliseconds; waited += 10) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
}

// Saves what the window shows as a PNG under the build tree's screenshots
// directory; the path, or "" when it could not be saved. Read from the
// window itself through GDK: the toolkit's screen device context keeps
// showing the first picture it took under GTK 3.
inline std::string SaveScreenshot(wxWindow* window, const std::string& name) {
    window->Raise();
    window->Refresh();
    window->Update();
    LetEventsRun(600);
    GdkWindow* drawn = gtk_widget_get_window(window->GetHandle());
    if (!drawn)
        return {};
    GdkPixbuf* picture =
        gdk_pixbuf_get_from_window(drawn, 0, 0, gdk_window_get_width(drawn), gdk_window_get_height(drawn));
    if (!picture)
        return {};
    wxFileName::Mkdir(VORLEN_SCREENSHOT_DIR, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    std::string path = std::string(VORLEN_SCREENSHOT_DIR) + "/" + name + ".png";
    bool saved = gdk_pixbuf_save(picture, path.c_str(), "png", nullptr, NULL);
    g_object_unref(picture);
    return saved ? path : std::string();
}

// Presses a button of a dialog as a user would.
inline void Press(wxWindow* dialog, int id) {
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(dialog->FindWindow(id));
    dialog->FindWindow(id)->GetEventHandler()->ProcessEvent(click);
}

// Shows `dialog` modally and, once its loop runs, does what a user would;
// the code ShowModal gave back.
inline int RunModal(wxDialog& dialog, std::function<void()> user) {
    dialog.CallAfter(std::move(user));
    return dialog.ShowModal();
}

// Answers a modal dialog of type T by calling `answer` on it, which
// returns the code ShowModal gives back.
template <typename T>
class AnswerModal : public wxExpectModalBase<T> {
public:
    explicit AnswerModal(std::function<int(T*)> answer) : answer_(std::move(answer)) {}

protected:
    int OnInvoked(T* dialog) const override { return answer_(dialog); }

private:
    std::function<int(T*)> answer_;
};

}  // namespace vorlen::test
