#include "tray_icon.h"

#include "metering/raised_error.h"

#include <string>

namespace quillmarten {

namespace {

constexpr std::uint32_t messageIconAndTip = 7;
constexpr std::int32_t noSuchControlElement = 340;

} // namespace

std::array<char, 64> tooltipField(std::string_view ansiText) {
    std::array<char, 64> field;
    field.fill(' ');
    const std::string withNul = std::string(ansiText) + '\0';
    withNul.copy(field.data(), field.size());
    return field;
}

TrayIcon::TrayIcon(NotificationArea& shell, const TrayPictures& pictures, MainWindow& frmHourMeter,
                   PopupMenu& mnu_main)
    : shell_(shell), pictures_(pictures), frmHourMeter_(frmHourMeter), mnu_main_(mnu_main) {}

void TrayIcon::fill(IconHandle icon, std::string_view tooltip) {
    record_.cbSize = sizeof(TrayIconRecord);
    record_.hWnd = pictures_.callbackWindow;
    record_.uID = 1;
    record_.uFlags = messageIconAndTip;
    record_.uCallbackMessage = trayCallbackMessage;
    record_.hIcon = icon;
    record_.szTip = tooltipField(tooltip);
}

void TrayIcon::Icon_To_Tray() {
    fill(pictures_.running, runningTooltip);
    shell_.notify(TrayOperation::add, record_);
}

void TrayIcon::Cambia_Icona(std::int16_t Index) {
    if (Index != 0 && Index != 1) {
        throw RaisedError(noSuchControlElement,
                          "Control array element '" + std::to_string(Index) + "' doesn't exist");
    }
    if (Index == 0) {
        fill(pictures_.paused, pausedTooltip);
    } else {
        fill(pictures_.running, runningTooltip);
    }
    shell_.notify(TrayOperation::modify, record_);
}

void TrayIcon::removeIcon() {
    shell_.notify(TrayOperation::remove, record_);
}

// The mouse message number itself is decoded, not a coordinate scaled by the screen's density,
// so the double-click and the right button work the same at every density.
void TrayIcon::IconInTray_MouseMove(std::uint32_t mouseMessage) {
    if (mouseMessage == leftDoubleClick) {
        frmHourMeter_.setVisible(!frmHourMeter_.isVisible());
    } else if (mouseMessage == rightButtonDown) {
        mnu_main_.openAtPointer();
    }
}

} // namespace quillmarten
