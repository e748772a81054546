#include "viewer_presenter.h"

#include "log_location.h"
#include "session_export.h"

#include "history/calendar.h"

#include <utility>

namespace quillmarten {

namespace {

constexpr std::int64_t noticeSeconds = 10;

std::int64_t dayOf(const LocalTime& time) {
    return dayNumber(CalendarDate{time.year, time.month, time.day});
}

} // namespace

ViewerPresenter::ViewerPresenter(const ViewerPorts& ports, SessionHistory& rows,
                                 std::optional<std::string> givenLog, const std::string& viewerPath)
    : ports_(ports), rows_(rows), givenLog_(std::move(givenLog)),
      startWithWindows_(ports.settings, viewerPath), follower_(ports.files, rows) {}

void ViewerPresenter::start() {
    if (const auto placement =
            ports_.settings.bytes(std::string(settingsKey), std::string(placementName))) {
        ports_.window.restorePlacement(*placement);
    }
    refresh();
    ports_.window.setVisible(true);
}

void ViewerPresenter::onTimer() {
    refresh();
}

// A named file is read as it is, without asking for the service.
void ViewerPresenter::refresh() {
    ViewerState state;
    if (givenLog_) {
        state.logPath = *givenLog_;
    } else {
        const ServiceLookup service = ports_.service.lookUp();
        state.service = service.state;
        state.logPath = service.command.empty() ? "" : serviceLogPath(service.command);
    }
    const std::int64_t today = dayOf(ports_.clock.now());
    const LogChange change =
        state.logPath.empty() ? follower_.forget() : follower_.refresh(state.logPath, today);
    if (change.notice != LogNotice::none) {
        showNotice(noticeText(change.notice));
    }
    showRows(change);
    state.log = follower_.condition();
    state.problem = follower_.problem();
    state.sessions = follower_.sessions();
    state.damaged = follower_.damagedRecords();
    state.sums = follower_.sums();
    state.notice = currentNotice();
    show(state);
}

// New rows bring the running session, the last, into view; otherwise the user's place stays.
void ViewerPresenter::showRows(const LogChange& change) {
    if (change.rowsChanged) {
        ports_.list.showRows(rows_.size());
        if (!rows_.empty()) {
            ports_.list.selectAndReveal(rows_.size() - 1);
        }
    } else if (change.lastRowChanged) {
        ports_.list.refreshRow(rows_.size() - 1);
    }
}

void ViewerPresenter::show(const ViewerState& state) {
    if (iconAdded_ && state == shown_) {
        return;
    }
    shown_ = state;
    ports_.window.setCaption(captionText(state));
    ports_.window.setStatusParts(statusParts(state));
    if (iconAdded_) {
        ports_.tray.change(pictureOf(state), tooltipText(state));
    } else {
        ports_.tray.add(pictureOf(state), tooltipText(state));
        iconAdded_ = true;
    }
}

void ViewerPresenter::showNotice(std::string text) {
    notice_ = std::move(text);
    noticeUntil_ = ports_.clock.steadySeconds() + noticeSeconds;
    ViewerState state = shown_;
    state.notice = notice_;
    show(state);
}

std::string ViewerPresenter::currentNotice() {
    return ports_.clock.steadySeconds() < noticeUntil_ ? notice_ : "";
}

void ViewerPresenter::onTrayMouseMessage(std::uint32_t mouseMessage) {
    ports_.tray.onTrayMouseMessage(mouseMessage);
}

void ViewerPresenter::onTaskbarCreated() {
    ports_.tray.add(pictureOf(shown_), tooltipText(shown_));
}

void ViewerPresenter::onShowChosen() {
    ports_.window.setVisible(true);
}

void ViewerPresenter::onExportChosen() {
    if (shown_.logPath.empty()) {
        showNotice(std::string(noLogToExport));
        return;
    }
    if (const auto target = ports_.saveDialog.askSavePath(exportFileName(ports_.clock.now()))) {
        showNotice(exportText(exportSessions(ports_.files, shown_.logPath, *target), *target));
    }
}

bool ViewerPresenter::startsWithWindows() {
    return startWithWindows_.isOn();
}

void ViewerPresenter::onStartWithWindowsChosen() {
    startWithWindows_.toggle();
}

void ViewerPresenter::onAboutChosen() {
    ports_.about.showAboutWindow();
}

void ViewerPresenter::onExitChosen() {
    savePlacement();
    ports_.tray.removeIcon();
    ports_.window.close();
}

void ViewerPresenter::onCloseRequest() {
    savePlacement();
    ports_.window.setVisible(false);
}

void ViewerPresenter::onSessionEnding() {
    savePlacement();
}

void ViewerPresenter::showFailure(const std::string& report) {
    showNotice(failureNotice(report));
}

void ViewerPresenter::savePlacement() {
    ports_.settings.setBytes(std::string(settingsKey), std::string(placementName),
                             ports_.window.placement());
}

} // namespace quillmarten
