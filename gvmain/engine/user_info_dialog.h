// The user information dialog "DLGASKUI": the user's name and company, with
// up to six lines of the script's text above them.
#pragma once

#include "gvmain/engine/dialog_window.h"

#include <windows.h>

#include <string>
#include <vector>

namespace gvmain {

constexpr size_t maxUserInfoTexts = 6;

struct UserInfo {
    std::string name;
    std::string company;
};

// `info` gives the first values; accepting copies the edited texts back.
// False when the user cancelled or the template is missing.
bool AskUserInfo(const DialogResources& resources, HWND parent, const std::vector<std::string>& texts,
                 UserInfo* info);

}  // namespace gvmain
