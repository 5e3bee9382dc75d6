#include "vorlen/store/vcalendar_input.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vorlen::store {
namespace {

// The prepared text of an input that makes one chunk.
std::string Prepared(std::string_view text) {
    std::vector<ParserChunk> chunks;
    std::string error;
    EXPECT_TRUE(PrepareParserInput(text, chunks, error)) << error;
    EXPECT_EQ(chunks.size(), 1u);
    return chunks.empty() ? std::string() : chunks.front().text;
}

std::string Event(std::string_view lines) {
    return "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\n" + std::string(lines) + "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

std::string PreparedEvent(std::string_view lines) {
    return "BEGIN:VCALENDAR\nBEGIN:VEVENT\n" + std::string(lines) + "END:VEVENT\nEND:VCALENDAR\n";
}

std::string Refusal(std::string_view text) {
    std::vector<ParserChunk> chunks;
    std::string error;
    EXPECT_FALSE(PrepareParserInput(text, chunks, error));
    return error;
}

TEST(VCalendarInput, QuotedPrintableCodecCoversEveryByte) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    std::string encoded = EncodeQuotedPrintable(all);
    EXPECT_EQ(DecodeQuotedPrintable(encoded), all);
    EXPECT_EQ(encoded.find_first_of(";\r\n\xFF"), std::string::npos);
    EXPECT_EQ(EncodeQuotedPrintable("a=b; c\xE9"), "a=3Db=3B c=E9");
}

TEST(VCalendarInput, DecodingIsLenient) {
    EXPECT_EQ(DecodeQuotedPrintable("I=e2=80=99m"), "I\xE2\x80\x99m");
    EXPECT_EQ(DecodeQuotedPrintable("a=G1b= c=="), "a=G1b= c==");
    EXPECT_EQ(DecodeQuotedPrintable("=4"), "=4");
    EXPECT_EQ(DecodeQuotedPrintable("=4a"), "J");
    EXPECT_EQ(DecodeQuotedPrintable(""), "");
}

TEST(VCalendarInput, QuotedPrintableValuesBecomeStrictSingleLines) {
    // Lower-case escapes, stray '=' and soft line breaks, which the parser
    // cannot take, in each of the ways a property says quoted-printable.
    EXPECT_EQ(
        Prepared(Event("DESCRIPTION;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:I=e2=80=99m 2=3 =\r\nnext\r\n")),
        PreparedEvent("DESCRIPTION;CHARSET=UTF-8;QUOTED-PRINTABLE:I=E2=80=99m 2=3D3 next\n"));
    EXPECT_EQ(Prepared(Event("DESCRIPTION;QP:a=0D=0Ab\r\n")),
              PreparedEvent("DESCRIPTION;QUOTED-PRINTABLE:a=0D=0Ab\n"));
    EXPECT_EQ(Prepared(Event("description ; encoding = qp : x\r\n")),
              PreparedEvent("description;QUOTED-PRINTABLE: x\n"));
    // Two encodings would leave the parser's lexer in the wrong mode.
    EXPECT_EQ(Prepared(Event("SUMMARY;QUOTED-PRINTABLE;ENCODING=QUOTED-PRINTABLE:x\r\n")),
              PreparedEvent("SUMMARY;QUOTED-PRINTABLE:x\n"));
}

TEST(VCalendarInput, ASoftLineBreakAtTheEndOfTheInputIsDropped) {
    EXPECT_EQ(
        Prepared(
            "BEGIN:VCALENDAR\nBEGIN:VEVENT\nDESCRIPTION;QUOTED-PRINTABLE:a=\n\nEND:VEVENT\nEND:VCALENDAR"),
        PreparedEvent("DESCRIPTION;QUOTED-PRINTABLE:a\n"));
    // Cut off there, the event has no END any more.
    EXPECT_EQ(Refusal("BEGIN:VCALENDAR\nBEGIN:VEVENT\nDESCRIPTION;QUOTED-PRINTABLE:a="),
              "line 2: BEGIN:VEVENT without its END");
}

TEST(VCalendarInput, Base64ValuesAreDroppedWithTheirData) {
    EXPECT_EQ(Prepared(Event(
                  "SUMMARY:x\r\nATTACH;ENCODING=BASE64:\r\n aGVsbG8g\r\n d29ybGQ=\r\n\r\nLOCATION:y\r\n")),
              PreparedEvent("SUMMARY:x\nLOCATION:y\n"));
    // Without the blank line that should end the data.
    EXPECT_EQ(Prepared(Event("ATTACH;BASE64:aGVsbG8g\r\nd29ybGQ=\r\n")), PreparedEvent(""));
}

TEST(VCalendarInput, PlainValuesAreUnfoldedAndQuotedWhenTheParserCannotReadThem) {
    EXPECT_EQ(Prepared(Event("SUMMARY:a long\r\n  title;x\r\n\tend\r\n")),
              PreparedEvent("SUMMARY:a long  title;x end\n"));
    // 0xFF reads as the end of the input, so the value goes quoted-printable.
    EXPECT_EQ(Prepared(Event("LOCATION;X-A=b: L'Ha\xFF\r\n les Roses\r\n")),
              PreparedEvent("LOCATION;X-A=b;QUOTED-PRINTABLE:L'Ha=FF les Roses\n"));
    std::string manySeparators(150, ';');
    EXPECT_EQ(Prepared(Event("CATEGORIES:" + manySeparators + "\r\n")),
              PreparedEvent("CATEGORIES;QUOTED-PRINTABLE:" + EncodeQuotedPrintable(manySeparators) + "\n"));
}

TEST(VCalendarInput, EmptyValuesGetSomethingThatReadsAsNothing) {
    // Else the parser takes the next line for the value.
    EXPECT_EQ(Prepared(Event("CATEGORIES:\r\nDESCRIPTION;QP:\r\nLOCATION:\r\n folded\r\n")),
              PreparedEvent("CATEGORIES: \nDESCRIPTION;QUOTED-PRINTABLE:=00\nLOCATION: folded\n"));
}

TEST(VCalendarInput, HeadersMayBeFoldedAndLinesEndInAnyWay) {
    EXPECT_EQ(
        Prepared("\xEF\xBB\xBF"
                 "BEGIN:VCALENDAR\rDESCRIPTION;\r ENCODING=QUOTED-PRINTABLE:=41\n\r\n  \t\nEND:VCALENDAR"),
        "BEGIN:VCALENDAR\nDESCRIPTION;QUOTED-PRINTABLE:A\nEND:VCALENDAR\n");
    EXPECT_EQ(Prepared("begin : vCalendar \nend:VCALENDAR\n"), "BEGIN:VCALENDAR\nEND:VCALENDAR\n");
    // BEGIN or END with another name goes, however long the name (the
    // lexer's look-ahead ends after 32 bytes); with a parameter it is an
    // ordinary property.
    EXPECT_EQ(Prepared("BEGIN:VCALENDAR\nBEGIN:VJOURNAL\nEND:VJOURNAL\nBEGIN:" + std::string(40, 'V') +
                       "\nBEGIN;X:V\nEND:VCALENDAR\n"),
              "BEGIN:VCALENDAR\nBEGIN;X:V\nEND:VCALENDAR\n");
}

TEST(VCalendarInput, TextThatIsNoPropertyIsRefusedWithItsLine) {
    EXPECT_EQ(Refusal(std::string("BEGIN:VCALENDAR\nSUMMARY:a\0b\n", 28)), "it contains NUL bytes");
    EXPECT_EQ(Refusal("Shopping list\nmilk\n"), "line 1: a property without ':'");
    EXPECT_EQ(Refusal("BEGIN:VCALENDAR\n\nX-NOTE;\n more:1\nrandom text\n"),
              "line 5: a property without ':'");
    const char* malformed[] = {"1ST:x",         "SUMMARY;:x",      ";A:x",
                               "SUMMARY;A=:x",  "SUM MARY:x",      "SUMMARY;A=B=C:x",
                               "SUM\xFFMARY:x", "SUMMARY;X\x01:x", ":x"};
    for (const char* line : malformed) {
        SCOPED_TRACE(line);
        EXPECT_EQ(Refusal(std::string("BEGIN:VCALENDAR\r\n") + line + "\r\nEND:VCALENDAR\r\n"),
                  "line 2: a malformed property name or parameter");
    }
    EXPECT_EQ(Refusal("BEGIN:VCALENDAR x\nEND:VCALENDAR\n"), "line 1: text after the object name");
    EXPECT_EQ(Refusal("BEGIN:VCALENDAR\nEND:VCALENDAR;x\n"), "line 2: text after the object name");
}

TEST(VCalendarInput, ParametersWhoseValueTheLexerCannotReadAreDropped) {
    // Its own status value, a digit first, a quoted name with a blank: the
    // parser stops at each with a syntax error.
    EXPECT_EQ(Prepared(Event("ATTENDEE;ROLE=ATTENDEE;STATUS=NEEDS ACTION:Maria <m@example.com>\r\n")),
              PreparedEvent("ATTENDEE;ROLE=ATTENDEE:Maria <m@example.com>\n"));
    EXPECT_EQ(Prepared(Event("SUMMARY;CHARSET=ISO-8859-1;ENCODING=8BIT:R\xE9union\r\n")),
              PreparedEvent("SUMMARY;CHARSET=ISO-8859-1:R\xE9union\n"));
    EXPECT_EQ(Prepared(Event("X-A;X-NAME=\"Jo Lee\";ENCODING=QUOTED-PRINTABLE;X-B=2 3:a=3Db\r\n")),
              PreparedEvent("X-A;QUOTED-PRINTABLE:a=3Db\n"));
    EXPECT_EQ(Prepared(Event("ATTACH;ENCODING=BEGIN:VEVENT\r\nX-B;end;X-C=Y:VCARD\r\n")),
              PreparedEvent("ATTACH:VEVENT\nX-B;X-C=Y:VCARD\n"));
}

TEST(VCalendarInput, EachTopLevelObjectIsAChunkOfItsOwn) {
    std::vector<ParserChunk> chunks;
    std::string error;
    ASSERT_TRUE(
        PrepareParserInput("BEGIN:VCARD\nFN:A\nEND:VCARD\n\nBEGIN:VCALENDAR\nVERSION:1.0\nEND:VCALENDAR\n"
                           "BEGIN:VCALENDAR\nEND:VCALENDAR\n",
                           chunks, error));
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].text, "BEGIN:VCARD\nFN:A\nEND:VCARD\n");
    EXPECT_EQ(chunks[1].text, "BEGIN:VCALENDAR\nVERSION:1.0\nEND:VCALENDAR\n");
    EXPECT_EQ(chunks[2].text, "BEGIN:VCALENDAR\nEND:VCALENDAR\n");
    EXPECT_EQ(chunks[1].SourceLine(1), 5);
    EXPECT_EQ(chunks[1].SourceLine(3), 7);
    EXPECT_EQ(chunks[2].SourceLine(99), 9);
}

TEST(VCalendarInput, ObjectsMustNestAsTheGrammarHasThem) {
    const char* const cases[][2] = {
        {"BEGIN:VEVENT\nEND:VEVENT\n", "line 1: BEGIN:VEVENT outside a VCALENDAR"},
        {"BEGIN:VCARD\nBEGIN:VEVENT\n", "line 2: BEGIN:VEVENT inside VCARD"},
        {"BEGIN:VCALENDAR\nBEGIN:VCARD\n", "line 2: BEGIN:VCARD inside VCALENDAR"},
        {"BEGIN:VCALENDAR\nBEGIN:VTODO\nBEGIN:VEVENT\n", "line 3: BEGIN:VEVENT inside VTODO"},
        {"BEGIN:VCALENDAR\nBEGIN:VTODO\nEND:VEVENT\n", "line 3: END:VEVENT where END:VTODO belongs"},
        {"BEGIN:VCARD\nEND:VCARD\nEND:VCARD\n", "line 3: END:VCARD without its BEGIN"},
        {"BEGIN:VCARD\nEND:VCARD\nNOTE:between\n", "line 3: a property outside any object"},
        {"BEGIN:VCALENDAR\nBEGIN:VTODO\nEND:VTODO\n", "line 1: BEGIN:VCALENDAR without its END"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        EXPECT_EQ(Refusal(c[0]), c[1]);
    }
}

TEST(VCalendarInput, ALongCalendarIsCutIntoCalendarsTheParserCanHold) {
    std::string text = "BEGIN:VCALENDAR\nVERSION:1.0\n";
    const int events = 1000;
    for (int i = 0; i < events; ++i)
        text += "BEGIN:VEVENT\nSUMMARY:e" + std::to_string(i) + "\nEND:VEVENT\n";
    text += "END:VCALENDAR\n";
    std::vector<ParserChunk> chunks;
    std::string error;
    ASSERT_TRUE(PrepareParserInput(text, chunks, error));
    ASSERT_GT(chunks.size(), 1u);
    std::string joined;
    for (const ParserChunk& chunk : chunks) {
        EXPECT_EQ(chunk.text.rfind("BEGIN:VCALENDAR\n", 0), 0u);
        EXPECT_EQ(chunk.text.substr(chunk.text.size() - 14), "END:VCALENDAR\n");
        size_t items = 0;
        for (size_t at = chunk.text.find("END:VEVENT"); at != std::string::npos;
             at = chunk.text.find("END:VEVENT", at + 1))
            ++items;
        EXPECT_LE(items, 250u);
        EXPECT_EQ(chunk.sourceLines.size(),
                  static_cast<size_t>(std::count(chunk.text.begin(), chunk.text.end(), '\n')));
        joined += chunk.text;
    }
    // Nothing lost, nothing repeated, in order.
    size_t at = 0;
    for (int i = 0; i < events; ++i) {
        at = joined.find("SUMMARY:e" + std::to_string(i) + "\n", at);
        ASSERT_NE(at, std::string::npos) << i;
    }
    size_t begins = 0;
    for (size_t found = joined.find("BEGIN:VEVENT"); found != std::string::npos;
         found = joined.find("BEGIN:VEVENT", found + 1))
        ++begins;
    EXPECT_EQ(begins, static_cast<size_t>(events));
}

}  // namespace
}  // namespace vorlen::store
