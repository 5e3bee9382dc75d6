// The numbers of the Edit commands that the main frame hands to the
// current screen (menu, tool bar and accelerators alike). The screens know
// them from here; the frame's own commands are in shell/command_ids.h.
#pragma once

namespace vorlen {

enum EditCommand : int {
    cmUndo = 24321,
    cmCut = 24322,
    cmCopy = 24323,
    cmPaste = 24324,
    cmDelete = 24325,
    cmClear = 24326,
    cmFind = 24351,
    cmFindNext = 24353,
    cmSaveAsVCalendar = 9399,
    cmCopyAsVCalendar = 9400,
};

}  // namespace vorlen
