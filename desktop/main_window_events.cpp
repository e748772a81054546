#include "main_window_events.h"

#include "metering/raised_error.h"

namespace quillmarten {

MainWindowEvents::MainWindowEvents(WindowStacking& stacking, MainWindow& frmHourMeter,
                                   ServiceHost& NTService, TrayIcon& tray, AboutWindowOpener& about)
    : stacking_(stacking), frmHourMeter_(frmHourMeter), NTService_(NTService), tray_(tray),
      about_(about) {}

void MainWindowEvents::Form_Activate() {
    stacking_.makeTopmost();
}

// A failing end of hosting must not keep the icon in the tray of a program that is going, so
// it is reported and the unload goes on.
void MainWindowEvents::Form_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode) {
    const bool ending = UnloadMode == unload_mode::byProgram ||
                        UnloadMode == unload_mode::sessionEnding ||
                        UnloadMode == unload_mode::taskManager;
    if (!ending) {
        frmHourMeter_.setVisible(false);
        Cancel = -1;
        return;
    }
    try {
        NTService_.EndService();
    } catch (const RaisedError& error) {
        NTService_.WriteEvent(event_type::error, event_id::errorReport,
                              errorReportText(error, "Form_QueryUnload"));
    }
    tray_.removeIcon();
}

void MainWindowEvents::mnu_info_Click() {
    about_.showAboutWindow();
}

} // namespace quillmarten
