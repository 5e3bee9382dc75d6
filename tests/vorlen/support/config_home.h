// A private settings home for one test: XDG_CONFIG_HOME points into a
// scratch directory until the guard ends.
#pragma once

#include "temp_dir.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace vorlen::test {

class ConfigHomeGuard {
public:
    ConfigHomeGuard() {
        if (const char* current = std::getenv("XDG_CONFIG_HOME"))
            saved_ = current;
        ::setenv("XDG_CONFIG_HOME", home_.Path().c_str(), 1);
    }
    ~ConfigHomeGuard() {
        if (saved_)
            ::setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
    }
    ConfigHomeGuard(const ConfigHomeGuard&) = delete;
    ConfigHomeGuard& operator=(const ConfigHomeGuard&) = delete;

    std::string SettingsFile() const { return home_.Path() + "/Tolvane Software/Vorlen.conf"; }

private:
    TempDir home_;
    std::optional<std::string> saved_;
};

}  // namespace vorlen::test
