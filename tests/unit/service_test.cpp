#include "doubles/fake_desktop.h"
#include "doubles/memory_file_system.h"
#include "doubles/metered_process.h"
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
    FakeClock clock;
    MemoryFileSystem files;
    MeteredProcess program{files, clock, path};
    FakeLifetime lifetime;
    ServiceControl control{program.tracker, program.tray, program.meterTimer,
                           program.host,    lifetime,     "C:\\Q\\Quillmarten.exe"};
};

TEST_F(ServiceRequests, PauseHoldsTheRecordStopWritesNothingAndAFailureIsReported) {
    EXPECT_TRUE(control.onStart());
    tick();
    EXPECT_TRUE(control.onPause());
    const std::string paused = log();
    tick();
    EXPECT_EQ(log(), paused);
    EXPECT_TRUE(control.onContinue());
    tick();
    EXPECT_EQ(log().substr(30), "0000000002");
    EXPECT_EQ(program.host.events().front(),
              (RecordingServiceHost::Entry{EventType::error, 109, "Service paused"}));
    EXPECT_EQ(program.host.events().at(1),
              (RecordingServiceHost::Entry{EventType::information, 110, "Service continued"}));
    control.onPause();
    control.onStop();
    EXPECT_EQ(program.tray.removals, 1);
    EXPECT_EQ(lifetime.unloads, 1);
    EXPECT_EQ(log().substr(30), "0000000002");

    program.host.failNext("writeEvent", RaisedError(5, "Invalid procedure call or argument"));
    EXPECT_FALSE(control.onContinue());
    EXPECT_EQ(program.tray.picture, TrayPicture::paused);
    EXPECT_EQ(program.host.errorReports(), (Texts{"Service paused", "Service paused",
                                                  "[5] Invalid procedure call or argument"}));
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

TEST_F(ServiceRequests, HostingThatCannotConnectIsReportedAndEndsTheProgram) {
    control.onHostingFailed(RaisedError(1063, "The service process could not connect."));
    EXPECT_EQ(program.host.errorReports(),
              Texts{"[1063] The service process could not connect. - RunService"});
    EXPECT_EQ(lifetime.exitCode, 1);
}

} // namespace
} // namespace quillmarten
