#include "doubles/fake_desktop.h"
#include "doubles/fake_ports.h"
#include "doubles/memory_file_system.h"
#include "metering/session_log_file.h"
#include "service/recording_service_host.h"

#include <gtest/gtest.h>

namespace quillmarten {
namespace {

using namespace quillmarten::testing;
using Entry = RecordingServiceHost::Entry;

const std::string path = "C:\\Q\\Quillmarten.dat";

// The program as the service control manager drives it: requests through the recording host.
class ServiceRequests : public ::testing::Test {
  protected:
    ServiceRequests() { host.connect(control); }

    void tick() {
        clock.advance(1);
        if (timer1.enabled()) {
            tracker.Timer1_Timer();
        }
    }

    FakeClock clock;
    FakeSessionList list;
    FakeMainWindow window;
    FakeNotificationArea shell;
    FakePopupMenu menu;
    FakeTaskbar taskbar;
    FakeTimer timer1;
    FakeTimer timer2{true};
    FakeLifetime lifetime;
    MemoryFileSystem files;
    RecordingServiceHost host;
    TrayIcon tray{shell, TrayPictures{}, window, menu};
    SessionTracker tracker{
        TrackerPorts{clock, list, window, tray, taskbar, timer1, timer2, host, files}, path,
        ProgramVersion{"Quillmarten", 1, 0, 0, 45}};
    ServiceControl control{tracker, tray, timer1, host, lifetime};
};

TEST_F(ServiceRequests, StartBeginsMeteringAndReportsSuccess) {
    EXPECT_TRUE(host.requestStart());
    EXPECT_TRUE(timer1.enabled());
    EXPECT_EQ(files.contents(path).size(), 40u);
    EXPECT_EQ(shell.calls.at(0).first, TrayOperation::add);
}

TEST_F(ServiceRequests, StartWithAnUnreadableLogStillSucceeds) {
    files.failOpens(70);
    EXPECT_TRUE(host.requestStart());
    EXPECT_EQ(host.events(),
              (std::vector<Entry>{Entry{1, 109, "[70] Permission denied - Inizializza"}}));
}

TEST_F(ServiceRequests, PauseHoldsTheRecordAndContinueResumesIt) {
    host.requestStart();
    tick();
    const std::string beforePause = files.contents(path);
    EXPECT_TRUE(host.requestPause());
    EXPECT_EQ(shell.calls.back().first, TrayOperation::modify);
    EXPECT_STREQ(shell.calls.back().second.szTip.data(), "Quillmarten Paused");
    tick();
    tick();
    EXPECT_EQ(files.contents(path), beforePause);
    EXPECT_TRUE(host.requestContinue());
    EXPECT_STREQ(shell.calls.back().second.szTip.data(), "Quillmarten by Brackwater\xAE");
    tick();
    EXPECT_EQ(files.contents(path).substr(30), "0000000002");
    EXPECT_EQ(host.events(), (std::vector<Entry>{Entry{1, 109, "Service paused"},
                                                 Entry{4, 110, "Service continued"}}));
}

TEST_F(ServiceRequests, FailureInAHandlerIsReportedAndLeavesSuccessAsItStood) {
    host.failNext("WriteEvent", 5, "Invalid procedure call or argument");
    EXPECT_FALSE(host.requestPause(false));
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_EQ(host.events().back().message, "[5] Invalid procedure call or argument");
}

TEST_F(ServiceRequests, StopRemovesTheIconAndUnloadsWithoutWritingAnything) {
    host.requestStart();
    tick();
    host.requestPause();
    const std::string stored = files.contents(path);
    const std::size_t entries = host.events().size();
    host.requestStop();
    EXPECT_EQ(shell.calls.back().first, TrayOperation::remove);
    EXPECT_EQ(lifetime.unloads, 1);
    EXPECT_EQ(files.contents(path), stored);
    EXPECT_EQ(host.events().size(), entries);
}

TEST_F(ServiceRequests, CustomRequestsDoNothing) {
    host.requestStart();
    const auto calls = host.calls();
    for (std::int32_t code : {128, 200, 255}) {
        host.requestControl(code);
    }
    EXPECT_EQ(host.calls(), calls);
    EXPECT_EQ(lifetime.unloads, 0);
}

TEST_F(ServiceRequests, HostingThatCannotConnectIsReportedAndEndsTheProgram) {
    control.hostingFailed(RaisedError(1063, "The service process could not connect to the "
                                            "service controller."));
    EXPECT_EQ(host.events().at(0).message, "[1063] The service process could not connect to the "
                                           "service controller. - RunService");
    EXPECT_EQ(lifetime.exitCode, 1);
}

} // namespace
} // namespace quillmarten
