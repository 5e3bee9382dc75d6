#include "event_list.h"

namespace vorlen {

EventNode* Eventlist::AddCopy(const EventNode& event) {
    EventNode* copy = Add();
    static_cast<EventFields&>(*copy) = event;
    copy->reservedText.reset();
    return copy;
}

bool Eventlist::IsTypeUsed(const std::string& name) const {
    for (const EventNode& event : *this) {
        if (event.typeName == name)
            return true;
    }
    return false;
}

void Eventlist::RenameType(const std::string& oldName, const std::string& newName) {
    for (EventNode& event : *this) {
        if (event.typeName == oldName)
            event.typeName = OptionalText(newName);
    }
}

}  // namespace vorlen
