// The program's help: an HTML help book (vorlen.hhp with its contents,
// index and pages) shown by topic number, either in the help window or as
// a small pop-up beside the mouse.
//
// The book's [MAP] section gives each topic number a name
// ("#define IDH_BOOTUP 113") and its [ALIAS] section gives each name a page
// ("IDH_BOOTUP=bootup.html"); that pair is the one topic map the program
// reads.
//
// Where the book is found, unless SetHelpBook names one: the first of
//   1. $VORLEN_HELP_DIR/vorlen.hhp
//   2. <directory of the executable>/../resources/help/vorlen.hhp  (build tree)
//   3. <directory of the executable>/../share/vorlen/help/vorlen.hhp  (installed)
//   4. the source tree's vorlen/resources/help/vorlen.hhp, compiled in
// that exists.
//
// The showing functions need a running wx application and the user-interface
// thread; HelpPageOf and the book look-up do not.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace vorlen::platform {

inline constexpr char kHelpProjectName[] = "vorlen.hhp";
// Window name of the pop-up (a child of the window it appears over), by
// which wxWindow::FindWindowByName finds it.
inline constexpr char kHelpPopupName[] = "vorlenHelpPopup";

enum class HelpStyle {
    // The help window, with contents, index and search beside the page.
    // Called while a modal dialog runs, the window takes the input for
    // itself and the call returns when the user closes it (under GTK).
    Window,
    // A small borderless pop-up beside the mouse with the page alone, over
    // the active window (else the running modal dialog, else the program's
    // top window). A click on its text, Escape or a click elsewhere closes
    // it; a link in it opens its target in the help window.
    Popup,
};

// Uses the book at `projectFile` (a .hhp file) from now on; an empty path
// goes back to the look-up above. Nothing is read until the book is needed.
void SetHelpBook(const std::string& projectFile);

// The book in use: the one set, else the first that the look-up finds;
// "" when there is none.
std::string HelpBookPath();

// The facts the look-up starts from, passed in so that it can be tested.
struct HelpBookPlaces {
    std::string environmentDir;  // $VORLEN_HELP_DIR, "" when not set
    std::string executableDir;   // directory of the running program
    std::string sourceDir;       // the source tree's help directory
};
// The candidate project files, in the order of the look-up (places that are
// empty are left out).
std::vector<std::string> HelpBookCandidates(const HelpBookPlaces& places);
// The first candidate that exists; "" when none does.
std::string FindHelpBook(const HelpBookPlaces& places);

// Topic number to page (relative to the project file's directory) from the
// text of a project file. Lines of other sections, comments (";"), names
// without a page and pages without a number are left out; numbers may be
// decimal or hexadecimal (0x...).
std::map<int, std::string> ReadHelpTopicMap(const std::string& projectText);

// Full path of the page of `topic` in the book in use; "" when the book
// cannot be read, the topic is not in its map or the page file is missing.
std::string HelpPageOf(int topic);

// Shows the page of `topic`. False, with nothing shown and nothing logged,
// when the book cannot be loaded or the topic has no page (and for a pop-up
// when the program has no window to show it over).
bool ShowHelpTopic(int topic, HelpStyle style);

// Opens the help window at the book's contents page.
bool ShowHelpContents();

// Closes the help window and the pop-up, if they are open.
void CloseHelp();

}  // namespace vorlen::platform
