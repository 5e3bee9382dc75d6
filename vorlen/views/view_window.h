// The "Today's Event Reminders" screen: the banner, and today's day view
// in the form the "DayView" setting chooses (0 or unreadable: full, any
// other value: compressed).
#pragma once

#include "vorlen/views/screen_banner.h"
#include "vorlen/views/day_view.h"

#include <wx/bitmap.h>
#include <wx/window.h>

namespace vorlen {

class TViewWindow : public wxWindow {
public:
    // `hostKind` is 1 when the boot check opened the screen, 2 otherwise;
    // it is kept and changes nothing shown. The day is `today`.
    TViewWindow(wxWindow* parent, EventEditData data, int hostKind, const Date& today = Date::Today(),
                int depth = wxDisplayDepth());

    // After a new event or a paste: the day view afresh, placed again.
    void RefreshView();
    void ResizeChildren();

    int HostKind() const { return hostKind; }
    TDayView& DayView() { return dayView; }
    const wxBitmap& BannerBitmap() const { return banner.Banner(); }

private:
    // The layout rectangle's bottom: a resize places it 30 pixels lower
    // than a refresh does.
    void LayOut(int bottomOffset);
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);

    ScreenBanner banner;
    int hostKind;
    TDayView dayView;
    bool firstPaint = true;
    wxDECLARE_EVENT_TABLE();
};

// The display kind that a "DayView" value stands for.
DisplayKind DisplayKindOfSetting(int32_t dayView);

}  // namespace vorlen
