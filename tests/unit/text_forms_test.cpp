#include "metering/program_version.h"
#include "metering/raised_error.h"
#include "metering/session_row.h"
#include "metering/text_forms.h"

#include <gtest/gtest.h>

namespace quillmarten {
namespace {

TEST(DisplayForms, StampHalvesBecomeListDateAndTime) {
    EXPECT_EQ(Data_Out("20261205"), "05/12/2026");
    EXPECT_EQ(Time_Out("080307"), "08:03:07");
}

TEST(DisplayForms, ShortTextsGiveShortPiecesWithoutFailing) {
    EXPECT_EQ(Data_Out(""), "//");
    EXPECT_EQ(Data_Out("2026"), "26//2026");
    EXPECT_EQ(Data_Out("20261"), "61/1/2026");
    EXPECT_EQ(Time_Out(""), "::");
    EXPECT_EQ(Time_Out("1234"), "12:34:34");
    EXPECT_EQ(Time_Out("0"), "0::0");
}

TEST(DisplayForms, TimeOutTakesTheLastTwoCharactersNotFiveAndSix) {
    EXPECT_EQ(Time_Out("1234567"), "12:34:67");
}

TEST(DisplayForms, DateTimeStampIsFourteenZeroPaddedDigits) {
    EXPECT_EQ(dateTimeStamp(LocalTime{2026, 1, 2, 3, 4, 5}), "20260102030405");
    EXPECT_EQ(dateTimeStamp(LocalTime{2026, 12, 31, 23, 59, 59}), "20261231235959");
}

TEST(DisplayForms, ZeroPaddingGrowsWithTheValueAndKeepsTheSign) {
    EXPECT_EQ(zeroPadded(0, 4), "0000");
    EXPECT_EQ(zeroPadded(45, 2), "45");
    EXPECT_EQ(zeroPadded(10000, 4), "10000");
    EXPECT_EQ(zeroPadded(-5, 4), "-0005");
}

TEST(SessionRow, RecordShowsAsStartStopAndTimeInUse) {
    const std::string record = "20261205080307"
                               "20261205174509"
                               "0000094200";
    EXPECT_EQ(startTimeText(record), "05/12/2026-08:03:07");
    EXPECT_EQ(stopTimeText(record), "05/12/2026-17:45:09");
    EXPECT_EQ(timeInUseText(record), "0000:09:42:00");
    EXPECT_EQ(elapsedFieldOf(record), "0000094200");
}

TEST(SessionRow, ShortRecordGivesShortTextsWithoutReadingPastIt) {
    EXPECT_EQ(startTimeText("2026"), "26//2026-::");
    EXPECT_EQ(timeInUseText("2026"), ":::");
    EXPECT_EQ(elapsedFieldOf("2026"), "");
}

TEST(Caption, ShowsThreeOfTheFourVersionNumbersWithoutPadding) {
    EXPECT_EQ(versionCaption(ProgramVersion{"Quillmarten", 1, 0, 0, 45}),
              "Quillmarten - Version 1.0.45");
    EXPECT_EQ(versionCaption(ProgramVersion{"Quillmarten", 2, 10, 7, 5}),
              "Quillmarten - Version 2.10.5");
}

TEST(ErrorReport, NumberDescriptionAndRoutine) {
    EXPECT_EQ(errorReportText(makeError(6), "Inizializza"), "[6] Overflow - Inizializza");
    EXPECT_EQ(errorReportText(makeError(13)), "[13] Type mismatch");
    EXPECT_EQ(errorReportText(RaisedError(1234, "Custom"), "Aggiorna"), "[1234] Custom - Aggiorna");
}

} // namespace
} // namespace quillmarten
