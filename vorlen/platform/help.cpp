#include "help.h"

#include "file_io.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpfrm.h>
#include <wx/html/htmlwin.h>
#include <wx/log.h>
#include <wx/module.h>
#include <wx/popupwin.h>
#include <wx/sizer.h>
#include <wx/stdpaths.h>
#include <wx/toplevel.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <memory>

#ifndef VORLEN_HELP_SOURCE_DIR
#define VORLEN_HELP_SOURCE_DIR ""
#endif

namespace vorlen::platform {
namespace {

namespace fs = std::filesystem;

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A whole decimal or 0x-hexadecimal number that fits an int.
bool ParseTopicNumber(const std::string& text, int& number) {
    if (text.empty())
        return false;
    int base = 10;
    size_t start = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        start = 2;
    }
    errno = 0;
    char* end = nullptr;
    long value = std::strtol(text.c_str() + start, &end, base);
    if (end == text.c_str() + start || *end != '\0' || errno == ERANGE || value < 0 ||
        value > std::numeric_limits<int>::max())
        return false;
    number = static_cast<int>(value);
    return true;
}

std::string g_chosenBook;  // set by SetHelpBook; "" means the look-up

HelpBookPlaces PlacesOfThisProcess() {
    HelpBookPlaces places;
    if (const char* dir = std::getenv("VORLEN_HELP_DIR"))
        places.environmentDir = dir;
    // The toolkit knows the program's path on every system but only once
    // the application exists; before that, Linux tells it.
    std::error_code ignored;
    fs::path program = wxTheApp ? fs::path(wxStandardPaths::Get().GetExecutablePath().utf8_string())
                                : fs::read_symlink("/proc/self/exe", ignored);
    places.executableDir = program.parent_path().string();
    places.sourceDir = VORLEN_HELP_SOURCE_DIR;
    return places;
}

// The page of `topic` relative to the book's directory; "" when there is none.
std::string RelativePageOf(const std::string& book, int topic) {
    std::string text;
    if (book.empty() || !ReadWholeFile(book, text))
        return std::string();
    std::map<int, std::string> pages = ReadHelpTopicMap(text);
    auto found = pages.find(topic);
    if (found == pages.end())
        return std::string();
    std::error_code ignored;
    if (!fs::is_regular_file(fs::path(book).parent_path() / found->second, ignored))
        return std::string();
    return found->second;
}

// ---------------------------------------------------------------------------
// The help window: one wxHtmlHelpController over the book in use, made when
// first needed and remade when the book changes.

class HelpWindow {
public:
    static HelpWindow& Get() {
        static HelpWindow instance;
        return instance;
    }

    // The controller with `book` loaded; null when it cannot be loaded.
    wxHtmlHelpController* For(const std::string& book) {
        if (controller_ && book == book_)
            return controller_.get();
        Drop();
        auto controller = std::make_unique<wxHtmlHelpController>(wxHF_DEFAULT_STYLE & ~wxHF_BOOKMARKS);
        // A help window left open must not keep the program running once
        // its own windows are closed.
        controller->SetShouldPreventAppExit(false);
        controller->SetTitleFormat("Vorlen Help - %s");
        if (!controller->AddBook(wxFileName(wxString::FromUTF8(book)), false))
            return nullptr;
        controller_ = std::move(controller);
        book_ = book;
        return controller_.get();
    }

    // Closing (rather than destroying) the window ends the input grab that
    // it holds over a modal dialog, and with it the grab's event loop.
    void Close() {
        if (wxHtmlHelpFrame* frame = controller_ ? controller_->GetFrame() : nullptr)
            frame->Close(true);
    }

    // Deleting the controller closes its window. It must go while the
    // toolkit still runs, so the module below calls this at shut-down.
    void Drop() {
        controller_.reset();
        book_.clear();
    }

private:
    std::unique_ptr<wxHtmlHelpController> controller_;
    std::string book_;
};

// ---------------------------------------------------------------------------
// The pop-up. A transient pop-up window rather than a frame: it takes the
// input even while a modal dialog runs (the Help buttons are all on modal
// dialogs, whose grab would lock out an ordinary frame), and a click
// anywhere else dismisses it, as a help pop-up should. Dismissing only hides
// it; it is a child of the window it pops up over, is reused for the next
// topic over the same window and goes when that window goes.

class HelpPopup;
HelpPopup* g_popup = nullptr;

class HelpPopup : public wxPopupTransientWindow {
public:
    explicit HelpPopup(wxWindow* owner) : wxPopupTransientWindow(owner, wxBORDER_SIMPLE) {
        SetName(kHelpPopupName);
        html_ = new wxHtmlWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxHW_SCROLLBAR_AUTO);
        html_->SetBorders(FromDIP(8));
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(html_, 1, wxEXPAND);
        SetSizer(sizer);

        html_->Bind(wxEVT_HTML_LINK_CLICKED, &HelpPopup::OnLink, this);
        html_->Bind(wxEVT_HTML_CELL_CLICKED, &HelpPopup::OnCellClicked, this);
        Bind(wxEVT_CHAR_HOOK, &HelpPopup::OnKey, this);
        g_popup = this;
    }

    ~HelpPopup() override {
        if (g_popup == this)
            g_popup = nullptr;
    }

    bool Load(const wxString& pageUrl) {
        if (!html_->LoadPage(pageUrl))
            return false;
        SetBackgroundColour(html_->GetBackgroundColour());
        SetClientSize(FitPage());
        Layout();
        return true;
    }

    // Shows the pop-up below and right of the mouse, moved back inside the
    // screen it is on.
    void ShowNearMouse() {
        wxPoint mouse = wxGetMousePosition();
        int index = wxDisplay::GetFromPoint(mouse);
        wxRect screen = wxDisplay(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index)).GetClientArea();
        wxSize size = GetSize();
        wxPoint at = mouse + wxPoint(FromDIP(8), FromDIP(12));
        at.x = std::max(screen.GetLeft(), std::min(at.x, screen.GetRight() - size.x));
        at.y = std::max(screen.GetTop(), std::min(at.y, screen.GetBottom() - size.y));
        Move(at);
        Popup();
    }

private:
    // A fixed width and the page's own height, up to two thirds of the
    // screen (the rest scrolls).
    wxSize FitPage() {
        int width = FromDIP(360);
        int most = std::max(FromDIP(120), wxGetDisplaySize().y * 2 / 3);
        int height = FromDIP(60);
        if (wxHtmlContainerCell* page = html_->GetInternalRepresentation()) {
            page->Layout(width);
            height = page->GetHeight();
        }
        return wxSize(width, std::min(std::max(height, FromDIP(40)), most));
    }

    void OnLink(wxHtmlLinkEvent& event) {
        // A link leads out of the pop-up into the help window; the window is
        // opened once this event is over, as it may run a modal loop.
        wxString target = event.GetLinkInfo().GetHref().BeforeFirst('#');
        Dismiss();
        wxTheApp->CallAfter([target] {
            wxLogNull quiet;
            if (wxHtmlHelpController* controller = HelpWindow::Get().For(HelpBookPath()))
                controller->Display(target);
        });
    }

    void OnCellClicked(wxHtmlCellEvent& event) {
        // A click on the text (not on a link) closes the pop-up.
        wxHtmlCell* cell = event.GetCell();
        if (cell && cell->GetLink(event.GetPoint().x, event.GetPoint().y)) {
            event.Skip();
            return;
        }
        Dismiss();
    }

    void OnKey(wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE)
            Dismiss();
        else
            event.Skip();
    }

    wxHtmlWindow* html_ = nullptr;
};

// `window` as a T when it is one. (wxDynamicCast casts before it checks,
// which the undefined-behaviour sanitizer reports.)
template <typename T>
T* WindowAs(wxWindow* window) {
    return window && window->IsKindOf(wxCLASSINFO(T)) ? static_cast<T*>(window) : nullptr;
}

// The window that a pop-up belongs to: the active window, else the modal
// dialog that runs, else the program's top window.
wxWindow* PopupOwner() {
    if (wxWindow* active = wxGetActiveWindow()) {
        // A pop-up that has the focus counts as a top-level window of its
        // own; the next one goes over the window it belongs to.
        wxWindow* owner = wxGetTopLevelParent(active);
        while (WindowAs<wxPopupWindow>(owner) && owner->GetParent())
            owner = wxGetTopLevelParent(owner->GetParent());
        return owner;
    }
    wxWindow* modal = nullptr;
    for (wxWindow* window : wxTopLevelWindows) {
        auto* dialog = WindowAs<wxDialog>(window);
        if (dialog && dialog->IsModal() && !dialog->IsBeingDeleted())
            modal = dialog;
    }
    if (modal)
        return modal;
    return wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
}

void ClosePopup() {
    if (g_popup && g_popup->IsShown())
        g_popup->Dismiss();
}

bool ShowPopup(const std::string& pagePath) {
    wxWindow* owner = PopupOwner();
    if (!owner)
        return false;
    ClosePopup();
    if (g_popup && g_popup->GetParent() != owner)
        delete g_popup;  // its destructor forgets it
    if (!g_popup)
        new HelpPopup(owner);
    if (!g_popup->Load(wxFileSystem::FileNameToURL(wxFileName(wxString::FromUTF8(pagePath)))))
        return false;
    g_popup->ShowNearMouse();
    return true;
}

// Deletes the help controller when the toolkit shuts down, before the
// window system goes away.
class HelpModule : public wxModule {
public:
    bool OnInit() override { return true; }
    void OnExit() override { HelpWindow::Get().Drop(); }

private:
    wxDECLARE_DYNAMIC_CLASS(HelpModule);
};
wxIMPLEMENT_DYNAMIC_CLASS(HelpModule, wxModule);

}  // namespace

void SetHelpBook(const std::string& projectFile) {
    g_chosenBook = projectFile;
}

std::string HelpBookPath() {
    return g_chosenBook.empty() ? FindHelpBook(PlacesOfThisProcess()) : g_chosenBook;
}

std::vector<std::string> HelpBookCandidates(const HelpBookPlaces& places) {
    std::vector<std::string> candidates;
    auto add = [&](const fs::path& dir) {
        candidates.push_back((dir / kHelpProjectName).lexically_normal().string());
    };
    if (!places.environmentDir.empty())
        add(places.environmentDir);
    if (!places.executableDir.empty()) {
        fs::path exe(places.executableDir);
        add(exe / ".." / "resources" / "help");
        add(exe / ".." / "share" / "vorlen" / "help");
    }
    if (!places.sourceDir.empty())
        add(places.sourceDir);
    return candidates;
}

std::string FindHelpBook(const HelpBookPlaces& places) {
    for (const std::string& candidate : HelpBookCandidates(places)) {
        std::error_code ignored;
        if (fs::is_regular_file(candidate, ignored))
            return candidate;
    }
    return std::string();
}

// wxHtmlHelpController finds numbers only in ID parameters of the contents
// file and skips [MAP] and [ALIAS]. Reading them here keeps one topic map,
// in the form HTML help tools know, and lets the small pages of the
// pop-ups stay out of the contents.
std::map<int, std::string> ReadHelpTopicMap(const std::string& projectText) {
    std::map<std::string, int> numbers;        // [MAP]: name -> number
    std::map<std::string, std::string> pages;  // [ALIAS]: name -> page
    std::string section;
    size_t at = 0;
    while (at < projectText.size()) {
        size_t end = projectText.find('\n', at);
        if (end == std::string::npos)
            end = projectText.size();
        std::string line = Trim(projectText.substr(at, end - at));
        at = end + 1;
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = Lower(Trim(line.substr(1, line.size() - 2)));
            continue;
        }
        if (section == "map") {
            // #define NAME NUMBER
            if (line.compare(0, 7, "#define") != 0 || line.size() == 7 ||
                !std::isspace(static_cast<unsigned char>(line[7])))
                continue;
            std::string rest = Trim(line.substr(7));
            size_t gap = rest.find_first_of(" \t");
            int number = 0;
            if (gap != std::string::npos && ParseTopicNumber(Trim(rest.substr(gap)), number))
                numbers[rest.substr(0, gap)] = number;
        } else if (section == "alias") {
            // NAME=page
            size_t equals = line.find('=');
            if (equals == std::string::npos)
                continue;
            std::string name = Trim(line.substr(0, equals));
            std::string page = Trim(line.substr(equals + 1));
            if (!name.empty() && !page.empty())
                pages[name] = page;
        }
    }
    std::map<int, std::string> topics;
    for (const auto& [name, number] : numbers) {
        auto page = pages.find(name);
        if (page != pages.end())
            topics[number] = page->second;
    }
    return topics;
}

std::string HelpPageOf(int topic) {
    std::string book = HelpBookPath();
    std::string page = RelativePageOf(book, topic);
    if (page.empty())
        return std::string();
    return (fs::path(book).parent_path() / page).lexically_normal().string();
}

bool ShowHelpTopic(int topic, HelpStyle style) {
    // A missing or damaged book is answered with false alone: no message
    // boxes from the toolkit's log.
    wxLogNull quiet;
    std::string book = HelpBookPath();
    std::string page = RelativePageOf(book, topic);
    if (page.empty())
        return false;
    if (style == HelpStyle::Popup)
        return ShowPopup((fs::path(book).parent_path() / page).lexically_normal().string());
    wxHtmlHelpController* controller = HelpWindow::Get().For(book);
    return controller && controller->Display(wxString::FromUTF8(page));
}

bool ShowHelpContents() {
    wxLogNull quiet;
    std::string book = HelpBookPath();
    wxHtmlHelpController* controller = book.empty() ? nullptr : HelpWindow::Get().For(book);
    return controller && controller->DisplayContents();
}

void CloseHelp() {
    ClosePopup();
    HelpWindow::Get().Close();
}

}  // namespace vorlen::platform
