#include "main_frame.h"

#include "vorlen/platform/settings.h"
#include "vorlen/platform/wx_text.h"
#include "vorlen/remind/tray_icon.h"
#include "vorlen/resources/art.h"
#include "vorlen/shell/application.h"

#include <wx/app.h>
#include <wx/aui/auibar.h>
#include <wx/dnd.h>
#include <wx/menu.h>
#include <wx/notebook.h>

#include <algorithm>
#include <iterator>

namespace vorlen {
namespace {

namespace setting = platform::setting;

constexpr int tabStripHeight = 31;
static_assert(cmTrayOpen == trayOpenCommand && cmExit == trayExitCommand, "the tray menu's commands");

const char* const screenTabTexts[screenCount] = {"Title Page", "Information Tree", "Event/Appointment List",
                                                 "Calendar Display", "Todays Events/Appointments"};

// Commands that the screens carry out (Paste only while one edits text in
// place): with no screen (or application handler) answering their enabling
// rule, they are disabled.
constexpr int viewCommands[] = {cmUndo,           cmCut,         cmCopy,         cmPaste,        cmDelete,
                                cmClear,          cmFind,        cmFindNext,     cmSaveAsVCalendar,
                                cmCopyAsVCalendar, cmImportVCalendar, cmNewEvent, cmCategories};

bool IsViewCommand(int id) {
    return std::find(std::begin(viewCommands), std::end(viewCommands), id) != std::end(viewCommands);
}

struct MenuItem {
    int id;
    const char* text;  // nullptr: a separator
    const char* hint;
    wxItemKind kind = wxITEM_NORMAL;
};

void AppendItems(wxMenu* menu, std::initializer_list<MenuItem> items) {
    for (const MenuItem& item : items) {
        if (!item.text)
            menu->AppendSeparator();
        else
            menu->Append(item.id, item.text, item.hint, item.kind);
    }
}

class DroppedFiles : public wxFileDropTarget {
public:
    explicit DroppedFiles(TVorlenApp& app) : app_(app) {}
    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& names) override {
        if (names.empty())
            return false;
        // Opening asks questions: let the drag end first.
        std::string name = platform::FileNameFromWx(names[0]);
        wxTheApp->CallAfter([this, name] { app_.OpenDroppedFile(name); });
        return true;
    }

private:
    TVorlenApp& app_;
};

}  // namespace

wxBEGIN_EVENT_TABLE(TSDIDecFrame, wxFrame)
    EVT_CLOSE(TSDIDecFrame::OnClose)
    EVT_NOTEBOOK_PAGE_CHANGED(tabStripId, TSDIDecFrame::OnTabChanged)
    EVT_TIMER(0, TSDIDecFrame::OnTimer)
    EVT_SIZE(TSDIDecFrame::OnSize)
    EVT_ICONIZE(TSDIDecFrame::OnIconize)
    EVT_MENU(cmTrayOpen, TSDIDecFrame::OnTrayOpen)
wxEND_EVENT_TABLE()

TSDIDecFrame::TSDIDecFrame(TVorlenApp& app, ScreenId screen, int timerPeriodMs)
    : wxFrame(nullptr, wxID_ANY, "Tolvane Vorlen"), app_(app), current_(screen), timer_(this, 0) {
    aui_.SetManagedWindow(this);
    SetIcons(art::ProgramIcons());
    BuildMenu();
    BuildAccelerators();
    CreateStatusBar();
    BuildToolbar();
    BuildTabStrip();
    PlaceFromSettings();
    SetDropTarget(new DroppedFiles(app_));
    aui_.Update();
    timer_.Start(timerPeriodMs);
    trayIcon_ = std::make_unique<TrayIcon>(this, art::ProgramIcons().GetIcon(wxSize(22, 22)));
}

TSDIDecFrame::~TSDIDecFrame() {
    StorePlacement();
    trayIcon_.reset();
    timer_.Stop();
    aui_.UnInit();
}

void TSDIDecFrame::BuildMenu() {
    auto* file = new wxMenu;
    AppendItems(file, {{cmNew, "&New\tAlt+N", "Creates a new data file"},
                       {cmOpen, "&Open...\tAlt+O", "Opens an existing data file"},
                       {cmOpenArchive, "Open &Archive", "Opens the archive file set in the options"},
                       {cmMerge, "&Merge", "Adds the events of another data file to this one"},
                       {cmSave, "&Save\tAlt+S", "Saves the data file"},
                       {cmSaveAs, "Save &As...", "Saves the data file under a new name"},
                       {0, nullptr, nullptr}});
    auto* import = new wxMenu;
    import->Append(cmImportVCalendar, "&vCalendar File", "Reads the events of a vCalendar file");
    import->Append(cmImportICalendar, "&iCalendar File", "Reads the events of an iCalendar file");
    file->AppendSubMenu(import, "&Import", "Reads events from other programs");
    auto* exportMenu = new wxMenu;
    AppendItems(exportMenu, {{cmExportVCalendar, "&vCalendar", "Writes every event to a vCalendar file"},
                             {cmExportICalendar, "&iCalendar", "Writes every event to an iCalendar file"},
                             {cmExportCsv, "&Comma-separated values (csv)",
                              "Writes every event to a comma-separated values file"}});
    file->AppendSubMenu(exportMenu, "&Export", "Writes events for other programs");
    AppendItems(file, {{0, nullptr, nullptr},
                       {cmProperties, "P&roperties", "Shows the data file's owner, description and size"},
                       {0, nullptr, nullptr},
                       {cmExit, "E&xit\tAlt+F4", "Closes Tolvane Vorlen"}});

    auto* edit = new wxMenu;
    AppendItems(edit, {{cmUndo, "&Undo\tAlt+Back", "Takes back the last change"},
                       {0, nullptr, nullptr},
                       {cmCut, "Cu&t\tShift+Del", "Moves the selection to the clipboard"},
                       {cmCopy, "&Copy\tCtrl+Ins", "Copies the selection to the clipboard"},
                       {cmPaste, "&Paste\tShift+Ins", "Adds the events on the clipboard"},
                       {cmDelete, "&Delete\tDel", "Deletes the selection"},
                       {0, nullptr, nullptr},
                       {cmFind, "&Find...", "Finds an event by its text"},
                       {cmFindNext, "Find &Next\tF3", "Finds the next event with the same text"},
                       {0, nullptr, nullptr},
                       {cmSaveAsVCalendar, "&Save As vCalendar\tAlt+V", "Saves the selected event as vCalendar"},
                       {cmCopyAsVCalendar, "&Copy As vCalendar\tCtrl+V",
                        "Copies the selected event to the clipboard as vCalendar"}});

    auto* event = new wxMenu;
    event->Append(cmNewEvent, "&New Event\tAlt+A", "Adds a new event or appointment");

    auto* view = new wxMenu;
    AppendItems(view, {{cmTitleScreen, "&Title Screen\tAlt+1", "Shows the title screen", wxITEM_CHECK},
                       {cmInfoTree, "&Information Tree\tAlt+2", "Shows the events as a tree by category",
                        wxITEM_CHECK},
                       {cmEventList, "&Event List\tAlt+3", "Shows the events as a list", wxITEM_CHECK},
                       {cmCalendar, "Ca&lendar Display\tAlt+4", "Shows a month calendar", wxITEM_CHECK},
                       {cmToday, "&Today's Event Reminders\tAlt+5", "Shows today's events and reminders",
                        wxITEM_CHECK}});

    auto* tools = new wxMenu;
    AppendItems(tools, {{cmCompress, "&Compress Database\tAlt+C", "Deletes or archives old events"},
                        {cmCategories, "C&ategories", "Edits the event categories"},
                        {0, nullptr, nullptr},
                        {cmSetupWizard, "&Setup Wizard", "Sets up the data file and start-up reminders"},
                        {cmOptions, "&Options...\tAlt+O", "Changes the program's settings"}});

    auto* help = new wxMenu;
    AppendItems(help, {{cmHelpContents, "&Contents\tAlt+H", "Opens the help contents"},
                       {cmContactInformation, "Contact &Information", "How to reach Tolvane Software"},
                       {cmUsingHelp, "&Using help", "How to use the help"},
                       {0, nullptr, nullptr},
                       {cmAbout, "&About...", "Shows the program's version"}});

    auto* bar = new wxMenuBar;
    bar->Append(file, "&File");
    bar->Append(edit, "&Edit");
    bar->Append(event, "E&vent");
    bar->Append(view, "Vie&w");
    bar->Append(tools, "T&ools");
    bar->Append(help, "&Help");
    SetMenuBar(bar);
}

void TSDIDecFrame::BuildAccelerators() {
    // Alt+O stands twice in the table; the first entry, Open, wins.
    const wxAcceleratorEntry entries[] = {
        {wxACCEL_SHIFT, WXK_DELETE, cmCut},    {wxACCEL_CTRL, WXK_INSERT, cmCopy},
        {wxACCEL_SHIFT, WXK_INSERT, cmPaste},  {wxACCEL_CTRL, WXK_DELETE, cmClear},
        {wxACCEL_ALT, WXK_BACK, cmUndo},       {wxACCEL_NORMAL, WXK_F3, cmFindNext},
        {wxACCEL_ALT, 'A', cmNewEvent},        {wxACCEL_ALT, '1', cmTitleScreen},
        {wxACCEL_ALT, '2', cmInfoTree},        {wxACCEL_ALT, '3', cmEventList},
        {wxACCEL_ALT, '4', cmCalendar},        {wxACCEL_ALT, '5', cmToday},
        {wxACCEL_ALT, 'C', cmCompress},        {wxACCEL_ALT, 'S', cmSave},
        {wxACCEL_ALT, 'R', cmProperties},      {wxACCEL_ALT, 'O', cmOpen},
        {wxACCEL_ALT, 'N', cmNew},             {wxACCEL_ALT, 'H', cmHelpContents},
        {wxACCEL_ALT, 'O', cmOptions},         {wxACCEL_NORMAL, WXK_DELETE, cmDelete},
        {wxACCEL_CTRL, 'V', cmCopyAsVCalendar}, {wxACCEL_ALT, 'V', cmSaveAsVCalendar},
        {wxACCEL_NORMAL, WXK_F1, cmHelpContents},  {wxACCEL_SHIFT, WXK_F1, cmContextHelp},
    };
    SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(std::size(entries)), entries));
}

void TSDIDecFrame::BuildToolbar() {
    struct Tool {
        int bitmap;
        int command;
        const char* tip;
    };
    // 0 stands for a separator.
    constexpr Tool tools[] = {
        {cmNew, cmNew, "New"},
        {cmOpen, cmOpen, "Open"},
        {cmSave, cmSave, "Save"},
        {0, 0, nullptr},
        {cmNewEvent, cmNewEvent, "Add New Event"},
        {0, 0, nullptr},
        {cmCut, cmDelete, "Delete"},
        {cmCopy, cmCopy, "Copy"},
        {cmPaste, cmPaste, "Paste"},
        {0, 0, nullptr},
        {cmUndo, cmUndo, "Undo"},
        {0, 0, nullptr},
        {cmFind, cmFind, "Find"},
        {cmFindNext, cmFindNext, "Find Next"},
        {0, 0, nullptr},
        {24357, cmTitleScreen, "Title Screen"},
        {24355, cmInfoTree, "Information Tree"},
        {cmCalendar, cmCalendar, "Calendar Display"},
        {24356, cmEventList, "Event List"},
        {24358, cmToday, "Today's Event Reminders"},
        {0, 0, nullptr},
        {cmHelpContents, cmHelpContents, "Help Contents"},
    };
    toolbar_ = new wxAuiToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                wxAUI_TB_DEFAULT_STYLE | wxAUI_TB_GRIPPER);
    for (const Tool& tool : tools) {
        if (tool.command == 0)
            toolbar_->AddSeparator();
        else
            toolbar_->AddTool(tool.command, tool.tip, art::ToolbarBitmap(tool.bitmap), tool.tip);
    }
    toolbar_->Realize();
    aui_.AddPane(toolbar_, wxAuiPaneInfo()
                               .Name("Toolbar")
                               .Caption("Toolbar")
                               .ToolbarPane()
                               .Top()
                               .Row(0)
                               .LeftDockable(false)
                               .RightDockable(false));
}

void TSDIDecFrame::BuildTabStrip() {
    tabs_ = new wxNotebook(this, tabStripId, wxDefaultPosition, wxSize(400, 25), wxNB_BOTTOM);
    for (const char* text : screenTabTexts)
        tabs_->AddPage(new wxWindow(tabs_, wxID_ANY, wxDefaultPosition, wxSize(0, 0)), text);
    tabs_->ChangeSelection(current_);
    int height = std::max(tabStripHeight, tabs_->GetBestSize().GetHeight());
    aui_.AddPane(tabs_, wxAuiPaneInfo()
                            .Name("Toolbar with Tabs")
                            .Bottom()
                            .Layer(1)
                            .CaptionVisible(false)
                            .PaneBorder(false)
                            .Floatable(false)
                            .Movable(false)
                            .Resizable(false)
                            .MinSize(wxSize(-1, height))
                            .BestSize(wxSize(-1, height)));
}

void TSDIDecFrame::PlaceFromSettings() {
    platform::registryAccess key;
    platform::StoredRect rect;
    if (key.Open() && platform::ReadRect(key, setting::mainWindowPosition, rect) && rect.right > rect.left &&
        rect.bottom > rect.top) {
        SetSize(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    } else {
        SetSize(FromDIP(wxSize(980, 640)));
        Centre();
    }
}

void TSDIDecFrame::StorePlacement() {
    if (placementStored_)
        return;
    placementStored_ = true;
    wxRect rect = IsMaximized() || IsIconized() ? GetRect() : GetScreenRect();
    platform::registryAccess key;
    key.Open();
    platform::WriteRect(key, setting::mainWindowPosition,
                        {rect.GetLeft(), rect.GetTop(), rect.GetRight() + 1, rect.GetBottom() + 1}, "MainWindowPos");
}

void TSDIDecFrame::SetScreen(wxWindow* screen, ScreenId id) {
    wxWindow* old = screen_;
    screen_ = screen;
    current_ = id;
    if (old)
        aui_.DetachPane(old);
    aui_.AddPane(screen_, wxAuiPaneInfo().Name("Screen").CenterPane().PaneBorder(false));
    aui_.Update();
    if (old)
        old->Destroy();
    tabs_->ChangeSelection(id);
}

void TSDIDecFrame::ShowFrame(bool minimised) {
    if (minimised) {
        ownIconize_ = true;
        Iconize(true);
        Show();
        return;
    }
    platform::Settings settings = platform::ReadSettings();
    Show();
    // A frame shown the first time focuses its first control, the tab
    // strip: the keys belong to the screen.
    if (screen_)
        screen_->SetFocus();
    if (IsIconized())
        Iconize(false);
    if (settings.maximised == 1)
        Maximize(true);
    Raise();
}

void TSDIDecFrame::RestartTimer(int periodMs) {
    timer_.Stop();
    timer_.Start(periodMs);
}

bool TSDIDecFrame::TryBefore(wxEvent& event) {
    wxEventType type = event.GetEventType();
    if (type == wxEVT_MENU && app_.HelpMode())
        return app_.HandleHelpModeCommand(event.GetId());
    if (type == wxEVT_CHAR_HOOK && app_.HelpMode() &&
        static_cast<wxKeyEvent&>(event).GetKeyCode() == WXK_ESCAPE) {
        app_.SetHelpMode(false);
        return true;
    }
    // The screen carries out the commands it knows before anyone else.
    if ((type == wxEVT_MENU || type == wxEVT_UPDATE_UI) && screen_ && event.GetEventObject() != screen_ &&
        IsViewCommand(event.GetId()) && screen_->GetEventHandler()->ProcessEventLocally(event))
        return true;
    return wxFrame::TryBefore(event);
}

bool TSDIDecFrame::TryAfter(wxEvent& event) {
    wxEventType type = event.GetEventType();
    if ((type == wxEVT_MENU || type == wxEVT_UPDATE_UI) && app_.ProcessEventLocally(event))
        return true;
    if (type == wxEVT_UPDATE_UI && IsViewCommand(event.GetId())) {
        static_cast<wxUpdateUIEvent&>(event).Enable(false);
        return true;
    }
    return wxFrame::TryAfter(event);
}

void TSDIDecFrame::OnClose(wxCloseEvent& event) {
    platform::registryAccess key;
    key.Open();
    platform::WriteByte(key, setting::maximised, IsMaximized() ? 1 : 0, "MaximisedProperty");
    key.Close();
    if (event.CanVeto() && !app_.CanClose()) {
        event.Veto();
        return;
    }
    StorePlacement();
    Destroy();
}

void TSDIDecFrame::OnTabChanged(wxBookCtrlEvent& event) {
    int page = event.GetSelection();
    if (page >= 0 && page < screenCount && page != current_)
        CallAfter([this, page] { app_.SwitchScreen(static_cast<ScreenId>(page)); });
}

void TSDIDecFrame::OnTimer(wxTimerEvent&) {
    app_.TimerTick();
}

void TSDIDecFrame::OnSize(wxSizeEvent& event) {
    if (tabs_)
        tabs_->Refresh();
    event.Skip();
}

// The window manager has minimised the frame already; with "MinimizeToTray"
// a minimise by the user hides it into the notification area instead, when
// the desktop has one. A frame shown minimised at start stays on the task
// bar.
void TSDIDecFrame::OnIconize(wxIconizeEvent& event) {
    event.Skip();
    bool byUser = !ownIconize_;
    ownIconize_ = false;
    if (event.IsIconized() && byUser && app_.State().minimizeToTray != 0 && TrayIcon::Available()) {
        trayIcon_->Show();
        Hide();
    }
}

// "Open" and the double click: hide a visible frame, restore a hidden one.
void TSDIDecFrame::OnTrayOpen(wxCommandEvent&) {
    if (IsShown()) {
        Hide();
        return;
    }
    trayIcon_->Hide();
    ShowFrame();
}

}  // namespace vorlen
