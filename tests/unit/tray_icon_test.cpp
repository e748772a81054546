#include "doubles/fake_desktop.h"
#include "doubles/fake_ports.h"
#include "metering/raised_error.h"

#include <gtest/gtest.h>

#include <cstring>

namespace quillmarten {
namespace {

using namespace quillmarten::testing;

class Tray : public ::testing::Test {
  protected:
    int callbackWindow = 0;
    int green = 0;
    int red = 0;
    FakeNotificationArea shell;
    FakeMainWindow window;
    FakePopupMenu menu;
    TrayIcon tray{shell, TrayPictures{&callbackWindow, &green, &red}, window, menu};
};

std::string tip(const TrayIconRecord& record) {
    return std::string(record.szTip.data(), record.szTip.size());
}

TEST(TooltipField, TextThenOneNulThenSpacesToSixtyFourBytes) {
    const auto running = tooltipField(runningTooltip);
    EXPECT_EQ(std::string(running.data(), 64),
              std::string("Quillmarten by Brackwater\xAE", 26) + '\0' + std::string(37, ' '));
    const auto paused = tooltipField(pausedTooltip);
    EXPECT_EQ(std::string(paused.data(), 64),
              std::string("Quillmarten Paused") + '\0' + std::string(45, ' '));
    const auto cut = tooltipField(std::string(70, 'x'));
    EXPECT_EQ(std::string(cut.data(), 64), std::string(64, 'x'));
}

TEST_F(Tray, AddFillsTheWholeRecordInItsRunningForm) {
    tray.Icon_To_Tray();
    ASSERT_EQ(shell.calls.size(), 1u);
    const auto& [operation, record] = shell.calls[0];
    EXPECT_EQ(operation, TrayOperation::add);
    EXPECT_EQ(record.cbSize, sizeof(TrayIconRecord));
    EXPECT_EQ(record.hWnd, &callbackWindow);
    EXPECT_EQ(record.uID, 1u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, 512u);
    EXPECT_EQ(record.hIcon, &green);
    EXPECT_EQ(tip(record), std::string(tooltipField(runningTooltip).data(), 64));
}

TEST_F(Tray, PauseAndContinueSwitchPictureAndTooltip) {
    tray.Icon_To_Tray();
    tray.Cambia_Icona(0);
    EXPECT_EQ(shell.calls.back().first, TrayOperation::modify);
    EXPECT_EQ(shell.calls.back().second.hIcon, &red);
    EXPECT_EQ(std::strcmp(shell.calls.back().second.szTip.data(), "Quillmarten Paused"), 0);
    tray.Cambia_Icona(1);
    EXPECT_EQ(shell.calls.back().second.hIcon, &green);
    EXPECT_EQ(tip(shell.calls.back().second), tip(shell.calls.front().second));
}

TEST_F(Tray, IndexWithoutAPictureIsRaisedAndNothingIsSent) {
    EXPECT_THROW(tray.Cambia_Icona(2), RaisedError);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(Tray, DeleteSendsTheRecordAsLastFilledOrAllZeroBeforeAnyAdd) {
    tray.removeIcon();
    EXPECT_EQ(shell.calls.back().first, TrayOperation::remove);
    EXPECT_EQ(shell.calls.back().second.cbSize, 0u);
    EXPECT_EQ(shell.calls.back().second.hWnd, nullptr);
    tray.Icon_To_Tray();
    tray.Cambia_Icona(0);
    tray.removeIcon();
    EXPECT_EQ(shell.calls.back().second.hIcon, &red);
    EXPECT_EQ(shell.calls.back().second.uID, 1u);
}

TEST_F(Tray, LeftDoubleClickTogglesTheWindowTwiceLeavesItAsItWas) {
    tray.IconInTray_MouseMove(0x203);
    EXPECT_FALSE(window.visible);
    tray.IconInTray_MouseMove(0x203);
    EXPECT_TRUE(window.visible);
    EXPECT_EQ(menu.opened, 0);
}

TEST_F(Tray, RightButtonPressOpensTheMenuOtherMessagesDoNothing) {
    tray.IconInTray_MouseMove(0x204);
    EXPECT_EQ(menu.opened, 1);
    for (std::uint32_t message : {0x200u, 0x201u, 0x202u, 0x205u, 0x206u, 0x209u}) {
        tray.IconInTray_MouseMove(message);
    }
    EXPECT_EQ(menu.opened, 1);
    EXPECT_EQ(window.visibilityChanges, 0);
}

} // namespace
} // namespace quillmarten
