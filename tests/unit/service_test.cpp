#include "doubles/fake_desktop.h"
#include "doubles/memory_file_system.h"
#include "doubles/metered_process.h"
#include "service/recording_service_host.h"

#include <gtest/gtest.h>

namespace quillmarten {
namespace {

using namespace quillmarten::testing;
using Texts = std::vector<std::string>;
using Entry = RecordingServiceHost::Entry;

TEST(CommandArgument, IsWhatFollowsTheProgramNameAsWindowsSplitsIt) {
    EXPECT_EQ(commandArgument("Quillmarten.exe"), "");
    EXPECT_EQ(commandArgument("\"C:\\Program Files\\Q\\Quillmarten.exe\""), "");
    EXPECT_EQ(commandArgument("\"C:\\Program Files\\Q\\Quillmarten.exe\" /i"), "/i");
    EXPECT_EQ(commandArgument("\"C:\\Program Files\\Q\\Quillmarten.exe\"/u"), "/u");
    EXPECT_EQ(commandArgument("\"C:\\Program Files\\Q\\Quillmarten.exe\"/u "), "/u ");
    EXPECT_EQ(commandArgument("C:\\Q\\Quillmarten.exe   /u "), "/u ");
    EXPECT_EQ(commandArgument("Quillmarten.exe /i /u"), "/i /u");
    EXPECT_EQ(commandArgument("Quillmarten.exe   "), "");
}

class StartUpTest : public ::testing::Test {
  protected:
    StartOutcome run(const std::string& argument) { return startUp.run(argument); }
    Texts messages() const {
        Texts texts;
        for (const auto& [text, caption] : boxes.shown) {
            EXPECT_EQ(caption, "Quillmarten");
            texts.push_back(text);
        }
        return texts;
    }

    FakeInstances instances;
    FakeMainWindow window;
    RecordingServiceHost host;
    FakeMessageBoxes boxes;
    StartUp startUp{instances, window, host, boxes, ProgramVersion{"Quillmarten", 1, 0, 0, 45}};
};

TEST_F(StartUpTest, AnotherInstanceEndsSilentlyWhateverTheArgument) {
    instances.another = true;
    for (const char* argument : {"", "/i", "/u"}) {
        EXPECT_EQ(run(argument), StartOutcome::endSilently);
    }
    EXPECT_TRUE(host.calls().empty());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(window.caption, "");
}

TEST_F(StartUpTest, PlainStartSetsTheCaptionAndServes) {
    EXPECT_EQ(run(""), StartOutcome::serving);
    EXPECT_EQ(window.caption, "Quillmarten - Version 1.0.45");
    EXPECT_EQ(host.calls(), (Texts{"acceptPauseAndContinue", "connectToServiceManager"}));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(StartUpTest, InstallAndRemoveSayWhetherTheyWorked) {
    EXPECT_EQ(run("/i"), StartOutcome::endAfterMessage);
    EXPECT_EQ(host.calls(), (Texts{"setInteractiveDesktop true", "install",
                                   "writeSetting Parameters/TimerInterval=1000", "displayName"}));
    host.answerInstall(false);
    run("/i");
    EXPECT_EQ(host.calls().back(), "displayName");
    EXPECT_EQ(host.calls().size(), 7u);
    run("/u");
    host.answerRemove(false);
    run("/u");
    EXPECT_EQ(messages(),
              (Texts{"Quillmarten: installed successfully", "Quillmarten: failed to install",
                     "Quillmarten: uninstalled successfully", "Quillmarten: failed to uninstall"}));
}

TEST_F(StartUpTest, AnyOtherArgumentIsRefusedAndChangesNothing) {
    for (const char* argument : {"/I", "-i", "/u ", "/i /u", "/U", " "}) {
        EXPECT_EQ(run(argument), StartOutcome::endAfterMessage) << argument;
    }
    EXPECT_EQ(messages(), Texts(6, "Invalid Parameter"));
    EXPECT_TRUE(host.calls().empty());
}

TEST_F(StartUpTest, FailingOperationIsReportedWithoutOriginAndNothingServes) {
    host.failNext("install", RaisedError(429, "ActiveX component can't create object"));
    EXPECT_EQ(run("/i"), StartOutcome::loadedNotServing);
    host.failNext("acceptPauseAndContinue", std::bad_alloc());
    EXPECT_EQ(run(""), StartOutcome::loadedNotServing);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(host.errorReports(),
              (Texts{"[429] ActiveX component can't create object", "[7] Out of memory"}));
}

// The program as the service control manager drives it.
class ServiceRequests : public ::testing::Test {
  protected:
    void tick() {
        clock.advance(1);
        if (program.meterTimer.enabled()) {
            program.tracker.onMeterTick();
        }
    }
    const std::string& log() { return files.contents(path); }

    const std::string path = "C:\\Q\\Quillmarten.dat";
    FakeClock clock;
    MemoryFileSystem files;
    MeteredProcess program{files, clock, path};
    FakeLifetime lifetime;
    ServiceControl control{program.tracker, program.tray, program.meterTimer, program.host,
                           lifetime};
};

TEST_F(ServiceRequests, StartSucceedsEvenWhenTheLogCannotBeOpened) {
    files.failOpens(70);
    EXPECT_TRUE(control.onStart());
    EXPECT_TRUE(program.meterTimer.enabled());
    EXPECT_EQ(program.host.errorReports(), Texts{"[70] Permission denied - Inizializza"});
}

TEST_F(ServiceRequests, PauseHoldsTheRecordAndContinueResumesIt) {
    control.onStart();
    tick();
    const std::string beforePause = log();
    EXPECT_TRUE(control.onPause());
    EXPECT_EQ(program.tray.picture, TrayPicture::paused);
    tick();
    tick();
    EXPECT_EQ(log(), beforePause);
    EXPECT_TRUE(control.onContinue());
    EXPECT_EQ(program.tray.picture, TrayPicture::running);
    tick();
    EXPECT_EQ(log().substr(30), "0000000002");
    EXPECT_EQ(program.host.events(),
              (std::vector<Entry>{{EventType::information, 109, "Service paused"},
                                  {EventType::information, 110, "Service continued"}}));
}

TEST_F(ServiceRequests, FailureInAHandlerIsReportedAndTheRequestIsNotDone) {
    program.host.failNext("writeEvent", RaisedError(5, "Invalid procedure call or argument"));
    EXPECT_FALSE(control.onPause());
    EXPECT_EQ(program.tray.picture, TrayPicture::running);
    EXPECT_EQ(program.host.errorReports(), Texts{"[5] Invalid procedure call or argument"});
}

TEST_F(ServiceRequests, StopRemovesTheIconAndUnloadsWithoutWritingAnything) {
    control.onStart();
    tick();
    control.onPause();
    const std::string stored = log();
    const std::size_t entries = program.host.events().size();
    control.onStop();
    control.onCustomControl(200);
    EXPECT_EQ(program.tray.removals, 1);
    EXPECT_EQ(lifetime.unloads, 1);
    EXPECT_EQ(log(), stored);
    EXPECT_EQ(program.host.events().size(), entries);
}

TEST_F(ServiceRequests, HostingThatCannotConnectIsReportedAndEndsTheProgram) {
    control.onHostingFailed(RaisedError(1063, "The service process could not connect."));
    EXPECT_EQ(program.host.errorReports(),
              Texts{"[1063] The service process could not connect. - RunService"});
    EXPECT_EQ(lifetime.exitCode, 1);
}

} // namespace
} // namespace quillmarten
