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
const std::string stored = "20261201080000";

std::string record(std::string_view start, std::string_view stop, std::string_view used) {
    return encodeRecord(std::string(start) + std::string(stop) + std::string(used));
}

// Runs of the program over one log file; where records land and what totals they make across
// runs is the fuzzer's to check.
class Tracker : public ::testing::Test {
  protected:
    MeteredProcess& start() {
        run = std::make_unique<MeteredProcess>(files, clock, path);
        run->tracker.start();
        return *run;
    }
    void tick(int secondsLater) {
        clock.advance(secondsLater);
        run->tracker.onMeterTick();
    }
    std::string& file() { return files.contents(path); }
    std::string slot(int number) { return file().substr(std::size_t(number - 1) * 40, 40); }
    Texts reports() const { return run->host.errorReports(); }

    FakeClock clock;
    MemoryFileSystem files;
    std::unique_ptr<MeteredProcess> run;
};

TEST_F(Tracker, StartListsTheSessionAndTheCaptionShowsTheTotalFromTheFirstCountedSecond) {
    file() = record(stored, stored, "0000235950") + gap + record(stored, stored, "0000000020");
    start();
    EXPECT_EQ(slot(5), record("20261205080307", "20261205080307", "0000000000"));
    EXPECT_EQ(run->list.row(2), "05/12/2026-08:03:07 05/12/2026-08:03:07 0000:00:00:00");
    EXPECT_EQ(run->list.selected, 2u);
    EXPECT_EQ(run->tray.adds, 1);
    EXPECT_TRUE(run->meterTimer.enabled());
    tick(0);
    EXPECT_EQ(run->window.caption, captionPrefix);
    tick(1);
    EXPECT_EQ(run->window.caption, captionPrefix + "0001:00:00:11");
    EXPECT_TRUE(reports().empty());
}

// A tick counts at most one second, and only when the clock's second changed; it rewrites the
// record each time with one open, one 40-byte write and one close.
TEST_F(Tracker, TickCountsOneSecondWhenTheClocksSecondChanged) {
    start();
    const MemoryFileSystem before = files;
    tick(1);
    EXPECT_EQ(files.opens - before.opens, 1);
    EXPECT_EQ(files.writes - before.writes, 1);
    EXPECT_EQ(files.bytesWritten - before.bytesWritten, 40u);
    EXPECT_EQ(files.reads - before.reads, 0);
    EXPECT_EQ(slot(1), record("20261205080307", "20261205080308", "0000000001"));
    EXPECT_EQ(run->list.row(0), "05/12/2026-08:03:07 05/12/2026-08:03:08 0000:00:00:01");
    tick(5);
    tick(60);
    tick(0);
    EXPECT_EQ(slot(1).substr(16), "20261205080413"
                                  "0000000002");
}

TEST_F(Tracker, TrayIconComesBackWhileTheTaskbarExists) {
    start();
    run->taskbar.present = false;
    tick(1);
    run->taskbar.present = true;
    tick(1);
    EXPECT_EQ(run->tray.adds, 2);
}

TEST_F(Tracker, DamagedRecordsAreListedFromTheirBytesAndReportedTenInFull) {
    file() = record(stored, stored, "0001xx0000") + gap +
             encodeRecord("2026120108000020261201180000000001000");
    for (int i = 0; i < 12; ++i) {
        file() += std::string(40, 'a');
    }
    start();
    const Texts all = reports();
    ASSERT_EQ(all.size(), 11u);
    EXPECT_EQ(all[0], "[13] Type mismatch in record 1 (character 33 is not a digit) - Inizializza");
    EXPECT_EQ(all[1],
              "[59] Bad record length in record 3 (a length of 37 instead of 38) - Inizializza");
    EXPECT_EQ(all[10], "[59] 4 more damaged records, not reported one by one - Inizializza");
    EXPECT_EQ(run->list.row(0), "01/12/2026-08:00:00 01/12/2026-08:00:00 0001:xx:00:00");
}

// A start that cannot place its record still meters: it shows what it could read, counts from
// its start, reports once, and places the record, whole and where it belongs, once it can.
TEST_F(Tracker, StartThatCannotWriteItsRecordMetersOnAndPlacesItLater) {
    file() = record(stored, stored, "0001000000");
    const std::string before = file();
    files.failWrites(61, 20);
    start();
    for (int second = 0; second < 5; ++second) {
        tick(1);
    }
    EXPECT_EQ(reports(), Texts{"[61] Disk full - Inizializza"});
    EXPECT_EQ(file(), before);
    EXPECT_EQ(run->tray.adds, 6);
    EXPECT_EQ(run->window.caption, captionPrefix + "0001:00:00:05");
    EXPECT_EQ(run->list.row(1), "05/12/2026-08:03:07 05/12/2026-08:03:12 0000:00:00:05");
    files.failWrites(std::nullopt);
    tick(1);
    EXPECT_EQ(file(), before + gap + record("20261205080307", "20261205080313", "0000000006"));
}

TEST_F(Tracker, RewriteFailuresAreReportedHourlyPerNumberAndTheWindowCountsOn) {
    start();
    files.failWrites(61);
    tick(1);
    tick(1);
    EXPECT_EQ(reports(), Texts{"[61] Disk full - Aggiorna"});
    EXPECT_EQ(run->window.caption, captionPrefix + "0000:00:00:02");
    EXPECT_EQ(run->list.row(0).substr(40), "0000:00:00:02");
    files.failWrites(70);
    tick(1);
    files.failWrites(61);
    tick(1);
    EXPECT_EQ(reports().size(), 2u);
    clock.advance(3600);
    tick(0);
    EXPECT_EQ(reports().size(), 3u);
    files.failWrites(std::nullopt);
    tick(1);
    EXPECT_EQ(slot(1).substr(30), "0000000005");
}

TEST_F(Tracker, TotalsAtTheCountersLimitAreReportedAndMeteringGoesOn) {
    const int records = std::numeric_limits<std::int32_t>::max() / 10000 + 1;
    file().reserve(static_cast<std::size_t>(records) * 40);
    for (int i = 0; i < records; ++i) {
        file() += record(stored, stored, "9999235959");
    }
    start();
    tick(1);
    tick(1);
    EXPECT_EQ(reports(), (Texts{"[6] Overflow - Inizializza", "[6] Overflow - Aggiorna"}));
    EXPECT_EQ(slot(records + 2).substr(30), "0000000002");
}

} // namespace
} // namespace quillmarten
