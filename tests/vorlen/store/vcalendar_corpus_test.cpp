// vCalendar files written the way the calendar programs and phones of the
// vCalendar 1.0 era write them, each imported as --import-vcs, a paste and
// the import dialog do, with the events it must give.
#include "vorlen/store/vcalendar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/time_zone_guard.h"

namespace vorlen::store {
namespace {

std::string DateText(const Date& date) {
    return date.IsValid() ? std::to_string(date.day) + "/" + std::to_string(date.month) + "/" +
                                std::to_string(date.year) + " "
                          : "";
}

std::string TimeText(const Time& time) {
    if (!time.IsValid())
        return "-";
    std::string minute = std::to_string(time.minute);
    return std::to_string(time.hour) + ":" + (minute.size() == 1 ? "0" : "") + minute;
}

// Start, end, period and the four texts of an imported event.
std::string Outcome(const EventNode& e) {
    return DateText(e.startDate) + TimeText(e.startTime) + " to " + DateText(e.endDate) +
           TimeText(e.endTime) + " p" + std::to_string(e.period) + " [" + std::string(e.description.view()) +
           "] [" + std::string(e.typeName.view()) + "] [" + std::string(e.location.view()) + "] [" +
           std::string(e.extraInfo.view()) + "]";
}

struct CorpusFile {
    const char* name;
    std::vector<std::string> events;
};

// Times in UTC, so that "Z" and local times read alike; texts in
// Windows-1252.
const CorpusFile corpus[] = {
    {"desktop_organiser_export.vcs",
     {"12/4/1999 8:30 to 9:30 p1 [Budget meeting] [MEETING] [Level 3 boardroom] [Bring last quarter's "
      "figures]",
      "15/4/1999 - to - p1 [Pay the council rates] [MISCELLANEOUS] [] []"}},
    {"smartphone_export.vcs",
     {"23/9/2005 2:30 to 3:30 p1 [Caf\xE9"
      " with Zo\xEB"
      "] [MEETING] [Caf\xE9"
      " Paris, 12 King St] [Table by the window\r\nAsk about the r\xE9"
      "sum\xE9"
      "]",
      "30/9/2005 - to - p6 [Mum\x92"
      "s birthday] [SPECIAL OCCASION] [] []"}},
    {"outlook_export.vcs",
     {"6/2/2001 23:00 to 7/2/2001 0:30 p1 [Sales review Q1] [Normal] [Harbour Room, 2nd floor] [Quarterly "
      "sales review.\r\n\r\nPlease read the attached report before the meeting.\r\n]",
      "14/2/2001 8:30 to 11:00 p1 [Valentine\x92"
      "s dinner] [Normal] [Luigi's, Pitt St] []"}},
    {"todo_between_events.vcs",
     {"11/3/2003 10:00 to 10:30 p1 [Passport photos] [Normal] [Chemist, Main Rd] []",
      "20/3/2003 - to - p1 [Passport office closed] [HOLIDAY] [] []"}},
    {"vcard_before_calendar.vcs",
     {"18/1/2002 1:30 to 2:30 p1 [Lunch with Ken] [BUSINESS] [Riverside Cafe] [Talk about the warehouse "
      "job]"}},
    {"two_calendars_lf.vcs",
     {"5/7/2004 7:00 to 8:00 p1 [Swimming lessons] [Normal] [Aquatic centre] []",
      "10/7/2004 - to 12/7/2004 - p1 [Camping at Lake Eppalock] [HOLIDAY] [] [Tent, stove, firewood]",
      "14/7/2004 18:30 to - p1 [Parent-teacher night] [Normal] [] []"}},
    {"alarms_of_every_kind.vcs",
     {"2/3/1998 5:00 to 6:00 p1 [Early flight to Perth] [Normal] [] []",
      "6/3/1998 22:00 to 23:00 p1 [Call the bank] [Normal] [] []"}},
    {"repetition_rules.vcs",
     {"4/1/1999 22:00 to 23:00 p2 [Team stand-up] [Normal] [] []",
      "8/1/1999 - to - p3 [Payday] [Normal] [] []", "15/1/1999 - to - p4 [Rent due] [Normal] [] []",
      "12/1/1999 - to - p7 [Book club] [Normal] [] []",
      "3/1/1999 - to - p5 [Water the orchids] [Normal] [] []",
      "11/3/1999 - to - p6 [Wedding anniversary] [Normal] [] []", "5/1/1999 - to - p1 [Gym] [Normal] [] []",
      "1/6/1999 - to - p1 [Tax time] [Normal] [] []"}},
    {"all_day_events.vcs",
     {"25/12/2002 - to - p1 [Christmas Day] [HOLIDAY] [] []",
      "27/12/2002 - to 31/12/2002 - p1 [Beach house] [HOLIDAY] [Merimbula] []",
      "1/1/2003 - to - p1 [New Year's Day] [Normal] [] []"}},
    {"folded_lines.vcs",
     {"1/3/2006 9:00 to 17:00 p1 [Annual general meeting of the Northside Community Garden Association] "
      "[MEETING] [Northside Hall, 27 Orchard Street] [Nominations close on 20 February.\r\nApologies to the "
      "secretary.]"}},
    {"charset_and_encoding_orders.vcs",
     {"5/9/2000 7:30 to 9:00 p1 [R\xE9"
      "union du comit\xE9"
      "] [BUSINESS] [Salle des f\xEA"
      "tes] [Ordre du jour \xE0"
      " venir]",
      "6/9/2000 16:00 to 17:00 p1 [Go\xFB"
      "ter chez Lo\xEF"
      "c] [Normal] [Rue Cler] []"}},
    {"groupware_invitation.vcs", {"20/10/2003 4:00 to 5:30 p1 [Design review] [Normal] [Room 4.12] []"}},
    {"time_zone_and_daylight.vcs",
     {"12/6/2007 14:00 to 15:30 p1 [Museum tour] [Normal] [53rd Street] []",
      "13/6/2007 12:00 to 13:00 p1 [Flight home] [Normal] [] [Check in three hours early]"}},
    {"classic_mac_line_ends.vcs",
     {"22/8/1997 1:00 to 2:00 p1 [Piano lesson] [Normal] [Mrs Kowalski's] []",
      "29/8/1997 1:00 to 2:00 p1 [Piano lesson (make-up)] [Normal] [] [Bring the Czerny book\r\nand the "
      "metronome]"}},
    {"long_quoted_printable_notes.vcs",
     {"14/4/2008 6:30 to 7:30 p1 [Physio \x96"
      " knee] [PERSONAL] [Bayside Physio, Suite 2, 40 Esplanade] [Exercises to show:\r\n1. Straight leg "
      "raises, 3 x 10\r\n2. Wall squats, 3 x 8\r\n3. Step-ups \x96"
      " left leg first\r\n\r\nBring the \x93"
      "home programme\x94"
      " sheet and shorts.]"}},
    {"utf8_with_bom_no_charset.vcs",
     {"2/2/2009 8:00 to 9:00 p1 [Sm\xF8"
      "rrebr\xF8"
      "d tasting] [Normal] [K\xF8"
      "benhavn] [Prices in \x80"
      "]"}},
    {"empty_and_listed_values.vcs",
     {"5/7/2011 23:00 to 6/7/2011 0:00 p1 [Night sky photography] [PERSONAL] [] []",
      "10/7/2011 - to - p1 [] [Normal] [] []"}},
};

TEST(VCalendarCorpus, EveryFileGivesItsEvents) {
    test::TimeZoneGuard zone{"UTC"};
    for (const CorpusFile& file : corpus) {
        SCOPED_TRACE(file.name);
        vSup calendar;
        std::string error;
        ASSERT_TRUE(calendar.LoadFromFile(std::string(VORLEN_TEST_DATA) + "/vcalendar/" + file.name, &error))
            << error;
        std::vector<std::string> outcomes;
        for (const EventNode& event : calendar.Imported())
            outcomes.push_back(Outcome(event));
        EXPECT_EQ(outcomes, file.events);
    }
}

}  // namespace
}  // namespace vorlen::store
