#include "console_commands.h"

#include "vorlen/platform/text_encoding.h"
#include "vorlen/shell/version.h"
#include "vorlen/store/data_file.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>

namespace vorlen::shell {
namespace {

using platform::Utf8ToWindows1252;
using platform::Windows1252ToUtf8;

constexpr char usageText[] =
    "Usage: vorlen [FILE] [-b] [unregister]      start the program\n"
    "       vorlen --new FILE [--owner TEXT] [--title TEXT]\n"
    "       vorlen --info FILE\n"
    "       vorlen --export-csv FILE OUT\n"
    "       vorlen --help | --version\n";

struct Console {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

struct Command {
    std::vector<std::string> files;
    std::map<std::string, std::string> options;
};

// Asks the data file's questions on the terminal; no answer is a No.
class ConsolePrompts : public store::DataFilePrompts {
public:
    explicit ConsolePrompts(Console& console) : console_(console) {}
    bool AskYesNo(std::string_view caption, std::string_view text) override {
        console_.err << Windows1252ToUtf8(caption) << ": " << Windows1252ToUtf8(text) << "[y/N] " << std::flush;
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
struct Database {
    Eventlist events;
    Typelist types;
    store::DataFile file;
};

bool Load(const std::string& path, Database& db, Console& console) {
    ConsolePrompts prompts(console);
    db.file.SetFileName(path.c_str());
    if (db.file.Load(db.events, db.types, prompts) == store::notLoaded) {
        console.err << "Data Invalid: " << path << "\n";
        return false;
    }
    return true;
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

int Help(const Command&, Console& console) {
    console.out << usageText;
    return exitOk;
}

int Version(const Command&, Console& console) {
    console.out << version::productName << " Version " << version::productVersion << " (" << version::specialBuild
                << ")\n";
    return exitOk;
}

struct CommandSpec {
    const char* name;
    size_t files;
    std::vector<std::string> valueOptions;
    int (*run)(const Command&, Console&);
};

const std::vector<CommandSpec>& Commands() {
    static const std::vector<CommandSpec> commands = {
        {"--new", 1, {"--owner", "--title"}, New},
        {"--info", 1, {}, Info},
        {"--export-csv", 2, {}, ExportCsv},
        {"--help", 0, {}, Help},
        {"--version", 0, {}, Version},
    };
    return commands;
}

const CommandSpec* FindCommand(const std::string& name) {
    for (const CommandSpec& spec : Commands()) {
        if (name == spec.name)
            return &spec;
    }
    return nullptr;
}

// Reads the arguments after the command name; false (with the reason in
// `problem`) for an unknown option, a missing value or a wrong number of
// files.
bool Parse(const CommandSpec& spec, const std::vector<std::string>& args, Command& command,
           std::string& problem) {
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            const auto& options = spec.valueOptions;
            if (std::find(options.begin(), options.end(), arg) == options.end()) {
                problem = "unknown option " + arg + " for " + spec.name;
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
    if (command.files.size() != spec.files) {
        problem = std::string(spec.name) + " takes " + std::to_string(spec.files) +
                  (spec.files == 1 ? " file name" : " file names");
        return false;
    }
    return true;
}

}  // namespace

bool IsConsoleCommand(const std::vector<std::string>& args) {
    return !args.empty() && args[0].rfind("--", 0) == 0;
}

int RunConsoleCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                      std::ostream& err) {
    Console console{in, out, err};
    const CommandSpec* spec = args.empty() ? nullptr : FindCommand(args[0]);
    Command command;
    std::string problem = args.empty() ? "no command given" : "unknown option " + args[0];
    if (!spec || !Parse(*spec, args, command, problem)) {
        err << "vorlen: " << problem << "\n" << usageText;
        return exitUsage;
    }
    return spec->run(command, console);
}

}  // namespace vorlen::shell
