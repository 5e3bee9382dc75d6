#include "document.h"

#include "vorlen/core/imported_events.h"

namespace vorlen::shell {

void Document::Clear() {
    reminders.Clear();
    events.DeleteAll();
    types.RemoveNonBuiltIn();
}

LoadOutcome Document::Load(const std::string& name, bool merge, const std::string& archiveFile,
                           const Date& today, store::CompressPrompts& prompts) {
    reminders.Clear();  // its entries point into the events about to change
    std::string keptName(file.fileName.view());
    if (!merge)
        Clear();
    file.SetFileName(name.c_str());
    bool loaded = file.Load(events, types, prompts) != store::notLoaded;
    if (merge) {
        // A damaged file must not cost the data already open: the lists are
        // untouched by a failed load, so only the name goes back.
        file.SetFileName(keptName.c_str());
        if (!loaded)
            return LoadOutcome::invalidKept;
        MarkChanged();
        return LoadOutcome::merged;
    }
    if (!loaded)
        return CreateNew(unknownFileName, today) ? LoadOutcome::invalidReset : LoadOutcome::invalidNoReset;
    if (file.isArchive)
        return LoadOutcome::loadedArchive;
    ExpireOldEvents(archiveFile, today, prompts);
    return LoadOutcome::loaded;
}

bool Document::CreateNew(const std::string& name, const Date& today) {
    reminders.Clear();
    return file.New(name, true, events, types, today);
}

bool Document::Save() {
    return file.Save(events, types);
}

store::CompressResult Document::ExpireOldEvents(const std::string& archiveFile, const Date& today,
                                                store::CompressPrompts& prompts) {
    reminders.Clear();
    return store::Compress(events, file, true, archiveFile, today, prompts);
}

int Document::AppendEvents(Eventlist& imported) {
    int count = AppendImportedEvents(imported, events, types);
    if (count > 0)
        MarkChanged();
    return count;
}

}  // namespace vorlen::shell
