// The month calendar under Xvfb: its geometry, arrows and limits, clicks,
// the red days and when they are computed, and the drop-down calendar of
// the event dialog's date fields.
#include "vorlen/views/calendar_control.h"

#include "tests/vorlen/core/date_settings_guard.h"
#include "vorlen/views/date_picker.h"
#include "vorlen/views/event_edit_dialog.h"

#include "../gui/gui_support.h"

#include <wx/frame.h>
#include <wx/image.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <gtest/gtest.h>

namespace vorlen {
namespace {

using namespace views;
using test::AnswerModal;
using test::LetEventsRun;
using test::Press;

// Counts the calendar's notifications as its parent gets them.
struct Notices {
    int dateChanged = 0;
    int doubleClicked = 0;
    void Listen(wxWindow* parent) {
        parent->Bind(CalDateChanged, [this](wxCommandEvent&) { ++dateChanged; });
        parent->Bind(CalDayDoubleClicked, [this](wxCommandEvent&) { ++doubleClicked; });
    }
};

AnswerModal<wxMessageDialog> Refusal(const std::string& text) {
    return AnswerModal<wxMessageDialog>([=](wxMessageDialog* box) {
        EXPECT_EQ(box->GetMessage(), text);
        EXPECT_EQ(box->GetTitle(), "");
        return wxID_OK;
    });
}

class Calendar : public ::testing::Test {
protected:
    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "calendar", wxDefaultPosition, wxSize(400, 400));
        // A frame sizes a single child to its whole client area.
        host = new wxPanel(frame);
        notices.Listen(host);
        frame->Show();
    }
    void TearDown() override { frame->Destroy(); }

    TCal* Make(int childMode, const Date& today) {
        auto* cal = new TCal(host, 1367, frame->FromDIP(wxPoint(20, 75)), frame->FromDIP(wxSize(180, 180)),
                             childMode, &events, today);
        LetEventsRun(100);
        return cal;
    }
    // The middle of a cell, in the control's client coordinates.
    static wxPoint CellCentre(TCal* cal, int row, int column) {
        wxRect cell = cal->Geometry().Cell(row, column);
        return cal->FromDIP(wxPoint(cell.x + cell.width / 2, cell.y + cell.height / 2));
    }
    static bool Marked(TCal* cal, int day) {
        int row = 0, column = 0;
        const MonthLayout& layout = cal->MonthGrid();
        return FindDay(layout, day, &row, &column) && layout.cells[row][column].hasEvents;
    }
    void AddOnceOff(const Date& day, int warningDays = 0) {
        EventNode& event = *events.Add();
        event.period = PeriodOnceOff;
        event.startDate = day;
        event.warningDays = warningDays;
    }

    wxFrame* frame = nullptr;
    wxPanel* host = nullptr;
    Notices notices;
    Eventlist events;
};

TEST_F(Calendar, GeometryAndChildrenOfTheScreenCalendar) {
    TCal* cal = Make(childModeScreen, Date(5, 6, 2026));
    CalGeometry g = cal->Geometry();
    EXPECT_EQ(g.frameRect, wxRect(4, 4, 172, 172));
    EXPECT_EQ(g.gridRect, wxRect(23, 64, 140, 108));
    EXPECT_EQ(g.cellWidth, 20);
    EXPECT_EQ(g.cellHeight, 18);
    EXPECT_EQ(g.Cell(5, 6), wxRect(143, 154, 20, 18));
    struct Child {
        int id;
        wxRect rect;
    } children[] = {
        {calPreviousMonth, {4, 4, 14, 16}}, {calNextMonth, {162, 4, 14, 16}},   {calPreviousYear, {4, 22, 14, 16}},
        {calNextYear, {162, 22, 14, 16}},   {calMonthFieldId, {21, 6, 138, 13}}, {calYearFieldId, {21, 22, 138, 14}},
    };
    for (const Child& child : children) {
        wxWindow* window = cal->FindWindow(child.id);
        ASSERT_NE(window, nullptr) << child.id;
        EXPECT_EQ(wxRect(cal->ToDIP(window->GetPosition()), cal->ToDIP(window->GetSize())), child.rect) << child.id;
    }
    EXPECT_EQ(static_cast<wxStaticText*>(cal->FindWindow(calMonthFieldId))->GetLabel(), "June");
    EXPECT_EQ(static_cast<wxStaticText*>(cal->FindWindow(calYearFieldId))->GetLabel(), "2026");
    // 1 June 2026 is a Monday: the 5th is a Friday in the first row.
    EXPECT_EQ(cal->SelectedRow(), 0);
    EXPECT_EQ(cal->SelectedColumn(), 5);
}

TEST_F(Calendar, ArrowsMoveTheDateAndReportIt) {
    TCal* cal = Make(childModeScreen, Date(20, 1, 1999));
    Press(cal, calPreviousMonth);
    EXPECT_EQ(cal->GetDate(), Date(1, 12, 1998));
    EXPECT_EQ(static_cast<wxStaticText*>(cal->FindWindow(calMonthFieldId))->GetLabel(), "December");
    EXPECT_EQ(static_cast<wxStaticText*>(cal->FindWindow(calYearFieldId))->GetLabel(), "1998");
    int row = 0, column = 0;
    ASSERT_TRUE(FindDay(cal->MonthGrid(), 1, &row, &column));
    EXPECT_EQ(cal->SelectedRow(), row);
    EXPECT_EQ(cal->SelectedColumn(), column);
    cal->SetDate(Date(29, 2, 2000));
    Press(cal, calNextYear);
    EXPECT_EQ(cal->GetDate(), Date(1, 2, 2001));
    EXPECT_EQ(notices.dateChanged, 3);
}

TEST_F(Calendar, LimitsRefuseWithTheirMessageAndKeepTheDate) {
    TCal* cal = Make(childModeScreen, Date(15, 1, 1900));
    wxTEST_DIALOG(Press(cal, calPreviousYear), Refusal("Years before 1900 not supported"));
    wxTEST_DIALOG(Press(cal, calPreviousMonth), Refusal("Years before 1900 not supported"));
    EXPECT_EQ(cal->GetDate(), Date(15, 1, 1900));
    cal->SetDate(Date(15, 12, 3000));
    wxTEST_DIALOG(Press(cal, calNextMonth), Refusal("Vorlen only supports up to the year 3000"));
    wxTEST_DIALOG(Press(cal, calNextYear), Refusal("Vorlen only supports up to the year 3000"));
    EXPECT_EQ(cal->GetDate(), Date(15, 12, 3000));
    EXPECT_EQ(notices.dateChanged, 1) << "only SetDate reported";
}

TEST_F(Calendar, ClicksSelectDaysAndDoubleClicksAreReported) {
    TCal* cal = Make(childModeScreen, Date(5, 6, 2026));
    cal->ClickAt(CellCentre(cal, 2, 3));  // Wednesday 17 June
    EXPECT_EQ(cal->GetDate(), Date(17, 6, 2026));
    EXPECT_EQ(cal->SelectedRow(), 2);
    EXPECT_EQ(notices.dateChanged, 1);
    cal->ClickAt(CellCentre(cal, 0, 0));  // empty: May's last days
    cal->ClickAt(CellCentre(cal, 5, 6));
    cal->ClickAt(cal->FromDIP(wxPoint(23, 100)));  // on the grid's edge
    cal->ClickAt(cal->FromDIP(wxPoint(100, 30)));  // the year band
    EXPECT_EQ(cal->GetDate(), Date(17, 6, 2026));
    EXPECT_EQ(notices.dateChanged, 1);
    cal->DoubleClickAt(CellCentre(cal, 2, 3));
    EXPECT_EQ(notices.doubleClicked, 1);
}

TEST_F(Calendar, EventDaysAreRedOnlyWhenTheMonthIsBuiltAnew) {
    AddOnceOff(Date(15, 6, 2026), 5);
    TCal* cal = Make(childModeScreen, Date(5, 6, 2026));
    EXPECT_TRUE(Marked(cal, 15));
    EXPECT_FALSE(Marked(cal, 14)) << "warnings do not mark";
    AddOnceOff(Date(20, 6, 2026));
    EXPECT_FALSE(Marked(cal, 20)) << "a change to the data shows at the next build";
    Press(cal, calNextMonth);
    Press(cal, calPreviousMonth);
    EXPECT_TRUE(Marked(cal, 20));
    AddOnceOff(Date(1, 6, 2026));
    cal->SetDate(Date(9, 6, 2026));
    EXPECT_TRUE(Marked(cal, 1)) << "SetDate forgets the shown month";

    TCal* picker = Make(childModePopup, Date(5, 6, 2026));
    EXPECT_FALSE(Marked(picker, 15)) << "the date picker marks nothing";
}

// The drawn grid: a red day, the selected day white on black, others black.
TEST_F(Calendar, RedDaysAndTheSelectionAreDrawn) {
    AddOnceOff(Date(15, 6, 2026));
    TCal* cal = Make(childModeScreen, Date(5, 6, 2026));
    std::string shot = test::SaveScreenshot(cal, "calendar_control");
    wxImage image(shot);
    ASSERT_TRUE(image.IsOk());
    double scale = cal->GetContentScaleFactor();
    auto count = [&](int row, int column, auto match) {
        wxRect cell = cal->Geometry().Cell(row, column);
        int found = 0;
        for (int y = cell.y * scale; y < (cell.y + cell.height) * scale; ++y)
            for (int x = cell.x * scale; x < (cell.x + cell.width) * scale; ++x)
                found += match(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
        return found;
    };
    auto red = [](int r, int g, int b) { return r > 200 && g < 80 && b < 80; };
    auto white = [](int r, int g, int b) { return r > 200 && g > 200 && b > 200; };
    auto black = [](int r, int g, int b) { return r < 60 && g < 60 && b < 60; };
    EXPECT_GT(count(2, 1, red), 4) << "Monday the 15th";
    EXPECT_EQ(count(2, 2, red), 0) << "Tuesday the 16th";
    EXPECT_GT(count(2, 2, black), 4);
    EXPECT_GT(count(0, 5, black), 200) << "the selected 5th is black";
    EXPECT_GT(count(0, 5, white), 4) << "with its number in white";
}

class DropDownCalendar : public ::testing::Test {
protected:
    TCalPopup* PopupOf(wxWindow* dialog) {
        for (wxWindow* child : dialog->GetChildren())
            if (auto* popup = dynamic_cast<TCalPopup*>(child))
                return popup;
        return nullptr;
    }
    std::string Field(wxWindow* dialog, int id) {
        return static_cast<wxTextCtrl*>(dialog->FindWindow(id))->GetValue().utf8_string();
    }
    // The screen under the dialog, with a pop-up over it.
    static void SaveScreenArea(const wxRect& area, const std::string& name) {
        GdkWindow* root = gdk_get_default_root_window();
        GdkPixbuf* picture = gdk_pixbuf_get_from_window(root, area.x, area.y, area.width, area.height);
        ASSERT_NE(picture, nullptr);
        std::string path = std::string(VORLEN_SCREENSHOT_DIR) + "/" + name + ".png";
        EXPECT_TRUE(gdk_pixbuf_save(picture, path.c_str(), "png", nullptr, NULL));
        g_object_unref(picture);
    }

    test::DateSettingsGuard dayFirst{1, '/', 1};
    Eventlist events;
    Typelist types;
    store::DataFile file;
    EventEditData data{events, types, file};
};

TEST_F(DropDownCalendar, ButtonsOpenItUnderTheirFieldAndAClickedDayFillsIt) {
    TEventEditDlg dialog(nullptr, data, Date(10, 3, 1998));
    dialog.SetDate(10, 3, 1998);
    static_cast<wxTextCtrl*>(dialog.FindWindow(eventFinishDate))->ChangeValue("24/12/1998");
    test::RunModal(dialog, [&] {
        LetEventsRun(200);
        Press(&dialog, eventFinishCalendar);
        LetEventsRun(300);
        TCalPopup* popup = PopupOf(&dialog);
        ASSERT_NE(popup, nullptr);
        EXPECT_TRUE(popup->IsShown());
        TCal* cal = popup->Calendar();
        EXPECT_EQ(cal->ChildMode(), childModePopup);
        EXPECT_EQ(cal->GetDate(), Date(24, 12, 1998)) << "preset from the field";
        EXPECT_EQ(cal->ToDIP(cal->GetSize()), wxSize(180, 180));
        wxWindow* field = dialog.FindWindow(eventFinishDate);
        wxPoint corner = field->GetScreenPosition() + wxPoint(0, field->GetSize().y);
        EXPECT_EQ(popup->GetScreenPosition(), corner);
        SaveScreenArea(dialog.GetScreenRect().Union(popup->GetScreenRect()), "calendar_drop_down");

        cal->ClickAt(cal->FromDIP(wxPoint(23 + 20 * 2 + 10, 64 + 18 * 2 + 9)));  // Tuesday 15 December
        EXPECT_EQ(Field(&dialog, eventFinishDate), "Tu 15/12/1998");
        EXPECT_EQ(Field(&dialog, eventStartDate), "Tu 10/03/1998");
        EXPECT_FALSE(popup->IsShown());

        Press(&dialog, eventStartCalendar);
        LetEventsRun(200);
        EXPECT_EQ(cal->GetDate(), Date(10, 3, 1998));
        // The focus goes elsewhere while the pointer is away: it closes.
        wxUIActionSimulator mouse;
        mouse.MouseMove(dialog.GetScreenPosition() + wxPoint(5, 5));
        LetEventsRun(100);
        wxFocusEvent lost(wxEVT_KILL_FOCUS, cal->GetId());
        lost.SetEventObject(cal);
        cal->GetEventHandler()->ProcessEvent(lost);
        EXPECT_FALSE(popup->IsShown());
        EXPECT_EQ(Field(&dialog, eventStartDate), "Tu 10/03/1998");
        Press(&dialog, eventCancel);
    });
}

}  // namespace
}  // namespace vorlen
