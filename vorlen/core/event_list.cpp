#include "event_list.h"

namespace vorlen {

EventNode* Eventlist::Add() {
    return Append(std::make_unique<EventNode>());
}

EventNode* Eventlist::Append(std::unique_ptr<EventNode> event) {
    EventNode* node = event.release();
    if (!node)
        return nullptr;
    node->Unlink();
    node->prev = tail;
    if (tail)
        tail->next = node;
    else
        head = node;
    tail = node;
    ++count;
    return node;
}

void Eventlist::Splice(Eventlist& other) {
    if (&other == this || !other.head)
        return;
    other.head->prev = tail;
    if (tail)
        tail->next = other.head;
    else
        head = other.head;
    tail = other.tail;
    count += other.count;
    other.head = other.tail = nullptr;
    other.count = 0;
}

EventNode* Eventlist::AddCopy(const EventNode& event) {
    EventNode* copy = Add();
    static_cast<EventFields&>(*copy) = event;
    copy->reservedText.reset();
    return copy;
}

void Eventlist::Remove(EventNode* event) {
    Detach(event);  // the returned owner destroys the node
}

std::unique_ptr<EventNode> Eventlist::Detach(EventNode* event) {
    if (!event)
        return nullptr;
    if (event == head)
        head = event->Next();
    if (event == tail)
        tail = event->Prev();
    event->Unlink();
    --count;
    return std::unique_ptr<EventNode>(event);
}

void Eventlist::DeleteAll() {
    while (head)
        Remove(head);
}

bool Eventlist::IsTypeUsed(const std::string& name) const {
    for (const EventNode& event : *this) {
        if (event.typeName && *event.typeName == name)
            return true;
    }
    return false;
}

void Eventlist::RenameType(const std::string& oldName, const std::string& newName) {
    for (EventNode& event : *this) {
        if (event.typeName && *event.typeName == oldName)
            event.typeName = OptionalText(newName);
    }
}

}  // namespace vorlen
