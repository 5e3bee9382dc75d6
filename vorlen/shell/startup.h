// What the program does before its main window exists: the start-up
// settings, the default data file, today's reminders and, at a start with
// the boot switch, the check whether today's reminders are shown and
// whether the program stays loaded. Free of windows: the window layer
// answers through StartupUi, tests through a recorder.
#pragma once

#include "vorlen/core/date_time.h"
#include "vorlen/remind/bootup_texts.h"
#include "vorlen/shell/command_ids.h"
#include "vorlen/shell/document.h"
#include "vorlen/store/compress.h"

#include <string>
#include <vector>

namespace vorlen::shell {

using vorlen::BootupTexts;

class StartupUi : public store::CompressPrompts {
public:
    // The start-up reminder dialog; true for "View Events".
    virtual bool ShowBootupDialog(const BootupTexts& texts) = 0;
    // The frame with the reminder screen, run modally until the user
    // closes it.
    virtual void RunReminderScreen() = 0;
};

// The facts start-up works from, passed in so that tests can set them.
struct StartupFacts {
    std::vector<std::string> args;  // without the program name
    Date today;
    Time now;
};

// What start-up leaves for the main window.
struct StartupState {
    ScreenId currentScreen = ScreenTitle;
    int initialScreen = ScreenTitle;  // as stored, possibly out of range
    bool bootupMode = false;
    int keepLoaded = 0;
    int timerPeriodMs = 60 * 1000;
    int minimizeToTray = 1;
};

enum class StartupResult {
    setUp,
    notSetUp,     // the wizard must run first
    exitProcess,  // a boot start that ends here, with exit code 0
};

// True for an argument whose first character is - or / and whose second
// is b or B.
bool IsBootSwitch(const std::string& arg);
// True for an option (- or /) whose name is "unregister" or a beginning of
// it, in any letter case.
bool IsUnregisterOption(const std::string& arg);

// Reads the settings, loads the data file (the first argument when it is
// no option, else "DefaultFile"), builds today's reminders, runs the boot
// check for every boot switch, the automatic expiry pass (saving what it
// changed), and reads "InitialScreen".
StartupResult ReadStartupSettings(Document& document, const StartupFacts& facts, StartupUi& ui,
                                  StartupState& state);

}  // namespace vorlen::shell
