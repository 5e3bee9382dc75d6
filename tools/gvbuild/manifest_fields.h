// Reading one TOML table of the manifest: typed look-ups that fail with the
// line and column of the offending value, and a final check that refuses
// keys nobody asked for (a misspelt key must not be ignored silently).
#pragma once

#include <toml++/toml.h>

#include <cstdint>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>

namespace gvbuild {

// Thrown inside the reader only; ReadManifest turns it into its error text.
struct ManifestError : std::runtime_error {
    ManifestError(const toml::source_region& where, const std::string& what)
        : std::runtime_error(what), line(where.begin.line), column(where.begin.column) {}
    uint32_t line;
    uint32_t column;
};

class Fields {
public:
    Fields(const toml::table& table, std::string what) : table_(table), what_(std::move(what)) {}

    const toml::node* Find(const std::string& key);
    std::optional<std::string> Text(const std::string& key);
    std::string Text(const std::string& key, const std::string& fallback) {
        return Text(key).value_or(fallback);
    }
    std::string RequiredText(const std::string& key);
    std::optional<int64_t> Integer(const std::string& key, int64_t low, int64_t high);
    int64_t Integer(const std::string& key, int64_t low, int64_t high, int64_t fallback) {
        return Integer(key, low, high).value_or(fallback);
    }
    bool Flag(const std::string& key, bool fallback = false);
    // One of `names`: its index.
    int32_t Choice(const std::string& key, std::initializer_list<const char*> names, int32_t fallback);
    const toml::array* Array(const std::string& key);
    const toml::table* Table(const std::string& key);

    // Fails on the first key that was never asked for.
    void Finish() const;
    [[noreturn]] void Fail(const std::string& key, const std::string& what) const;
    const toml::table& Source() const { return table_; }

private:
    const toml::table& table_;
    std::string what_;
    std::set<std::string> used_;
};

std::string NodeText(const toml::node& node, const std::string& what);
int64_t NodeInteger(const toml::node& node, int64_t low, int64_t high, const std::string& what);
const toml::table& NodeTable(const toml::node& node, const std::string& what);

}  // namespace gvbuild
