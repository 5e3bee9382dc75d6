#include "gvmain/engine/dos_inform_dialog.h"

#include "gvmain/resources/dialog_ids.h"

namespace gvmain {
namespace {

// The edit wants "\r\n" line ends; a file written elsewhere may have bare ones.
std::string WithCrLf(const std::string& text) {
    std::string lines;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            lines += '\r';
        }
        lines += text[i];
    }
    return lines;
}

class DosInformDialog : public DialogWindow {
public:
    DosInformDialog(const std::string& path, const std::string& content) : path_(path), content_(content) {}

protected:
    bool OnInit() override {
        SetWindowTextA(Handle(), path_.c_str());
        SetItemText(IDC_DOSINFORM_TEXT, WithCrLf(content_));
        SetFocus(Item(IDOK));
        return false;
    }

private:
    const std::string& path_;
    const std::string& content_;
};

}  // namespace

bool ShowDosInform(const DialogResources& resources, HWND parent, const std::string& path,
                   const std::string& content) {
    if (resources.unattended) {
        return true;
    }
    DosInformDialog dialog(path, content);
    return dialog.RunModal(resources.language, "DLGDOSINFORM", parent) != -1;
}

}  // namespace gvmain
