#include "compress.h"

#include <filesystem>
#include <vector>

namespace vorlen::store {
namespace {

constexpr char cannotCompress[] = "Database cannot be compressed";
constexpr char noArchiveManual[] =
    "No Valid archive file set up. Please use Options|Archive File to set up a file to save old records to.";
constexpr char noArchiveAutomatic[] =
    "There are events that are scheduled to be archived but no valid archive file is set up. Please use "
    "Options|Archive File to set up a file to save old records to.";
constexpr char archiveTitle[] = "Archive Data File";

// Removes the events, the last found first, and marks the file changed.
int RemoveAll(Eventlist& events, std::vector<EventNode*>& found, DataFile& file) {
    for (auto event = found.rbegin(); event != found.rend(); ++event)
        events.Remove(*event);
    if (!found.empty())
        file.saved = 0;
    int removed = static_cast<int>(found.size());
    found.clear();
    return removed;
}

// Passes the questions of loading the archive on, noting a No: an archive
// from a later version that the user would not load must not be replaced.
class ArchiveLoadPrompts : public DataFilePrompts {
public:
    explicit ArchiveLoadPrompts(DataFilePrompts& prompts) : prompts_(prompts) {}
    bool AskYesNo(std::string_view caption, std::string_view text) override {
        bool yes = prompts_.AskYesNo(caption, text);
        declined = declined || !yes;
        return yes;
    }
    void Notify(std::string_view caption, std::string_view text) override { prompts_.Notify(caption, text); }
    bool declined = false;

private:
    DataFilePrompts& prompts_;
};

// Writes the copies, followed by what the archive file held before, into
// the archive file. False, with the message shown, when it cannot be
// written: the caller then keeps the events.
bool WriteArchive(Eventlist& copies, const std::string& archiveFile, CompressPrompts& prompts) {
    DataFile archive;
    Typelist types;
    Eventlist earlier;
    archive.SetFileName(archiveFile.c_str());
    ArchiveLoadPrompts loadPrompts(prompts);
    int loaded = archive.Load(earlier, types, loadPrompts);
    if (loaded == notLoaded && loadPrompts.declined) {
        prompts.ShowMessage("Error", "The old events stay in the database: the archive file " + archiveFile +
                                         " comes from a later version and was left as it is.");
        return false;
    }
    if (loaded == loadedData) {
        copies.Splice(earlier);
    } else {
        // No archive yet, or no data file under that name (a calendar file
        // of another program counts as none): a new one.
        Typelist builtIn;
        types.Swap(builtIn);
        archive.SetFileName(archiveFile.c_str());
        archive.SetOwner("Unknown Owner");
        archive.SetTitle(archiveTitle);
        archive.isArchive = 1;
        archive.isOpen = 1;
    }
    if (archive.Save(copies, types))
        return true;
    prompts.ShowMessage(
        "Error", "The old events could not be archived and stay in the database. " + archive.LastError());
    return false;
}

// True when both names lead to one existing file.
bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

}  // namespace

CompressResult Compress(Eventlist& events, DataFile& file, bool automatic, const std::string& archiveFile,
                        const Date& today, CompressPrompts& prompts) {
    CompressResult result;
    Eventlist copies;
    std::vector<EventNode*> toArchive;
    std::vector<EventNode*> toDelete;
    for (EventNode& event : events) {
        if (!event.IsExpiredBefore(today))
            continue;
        if (!automatic || event.autoDelete == 2) {
            copies.Add()->CopyFrom(event);
            toArchive.push_back(&event);
        } else if (event.autoDelete == 1) {
            toDelete.push_back(&event);
        }
    }
    result.deleted = RemoveAll(events, toDelete, file);

    if (!automatic) {
        if (toArchive.empty()) {
            prompts.ShowMessage("Notice", cannotCompress);
            return result;
        }
        switch (prompts.ChooseArchiveOrDelete(static_cast<int>(toArchive.size()))) {
        case CompressChoice::Delete: result.deleted += RemoveAll(events, toArchive, file); return result;
        case CompressChoice::Cancel: return result;
        case CompressChoice::Archive: break;
        }
    }
    if (toArchive.empty())
        return result;
    if (archiveFile.empty()) {
        prompts.ShowMessage(automatic ? "Problem" : "Error",
                            automatic ? noArchiveAutomatic : noArchiveManual);
        return result;
    }
    if (file.fileName && SameFile(archiveFile, std::string(file.fileName.view()))) {
        // Saving the database afterwards would overwrite the archive.
        prompts.ShowMessage("Error", "The archive file is the open data file itself; nothing was archived.");
        result.archiveFailed = true;
        return result;
    }
    if (!WriteArchive(copies, archiveFile, prompts)) {
        result.archiveFailed = true;
        return result;
    }
    result.archived = RemoveAll(events, toArchive, file);
    return result;
}

}  // namespace vorlen::store
