// The manifest's script program: variables, user dialogs and events, with
// the names that tie them to components and file sets.
#pragma once

#include "gvmain/format/event_classes.h"
#include "gvmain/format/install_script.h"

#include <toml++/toml.h>

#include <string>

namespace gvbuild {

// [variables]: each key a variable, an integer value making an integer
// variable, a string value a string variable.
void ReadVariables(const toml::table& table, gvmain::IntWidth width, gvmain::InstallScript& script);
void ReadUserDialog(const toml::table& table, gvmain::InstallScript& script);
// Appends the event; its variables must be declared before. Ints must fit
// the script's width.
void ReadEvent(const toml::table& table, const gvmain::EventClassRegistry& classes, gvmain::IntWidth width,
               gvmain::InstallScript& script);

// The index of the component of that name; `where` locates the error.
int32_t ComponentIndex(const std::string& name, const toml::node& where, const gvmain::InstallScript& script);
// Adds file `file` to the set of that name, made when first named.
void AddToFileSet(const std::string& name, int32_t file, gvmain::InstallScript& script);

}  // namespace gvbuild
