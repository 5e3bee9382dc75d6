#include "type_list.h"

#include <memory>
#include <utility>

namespace vorlen {

const char* const defaultPeriodWords[8] = {"Undefined", "Once Off",          "Weekly", "Biweekly",
                                           "Monthly",   "Custom Reoccuring", "Yearly", "Special Monthly"};

namespace {

struct Category {
    const char* name;
    int32_t defaultPeriod;
};

constexpr Category builtIn[] = {
    {"Birthday", 6},
    {"Wedding Anniversary", 6},
    {"Death Memorial", 6},
    {"Normal", 0},
};

constexpr Category standard[] = {
    {"Appointment", 1},      {"Buisness", 0}, {"Education", 0},  {"Holiday", 0},
    {"Meeting", 0},          {"Personal", 0}, {"Phone Call", 0}, {"Sick Day", 0},
    {"Special Occasion", 0}, {"Vacation", 0}, {"Travel", 0},
};

}  // namespace

Typelist::Typelist() {
    for (const Category& category : builtIn)
        Add(category.name)->defaultPeriod = category.defaultPeriod;
}

TypeNode* Typelist::Append(const TypeFields& fields) {
    auto node = std::make_unique<TypeNode>();
    static_cast<TypeFields&>(*node) = fields;
    return NodeList::Append(std::move(node));
}

TypeNode* Typelist::Add(std::string_view name) {
    if (Find(name))
        return nullptr;
    TypeFields fields;
    fields.name = OptionalText(name);
    return Append(fields);
}

TypeNode* Typelist::Find(std::string_view name) const {
    for (TypeNode& category : *this) {
        if (category.name == name)
            return &category;
    }
    return nullptr;
}

void Typelist::RemoveNonBuiltIn() {
    for (TypeNode* category = head; category;) {
        TypeNode* next = category->Next();
        if (!IsBuiltIn(category->name.view()))
            Remove(category);
        category = next;
    }
}

void Typelist::AddStandard() {
    for (const Category& category : standard) {
        if (TypeNode* added = Add(category.name))
            added->defaultPeriod = category.defaultPeriod;
    }
}

bool Typelist::IsBuiltIn(std::string_view name) {
    for (const Category& category : builtIn) {
        if (name == category.name)
            return true;
    }
    return false;
}

void Typelist::CopyFrom(const Typelist& other) {
    if (this == &other)
        return;
    Clear();
    for (const TypeNode& category : other)
        Append(category);
}

}  // namespace vorlen
