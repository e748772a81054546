#include "doubles/fake_desktop.h"
#include "doubles/fake_ports.h"
#include "service/recording_service_host.h"

#include <gtest/gtest.h>

namespace quillmarten {
namespace {

using namespace quillmarten::testing;
using Calls = std::vector<std::string>;

class StartUpTest : public ::testing::Test {
  protected:
    StartOutcome load(const std::string& command) { return startUp.Form_Load(command); }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
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

TEST(CommandArgument, IsWhatFollowsTheProgramNameAsItStands) {
    EXPECT_EQ(commandArgument("Quillmarten.exe"), "");
    EXPECT_EQ(commandArgument("\"C:\\Program Files\\Q\\Quillmarten.exe\""), "");
    EXPECT_EQ(commandArgument("\"C:\\Program Files\\Q\\Quillmarten.exe\" /i"), "/i");
    EXPECT_EQ(commandArgument("\"C:\\Program Files\\Q\\Quillmarten.exe\"/u"), "");
    EXPECT_EQ(commandArgument("C:\\Q\\Quillmarten.exe   /u "), "/u ");
    EXPECT_EQ(commandArgument("Quillmarten.exe /i /u"), "/i /u");
    EXPECT_EQ(commandArgument("Quillmarten.exe   "), "");
}

TEST_F(StartUpTest, AnotherInstanceEndsSilentlyWhateverTheArgument) {
    instances.another = true;
    for (const char* command : {"", "/i", "/u"}) {
        EXPECT_EQ(load(command), StartOutcome::endSilently);
    }
    EXPECT_TRUE(host.calls().empty());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(window.caption, "");
}

TEST_F(StartUpTest, PlainStartSetsTheCaptionAndServes) {
    EXPECT_EQ(load(""), StartOutcome::serving);
    EXPECT_EQ(window.caption, "Quillmarten - Version 1.0.45");
    EXPECT_EQ(host.calls(), (Calls{"AcceptedControls=2", "RunService"}));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(StartUpTest, InstallStoresTheSettingBeforeTheMessage) {
    EXPECT_EQ(load("/i"), StartOutcome::endAfterMessage);
    EXPECT_EQ(host.calls(),
              (Calls{"InteractiveDesktop=true", "InstallService",
                     "WriteSetting Parameters/TimerInterval=1000", "ServiceDisplayName"}));
    EXPECT_EQ(messages(), Calls{"Quillmarten: installed successfully"});
}

TEST_F(StartUpTest, RefusedInstallWritesNoSetting) {
    host.answerInstall(false);
    load("/i");
    EXPECT_EQ(host.calls(),
              (Calls{"InteractiveDesktop=true", "InstallService", "ServiceDisplayName"}));
    EXPECT_EQ(messages(), Calls{"Quillmarten: failed to install"});
}

TEST_F(StartUpTest, RemovalSaysWhetherItWorked) {
    load("/u");
    host.answerRemove(false);
    load("/u");
    EXPECT_EQ(messages(),
              (Calls{"Quillmarten: uninstalled successfully", "Quillmarten: failed to uninstall"}));
}

TEST_F(StartUpTest, AnyOtherArgumentIsRefusedAndChangesNothing) {
    for (const char* command : {"/I", "-i", "/u ", "/i /u", "/U", " "}) {
        EXPECT_EQ(load(command), StartOutcome::endAfterMessage) << command;
    }
    EXPECT_EQ(messages(), Calls(6, "Invalid Parameter"));
    EXPECT_TRUE(host.calls().empty());
}

TEST_F(StartUpTest, FailingOperationIsReportedWithoutRoutineAndNothingServes) {
    host.failNext("InstallService", 429, "ActiveX component can't create object");
    EXPECT_EQ(load("/i"), StartOutcome::loadedNotServing);
    EXPECT_TRUE(boxes.shown.empty());
    ASSERT_EQ(host.events().size(), 1u);
    EXPECT_EQ(host.events()[0],
              (RecordingServiceHost::Entry{1, 109, "[429] ActiveX component can't create object"}));

    host.failNext("AcceptedControls", 5, "Invalid procedure call or argument");
    EXPECT_EQ(load(""), StartOutcome::loadedNotServing);
    EXPECT_EQ(host.calls().back(), "WriteEvent");
}

} // namespace
} // namespace quillmarten
