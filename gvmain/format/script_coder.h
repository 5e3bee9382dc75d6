// One pass over the install script's fields, reading or writing: each object
// of the script lists its fields once against this (install_script.cpp).
// The first failure is kept as the message the caller shows.
#pragma once

#include "gvmain/format/portable_stream.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gvmain {

class ScriptCoder {
public:
    enum class Direction { Read, Write };

    ScriptCoder(PortableStream& stream, Direction direction) : stream_(stream), direction_(direction) {}

    bool Reading() const { return direction_ == Direction::Read; }
    IntWidth Width() const { return stream_.Width(); }

    bool Int(int32_t& value) { return Done(Reading() ? stream_.ReadInt(value) : stream_.WriteInt(value)); }
    bool Dword(uint32_t& value) {
        return Done(Reading() ? stream_.ReadDword(value) : stream_.WriteDword(value));
    }
    bool Text(std::string& value) {
        return Done(Reading() ? stream_.ReadString(value) : stream_.WriteString(value));
    }
    bool Flag(bool& value) {
        int32_t number = value ? 1 : 0;
        if (!Int(number))
            return false;
        value = number != 0;
        return true;
    }
    template <class E>
    bool Enum(E& value) {
        int32_t number = static_cast<int32_t>(value);
        if (!Int(number))
            return false;
        value = static_cast<E>(number);
        return true;
    }

    // An int count, then each item through `transfer(coder, item)`. A count
    // read from the file is checked against the bytes left (every item takes
    // at least one) before any item is made.
    template <class T, class Transfer>
    bool List(std::vector<T>& items, Transfer transfer) {
        int32_t count = static_cast<int32_t>(items.size());
        if (!Reading() && items.size() > static_cast<size_t>(INT32_MAX))
            return Refuse("A list of the script is too long");
        if (!Int(count))
            return false;
        if (Reading()) {
            if (count < 0 || static_cast<size_t>(count) > stream_.Remaining())
                return Refuse("Install script holds a list count of " + std::to_string(count) +
                              " with only " + std::to_string(stream_.Remaining()) + " bytes left");
            items.clear();
        }
        for (int32_t i = 0; i < count; ++i) {
            if (Reading())
                items.emplace_back();
            if (!transfer(*this, items[static_cast<size_t>(i)]))
                return false;
        }
        return true;
    }

    // Keeps the first reason only; always false.
    bool Refuse(const std::string& why) {
        if (error_.empty())
            error_ = why;
        return false;
    }
    const std::string& Error() const { return error_; }

private:
    bool Done(bool ok) {
        if (ok)
            return true;
        return Refuse(Reading() ? "Install script ends too early"
                                : "A value or text of the script does not fit its format");
    }

    PortableStream& stream_;
    Direction direction_;
    std::string error_;
};

}  // namespace gvmain
