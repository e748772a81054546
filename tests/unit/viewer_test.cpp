#include "doubles/fake_desktop.h"
#include "doubles/fake_ports.h"
#include "doubles/fake_viewer.h"
#include "doubles/memory_file_system.h"
#include "history/calendar.h"
#include "report/report_command.h"
#include "viewer/log_location.h"
#include "viewer/viewer_presenter.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace quillmarten {
namespace {

using namespace quillmarten::testing;
using Column = SessionHistory::Column;

const std::string logPath = "C:\\Program Files\\Quill Meter\\Quillmarten.dat";
const std::string gap(40, '\0');
// Wednesday; its ISO week runs from Monday 7 December.
const std::int64_t today = dayNumber({2026, 12, 9});

std::string record(std::string_view start, std::string_view stop, std::string_view used) {
    return encodeRecord(std::string(start) + std::string(stop) + std::string(used));
}

const std::string firstRun = record("20261201080000", "20261201090000", "0000010000");
const std::string running = record("20261209080000", "20261209080010", "0000000010");

class Follower : public ::testing::Test {
  protected:
    LogChange refresh(std::int64_t day = today) { return follower.refresh(logPath, day); }
    std::string& file() { return files.contents(logPath); }
    std::size_t bytesAskedBy(const auto& step) {
        const std::size_t before = files.bytesAsked;
        step();
        return files.bytesAsked - before;
    }

    MemoryFileSystem files;
    SessionHistory rows;
    LogFollower follower{files, rows};
};

TEST_F(Follower, ReadsWhatWasAppendedAndTheRewrittenLastRecordWithOneSmallRead) {
    file() = firstRun + gap + running;
    EXPECT_TRUE(refresh().rowsChanged);
    EXPECT_EQ(follower.sums(), (LogSums{10, 10, 3610, 3610}));

    file().replace(80, 40, record("20261209080000", "20261209081000", "0000001000"));
    const int readsBefore = files.reads;
    LogChange change;
    EXPECT_EQ(bytesAskedBy([&] { change = refresh(); }), 40u);
    EXPECT_EQ(files.reads - readsBefore, 1);
    EXPECT_FALSE(change.rowsChanged);
    EXPECT_TRUE(change.lastRowChanged);
    EXPECT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.cellText(1, Column::stop), "09/12/2026-08:10:00");
    EXPECT_EQ(follower.sums(), (LogSums{600, 600, 4200, 4200}));

    file() += gap + record("20261209100000", "20261209100005", "0000000005");
    EXPECT_EQ(bytesAskedBy([&] { change = refresh(); }), 120u);
    EXPECT_TRUE(change.rowsChanged);
    EXPECT_EQ(follower.sessions(), 3);
    EXPECT_EQ(follower.sums().all, 4205);
    EXPECT_EQ(files.closes, files.opens);
}

TEST_F(Follower, ReadsTheWholeLogAgainWhenItGotShorterOrWasReplaced) {
    file() = firstRun + gap + running;
    refresh();
    file().resize(80);
    LogChange change = refresh();
    EXPECT_EQ(change.notice, LogNotice::shortened);
    EXPECT_TRUE(change.rowsChanged);
    EXPECT_EQ(follower.sums(), (LogSums{0, 0, 3600, 3600}));

    files.replace(logPath, running + gap + firstRun);
    change = refresh();
    EXPECT_EQ(change.notice, LogNotice::replaced);
    EXPECT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.cellText(0, Column::timeInUse), "0000:00:00:10");
    EXPECT_EQ(refresh().notice, LogNotice::none);
}

TEST_F(Follower, ListsDamagedRecordsWithoutCountingThemAndMendsALastRecordCutShort) {
    file() = firstRun + gap + encodeRecord("2026") + gap + running.substr(0, 20);
    refresh();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_TRUE(rows.isDamaged(1));
    EXPECT_TRUE(rows.isDamaged(2));
    EXPECT_EQ(follower.damagedRecords(), 2);
    EXPECT_EQ(follower.sums().all, 3600);

    file() = firstRun + gap + encodeRecord("2026") + gap + running;
    refresh();
    EXPECT_EQ(rows.size(), 3u);
    EXPECT_FALSE(rows.isDamaged(2));
    EXPECT_EQ(follower.damagedRecords(), 1);
    EXPECT_EQ(follower.sums().all, 3610);
}

TEST_F(Follower, WaitsForALogThatAppearsAndKeepsItsRowsWhileItCannotBeRead) {
    refresh();
    EXPECT_EQ(follower.condition(), LogCondition::missing);
    EXPECT_EQ(follower.problem(), "Path not found");
    file() = firstRun;
    refresh();
    EXPECT_EQ(follower.condition(), LogCondition::read);

    file() += gap + running;
    files.failOpens(error_number::permissionDenied);
    refresh();
    EXPECT_EQ(follower.condition(), LogCondition::unreadable);
    EXPECT_EQ(follower.problem(), "Permission denied");
    EXPECT_EQ(rows.size(), 1u);
    files.failOpens(std::nullopt);
    EXPECT_EQ(bytesAskedBy([&] { refresh(); }), 120u);
    EXPECT_EQ(rows.size(), 2u);
}

// A session over midnight shares its time between the two days; Sunday and Monday fall in two
// ISO weeks, 30 November in another month.
TEST_F(Follower, SumsTodayThisIsoWeekAndThisMonthAndStartsOverForADayOutOfReach) {
    file() = record("20261130080000", "20261130080000", "0000001320") + gap +
             record("20261201080000", "20261201080000", "0000000640") + gap +
             record("20261206230000", "20261207010000", "0000010000") + gap +
             record("20261209080000", "20261209080000", "0000000140");
    refresh();
    EXPECT_EQ(follower.sums(), (LogSums{100, 1900, 4100, 4900}));
    const std::size_t whole = file().size();
    EXPECT_EQ(bytesAskedBy([&] { refresh(dayNumber({2026, 12, 6})); }), whole);
    EXPECT_EQ(follower.sums(), (LogSums{1800, 3000, 4100, 4900}));
    EXPECT_EQ(bytesAskedBy([&] { refresh(today + 400); }), whole);
    EXPECT_EQ(follower.sums(), (LogSums{0, 0, 0, 4900}));
}

TEST(LogLocation, NamedFileOrTheOneBesideTheServicesExecutable) {
    const std::string viewer = "\"C:\\Program Files\\Quill Meter\\QuillmartenView.exe\"";
    EXPECT_EQ(givenLogPath(viewer + " \"D:\\copies\\office log.dat\" "),
              "D:\\copies\\office log.dat");
    EXPECT_EQ(givenLogPath("QuillmartenView.exe D:\\office.dat"), "D:\\office.dat");
    EXPECT_EQ(givenLogPath(viewer + "  "), std::nullopt);
    EXPECT_EQ(serviceLogPath("\"C:\\Program Files\\Quill Meter\\Quillmarten.exe\""), logPath);
    EXPECT_EQ(serviceLogPath("C:\\Meter\\Quillmarten.exe /x"), "C:\\Meter\\Quillmarten.dat");
}

class Viewer : public ::testing::Test {
  protected:
    ViewerPresenter& viewer(std::optional<std::string> given = std::nullopt) {
        presenter = std::make_unique<ViewerPresenter>(
            ViewerPorts{clock, files, service, window, list, tray, settings, dialog, about}, rows,
            std::move(given), "C:\\Viewer\\QuillmartenView.exe");
        return *presenter;
    }
    std::string& file() { return files.contents(logPath); }
    const TrayIconRecord& icon() const { return shell.calls.back().second; }
    std::string tooltip() const { return std::string(icon().szTip.data()); }
    // What the user sees after a tick.
    std::string seen() {
        presenter->onTimer();
        return window.status.at(0);
    }

    FakeClock clock;
    MemoryFileSystem files;
    FakeServiceWatch service;
    FakeViewerWindow window;
    SessionHistory rows;
    FakeSessionList list{rows};
    FakeNotificationArea shell;
    FakePopupMenu menu;
    int green = 0;
    int red = 0;
    int grey = 0;
    TrayIcon tray{shell, TrayPictures{nullptr, &green, &red, &grey}, window, menu};
    FakeUserSettings settings;
    FakeSaveDialog dialog;
    FakeAboutOpener about;
    std::unique_ptr<ViewerPresenter> presenter;
};

TEST_F(Viewer, ShowsTheServicesStateInItsIconAndTheTotalsEverywhere) {
    clock.time = LocalTime{2026, 12, 9, 8, 0, 20};
    file() = firstRun + gap + running;
    viewer().start();
    EXPECT_EQ(shell.calls.at(0).first, TrayOperation::add);
    EXPECT_TRUE(window.visible);
    EXPECT_EQ(list.rowCount, 2u);
    EXPECT_EQ(list.selected, 1u);
    EXPECT_EQ(window.caption, "Quillmarten Viewer - 0000:01:00:10 in all");
    EXPECT_EQ(window.status, (std::vector<std::string>{
                                 "2 sessions", "Today 0000:00:00:10", "This week 0000:00:00:10",
                                 "This month 0000:01:00:10", "In all 0000:01:00:10"}));
    const std::vector<std::tuple<ServiceState, int*, std::string>> states{
        {ServiceState::paused, &red, "paused"},      {ServiceState::continuing, &red, "continuing"},
        {ServiceState::running, &green, "running"},  {ServiceState::pausing, &green, "pausing"},
        {ServiceState::stopped, &grey, "stopped"},   {ServiceState::starting, &grey, "starting"},
        {ServiceState::stopping, &grey, "stopping"},
    };
    for (const auto& [state, picture, name] : states) {
        service.lookup.state = state;
        presenter->onTimer();
        EXPECT_EQ(shell.calls.back().first, TrayOperation::modify);
        EXPECT_EQ(icon().hIcon, picture);
        EXPECT_EQ(tooltip(), "Quillmarten: " + name + ", 0000:01:00:10 in all");
    }
    service.lookup = ServiceLookup{ServiceState::notInstalled, ""};
    EXPECT_EQ(seen(), "The Quillmarten service is not installed. Looking again every second.");
    EXPECT_EQ(list.rowCount, 0u);
    EXPECT_EQ(tooltip(), "Quillmarten: not installed, 0000:00:00:00 in all");
    const std::string whereUnknown =
        "Windows does not tell where the Quillmarten service is. Asking again every second.";
    service.lookup = ServiceLookup{ServiceState::unknown, ""};
    EXPECT_EQ(seen(), whereUnknown);
    EXPECT_EQ(icon().hIcon, &grey);
    service.lookup = ServiceLookup{ServiceState::running, ""};
    EXPECT_EQ(seen(), whereUnknown);
}

TEST_F(Viewer, SaysWhatIsWrongWithTheLogInPlainWords) {
    viewer().start();
    EXPECT_EQ(window.status.at(0), "No log yet at " + logPath + ". Looking again every second.");
    file() = firstRun + gap + encodeRecord("2026");
    EXPECT_EQ(seen(), "1 session; 1 damaged record in red, not counted");
    files.failOpens(error_number::permissionDenied);
    EXPECT_EQ(seen(), logPath + " cannot be read: Permission denied. Trying again every second.");
    EXPECT_EQ(window.status.size(), 1u);
    files.failOpens(std::nullopt);
    files.replace(logPath, running);
    const std::string replaced = "The log was replaced by another file and has been read again.";
    EXPECT_EQ(seen(), replaced);
    clock.advance(9);
    EXPECT_EQ(seen(), replaced);
    clock.advance(1);
    EXPECT_EQ(seen(), "1 session");
    files.contents(logPath) = "";
    EXPECT_EQ(seen(), "The log got shorter and has been read again.");
}

TEST_F(Viewer, ANamedFileIsShownGreyWithItsNameAndTheTooltipKeepsToItsRoom) {
    files.contents("D:\\copies\\office log.dat") = firstRun;
    viewer("D:\\copies\\office log.dat").start();
    EXPECT_EQ(window.caption, "Quillmarten Viewer - office log.dat - 0000:01:00:00 in all");
    EXPECT_EQ(tooltip(), "Quillmarten: office log.dat, 0000:01:00:00 in all");
    EXPECT_EQ(icon().hIcon, &grey);

    // The 63rd byte is the first of a two-byte character, which is left out whole.
    const std::string longName = "D:\\" + std::string(49, 'x') + "\xC3\xA9.dat";
    files.contents(longName) = firstRun;
    viewer(longName).start();
    EXPECT_EQ(tooltip(), "Quillmarten: " + std::string(49, 'x'));
}

TEST_F(Viewer, ExportsTheReportsCsvByteForByteOrSaysWhyNot) {
    clock.time = LocalTime{2026, 12, 9, 8, 0, 20};
    file() = firstRun + gap + encodeRecord("2026") + gap + running;
    viewer().start();
    std::ostringstream report;
    std::ostringstream ignored;
    runReport({"--by", "session", "--format", "csv", logPath}, files, report, ignored);
    files.contents("C:\\out.csv") = std::string(500, 'x');
    dialog.answer = "C:\\out.csv";
    presenter->onExportChosen();
    EXPECT_EQ(dialog.proposed, "Quillmarten-2026-12-09.csv");
    EXPECT_EQ(files.contents("C:\\out.csv"), report.str());
    EXPECT_EQ(window.status.at(0),
              "Exported 2 sessions to C:\\out.csv. 1 damaged record was left out.");

    const std::string before = file();
    dialog.answer = logPath;
    presenter->onExportChosen();
    EXPECT_EQ(window.status.at(0), "Nothing exported: " + logPath + " is the log itself.");
    EXPECT_EQ(file(), before);
    dialog.answer = "C:\\locked.csv";
    files.failWrites(error_number::permissionDenied);
    presenter->onExportChosen();
    EXPECT_EQ(window.status.at(0),
              "Nothing exported: C:\\locked.csv cannot be written: Permission denied.");
    files.failOpens(error_number::permissionDenied);
    presenter->onExportChosen();
    EXPECT_EQ(window.status.at(0),
              "Nothing exported: " + logPath + ": cannot be read: Permission denied.");
}

TEST_F(Viewer, RemembersItsPlaceStartsWithWindowsOnRequestAndOnlyExitEndsIt) {
    const std::pair<std::string, std::string> placement{std::string(settingsKey),
                                                        "Window placement"};
    const std::pair<std::string, std::string> run{
        "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Quillmarten Viewer"};
    settings.values[placement] = "stored";
    viewer().start();
    EXPECT_EQ(window.place, "stored");
    window.place = "moved";
    presenter->onCloseRequest();
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(settings.values[placement], "moved");
    presenter->onShowChosen();
    EXPECT_TRUE(window.visible);

    settings.values[run] = "\"D:\\old\\QuillmartenView.exe\"";
    EXPECT_FALSE(presenter->startsWithWindows());
    presenter->onStartWithWindowsChosen();
    EXPECT_EQ(settings.values[run], "\"C:\\Viewer\\QuillmartenView.exe\"");
    EXPECT_TRUE(presenter->startsWithWindows());
    presenter->onStartWithWindowsChosen();
    EXPECT_FALSE(settings.values.contains(run));

    presenter->onTaskbarCreated();
    EXPECT_EQ(shell.calls.back().first, TrayOperation::add);
    window.place = "at exit";
    presenter->onExitChosen();
    EXPECT_EQ(shell.calls.back().first, TrayOperation::remove);
    EXPECT_TRUE(window.closed);
    EXPECT_EQ(settings.values[placement], "at exit");
}

} // namespace
} // namespace quillmarten
