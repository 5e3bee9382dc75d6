// The order of "movexe.ini" (section "x"): the file "f", the directory
// "t" (empty: no move) and "x" ("1": start the program afterwards).
#pragma once

#include <string>

namespace movexe {

struct Order {
    std::string file;
    std::string to;
    bool start = false;
};

enum class Action { Nothing, Delete, Move, Start, MoveAndStart };

// With "t" a directory the file goes there (the copy at a drive root, or
// back into the uninstaller's directory) and, with "x" = "1", is started
// there; with "t" empty it is removed, or with "x" = "1" started where it is.
Action ActionOf(const Order& order);

// The file's place after the order: "t" joined with the file's name, or
// the file itself when "t" is empty.
std::string Destination(const Order& order);

}  // namespace movexe
