#include "viewer/viewer_presenter.h"

#include "viewer/log_location.h"
#include "viewer/session_export.h"

#include "basics/calendar.h"

#include <limits>
#include <utility>

namespace quillmarten {

namespace {

constexpr std::int64_t noticeSeconds = 10;
// How often the service is asked where the platform does not tell of its changes.
constexpr std::int64_t serviceLookSeconds = 10;
// How long a tooltip may be read after the mouse moved over the icon.
constexpr std::int64_t tooltipSeconds = 10;
constexpr std::int64_t never = std::numeric_limits<std::int64_t>::max();

std::string tooltipToTheMinute(ViewerState state) {
    state.sums.all -= state.sums.all % 60;
    return tooltipText(state);
}

} // namespace

ViewerPresenter::ViewerPresenter(const ViewerPorts& ports, SessionRows& rows,
                                 std::optional<std::string> givenLog, const std::string& viewerPath)
    : ports_(ports), rows_(rows), givenLog_(std::move(givenLog)),
      startWithWindows_(ports.settings, viewerPath), follower_(ports.files, rows) {}

void ViewerPresenter::start() {
    if (const auto placement =
            ports_.settings.bytes(std::string(settingsKey), std::string(placementName))) {
        ports_.window.restorePlacement(*placement);
    }
    refresh();
    onShowChosen();
}

void ViewerPresenter::onTimer() {
    refresh();
}

void ViewerPresenter::onServiceChanged() {
    nextServiceLook_ = 0;
    refresh();
}

// A named file is read as it is, without asking for the service.
void ViewerPresenter::refresh() {
    ViewerState state;
    if (givenLog_) {
        state.logPath = *givenLog_;
    } else {
        if (ports_.clock.steadySeconds() >= nextServiceLook_) {
            lookAtService();
        }
        state.service = service_.status;
        state.logPath = serviceLog_;
    }
    const std::int64_t today = dayNumber(ports_.clock.now().date);
    const LogChange change =
        state.logPath.empty() ? follower_.forget() : follower_.refresh(state.logPath, today);
    if (change.notice != LogNotice::none) {
        showNotice(noticeText(change.notice));
    }
    shown_.rowsStale = shown_.rowsStale || change.rowsChanged;
    shown_.lastRowStale = shown_.lastRowStale || change.lastRowChanged;
    shown_.chartStale = shown_.chartStale || change.rowsChanged || change.lastRowChanged ||
                        change.daysChanged || today != chartDay_;
    chartDay_ = today;
    state.log = follower_.condition();
    state.problem = follower_.problem();
    state.logSize = follower_.sizeSeen();
    state.sessions = follower_.sessions();
    state.damaged = follower_.damagedRecords();
    state.sums = follower_.sums();
    state.notice = currentNotice();
    show(state);
}

// A service whose command is not known yet is asked again, told of changes or not.
void ViewerPresenter::lookAtService() {
    service_ = ports_.service.lookUp();
    serviceLog_ = service_.command.empty() ? "" : serviceLogPath(service_.command, ports_.files);
    const bool told =
        !service_.command.empty() && ports_.service.watchForChange(service_.status.state);
    nextServiceLook_ = told ? never : ports_.clock.steadySeconds() + serviceLookSeconds;
}

void ViewerPresenter::show(const ViewerState& state) {
    state_ = state;
    showInWindow();
    showInTray();
}

// New rows bring the running session, the last, into view; otherwise the user's place stays.
void ViewerPresenter::showInWindow() {
    if (!ports_.window.isVisible()) {
        return;
    }
    if (std::string caption = captionText(state_); caption != shown_.caption) {
        ports_.window.setCaption(caption);
        shown_.caption = std::move(caption);
    }
    if (std::vector<std::string> parts = statusParts(state_); parts != shown_.statusParts) {
        ports_.window.setStatusParts(parts);
        shown_.statusParts = std::move(parts);
    }
    if (shown_.rowsStale) {
        ports_.list.showRows(rows_.size());
        if (!rows_.empty()) {
            ports_.list.selectAndReveal(rows_.size() - 1);
        }
    } else if (shown_.lastRowStale) {
        ports_.list.refreshRow(rows_.size() - 1);
    }
    shown_.rowsStale = false;
    shown_.lastRowStale = false;
    if (shown_.chartStale) {
        if (UsageChart chart = follower_.chart(chartSpan_); chart != shown_.chart) {
            ports_.window.showChart(chart);
            shown_.chart = std::move(chart);
        }
        shown_.chartStale = false;
    }
}

void ViewerPresenter::onChartSpanChosen(const ChartSpan& span) {
    chartSpan_ = span;
    shown_.chartStale = true;
    showInWindow();
}

void ViewerPresenter::showInTray() {
    const TrayPicture picture = pictureOf(state_);
    std::string tooltip = tooltipText(state_);
    std::string toTheMinute = tooltipToTheMinute(state_);
    const bool seen = ports_.clock.steadySeconds() < tooltipSeenUntil_;
    if (!shown_.picture) {
        ports_.tray.add(picture, tooltip);
    } else if (picture != shown_.picture || toTheMinute != shown_.tooltipToTheMinute ||
               (seen && tooltip != shown_.tooltip)) {
        ports_.tray.change(picture, tooltip);
    } else {
        return;
    }
    shown_.picture = picture;
    shown_.tooltip = std::move(tooltip);
    shown_.tooltipToTheMinute = std::move(toTheMinute);
}

void ViewerPresenter::showNotice(std::string text) {
    notice_ = std::move(text);
    noticeUntil_ = ports_.clock.steadySeconds() + noticeSeconds;
    ViewerState state = state_;
    state.notice = notice_;
    show(state);
}

std::string ViewerPresenter::currentNotice() {
    return ports_.clock.steadySeconds() < noticeUntil_ ? notice_ : "";
}

// The mouse over the icon may bring its tooltip up; a double-click may have shown the window.
void ViewerPresenter::onTrayClick(TrayClick click, ScreenPoint anchor) {
    if (click == TrayClick::mouseMove) {
        tooltipSeenUntil_ = ports_.clock.steadySeconds() + tooltipSeconds;
        showInTray();
    }
    ports_.tray.onTrayClick(click, anchor);
    showInWindow();
}

void ViewerPresenter::onMenuRequested(std::optional<ScreenPoint> anchor) {
    ports_.tray.openMenu(anchor);
}

void ViewerPresenter::onTaskbarCreated() {
    shown_.picture.reset();
    showInTray();
}

void ViewerPresenter::onShowChosen() {
    ports_.window.setVisible(true);
    showInWindow();
}

void ViewerPresenter::onExportChosen() {
    if (state_.logPath.empty()) {
        showNotice(std::string(noLogToExport));
        return;
    }
    if (const auto target = ports_.saveDialog.askSavePath(exportFileName(ports_.clock.now()))) {
        showNotice(exportText(exportSessions(ports_.files, state_.logPath, *target), *target));
    }
}

void ViewerPresenter::onReadAgainChosen() {
    nextServiceLook_ = 0;
    shown_.rowsStale = follower_.forget().rowsChanged || shown_.rowsStale;
    refresh();
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
