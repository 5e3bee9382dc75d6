#include "startup.h"

#include "vorlen/platform/settings.h"

#include <cctype>
#include <string_view>

namespace vorlen::shell {
namespace {

using platform::registryAccess;
namespace setting = platform::setting;

constexpr std::size_t fileNameLength = 255;

// Options begin with - or /. A path begins with / too on this system, so a
// / argument counts as an option only while it holds no other /.
bool IsOption(const std::string& arg) {
    if (arg.empty())
        return false;
    return arg[0] == '-' || (arg[0] == '/' && arg.find('/', 1) == std::string::npos);
}

platform::StoredDate Stored(const Date& date) {
    return {date.day, date.month, date.year};
}

// One boot check. Returns false when the process is to end.
class BootCheck {
public:
    BootCheck(registryAccess& key, Document& document, const StartupFacts& facts, StartupUi& ui,
              StartupState& state)
        : key_(key), document_(document), facts_(facts), ui_(ui), state_(state) {}

    bool Run() {
        state_.bootupMode = true;
        int32_t option = setting::bootupOption.byDefault;
        int32_t keepLoaded = setting::keepLoaded.byDefault;
        platform::ReadInt(key_, setting::bootupOption, option);
        platform::ReadInt(key_, setting::keepLoaded, keepLoaded);
        state_.keepLoaded = keepLoaded;
        if (option == 2) {
            platform::WriteDate(key_, setting::lastChecked, Stored(facts_.today));
            key_.Close();
            return Continue();
        }
        platform::StoredDate stored;
        if (!platform::ReadDate(key_, setting::lastChecked, stored))
            return FirstCheck();
        Date lastChecked(stored.day, stored.month, stored.year);
        bool due = option == 1 || (option == 0 && facts_.today.DayNumber() > lastChecked.DayNumber());
        if (!due || document_.reminders.count == 0)
            return Continue();
        int32_t bypass = setting::bypassBootupDialog.byDefault;
        platform::ReadInt(key_, setting::bypassBootupDialog, bypass);
        if (bypass != 1 && !ui_.ShowBootupDialog(Texts(lastChecked.LocaleShortText())))
            return Continue();
        platform::WriteDate(key_, setting::lastChecked, Stored(facts_.today));
        key_.Close();
        return OpenReminderScreen();
    }

private:
    // The first check ever; the key stays open.
    bool FirstCheck() {
        platform::WriteDate(key_, setting::lastChecked, Stored(facts_.today));
        if (document_.reminders.Build(true, facts_.today, facts_.now) == 0)
            return true;
        if (!ui_.ShowBootupDialog(Texts("Never!")))
            return Continue();
        return OpenReminderScreen();
    }

    bool OpenReminderScreen() {
        state_.currentScreen = ScreenToday;
        ui_.RunReminderScreen();
        return Continue();
    }

    // The check is over: the process goes on only when it stays loaded.
    bool Continue() const { return state_.keepLoaded != 0; }

    BootupTexts Texts(const std::string& lastChecked) const {
        return {document_.reminders.count, facts_.today.LocaleShortText(), facts_.now.Text(), lastChecked};
    }

    registryAccess& key_;
    Document& document_;
    const StartupFacts& facts_;
    StartupUi& ui_;
    StartupState& state_;
};

}  // namespace

bool IsBootSwitch(const std::string& arg) {
    return IsOption(arg) && arg.size() >= 2 && (arg[1] == 'b' || arg[1] == 'B');
}

bool IsUnregisterOption(const std::string& arg) {
    static constexpr std::string_view unregister = "unregister";
    if (!IsOption(arg) || arg.size() < 2 || arg.size() - 1 > unregister.size())
        return false;
    for (std::size_t i = 1; i < arg.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(arg[i])) != unregister[i - 1])
            return false;
    return true;
}

StartupResult ReadStartupSettings(Document& document, const StartupFacts& facts, StartupUi& ui,
                                  StartupState& state) {
    state.minimizeToTray = 1;
    state.timerPeriodMs = setting::timer.byDefault * 1000;
    registryAccess key;
    if (!key.Open())
        return StartupResult::notSetUp;
    int32_t seconds = setting::timer.byDefault;
    platform::ReadInt(key, setting::timer, seconds);
    state.timerPeriodMs = seconds * 1000;
    int32_t minimizeToTray = state.minimizeToTray;
    platform::ReadInt(key, setting::minimizeToTray, minimizeToTray);
    state.minimizeToTray = minimizeToTray;
    std::string fileName;
    if (!platform::ReadFileName(key, setting::defaultFile, fileName))
        return StartupResult::notSetUp;
    if (!facts.args.empty() && !IsOption(facts.args[0]))
        fileName = facts.args[0].substr(0, fileNameLength);

    document.file.SetFileName(fileName.c_str());
    if (document.file.Load(document.events, document.types, ui) == store::notLoaded)
        return StartupResult::notSetUp;
    document.reminders.Build(true, facts.today, facts.now);

    for (const std::string& arg : facts.args)
        if (IsBootSwitch(arg) && !BootCheck(key, document, facts, ui, state).Run())
            return StartupResult::exitProcess;

    if (!document.file.isArchive) {
        document.ExpireOldEvents(platform::ReadSettings().archiveFile, facts.today, ui);
        document.reminders.Build(true, facts.today, facts.now);
        if (document.IsUnsaved() && !document.Save())
            ui.ShowMessage("Error", "Cannot save " + fileName + ": " + document.LastError());
    }

    int32_t initialScreen = state.currentScreen;
    if (platform::ReadInt(key, setting::initialScreen, initialScreen))
        state.initialScreen = initialScreen;
    else
        state.initialScreen = state.currentScreen;
    key.Close();
    return StartupResult::setUp;
}

}  // namespace vorlen::shell
