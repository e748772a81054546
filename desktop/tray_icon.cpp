#include "desktop/tray_icon.h"

namespace quillmarten {

TrayIcon::TrayIcon(NotificationArea& shell, MainWindow& mainWindow, PopupMenu& trayMenu)
    : shell_(shell), mainWindow_(mainWindow), trayMenu_(trayMenu) {}

void TrayIcon::addRunningIcon() {
    add(TrayPicture::running, runningTooltip);
}

void TrayIcon::showPicture(TrayPicture picture) {
    change(picture, picture == TrayPicture::paused ? pausedTooltip : runningTooltip);
}

void TrayIcon::add(TrayPicture picture, std::string_view tooltip) {
    shell_.add(picture, tooltip);
}

void TrayIcon::change(TrayPicture picture, std::string_view tooltip) {
    shell_.change(picture, tooltip);
}

void TrayIcon::removeIcon() {
    shell_.remove();
}

void TrayIcon::onTrayClick(TrayClick click) {
    if (click == TrayClick::leftDoubleClick) {
        mainWindow_.setVisible(!mainWindow_.isVisible());
    } else if (click == TrayClick::rightButtonDown) {
        trayMenu_.openAtPointer();
    }
}

} // namespace quillmarten
