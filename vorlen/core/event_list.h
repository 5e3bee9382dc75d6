// The events of the open data file, in insertion order. The list owns its
// nodes; it never sorts (views sort what they show).
#pragma once

#include "vorlen/core/event_node.h"
#include "vorlen/core/node_list.h"

#include <string>

namespace vorlen {

class Eventlist : public NodeList<EventNode> {
public:
    // Appends a new event with every field at its new value.
    EventNode* Add() { return Append(std::make_unique<EventNode>()); }
    // Appends a copy of every field except reservedText.
    EventNode* AddCopy(const EventNode& event);
    void DeleteAll() { Clear(); }

    bool IsTypeUsed(const std::string& name) const;
    void RenameType(const std::string& oldName, const std::string& newName);
};

}  // namespace vorlen
