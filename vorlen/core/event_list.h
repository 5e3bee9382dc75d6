// The events of the open data file, in insertion order. The list owns its
// nodes; it never sorts (views sort what they show).
#pragma once

#include "vorlen/core/event_node.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vorlen {

class Eventlist {
public:
    Eventlist() = default;
    Eventlist(const Eventlist&) = delete;
    Eventlist& operator=(const Eventlist&) = delete;
    ~Eventlist() { DeleteAll(); }

    EventNode* head = nullptr;
    EventNode* tail = nullptr;
    int32_t count = 0;

    // Appends a new event with every field at its new value.
    EventNode* Add();
    // Appends an event that the caller hands over (a cut or loaded node).
    EventNode* Append(std::unique_ptr<EventNode> event);
    // Moves every node of `other` to the end of this list, in order.
    void Splice(Eventlist& other);
    // Appends a copy of every field except reservedText.
    EventNode* AddCopy(const EventNode& event);
    // Destroys the node; a null node is ignored.
    void Remove(EventNode* event);
    // Unlinks the node and hands it to the caller.
    std::unique_ptr<EventNode> Detach(EventNode* event);
    void DeleteAll();

    bool IsTypeUsed(const std::string& name) const;
    void RenameType(const std::string& oldName, const std::string& newName);

    class Iterator {
    public:
        explicit Iterator(EventNode* node) : node_(node) {}
        EventNode& operator*() const { return *node_; }
        EventNode* operator->() const { return node_; }
        Iterator& operator++() {
            node_ = node_->Next();
            return *this;
        }
        bool operator!=(const Iterator& other) const { return node_ != other.node_; }

    private:
        EventNode* node_;
    };
    Iterator begin() const { return Iterator(head); }
    Iterator end() const { return Iterator(nullptr); }
};

}  // namespace vorlen
