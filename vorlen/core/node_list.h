// An owning, doubly linked list of records derived from Node, in insertion
// order: the shape that the event, category and reminder lists share.
#pragma once

#include "vorlen/core/node.h"

#include <cstdint>
#include <memory>
#include <utility>

namespace vorlen {

template <typename T>
class NodeList {
public:
    NodeList() = default;
    NodeList(const NodeList&) = delete;
    NodeList& operator=(const NodeList&) = delete;
    ~NodeList() { Clear(); }

    T* head = nullptr;
    T* tail = nullptr;
    int32_t count = 0;
    // Grows with every node added, taken out or moved in, so that a window
    // that keeps pointers to the nodes can tell when they may be gone.
    uint64_t changeCount = 0;

    // Appends a node that the caller hands over; null is ignored.
    T* Append(std::unique_ptr<T> node) {
        T* raw = node.release();
        if (!raw)
            return nullptr;
        raw->Unlink();
        raw->prev = tail;
        if (tail)
            tail->next = raw;
        else
            head = raw;
        tail = raw;
        ++count;
        ++changeCount;
        return raw;
    }

    // Unlinks the node and hands it to the caller; null gives null.
    std::unique_ptr<T> Detach(T* node) {
        if (!node)
            return nullptr;
        if (node == head)
            head = Next(node);
        if (node == tail)
            tail = Prev(node);
        node->Unlink();
        --count;
        ++changeCount;
        return std::unique_ptr<T>(node);
    }

    // Destroys the node; null is ignored.
    void Remove(T* node) { Detach(node); }

    // Moves every node of `other` to the end of this list, in order.
    void Splice(NodeList& other) {
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
        ++changeCount;
        ++other.changeCount;
    }

    void Swap(NodeList& other) noexcept {
        std::swap(head, other.head);
        std::swap(tail, other.tail);
        std::swap(count, other.count);
        ++changeCount;
        ++other.changeCount;
    }

    void Clear() {
        while (head)
            Remove(head);
    }

    class Iterator {
    public:
        explicit Iterator(T* node) : node_(node) {}
        T& operator*() const { return *node_; }
        T* operator->() const { return node_; }
        Iterator& operator++() {
            node_ = Next(node_);
            return *this;
        }
        bool operator!=(const Iterator& other) const { return node_ != other.node_; }

    private:
        T* node_;
    };
    Iterator begin() const { return Iterator(head); }
    Iterator end() const { return Iterator(nullptr); }

    static T* Next(const T* node) { return static_cast<T*>(node->next); }
    static T* Prev(const T* node) { return static_cast<T*>(node->prev); }
};

}  // namespace vorlen
