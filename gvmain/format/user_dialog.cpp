#include "gvmain/format/user_dialog.h"

namespace gvmain {

const UserDialog* FindUserDialog(const std::vector<UserDialog>& dialogs, const std::string& name) {
    for (const UserDialog& dialog : dialogs) {
        if (dialog.name == name)
            return &dialog;
    }
    return nullptr;
}

std::vector<std::string> UserItemLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// 64-bit products: a client size times a thousandth-count overflows 32 bits
// for large but legal values from the script.
WindowPlace PlaceUserDialog(const UserDialog& dialog, int32_t parentWidth, int32_t parentHeight,
                            int32_t windowWidth, int32_t windowHeight) {
    int64_t centreX = int64_t{parentWidth} * dialog.centreX / userPlacementScale;
    int64_t centreY = int64_t{parentHeight} * dialog.centreY / userPlacementScale;
    return {static_cast<int32_t>(centreX - windowWidth / 2),
            static_cast<int32_t>(centreY - windowHeight / 2)};
}

}  // namespace gvmain
