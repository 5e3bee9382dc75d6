#include "day_view.h"

#include "vorlen/platform/wx_text.h"
#include "vorlen/views/rich_edit.h"

#include <wx/settings.h>
#include <wx/statbox.h>

namespace vorlen {
namespace {

constexpr char placeholderText[] = "Event/Appointment View";

wxFont PaneFont() {
    return wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
}

void Place(wxWindow* window, const views::PaneRect& rect) {
    if (window)
        window->SetSize(rect.x, rect.y, rect.width, rect.height);
}

}  // namespace

void RenderMarkup(std::string_view text, TRichEdit& pane) {
    pane.SetMarkup(text);
}

TDayView::TDayView(const Date& date, wxWindow* host, EventEditData data, DisplayKind kind, int slotViewControlId,
                   int todayPaneControlId, int warningsPaneControlId)
    : displayKind(kind), date(date), reminders(data.events) {
    // The group boxes first, so that the panes lie above them.
    todayGroup = new wxStaticBox(host, todayGroupId, "Todays Events");
    if (kind == ViewKindFull)
        warningsGroup = new wxStaticBox(host, warningsGroupId, "Future Events");
    todayPane = new TRichEdit(host, todayPaneControlId, placeholderText);
    if (kind == ViewKindFull)
        warningsPane = new TRichEdit(host, warningsPaneControlId, placeholderText);
    if (kind != ViewKindList)
        slotView = new TDayListView(host, slotViewControlId, date, reminders, data);
    CreateControls();
}

void TDayView::CreateControls() {
    // The panes have no editing at all: read-only by their making.
    todayPane->Hide();
    todayPane->SetFont(PaneFont());
    if (warningsPane)
        warningsPane->SetFont(PaneFont());
    todayGroup->SetFont(PaneFont());
    if (warningsGroup)
        warningsGroup->SetFont(PaneFont());
}

void TDayView::ShowListPane() {
    todayPane->Show();
}

void TDayView::SetDate(const Date& day) {
    date = day;
    if (slotView)
        slotView->SetDate(day);
    Refresh();
}

void TDayView::Refresh() {
    reminders.Build(displayKind != ViewKindSlots, date, Time::Now());
    if (slotView) {
        slotView->ResetSlots();
        slotView->FillSlots();  // in list order: the texts below sort the list
        slotView->InsertSlotRows();
    }
    todayGroup->SetLabel(platform::ToWx(reminders.day.LocaleLongText()));
    // Growable texts instead of fixed buffers: a long day is shown whole.
    std::string todayText, warningText;
    if (displayKind == ViewKindFull)
        reminders.FormatSplitText(todayText, warningText, false);
    else
        reminders.FormatText(todayText, displayKind == ViewKindList);
    RenderMarkup(todayText, *todayPane);
    if (warningsPane)
        RenderMarkup(warningText, *warningsPane);
}

void TDayView::SetLayout(int left, int top, int right, int bottom) {
    views::DayLayoutFacts facts;
    facts.untimedCount = reminders.untimedCount;
    facts.todayLines = todayPane->GetNumberOfLines();
    facts.warningLines = warningsPane ? warningsPane->GetNumberOfLines() : 0;
    facts.fontHeight = PaneFont().GetPixelSize().y;
    views::DayLayout layout = views::LayOutDay(displayKind, left, top, right, bottom, facts);
    Place(todayGroup, layout.todayGroup);
    Place(todayPane, layout.todayPane);
    Place(slotView, layout.slotView);
    Place(warningsGroup, layout.warningsGroup);
    Place(warningsPane, layout.warningsPane);
    todayPane->ShowFirstLine();
    if (warningsPane)
        warningsPane->ShowFirstLine();
}

}  // namespace vorlen
