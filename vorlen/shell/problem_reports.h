// Problems that the lower layers report (a settings write that failed)
// reach the user of the window program as message boxes.
#pragma once

namespace vorlen {

// From now on, settings problems show as message boxes with their caption
// ("Problem") instead of going to stderr.
void ShowSettingsProblemsInMessageBoxes();

}  // namespace vorlen
