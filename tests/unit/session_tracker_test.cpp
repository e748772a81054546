#include "doubles/metered_process.h"
#include "doubles/record_bytes.h"
#include "doubles/report_days.h"
#include "log_file/days_file.h"
#include "report/report_command.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace quillmarten {
namespace {

using namespace quillmarten::testing;
using Texts = std::vector<std::string>;

const std::string path = "C:\\Program Files\\Quillmarten\\Quillmarten.dat";
const std::string stored = "20261201080000";
const std::string daysPath = "C:\\Program Files\\Quillmarten\\Quillmarten.days";
const std::string daysHeader = encodeRecord(daysFileHeader);

// Runs of the program over one log file; where records land and what totals they make across
// runs is the fuzzer's to check.
class Tracker : public ::testing::Test, public MeteredMachine {
  protected:
    Tracker() : MeteredMachine(path) {}
    // The report's days of the log and its days file (see daysIn), then what it said is wrong.
    std::string byDay() {
        std::ostringstream out;
        std::ostringstream err;
        runReport({"--by", "day", "--format", "csv", "pc=" + path}, files, out, err);
        return daysIn(out.str()) + err.str();
    }
    std::string recordInSlot(int slot) { return log().substr(std::size_t(slot - 1) * 40, 40); }
    Texts reports() const { return run->host.errorReports(); }
    // The information entries: where the session's record moved.
    Texts notes() const { return run->host.reports(EventType::information); }
};

// At start, a stored record that began in the same second (the clock was set back) is an earlier
// session's.
TEST_F(Tracker, StartListsTheSessionAndTheCaptionShowsTheTotalFromTheFirstCountedSecond) {
    log() = record(stored, stored, "0000235950") + gap +
            record("20261205080307", "20261205080307", "0000000020");
    start();
    EXPECT_EQ(recordInSlot(5), record("20261205080307", "20261205080307", "0000000000"));
    EXPECT_EQ(run->list.row(2), "05/12/2026-08:03:07 05/12/2026-08:03:07 0000:00:00:00");
    EXPECT_EQ(run->list.selected, 2u);
    EXPECT_EQ(run->tray.adds, 1);
    EXPECT_TRUE(run->meterTimer.enabled);
    tick(0);
    EXPECT_EQ(run->window.caption, captionPrefix);
    tick(1);
    EXPECT_EQ(run->window.caption, captionPrefix + "0001:00:00:11");
    EXPECT_TRUE(reports().empty());
}

// A tick counts at most one second, and only when the clock's second changed; it rewrites the
// record each time with one open, a read of the record's start to see that it is still there,
// one 40-byte write and one close, and puts the tray icon back while the taskbar exists.
TEST_F(Tracker, TickCountsOneSecondWhenTheClocksSecondChanged) {
    start();
    const MemoryFileSystem before = files;
    tick(1);
    EXPECT_EQ(
        std::tuple(files.opens, files.reads, files.bytesAsked, files.writes, files.bytesWritten),
        std::tuple(before.opens + 1, before.reads + 1, before.bytesAsked + 16, before.writes + 1,
                   before.bytesWritten + 40));
    EXPECT_EQ(files.closes, files.opens);
    EXPECT_EQ(recordInSlot(1), record("20261205080307", "20261205080308", "0000000001"));
    EXPECT_EQ(run->list.row(0), "05/12/2026-08:03:07 05/12/2026-08:03:08 0000:00:00:01");
    run->taskbar.present = false;
    tick(5);
    run->taskbar.present = true;
    tick(60);
    tick(0);
    EXPECT_EQ(run->tray.adds, 4) << "the tray icon comes back while the taskbar exists";
    EXPECT_EQ(recordInSlot(1).substr(16), "20261205080413"
                                          "0000000002");
}

// A log beyond the largest listed, as a sparse one of 100 GB, is not read: the session goes behind
// its end, and the report says why the stored sessions are missing.
TEST_F(Tracker, ALogTooLargeToListIsNotReadAndTheSessionGoesBehindItsEnd) {
    log() = record(stored, stored, "0000010000");
    files.claimSize(path, largestListedLog + 1);
    start();
    const int slot = 1'677'724; // two past 1,677,722 slots, the last holding one byte
    EXPECT_EQ(files.bytesAsked, 0u);
    EXPECT_EQ(log().size(), slotEnd(slot));
    EXPECT_EQ(recordInSlot(slot), record("20261205080307", "20261205080307", "0000000000"));
    EXPECT_EQ(reports(), Texts{"[7] The log is too large to list (64 MB); its sessions are "
                               "neither listed nor counted - Inizializza"});
    tick(1);
    EXPECT_EQ(run->list.rowCount, 1u);
    EXPECT_EQ(run->window.caption, captionPrefix + "0000:00:00:01");
}

// The rest are counted by error number, each count in an entry of its own number.
TEST_F(Tracker, DamagedRecordsAreListedFromTheirBytesAndReportedTenInFull) {
    log() = record(stored, stored, "0001xx0000") + gap +
            encodeRecord("2026120108000020261201180000000001000");
    log() += std::string(12 * 40, 'a') + record(stored, stored, "00010000x0");
    start();
    const Texts all = reports();
    ASSERT_EQ(all.size(), 12u);
    EXPECT_EQ(all[0], "[13] Type mismatch in record 1 (character 33 is not a digit) - Inizializza");
    EXPECT_EQ(all[1],
              "[59] Bad record length in record 3 (a length of 37 instead of 38) - Inizializza");
    EXPECT_EQ(all[10], "[13] 1 more damaged record, not reported one by one - Inizializza");
    EXPECT_EQ(all[11], "[59] 4 more damaged records, not reported one by one - Inizializza");
    EXPECT_EQ(run->list.row(0), "01/12/2026-08:00:00 01/12/2026-08:00:00 0001:xx:00:00");
}

// A start that cannot place its record, on a full disk or a read-only log, still meters: it
// lists what it could read, counts from its start, reports once, and places the record, whole and
// where it belongs, once it can. The wait reads the log again only when it changed, and never
// moves the selection.
TEST_F(Tracker, StartThatCannotWriteItsRecordMetersOnAndPlacesItLater) {
    const std::string before =
        record(stored, stored, "0001000000") + gap + record(stored, stored, "0000000010");
    // A full disk refuses the days file too.
    const std::vector<std::pair<std::function<void(bool)>, Texts>> cases{
        {[&](bool full) { files.failWrites(full ? std::optional(61) : std::nullopt, 20); },
         {"[61] Disk full writing Quillmarten.days - Inizializza", "[61] Disk full - Inizializza"}},
        {[&](bool readOnly) { files.setReadOnly(path, readOnly); },
         {"[70] Permission denied - Inizializza"}}};
    for (const auto& [refuseWrites, expected] : cases) {
        SCOPED_TRACE(expected.back());
        files.replace(path, before);
        clock = FakeClock{};
        refuseWrites(true);
        start();
        EXPECT_EQ(run->list.rowCount, 3u);
        run->list.selected = 0;
        tick(1, 5);
        EXPECT_EQ(run->list.selected, 0u);
        EXPECT_EQ(reports(), expected);
        EXPECT_EQ(log(), before);
        EXPECT_EQ(run->tray.adds, 6);
        EXPECT_EQ(run->window.caption, captionPrefix + "0001:00:00:15");
        EXPECT_EQ(run->list.row(2), "05/12/2026-08:03:07 05/12/2026-08:03:12 0000:00:00:05");
        // Written over in place at the same length meanwhile, the log is read again once a second
        // look finds it unchanged.
        log().replace(0, 40, record(stored, stored, "0002000000"));
        const std::string changed = log();
        tick(1);
        EXPECT_EQ(run->window.caption, captionPrefix + "0001:00:00:16");
        tick(1);
        EXPECT_EQ(run->window.caption, captionPrefix + "0002:00:00:17");
        refuseWrites(false);
        tick(1);
        EXPECT_EQ(log(), changed + gap + record("20261205080307", "20261205080315", "0000000008"));
    }
}

// While the record's slot holds the session's start, the file is the session's log whatever
// brought it there: the record stays in its place, written whole, and the session counts once; a
// log read again that holds the session's record keeps the session there. Otherwise the session
// is placed behind what the log holds, once a second look finds the log unchanged, the log's bytes
// untouched, and the move is told once. Cut short within the record's start, the log keeps the
// fragment.
TEST_F(Tracker, RecordStaysWhereItsStartStandsElseIsPlacedAgainOnceTheLogStays) {
    const std::string first = record(stored, stored, "0000000010");
    const std::string other = record("20261101080000", "20261101090000", "0000010000");
    // The session's start, yet not a session's length.
    const std::string sameStart = encodeRecord("2026120508030720261205080308000000001");
    const std::string aside = path + ".aside";
    const auto moved = [](const std::string& what, int slot) {
        return what + "; this session's record moved to record " + std::to_string(slot);
    };
    struct Outcome {
        std::string logBefore; // what the log holds before the record's slot
        int slot;
        std::string total;
        Texts notes;
    };
    const std::vector<std::tuple<std::string, Outcome, std::function<void()>>> cases{
        {"a copy taken during the session moved back over the log",
         {first, 3, "0000:00:00:13", {}},
         [&] {
             const std::string copy = log();
             tick(1);
             files.replace(path, copy);
         }},
        {"cut short inside the record, its start intact",
         {first, 3, "0000:00:00:13", {}},
         [&] {
             tick(1);
             log().resize(100);
         }},
        {"written over and put back between two looks",
         {first, 3, "0000:00:00:13", {}},
         [&] {
             const std::string was = log();
             log() = first + gap + first;
             tick(0);
             log() = was;
             tick(1);
         }},
        {"moved aside, the session placed in a new log, and moved back",
         {first,
          3,
          "0000:00:00:13",
          {moved("The log was deleted", 1), moved("The log was replaced", 3)}},
         [&] {
             files.moveOver(path, aside);
             tick(0);
             tick(1);
             files.moveOver(aside, path);
             tick(0);
         }},
        {"replaced by a copy still growing at the first two looks",
         {other + gap + other, 5, "0000:02:00:03", {moved("The log was replaced", 5)}},
         [&] {
             files.replace(path, other);
             tick(0);
             log() += gap + other;
             tick(1);
             EXPECT_EQ(log(), other + gap + other);
         }},
        {"a copy that came back, then cut short within the record's start",
         {first + gap + record("20261205080307", "20261205080308", "0000000001").substr(0, 10),
          5,
          "0000:00:00:13",
          {moved("The log was cut short", 5)}},
         [&] {
             files.replace(path, log());
             tick(0);
             log().resize(90);
             tick(1);
         }},
        {"overwritten",
         {other + gap + sameStart,
          5,
          "0000:01:00:03",
          {moved("The session's record was overwritten", 5)}},
         [&] {
             log() = other + gap + sameStart;
             tick(1);
         }},
        {"deleted",
         {"", 1, "0000:00:00:03", {moved("The log was deleted", 1)}},
         [&] {
             files.removeFile(path);
             tick(1);
         }},
    };
    for (const auto& [what, outcome, change] : cases) {
        SCOPED_TRACE(what);
        files.replace(path, first);
        clock = FakeClock{};
        start();
        tick(1);
        change();
        tick(1);
        std::string expected = outcome.logBefore;
        expected.resize(static_cast<std::size_t>(outcome.slot - 1) * 40, '\0');
        EXPECT_EQ(log(), expected + record("20261205080307", "20261205080310", "0000000003"));
        EXPECT_EQ(notes(), outcome.notes);
        EXPECT_EQ(run->window.caption, captionPrefix + outcome.total);
        EXPECT_TRUE(reports().empty());
        tick(1);
        EXPECT_EQ(recordInSlot(outcome.slot).substr(30), "0000000004");
    }
}

// Bytes that another program appends while the start's write fails are not cut off, and are
// counted once read.
TEST_F(Tracker, FailedAppendLeavesWhatAnotherProgramWrote) {
    const std::string first = record(stored, stored, "0000000010");
    const std::string other = record("20261101080000", "20261101090000", "0000010000");
    log() = first;
    files.failWrites(61, 0, other);
    start();
    EXPECT_EQ(log(), first + other);
    files.failWrites(std::nullopt);
    tick(1, 2);
    EXPECT_EQ(log(),
              first + other + gap + record("20261205080307", "20261205080309", "0000000002"));
    EXPECT_EQ(run->window.caption, captionPrefix + "0000:01:00:12");
    EXPECT_EQ(reports(), (Texts{"[61] Disk full writing Quillmarten.days - Inizializza",
                                "[61] Disk full - Inizializza"}));
}

// A failure that lasts or recurs is reported once an hour per number; a successful write ends
// the incident, and the next failure is reported at once.
TEST_F(Tracker, RewriteFailuresAreReportedHourlyPerIncidentAndTheWindowCountsOn) {
    start();
    files.failWrites(61);
    tick(1, 2);
    EXPECT_EQ(reports(), Texts{"[61] Disk full - Aggiorna"});
    EXPECT_EQ(run->window.caption, captionPrefix + "0000:00:00:02");
    EXPECT_EQ(run->list.row(0).substr(40), "0000:00:00:02");
    files.failWrites(70);
    tick(1);
    files.failWrites(61);
    tick(1);
    EXPECT_EQ(reports().size(), 2u);
    clock.advance(3596);
    tick(0);
    EXPECT_EQ(reports().size(), 2u) << "59:59 after the first report";
    tick(1);
    EXPECT_EQ(reports().size(), 3u) << "an hour after the first report";
    files.failWrites(std::nullopt);
    tick(1);
    files.failWrites(61);
    tick(1);
    EXPECT_EQ(reports().size(), 4u) << "a failure after a success";
    files.failWrites(std::nullopt);
    tick(1);
    EXPECT_EQ(recordInSlot(1).substr(30), "0000000009");
}

// A log read again during the run that overflows the totals is the rewrite's failure.
TEST_F(Tracker, TotalsAtTheCountersLimitAreReportedAndMeteringGoesOn) {
    const int records = std::numeric_limits<std::int32_t>::max() / 10000 + 1;
    log().reserve(static_cast<std::size_t>(records) * 40);
    for (int i = 0; i < records; ++i) {
        log() += record(stored, stored, "9999235959");
    }
    const std::string full = log();
    start();
    tick(1, 2);
    EXPECT_EQ(reports(), (Texts{"[6] Overflow - Inizializza", "[6] Overflow - Aggiorna"}));
    EXPECT_EQ(recordInSlot(records + 2).substr(30), "0000000002");
    files.replace(path, full);
    tick(1, 2);
    EXPECT_EQ(reports(), (Texts{"[6] Overflow - Inizializza", "[6] Overflow - Aggiorna",
                                "[6] Overflow - Aggiorna"}));
    EXPECT_EQ(recordInSlot(records + 2).substr(30), "0000000004");
}

// The day of each counted second is the day of the tick that counted it, whatever the wall
// clock did between two ticks: a sleep, a pause, or the clock set back or forward across midnight.
// Each tick first moves the wall clock alone (a user, a time server), then both clocks.
TEST_F(Tracker, DaysFileKeepsTheDayOfTheTickThatCountedEachSecond) {
    using Steps = std::vector<std::pair<int, int>>;
    const std::vector<std::tuple<std::string, LocalTime, Steps, std::string>> cases{
        {"sleeps",
         {{2026, 12, 5}, 23, 0, 0},
         {{0, 1}, {0, 1}, {0, 1801}, {0, 1}, {0, 3907}, {0, 1}, {0, 601}, {0, 1}},
         "pc 05=4 pc 06=4"},
        {"a pause",
         {{2026, 12, 5}, 23, 59, 0},
         {{0, 1}, {0, 1}, {0, 658}, {0, 1}},
         "pc 05=2 pc 06=2"},
        {"back, then midnight again",
         {{2026, 12, 5}, 23, 50, 0},
         {{0, 1}, {0, 1}, {0, 601}, {0, 1}, {-3600, 1}, {0, 1}, {0, 3601}},
         "pc 05=4 pc 06=3"},
        {"forward",
         {{2026, 12, 5}, 23, 30, 0},
         {{0, 1}, {0, 1}, {3600, 1}, {0, 1}},
         "pc 05=2 pc 06=2"},
    };
    for (const auto& [what, startTime, steps, days] : cases) {
        files = MemoryFileSystem{};
        clock.time = startTime;
        start();
        for (const auto& [wallClockOnly, seconds] : steps) {
            clock.moveWallClock(wallClockOnly);
            tick(seconds);
        }
        EXPECT_EQ(byDay(), days) << what;
    }
    EXPECT_EQ(files.contents(daysPath),
              daysHeader + record("20261205233000", "20261205233000", "0000000000") +
                  record("20261205233000", "20261205233002", "0000000002"));
}

// The snapshot is written before the log: a kill between the two leaves the log as the last tick
// of the day before wrote it, and no second is attributed twice. While the date stays, nothing
// is written but the log.
TEST_F(Tracker, KillBetweenSnapshotAndLogWriteAttributesNothingTwice) {
    clock.time = LocalTime{{2026, 12, 5}, 23, 59, 58};
    start();
    tick(1);
    const std::string lastOfTheDay = log();
    const int writes = files.writes;
    tick(1);
    EXPECT_EQ(files.writes, writes + 2);
    tick(1);
    EXPECT_EQ(files.writes, writes + 3);
    EXPECT_EQ(byDay(), "pc 05=1 pc 06=2");
    log() = lastOfTheDay;
    EXPECT_EQ(byDay(), "pc 05=1");
}

// A snapshot that cannot be written waits, in order, is tried once a second and lands whole; a
// write that fails part-way leaves no fragment. Failures are reported like the log's.
TEST_F(Tracker, SnapshotsThatCannotBeWrittenWaitAndLandWholeInOrder) {
    clock.time = LocalTime{{2026, 12, 5}, 23, 59, 58};
    // A slot torn by a power loss stays behind, listed and never counted.
    const std::string torn = daysHeader + encodeRecord("2026").substr(0, 6);
    files.contents(daysPath) = torn;
    files.setReadOnly(daysPath, true);
    start();
    tick(1);
    files.setReadOnly(daysPath, false);
    files.failWrites(61, 50);
    // Midnight within the second of the last try: the day's snapshot is tried before the log.
    clock.moveWallClock(1);
    tick(0);
    const int writes = files.writes;
    tick(0);
    EXPECT_EQ(files.writes, writes + 1) << "no second try within the same second";
    EXPECT_EQ(files.contents(daysPath), torn);
    EXPECT_EQ(reports(), (Texts{"[70] Permission denied writing Quillmarten.days - Inizializza",
                                "[61] Disk full writing Quillmarten.days - Aggiorna",
                                "[61] Disk full - Aggiorna"}));
    files.failWrites(std::nullopt);
    tick(1);
    EXPECT_EQ(files.contents(daysPath),
              torn + std::string(34, '\0') +
                  record("20261205235958", "20261205235958", "0000000000") +
                  record("20261205235958", "20261205235959", "0000000001"));
    EXPECT_EQ(byDay(), "pc 05=1 pc 06=2" + daysPath + ": record 2: a length of 4 instead of 38\n");
}

} // namespace
} // namespace quillmarten
