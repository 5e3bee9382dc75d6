#include "console_commands.h"

#include "vorlen/shell/document.h"

#include "vorlen/platform/local_clock.h"
#include "vorlen/platform/settings.h"
#include "vorlen/platform/text_encoding.h"
#include "vorlen/remind/reminder_list.h"
#include "vorlen/remind/reminder_markup.h"
#include "vorlen/shell/version.h"
#include "vorlen/store/compress.h"
#include "vorlen/store/data_file.h"
#include "vorlen/store/icalendar.h"
#include "vorlen/store/vcalendar.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>
#include <memory>

namespace vorlen::shell {
namespace {

using platform::Utf8ToWindows1252;
using platform::Windows1252ToUtf8;

constexpr char usageText[] =
    "Usage: vorlen [FILE] [-b] [unregister]      start the program\n"
    "       vorlen --new FILE [--owner TEXT] [--title TEXT]\n"
    "       vorlen --info FILE\n"
    "       vorlen --export-csv FILE OUT\n"
    "       vorlen --reminders FILE [--date YYYY-MM-DD] [--time HH:MM] [--no-warnings] [--markup]\n"
    "       vorlen --export-vcs FILE OUT\n"
    "       vorlen --import-vcs IN FILE\n"
    "       vorlen --export-ics FILE OUT\n"
    "       vorlen --import-ics IN FILE\n"
    "       vorlen --compress FILE [--archive ARCHIVEFILE]\n"
    "       vorlen --help | --version\n";

struct Console {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    Teardown teardown;
};

struct Command {
    std::vector<std::string> files;
    std::map<std::string, std::string> options;  // flags hold ""

    bool Has(const std::string& option) const { return options.count(option) != 0; }
};

// Asks the data file's questions on the terminal; no answer is a No.
class ConsolePrompts : public store::DataFilePrompts {
public:
    explicit ConsolePrompts(Console& console) : console_(console) {}
    bool AskYesNo(std::string_view caption, std::string_view text) override {
        console_.err << Windows1252ToUtf8(caption) << ": " << Windows1252ToUtf8(text) << "[y/N] "
                     << std::flush;
        std::string answer;
        if (!std::getline(console_.in, answer))
            return false;
        return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
    }
    void Notify(std::string_view caption, std::string_view text) override {
        console_.err << Windows1252ToUtf8(caption) << ": " << Windows1252ToUtf8(text) << "\n";
    }

private:
    Console& console_;
};

// The lists and data file of one command, like the program's own.
using Database = Document;

bool Load(const std::string& path, Database& db, Console& console) {
    ConsolePrompts prompts(console);
    db.file.SetFileName(path.c_str());
    if (db.file.Load(db.events, db.types, prompts) == store::notLoaded) {
        console.err << "Data Invalid: " << path << "\n";
        return false;
    }
    return true;
}

// For the commands that save what they loaded: a converted foreign calendar
// file would be saved under another name, so it is refused.
bool LoadForChange(const std::string& path, Database& db, Console& console) {
    if (!Load(path, db, console))
        return false;
    if (db.file.fileName == path)
        return true;
    console.err << "vorlen: " << path
                << " is a calendar file of another program; make a data file of it first\n";
    return false;
}

std::string IsoDate(const Date& date) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

int New(const Command& command, Console& console) {
    const std::string& path = command.files[0];
    Database db;
    if (!db.file.New(path, false, db.events, db.types)) {
        console.err << "vorlen: " << path << " already exists; nothing was changed\n";
        return exitFailed;
    }
    if (auto owner = command.options.find("--owner"); owner != command.options.end())
        db.file.SetOwner(Utf8ToWindows1252(owner->second).c_str());
    if (auto title = command.options.find("--title"); title != command.options.end())
        db.file.SetTitle(Utf8ToWindows1252(title->second).c_str());
    if (!db.file.Save(db.events, db.types)) {
        console.err << "vorlen: " << db.file.LastError() << "\n";
        return exitFailed;
    }
    console.out << "Created " << path << "\n";
    return exitOk;
}

int Info(const Command& command, Console& console) {
    Database db;
    if (!Load(command.files[0], db, console))
        return exitFailed;
    std::ostream& out = console.out;
    out << "Owner: " << Windows1252ToUtf8(db.file.owner.view()) << "\n"
        << "Title: " << Windows1252ToUtf8(db.file.title.view()) << "\n"
        << "Archive: " << (db.file.isArchive ? "yes" : "no") << "\n"
        << "Events: " << db.events.count << "\n"
        << "Categories: " << db.types.count << "\n";
    for (const EventNode& event : db.events) {
        out << IsoDate(event.startDate) << '\t' << event.PeriodName() << '\t'
            << Windows1252ToUtf8(event.typeName.view()) << '\t' << Windows1252ToUtf8(event.description.view())
            << "\n";
    }
    return exitOk;
}

int ExportCsv(const Command& command, Console& console) {
    Database db;
    if (!Load(command.files[0], db, console))
        return exitFailed;
    if (!db.file.ExportCsv(command.files[1], db.events)) {
        console.err << "Cannot Create Export Data File! " << db.file.LastError() << "\n";
        return exitFailed;
    }
    return exitOk;
}

// "1998-03-05": exactly four, two and two digits, and a real date.
bool ParseIsoDate(const std::string& text, Date& date) {
    int day = 0, month = 0, year = 0, consumed = 0;
    if (text.size() != 10 ||
        std::sscanf(text.c_str(), "%4d-%2d-%2d%n", &year, &month, &day, &consumed) != 3 || consumed != 10)
        return false;
    date = Date(day, month, year);
    return date.IsValid();
}

// "14:05", 24-hour.
bool ParseClockTime(const std::string& text, Time& time) {
    int hour = 0, minute = 0, consumed = 0;
    if (std::sscanf(text.c_str(), "%2d:%2d%n", &hour, &minute, &consumed) != 2 ||
        consumed != static_cast<int>(text.size()))
        return false;
    time = Time(hour, minute);
    return time.IsValid();
}

int Reminders(const Command& command, Console& console) {
    Date day = Date::Today();
    Time time = Time::Now();
    if (command.Has("--date") && !ParseIsoDate(command.options.at("--date"), day)) {
        console.err << "vorlen: --date takes a date as YYYY-MM-DD\n" << usageText;
        return exitUsage;
    }
    if (command.Has("--time") && !ParseClockTime(command.options.at("--time"), time)) {
        console.err << "vorlen: --time takes a time as HH:MM\n" << usageText;
        return exitUsage;
    }
    auto loaded = std::make_unique<Database>();
    Database& db = *loaded;
    if (!Load(command.files[0], db, console))
        return exitFailed;
    if (console.teardown == Teardown::LeaveToProcessExit)
        loaded.release();
    db.reminders.Build(!command.Has("--no-warnings"), day, time);
    std::string text;
    if (command.Has("--markup")) {
        db.reminders.FormatText(text, true);
    } else {
        db.reminders.FormatPlainText(text, true);
        text += "\n";
    }
    console.out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return exitOk;
}

bool Save(Database& db, Console& console) {
    if (db.Save())
        return true;
    console.err << "vorlen: " << db.file.LastError() << "\n";
    return false;
}

// Appends imported events (adding their new categories) and saves.
int AppendAndSave(Eventlist& imported, Database& db, const std::string& path, Console& console) {
    int count = db.AppendEvents(imported);
    if (!Save(db, console))
        return exitFailed;
    console.out << "Imported " << count << " event(s) into " << path << "\n";
    return exitOk;
}

int ExportVcs(const Command& command, Console& console) {
    Database db;
    if (!Load(command.files[0], db, console))
        return exitFailed;
    store::vSup calendar;
    for (const EventNode& event : db.events)
        calendar.AddEvent(event);
    std::string error;
    if (!calendar.WriteToFile(command.files[1], &error)) {
        console.err << "vorlen: " << error << "\n";
        return exitFailed;
    }
    return exitOk;
}

int ImportVcs(const Command& command, Console& console) {
    Database db;
    if (!LoadForChange(command.files[1], db, console))
        return exitFailed;
    store::vSup calendar;
    std::string error;
    if (!calendar.LoadFromFile(command.files[0], &error)) {
        console.err << "vorlen: " << error << "\n";
        return exitFailed;
    }
    return AppendAndSave(calendar.Imported(), db, command.files[1], console);
}

int ExportIcs(const Command& command, Console& console) {
    Database db;
    if (!Load(command.files[0], db, console))
        return exitFailed;
    std::string error;
    if (!store::WriteICalendarFile(command.files[1], db.events, platform::LocalZoneName(), &error)) {
        console.err << "vorlen: " << error << "\n";
        return exitFailed;
    }
    return exitOk;
}

int ImportIcs(const Command& command, Console& console) {
    Database db;
    if (!LoadForChange(command.files[1], db, console))
        return exitFailed;
    store::ICalendarImport calendar;
    std::string error;
    if (!store::ReadICalendarFile(command.files[0], calendar, error)) {
        console.err << "vorlen: " << error << "\n";
        return exitFailed;
    }
    if (!calendar.simplified.empty()) {
        console.err << "vorlen: " << calendar.simplified.size()
                    << " repeating event(s) had no equivalent repetition and were imported at their first "
                       "occurrence only:\n";
        for (const std::string& name : calendar.simplified)
            console.err << "  " << Windows1252ToUtf8(name) << "\n";
    }
    return AppendAndSave(*calendar.events, db, command.files[1], console);
}

// Compressing from the console never asks about all old events at once
// (it runs by each event's own setting); its messages go to stderr.
class ConsoleCompressPrompts : public store::CompressPrompts {
public:
    explicit ConsoleCompressPrompts(Console& console) : console_(console), prompts_(console) {}
    store::CompressChoice ChooseArchiveOrDelete(int) override { return store::CompressChoice::Cancel; }
    void ShowMessage(std::string_view caption, std::string_view text) override {
        console_.err << Windows1252ToUtf8(caption) << ": " << Windows1252ToUtf8(text) << "\n";
    }
    bool AskYesNo(std::string_view caption, std::string_view text) override {
        return prompts_.AskYesNo(caption, text);
    }
    void Notify(std::string_view caption, std::string_view text) override { prompts_.Notify(caption, text); }

private:
    Console& console_;
    ConsolePrompts prompts_;
};

int Compress(const Command& command, Console& console) {
    Database db;
    if (!LoadForChange(command.files[0], db, console))
        return exitFailed;
    if (db.file.isArchive) {
        console.err << "vorlen: " << command.files[0] << " is an archive file; it is not compressed\n";
        return exitFailed;
    }
    std::string archive =
        command.Has("--archive") ? command.options.at("--archive") : platform::ReadSettings().archiveFile;
    ConsoleCompressPrompts prompts(console);
    store::CompressResult result = db.ExpireOldEvents(archive, Date::Today(), prompts);
    if (db.file.saved == 0 && !Save(db, console))
        return exitFailed;
    console.out << "Deleted " << result.deleted << " old event(s); archived " << result.archived;
    if (result.archived > 0)
        console.out << " into " << archive;
    console.out << "\n";
    return result.archiveFailed ? exitFailed : exitOk;
}

int Help(const Command&, Console& console) {
    console.out << usageText;
    return exitOk;
}

int Version(const Command&, Console& console) {
    console.out << version::productName << " Version " << version::productVersion << " ("
                << version::specialBuild << ")\n";
    return exitOk;
}

struct CommandDefinition {
    const char* name;
    size_t files;
    std::vector<std::string> valueOptions;
    std::vector<std::string> flags;
    int (*run)(const Command&, Console&);
};

const std::vector<CommandDefinition>& Commands() {
    static const std::vector<CommandDefinition> commands = {
        {"--new", 1, {"--owner", "--title"}, {}, New},
        {"--info", 1, {}, {}, Info},
        {"--export-csv", 2, {}, {}, ExportCsv},
        {"--reminders", 1, {"--date", "--time"}, {"--no-warnings", "--markup"}, Reminders},
        {"--export-vcs", 2, {}, {}, ExportVcs},
        {"--import-vcs", 2, {}, {}, ImportVcs},
        {"--export-ics", 2, {}, {}, ExportIcs},
        {"--import-ics", 2, {}, {}, ImportIcs},
        {"--compress", 1, {"--archive"}, {}, Compress},
        {"--help", 0, {}, {}, Help},
        {"--version", 0, {}, {}, Version},
    };
    return commands;
}

const CommandDefinition* FindCommand(const std::string& name) {
    for (const CommandDefinition& definition : Commands()) {
        if (name == definition.name)
            return &definition;
    }
    return nullptr;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Reads the arguments after the command name; false (with the reason in
// `problem`) for an unknown option, a missing value or a wrong number of
// files.
bool Parse(const CommandDefinition& definition, const std::vector<std::string>& args, Command& command,
           std::string& problem) {
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            if (Contains(definition.flags, arg)) {
                command.options[arg] = "";
                continue;
            }
            if (!Contains(definition.valueOptions, arg)) {
                problem = "unknown option " + arg + " for " + definition.name;
                return false;
            }
            if (i + 1 >= args.size()) {
                problem = arg + " needs a value";
                return false;
            }
            command.options[arg] = args[++i];
        } else {
            command.files.push_back(arg);
        }
    }
    if (command.files.size() != definition.files) {
        problem = std::string(definition.name) + " takes " + std::to_string(definition.files) +
                  (definition.files == 1 ? " file name" : " file names");
        return false;
    }
    return true;
}

}  // namespace

bool IsConsoleCommand(const std::vector<std::string>& args) {
    return !args.empty() && args[0].rfind("--", 0) == 0;
}

int RunConsoleCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                      std::ostream& err, Teardown teardown) {
    Console console{in, out, err, teardown};
    const CommandDefinition* definition = args.empty() ? nullptr : FindCommand(args[0]);
    Command command;
    std::string problem = args.empty() ? "no command given" : "unknown option " + args[0];
    if (!definition || !Parse(*definition, args, command, problem)) {
        err << "vorlen: " << problem << "\n" << usageText;
        return exitUsage;
    }
    return definition->run(command, console);
}

}  // namespace vorlen::shell
