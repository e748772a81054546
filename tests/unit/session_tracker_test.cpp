#include "doubles/fake_ports.h"
#include "doubles/memory_file_system.h"
#include "metering/session_log_file.h"
#include "metering/session_tracker.h"
#include "service/recording_service_host.h"

#include <gtest/gtest.h>

#include <memory>

namespace quillmarten {
namespace {

using namespace quillmarten::testing;

const std::string path = "C:\\Program Files\\Quillmarten\\Quillmarten.dat";
const std::string captionPrefix = "Quillmarten - Version 1.0.45 - At work since ";

std::string sessionText(std::string_view start, std::string_view stop, std::string_view elapsed) {
    return std::string(start) + std::string(stop) + std::string(elapsed);
}

// One process of the program: its own tracker and windows, over a log file that outlives it.
struct Process {
    explicit Process(MemoryFileSystem& files, FakeClock& clock)
        : tracker(TrackerPorts{clock, list, window, tray, taskbar, timer1, timer2, host, files},
                  path, ProgramVersion{"Quillmarten", 1, 0, 0, 45}) {}

    FakeSessionList list;
    FakeMainWindow window;
    FakeTray tray;
    FakeTaskbar taskbar;
    FakeTimer timer1{false};
    FakeTimer timer2{true};
    RecordingServiceHost host;
    SessionTracker tracker;

    std::vector<std::string> reports() const {
        std::vector<std::string> texts;
        for (const auto& entry : host.events()) {
            EXPECT_EQ(entry.type, 1);
            EXPECT_EQ(entry.id, 109);
            texts.push_back(entry.message);
        }
        return texts;
    }
};

class Tracker : public ::testing::Test {
  protected:
    Process& start() {
        runs.push_back(std::make_unique<Process>(files, clock));
        runs.back()->tracker.Inizializza();
        return *runs.back();
    }
    void tick(Process& process, int secondsLater) {
        clock.advance(secondsLater);
        process.tracker.Timer1_Timer();
    }
    std::string& file() { return files.contents(path); }
    std::string record(int number) {
        return file().substr(static_cast<std::size_t>(number - 1) * 40, 40);
    }

    FakeClock clock;
    MemoryFileSystem files;
    std::vector<std::unique_ptr<Process>> runs;
};

TEST_F(Tracker, FirstStartWithoutAFileOpensRecordOneAndListsIt) {
    Process& run = start();
    EXPECT_EQ(file(), encodeRecord(sessionText("20261205080307", "20261205080307", "0000000000")));
    EXPECT_EQ(run.tracker.currentRecordNumber(), 1);
    ASSERT_EQ(run.list.rowCount(), 1);
    EXPECT_EQ(run.list.row(1), (std::array<std::string, 3>{
                                   "05/12/2026-08:03:07", "05/12/2026-08:03:07", "0000:00:00:00"}));
    EXPECT_EQ(run.list.selected, 1);
    EXPECT_EQ(run.list.visibleRow, 1);
    EXPECT_EQ(run.tray.adds, 1);
    EXPECT_TRUE(run.timer1.enabled());
    EXPECT_EQ(run.tracker.lastSecondSeen(), 7);
    EXPECT_TRUE(run.reports().empty());
}

TEST_F(Tracker, ZeroByteFileIsTreatedAsMissing) {
    file() = "";
    Process& run = start();
    EXPECT_EQ(run.tracker.currentRecordNumber(), 1);
    EXPECT_EQ(file().size(), 40u);
}

TEST_F(Tracker, SuccessiveRunsLandBehindOneGapRecordEach) {
    const std::string gap(40, '\0');
    start();
    EXPECT_EQ(file().size(), 40u);
    clock.set(2026, 12, 6, 9, 0, 0);
    Process& second = start();
    EXPECT_EQ(second.tracker.currentRecordNumber(), 3);
    EXPECT_EQ(file().size(), 120u);
    EXPECT_EQ(record(2), gap);
    EXPECT_EQ(second.list.rowCount(), 2);
    clock.set(2026, 12, 7, 10, 0, 0);
    Process& third = start();
    EXPECT_EQ(third.tracker.currentRecordNumber(), 5);
    EXPECT_EQ(file().size(), 200u);
    EXPECT_EQ(record(4), gap);
    ASSERT_EQ(third.list.rowCount(), 3);
    EXPECT_EQ(third.list.row(1)[0], "05/12/2026-08:03:07");
    EXPECT_EQ(third.list.row(2)[0], "06/12/2026-09:00:00");
    EXPECT_EQ(third.list.row(3)[0], "07/12/2026-10:00:00");
    EXPECT_EQ(third.list.selected, 3);
}

TEST_F(Tracker, StoredTimesAddUpIntoTheTotalsOfTheCaption) {
    file() = encodeRecord(sessionText("20261201080000", "20261201180000", "0000235950")) +
             std::string(40, '\0') +
             encodeRecord(sessionText("20261202080000", "20261202080020", "0000000020")) +
             std::string(40, '\0') +
             encodeRecord(sessionText("20261203080000", "20261203080045", "0000000044"));
    Process& run = start();
    EXPECT_EQ(run.tracker.currentRecordNumber(), 7);
    EXPECT_EQ(run.tracker.counters().totals(), (Counters{1, 0, 0, 54}));
    EXPECT_EQ(run.list.rowCount(), 4);
    tick(run, 1);
    EXPECT_EQ(run.window.caption, captionPrefix + "0001:00:00:55");
}

TEST_F(Tracker, CaptionShowsTheTotalsAfterTheFirstCountedSecondOnly) {
    file() = encodeRecord(sessionText("20261201080000", "20261201180000", "0001020303"));
    Process& run = start();
    tick(run, 0);
    EXPECT_EQ(run.window.caption, captionPrefix);
    tick(run, 1);
    EXPECT_EQ(run.window.caption, "Quillmarten - Version 1.0.45 - At work since 0001:02:03:04");
}

TEST_F(Tracker, TickInTheSameSecondRewritesWithoutCounting) {
    Process& run = start();
    const int writes = files.writes;
    tick(run, 0);
    EXPECT_EQ(files.writes, writes + 1);
    EXPECT_EQ(run.tracker.sessionElapsed(), "0000000000");
    EXPECT_EQ(run.window.caption, captionPrefix);
}

TEST_F(Tracker, CountedTickChangesOnlyTheStopStampAndTheTimeInUse) {
    Process& run = start();
    tick(run, 1);
    EXPECT_EQ(record(1),
              encodeRecord(sessionText("20261205080307", "20261205080308", "0000000001")));
    EXPECT_EQ(run.list.row(1), (std::array<std::string, 3>{
                                   "05/12/2026-08:03:07", "05/12/2026-08:03:08", "0000:00:00:01"}));
    tick(run, 1);
    EXPECT_EQ(record(1).substr(0, 16), std::string("\x26\x00"
                                                   "20261205080307",
                                                   16));
    EXPECT_EQ(record(1).substr(16), "20261205080309"
                                    "0000000002");
}

TEST_F(Tracker, LateTicksCountOneSecondAndAWholeMinuteLateCountsNone) {
    Process& run = start();
    tick(run, 5);
    EXPECT_EQ(run.tracker.sessionElapsed(), "0000000001");
    tick(run, 60);
    EXPECT_EQ(run.tracker.sessionElapsed(), "0000000001");
    EXPECT_EQ(record(1).substr(16, 14), "20261205080412");
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

TEST_F(Tracker, TrayIconIsAddedAgainOnlyWhileTheTaskbarExists) {
    Process& run = start();
    run.taskbar.present = false;
    tick(run, 1);
    EXPECT_EQ(run.tray.adds, 1);
    run.taskbar.present = true;
    tick(run, 1);
    EXPECT_EQ(run.tray.adds, 2);
}

TEST_F(Tracker, StoredTimeInUseStopsAtTheLargestThatFitsARecord) {
    Process& run = start();
    run.tracker.counters().setSession({9999, 23, 59, 59});
    tick(run, 1);
    EXPECT_EQ(record(1).substr(30), "9999235959");
    EXPECT_EQ(file().size(), 40u);
}

TEST_F(Tracker, OneShotTimerHidesTheWindowOnce) {
    Process& run = start();
    run.tracker.Timer2_Timer();
    EXPECT_FALSE(run.window.visible);
    EXPECT_FALSE(run.timer2.enabled());

    Process& hidden = start();
    hidden.window.visible = false;
    hidden.tracker.Timer2_Timer();
    EXPECT_EQ(hidden.window.visibilityChanges, 0);
    EXPECT_FALSE(hidden.timer2.enabled());
}

TEST_F(Tracker, UnreadableFileIsReportedAndLaterTicksNeverWrite) {
    files.failOpens(70);
    Process& run = start();
    EXPECT_EQ(run.reports(), std::vector<std::string>{"[70] Permission denied - Inizializza"});
    EXPECT_FALSE(run.timer1.enabled());
    EXPECT_EQ(run.tray.adds, 0);
    EXPECT_FALSE(files.exists(path));

    files.failOpens(std::nullopt);
    run.timer1.setEnabled(true);
    tick(run, 1);
    EXPECT_FALSE(files.exists(path));
    EXPECT_EQ(run.window.caption, captionPrefix + "0000:00:00:01");
    EXPECT_EQ(run.reports().size(), 1u);
}

TEST_F(Tracker, FailedNewRecordLeavesTheHistoryListedAndNothingWritten) {
    file() = encodeRecord(sessionText("20261201080000", "20261201180000", "0000010000"));
    files.failWrites(61);
    Process& run = start();
    EXPECT_EQ(run.reports(), std::vector<std::string>{"[61] Disk full - Inizializza"});
    EXPECT_EQ(run.list.rowCount(), 1);
    EXPECT_FALSE(run.timer1.enabled());
    files.failWrites(std::nullopt);
    run.timer1.setEnabled(true);
    tick(run, 1);
    EXPECT_EQ(file().size(), 40u);
    EXPECT_EQ(run.list.row(1)[1], "01/12/2026-18:00:00");
}

TEST_F(Tracker, DamagedElapsedFieldIsReportedListedNotCountedAndTheLoadGoesOn) {
    const std::string bad = sessionText("20261201080000", "20261201180000", "0001xx0000");
    const std::string good = sessionText("20261202080000", "20261202180000", "0000020000");
    file() = encodeRecord(bad) + std::string(40, '\0') + encodeRecord(good);
    const std::string stored = file();
    Process& run = start();
    EXPECT_EQ(run.reports(), std::vector<std::string>{"[13] Type mismatch - Inizializza"});
    ASSERT_EQ(run.list.rowCount(), 3);
    EXPECT_EQ(run.list.row(1)[2], "0001:xx:00:00");
    EXPECT_EQ(run.tracker.counters().totals(), (Counters{0, 2, 0, 0}));
    EXPECT_EQ(run.tracker.currentRecordNumber(), 5);
    EXPECT_EQ(file().substr(0, stored.size()), stored);
    EXPECT_TRUE(run.timer1.enabled());
    tick(run, 1);
    EXPECT_EQ(record(5).substr(30), "0000000001");
}

TEST_F(Tracker, OverlongLengthFieldIsReportedAndListedFromTheRecordOnly) {
    std::string bytes = encodeRecord(sessionText("20261201080000", "20261201180000", "0000010000"));
    bytes[0] = 39;
    file() = bytes;
    Process& run = start();
    EXPECT_EQ(run.reports(), std::vector<std::string>{"[59] Bad record length - Inizializza"});
    EXPECT_EQ(run.list.rowCount(), 2);
    EXPECT_EQ(run.list.row(1)[2], "0000:01:00:00");
    EXPECT_EQ(run.tracker.counters().totals(), Counters{});
    EXPECT_EQ(run.tracker.currentRecordNumber(), 3);
}

TEST_F(Tracker, CutShortLastRecordKeepsItsBytesAndTheNewRecordGoesTwoPastIt) {
    const std::string whole =
        encodeRecord(sessionText("20261201080000", "20261201180000", "0000010000"));
    file() = whole + whole.substr(0, 20);
    Process& run = start();
    EXPECT_EQ(run.reports(), std::vector<std::string>{"[59] Bad record length - Inizializza"});
    EXPECT_EQ(run.tracker.currentRecordNumber(), 4);
    ASSERT_EQ(file().size(), 160u);
    EXPECT_EQ(file().substr(40, 20), whole.substr(0, 20));
    EXPECT_EQ(file().substr(60, 60), std::string(60, '\0'));
    EXPECT_EQ(run.list.rowCount(), 3);
    EXPECT_EQ(run.tracker.counters().totals(), (Counters{0, 1, 0, 0}));
}

TEST_F(Tracker, LastingRewriteFailureIsReportedOnceUntilAWriteSucceeds) {
    Process& run = start();
    tick(run, 1);
    const std::string caption = run.window.caption;
    files.failWrites(61);
    const int writes = files.writes;
    tick(run, 1);
    tick(run, 1);
    tick(run, 1);
    EXPECT_EQ(files.writes, writes + 3);
    EXPECT_EQ(run.reports(), std::vector<std::string>{"[61] Disk full - Aggiorna"});
    EXPECT_EQ(run.window.caption, caption);
    EXPECT_EQ(run.list.row(1)[2], "0000:00:00:01");

    files.failWrites(70);
    tick(run, 1);
    EXPECT_EQ(run.reports().size(), 2u);
    EXPECT_EQ(run.reports().back(), "[70] Permission denied - Aggiorna");

    files.failWrites(std::nullopt);
    tick(run, 1);
    EXPECT_EQ(record(1).substr(30), "0000000006");
    EXPECT_EQ(run.list.row(1)[2], "0000:00:00:06");
    files.failWrites(70);
    tick(run, 1);
    EXPECT_EQ(run.reports().size(), 3u);
}

} // namespace
} // namespace quillmarten
