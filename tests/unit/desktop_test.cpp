#include "doubles/fake_desktop.h"
#include "doubles/fake_ports.h"
#include "doubles/recording_service_host.h"

#include <gtest/gtest.h>

namespace quillmarten {
namespace {

using namespace quillmarten::testing;

class Desktop : public ::testing::Test {
  protected:
    FakeNotificationArea shell;
    FakeMainWindow window;
    FakePopupMenu menu;
    FakeStacking stacking;
    FakeAboutOpener about;
    RecordingServiceHost host;
    TrayIcon tray{shell, window, menu};
    MainWindowEvents events{stacking, window, host, host, tray, about};
};

TEST_F(Desktop, TheServicesIconSaysWhetherItMetersOrIsPaused) {
    tray.addRunningIcon();
    tray.showPicture(TrayPicture::paused);
    tray.showPicture(TrayPicture::running);
    tray.removeIcon();
    EXPECT_EQ(shell.calls,
              (std::vector<TrayCall>{
                  {"add", TrayPicture::running, "Quillmarten by Brackwater\xC2\xAE"},
                  {"change", TrayPicture::paused, "Quillmarten Paused"},
                  {"change", TrayPicture::running, "Quillmarten by Brackwater\xC2\xAE"},
                  {"remove", {}, {}}}));
}

// A double-click toggles the window; the right button's press, not its release, opens the menu.
TEST_F(Desktop, MouseOnTheIconAndTheWindowsUnloadsDoWhatTheyShould) {
    tray.onTrayClick(TrayClick::leftDoubleClick);
    EXPECT_FALSE(window.visible);
    for (TrayClick click : {TrayClick::mouseMove, TrayClick::rightButtonUp, TrayClick::other,
                            TrayClick::keySelect, TrayClick::contextMenu}) {
        tray.onTrayClick(click);
    }
    EXPECT_EQ(menu.opened, 0);
    tray.onTrayClick(TrayClick::rightButtonDown);
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

// Worked with the keyboard too, as the viewer's icon is: Enter or Space shows the window, however
// often it comes; the menu opens where the shell asks, not on the right button's press, and the
// keyboard goes back to the icon when it closed with nothing chosen.
TEST_F(Desktop, TheKeyboardOnTheIconShowsTheWindowAndOpensTheMenu) {
    TrayIcon keyboardTray{shell, window, menu, TrayInput::mouseAndKeyboard};
    window.visible = false;
    for (int press = 0; press < 2; ++press) {
        keyboardTray.onTrayClick(TrayClick::keySelect);
        EXPECT_TRUE(window.visible);
    }
    keyboardTray.onTrayClick(TrayClick::rightButtonDown);
    EXPECT_EQ(menu.opened, 0);
    keyboardTray.onTrayClick(TrayClick::contextMenu, ScreenPoint{1014, 758});
    EXPECT_EQ(menu.anchor, (ScreenPoint{1014, 758}));
    EXPECT_EQ(shell.calls, (std::vector<TrayCall>{{"focus", {}, {}}}));
    menu.chooses = true;
    keyboardTray.onTrayClick(TrayClick::contextMenu);
    EXPECT_EQ(menu.opened, 2);
    EXPECT_EQ(shell.calls.size(), 1u);
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
