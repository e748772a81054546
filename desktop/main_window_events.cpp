#include "desktop/main_window_events.h"

namespace quillmarten {

MainWindowEvents::MainWindowEvents(WindowStacking& stacking, MainWindow& mainWindow,
                                   ServiceHosting& hosting, EventWriter& events, TrayPresence& tray,
                                   AboutWindowOpener& aboutWindow)
    : stacking_(stacking), mainWindow_(mainWindow), hosting_(hosting), events_(events), tray_(tray),
      aboutWindow_(aboutWindow) {}

void MainWindowEvents::onActivate() {
    stacking_.makeTopmost();
}

// A failing end of hosting must not keep the icon in the tray of a program that is going, so
// it is reported and the unload goes on.
bool MainWindowEvents::onUnloadRequest(UnloadReason reason) {
    if (reason == UnloadReason::userClose) {
        mainWindow_.setVisible(false);
        return false;
    }
    try {
        hosting_.endHosting();
    } catch (const RaisedError& error) {
        reportError(events_, error, report_origin::windowUnload);
    }
    tray_.removeIcon();
    return true;
}

void MainWindowEvents::onAboutChosen() {
    aboutWindow_.showAboutWindow();
}

} // namespace quillmarten
