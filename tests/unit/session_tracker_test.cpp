#include "doubles/memory_file_system.h"
#include "doubles/metered_process.h"

#include <gtest/gtest.h>

#include <memory>

namespace quillmarten {
namespace {

using namespace quillmarten::testing;
using Texts = std::vector<std::string>;

const std::string path = "C:\\Program Files\\Quillmarten\\Quillmarten.dat";
const std::string captionPrefix = "Quillmarten - Version 1.0.45 - At work since ";
const std::string gap(40, '\0');

std::string record(std::string_view start, std::string_view stop, std::string_view used) {
    return encodeRecord(std::string(start) + std::string(stop) + std::string(used));
}

using Process = MeteredProcess;

class Tracker : public ::testing::Test {
  protected:
    Process& start() {
        runs.push_back(std::make_unique<Process>(files, clock, path));
        runs.back()->tracker.start();
        return *runs.back();
    }
    void tick(Process& process, int secondsLater) {
        clock.advance(secondsLater);
        process.tracker.onMeterTick();
    }
    std::string& file() { return files.contents(path); }
    std::string slot(int number) {
        return file().substr(static_cast<std::size_t>(number - 1) * 40, 40);
    }

    FakeClock clock;
    MemoryFileSystem files;
    std::vector<std::unique_ptr<Process>> runs;
};

TEST_F(Tracker, EachRunPlacesItsRecordBehindOneGapAndListsAllBefore) {
    Process& first = start();
    EXPECT_EQ(file(), record("20261205080307", "20261205080307", "0000000000"));
    EXPECT_EQ(first.tracker.recordNumber(), 1);
    ASSERT_EQ(first.list.rowCount, 1u);
    EXPECT_EQ(first.list.row(0), "05/12/2026-08:03:07 05/12/2026-08:03:07 0000:00:00:00");
    EXPECT_EQ(first.list.selected, 0u);
    EXPECT_EQ(first.tray.adds, 1);
    EXPECT_TRUE(first.meterTimer.enabled());

    clock.time = LocalTime{2026, 12, 6, 9, 0, 0};
    Process& second = start();
    EXPECT_EQ(second.tracker.recordNumber(), 3);
    EXPECT_EQ(file().size(), 120u);
    EXPECT_EQ(slot(2), gap);

    clock.time = LocalTime{2026, 12, 7, 10, 0, 0};
    Process& third = start();
    EXPECT_EQ(third.tracker.recordNumber(), 5);
    EXPECT_EQ(file().size(), 200u);
    EXPECT_EQ(slot(4), gap);
    ASSERT_EQ(third.list.rowCount, 3u);
    EXPECT_EQ(third.list.row(1).substr(0, 19), "06/12/2026-09:00:00");
    EXPECT_EQ(third.list.selected, 2u);
    EXPECT_TRUE(third.host.events().empty());
}

TEST_F(Tracker, CaptionShowsTheGrandTotalFromTheFirstCountedSecond) {
    file() = record("20261201080000", "20261201180000", "0000235950") + gap +
             record("20261202080000", "20261202080020", "0000000020") + gap +
             record("20261203080000", "20261203080045", "0000000044");
    Process& run = start();
    EXPECT_EQ(run.tracker.recordNumber(), 7);
    tick(run, 0);
    EXPECT_EQ(run.window.caption, captionPrefix);
    tick(run, 1);
    EXPECT_EQ(run.window.caption, captionPrefix + "0001:00:00:55");
}

TEST_F(Tracker, TickCountsOneSecondWhenTheClocksSecondChanged) {
    Process& run = start();
    tick(run, 0);
    EXPECT_EQ(slot(1).substr(16), "20261205080307"
                                  "0000000000");
    tick(run, 1);
    EXPECT_EQ(slot(1), record("20261205080307", "20261205080308", "0000000001"));
    EXPECT_EQ(run.list.row(0), "05/12/2026-08:03:07 05/12/2026-08:03:08 0000:00:00:01");
    tick(run, 5);
    EXPECT_EQ(run.tracker.sessionTime(), (Duration{0, 0, 0, 2}));
    tick(run, 60);
    EXPECT_EQ(run.tracker.sessionTime(), (Duration{0, 0, 0, 2}));
    EXPECT_EQ(slot(1).substr(16, 14), "20261205080413");
}

TEST_F(Tracker, OneTickCostsOneOpenOneFortyByteWriteAndOneClose) {
    Process& run = start();
    const MemoryFileSystem before = files;
    tick(run, 1);
    EXPECT_EQ(files.opens - before.opens, 1);
    EXPECT_EQ(files.writes - before.writes, 1);
    EXPECT_EQ(files.bytesWritten - before.bytesWritten, 40u);
    EXPECT_EQ(files.closes - before.closes, 1);
    EXPECT_EQ(files.reads - before.reads, 0);
}

TEST_F(Tracker, TrayIconComesBackOnlyWhileTheTaskbarExists) {
    Process& run = start();
    run.taskbar.present = false;
    tick(run, 1);
    EXPECT_EQ(run.tray.adds, 1);
    run.taskbar.present = true;
    tick(run, 1);
    EXPECT_EQ(run.tray.adds, 2);
}

TEST_F(Tracker, HideTimerHidesAShownWindowOnce) {
    Process& run = start();
    run.tracker.onHideTimer();
    EXPECT_FALSE(run.window.visible);
    EXPECT_FALSE(run.hideTimer.enabled());
    run.tracker.onHideTimer();
    EXPECT_EQ(run.window.visibilityChanges, 1);
}

TEST_F(Tracker, DamagedRecordsAreListedNeverCountedAndReportedOnce) {
    std::string overlong = record("20261201080000", "20261201180000", "0000010000");
    overlong[0] = 39;
    file() = record("20261201080000", "20261201180000", "0001xx0000") + gap +
             encodeRecord("2026120108000020261201180000000001000") + gap +
             record("20261201080000", "20261201180000", "-000010000") + gap + overlong + gap +
             record("20261202080000", "20261202180000", "0000020000");
    const std::string stored = file();
    Process& run = start();
    EXPECT_EQ(run.host.errorReports(),
              (Texts{"[13] Type mismatch in record 1 (character 33 is not a digit) - Inizializza",
                     "[59] Bad record length in record 3 (a length of 37 instead of 38) - "
                     "Inizializza",
                     "[13] Type mismatch in record 5 (character 29 is not a digit) - Inizializza",
                     "[59] Bad record length in record 7 (a length of 39 instead of 38) - "
                     "Inizializza"}));
    ASSERT_EQ(run.list.rowCount, 6u);
    EXPECT_EQ(run.list.row(0), "01/12/2026-08:00:00 01/12/2026-18:00:00 0001:xx:00:00");
    EXPECT_EQ(run.list.row(3), "01/12/2026-08:00:00 01/12/2026-18:00:00 0000:01:00:00");
    EXPECT_EQ(file().substr(0, stored.size()), stored);
    EXPECT_EQ(run.tracker.recordNumber(), 11);
    tick(run, 1);
    EXPECT_EQ(run.window.caption, captionPrefix + "0000:02:00:01");
}

TEST_F(Tracker, ALogFullOfNoiseGivesTenReportsAndOneCount) {
    for (int i = 0; i < 25; ++i) {
        file() += std::string(40, static_cast<char>('a' + i % 26));
    }
    Process& run = start();
    const Texts reports = run.host.errorReports();
    ASSERT_EQ(reports.size(), 11u);
    EXPECT_EQ(reports.back(),
              "[59] 15 more damaged records, not reported one by one - Inizializza");
    EXPECT_EQ(run.tracker.recordNumber(), 27);
}

// A start that cannot place its record still meters: it shows what it could read, counts from
// its start, reports once, and places the record, whole and where it belongs, once it can.
TEST_F(Tracker, StartThatCannotWriteItsRecordMetersOnAndPlacesItLater) {
    file() = record("20261201080000", "20261201180000", "0001000000");
    const std::string stored = file();
    files.failWrites(61, 20);
    Process& run = start();
    EXPECT_EQ(run.host.errorReports(), Texts{"[61] Disk full - Inizializza"});
    EXPECT_EQ(file(), stored);
    EXPECT_EQ(run.tray.adds, 1);
    EXPECT_TRUE(run.meterTimer.enabled());
    EXPECT_EQ(run.list.rowCount, 2u);
    for (int second = 0; second < 5; ++second) {
        tick(run, 1);
    }
    EXPECT_EQ(file(), stored);
    EXPECT_EQ(run.host.errorReports().size(), 1u);
    EXPECT_EQ(run.window.caption, captionPrefix + "0001:00:00:05");
    EXPECT_EQ(run.list.row(1), "05/12/2026-08:03:07 05/12/2026-08:03:12 0000:00:00:05");

    files.failWrites(std::nullopt);
    tick(run, 1);
    EXPECT_EQ(run.tracker.recordNumber(), 3);
    EXPECT_EQ(file(), stored + gap + record("20261205080307", "20261205080313", "0000000006"));
    tick(run, 1);
    EXPECT_EQ(slot(3), record("20261205080307", "20261205080314", "0000000007"));
    EXPECT_EQ(run.list.rowCount, 2u);
}

TEST_F(Tracker, LockedLogAtStartIsReadAndCountedOnceItIsReleased) {
    file() = record("20261201080000", "20261201180000", "0000010000") + std::string(40, 'x');
    files.failOpens(70);
    Process& run = start();
    EXPECT_EQ(run.host.errorReports(), Texts{"[70] Permission denied - Inizializza"});
    EXPECT_EQ(run.list.rowCount, 1u);
    tick(run, 1);
    files.failOpens(std::nullopt);
    tick(run, 1);
    EXPECT_EQ(run.tracker.recordNumber(), 4);
    EXPECT_EQ(run.list.rowCount, 3u);
    EXPECT_EQ(run.host.errorReports().size(), 2u);
    tick(run, 1);
    EXPECT_EQ(run.window.caption, captionPrefix + "0000:01:00:03");
    EXPECT_EQ(run.host.errorReports().size(), 2u);
}

TEST_F(Tracker, RewriteFailuresAreReportedHourlyPerNumberAndTheWindowCountsOn) {
    Process& run = start();
    files.failWrites(61);
    for (int second = 0; second < 3; ++second) {
        tick(run, 1);
    }
    EXPECT_EQ(run.host.errorReports(), Texts{"[61] Disk full - Aggiorna"});
    EXPECT_EQ(run.window.caption, captionPrefix + "0000:00:00:03");
    EXPECT_EQ(run.list.row(0).substr(40), "0000:00:00:03");
    files.failWrites(70);
    tick(run, 1);
    files.failWrites(61);
    tick(run, 1);
    EXPECT_EQ(run.host.errorReports().size(), 2u);
    clock.advance(3600);
    tick(run, 0);
    EXPECT_EQ(run.host.errorReports().size(), 3u);
    files.failWrites(std::nullopt);
    tick(run, 1);
    EXPECT_EQ(slot(1).substr(30), "0000000006");
}

TEST_F(Tracker, TotalsAtTheCountersLimitAreReportedAndMeteringGoesOn) {
    const std::string longest = record("20261201080000", "20261201180000", "9999235959");
    const int records = std::numeric_limits<std::int32_t>::max() / 10000 + 1;
    file().reserve(static_cast<std::size_t>(records) * 40);
    for (int i = 0; i < records; ++i) {
        file() += longest;
    }
    Process& run = start();
    EXPECT_EQ(run.host.errorReports(), Texts{"[6] Overflow - Inizializza"});
    tick(run, 1);
    EXPECT_EQ(run.host.errorReports().back(), "[6] Overflow - Aggiorna");
    EXPECT_EQ(slot(records + 2).substr(30), "0000000001");
    tick(run, 1);
    EXPECT_EQ(slot(records + 2).substr(30), "0000000002");
    EXPECT_EQ(run.host.errorReports().size(), 2u);
}

} // namespace
} // namespace quillmarten
