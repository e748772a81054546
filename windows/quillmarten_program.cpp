#include "quillmarten_program.h"

#include "metering/raised_error.h"
#include "metering/session_log_file.h"
#include "metering/win32_text.h"

namespace quillmarten {

namespace {

constexpr UINT_PTR tickTimer = 1;
constexpr UINT_PTR hideTimer = 2;
constexpr UINT tickInterval = 500;
constexpr UINT hideDelay = 30000;

std::string applicationPath(const std::wstring& executable) {
    return narrow(executable.substr(0, executable.find_last_of(L'\\')));
}

} // namespace

QuillmartenProgram::QuillmartenProgram()
    : executable_(executablePath()),
      hiddenWindow_(L"QuillmartenTray", L"Quillmarten", WindowStyle{WS_POPUP, 0, nullptr, nullptr},
                    *this),
      frmHourMeter_(pictures_.running(), hiddenWindow_.handle(), *this),
      Timer1_(frmHourMeter_.handle(), tickTimer, tickInterval),
      Timer2_(frmHourMeter_.handle(), hideTimer, hideDelay),
      mnu_main_(hiddenWindow_.handle(), [this] { mainWindowEvents_.mnu_info_Click(); }),
      tray_(shell_, TrayPictures{hiddenWindow_.handle(), pictures_.running(), pictures_.paused()},
            frmHourMeter_, mnu_main_),
      NTService_(executable_), frmHourMeterInfo_(pictures_, hiddenWindow_.handle()),
      mainWindowEvents_(frmHourMeter_, frmHourMeter_, NTService_, tray_, frmHourMeterInfo_),
      version_(readProgramVersion(executable_)),
      tracker_(TrackerPorts{clock_, frmHourMeter_.LV(), frmHourMeter_, tray_, taskbar_, Timer1_,
                            Timer2_, NTService_, files_},
               logFilePath(applicationPath(executable_)), version_),
      serviceControl_(tracker_, tray_, Timer1_, NTService_, *this),
      startUp_(instances_, frmHourMeter_, NTService_, messageBoxes_, version_) {
    NTService_.connect(hiddenWindow_.handle(), serviceControl_);
    Timer2_.setEnabled(true);
}

int QuillmartenProgram::run(const std::wstring& commandLine) {
    const StartOutcome outcome = startUp_.Form_Load(commandArgument(narrow(commandLine)));
    if (outcome == StartOutcome::endSilently || outcome == StartOutcome::endAfterMessage) {
        return 0;
    }
    frmHourMeter_.setVisible(true);
    SetForegroundWindow(frmHourMeter_.handle());
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return exitCode_;
}

void QuillmartenProgram::activated() {
    mainWindowEvents_.Form_Activate();
}

bool QuillmartenProgram::unloadRequested(std::int16_t unloadMode) {
    std::int16_t cancel = 0;
    mainWindowEvents_.Form_QueryUnload(cancel, unloadMode);
    return cancel == 0;
}

void QuillmartenProgram::timerFired(UINT_PTR timerId) {
    if (timerId == tickTimer) {
        tracker_.Timer1_Timer();
    } else if (timerId == hideTimer) {
        tracker_.Timer2_Timer();
    }
}

// A stopped service ends its process: the about window, if open, goes with the main window.
void QuillmartenProgram::destroyed() {
    frmHourMeterInfo_.close();
    PostQuitMessage(exitCode_);
}

void QuillmartenProgram::unloadMainWindow() {
    frmHourMeter_.unload(unload_mode::byProgram);
}

void QuillmartenProgram::endProgram(int exitCode) {
    exitCode_ = exitCode;
    frmHourMeterInfo_.close();
    PostQuitMessage(exitCode_);
}

std::optional<LRESULT> QuillmartenProgram::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case trayCallbackMessage:
        tray_.IconInTray_MouseMove(static_cast<std::uint32_t>(LOWORD(lParam)));
        return 0;
    case Win32ServiceHost::requestMessage:
        NTService_.deliver(wParam);
        return 0;
    case Win32ServiceHost::hostingFailedMessage: {
        const auto code = static_cast<DWORD>(wParam);
        serviceControl_.hostingFailed(
            RaisedError(static_cast<std::int32_t>(code), systemErrorText(code)));
        return 0;
    }
    default:
        return std::nullopt;
    }
}

} // namespace quillmarten
