// The one place where the program's Windows-1252 texts meet the toolkit's
// strings.
#pragma once

#include <wx/strconv.h>
#include <wx/string.h>

#include <string>
#include <string_view>

namespace vorlen::platform {

inline wxCSConv& Windows1252() {
    static wxCSConv conv("windows-1252");
    return conv;
}

inline wxString ToWx(std::string_view text) {
    return wxString(text.data(), Windows1252(), text.size());
}

// Characters that Windows-1252 lacks become '?'.
inline std::string FromWx(const wxString& text) {
    std::string bytes;
    for (wxUniChar c : text) {
        wxString one(c);
        wxCharBuffer converted = one.mb_str(Windows1252());
        bytes += converted.length() == 1 ? converted.data()[0] : '?';
    }
    return bytes;
}

}  // namespace vorlen::platform
