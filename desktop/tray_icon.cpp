#include "desktop/tray_icon.h"

namespace quillmarten {

TrayIcon::TrayIcon(NotificationArea& shell, MainWindow& mainWindow, PopupMenu& trayMenu,
                   TrayInput input)
    : shell_(shell), mainWindow_(mainWindow), trayMenu_(trayMenu), input_(input) {}

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

// Enter may come twice from one key press: it shows the window rather than toggling it.
void TrayIcon::onTrayClick(TrayClick click, ScreenPoint anchor) {
    const bool keyboard = input_ == TrayInput::mouseAndKeyboard;
    if (click == TrayClick::leftDoubleClick) {
        mainWindow_.setVisible(!mainWindow_.isVisible());
    } else if (click == TrayClick::rightButtonDown && !keyboard) {
        openMenu(std::nullopt);
    } else if (click == TrayClick::keySelect && keyboard) {
        mainWindow_.setVisible(true);
    } else if (click == TrayClick::contextMenu && keyboard && !trayMenu_.open(anchor)) {
        shell_.returnFocus();
    }
}

void TrayIcon::openMenu(std::optional<ScreenPoint> anchor) {
    trayMenu_.open(anchor);
}

} // namespace quillmarten
