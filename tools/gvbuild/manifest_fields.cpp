#include "tools/gvbuild/manifest_fields.h"

#include "tools/gvbuild/text_encoding.h"

namespace gvbuild {

const toml::node* Fields::Find(const std::string& key) {
    used_.insert(key);
    return table_.get(key);
}

std::optional<std::string> Fields::Text(const std::string& key) {
    const toml::node* node = Find(key);
    if (node == nullptr)
        return std::nullopt;
    return NodeText(*node, what_ + " " + key);
}

std::string Fields::RequiredText(const std::string& key) {
    std::optional<std::string> text = Text(key);
    if (!text)
        throw ManifestError(table_.source(), what_ + " needs \"" + key + "\"");
    return *text;
}

std::optional<int64_t> Fields::Integer(const std::string& key, int64_t low, int64_t high) {
    const toml::node* node = Find(key);
    if (node == nullptr)
        return std::nullopt;
    return NodeInteger(*node, low, high, what_ + " " + key);
}

bool Fields::Flag(const std::string& key, bool fallback) {
    const toml::node* node = Find(key);
    if (node == nullptr)
        return fallback;
    if (!node->is_boolean())
        throw ManifestError(node->source(), what_ + " " + key + " must be true or false");
    return node->as_boolean()->get();
}

int32_t Fields::Choice(const std::string& key, std::initializer_list<const char*> names, int32_t fallback) {
    std::optional<std::string> text = Text(key);
    if (!text)
        return fallback;
    int32_t index = 0;
    std::string known;
    for (const char* name : names) {
        if (*text == name)
            return index;
        known += std::string(index++ ? ", " : "") + "\"" + name + "\"";
    }
    Fail(key, what_ + " " + key + " must be one of " + known);
}

const toml::array* Fields::Array(const std::string& key) {
    const toml::node* node = Find(key);
    if (node != nullptr && !node->is_array())
        throw ManifestError(node->source(), what_ + " " + key + " must be an array");
    return node != nullptr ? node->as_array() : nullptr;
}

const toml::table* Fields::Table(const std::string& key) {
    const toml::node* node = Find(key);
    return node != nullptr ? &NodeTable(*node, what_ + " " + key) : nullptr;
}

void Fields::Finish() const {
    for (auto&& [key, node] : table_) {
        if (used_.count(std::string(key.str())) == 0)
            throw ManifestError(key.source(), what_ + " has no key \"" + std::string(key.str()) + "\"");
    }
}

void Fields::Fail(const std::string& key, const std::string& what) const {
    const toml::node* node = table_.get(key);
    throw ManifestError(node != nullptr ? node->source() : table_.source(), what);
}

std::string NodeText(const toml::node& node, const std::string& what) {
    if (!node.is_string())
        throw ManifestError(node.source(), what + " must be a string");
    std::string text;
    if (!Utf8ToWindows1252(node.as_string()->get(), text))
        throw ManifestError(node.source(), what + " holds a character that Windows-1252 lacks");
    return text;
}

int64_t NodeInteger(const toml::node& node, int64_t low, int64_t high, const std::string& what) {
    if (!node.is_integer())
        throw ManifestError(node.source(), what + " must be an integer");
    int64_t value = node.as_integer()->get();
    if (value < low || value > high)
        throw ManifestError(node.source(), what + " must lie between " + std::to_string(low) + " and " +
                                               std::to_string(high));
    return value;
}

const toml::table& NodeTable(const toml::node& node, const std::string& what) {
    if (!node.is_table())
        throw ManifestError(node.source(), what + " must be a table");
    return *node.as_table();
}

}  // namespace gvbuild
