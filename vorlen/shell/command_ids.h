// The numbers of the main frame's commands, its screens and its own
// controls: one list, used by the menu, the tool bar, the accelerators, the
// command tables and the context help (whose topic is the command's number).
// The Edit commands, which the screens carry out, come from the views.
#pragma once

#include "vorlen/views/edit_commands.h"

namespace vorlen {

// The five screens; also the tab strip's tab index and "InitialScreen".
enum ScreenId : int {
    ScreenTitle = 0,
    ScreenInfoTree = 1,
    ScreenEventList = 2,
    ScreenCalendar = 3,
    ScreenToday = 4,
};
inline constexpr int screenCount = 5;

enum Command : int {
    // File
    cmNew = 24331,
    cmOpen = 24332,
    cmOpenArchive = 17,
    cmMerge = 16,
    cmSave = 24333,
    cmSaveAs = 24334,
    cmImportVCalendar = 20,
    cmExportVCalendar = 21,
    cmImportICalendar = 22,
    cmExportICalendar = 23,
    cmExportCsv = 19,
    cmProperties = 21010,
    cmExit = 24310,
    // Edit: see EditCommand
    // Events
    cmNewEvent = 6,
    // Screens
    cmTitleScreen = 2,
    cmInfoTree = 7,
    cmEventList = 4,
    cmCalendar = 5,
    cmToday = 3,
    // Tools
    cmCompress = 9,
    cmCategories = 6511,
    cmSetupWizard = 18,
    cmOptions = 21009,
    // Help
    cmHelpContents = 2001,
    cmContactInformation = 12,
    cmUsingHelp = 2002,
    cmAbout = 2009,
    // Tray menu
    cmTrayOpen = 14,
    // Shift+F1: the next command chosen opens its help topic instead.
    cmContextHelp = 2003,
};

// The menu command of each screen, in ScreenId order.
inline constexpr int screenCommands[screenCount] = {cmTitleScreen, cmInfoTree, cmEventList, cmCalendar,
                                                    cmToday};

// Controls of the frame.
inline constexpr int tabStripId = 5622;

// wx refuses window ids of 32767 and above; such ids of the design are kept
// here by name and mapped below that limit where a window needs them.
inline constexpr int wxIdLimit = 32767;

}  // namespace vorlen
