#include "doubles/fake_desktop.h"
#include "doubles/memory_file_system.h"
#include "doubles/metered_process.h"
#include "doubles/record_bytes.h"
#include "service/service_states.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quillmarten {
namespace {

using namespace quillmarten::testing;
using Texts = std::vector<std::string>;

TEST(CommandArgument, IsWhatFollowsTheProgramNameAsWindowsSplitsIt) {
    const std::string quoted = "\"C:\\Program Files\\Q\\Quillmarten.exe\"";
    EXPECT_EQ(commandArgument(quoted), "");
    EXPECT_EQ(commandArgument(quoted + "  /i"), "/i");
    EXPECT_EQ(commandArgument(quoted + "/u "), "/u ");
    EXPECT_EQ(commandArgument("C:\\Q\\Quillmarten.exe /i /u"), "/i /u");
}

class StartUpTest : public ::testing::Test {
  protected:
    FakeInstances instances;
    FakeMainWindow window;
    RecordingServiceHost host;
    FakeMessageBoxes boxes;
    StartUp startUp{instances, window, host, boxes, ProgramVersion{"Quillmarten", 1, 0, 0, 45}};
};

// The end-to-end tests install, remove, serve and refuse "/I" and "/u " through the real host.
TEST_F(StartUpTest, ArgumentsAreComparedExactlyAndARefusedInstallWritesNoSetting) {
    for (const char* argument : {"-i", "/U", " ", "/i /u"}) {
        EXPECT_EQ(startUp.run(argument), StartOutcome::endAfterMessage) << argument;
    }
    EXPECT_TRUE(host.calls().empty());
    host.answerInstall(false);
    startUp.run("/i");
    EXPECT_EQ(host.calls(), (Texts{"setInteractiveDesktop true", "install", "displayName"}));
    EXPECT_EQ(boxes.shown.back(), (std::pair<std::string, std::string>{
                                      "Quillmarten: failed to install", "Quillmarten"}));
}

// Any program may take the single-instance name: it ends every start but the service manager's.
TEST_F(StartUpTest, AHeldNameEndsEveryStartButTheServiceManagers) {
    instances.another = true;
    const std::vector<std::tuple<bool, std::string, StartOutcome>> cases{
        {false, "", StartOutcome::endSilently},
        {true, "/u", StartOutcome::endSilently},
        {true, "", StartOutcome::serving}};
    for (const auto& [asService, argument, outcome] : cases) {
        instances.asService = asService;
        EXPECT_EQ(startUp.run(argument), outcome) << asService << argument;
    }
    EXPECT_EQ(host.calls(), (Texts{"acceptPauseAndContinue", "connectToServiceManager"}));
}

TEST_F(StartUpTest, FailingOperationIsReportedWithoutOriginAndNothingServes) {
    host.failNext("install", RaisedError(429, "ActiveX component can't create object"));
    EXPECT_EQ(startUp.run("/i"), StartOutcome::loadedNotServing);
    host.failNext("acceptPauseAndContinue", std::bad_alloc());
    EXPECT_EQ(startUp.run(""), StartOutcome::loadedNotServing);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(host.errorReports(),
              (Texts{"[429] ActiveX component can't create object", "[7] Out of memory"}));
}

// What the service reports around each request, whatever the manager asks in whatever state.
TEST(ServiceStates, EachRequestMovesTheServiceAsItsHandlerDid) {
    using enum ServiceState;
    using Request = HostRequest;
    const std::vector<std::tuple<Request, RequestArrival>> arrivals{
        {Request::start, {true, true, starting}},      {Request::stop, {true, true, stopping}},
        {Request::pause, {true, true, pausing}},       {Request::resume, {true, true, continuing}},
        {Request::custom, {true, true, std::nullopt}}, {Request::interrogate, {true, false, {}}},
        {Request::unknown, {false, false, {}}}};
    for (const auto& [request, arrival] : arrivals) {
        EXPECT_EQ(arrivalOf(request), arrival) << static_cast<int>(request);
    }
    const std::vector<std::tuple<Request, bool, ServiceState, std::optional<ServiceState>>> moves{
        {Request::start, true, stopped, running}, {Request::start, false, stopped, stopped},
        {Request::pause, true, running, paused},  {Request::pause, false, running, running},
        {Request::pause, true, paused, paused},   {Request::resume, true, paused, running},
        {Request::resume, false, paused, paused}, {Request::stop, true, paused, std::nullopt},
        {Request::stop, false, paused, paused},   {Request::custom, true, running, std::nullopt}};
    for (const auto& [request, carriedOut, settled, after] : moves) {
        EXPECT_EQ(stateAfter(request, carriedOut, settled), after)
            << static_cast<int>(request) << " " << carriedOut << " " << static_cast<int>(settled);
    }
    EXPECT_EQ(statusReportOf(starting, true), (StatusReport{false, false, 30000}));
    EXPECT_EQ(statusReportOf(stopping, true), (StatusReport{true, true, 30000}));
    EXPECT_EQ(statusReportOf(running, false), (StatusReport{true, false, 0}));
    EXPECT_FALSE(isSettled(pausing));
}

// The program as the service control manager drives it.
class ServiceRequests : public ::testing::Test {
  protected:
    void tick() {
        clock.advance(1);
        if (program.meterTimer.enabled) {
            program.tracker.onMeterTick();
        }
    }
    const std::string& log() { return files.contents(path); }

    const std::string path = "C:\\Q\\Quillmarten.dat";
    const std::string metricsPath = "C:\\Metrics\\quillmarten.prom";
    FakeClock clock;
    MemoryFileSystem files;
    MeteredProcess program{files, clock, path};
    FakeLifetime lifetime;
    FakeTimer minuteTimer{false};
    MetricsFile metrics{MetricsPorts{files, program.host, clock, minuteTimer}, program.tracker};
    ServiceControl control{program.tracker,         metrics,      program.tray,
                           program.meterTimer,      program.host, lifetime,
                           "C:\\Q\\Quillmarten.exe"};
};

TEST_F(ServiceRequests, PauseHoldsTheRecordStopWritesNothingAndFailuresAreReported) {
    EXPECT_TRUE(control.onStart());
    tick();
    EXPECT_TRUE(control.onPause());
    const std::string paused = log();
    tick();
    EXPECT_EQ(log(), paused);
    EXPECT_TRUE(control.onContinue());
    tick();
    EXPECT_EQ(log().substr(30), "0000000002");
    EXPECT_EQ(program.host.events(), (std::vector<RecordingServiceHost::Entry>{
                                         {EventType::error, 109, "Service paused"},
                                         {EventType::information, 110, "Service continued"}}));
    control.onPause();
    control.onStop();
    EXPECT_EQ(program.tray.removals, 1);
    EXPECT_EQ(lifetime.unloads, 1);
    EXPECT_EQ(log().substr(30), "0000000002");

    program.host.failNext("writeEvent", RaisedError(5, "Invalid procedure call or argument"));
    EXPECT_FALSE(control.onContinue());
    EXPECT_EQ(program.tray.picture, TrayPicture::paused);
    control.onHostingFailed(RaisedError(1063, "The service process could not connect."));
    EXPECT_EQ(program.host.errorReports(),
              (Texts{"Service paused", "Service paused", "[5] Invalid procedure call or argument",
                     "[1063] The service process could not connect. - RunService"}));
    EXPECT_EQ(lifetime.exitCode, 1);
}

// However the service was registered, it starts from its quoted path from the next start on; a
// refusal is reported, and metering starts all the same.
TEST_F(ServiceRequests, StartQuotesTheRegisteredCommandAndMetersWhenRefused) {
    program.host.command = "C:\\Q\\Quillmarten.exe";
    program.host.failNext("changeRegisteredCommand", RaisedError(5, "Access is denied."));
    EXPECT_TRUE(control.onStart());
    EXPECT_EQ(program.host.errorReports(), Texts{"[5] Access is denied."});
    EXPECT_EQ(log().size(), 40u);
    control.onStart();
    control.onStart();
    const std::string change = "changeRegisteredCommand \"C:\\Q\\Quillmarten.exe\"";
    EXPECT_EQ(std::ranges::count(program.host.calls(), change), 2);
    EXPECT_EQ(program.host.command, "\"C:\\Q\\Quillmarten.exe\"");
}

// The grand total is the caption's; a damaged record is counted apart. Ticks never write it.
TEST_F(ServiceRequests, MetricsFileIsWrittenWholeAtStartEveryMinuteAndOnPauseAndContinue) {
    const std::string stored = "20261201080000";
    files.contents(path) = record(stored, stored, "0001000003") + gap + encodeRecord("2026");
    program.host.settings["Parameters/MetricsFolder"] = "C:\\Metrics";
    control.onStart();
    EXPECT_TRUE(minuteTimer.enabled);
    const std::string atStart = files.contents(metricsPath);
    EXPECT_NE(atStart.find("\nquillmarten_time_in_use_seconds_total 86403\n"), std::string::npos);
    tick();
    tick();
    EXPECT_EQ(files.contents(metricsPath), atStart);
    metrics.onMinuteTimer();
    const std::string running =
        R"(# HELP quillmarten_time_in_use_seconds_total Time this computer was in use, in all the sessions of its log.
# TYPE quillmarten_time_in_use_seconds_total counter
quillmarten_time_in_use_seconds_total 86405
# HELP quillmarten_session_time_in_use_seconds Time in use of the running session.
# TYPE quillmarten_session_time_in_use_seconds gauge
quillmarten_session_time_in_use_seconds 2
# HELP quillmarten_session_start_timestamp_seconds When the running session started, in seconds since 1970-01-01 UTC.
# TYPE quillmarten_session_start_timestamp_seconds gauge
quillmarten_session_start_timestamp_seconds 1796457787
# HELP quillmarten_meter_running Whether the meter counts (1) or is paused (0).
# TYPE quillmarten_meter_running gauge
quillmarten_meter_running 1
# HELP quillmarten_log_damaged_records Damaged records in the log, listed but not counted.
# TYPE quillmarten_log_damaged_records gauge
quillmarten_log_damaged_records 1
# HELP quillmarten_log_write_failed Whether the last write of the session's record to the log failed (1) or not (0).
# TYPE quillmarten_log_write_failed gauge
quillmarten_log_write_failed 0
)";
    EXPECT_EQ(files.contents(metricsPath), running);
    EXPECT_EQ(program.window.caption, "Quillmarten - Version 1.0.45 - At work since 0001:00:00:05");
    control.onPause();
    tick();
    EXPECT_FALSE(minuteTimer.enabled);
    std::string paused = running;
    EXPECT_EQ(files.contents(metricsPath),
              paused.replace(paused.find("running 1"), 9, "running 0"));
    control.onContinue();
    EXPECT_TRUE(minuteTimer.enabled);
    EXPECT_EQ(files.contents(metricsPath), running);
    for (const bool readOnly : {true, false}) {
        files.setReadOnly(path, readOnly);
        tick();
        metrics.onMinuteTimer();
        EXPECT_TRUE(files.contents(metricsPath).ends_with(readOnly ? "failed 1\n" : "failed 0\n"));
    }
}

// An empty folder is none: the file would land in the root of the current drive.
TEST_F(ServiceRequests, WithoutAMetricsFolderNothingElseIsWrittenAndNoTimerRuns) {
    control.onStart();
    control.onPause();
    control.onContinue();
    metrics.start("");
    metrics.switchTo(MeterState::running);
    EXPECT_EQ(files.fileCount(), 2u) << "the log and its days file";
    EXPECT_FALSE(minuteTimer.enabled);
    EXPECT_EQ(program.host.events().size(), 2u);
}

TEST_F(ServiceRequests, MetricsFileThatCannotBeWrittenStaysAsItWasAndIsReportedOnce) {
    program.host.settings["Parameters/MetricsFolder"] = "C:\\Metrics\\";
    control.onStart();
    const std::string written = files.contents(metricsPath);
    files.failWrites(61, 20);
    control.onPause();
    control.onContinue();
    EXPECT_EQ(files.contents(metricsPath), written);
    EXPECT_FALSE(files.isFile(metricsPath + ".part"));
    const std::string report = "[61] Disk full - " + metricsPath;
    EXPECT_EQ(program.host.errorReports(), (Texts{"Service paused", report}));
    EXPECT_TRUE(program.meterTimer.enabled);
    files.failWrites(std::nullopt);
    metrics.onMinuteTimer();
    files.failWrites(61);
    metrics.onMinuteTimer();
    EXPECT_EQ(program.host.errorReports(), (Texts{"Service paused", report, report}));
}

} // namespace
} // namespace quillmarten
