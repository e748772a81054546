#include "programs/quillmarten/quillmarten_program.h"

#include "basics/error_report.h"
#include "log_file/session_log_file.h"
#include "platform/win32_text.h"

namespace quillmarten {

namespace {

constexpr UINT_PTR meterTimerId = 1;
constexpr UINT_PTR hideTimerId = 2;
constexpr UINT_PTR metricsTimerId = 3;
constexpr UINT meterInterval = 500;
constexpr UINT hideDelay = 30000;
constexpr UINT metricsInterval = 60000;

} // namespace

QuillmartenProgram::QuillmartenProgram()
    : executable_(executablePath()), version_(readProgramVersion(executable_)),
      hiddenWindow_(L"QuillmartenTray", L"Quillmarten", WindowStyle{WS_POPUP, 0, nullptr, nullptr},
                    *this),
      aboutWindow_(pictures_, hiddenWindow_.handle()),
      mainWindow_(pictures_.running(), hiddenWindow_.handle(), sessionRows_, *this),
      meterTimer_(mainWindow_.handle(), meterTimerId, meterInterval),
      hideTimer_(mainWindow_.handle(), hideTimerId, hideDelay),
      metricsTimer_(mainWindow_.handle(), metricsTimerId, metricsInterval),
      shell_(hiddenWindow_.handle(), hiddenWindowTrayMessage, pictures_),
      trayMenu_(hiddenWindow_.handle(),
                {{L"&Info", [this] { mainWindowEvents_.onAboutChosen(); }}}),
      tray_(shell_, mainWindow_, trayMenu_), serviceHost_(executable_),
      mainWindowEvents_(mainWindow_, mainWindow_, serviceHost_, serviceHost_, tray_, aboutWindow_),
      tracker_(TrackerPorts{clock_, mainWindow_.sessionList(), mainWindow_, tray_, taskbar_,
                            meterTimer_, hideTimer_, serviceHost_, files_},
               sessionRows_, logFileBeside(narrow(executable_)), version_),
      metricsFile_(MetricsPorts{files_, serviceHost_, clock_, metricsTimer_}, tracker_),
      serviceControl_(tracker_, metricsFile_, tray_, meterTimer_, serviceHost_, *this,
                      narrow(executable_)),
      startUp_(instances_, mainWindow_, serviceHost_, messageBoxes_, version_) {
    serviceHost_.connect(hiddenWindow_.handle(), serviceControl_);
    reportWindowFailuresTo(&serviceHost_);
    hideTimer_.setEnabled(true);
}

int QuillmartenProgram::run(const std::wstring& commandLine) {
    const StartOutcome outcome = startUp_.run(commandArgument(narrow(commandLine)));
    if (outcome == StartOutcome::endSilently || outcome == StartOutcome::endAfterMessage) {
        return 0;
    }
    mainWindow_.setVisible(true);
    SetForegroundWindow(mainWindow_.handle());
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    reportWindowFailuresTo(nullptr);
    return exitCode_;
}

void QuillmartenProgram::activated() {
    mainWindowEvents_.onActivate();
}

bool QuillmartenProgram::unloadRequested(UnloadReason reason) {
    return mainWindowEvents_.onUnloadRequest(reason);
}

void QuillmartenProgram::timerFired(UINT_PTR timerId) {
    if (timerId == meterTimerId) {
        tracker_.onMeterTick();
    } else if (timerId == hideTimerId) {
        tracker_.onHideTimer();
    } else if (timerId == metricsTimerId) {
        metricsFile_.onMinuteTimer();
    }
}

// A stopped service ends its process: the about window, if open, goes with the main window.
void QuillmartenProgram::destroyed() {
    aboutWindow_.close();
    PostQuitMessage(exitCode_);
}

void QuillmartenProgram::unloadMainWindow() {
    mainWindow_.unload(UnloadReason::byProgram);
}

void QuillmartenProgram::endProgram(int exitCode) {
    exitCode_ = exitCode;
    aboutWindow_.close();
    PostQuitMessage(exitCode_);
}

// The hidden owner window is the program's only top-level window that is always there, so a
// close from outside the program (Task Manager's) lands here.
std::optional<LRESULT> QuillmartenProgram::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case hiddenWindowTrayMessage:
        tray_.onTrayClick(trayClickOf(lParam));
        return 0;
    case Win32ServiceHost::requestMessage:
        serviceHost_.deliver(wParam);
        return 0;
    case Win32ServiceHost::hostingFailedMessage:
        serviceControl_.onHostingFailed(systemError(static_cast<DWORD>(wParam)));
        return 0;
    case WM_CLOSE:
        mainWindow_.unload(UnloadReason::taskManager);
        return 0;
    default:
        return std::nullopt;
    }
}

} // namespace quillmarten
