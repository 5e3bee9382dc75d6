// The clipboard and vCalendar file commands under Xvfb, through the real
// clipboard of the display.
#include "vorlen/views/event_clipboard.h"

#include "tests/vorlen/support/temp_dir.h"
#include "vorlen/platform/wx_text.h"
#include "vorlen/store/clipboard_event.h"
#include "vorlen/store/data_file.h"
#include "vorlen/store/vcalendar.h"

#include "../gui/foreign_clipboard_owner.h"
#include "../gui/gui_support.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/msgdlg.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace vorlen {
namespace {

using test::AnswerModal;

AnswerModal<wxMessageDialog> Message(const std::string& text, const std::string& caption) {
    return AnswerModal<wxMessageDialog>([=](wxMessageDialog* box) {
        EXPECT_EQ(box->GetMessage(), text);
        EXPECT_EQ(box->GetTitle(), caption);
        return wxID_OK;
    });
}

// Puts raw bytes under a format, as another program would.
void PlaceBytes(const char* format, const std::string& bytes) {
    ASSERT_TRUE(wxTheClipboard->Open());
    auto* data = new wxCustomDataObject(wxDataFormat(format));
    data->SetData(bytes.size(), bytes.data());
    wxTheClipboard->SetData(data);
    wxTheClipboard->Close();
}

std::string ClipboardBytes(const wxDataFormat& format) {
    std::string bytes;
    if (wxTheClipboard->Open()) {
        wxCustomDataObject data(format);
        if (wxTheClipboard->GetData(data))
            bytes.assign(static_cast<const char*>(data.GetData()), data.GetSize());
        wxTheClipboard->Close();
    }
    return bytes;
}

void FillEvent(EventNode& event) {
    event.SetStartDate(10, 3, 1998);
    event.SetEndDate(12, 3, 1998);
    event.SetRangeEndDate(31, 12, 1999);
    event.SetStartTime(9, 30);
    event.SetEndTime(17, 5);
    event.SetPeriod(PeriodMonthlyByDay);
    event.SetMonthlyPosition(2, 3, 4);  // kept though the period does not use it
    event.SetRepeatDays(3);
    event.SetWarningDays(7);
    event.SetAlarmMinutes(15);
    event.SetAutoDelete(2);
    event.SetDescription("Caf\xE9 \xFF meeting");
    event.SetTypeName("Clubs");
    event.SetLocation("Room 2");
    event.SetExtraInfo("Line one\r\nline two");
    event.SetSoundFile("/tmp/bell.wav");
}

// Every field, so that a difference shows in full.
std::string AllFields(const EventNode& e) {
    auto date = [](const Date& d) {
        return std::to_string(d.day) + "/" + std::to_string(d.month) + "/" + std::to_string(d.year) + " ";
    };
    auto time = [](const Time& t) {
        return t.IsValid() ? std::to_string(t.hour * 60 + t.minute) + " " : "- ";
    };
    auto number = [](int32_t n) { return std::to_string(n) + " "; };
    auto text = [](const OptionalText& t) { return "[" + std::string(t.view()) + "]"; };
    return date(e.startDate) + date(e.endDate) + date(e.rangeEndDate) + time(e.startTime) + time(e.endTime) +
           number(e.monthlyPosition.weekOrdinal) + number(e.monthlyPosition.weekday) +
           number(e.monthlyPosition.monthSel) + number(e.warningDays) + number(e.period) +
           number(e.repeatDays) + number(e.alarmMinutes) + number(e.autoDelete) + text(e.description) +
           text(e.typeName) + text(e.location) + text(e.extraInfo) + text(e.soundFile);
}

class EventClipboardTest : public ::testing::Test {
protected:
    Eventlist events;
    Typelist types;
    store::DataFile file;
    EventEditData data{events, types, file};
    test::TempDir dir;
};

TEST_F(EventClipboardTest, ACopiedEventPastesAsItWasAfterTheOriginalIsGone) {
    Eventlist source;
    EventNode* original = source.Add();
    FillEvent(*original);
    ASSERT_TRUE(CopyEventToClipboard(*original));
    EventNode expected;
    static_cast<EventFields&>(expected) = *original;
    source.Remove(original);  // as a cut leaves it
    EXPECT_TRUE(ClipboardHasEvents());

    EventsAdded added = PasteEvents(nullptr, data);
    EXPECT_EQ(added.count, 1);
    ASSERT_EQ(events.count, 1);
    const EventNode& pasted = *events.head;
    EXPECT_EQ(AllFields(pasted), AllFields(expected));
    EXPECT_NE(types.Find("Clubs"), nullptr);
    EXPECT_EQ(file.saved, 0);
    // A second paste gives a second copy.
    EXPECT_EQ(PasteEvents(nullptr, data).count, 1);
    EXPECT_EQ(events.count, 2);
}

TEST_F(EventClipboardTest, AVCalendarCopyCarriesItsTextTwiceAndPastesThroughTheImport) {
    Eventlist source;
    FillEvent(*source.Add());
    source.Add()->SetDescription("No category");
    source.tail->SetStartDate(1, 4, 1998);
    store::vSup calendar;
    for (const EventNode& event : source)
        calendar.AddEvent(event);
    const std::string text = calendar.WriteToMemory();
    ASSERT_TRUE(CopyEventsAsVCalendar({source.head, source.tail}));
    EXPECT_TRUE(ClipboardHasEvents());
    EXPECT_EQ(ClipboardBytes(wxDataFormat(vCalendarFormat)), text + '\0');
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTextDataObject plain;
    EXPECT_TRUE(wxTheClipboard->GetData(plain));
    wxTheClipboard->Close();
    EXPECT_EQ(plain.GetText(), platform::ToWx(text));

    EXPECT_EQ(PasteEvents(nullptr, data).count, 2);
    ASSERT_EQ(events.count, 2);
    EXPECT_EQ(events.head->description, "Caf\xE9 \xFF meeting");
    EXPECT_EQ(events.head->period, PeriodMonthlyByDay);
    // The import gives every event a period and a category, which joins
    // the list.
    EXPECT_EQ(events.tail->period, PeriodOnceOff);
    EXPECT_EQ(events.tail->typeName, "Normal");
    EXPECT_NE(types.Find("Clubs"), nullptr);
    EXPECT_EQ(file.saved, 0);
}

TEST_F(EventClipboardTest, TheOwnFormatIsPreferredAndBadDataIsToldNotDropped) {
    Eventlist source;
    FillEvent(*source.Add());
    ASSERT_TRUE(wxTheClipboard->Open());
    auto* both = new wxDataObjectComposite;
    auto* own = new wxCustomDataObject(wxDataFormat(vorlenEventFormat));
    std::string bytes = store::SerialiseEvent(*source.head);
    own->SetData(bytes.size(), bytes.data());
    both->Add(own);
    auto* other = new wxCustomDataObject(wxDataFormat(vCalendarFormat));
    other->SetData(5, "junk");
    both->Add(other);
    wxTheClipboard->SetData(both);
    wxTheClipboard->Close();
    EXPECT_EQ(PasteEvents(nullptr, data).count, 1);
    EXPECT_EQ(events.head->description, "Caf\xE9 \xFF meeting");

    file.saved = 1;
    PlaceBytes(vorlenEventFormat, bytes.substr(0, bytes.size() - 1));
    wxTEST_DIALOG(EXPECT_EQ(PasteEvents(nullptr, data).count, 0),
                  Message("The event on the clipboard cannot be read.", "Error"));
    PlaceBytes(vCalendarFormat, std::string("Shopping list\nmilk\n", 19) + '\0');
    wxTEST_DIALOG(
        EXPECT_EQ(PasteEvents(nullptr, data).error,
                  "Cannot paste the clipboard's events: not vCalendar text (line 1: a property without "
                  "':')"),
        Message("Cannot paste the clipboard's events: not vCalendar text (line 1: a property without "
                "':')",
                "Error"));
    PlaceBytes(vCalendarFormat,
               "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nSUMMARY:x\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
    wxTEST_DIALOG(PasteEvents(nullptr, data),
                  Message("The vCalendar data on the clipboard holds no events.", "Notice"));
    EXPECT_EQ(events.count, 1);
    EXPECT_EQ(file.saved, 1);
}

TEST_F(EventClipboardTest, SavingAddsTheDefaultExtensionAndTellsAFailedWrite) {
    Eventlist source;
    FillEvent(*source.Add());
    std::string chosen = dir.File("week");
    std::string asked;
    auto choose = [&](const wxString& title, bool save, const char* filter) {
        asked = title.ToStdString() + (save ? " save " : " open ") + filter;
        return chosen;
    };
    EXPECT_TRUE(SaveEventsAsVCalendar(nullptr, {source.head}, choose));
    EXPECT_EQ(asked, "Save As vCalendar save vCalendar Files (*.vcs)|*.vcs|All Files (*.*)|*.*|");
    store::vSup calendar;
    calendar.AddEvent(*source.head);
    EXPECT_EQ(test::ReadFile(chosen + ".vcs"), calendar.WriteToMemory());

    chosen.clear();  // Cancel
    EXPECT_FALSE(SaveEventsAsVCalendar(nullptr, {source.head}, choose));
    chosen = dir.File("missing/week.vcs");
    bool told = false;
    wxTEST_DIALOG(EXPECT_FALSE(SaveEventsAsVCalendar(nullptr, {source.head}, choose)),
                  AnswerModal<wxMessageDialog>([&](wxMessageDialog* box) {
                      told = box->GetTitle() == "Error" &&
                             box->GetMessage().StartsWith("The events were not saved: ") &&
                             box->GetMessage().Contains("missing/week.vcs");
                      return wxID_OK;
                  }));
    EXPECT_TRUE(told);
    EXPECT_FALSE(std::filesystem::exists(chosen));
}

TEST_F(EventClipboardTest, ImportingAFileAppendsItsEventsOrSaysWhyNot) {
    std::string chosen = std::string(VORLEN_TEST_DATA) + "/vcalendar/two_calendars.vcs";
    auto choose = [&](const wxString& title, bool save, const char*) {
        EXPECT_EQ(title, "Import vCalendar");
        EXPECT_FALSE(save);
        return chosen;
    };
    EXPECT_EQ(ImportVCalendarFile(nullptr, data, choose).count, 2);
    EXPECT_EQ(events.count, 2);
    EXPECT_NE(types.Find("APPOINTMENT"), nullptr);
    EXPECT_EQ(file.saved, 0);

    chosen = std::string(VORLEN_TEST_DATA) + "/vcalendar/shopping_list.vcs";
    wxTEST_DIALOG(ImportVCalendarFile(nullptr, data, choose),
                  Message(chosen + ": not a vCalendar file (line 1: a property without ':')", "Error"));
    chosen.clear();
    EXPECT_EQ(ImportVCalendarFile(nullptr, data, choose).count, 0);
    EXPECT_EQ(events.count, 2);
}

// The clipboard lost a moment ago, the notice of it still queued: the
// toolkit, had it handled that notice while waiting for the new owner's
// answer, would end the wait with "no such format".
TEST_F(EventClipboardTest, AClipboardJustTakenByAnotherProgramIsAskedRight) {
    Eventlist source;
    FillEvent(*source.Add());
    ASSERT_TRUE(CopyEventsAsVCalendar({source.head}));
    test::ForeignClipboardOwner other(vorlenEventFormat, store::SerialiseEvent(*source.head));
    ASSERT_TRUE(other.Owns());
    EXPECT_TRUE(ClipboardHasEvents());
    EXPECT_EQ(PasteEvents(nullptr, data).count, 1);
    EXPECT_EQ(events.head->description, "Caf\xE9 \xFF meeting");
}

// Paste's enabling, asked while the program is idle, follows another
// program's clipboard without waiting on it: a program that hangs while it
// owns the clipboard (here for three seconds) must not hang this one.
TEST_F(EventClipboardTest, PastesEnablingNeverWaitsForAHungClipboardOwner) {
    using std::chrono::steady_clock;
    Eventlist source;
    FillEvent(*source.Add());
    test::ForeignClipboardOwner other(vorlenEventFormat, store::SerialiseEvent(*source.head));
    ASSERT_TRUE(other.Owns());
    other.Hang(std::chrono::seconds(3));
    ClipboardWatch watch;
    auto start = steady_clock::now();
    EXPECT_FALSE(watch.HasEvents());
    EXPECT_LT(steady_clock::now() - start, std::chrono::seconds(1));
    bool enabled = false;
    for (auto end = start + std::chrono::seconds(8); !enabled && steady_clock::now() < end;) {
        test::LetEventsRun(50);
        enabled = watch.HasEvents();
    }
    EXPECT_TRUE(enabled);
    EXPECT_GE(steady_clock::now() - start, std::chrono::seconds(3));
}

// Between two running programs the clipboard is tested end to end
// (tests/vorlen/e2e); here another program's text under the vCalendar
// format, as a desktop organiser's export puts it there.
TEST_F(EventClipboardTest, AnotherProgramsVCalendarTextPastesItsEvents) {
    std::string text = test::ReadFile(std::string(VORLEN_TEST_DATA) + "/vcalendar/desktop_organiser_export.vcs");
    ASSERT_FALSE(text.empty());
    PlaceBytes(vCalendarFormat, text + '\0');
    EXPECT_TRUE(ClipboardHasEvents());
    EXPECT_EQ(PasteEvents(nullptr, data).count, 2);
    ASSERT_EQ(events.count, 2);
    EXPECT_EQ(events.head->description, "Budget meeting");
    EXPECT_EQ(events.tail->description, "Pay the council rates");
    EXPECT_EQ(file.saved, 0);
}

}  // namespace
}  // namespace vorlen
