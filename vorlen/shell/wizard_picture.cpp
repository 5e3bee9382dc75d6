#include "wizard_picture.h"

#include <wx/dcmemory.h>

namespace vorlen {

// A plain vertical gradient until the program's own art takes its place.
wxBitmap WizardPicture() {
    wxBitmap picture(kWizardPictureWidth, kWizardPictureHeight);
    wxMemoryDC dc(picture);
    dc.GradientFillLinear(wxRect(0, 0, kWizardPictureWidth, kWizardPictureHeight), wxColour(0, 64, 128),
                          wxColour(160, 200, 232), wxSOUTH);
    dc.SelectObject(wxNullBitmap);
    return picture;
}

}  // namespace vorlen
