#include "gvmain/ops/font_operations.h"

#include "gvmain/ops/message_text.h"

#include <windows.h>

namespace gvmain {
namespace {

// A window that does not answer must not stop the installation.
void AnnounceFontChange() {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
}

}  // namespace

bool InstallFont(const std::string& path, OperationHost& host, OperationLog* log) {
    if (::AddFontResourceA(path.c_str()) == 0) {
        host.ReportError("Unable to install font");
        return false;
    }
    AnnounceFontChange();
    if (log != nullptr) {
        log->FontAdded(path);
    }
    return true;
}

bool RemoveFont(const std::string& path, OperationHost& host) {
    if (!::RemoveFontResourceA(path.c_str())) {
        host.ReportError(FormatText("Unable to remove font %s", {path}));
        return false;
    }
    AnnounceFontChange();
    return true;
}

}  // namespace gvmain
