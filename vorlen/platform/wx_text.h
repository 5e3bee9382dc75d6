// The one place where the program's Windows-1252 texts meet the toolkit's
// strings.
#pragma once

#include <wx/strconv.h>
#include <wx/string.h>

#include <array>
#include <string>
#include <string_view>

namespace vorlen::platform {

inline wxCSConv& Windows1252() {
    static wxCSConv conv("windows-1252");
    return conv;
}

// Byte by byte: the five bytes that Windows-1252 leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same
// number, as on Windows, instead of emptying the whole text.
inline wxString ToWx(std::string_view text) {
    static const std::array<wxUniChar, 256> table = [] {
        std::array<wxUniChar, 256> characters;
        for (int byte = 0; byte < 256; ++byte) {
            char one = static_cast<char>(byte);
            wxString converted(&one, Windows1252(), 1);
            characters[byte] = converted.length() == 1 ? converted[0] : wxUniChar(byte);
        }
        return characters;
    }();
    wxString result;
    result.reserve(text.size());
    for (char c : text)
        result += table[static_cast<unsigned char>(c)];
    return result;
}

// Characters that Windows-1252 lacks become '?'.
inline std::string FromWx(const wxString& text) {
    std::string bytes;
    for (wxUniChar c : text) {
        wxString one(c);
        wxCharBuffer converted = one.mb_str(Windows1252());
        if (converted.length() == 1)
            bytes += converted.data()[0];
        else
            bytes += c.GetValue() < 256 ? static_cast<char>(c.GetValue()) : '?';
    }
    return bytes;
}

}  // namespace vorlen::platform

namespace vorlen::platform {

// File names are the file system's bytes (normally UTF-8), not
// Windows-1252: they go to and from the toolkit as wx's file names do.
inline wxString FileNameToWx(std::string_view name) {
    return wxString(name.data(), *wxConvFileName, name.size());
}

inline std::string FileNameFromWx(const wxString& name) {
    wxCharBuffer bytes = name.fn_str();
    return std::string(bytes.data(), bytes.length());
}

}  // namespace vorlen::platform
