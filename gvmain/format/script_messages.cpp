#include "gvmain/format/script_messages.h"

namespace gvmain {

std::string FillIn(const char* format, const std::string& value) {
    std::string text = format;
    size_t field = text.find("%s");
    if (field != std::string::npos)
        text.replace(field, 2, value);
    return text;
}

}  // namespace gvmain
