// The base of every record kept in one of the program's intrusive, doubly
// linked lists. A node's links never own; the list that holds a node owns it.
#pragma once

namespace vorlen {

struct Node {
    Node* prev = nullptr;
    Node* next = nullptr;

    Node() = default;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    // Unlinks the node from its neighbours, so that destroying a node never
    // breaks the chain around it. Lists own their nodes by their own type,
    // so the destructor need not be virtual; protected, so that no node is
    // destroyed through the base.

    void Unlink() {
        if (prev)
            prev->next = next;
        if (next)
            next->prev = prev;
        prev = next = nullptr;
    }

protected:
    ~Node() { Unlink(); }
};

}  // namespace vorlen
