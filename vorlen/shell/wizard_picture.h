// The picture on the left of the set-up wizard.
#pragma once

#include <wx/bitmap.h>

namespace vorlen {

// Width and height of the picture, in pixels.
inline constexpr int kWizardPictureWidth = 164;
inline constexpr int kWizardPictureHeight = 314;

// The wizard's picture, kWizardPictureWidth by kWizardPictureHeight.
wxBitmap WizardPicture();

}  // namespace vorlen
