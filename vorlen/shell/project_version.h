// The program's version texts, asked for by the names a version resource
// gives them. On Windows they would come from the program file's version
// block; here the build writes them into version.h.
#pragma once

#include <optional>
#include <string>

namespace vorlen {

// Each value is absent when the program carries no such text.
struct VersionValues {
    std::optional<std::string> productName;
    std::optional<std::string> productVersion;
    std::optional<std::string> specialBuild;
};

class TProjectRCVersion {
public:
    // The running program's version texts.
    TProjectRCVersion();
    explicit TProjectRCVersion(VersionValues values) : values(std::move(values)) {}

    // The value `name` ("ProductName", "ProductVersion" or "SpecialBuild");
    // nullopt for another name or a value the program lacks.
    std::optional<std::string> Query(const std::string& name) const;

private:
    VersionValues values;
};

}  // namespace vorlen
