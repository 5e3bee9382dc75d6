#include "day_view.h"

#include "vorlen/platform/wx_text.h"
#include "vorlen/remind/reminder_markup.h"

#include <wx/richtext/richtextctrl.h>
#include <wx/settings.h>
#include <wx/statbox.h>

namespace vorlen {
namespace {

constexpr char placeholderText[] = "Event/Appointment View";

wxFont PaneFont() {
    return wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
}

wxRichTextCtrl* MakePane(wxWindow* host, int id) {
    return new wxRichTextCtrl(host, id, placeholderText, wxDefaultPosition, wxDefaultSize,
                              wxRE_MULTILINE | wxRE_READONLY);
}

wxRichTextAttr AttrOf(const MarkupStyle& style) {
    wxRichTextAttr attr;
    attr.SetFontFaceName(PaneFont().GetFaceName());
    attr.SetFontPointSize(style.height > 0 ? style.height : 8);
    attr.SetFontWeight(style.bold ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL);
    attr.SetFontStyle(style.italic ? wxFONTSTYLE_ITALIC : wxFONTSTYLE_NORMAL);
    attr.SetFontUnderlined(style.underline);
    attr.SetTextEffectFlags(wxTEXT_ATTR_EFFECT_STRIKETHROUGH);
    attr.SetTextEffects(style.strikeOut ? wxTEXT_ATTR_EFFECT_STRIKETHROUGH : 0);
    attr.SetTextColour(wxColour(style.colour.red, style.colour.green, style.colour.blue));
    return attr;
}

// The reminder texts break lines with "\r\n"; the pane wants "\n".
wxString PaneText(std::string_view text) {
    wxString converted = platform::ToWx(text);
    converted.Replace("\r\n", "\n");
    converted.Replace("\r", "\n");
    return converted;
}

void Place(wxWindow* window, const views::PaneRect& rect) {
    if (window)
        window->SetSize(rect.x, rect.y, rect.width, rect.height);
}

void ShowFirstLine(wxRichTextCtrl& pane) {
    pane.SetInsertionPoint(0);
    pane.ShowPosition(0);
    pane.Scroll(0, 0);
}

}  // namespace

// The document is built directly, one paragraph per line and one text
// object per run, and laid out once: writing run by run through the control
// lays the text out again after every run, which takes minutes for the
// tens of thousands of warning lines of a large database.
void RenderMarkup(std::string_view text, wxRichTextCtrl& pane) {
    wxRichTextBuffer& buffer = pane.GetBuffer();
    buffer.ResetAndClearCommands();
    buffer.DeleteChildren();
    auto* paragraph = new wxRichTextParagraph(&buffer);
    buffer.AppendChild(paragraph);
    wxRichTextAttr lastAttr;
    auto addText = [&](const wxString& piece, const wxRichTextAttr& attr) {
        if (!piece.empty())
            paragraph->AppendChild(new wxRichTextPlainText(piece, paragraph, const_cast<wxRichTextAttr*>(&attr)));
    };
    for (const MarkupRun& run : ParseMarkup(text)) {
        wxRichTextAttr attr = AttrOf(run.style);
        lastAttr = attr;
        wxString converted = PaneText(run.text);
        size_t start = 0;
        for (size_t end = converted.find('\n'); end != wxString::npos; end = converted.find('\n', start)) {
            addText(converted.substr(start, end - start), attr);
            paragraph = new wxRichTextParagraph(&buffer);
            buffer.AppendChild(paragraph);
            start = end + 1;
        }
        addText(converted.substr(start), attr);
    }
    // Every paragraph holds at least one text object, if only an empty one.
    for (wxRichTextObjectList::compatibility_iterator node = buffer.GetChildren().GetFirst(); node;
         node = node->GetNext()) {
        auto* each = static_cast<wxRichTextParagraph*>(node->GetData());
        if (each->GetChildCount() == 0)
            each->AppendChild(new wxRichTextPlainText(wxEmptyString, each, &lastAttr));
    }
    buffer.UpdateRanges();
    buffer.Invalidate(wxRICHTEXT_ALL);
    pane.DiscardEdits();
    pane.LayoutContent();
    pane.Refresh();
    ShowFirstLine(pane);
}

TDayView::TDayView(const Date& date, wxWindow* host, EventEditData data, DisplayKind kind, int slotViewControlId,
                   int todayPaneControlId, int warningsPaneControlId)
    : displayKind(kind), date(date), reminders(data.events) {
    // The group boxes first, so that the panes lie above them.
    todayGroup = new wxStaticBox(host, todayGroupId, "Todays Events");
    if (kind == ViewKindFull)
        warningsGroup = new wxStaticBox(host, warningsGroupId, "Future Events");
    todayPane = MakePane(host, todayPaneControlId);
    if (kind == ViewKindFull)
        warningsPane = MakePane(host, warningsPaneControlId);
    if (kind != ViewKindList)
        slotView = new TDayListView(host, slotViewControlId, date, reminders, data);
    CreateControls();
}

void TDayView::CreateControls() {
    todayPane->Hide();
    for (wxRichTextCtrl* pane : {todayPane, warningsPane}) {
        if (!pane)
            continue;
        pane->SetEditable(false);
        pane->SetFont(PaneFont());
    }
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
    WritePane(*todayPane, todayText);
    if (warningsPane)
        WritePane(*warningsPane, warningText);
}

void TDayView::WritePane(wxRichTextCtrl& pane, std::string_view text) {
    // One layout and no undo history for the many runs of a long day.
    pane.Freeze();
    pane.BeginSuppressUndo();
    pane.SetEditable(true);
    pane.Clear();
    RenderMarkup(text, pane);
    pane.SetEditable(false);
    pane.EndSuppressUndo();
    pane.Thaw();
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
    // A new size lays the text out again and may leave it scrolled.
    for (wxRichTextCtrl* pane : {todayPane, warningsPane}) {
        if (pane)
            ShowFirstLine(*pane);
    }
}

}  // namespace vorlen
