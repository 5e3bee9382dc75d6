#include "gvmain/ops/message_text.h"

#include <cstring>

namespace gvmain {
namespace {

// The end of the field that starts at `percent`, or npos when none follows.
size_t FieldEnd(const std::string& format, size_t percent) {
    size_t at = percent + 1;
    while (at < format.size() && std::strchr("-+ #0123456789.l", format[at]) != nullptr) {
        ++at;
    }
    if (at < format.size() && std::strchr("sdiuxX", format[at]) != nullptr) {
        return at + 1;
    }
    return std::string::npos;
}

}  // namespace

std::string FormatText(const std::string& format, const std::vector<std::string>& args) {
    std::string text;
    size_t next = 0;
    size_t at = 0;
    while (at < format.size()) {
        if (format[at] != '%') {
            text += format[at++];
        } else if (at + 1 < format.size() && format[at + 1] == '%') {
            text += '%';
            at += 2;
        } else {
            size_t end = FieldEnd(format, at);
            if (end == std::string::npos) {
                text += format[at++];
                continue;
            }
            if (next < args.size()) {
                text += args[next];
            }
            ++next;
            at = end;
        }
    }
    return text;
}

}  // namespace gvmain
