#include "tools/movexe/mover_order.h"

namespace movexe {

Action ActionOf(const Order& order) {
    if (order.file.empty()) {
        return Action::Nothing;
    }
    if (order.to.empty()) {
        return order.start ? Action::Start : Action::Delete;
    }
    return order.start ? Action::MoveAndStart : Action::Move;
}

std::string Destination(const Order& order) {
    if (order.to.empty()) {
        return order.file;
    }
    size_t slash = order.file.find_last_of("\\/");
    std::string name = slash == std::string::npos ? order.file : order.file.substr(slash + 1);
    char last = order.to.back();
    return order.to + (last == '\\' || last == '/' ? "" : "\\") + name;
}

}  // namespace movexe
