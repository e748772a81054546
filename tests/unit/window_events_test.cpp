#include "doubles/fake_desktop.h"
#include "doubles/fake_ports.h"
#include "metering/raised_error.h"
#include "service/recording_service_host.h"

#include <gtest/gtest.h>

namespace quillmarten {
namespace {

using namespace quillmarten::testing;

class MainWindowUnload : public ::testing::Test {
  protected:
    FakeNotificationArea shell;
    FakeMainWindow window;
    FakePopupMenu menu;
    FakeStacking stacking;
    FakeAboutOpener about;
    RecordingServiceHost host;
    TrayIcon tray{shell, TrayPictures{}, window, menu};
    MainWindowEvents events{stacking, window, host, tray, about};
};

TEST_F(MainWindowUnload, UserCloseOnlyHidesTheWindow) {
    std::int16_t cancel = 0;
    events.Form_QueryUnload(cancel, 0);
    EXPECT_EQ(cancel, -1);
    EXPECT_FALSE(window.visible);
    EXPECT_TRUE(host.calls().empty());
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(MainWindowUnload, ProgramSessionEndAndTaskManagerEndHostingThenRemoveTheIcon) {
    for (std::int16_t mode :
         {unload_mode::byProgram, unload_mode::sessionEnding, unload_mode::taskManager}) {
        std::int16_t cancel = 0;
        events.Form_QueryUnload(cancel, mode);
        EXPECT_EQ(cancel, 0);
    }
    EXPECT_EQ(host.calls(), (std::vector<std::string>{"EndService", "EndService", "EndService"}));
    ASSERT_EQ(shell.calls.size(), 3u);
    EXPECT_EQ(shell.calls[0].first, TrayOperation::remove);
    EXPECT_TRUE(window.visible);
}

TEST_F(MainWindowUnload, FailingEndOfHostingIsReportedAndTheIconStillGoes) {
    host.failNext("EndService", 5, "Invalid procedure call or argument");
    std::int16_t cancel = 0;
    events.Form_QueryUnload(cancel, 1);
    ASSERT_EQ(host.events().size(), 1u);
    EXPECT_EQ(host.events()[0].message,
              "[5] Invalid procedure call or argument - Form_QueryUnload");
    EXPECT_EQ(shell.calls.size(), 1u);
}

TEST_F(MainWindowUnload, ActivationRaisesAndTheMenuItemOpensTheAboutWindow) {
    events.Form_Activate();
    events.mnu_info_Click();
    EXPECT_EQ(stacking.raised, 1);
    EXPECT_EQ(about.shown, 1);
}

TEST(AboutWindow, LoadsTopLeftAndEachLinkTurnsPurpleAndOpensItsTarget) {
    FakeAboutView view;
    FakeShell shell;
    AboutWindowEvents about{view, shell};
    about.Form_Load();
    EXPECT_EQ(view.position, (std::pair<int, int>{0, 0}));
    about.Label1_Click(0);
    EXPECT_EQ(view.colours, (std::map<std::int16_t, std::uint32_t>{{0, 0x800080}}));
    EXPECT_EQ(shell.opened, std::vector<std::string>{"https://www.brackwater.example/"});
    about.Label1_Click(1);
    EXPECT_EQ(view.colours[1], 0x800080u);
    EXPECT_EQ(shell.opened.back(), "mailto:quillmarten@brackwater.example");
    about.Label1_Click(2);
    EXPECT_EQ(shell.opened.size(), 2u);
}

TEST(AboutWindow, LinksShowTheHostAndTheAddressTheyOpen) {
    EXPECT_NE(webLink.target.find(webLink.caption), std::string_view::npos);
    EXPECT_EQ(mailLink.target, "mailto:" + std::string(mailLink.caption));
}

} // namespace
} // namespace quillmarten
