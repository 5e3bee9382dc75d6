// The changes the categories dialogs make to the open database: adding,
// renaming, deleting and reassigning categories and storing their defaults.
// Every change marks the data file unsaved at once; nothing waits for the
// dialog to end. No windows here, so that the rules are tested natively.
#pragma once

#include "vorlen/core/event_list.h"
#include "vorlen/core/type_list.h"
#include "vorlen/store/data_file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vorlen {

// The most bytes the dialogs read from a name, location or warning field:
// longer texts are cut, never stored whole.
inline constexpr std::size_t kMaxCategoryText = 255;

// At most kMaxCategoryText bytes of `text`.
std::string CategoryText(std::string_view text);

// The warning field read as a decimal integer: leading blanks, a sign and
// the digits up to the first other character ("12x" gives 12); no digits
// give 0; values beyond 32 bits stop at the nearest limit.
int32_t DecimalValue(std::string_view text);

// What the dialogs may do with a category of that name.
enum class CategoryAccess {
    missing,  // no category has the name: nothing to do
    builtIn,  // one of the four built-in ones: refused
    editable,
};

// The defaults "Set" stores, as the dialog's fields give them.
struct CategoryDefaults {
    int32_t period = 0;
    int32_t warningDays = 0;
    std::string location;
    int32_t autoDelete = 0;
};

enum class RenameResult {
    refused,  // no such category, or a built-in one: nothing changed
    renamed,  // the category and its events carry the new name (also when
              // the new name is the old one, which changes nothing)
    joined,   // a category of the new name existed: the events moved to it and
              // the old record stays, unlisted, under its old name
};

class CategoryEdits {
public:
    // All three must outlive this object.
    CategoryEdits(Typelist& types, Eventlist& events, store::DataFile& file)
        : types_(types), events_(events), file_(file) {}

    CategoryAccess Access(std::string_view name) const;

    // A new category with new values; null when the name is empty or taken.
    TypeNode* Add(const std::string& name);

    // Renames an editable category and every event of it.
    RenameResult Rename(const std::string& oldName, const std::string& newName);

    bool IsUsed(const std::string& name) const { return events_.IsTypeUsed(name); }

    // Gives every event of `removed` the category `target`.
    void Reassign(const std::string& removed, const std::string& target);

    // Removes an editable category; false (nothing changed) for a missing
    // or built-in one.
    bool Remove(const std::string& name);

    // Stores the defaults into an editable category; false (nothing
    // changed) for a built-in one.
    bool Set(TypeNode& category, const CategoryDefaults& defaults);

private:
    void MarkChanged() { file_.saved = 0; }

    Typelist& types_;
    Eventlist& events_;
    store::DataFile& file_;
};

}  // namespace vorlen
