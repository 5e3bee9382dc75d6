// The day view and the today screen under Xvfb: the rendering of the
// reminder markup in its text pane, the pane's scrolling and selection,
// the three display kinds, the slot view's double click and its labels on
// the 12-hour clock, the refresh after a new event, and screenshots of
// each form.
#include "vorlen/views/view_window.h"

#include "tests/vorlen/core/date_settings_guard.h"
#include "tests/vorlen/support/config_home.h"
#include "vorlen/platform/locale_format.h"
#include "vorlen/platform/settings.h"
#include "vorlen/platform/wx_text.h"
#include "vorlen/shell/document.h"
#include "vorlen/shell/screens.h"
#include "vorlen/views/rich_edit.h"

#include "../gui/gui_support.h"

#include <wx/frame.h>
#include <wx/settings.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace vorlen {
namespace {

using test::AnswerModal;

void Key(wxWindow* window, int code, bool control = false) {
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = code;
    key.SetControlDown(control);
    key.SetEventObject(window);
    window->GetEventHandler()->ProcessEvent(key);
}

void Type(wxWindow* window, int character) {
    wxKeyEvent key(wxEVT_CHAR);
    key.m_keyCode = character;
    key.m_uniChar = character;
    key.SetEventObject(window);
    window->GetEventHandler()->ProcessEvent(key);
}

void Click(wxWindow* window, int y) {
    wxMouseEvent down(wxEVT_LEFT_DOWN);
    down.m_x = 10;
    down.m_y = y;
    down.SetEventObject(window);
    window->GetEventHandler()->ProcessEvent(down);
    wxMouseEvent up(wxEVT_LEFT_UP);
    up.m_x = 10;
    up.m_y = y;
    up.SetEventObject(window);
    window->GetEventHandler()->ProcessEvent(up);
}

int FontHeight(wxWindow* window, const wxFont& font) {
    int width = 0, height = 0;
    window->GetTextExtent("Xg", &width, &height, nullptr, nullptr, &font);
    return height;
}

TEST(RenderMarkup, EachCodeStylesTheTextAfterIt) {
    wxFrame frame(nullptr, wxID_ANY, "markup");
    auto* pane = new TRichEdit(&frame, wxID_ANY, "");
    RenderMarkup("a\xB7" "Bb\xB7" "Bc\xB7" "Id\xB7" "I\xB7" "Ue\xB7" "U\xB7" "Sf\xB7" "S\xB7"
                 "C02g\xB7" "H14h\xB7" "Ri\xB7" "Xj\r\nk",
                 *pane);
    EXPECT_EQ(pane->GetValue(), "abcdefghiXj\nk");
    EXPECT_EQ(pane->FontAt(0).GetPointSize(), 8);  // before any code: as after a reset
    EXPECT_EQ(pane->FontAt(1).GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_EQ(pane->FontAt(2).GetWeight(), wxFONTWEIGHT_NORMAL);
    EXPECT_EQ(pane->FontAt(3).GetStyle(), wxFONTSTYLE_ITALIC);
    EXPECT_TRUE(pane->FontAt(4).GetUnderlined());
    EXPECT_FALSE(pane->FontAt(5).GetUnderlined());
    EXPECT_TRUE(pane->FontAt(5).GetStrikethrough());
    EXPECT_FALSE(pane->FontAt(6).GetStrikethrough());
    EXPECT_EQ(pane->ColourAt(6), wxColour(255, 0, 0));
    EXPECT_EQ(pane->FontAt(7).GetPointSize(), 14);
    EXPECT_EQ(pane->ColourAt(7), wxColour(255, 0, 0));
    // The reset: black, 8 points, bold off; the unknown code's letter is text.
    EXPECT_EQ(pane->ColourAt(8), *wxBLACK);
    EXPECT_EQ(pane->FontAt(8).GetPointSize(), 8);
    EXPECT_EQ(pane->GetNumberOfLines(), 2);
}

// Lines of their own heights, wrapped at the pane's width; a large text
// scrolls by keys and the wheel and shows its first line again when a new
// one comes.
class RichEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        pane = new TRichEdit(&frame, wxID_ANY, "");
        frame.SetClientSize(300, 200);
        pane->SetSize(0, 0, 300, 200);
        frame.Show();
        test::LetEventsRun();
    }
    wxFrame frame{nullptr, wxID_ANY, "pane"};
    TRichEdit* pane = nullptr;
};

// How many pixels from the top of the pane the line covers.
int HeightOf(TRichEdit* pane, int line) {
    int height = 0;
    for (int y = 0; y < pane->GetClientSize().y; ++y)
        height += pane->VirtualHitTest(y) == line;
    return height;
}

TEST_F(RichEditTest, LinesTakeTheirHeightAndWrapAtTheWidth) {
    std::string text = "\xB7" "H36Large\r\n\xB7" "Rsmall\r\n" + std::string(40, 'w');
    for (int i = 0; i < 30; ++i)
        text += " word";
    RenderMarkup(text + "\r\nlast", *pane);
    ASSERT_EQ(pane->GetNumberOfLines(), 4);
    int small = FontHeight(pane, pane->FontAt(6));
    int large = FontHeight(pane, pane->FontAt(0));
    ASSERT_GT(large, 3 * small);
    EXPECT_GE(HeightOf(pane, 0), large);
    EXPECT_GE(HeightOf(pane, 1), small);
    EXPECT_LT(HeightOf(pane, 1), 2 * small);
    // The word wider than the pane stands alone, the thirty others need
    // three rows or more.
    EXPECT_GE(HeightOf(pane, 2), 4 * small);

    // A word far wider than the pane is broken at its edge, row after row,
    // so that all of it shows.
    RenderMarkup(std::string(300, 'w'), *pane);
    int rows = HeightOf(pane, 0) / small;
    EXPECT_GE(rows, 4);
    EXPECT_GT(pane->PositionAt({0, HeightOf(pane, 0) - small / 2}), 200u);
}

TEST_F(RichEditTest, KeysScrollAndANewTextShowsItsFirstLine) {
    std::string text;
    for (int i = 0; i < 60000; ++i)
        text += "\xB7" "C02warning " + std::to_string(i) + "\xB7" "R\r\n";
    RenderMarkup(text, *pane);
    ASSERT_EQ(pane->GetNumberOfLines(), 60001);
    Key(pane, WXK_END);
    EXPECT_EQ(pane->GetVisibleRowsEnd(), 60001u);
    Key(pane, WXK_HOME);
    EXPECT_EQ(pane->GetVisibleRowsBegin(), 0u);
    Key(pane, WXK_DOWN);
    EXPECT_EQ(pane->GetVisibleRowsBegin(), 1u);
    Key(pane, WXK_PAGEDOWN);
    size_t page = pane->GetVisibleRowsBegin();
    EXPECT_GT(page, 5u);
    Key(pane, WXK_UP);
    EXPECT_EQ(pane->GetVisibleRowsBegin(), page - 1);
    Key(pane, WXK_PAGEUP);
    EXPECT_LT(pane->GetVisibleRowsBegin(), page - 5);
    Key(pane, WXK_PAGEUP);
    EXPECT_EQ(pane->GetVisibleRowsBegin(), 0u);
    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.m_wheelRotation = -120;
    wheel.m_wheelDelta = 120;
    wheel.m_linesPerAction = 3;
    pane->GetEventHandler()->ProcessEvent(wheel);
    EXPECT_EQ(pane->GetVisibleRowsBegin(), 3u);
    RenderMarkup(text, *pane);
    EXPECT_EQ(pane->GetVisibleRowsBegin(), 0u);
}

void Mouse(wxWindow* window, wxEventType type, wxPoint point, bool shift = false) {
    wxMouseEvent event(type);
    event.m_x = point.x;
    event.m_y = point.y;
    event.m_leftDown = type != wxEVT_LEFT_UP;
    event.SetShiftDown(shift);
    event.SetEventObject(window);
    window->GetEventHandler()->ProcessEvent(event);
}

TEST_F(RichEditTest, SelectsCharactersWithTheMouseAndTakesNoTyping) {
    RenderMarkup("first\r\n\xB7" "Bsecond\xB7" "B line\r\nthird", *pane);
    EXPECT_EQ(pane->GetSelectedText(), "");
    int second = 0;
    while (second < 200 && pane->VirtualHitTest(second) != 1)
        ++second;
    const int y = second + 2;
    // The point inside "line" before its "i", across the bold word's end.
    int x = 0;
    const size_t lineStart = std::string("first\n").size();
    while (x < 400 && pane->PositionAt({x, y}) < lineStart + 8)
        ++x;
    ASSERT_EQ(pane->PositionAt({x, y}), lineStart + 8);
    EXPECT_EQ(pane->PositionAt({0, y}), lineStart);
    EXPECT_EQ(pane->PositionAt({600, y}), lineStart + 11);  // past the end: the line's end
    EXPECT_EQ(pane->PositionAt({0, 10000}), pane->GetValue().length());

    Click(pane, y);
    EXPECT_EQ(pane->GetSelectedText(), "");
    Mouse(pane, wxEVT_LEFT_DOWN, {1, y});
    Mouse(pane, wxEVT_MOTION, {x, y});
    Mouse(pane, wxEVT_LEFT_UP, {x, y});
    EXPECT_EQ(pane->GetSelectedText(), "second l");
    Mouse(pane, wxEVT_LEFT_DOWN, {0, 1}, true);
    Mouse(pane, wxEVT_LEFT_UP, {0, 1});
    EXPECT_EQ(pane->GetSelectedText(), "first\n");
    Mouse(pane, wxEVT_LEFT_DCLICK, {x, y});
    EXPECT_EQ(pane->GetSelectedText(), "line");
    Mouse(pane, wxEVT_LEFT_DOWN, {x, y});
    Mouse(pane, wxEVT_MOTION, {30, 10000});
    Mouse(pane, wxEVT_LEFT_UP, {30, 10000});
    EXPECT_EQ(pane->GetSelectedText(), "ine\nthird");
    pane->Update();
    EXPECT_FALSE(test::SaveScreenshot(pane, "rich_edit_selection").empty());

    Key(pane, 'A', true);
    EXPECT_EQ(pane->GetSelectedText(), pane->GetValue());
    Type(pane, 'x');
    Key(pane, WXK_DELETE);
    EXPECT_EQ(pane->GetValue(), "first\nsecond line\nthird");
    RenderMarkup("new", *pane);
    EXPECT_EQ(pane->GetSelectedText(), "");
}

// 5 May 1998 with an untimed birthday, two appointments at 09:00, an
// overnight appointment from today to tomorrow, a conference over three
// days and a party two days ahead.
class DayViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetFormatLocale("en_GB");
        file.saved = 1;
        Add("Ann", "Birthday", Date(5, 5, 1960)).period = PeriodYearly;
        Timed(Add("Dentist", "Health", today), Time(9, 0), Time(10, 0)).SetLocation("Clinic");
        Timed(Add("Standup", "Business", today), Time(9, 0), Time(9, 15));
        EventNode& night = Timed(Add("Night flight", "Travel", today), Time(20, 0), Time(6, 30));
        night.endDate = Date(6, 5, 1998);
        Add("Conference", "Business", Date(4, 5, 1998)).endDate = Date(6, 5, 1998);
        Add("Party", "Special Occasion", Date(7, 5, 1998)).warningDays = 5;
    }
    void TearDown() override { platform::SetFormatLocale("en_US_POSIX"); }

    EventNode& Add(const char* description, const char* type, const Date& on) {
        EventNode& e = *events.Add();
        e.SetDescription(description);
        e.SetTypeName(type);
        e.startDate = on;
        e.period = PeriodOnceOff;
        return e;
    }
    static EventNode& Timed(EventNode& e, Time start, Time end) {
        e.startTime = start;
        e.endTime = end;
        return e;
    }
    void SetDayView(int32_t value) {
        platform::registryAccess key;
        key.Open();
        platform::WriteInt(key, platform::setting::dayView, value);
    }
    // The today screen in a frame of the given client size, shown.
    TViewWindow* Show(wxFrame& frame, int hostKind = hostKindNormal) {
        auto* screen = new TViewWindow(&frame, data, hostKind, today);
        frame.SetClientSize(760, 560);
        frame.Show();
        test::LetEventsRun();
        return screen;
    }
    static std::string Plain(TRichEdit* pane) { return pane->GetValue().utf8_string(); }

    test::ConfigHomeGuard home;
    test::DateSettingsGuard dayFirst{1, '/', 1};
    Eventlist events;
    Typelist types;
    store::DataFile file;
    EventEditData data{events, types, file};
    Date today{5, 5, 1998};
};

TEST_F(DayViewTest, FullDisplayWhenTheSettingIsMissing) {
    wxFrame frame(nullptr, wxID_ANY, "x");
    TViewWindow* screen = Show(frame);
    TDayView& view = screen->DayView();
    EXPECT_EQ(frame.GetTitle(), "Tolvane Vorlen");
    EXPECT_EQ(view.Kind(), ViewKindFull);
    ASSERT_NE(view.SlotView(), nullptr);
    ASSERT_NE(view.WarningsPane(), nullptr);
    EXPECT_EQ(view.TodayGroup()->GetLabel(), "Tuesday, 5 May 1998");
    EXPECT_EQ(view.WarningsGroup()->GetLabel(), "Future Events");
    EXPECT_EQ(frame.FindWindow(todayGroupId), view.TodayGroup());
    EXPECT_EQ(frame.FindWindow(warningsGroupId), view.WarningsGroup());
    EXPECT_EQ(frame.FindWindow(slotViewId), view.SlotView());
    EXPECT_EQ(frame.FindWindow(todayPaneId), view.TodayPane());
    EXPECT_EQ(frame.FindWindow(warningsPaneId), view.WarningsPane());
    // Untimed entries above the slots, warnings below; timed ones only in slots.
    EXPECT_EQ(Plain(view.TodayPane()),
              "Ann (Birthday (Born 1960, 38 years old))\n05/05/1998 - 06/05/1998 Conference (Business)");
    EXPECT_NE(Plain(view.WarningsPane()).find("Party"), std::string::npos);
    EXPECT_TRUE(view.TodayPane()->IsShown());
    // Read-only: typing changes nothing.
    std::string shown = Plain(view.WarningsPane());
    Type(view.WarningsPane(), 'x');
    EXPECT_EQ(Plain(view.WarningsPane()), shown);
    EXPECT_EQ(view.SlotView()->GetVisibleRowsBegin(), 15u);
    EXPECT_EQ(view.SlotView()->GetItemCount(), 48u);
    EXPECT_EQ(view.SlotView()->Slots()[18].backColour, views::slotDarkRed);  // two at 09:00
    int warnings = view.WarningsPane()->GetSize().y;
    EXPECT_GE(warnings, 50);
    EXPECT_LE(warnings, 140);
    EXPECT_EQ(screen->HostKind(), hostKindNormal);
}

TEST_F(DayViewTest, CompressedDisplayListsEverythingInOnePane) {
    SetDayView(1);
    wxFrame frame(nullptr, wxID_ANY, "x");
    TDayView& view = Show(frame)->DayView();
    EXPECT_EQ(view.Kind(), ViewKindList);
    EXPECT_EQ(view.SlotView(), nullptr);
    EXPECT_EQ(view.WarningsPane(), nullptr);
    EXPECT_EQ(frame.FindWindow(warningsGroupId), nullptr);
    std::string text = Plain(view.TodayPane());
    for (const char* piece : {"09:00 - 10:00\tDentist(Health at Clinic)", "20:00 - 06:30\tNight flight", "Conference",
                              "Party", "Ann"})
        EXPECT_NE(text.find(piece), std::string::npos) << piece;
    EXPECT_EQ(view.TodayPane()->GetPosition(), wxPoint(15, 49));
    // Any value but 0 is the compressed form.
    SetDayView(7);
    EXPECT_EQ(DisplayKindOfSetting(platform::ReadSettings().dayView), ViewKindList);
}

TEST_F(DayViewTest, SlotFormShowsUntimedAboveTheSlotsWithoutWarnings) {
    wxFrame frame(nullptr, wxID_ANY, "x");
    TDayView view(today, &frame, data, ViewKindSlots);
    view.Refresh();
    EXPECT_EQ(view.WarningsPane(), nullptr);
    EXPECT_EQ(view.Reminders().warningCount, 0);
    EXPECT_EQ(Plain(view.TodayPane()).find("Party"), std::string::npos);
    EXPECT_EQ(view.SlotView()->Slots()[40].slotLabel,
              "20:00 - 06/05/1998 06:30   Night flight (Travel)");
    view.SetDate(Date(6, 5, 1998));
    EXPECT_EQ(view.TodayGroup()->GetLabel(), "Wednesday, 6 May 1998");
    EXPECT_EQ(view.SlotView()->Slots()[12].slotEntry->event->description.view(), "Night flight");
    EXPECT_EQ(view.SlotView()->Slots()[13].slotEntry, nullptr);
}

void DoubleClick(TDayListView* slots, int index) {
    slots->SetSelection(index);
    wxCommandEvent click(wxEVT_LISTBOX_DCLICK, slots->GetId());
    click.SetEventObject(slots);
    click.SetInt(index);
    slots->GetEventHandler()->ProcessEvent(click);
}

std::string Field(wxWindow* dialog, int id) {
    return static_cast<wxTextCtrl*>(dialog->FindWindow(id))->GetValue().utf8_string();
}

TEST_F(DayViewTest, DoubleClickOpensTheEventDialogForTheSlot) {
    wxFrame frame(nullptr, wxID_ANY, "x");
    TDayView& view = Show(frame)->DayView();
    TEventEditDlg expected(&frame, data, today);
    expected.SetDate(5, 5, 1998);
    expected.SetTime(11, 30);
    // An empty slot: a new event at its time; cancelling leaves the slots.
    wxTEST_DIALOG(DoubleClick(view.SlotView(), 23), AnswerModal<TEventEditDlg>([&](TEventEditDlg* dialog) {
                      EXPECT_EQ(Field(dialog, eventStartDate), Field(&expected, eventStartDate));
                      EXPECT_EQ(Field(dialog, eventStartTime), "11:30");
                      EXPECT_EQ(Field(dialog, eventDescription), "");
                      return wxID_CANCEL;
                  }));
    // A filled slot: its event. What the dialog adds shows in the slots.
    wxTEST_DIALOG(DoubleClick(view.SlotView(), 19), AnswerModal<TEventEditDlg>([&](TEventEditDlg* dialog) {
                      EXPECT_EQ(Field(dialog, eventDescription), "Dentist");
                      Timed(Add("Lunch", "Normal", today), Time(12, 0), Time(13, 0));
                      return wxID_OK;
                  }));
    EXPECT_EQ(view.SlotView()->Slots()[24].slotLabel, "12:00 - 13:00   Lunch (Normal)");
    EXPECT_EQ(view.SlotView()->GetVisibleRowsBegin(), 15u);
}

TEST_F(DayViewTest, RefreshShowsANewEventAndTheScreenKeepsItsHostKind) {
    shell::Document document;
    wxFrame frame(nullptr, wxID_ANY, "x");
    auto* screen = dynamic_cast<TViewWindow*>(MakeScreenWindow(ScreenToday, &frame, hostKindBootup, document));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->HostKind(), hostKindBootup);
    EventNode& call = *document.events.Add();
    call.SetDescription("Call home");
    call.SetTypeName("Normal");
    call.startDate = Date::Today();
    call.period = PeriodOnceOff;
    screen->RefreshView();
    EXPECT_NE(Plain(screen->DayView().TodayPane()).find("Call home"), std::string::npos);
}

// On the 12-hour clock the times ("09:00 am") fit left of the slot area.
TEST_F(DayViewTest, TwelveHourTimesFitTheirColumn) {
    test::DateSettingsGuard twelveHours{1, '/', 0};
    wxFrame frame(nullptr, wxID_ANY, "x");
    frame.SetClientSize(560, 560);
    frame.SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    TDayView view(today, &frame, data, ViewKindSlots);
    view.Refresh();
    view.ShowListPane();
    view.SetLayout(10, 10, 540, 550);
    frame.Show();
    TDayListView* slots = view.SlotView();
    EXPECT_EQ(slots->Slots()[18].slotLabel.substr(0, 20), "09:00 am - 09:15 am ");
    for (int i = 0; i < views::slotCount; ++i) {
        wxString time = platform::ToWx(slots->Slots()[i].slotTime.Text());
        EXPECT_LT(slots->GetTextExtent(time).x, slots->SlotAreaLeft()) << time;
    }
    std::string shot = test::SaveScreenshot(&frame, "day_view_slots_12h");
    EXPECT_TRUE(std::filesystem::exists(shot)) << shot;
}

TEST_F(DayViewTest, Screenshots) {
    for (int32_t setting : {0, 1}) {
        SetDayView(setting);
        wxFrame frame(nullptr, wxID_ANY, "x");
        TViewWindow* screen = Show(frame);
        std::string shot = test::SaveScreenshot(screen, setting == 0 ? "today_full" : "today_compressed");
        EXPECT_TRUE(std::filesystem::exists(shot)) << shot;
    }
    wxFrame frame(nullptr, wxID_ANY, "x");
    frame.SetClientSize(560, 560);
    frame.SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    TDayView view(today, &frame, data, ViewKindSlots);
    view.Refresh();
    view.ShowListPane();
    view.SetLayout(10, 10, 540, 550);
    frame.Show();
    view.SlotView()->SetSelection(18);
    std::string shot = test::SaveScreenshot(&frame, "day_view_slots");
    EXPECT_TRUE(std::filesystem::exists(shot)) << shot;
}

}  // namespace
}  // namespace vorlen
