#include "doubles/fake_desktop.h"
#include "doubles/fake_ports.h"
#include "service/recording_service_host.h"

#include <gtest/gtest.h>

namespace quillmarten {
namespace {

using namespace quillmarten::testing;

std::string tooltip(const TrayIconRecord& record) {
    return std::string(record.szTip.data(), record.szTip.size());
}

class Desktop : public ::testing::Test {
  protected:
    int callbackWindow = 0;
    int green = 0;
    int red = 0;
    FakeNotificationArea shell;
    FakeMainWindow window;
    FakePopupMenu menu;
    FakeStacking stacking;
    FakeAboutOpener about;
    RecordingServiceHost host;
    TrayIcon tray{shell, TrayPictures{&callbackWindow, &green, &red}, window, menu};
    MainWindowEvents events{stacking, window, host, host, tray, about};
};

// The 88-byte record as the shell takes it, its tooltip in the ANSI code page.
TEST_F(Desktop, TrayRecordsHoldTheWholeRecordAndADeleteSendsTheLastOne) {
    tray.addRunningIcon();
    tray.showPicture(TrayPicture::paused);
    tray.removeIcon();
    ASSERT_EQ(shell.calls.size(), 3u);
    const TrayIconRecord& running = shell.calls[0].second;
    EXPECT_EQ(shell.calls[0].first, TrayOperation::add);
    EXPECT_EQ(running.cbSize, sizeof(TrayIconRecord));
    EXPECT_EQ(running.hWnd, &callbackWindow);
    EXPECT_EQ(running.uID, 1u);
    EXPECT_EQ(running.uFlags, 7u);
    EXPECT_EQ(running.uCallbackMessage, 0x200u);
    EXPECT_EQ(running.hIcon, &green);
    EXPECT_EQ(tooltip(running),
              std::string("Quillmarten by Brackwater\xAE", 26) + '\0' + std::string(37, ' '));
    EXPECT_EQ(shell.calls[1].first, TrayOperation::modify);
    EXPECT_EQ(tooltip(shell.calls[1].second),
              std::string("Quillmarten Paused") + '\0' + std::string(45, ' '));
    EXPECT_EQ(shell.calls[2].first, TrayOperation::remove);
    EXPECT_EQ(shell.calls[2].second.hIcon, &red);
}

// A double-click toggles the window; the right button's press, not its release, opens the menu.
TEST_F(Desktop, MouseOnTheIconAndTheWindowsUnloadsDoWhatTheyShould) {
    tray.onTrayMouseMessage(0x203);
    EXPECT_FALSE(window.visible);
    for (std::uint32_t message : {0x200u, 0x201u, 0x202u, 0x205u, 0x206u, 0x209u}) {
        tray.onTrayMouseMessage(message);
    }
    EXPECT_EQ(menu.opened, 0);
    tray.onTrayMouseMessage(0x204);
    EXPECT_EQ(menu.opened, 1);
    EXPECT_EQ(window.visibilityChanges, 1);
    EXPECT_FALSE(events.onUnloadRequest(UnloadReason::userClose));
    EXPECT_TRUE(host.calls().empty());
    host.failNext("endHosting", RaisedError(5, "Invalid procedure call or argument"));
    for (auto reason : {UnloadReason::byProgram, UnloadReason::windowsEnding}) {
        EXPECT_TRUE(events.onUnloadRequest(reason));
    }
    EXPECT_EQ(host.calls(), (std::vector<std::string>{"endHosting", "writeEvent", "endHosting"}));
    EXPECT_EQ(host.errorReports(), std::vector<std::string>{"[5] Invalid procedure call or "
                                                            "argument - Form_QueryUnload"});
    EXPECT_EQ(shell.calls.size(), 2u);
}

// Each link opens its own target and turns purple alone; the window goes to the top-left corner.
TEST(AboutWindow, EachLinkOpensItsOwnTargetAndTurnsPurple) {
    FakeAboutView view;
    FakeShell shell;
    AboutWindowEvents about(view, shell);
    about.onLoad();
    EXPECT_EQ(view.place, (std::pair{0, 0}));
    about.onLinkClick(AboutLinkKind::mail);
    EXPECT_EQ(shell.opened, std::vector<std::string>{"mailto:quillmarten@brackwater.example"});
    EXPECT_EQ(view.colours, (std::array<std::uint32_t, 2>{linkBlue, visitedPurple}));
    about.onLinkClick(AboutLinkKind::web);
    EXPECT_EQ(shell.opened.back(), "https://www.brackwater.example/");
    EXPECT_EQ(view.colours[0], visitedPurple);
}

} // namespace
} // namespace quillmarten
