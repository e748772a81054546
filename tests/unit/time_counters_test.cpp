#include "metering/raised_error.h"
#include "metering/time_counters.h"

#include <gtest/gtest.h>

#include <limits>

namespace quillmarten {
namespace {

constexpr std::int32_t maxInt = std::numeric_limits<std::int32_t>::max();

void expectError(std::int32_t number, const auto& action) {
    try {
        action();
        FAIL() << "no error raised";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.number(), number);
    }
}

TEST(Elapsed, FirstTickOfAProcessCountsOneSecond) {
    TimeCounters counters;
    EXPECT_EQ(counters.totalText(), "");
    EXPECT_EQ(counters.Elapsed(), "0000:00:00:01");
    EXPECT_EQ(counters.totalText(), "0000:00:00:01");
}

TEST(Elapsed, CarriesSecondsIntoMinutesAndCountsOnFromThere) {
    TimeCounters counters;
    counters.setSession({0, 0, 0, 59});
    EXPECT_EQ(counters.Elapsed(), "0000:00:01:00");
    EXPECT_EQ(counters.Elapsed(), "0000:00:01:01");
    EXPECT_EQ(counters.Elapsed(), "0000:00:01:02");
}

TEST(Elapsed, NextMinuteComesAfterExactlySixtyTicks) {
    TimeCounters counters;
    counters.setSession({0, 0, 1, 0});
    for (int tick = 1; tick < 60; ++tick) {
        EXPECT_EQ(counters.Elapsed().substr(0, 10), "0000:00:01") << tick;
    }
    EXPECT_EQ(counters.Elapsed(), "0000:00:02:00");
}

TEST(Elapsed, CarriesThroughHoursAndDays) {
    TimeCounters counters;
    counters.setSession({0, 2, 5, 9});
    EXPECT_EQ(counters.Elapsed(), "0000:02:05:10");
    counters.setSession({0, 23, 59, 59});
    EXPECT_EQ(counters.Elapsed(), "0001:00:00:00");
    EXPECT_EQ(counters.session(), (Counters{1, 0, 0, 0}));
}

TEST(Elapsed, TotalsCountInStepWithTheSession) {
    TimeCounters counters;
    counters.setTotals({12, 23, 59, 59});
    counters.Elapsed();
    EXPECT_EQ(counters.totals(), (Counters{13, 0, 0, 0}));
    EXPECT_EQ(counters.totalText(), "0013:00:00:00");
}

TEST(Elapsed, TenThousandDaysGrowTheTextByADigit) {
    TimeCounters counters;
    counters.setSession({9999, 23, 59, 59});
    EXPECT_EQ(counters.Elapsed(), "10000:00:00:00");
}

TEST(Elapsed, OverflowOfTheDaysKeepsThemAndTheStepsBefore) {
    TimeCounters counters;
    counters.setTotals({maxInt, 23, 59, 59});
    expectError(6, [&] { counters.Elapsed(); });
    EXPECT_EQ(counters.session(), (Counters{0, 0, 0, 1}));
    EXPECT_EQ(counters.totals(), (Counters{maxInt, 0, 0, 0}));
    EXPECT_EQ(counters.totalText(), "");
}

TEST(TotalizzaTempo, AddsStoredFieldsWithoutCarrying) {
    TimeCounters counters;
    counters.TotalizzaTempo("0000235950");
    counters.TotalizzaTempo("0000000020");
    counters.TotalizzaTempo("0000000045");
    EXPECT_EQ(counters.totals(), (Counters{0, 23, 59, 115}));
    counters.CalcolaTotale();
    EXPECT_EQ(counters.totals(), (Counters{1, 0, 0, 55}));
}

TEST(TotalizzaTempo, ZeroFieldChangesNothingAndExtraCharactersAreIgnored) {
    TimeCounters counters;
    counters.TotalizzaTempo("0000000000");
    EXPECT_EQ(counters.totals(), Counters{});
    counters.TotalizzaTempo("0001020304xyz");
    EXPECT_EQ(counters.totals(), (Counters{1, 2, 3, 4}));
}

TEST(TotalizzaTempo, NonNumericPieceFailsAfterThePiecesBeforeIt) {
    TimeCounters counters;
    expectError(13, [&] { counters.TotalizzaTempo("0001xx0000"); });
    EXPECT_EQ(counters.totals(), (Counters{1, 0, 0, 0}));
}

TEST(TotalizzaTempo, ShortFieldFailsOnTheMissingSeconds) {
    TimeCounters counters;
    expectError(13, [&] { counters.TotalizzaTempo("00010203"); });
    EXPECT_EQ(counters.totals(), (Counters{1, 2, 3, 0}));
    expectError(13, [&] { counters.TotalizzaTempo(""); });
}

TEST(TotalizzaTempo, SignedPiecesAreNumbers) {
    TimeCounters counters;
    counters.TotalizzaTempo("-001+1-1-1");
    EXPECT_EQ(counters.totals(), (Counters{-1, 1, -1, -1}));
    expectError(13, [&] { counters.TotalizzaTempo("00 1000000"); });
}

TEST(TotalizzaTempo, SumBeyondThirtyTwoBitsIsAnOverflowThatKeepsTheCounter) {
    TimeCounters counters;
    counters.setTotals({maxInt - 5, 0, 0, 0});
    expectError(6, [&] { counters.TotalizzaTempo("0009000000"); });
    EXPECT_EQ(counters.totals(), (Counters{maxInt - 5, 0, 0, 0}));
}

TEST(CalcolaTotale, CarriesTheGainedMinuteWithinTheSameCall) {
    TimeCounters counters;
    counters.setTotals({0, 0, 59, 60});
    counters.CalcolaTotale();
    EXPECT_EQ(counters.totals(), (Counters{0, 1, 0, 0}));
}

TEST(CalcolaTotale, TotalsInRangeStayAsTheyAre) {
    TimeCounters counters;
    counters.setTotals({3, 23, 59, 59});
    counters.CalcolaTotale();
    EXPECT_EQ(counters.totals(), (Counters{3, 23, 59, 59}));
}

TEST(CalcolaTotale, FloorDivisionKeepsNegativeRemaindersInRange) {
    TimeCounters counters;
    counters.setTotals({1, 0, 0, -1});
    counters.CalcolaTotale();
    EXPECT_EQ(counters.totals(), (Counters{0, 23, 59, 59}));
}

TEST(CalcolaTotale, LargeSumsCarryAllTheWay) {
    TimeCounters counters;
    counters.setTotals({0, 99 * 1000, 99 * 1000, 99 * 1000});
    counters.CalcolaTotale();
    const Counters totals = counters.totals();
    const std::int64_t seconds =
        ((std::int64_t{totals.days} * 24 + totals.hours) * 60 + totals.minutes) * 60 +
        totals.seconds;
    EXPECT_EQ(seconds, 99 * 1000 * (3600 + 60 + 1));
    EXPECT_LT(totals.hours, 24);
    EXPECT_LT(totals.minutes, 60);
    EXPECT_LT(totals.seconds, 60);
}

TEST(CalcolaTotale, OverflowingDaysKeepTheirValueAndTheCarriesBefore) {
    TimeCounters counters;
    counters.setTotals({maxInt, 24, 0, 60});
    expectError(6, [&] { counters.CalcolaTotale(); });
    EXPECT_EQ(counters.totals(), (Counters{maxInt, 0, 1, 0}));
}

} // namespace
} // namespace quillmarten
