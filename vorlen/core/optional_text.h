// A record's text that may never have been set, kept apart from an empty
// one. One pointer wide, so that records full of texts stay small and the
// fields that every list walk reads share few cache lines.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace vorlen {

class OptionalText {
public:
    OptionalText() = default;
    explicit OptionalText(std::string text) : text_(std::make_unique<std::string>(std::move(text))) {}
    explicit OptionalText(const char* text) : text_(text ? std::make_unique<std::string>(text) : nullptr) {}
    OptionalText(const OptionalText& other) : text_(Clone(other)) {}
    OptionalText(OptionalText&&) noexcept = default;
    OptionalText& operator=(const OptionalText& other) {
        if (this != &other)
            text_ = Clone(other);
        return *this;
    }
    OptionalText& operator=(OptionalText&&) noexcept = default;

    bool has_value() const { return text_ != nullptr; }
    explicit operator bool() const { return has_value(); }
    // Only for a text that has a value.
    const std::string& operator*() const { return *text_; }
    const std::string* operator->() const { return text_.get(); }
    std::string value_or(std::string_view fallback) const {
        return text_ ? *text_ : std::string(fallback);
    }
    void reset() { text_.reset(); }

    friend bool operator==(const OptionalText& a, std::string_view b) { return a.text_ && *a.text_ == b; }
    friend bool operator==(const OptionalText& a, const OptionalText& b) {
        return a.text_ ? (b.text_ && *a.text_ == *b.text_) : !b.text_;
    }
    friend bool operator!=(const OptionalText& a, std::string_view b) { return !(a == b); }

private:
    static std::unique_ptr<std::string> Clone(const OptionalText& other) {
        return other.text_ ? std::make_unique<std::string>(*other.text_) : nullptr;
    }

    std::unique_ptr<std::string> text_;
};

}  // namespace vorlen
