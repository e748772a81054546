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

TEST_F(Desktop, TrayRecordIsFilledWholeInTheSystemsAnsiText) {
    tray.addRunningIcon();
    const auto& [operation, record] = shell.calls.at(0);
    EXPECT_EQ(operation, TrayOperation::add);
    EXPECT_EQ(record.cbSize, sizeof(TrayIconRecord));
    EXPECT_EQ(record.hWnd, &callbackWindow);
    EXPECT_EQ(record.uID, 1u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, 512u);
    EXPECT_EQ(record.hIcon, &green);
    EXPECT_EQ(tooltip(record),
              std::string("Quillmarten by Brackwater\xAE", 26) + '\0' + std::string(37, ' '));
    EXPECT_EQ(std::string(tooltipField(std::string(70, 'x')).data(), 64), std::string(64, 'x'));
}

TEST_F(Desktop, PauseAndContinueSwitchPictureAndTooltipAndDeleteSendsTheLastRecord) {
    tray.removeIcon();
    EXPECT_EQ(shell.calls.back().second.cbSize, 0u);
    tray.addRunningIcon();
    tray.showPicture(TrayPicture::paused);
    EXPECT_EQ(shell.calls.back().first, TrayOperation::modify);
    EXPECT_EQ(shell.calls.back().second.hIcon, &red);
    EXPECT_EQ(tooltip(shell.calls.back().second),
              std::string("Quillmarten Paused") + '\0' + std::string(45, ' '));
    tray.removeIcon();
    EXPECT_EQ(shell.calls.back().first, TrayOperation::remove);
    EXPECT_EQ(shell.calls.back().second.hIcon, &red);
    tray.showPicture(TrayPicture::running);
    EXPECT_EQ(tooltip(shell.calls.back().second), tooltip(shell.calls.at(1).second));
}

TEST_F(Desktop, DoubleClickTogglesTheWindowAndTheRightButtonOpensTheMenu) {
    tray.onTrayMouseMessage(0x203);
    EXPECT_FALSE(window.visible);
    tray.onTrayMouseMessage(0x203);
    EXPECT_TRUE(window.visible);
    tray.onTrayMouseMessage(0x204);
    for (std::uint32_t message : {0x200u, 0x201u, 0x202u, 0x205u, 0x206u, 0x209u}) {
        tray.onTrayMouseMessage(message);
    }
    EXPECT_EQ(menu.opened, 1);
    EXPECT_EQ(window.visibilityChanges, 2);
}

TEST_F(Desktop, UserCloseOnlyHidesEveryOtherUnloadEndsHostingThenRemovesTheIcon) {
    EXPECT_FALSE(events.onUnloadRequest(UnloadReason::userClose));
    EXPECT_FALSE(window.visible);
    EXPECT_TRUE(host.calls().empty());
    for (auto reason :
         {UnloadReason::byProgram, UnloadReason::windowsEnding, UnloadReason::taskManager}) {
        EXPECT_TRUE(events.onUnloadRequest(reason));
    }
    EXPECT_EQ(host.calls(), (std::vector<std::string>(3, "endHosting")));
    EXPECT_EQ(shell.calls.size(), 3u);
    EXPECT_EQ(shell.calls.back().first, TrayOperation::remove);

    host.failNext("endHosting", RaisedError(5, "Invalid procedure call or argument"));
    EXPECT_TRUE(events.onUnloadRequest(UnloadReason::byProgram));
    EXPECT_EQ(host.errorReports(), std::vector<std::string>{"[5] Invalid procedure call or "
                                                            "argument - Form_QueryUnload"});
    EXPECT_EQ(shell.calls.size(), 4u);
}

TEST_F(Desktop, ActivationRaisesTheWindowAndTheMenuOpensTheAboutWindow) {
    events.onActivate();
    events.onAboutChosen();
    EXPECT_EQ(stacking.raised, 1);
    EXPECT_EQ(about.shown, 1);
}

TEST(AboutWindow, LoadsTopLeftAndEachLinkTurnsPurpleAndOpensItsTarget) {
    FakeAboutView view;
    FakeShell shell;
    AboutWindowEvents about{view, shell};
    about.onLoad();
    about.onActivate();
    EXPECT_EQ(view.position, (std::pair<int, int>{0, 0}));
    EXPECT_EQ(view.raised, 1);
    about.onLinkClick(AboutLinkKind::web);
    EXPECT_EQ(view.colours,
              (std::map<AboutLinkKind, std::uint32_t>{{AboutLinkKind::web, 0x800080}}));
    about.onLinkClick(AboutLinkKind::mail);
    EXPECT_EQ(shell.opened, (std::vector<std::string>{"https://www.brackwater.example/",
                                                      "mailto:quillmarten@brackwater.example"}));
    EXPECT_NE(webLink.target.find(webLink.caption), std::string_view::npos);
    EXPECT_EQ(mailLink.target, "mailto:" + std::string(mailLink.caption));
}

} // namespace
} // namespace quillmarten
