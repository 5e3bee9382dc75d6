#include "project_version.h"

#include "vorlen/shell/version.h"

namespace vorlen {

TProjectRCVersion::TProjectRCVersion()
    : values{std::string(version::productName), std::string(version::productVersion),
             std::string(version::specialBuild)} {}

std::optional<std::string> TProjectRCVersion::Query(const std::string& name) const {
    if (name == "ProductName")
        return values.productName;
    if (name == "ProductVersion")
        return values.productVersion;
    if (name == "SpecialBuild")
        return values.specialBuild;
    return std::nullopt;
}

}  // namespace vorlen
