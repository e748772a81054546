#include "desktop/tray_icon.h"

namespace quillmarten {

namespace {

constexpr std::uint32_t messageIconAndTip = 7;

} // namespace

std::array<char, 64> tooltipField(std::string_view ansiText) {
    std::array<char, 64> field;
    field.fill(' ');
    const std::string withNul = std::string(ansiText) + '\0';
    withNul.copy(field.data(), field.size());
    return field;
}

TrayIcon::TrayIcon(NotificationArea& shell, const TrayPictures& pictures, MainWindow& mainWindow,
                   PopupMenu& trayMenu)
    : shell_(shell), pictures_(pictures), mainWindow_(mainWindow), trayMenu_(trayMenu) {}

void TrayIcon::fill(TrayPicture picture, std::string_view tooltip) {
    record_.cbSize = sizeof(TrayIconRecord);
    record_.hWnd = pictures_.callbackWindow;
    record_.uID = 1;
    record_.uFlags = messageIconAndTip;
    record_.uCallbackMessage = pictures_.callbackMessage;
    record_.hIcon = picture == TrayPicture::running  ? pictures_.running
                    : picture == TrayPicture::paused ? pictures_.paused
                                                     : pictures_.stopped;
    if (tooltip_ != tooltip) {
        tooltip_ = tooltip;
        record_.szTip = tooltipField(shell_.toAnsi(tooltip));
    }
}

void TrayIcon::addRunningIcon() {
    add(TrayPicture::running, runningTooltip);
}

void TrayIcon::showPicture(TrayPicture picture) {
    change(picture, picture == TrayPicture::paused ? pausedTooltip : runningTooltip);
}

void TrayIcon::add(TrayPicture picture, std::string_view tooltip) {
    fill(picture, tooltip);
    shell_.notify(TrayOperation::add, record_);
}

void TrayIcon::change(TrayPicture picture, std::string_view tooltip) {
    fill(picture, tooltip);
    shell_.notify(TrayOperation::modify, record_);
}

void TrayIcon::removeIcon() {
    shell_.notify(TrayOperation::remove, record_);
}

// The mouse message number itself is decoded, not a coordinate scaled by the screen's density,
// so the double-click and the right button work the same at every density.
void TrayIcon::onTrayMouseMessage(std::uint32_t mouseMessage) {
    if (mouseMessage == leftDoubleClick) {
        mainWindow_.setVisible(!mainWindow_.isVisible());
    } else if (mouseMessage == rightButtonDown) {
        trayMenu_.openAtPointer();
    }
}

} // namespace quillmarten
