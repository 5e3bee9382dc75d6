// A record's text that may never have been set, kept apart from an empty
// one. One pointer wide and one allocation per non-empty text (none for an
// empty one), so that records full of texts stay small and files of many
// events load quickly.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace vorlen {

class OptionalText {
public:
    OptionalText() = default;
    explicit OptionalText(std::string_view text) { Assign(text); }
    explicit OptionalText(const char* text) {
        if (text)
            Assign(text);
    }
    OptionalText(const OptionalText& other) {
        if (other.block_)
            Assign(other.view());
    }
    OptionalText(OptionalText&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
    OptionalText& operator=(const OptionalText& other) {
        if (this != &other) {
            OptionalText copy(other);
            Swap(copy);
        }
        return *this;
    }
    OptionalText& operator=(OptionalText&& other) noexcept {
        OptionalText taken(std::move(other));
        Swap(taken);
        return *this;
    }
    ~OptionalText() { reset(); }

    bool has_value() const { return block_ != nullptr; }
    explicit operator bool() const { return has_value(); }
    // The text; empty for a text never set.
    std::string_view view() const {
        if (!block_)
            return {};
        uint32_t length;
        std::memcpy(&length, block_, sizeof length);
        return {block_ + sizeof length, length};
    }
    std::string_view operator*() const { return view(); }
    // Starts loading the characters, for loops that will read them soon.
    void Prefetch() const { __builtin_prefetch(block_); }
    std::string value_or(std::string_view fallback) const { return std::string(block_ ? view() : fallback); }
    // The setters of the records: a null text leaves the field as it was.
    void SetUnlessNull(const char* text) {
        if (text)
            *this = OptionalText(text);
    }
    void reset() {
        if (block_ != EmptyBlock())
            delete[] block_;
        block_ = nullptr;
    }
    void Swap(OptionalText& other) noexcept { std::swap(block_, other.block_); }

    friend bool operator==(const OptionalText& a, std::string_view b) { return a.block_ && a.view() == b; }
    friend bool operator!=(const OptionalText& a, std::string_view b) { return !(a == b); }
    friend bool operator==(const OptionalText& a, const OptionalText& b) {
        return a.block_ ? (b.block_ && a.view() == b.view()) : !b.block_;
    }

private:
    // A block is the length (4 bytes), the characters and a NUL; every empty
    // text shares one static block.
    static char* EmptyBlock() {
        static char empty[sizeof(uint32_t) + 1] = {};
        return empty;
    }
    void Assign(std::string_view text) {
        if (text.empty()) {
            block_ = EmptyBlock();
            return;
        }
        uint32_t length = static_cast<uint32_t>(text.size());
        block_ = new char[sizeof length + text.size() + 1];
        std::memcpy(block_, &length, sizeof length);
        std::memcpy(block_ + sizeof length, text.data(), text.size());
        block_[sizeof length + text.size()] = '\0';
    }

    char* block_ = nullptr;
};

}  // namespace vorlen
