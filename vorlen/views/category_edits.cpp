#include "category_edits.h"

#include <cctype>
#include <limits>

namespace vorlen {

std::string CategoryText(std::string_view text) {
    return std::string(text.substr(0, kMaxCategoryText));
}

int32_t DecimalValue(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    // Counted as a negative number, which reaches one further than a
    // positive one.
    constexpr int64_t lowest = std::numeric_limits<int32_t>::min();
    int64_t value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        value = value * 10 - (text[at] - '0');
        if (value < lowest) {
            value = lowest;
            break;
        }
    }
    if (!negative)
        value = value == lowest ? std::numeric_limits<int32_t>::max() : -value;
    return static_cast<int32_t>(value);
}

CategoryAccess CategoryEdits::Access(std::string_view name) const {
    if (!types_.Find(name))
        return CategoryAccess::missing;
    return Typelist::IsBuiltIn(name) ? CategoryAccess::builtIn : CategoryAccess::editable;
}

TypeNode* CategoryEdits::Add(const std::string& name) {
    if (name.empty())
        return nullptr;
    TypeNode* added = types_.Add(name);
    if (added)
        MarkChanged();
    return added;
}

RenameResult CategoryEdits::Rename(const std::string& oldName, const std::string& newName) {
    if (Access(oldName) != CategoryAccess::editable || newName.empty())
        return RenameResult::refused;
    if (newName == oldName)
        return RenameResult::renamed;
    events_.RenameType(oldName, newName);
    MarkChanged();
    if (types_.Find(newName))
        return RenameResult::joined;
    types_.Find(oldName)->SetName(newName.c_str());
    return RenameResult::renamed;
}

void CategoryEdits::Reassign(const std::string& removed, const std::string& target) {
    events_.RenameType(removed, target);
    MarkChanged();
}

bool CategoryEdits::Remove(const std::string& name) {
    if (Access(name) != CategoryAccess::editable)
        return false;
    types_.Remove(types_.Find(name));
    MarkChanged();
    return true;
}

bool CategoryEdits::Set(TypeNode& category, const CategoryDefaults& defaults) {
    if (Typelist::IsBuiltIn(category.name.view()))
        return false;
    category.SetDefaultAutoDelete(defaults.autoDelete);
    category.SetDefaultLocation(CategoryText(defaults.location).c_str());
    category.SetDefaultWarningDays(defaults.warningDays);
    category.SetDefaultPeriod(defaults.period);
    MarkChanged();
    return true;
}

}  // namespace vorlen
