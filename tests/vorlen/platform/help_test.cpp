// The help book and the help layer. The window tests need a running wx
// application (the window test runner starts one under Xvfb).
#include "vorlen/platform/help.h"

#include "../gui/gui_support.h"
#include "../support/temp_dir.h"

#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/html/helpdata.h>
#include <wx/html/helpfrm.h>
#include <wx/html/helpwnd.h>
#include <wx/html/htmlwin.h>
#include <wx/log.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

namespace vorlen::platform {
namespace {

namespace fs = std::filesystem;
using test::LetEventsRun;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// Chooses a book for one test and goes back to the look-up afterwards.
class BookGuard {
public:
    explicit BookGuard(const std::string& book) { SetHelpBook(book); }
    ~BookGuard() {
        CloseHelp();
        LetEventsRun(100);
        SetHelpBook("");
    }
};

// Counts the messages sent to wx's log while it is alive.
class CountingLog : public wxLog {
public:
    CountingLog() : previous_(wxLog::SetActiveTarget(this)) {}
    ~CountingLog() override { wxLog::SetActiveTarget(previous_); }
    int count = 0;

protected:
    void DoLogRecord(wxLogLevel, const wxString&, const wxLogRecordInfo&) override { ++count; }

private:
    wxLog* previous_;
};

std::string TitleOf(const std::string& html) {
    std::smatch match;
    static const std::regex title("<title>([^<]*)</title>", std::regex::icase);
    return std::regex_search(html, match, title) ? match[1].str() : std::string();
}

std::string ShippedBookDir() {
    return fs::path(HelpBookPath()).parent_path().string();
}

template <typename T>
T* WindowAs(wxWindow* window) {
    return window && window->IsKindOf(wxCLASSINFO(T)) ? static_cast<T*>(window) : nullptr;
}

wxHtmlHelpFrame* FindHelpFrame() {
    for (wxWindow* window : wxTopLevelWindows) {
        auto* frame = WindowAs<wxHtmlHelpFrame>(window);
        if (frame && !frame->IsBeingDeleted())
            return frame;
    }
    return nullptr;
}

std::string PageShownIn(wxHtmlWindow* html) {
    return html ? std::string(html->GetOpenedPage().utf8_str()) : std::string();
}

std::string PageShownInHelpFrame() {
    wxHtmlHelpFrame* frame = FindHelpFrame();
    return frame ? PageShownIn(frame->GetHelpWindow()->GetHtmlWindow()) : std::string();
}

wxWindow* FindPopup() {
    return wxWindow::FindWindowByName(kHelpPopupName);
}

wxHtmlWindow* HtmlWindowOf(wxWindow* window) {
    for (wxWindow* child : window->GetChildren())
        if (auto* html = WindowAs<wxHtmlWindow>(child))
            return html;
    return nullptr;
}

// The first cell of the page that is a link.
const wxHtmlCell* FindLinkCell(const wxHtmlCell* cell) {
    for (; cell; cell = cell->GetNext()) {
        if (cell->GetLink())
            return cell;
        if (const wxHtmlCell* inner = FindLinkCell(cell->GetFirstChild()))
            return inner;
    }
    return nullptr;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A frame for pop-ups to appear over, shown and given time to be mapped.
class OwnerFrame {
public:
    OwnerFrame() : frame_(new wxFrame(nullptr, wxID_ANY, "Owner", wxPoint(40, 40), wxSize(500, 400))) {
        frame_->Show();
        frame_->Raise();
        LetEventsRun();
    }
    ~OwnerFrame() {
        frame_->Destroy();
        LetEventsRun(100);
    }

private:
    wxFrame* frame_;
};

// ---------------------------------------------------------------------------

TEST(HelpTopicMap, ReadsNumbersFromMapAndPagesFromAlias) {
    const std::string project =
        "[OPTIONS]\r\n"
        "Title=Test\r\n"
        "#define IDH_IN_OPTIONS 5\r\n"  // only [MAP] gives numbers
        "\r\n"
        "[map]\r\n"
        "; a comment\r\n"
        "#define IDH_ONE    1\r\n"
        "  #define\tIDH_HEX 0x71  \r\n"
        "#define IDH_NO_PAGE 7\r\n"
        "#defineIDH_GLUED 8\r\n"
        "#define IDH_BAD 12x\r\n"
        "#define IDH_NEGATIVE -3\r\n"
        "#define IDH_TOO_BIG 99999999999\r\n"
        "#define IDH_IN_OPTIONS_TOO 6\r\n"
        "\r\n"
        "[Alias]\r\n"
        "IDH_ONE = one.html\r\n"
        "IDH_HEX=sub/hex.html\r\n"
        "IDH_GLUED=glued.html\r\n"
        "IDH_BAD=bad.html\r\n"
        "IDH_NEGATIVE=negative.html\r\n"
        "IDH_TOO_BIG=big.html\r\n"
        "IDH_IN_OPTIONS=options.html\r\n"
        "IDH_IN_OPTIONS_TOO=\r\n"
        "IDH_WITHOUT_NUMBER=lost.html\r\n";
    std::map<int, std::string> expected{{1, "one.html"}, {0x71, "sub/hex.html"}};
    EXPECT_EQ(ReadHelpTopicMap(project), expected);
}

TEST(HelpTopicMap, EmptyOrForeignTextGivesNoTopics) {
    EXPECT_TRUE(ReadHelpTopicMap("").empty());
    EXPECT_TRUE(ReadHelpTopicMap("#define IDH_A 1\nIDH_A=a.html\n").empty());  // outside any section
    EXPECT_TRUE(ReadHelpTopicMap("[MAP]\n#define IDH_A 1\n[FILES]\nIDH_A=a.html\n").empty());
}

// ---------------------------------------------------------------------------

TEST(HelpBookLookup, CandidatesFollowTheDocumentedOrder) {
    HelpBookPlaces places{"/env/help", "/opt/vorlen/bin", "/src/vorlen/resources/help"};
    std::vector<std::string> expected{
        "/env/help/vorlen.hhp",
        "/opt/vorlen/resources/help/vorlen.hhp",
        "/opt/vorlen/share/vorlen/help/vorlen.hhp",
        "/src/vorlen/resources/help/vorlen.hhp",
    };
    EXPECT_EQ(HelpBookCandidates(places), expected);

    places.environmentDir.clear();
    places.executableDir.clear();
    EXPECT_EQ(HelpBookCandidates(places), std::vector<std::string>{"/src/vorlen/resources/help/vorlen.hhp"});
}

TEST(HelpBookLookup, TheFirstExistingBookWins) {
    TempDir dir;
    std::string env = dir.File("env");
    std::string build = dir.File("build/vorlen/resources/help");
    std::string installed = dir.File("build/vorlen/share/vorlen/help");
    std::string source = dir.File("source");
    for (const std::string& place : {env, build, installed, source})
        fs::create_directories(place);
    HelpBookPlaces places{env, dir.File("build/vorlen/shell"), source};
    EXPECT_EQ(FindHelpBook(places), "");

    WriteFile(source + "/vorlen.hhp", "[OPTIONS]\n");
    EXPECT_EQ(FindHelpBook(places), source + "/vorlen.hhp");
    WriteFile(installed + "/vorlen.hhp", "[OPTIONS]\n");
    EXPECT_EQ(FindHelpBook(places), installed + "/vorlen.hhp");
    WriteFile(build + "/vorlen.hhp", "[OPTIONS]\n");
    EXPECT_EQ(FindHelpBook(places), build + "/vorlen.hhp");
    WriteFile(env + "/vorlen.hhp", "[OPTIONS]\n");
    EXPECT_EQ(FindHelpBook(places), env + "/vorlen.hhp");

    fs::create_directories(dir.File("dir.hhp/vorlen.hhp"));  // a directory is no book
    EXPECT_EQ(FindHelpBook(HelpBookPlaces{dir.File("dir.hhp"), "", ""}), "");
}

TEST(HelpBookLookup, ThisProgramFindsTheShippedBook) {
    SetHelpBook("");
    std::string book = HelpBookPath();
    ASSERT_FALSE(book.empty());
    EXPECT_TRUE(fs::is_regular_file(book));
    EXPECT_EQ(fs::path(book).filename(), kHelpProjectName);
    EXPECT_NE(ReadFile(book).find("Title=Vorlen Help"), std::string::npos);
}

// ---------------------------------------------------------------------------

TEST(ShippedHelpBook, EveryTopicOpensAPageAboutItsSubject) {
    SetHelpBook("");
    const std::vector<std::pair<int, std::string>> topics{
        {100, "Contact Information"},
        {101, "Event Properties"},
        {102, "Description"},
        {103, "Category"},
        {104, "Where"},
        {105, "Advance Warning"},
        {106, "Start Date"},
        {107, "Finish Date"},
        {108, "Expires"},
        {109, "Period Type"},
        {110, "Monthly by Position"},
        {111, "Every"},
        {113, "Start-up Reminder"},
        {114, "File Information"},
        {117, "Automatically Delete"},
        {118, "Categories"},
        {119, "Options"},
        {122, "Reassign Category"},
        {124, "Extra Information"},
        {125, "Sound"},
        {126, "Alarm"},
        {127, "Appointment Alarm"},
        {128, "Setup Wizard"},
        {130, "Compress Database"},
    };
    std::set<std::string> pages;
    for (const auto& [topic, subject] : topics) {
        SCOPED_TRACE("topic " + std::to_string(topic));
        std::string page = HelpPageOf(topic);
        ASSERT_FALSE(page.empty());
        EXPECT_EQ(fs::path(page).parent_path(), fs::path(ShippedBookDir()));
        EXPECT_NE(TitleOf(ReadFile(page)).find(subject), std::string::npos) << page;
        pages.insert(page);
    }
    EXPECT_EQ(pages.size(), topics.size()) << "two topics share a page";
}

TEST(ShippedHelpBook, NumbersOutsideTheMapHaveNoPage) {
    BookGuard guard("");
    for (int topic : {-1, 0, 1, 99, 112, 115, 116, 120, 121, 123, 129, 24399}) {
        SCOPED_TRACE("topic " + std::to_string(topic));
        EXPECT_EQ(HelpPageOf(topic), "");
        EXPECT_FALSE(ShowHelpTopic(topic, HelpStyle::Window));
        EXPECT_FALSE(ShowHelpTopic(topic, HelpStyle::Popup));
    }
    EXPECT_EQ(FindHelpFrame(), nullptr);
}

TEST(ShippedHelpBook, EveryFileAndLinkOfTheBookIsThere) {
    SetHelpBook("");
    std::string dir = ShippedBookDir();
    std::string project = ReadFile(HelpBookPath());

    // The project's files, the contents and index entries and the links of
    // every page must name files of the book; pages use nothing but HTML.
    static const std::regex named("(?:Default topic|Contents file|Index file)=(\\S+)");
    static const std::regex local("<param name=\"Local\" value=\"([^\"#]+)");
    static const std::regex href("href=\"([^\":#]+)");
    std::set<std::string> listed;
    for (std::sregex_iterator it(project.begin(), project.end(), named), end; it != end; ++it)
        EXPECT_TRUE(fs::is_regular_file(dir + "/" + (*it)[1].str())) << (*it)[1];
    for (const char* sitemap : {"vorlen.hhc", "vorlen.hhk"}) {
        std::string text = ReadFile(dir + "/" + sitemap);
        for (std::sregex_iterator it(text.begin(), text.end(), local), end; it != end; ++it) {
            EXPECT_TRUE(fs::is_regular_file(dir + "/" + (*it)[1].str())) << sitemap << ": " << (*it)[1];
            listed.insert((*it)[1].str());
        }
    }
    int pages = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() != ".html")
            continue;
        ++pages;
        std::string name = entry.path().filename().string();
        std::string text = ReadFile(entry.path().string());
        EXPECT_NE(project.find("\n" + name + "\n"), std::string::npos) << name << " is not in [FILES]";
        EXPECT_FALSE(TitleOf(text).empty()) << name;
        EXPECT_EQ(text.find("<script"), std::string::npos) << name;
        EXPECT_EQ(text.find("stylesheet"), std::string::npos) << name;
        for (std::sregex_iterator it(text.begin(), text.end(), href), end; it != end; ++it)
            EXPECT_TRUE(fs::is_regular_file(dir + "/" + (*it)[1].str())) << name << " links " << (*it)[1];
    }
    EXPECT_GT(pages, 0);
    EXPECT_GT(listed.size(), 10u);
}

// ---------------------------------------------------------------------------

TEST(HelpWithoutABook, AMissingBookShowsNothingAndLogsNothing) {
    ASSERT_NE(wxTheApp, nullptr);
    TempDir dir;
    BookGuard guard(dir.File("missing/vorlen.hhp"));
    OwnerFrame owner;
    CountingLog log;
    size_t windows = wxTopLevelWindows.size();
    EXPECT_EQ(HelpPageOf(119), "");
    EXPECT_FALSE(ShowHelpTopic(119, HelpStyle::Window));
    EXPECT_FALSE(ShowHelpTopic(113, HelpStyle::Popup));
    EXPECT_FALSE(ShowHelpContents());
    LetEventsRun(100);
    EXPECT_EQ(wxTopLevelWindows.size(), windows);
    EXPECT_EQ(FindPopup(), nullptr);
    EXPECT_EQ(log.count, 0);
}

TEST(HelpWithoutABook, ADamagedBookShowsOnlyWhatItHasAndLogsNothing) {
    TempDir dir;
    // A map whose second page is missing and no contents or index files.
    WriteFile(
        dir.File("vorlen.hhp"),
        "[OPTIONS]\nTitle=Damaged\nDefault topic=here.html\nContents file=gone.hhc\nIndex file=gone.hhk\n"
        "[MAP]\n#define IDH_HERE 113\n#define IDH_GONE 114\n"
        "[ALIAS]\nIDH_HERE=here.html\nIDH_GONE=gone.html\n");
    WriteFile(dir.File("here.html"), "<html><head><title>Here</title></head><body>Here.</body></html>");
    BookGuard guard(dir.File("vorlen.hhp"));
    OwnerFrame owner;
    CountingLog log;

    EXPECT_EQ(HelpPageOf(114), "");
    EXPECT_FALSE(ShowHelpTopic(114, HelpStyle::Window));
    EXPECT_FALSE(ShowHelpTopic(114, HelpStyle::Popup));
    EXPECT_EQ(HelpPageOf(113), dir.File("here.html"));
    EXPECT_TRUE(ShowHelpTopic(113, HelpStyle::Window));
    LetEventsRun();
    EXPECT_TRUE(EndsWith(PageShownInHelpFrame(), "/here.html"));
    EXPECT_EQ(log.count, 0);
}

// ---------------------------------------------------------------------------

TEST(HelpWindow, ShowsEachTopicInOneWindowUntilClosed) {
    BookGuard guard("");
    ASSERT_TRUE(ShowHelpTopic(119, HelpStyle::Window));
    LetEventsRun();
    wxHtmlHelpFrame* frame = FindHelpFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsShown());
    EXPECT_TRUE(EndsWith(PageShownInHelpFrame(), "/options.html"));
    EXPECT_NE(frame->GetTitle().Find("Vorlen Help"), wxNOT_FOUND) << frame->GetTitle();

    // The book was loaded from the place the look-up found.
    const wxHtmlBookRecArray& books = frame->GetHelpWindow()->GetData()->GetBookRecArray();
    ASSERT_EQ(books.size(), 1u);
    EXPECT_EQ(books[0].GetTitle(), "Vorlen Help");
    EXPECT_EQ(fs::path(wxFileSystem::URLToFileName(books[0].GetBasePath()).GetFullPath().utf8_string()),
              fs::path(ShippedBookDir() + "/"));
    EXPECT_GT(frame->GetHelpWindow()->GetData()->GetContentsArray().size(), 5u);

    ASSERT_TRUE(ShowHelpTopic(127, HelpStyle::Window));
    LetEventsRun();
    EXPECT_EQ(FindHelpFrame(), frame);
    EXPECT_TRUE(EndsWith(PageShownInHelpFrame(), "/appointment_alarm.html"));

    ASSERT_TRUE(ShowHelpContents());
    LetEventsRun();
    EXPECT_TRUE(EndsWith(PageShownInHelpFrame(), "/contents.html"));

    CloseHelp();
    LetEventsRun();
    EXPECT_EQ(FindHelpFrame(), nullptr);

    // It opens again after being closed.
    ASSERT_TRUE(ShowHelpTopic(101, HelpStyle::Window));
    LetEventsRun();
    EXPECT_TRUE(EndsWith(PageShownInHelpFrame(), "/event_properties.html"));
}

TEST(HelpWindow, OpensOverAModalDialogAndReturnsWhenClosed) {
    BookGuard guard("");
    bool shown = false;
    std::string page;
    {
        wxDialog dialog(nullptr, wxID_ANY, "Event Properties", wxPoint(20, 20), wxSize(300, 200));
        wxTheApp->CallAfter([&] {
            // Runs inside the help window's own loop when it holds the input.
            wxTheApp->CallAfter([&] {
                LetEventsRun();
                page = PageShownInHelpFrame();
                CloseHelp();
            });
            shown = ShowHelpTopic(101, HelpStyle::Window);
            LetEventsRun(100);
            dialog.EndModal(wxID_OK);
        });
        dialog.ShowModal();
    }
    EXPECT_TRUE(shown);
    EXPECT_TRUE(EndsWith(page, "/event_properties.html")) << page;
    LetEventsRun();
    EXPECT_EQ(FindHelpFrame(), nullptr);
}

// ---------------------------------------------------------------------------

TEST(HelpPopup, ShowsThePageBesideTheMouse) {
    BookGuard guard("");
    OwnerFrame owner;
    wxUIActionSimulator mouse;
    wxPoint at(300, 200);
    mouse.MouseMove(at);
    LetEventsRun(100);

    ASSERT_TRUE(ShowHelpTopic(113, HelpStyle::Popup));
    LetEventsRun();
    wxWindow* popup = FindPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->IsShown());
    EXPECT_TRUE(EndsWith(PageShownIn(HtmlWindowOf(popup)), "/bootup.html"));
    wxRect rect = popup->GetScreenRect();
    EXPECT_GE(rect.x, at.x);
    EXPECT_LE(rect.x, at.x + 40);
    EXPECT_GE(rect.y, at.y);
    EXPECT_LE(rect.y, at.y + 40);
    wxHtmlWindow* html = HtmlWindowOf(popup);
    EXPECT_GT(rect.height, 60) << "the page should set the height";
    EXPECT_LE(html->GetVirtualSize().y, html->GetClientSize().y) << "the page is cut off";
    EXPECT_TRUE(wxRect(wxGetDisplaySize()).Contains(rect));
    EXPECT_FALSE(test::SaveScreenshot(popup, "help_popup").empty());
    EXPECT_EQ(FindHelpFrame(), nullptr) << "a pop-up opens no help window";

    // The next topic reuses the pop-up.
    ASSERT_TRUE(ShowHelpTopic(114, HelpStyle::Popup));
    LetEventsRun();
    EXPECT_EQ(FindPopup(), popup);
    EXPECT_TRUE(EndsWith(PageShownIn(HtmlWindowOf(popup)), "/file_information.html"));

    mouse.Char(WXK_ESCAPE);
    LetEventsRun();
    EXPECT_FALSE(popup->IsShown()) << "Escape leaves it open";
}

TEST(HelpPopup, StaysInsideTheScreenNearItsEdge) {
    BookGuard guard("");
    OwnerFrame owner;
    wxSize screen = wxGetDisplaySize();
    wxUIActionSimulator mouse;
    mouse.MouseMove(screen.x - 5, screen.y - 5);
    LetEventsRun(100);
    ASSERT_TRUE(ShowHelpTopic(101, HelpStyle::Popup));
    LetEventsRun();
    wxWindow* popup = FindPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(wxRect(screen).Contains(popup->GetScreenRect())) << popup->GetScreenRect().x;

    CloseHelp();
    LetEventsRun(100);
    EXPECT_FALSE(popup->IsShown());
}

TEST(HelpPopup, AClickOnItClosesItEvenOverAModalDialog) {
    BookGuard guard("");
    bool shown = false;
    bool shownAfterClick = true;
    {
        wxDialog dialog(nullptr, wxID_ANY, "File Information", wxPoint(20, 20), wxSize(300, 200));
        wxTheApp->CallAfter([&] {
            LetEventsRun();
            wxUIActionSimulator mouse;
            mouse.MouseMove(400, 300);
            LetEventsRun(100);
            shown = ShowHelpTopic(114, HelpStyle::Popup);
            LetEventsRun();
            if (wxWindow* popup = FindPopup()) {
                EXPECT_EQ(popup->GetParent(), &dialog);
                // The heading's first letters: a click on text, not on a link.
                wxHtmlWindow* html = HtmlWindowOf(popup);
                mouse.MouseMove(html->GetScreenPosition() + html->FromDIP(wxPoint(14, 16)));
                LetEventsRun(100);
                mouse.MouseClick();
                LetEventsRun();
                shownAfterClick = popup->IsShown();
            }
            dialog.EndModal(wxID_OK);
        });
        dialog.ShowModal();
    }
    EXPECT_TRUE(shown);
    EXPECT_FALSE(shownAfterClick);
}

TEST(HelpPopup, ALinkInItOpensTheHelpWindow) {
    BookGuard guard("");
    OwnerFrame owner;
    wxUIActionSimulator mouse;
    mouse.MouseMove(200, 150);
    LetEventsRun(100);
    ASSERT_TRUE(ShowHelpTopic(113, HelpStyle::Popup));  // links to the options
    LetEventsRun();
    wxWindow* popup = FindPopup();
    ASSERT_NE(popup, nullptr);
    wxHtmlWindow* html = HtmlWindowOf(popup);
    const wxHtmlCell* link = FindLinkCell(html->GetInternalRepresentation());
    ASSERT_NE(link, nullptr);
    wxPoint inside = link->GetAbsPos() + wxPoint(link->GetWidth() / 2, link->GetHeight() / 2);
    mouse.MouseMove(html->CalcScrolledPosition(inside) + html->GetScreenPosition());
    LetEventsRun(100);
    mouse.MouseClick();
    LetEventsRun(600);

    EXPECT_FALSE(popup->IsShown());
    EXPECT_TRUE(EndsWith(PageShownInHelpFrame(), "/" + std::string(link->GetLink()->GetHref().utf8_str())))
        << PageShownInHelpFrame();
}

TEST(HelpPopup, NeedsAWindowToAppearOver) {
    BookGuard guard("");
    LetEventsRun(100);
    if (!wxTopLevelWindows.empty())
        GTEST_SKIP() << "another window is open";
    EXPECT_FALSE(ShowHelpTopic(113, HelpStyle::Popup));
}

}  // namespace
}  // namespace vorlen::platform
