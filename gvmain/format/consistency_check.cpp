#include "gvmain/format/consistency_check.h"

#include <cstdio>

namespace gvmain {

std::string CheckFailedText(int line, const char* file) {
    const char* name = file;
    for (const char* p = file; *p != '\0'; ++p) {
        if (*p == '/' || *p == '\\')
            name = p + 1;
    }
    char text[64];
    std::snprintf(text, sizeof text, "Check failed at line %d in file ", line);
    return text + std::string(name);
}

}  // namespace gvmain
