// Event categories ("types") with the defaults they propose for new events.
// Four categories are built in and always present.
#pragma once

#include "vorlen/core/date_time.h"
#include "vorlen/core/node.h"
#include "vorlen/core/node_list.h"
#include "vorlen/core/optional_text.h"

#include <cstdint>
#include <string_view>

namespace vorlen {

struct TypeFields {
    OptionalText name;  // unique within the list, case-sensitive
    int32_t defaultPeriod = 0;
    int32_t defaultWarningDays = 0;
    OptionalText defaultLocation;
    int32_t spareValue = 0;         // kept in the data file, otherwise unused
    int32_t defaultAutoDelete = 0;  // 0, 1 or 2 as an event's autoDelete
    Date spareDate;                 // kept in the data file, otherwise unused
};

struct TypeNode : Node, TypeFields {
    TypeNode* Next() const { return static_cast<TypeNode*>(next); }
    TypeNode* Prev() const { return static_cast<TypeNode*>(prev); }

    // A null text leaves the field as it was.
    void SetName(const char* text) { name.SetUnlessNull(text); }
    void SetDefaultLocation(const char* text) { defaultLocation.SetUnlessNull(text); }
    void SetDefaultPeriod(int32_t value) { defaultPeriod = value; }
    void SetDefaultWarningDays(int32_t value) { defaultWarningDays = value; }
    void SetSpareValue(int32_t value) { spareValue = value; }
    void SetDefaultAutoDelete(int32_t value) { defaultAutoDelete = value; }
    void SetSpareDate(int32_t d, int32_t m, int32_t y) { spareDate = Date(d, m, y); }
};

// The words of the category dialog's period list, by defaultPeriod 0-7.
extern const char* const defaultPeriodWords[8];

class Typelist : public NodeList<TypeNode> {
public:
    // An empty list, then the four built-in categories.
    Typelist();

    // Appends a category of that name with new values; null when the name
    // is taken.
    TypeNode* Add(std::string_view name);
    TypeNode* Find(std::string_view name) const;
    void RemoveNonBuiltIn();
    void AddStandard();
    static bool IsBuiltIn(std::string_view name);

    // Makes this list a copy of `other`, names and values in order.
    void CopyFrom(const Typelist& other);

private:
    TypeNode* Append(const TypeFields& fields);
};

}  // namespace vorlen
