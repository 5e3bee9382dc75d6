#include "gvmain/ops/ini_undo.h"

#include "gvmain/ops/ini_operations.h"
#include "gvmain/ops/message_text.h"

namespace gvmain {
namespace {

constexpr int messageRemoveFullSection = 145;
constexpr int captionRemoveFullSection = 146;

}  // namespace

bool UndoAddedIniSection(const std::string& file, const std::string& section, OperationHost& host) {
    if (IniSectionHoldsEntries(file, section, host)) {
        Question question{FormatText(host.Message(messageRemoveFullSection), {section}),
                          host.Message(captionRemoveFullSection),
                          Buttons::YesNo,
                          {}};
        if (host.Ask(question) != firstButton) {
            return false;
        }
    }
    return DeleteIniSection(file, section, host, nullptr);
}

}  // namespace gvmain
