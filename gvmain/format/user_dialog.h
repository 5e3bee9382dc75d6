// The dialogs that an install script defines for itself (user dialogs, run
// by event type 48): the model the script reader fills and the engine's
// window code shows. Pure C++; the byte layout is in install_script.h.
//
// Placement: the dialog's centre is given in thousandths of the parent
// window's client size (500, 500 centres it); its width and height, and
// every item's rectangle, are in dialog units of the dialog's font (the
// window code maps them, then adds the frame). Item n becomes the child
// window with the identifier 100 + n.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gvmain {

// As stored in the script; a kind outside 0-6 makes the script unreadable.
enum class UserItemKind : int32_t {
    StaticText = 0,     // the item's text
    Frame = 1,          // owner-drawn frame (button class), disabled
    Edit = 2,           // single-line, bordered, scrolling; a string variable
    DropDownList = 3,   // the item's lines; the selection in an int variable
    MessageButton = 4,  // push button with the text of message 12
    TextButton = 5,     // push button with the item's text
    MultiLineEdit = 6,  // bordered, scrolling; a string variable
};
constexpr int32_t userItemKindCount = 7;

constexpr int firstUserItemId = 100;
constexpr int userButtonMessage = 12;
// Placement of the dialog's centre: this much is the parent's full size.
constexpr int32_t userPlacementScale = 1000;

// UserDialogItem::flags
constexpr int32_t userItemReadOnly = 1;  // a multi-line edit the user cannot change

struct UserDialogItem {
    UserItemKind kind = UserItemKind::StaticText;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    // Expanded before use (variables, "$$"). For a drop-down list: its lines,
    // separated by "\r\n". For the edits: the starting text when the
    // variable is empty.
    std::string text;
    // The variable the item's value goes back to: a string variable for the
    // edits, an int variable for the drop-down list (its selection, from 0,
    // -1 for none); empty for the other kinds.
    std::string variable;
    int32_t flags = 0;
};

struct UserDialog {
    std::string name;   // what event type 48 names
    std::string title;  // empty: the template without a caption
    int32_t centreX = 500;
    int32_t centreY = 500;
    int32_t width = 200;
    int32_t height = 120;
    std::vector<UserDialogItem> items;
};

// The dialog's result, as event type 48 stores it: the index of the push
// button item that closed it, or this when it was closed otherwise.
constexpr int32_t userDialogCancelled = -1;

inline int UserItemId(size_t index) {
    return firstUserItemId + static_cast<int>(index);
}

// The dialog of that name (names compare exactly), or nullptr.
const UserDialog* FindUserDialog(const std::vector<UserDialog>& dialogs, const std::string& name);

// The lines of a drop-down list item's text.
std::vector<std::string> UserItemLines(const std::string& text);

struct WindowPlace {
    int32_t left = 0;
    int32_t top = 0;
};

// Where a window of the given outer size goes so that its centre lies at the
// dialog's point of the parent's client area (parent coordinates).
WindowPlace PlaceUserDialog(const UserDialog& dialog, int32_t parentWidth, int32_t parentHeight,
                            int32_t windowWidth, int32_t windowHeight);

}  // namespace gvmain
