// File names as the shell's dialogs hand them on: the ".vor" extension rule
// of the set-up wizard and file dialog filters in the toolkit's form.
#pragma once

#include <string>
#include <string_view>

namespace vorlen {

// The wizard's rule: a name longer than four characters gets ".vor" unless
// one of its last four characters already looks like part of an extension:
// the last is 'r', the second-last 'o', the third-last 'v' (in any case) or
// the fourth-last '.'. So any three-letter extension is kept, and so is a
// name that merely ends like "vor" (such as "letter").
std::string WithVorExtension(std::string_view name);

// A Windows filter ("desc|pattern|desc|pattern|", ending in a bar) as
// wxFileDialog takes it: the same pairs without the closing bar.
std::string ToWxWildcard(std::string_view filter);

// The filter of the dialogs that choose a data or archive file.
inline constexpr char kVorlenFileFilter[] = "Vorlen Files (*.VOR)|*.VOR|All Files (*.*)|*.*|";

// A chosen name without any extension gets ".vor", as the file dialogs'
// default extension gave it.
std::string WithDefaultVorExtension(std::string_view chosen);

}  // namespace vorlen
