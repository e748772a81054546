#include "basics/calendar.h"
#include "doubles/fake_desktop.h"
#include "doubles/fake_ports.h"
#include "doubles/fake_viewer.h"
#include "doubles/memory_file_system.h"
#include "doubles/record_bytes.h"
#include "log_file/days_file.h"
#include "log_file/session_log_file.h"
#include "log_file/session_reader.h"
#include "report/report_command.h"
#include "viewer/chart_focus.h"
#include "viewer/log_location.h"
#include "viewer/viewer_presenter.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace quillmarten {
namespace {

using namespace quillmarten::testing;

const std::string logPath = "C:\\Program Files\\Quill Meter\\Quillmarten.dat";
// Wednesday; its ISO week runs from Monday 7 December.
const std::int64_t today = dayNumber({2026, 12, 9});

const std::string firstRun = record("20261201080000", "20261201090000", "0000010000");
const std::string running = record("20261209080000", "20261209080010", "0000000010");

class Follower : public ::testing::Test {
  protected:
    LogChange refresh(std::int64_t day = today) { return follower.refresh(logPath, day); }
    std::string& file() { return files.contents(logPath); }
    // What one refresh asked to read.
    std::size_t bytesRead(std::int64_t day = today) {
        const std::size_t before = files.bytesAsked;
        refresh(day);
        return files.bytesAsked - before;
    }

    MemoryFileSystem files;
    SessionRows rows;
    LogFollower follower{files, rows};
};

// Besides what is new, a refresh reads the first record's length and start (16 bytes), which
// nothing rewrites, to see that the file was not written over; nothing while the file stands.
TEST_F(Follower, ReadsOnlyTheRewrittenLastRecordAndWhatWasAppended) {
    file() = firstRun + gap + running;
    EXPECT_TRUE(refresh().rowsChanged);
    EXPECT_EQ(follower.sums(), (LogSums{10, 10, 3610, 3610}));
    EXPECT_EQ(bytesRead(), 0u);
    file().replace(80, 40, record("20261209080000", "20261209081000", "0000001000"));
    EXPECT_EQ(bytesRead(), 56u);
    EXPECT_EQ(rows.cellText(1, SessionRows::Column::stop), "09/12/2026-08:10:00");
    EXPECT_EQ(follower.sums(), (LogSums{600, 600, 4200, 4200}));
    file() += gap + record("20261209100000", "20261209100005", "0000000005");
    EXPECT_EQ(bytesRead(), 136u);
    EXPECT_EQ(follower.sessions(), 3);
    EXPECT_EQ(follower.sums().all, 4205);
    EXPECT_EQ(files.closes, files.opens);
}

TEST_F(Follower, ReadsAgainWhenTheLogGotShorterOrWasReplacedAndMendsADamagedLastRecord) {
    file() = firstRun + gap + encodeRecord("2026") + gap + running.substr(0, 20);
    refresh();
    EXPECT_EQ(follower.damagedRecords(), 2);
    EXPECT_EQ(rows.cellText(2, SessionRows::Column::note), "damaged, not counted");
    EXPECT_EQ(rows.cellText(0, SessionRows::Column::note), "");
    file() = firstRun + gap + encodeRecord("2026") + gap + running;
    refresh();
    EXPECT_EQ(follower.damagedRecords(), 1);
    EXPECT_EQ(follower.sums().all, 3610);
    file().resize(80);
    EXPECT_EQ(refresh().notice, LogNotice::shortened);
    EXPECT_EQ(follower.sums().all, 3600);
    files.replace(logPath, running);
    EXPECT_EQ(refresh().notice, LogNotice::replaced);
    EXPECT_EQ(rows.size(), 1u);
    EXPECT_EQ(refresh().notice, LogNotice::none);
}

// A copy written over the log in place keeps the file's identity, and its length or more: its
// first record differs, or the session in the last slot read.
TEST_F(Follower, ReadsAgainWhenTheLogWasWrittenOverInPlace) {
    const std::string other = record("20261102080000", "20261102080000", "0000000100");
    for (const auto& [copy, seconds] : std::vector<std::pair<std::string, std::int64_t>>{
             {other + gap + running, 70},
             {firstRun + gap + other, 3660},
             {firstRun + gap + other + gap + running, 3670}}) {
        file() = firstRun + gap + running;
        follower.forget();
        refresh();
        file() = copy;
        const LogChange change = refresh();
        EXPECT_EQ(change.notice, LogNotice::overwritten) << seconds;
        EXPECT_TRUE(change.rowsChanged);
        EXPECT_EQ(rows.size(), copy.size() / 80 + 1);
        EXPECT_EQ(follower.sums().all, seconds);
    }
}

// A session over midnight shares its time between the days; Sunday and Monday fall in two ISO
// weeks, 30 November in another month. Another day within the days kept reads nothing; one far
// from them reads the log afresh.
TEST_F(Follower, SumsTodayThisIsoWeekAndThisMonth) {
    file() = record("20261130080000", "20261130080000", "0000001320") + gap +
             record("20261206230000", "20261207010000", "0000010000") + gap +
             record("20261209080000", "20261209080000", "0000000140");
    refresh();
    EXPECT_EQ(follower.sums(), (LogSums{100, 1900, 3700, 4500}));
    EXPECT_EQ(bytesRead(dayNumber({2026, 12, 6})), 0u);
    EXPECT_EQ(follower.sums(), (LogSums{1800, 2600, 3700, 4500}));
    EXPECT_EQ(bytesRead(dayNumber({2028, 12, 6})), file().size() + 16);
    EXPECT_EQ(follower.sums(), (LogSums{0, 0, 0, 4500}));
}

// The days file is followed as the log is: what was appended is read, and the running session's
// time by day follows its snapshots; a snapshot of a session read before has everything read again.
TEST_F(Follower, FollowsTheDaysFileOfTheRunningSession) {
    const std::string start = "20261208230000";
    std::string& days = files.contents("C:\\Program Files\\Quill Meter\\Quillmarten.days");
    days = encodeRecord(daysFileHeader) + record(start, start, "0000000000");
    file() = firstRun + gap + record(start, "20261209001000", "0000002000");
    refresh();
    const auto lastTwoDays = [this] {
        const UsageChart chart = follower.chart(lastFiveWeeksByDay);
        return std::tuple(chart.bars[33].seconds, chart.bars[34].seconds,
                          chart.bars[34].estimatedSeconds, follower.sums().today);
    };
    EXPECT_EQ(lastTwoDays(), std::tuple(0, 1200, 0, 1200));
    days += record(start, "20261208235959", "0000001000");
    EXPECT_TRUE(refresh().daysChanged);
    EXPECT_EQ(lastTwoDays(), std::tuple(600, 600, 0, 600));
    days += record("20261201080000", "20261201080000", "0000000000");
    EXPECT_EQ(bytesRead(), 40 + days.size() + file().size() + 16);
    EXPECT_EQ(lastTwoDays(), std::tuple(600, 600, 0, 600));
    EXPECT_EQ(bytesRead(), 0u);
}

// The chart's bars are the report's totals by day, week and month, a period without time among
// them with none; weekends are marked.
TEST_F(Follower, ChartsTheLastFiveWeeksByDayHalfAYearByWeekAndAYearByMonth) {
    file() = record("20251201230000", "20251202010000", "0000010000") + gap +
             record("20261206230000", "20261207010000", "0000010000") + gap + running;
    refresh();
    class Totals final : public SessionSink {
      public:
        explicit Totals(PeriodKind kind) : totals(kind, DayRange{}) {}
        void session(const StoredSession& stored) override { totals.add(SessionDays(stored)); }
        void damaged(std::int64_t, const std::string&) override {}
        PeriodTotals totals;
    };
    for (const ChartSpan& span : {lastFiveWeeksByDay, lastHalfYearByWeek, lastYearByMonth}) {
        SCOPED_TRACE(periodName(span.kind));
        Totals report(span.kind);
        readSessions(files, logPath, report);
        const UsageChart chart = follower.chart(span);
        ASSERT_EQ(chart.bars.size(), static_cast<std::size_t>(span.bars));
        EXPECT_EQ(chart.bars.back().days, daysOfPeriod(today, span.kind));
        std::int64_t all = 0;
        for (const ChartBar& bar : chart.bars) {
            const auto total = report.totals.periods().find(periodOfDay(bar.days.first, span.kind));
            EXPECT_EQ(bar.seconds,
                      total == report.totals.periods().end() ? 0 : total->second.seconds)
                << bar.period;
            all += bar.seconds;
        }
        EXPECT_EQ(all, 3610) << "the session of 2025 is out of sight";
    }
    const UsageChart days = follower.chart(lastFiveWeeksByDay);
    EXPECT_EQ(days.bars.front().period, "2026-11-05 Thursday");
    EXPECT_EQ(days.bars[32].label, "7");
    EXPECT_TRUE(days.bars[31].weekend);
    EXPECT_FALSE(days.bars[32].weekend);
    EXPECT_EQ(barText(days.bars[31]), "2026-12-06 Sunday: 0000:00:30:00, 0.5 h, estimated");
    EXPECT_EQ(follower.chart(lastHalfYearByWeek).bars.back().label, "W50");
    EXPECT_EQ(follower.chart(lastYearByMonth).bars.front().label, "Jan");
}

TEST(ChartAxis, RoundTicksUpToTheTallestBarInAtMostFive) {
    const std::vector<std::tuple<std::int64_t, ChartAxis, std::string>> cases{
        {0, {3600, 1}, "1 h"},
        {60, {60, 1}, "1 min"},
        {61, {60, 2}, "2 min"},
        {300, {60, 5}, "5 min"},
        {301, {120, 3}, "6 min"},
        {3600, {900, 4}, "1 h"},
        {5 * 3600 + 1, {7200, 3}, "6 h"},
        {86400, {21600, 4}, "24 h"},
        {7 * 86400, {2 * 86400, 4}, "192 h"}};
    for (const auto& [tallest, axis, top] : cases) {
        EXPECT_EQ(chartAxis(tallest), axis) << tallest;
        EXPECT_EQ(tickText(chartAxis(tallest).top()), top) << tallest;
    }
}

// The keyboard moves along the bars and stops at either end. The bar it is on keeps its period
// while the chart shows it; the latest is followed as the days go by; another span starts on the
// latest.
TEST(ChartFocus, MovesAlongTheBarsAndKeepsItsPeriodAsTheDaysGoBy) {
    const PeriodTotals none(PeriodKind::day, DayRange{});
    const auto daysUpTo = [&none](std::int64_t day) {
        return usageChart(none, day, lastFiveWeeksByDay);
    };
    const UsageChart days = daysUpTo(today);
    EXPECT_EQ(chartName(lastFiveWeeksByDay), "Time in use by day");
    EXPECT_EQ(chartName(lastYearByMonth), "Time in use by month");
    ChartFocus focus;
    EXPECT_EQ(focus.bar(days), 34u);
    for (const auto& [key, moved, bar] :
         std::vector<std::tuple<ChartKey, bool, std::size_t>>{{ChartKey::later, false, 34},
                                                              {ChartKey::earlier, true, 33},
                                                              {ChartKey::earliest, true, 0},
                                                              {ChartKey::earlier, false, 0},
                                                              {ChartKey::later, true, 1}}) {
        EXPECT_EQ(focus.press(key, days), moved) << bar;
        EXPECT_EQ(focus.bar(days), bar);
    }
    EXPECT_EQ(days.bars[1].period, "2026-11-06 Friday");
    EXPECT_EQ(focus.bar(daysUpTo(today + 1)), 0u);
    EXPECT_EQ(focus.bar(daysUpTo(today + 2)), 34u);
    EXPECT_TRUE(focus.press(ChartKey::latest, days));
    EXPECT_EQ(focus.bar(daysUpTo(today + 1)), 34u);
    EXPECT_TRUE(focus.focus(31, days));
    EXPECT_EQ(focus.bar(usageChart(none, today, lastHalfYearByWeek)), 25u);
    EXPECT_EQ(focus.bar(UsageChart{}), std::nullopt);
}

// A bare command is cut as Windows cuts it to start the service: at the first blank after which
// an existing file is named, ".exe" added where the name has none.
TEST(LogLocation, NamedFileOrTheOneBesideTheServicesProgramFoundAsWindowsFindsIt) {
    const std::string viewer = "\"C:\\Program Files\\Quill Meter\\QuillmartenView.exe\"";
    EXPECT_EQ(givenLogPath(viewer + " \"D:\\copies\\office log.dat\" "),
              "D:\\copies\\office log.dat");
    EXPECT_EQ(givenLogPath(viewer + "  "), std::nullopt);
    MemoryFileSystem files;
    for (const char* program : {"C:\\Program Files (x86)\\Q M\\Quillmarten.exe",
                                "C:\\Q\\Quillmarten.exe", "D:\\Apps\\Quill.exe"}) {
        files.contents(program);
    }
    const std::vector<std::pair<std::string, std::string>> cases{
        {"\"C:\\Program Files\\Quill Meter\\Quillmarten.exe\" /x", logPath},
        {"C:\\Q\\Quillmarten.exe", "C:\\Q\\Quillmarten.dat"},
        {"C:\\Program Files (x86)\\Q M\\Quillmarten.exe",
         "C:\\Program Files (x86)\\Q M\\Quillmarten.dat"},
        {"C:\\Program Files (x86)\\Q M\\Quillmarten /x",
         "C:\\Program Files (x86)\\Q M\\Quillmarten.dat"},
        {"D:\\Apps\\Quill Meter\\Quillmarten.exe", "D:\\Apps\\Quillmarten.dat"},
        {"E:\\Gone Folder\\Quillmarten.exe", "E:\\Gone Folder\\Quillmarten.dat"}};
    for (const auto& [command, log] : cases) {
        EXPECT_EQ(serviceLogPath(command, files), log) << command;
    }
}

class Viewer : public ::testing::Test {
  protected:
    ViewerPresenter& viewer(std::optional<std::string> given = std::nullopt) {
        presenter = std::make_unique<ViewerPresenter>(
            ViewerPorts{clock, files, service, window, list, tray, settings, dialog, about}, rows,
            std::move(given), "C:\\Viewer\\QuillmartenView.exe");
        presenter->start();
        return *presenter;
    }
    std::string& file() { return files.contents(logPath); }
    const TrayCall& icon() const { return shell.calls.back(); }
    std::string tooltip() const { return icon().tooltip; }
    // The clock moves on, then the viewer's timer fires.
    void tick(int secondsLater = 0) {
        clock.advance(secondsLater);
        presenter->onTimer();
    }
    // The status bar's first part after a tick.
    std::string seen(int secondsLater = 0) {
        tick(secondsLater);
        return window.status.at(0);
    }

    FakeClock clock;
    MemoryFileSystem files;
    FakeServiceWatch service;
    FakeViewerWindow window;
    SessionRows rows;
    FakeSessionList list{rows};
    FakeNotificationArea shell;
    FakePopupMenu menu;
    TrayIcon tray{shell, window, menu};
    FakeUserSettings settings;
    FakeSaveDialog dialog;
    FakeAboutOpener about;
    std::unique_ptr<ViewerPresenter> presenter;
};

// The end-to-end tests see green, red and grey; the states between them are here.
TEST_F(Viewer, ShowsTheServicesStateInItsIconAndTheTotalsEverywhere) {
    clock.time = LocalTime{{2026, 12, 9}, 8, 0, 20};
    file() = firstRun + gap + running;
    viewer();
    EXPECT_EQ(window.caption, "Quillmarten Viewer - running - 0000:01:00:10 in all");
    EXPECT_EQ(window.status, (std::vector<std::string>{
                                 "2 sessions", "Today 0000:00:00:10", "This week 0000:00:00:10",
                                 "This month 0000:01:00:10", "In all 0000:01:00:10"}));
    for (const auto& [state, picture, name] :
         std::vector<std::tuple<ServiceState, TrayPicture, std::string>>{
             {ServiceState::continuing, TrayPicture::paused, "continuing"},
             {ServiceState::pausing, TrayPicture::running, "pausing"},
             {ServiceState::starting, TrayPicture::stopped, "starting"}}) {
        service.lookup.status.state = state;
        presenter->onServiceChanged();
        EXPECT_EQ(service.watchedFrom, state);
        EXPECT_EQ(icon().picture, picture);
        EXPECT_EQ(tooltip(), "Quillmarten: " + name + ", 0000:01:00:10 in all");
        EXPECT_EQ(window.caption, "Quillmarten Viewer - " + name + " - 0000:01:00:10 in all");
    }
}

TEST_F(Viewer, SaysWhatIsWrongInPlainWordsAndKeepsANoticeForTenSeconds) {
    service.lookup = ServiceLookup{};
    viewer();
    const std::string notInstalled =
        "The Quillmarten service is not installed. Looking again every 10 seconds.";
    EXPECT_EQ(window.status.at(0), notInstalled);
    EXPECT_EQ(tooltip(), "Quillmarten: not installed, 0000:00:00:00 in all");
    service.lookup = ServiceLookup{{true, std::nullopt}, ""};
    EXPECT_EQ(seen(9), notInstalled);
    EXPECT_EQ(seen(1), "Windows does not tell where the Quillmarten service is. Asking again every "
                       "10 seconds.");
    EXPECT_EQ(tooltip(), "Quillmarten: state unknown, 0000:00:00:00 in all");
    service.lookup = FakeServiceWatch().lookup;
    EXPECT_EQ(seen(10), "No log yet at " + logPath + ". Looking again every second.");
    file() = firstRun + gap + encodeRecord("2026");
    const std::string damaged = "1 session; 1 damaged record, not counted";
    EXPECT_EQ(seen(), damaged);
    // A log beyond the largest shown is not read, however large: a sparse one of 100 GB.
    const std::string upTo = "; the viewer shows logs of up to 64 MB.";
    for (const auto& [size, status, listed] :
         std::vector<std::tuple<std::uint64_t, std::string, std::size_t>>{
             {largestListedLog, damaged, 2},
             {largestListedLog + 1, logPath + " is too large to show (64 MB)" + upTo, 0},
             {(std::uint64_t{100} << 30) - 80, logPath + " is too large to show (100 GB)" + upTo,
              0},
             {0, damaged, 2}}) {
        files.claimSize(logPath, size);
        EXPECT_EQ(seen(), status);
        EXPECT_EQ(rows.size(), listed);
    }
    files.failOpens(error_number::permissionDenied);
    EXPECT_EQ(seen(), logPath + " cannot be read: Permission denied. Trying again every second.");
    files.failOpens(std::nullopt);
    files.replace(logPath, running);
    const std::string replaced = "The log was replaced by another file and has been read again.";
    EXPECT_EQ(seen(), replaced);
    EXPECT_EQ(seen(9), replaced);
    EXPECT_EQ(seen(1), "1 session");
}

// The service is asked again only when the platform tells of a change, or every ten seconds
// where it cannot tell, or when the user asks to read again (F5), which reads the whole log.
TEST_F(Viewer, AsksForTheServiceOnItsChangesOrEveryTenSecondsWhereNotTold) {
    file() = firstRun + gap + running;
    viewer();
    for (int second = 0; second < 30; ++second) {
        tick(1);
    }
    EXPECT_EQ(service.lookups, 1);
    const std::size_t asked = files.bytesAsked;
    const int listChanges = list.changes;
    presenter->onReadAgainChosen();
    EXPECT_EQ(service.lookups, 2);
    EXPECT_EQ(files.bytesAsked - asked, file().size() + 16);
    EXPECT_EQ(list.changes, listChanges + 1);
    EXPECT_EQ(service.watchedFrom, ServiceState::running);
    service.lookup.status.state = ServiceState::paused;
    service.tells = false;
    presenter->onServiceChanged();
    EXPECT_EQ(icon().picture, TrayPicture::paused);
    tick(9);
    EXPECT_EQ(service.lookups, 3);
    tick(1);
    EXPECT_EQ(service.lookups, 4);
}

// The tooltip's total moves every second; it is changed when its minutes move, or every second
// for a while after the mouse moved over the icon, when the user may be reading it.
TEST_F(Viewer, TouchesTheTrayOnlyWhenWhatItShowsChanges) {
    file() = firstRun + gap + running;
    viewer();
    const auto runningFor = [this](std::string_view used) {
        file().replace(80, 40, record("20261209080000", "20261209081000", used));
        presenter->onTimer();
        return shell.calls.size();
    };
    EXPECT_EQ(runningFor("0000000040"), 1u);
    presenter->onTrayClick(TrayClick::mouseMove);
    EXPECT_EQ(tooltip(), "Quillmarten: running, 0000:01:00:40 in all");
    clock.advance(9);
    EXPECT_EQ(runningFor("0000000045"), 3u);
    EXPECT_EQ(tooltip(), "Quillmarten: running, 0000:01:00:45 in all");
    clock.advance(1);
    EXPECT_EQ(runningFor("0000000059"), 3u);
    EXPECT_EQ(runningFor("0000000100"), 4u);
    EXPECT_EQ(tooltip(), "Quillmarten: running, 0000:01:01:00 in all");
    service.lookup.status.state = ServiceState::paused;
    presenter->onServiceChanged();
    EXPECT_EQ(shell.calls.size(), 5u);
    EXPECT_EQ(icon().picture, TrayPicture::paused);
}

// Shown, only what changed is drawn again, the chart in the span the user chose; hidden,
// nothing, until a double-click shows it.
TEST_F(Viewer, DrawsWhatChangedWhileShownAndBringsAHiddenWindowUpToDate) {
    clock.time = LocalTime{{2026, 12, 9}, 8, 0, 20};
    file() = firstRun + gap + running;
    viewer();
    EXPECT_EQ(window.chart.bars.size(), 35u);
    EXPECT_EQ(window.chart.bars.back().seconds, 10);
    const auto drawn = [this] {
        return std::tuple(window.changes, list.changes, window.chartsShown);
    };
    const auto before = drawn();
    presenter->onTimer();
    EXPECT_EQ(drawn(), before);
    file().replace(80, 40, record("20261209080000", "20261209080140", "0000000140"));
    presenter->onTimer();
    const auto [captionAndStatus, rowsDrawn, charts] = before;
    EXPECT_EQ(drawn(), std::tuple(captionAndStatus + 2, rowsDrawn + 1, charts + 1));
    EXPECT_EQ(window.chart.bars.back().seconds, 100);
    presenter->onChartSpanChosen(lastYearByMonth);
    EXPECT_EQ(window.chart.bars.size(), 12u);
    EXPECT_EQ(window.chart.bars.back().seconds, 3700);
    presenter->onCloseRequest();
    const auto hidden = drawn();
    file() += gap + record("20261209100000", "20261209100100", "0000000100");
    tick();
    tick();
    EXPECT_EQ(drawn(), hidden);
    presenter->onTrayClick(TrayClick::leftDoubleClick);
    EXPECT_EQ(list.rowCount, 3u);
    EXPECT_EQ(list.selected, 2u);
    EXPECT_EQ(window.caption, "Quillmarten Viewer - running - 0000:01:02:40 in all");
    EXPECT_EQ(window.chart.bars.back().seconds, 3760);
}

// The export is the report's CSV, written whole or not at all.
TEST_F(Viewer, ExportWritesTheReportsCsvWholeOrSaysWhyNothingWasWritten) {
    file() = firstRun + gap + encodeRecord("2026") + gap + running;
    viewer();
    dialog.answer = logPath;
    presenter->onExportChosen();
    EXPECT_EQ(dialog.proposed, "Quillmarten-2026-12-05.csv");
    EXPECT_EQ(window.status.at(0), "Nothing exported: " + logPath + " is the log itself.");
    const std::string target = "C:\\export.csv";
    files.contents(target) = "the user's old file";
    files.contents(target + ".part") = std::string(1000, 'x');
    files.failWrites(61, 100);
    dialog.answer = target;
    presenter->onExportChosen();
    EXPECT_EQ(window.status.at(0),
              "Nothing exported: " + target + " cannot be written: Disk full.");
    EXPECT_EQ(files.contents(target), "the user's old file");
    EXPECT_FALSE(files.isFile(target + ".part"));
    files.failWrites(std::nullopt);
    files.setReadOnly(target, true);
    presenter->onExportChosen();
    EXPECT_EQ(window.status.at(0),
              "Nothing exported: " + target + " cannot be written: Permission denied.");
    EXPECT_FALSE(files.isFile(target + ".part"));
    files.setReadOnly(target, false);
    files.contents(target + ".part") = std::string(1000, 'x');
    const int readsBefore = files.reads;
    presenter->onExportChosen();
    const int readsOfExport = files.reads - readsBefore;
    EXPECT_EQ(window.status.at(0),
              "Exported 2 sessions to " + target + ". 1 damaged record was left out.");
    std::ostringstream report;
    std::ostringstream problems;
    runReport({"--by", "session", "--format", "csv", logPath}, files, report, problems);
    EXPECT_EQ(files.contents(target), report.str());
    EXPECT_FALSE(files.isFile(target + ".part"));
    // The log is read twice, to list it and to write it: the second may fail too.
    files.failReads(57, readsOfExport / 2);
    presenter->onExportChosen();
    EXPECT_EQ(window.status.at(0),
              "Nothing exported: " + logPath + ": cannot be read: Device I/O error.");
    EXPECT_EQ(files.contents(target), report.str());
}

// The tray keeps 63 characters of a tooltip and the NUL after them: a 64th goes.
TEST_F(Viewer, RemembersItsPlaceKeepsTheTooltipShortAndOnlyExitEndsIt) {
    const std::pair placement{std::string(settingsKey), std::string("Window placement")};
    settings.values[placement] = "stored";
    const std::string named = "C:\\" + std::string(60, 'x') + ".dat";
    files.contents(named) = firstRun;
    const std::string named64 = "C:\\" + std::string(25, 'x') + ".dat";
    files.contents(named64) = firstRun;
    viewer(named64);
    EXPECT_EQ(tooltip(), "Quillmarten: " + std::string(25, 'x') + ".dat, 0000:01:00:00 in al");
    viewer(named);
    EXPECT_EQ(tooltip(), "Quillmarten: " + std::string(50, 'x'));
    EXPECT_EQ(window.place, "stored");
    window.place = "moved";
    presenter->onCloseRequest();
    EXPECT_EQ(settings.values[placement], "moved");
    presenter->onExitChosen();
    EXPECT_EQ(icon().operation, "remove");
    EXPECT_TRUE(window.closed);
}

} // namespace
} // namespace quillmarten
