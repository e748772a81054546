#include "programs/viewer/viewer_program.h"

#include "platform/win32_executable_path.h"
#include "platform/win32_text.h"
#include "viewer/log_location.h"

namespace quillmarten {

namespace {

constexpr UINT_PTR refreshTimerId = 1;
constexpr UINT refreshInterval = 1000;

} // namespace

ViewerProgram::ViewerProgram(const std::wstring& commandLine)
    : executable_(executablePath()), window_(pictures_.running(), sessionRows_, presenter_),
      aboutWindow_(pictures_, window_.handle()),
      refreshTimer_(window_.handle(), refreshTimerId, refreshInterval),
      shell_(window_.handle(), Win32ViewerWindow::trayMessage, pictures_,
             TrayInput::mouseAndKeyboard),
      trayMenu_(window_.handle(),
                {{L"&Show", [this] { presenter_.onShowChosen(); }},
                 {L"&Export...", [this] { presenter_.onExportChosen(); }},
                 {L"Start with &Windows", [this] { presenter_.onStartWithWindowsChosen(); },
                  [this] { return presenter_.startsWithWindows(); }},
                 {L"&About", [this] { presenter_.onAboutChosen(); }},
                 {L"E&xit", [this] { presenter_.onExitChosen(); }}}),
      tray_(shell_, window_, trayMenu_, TrayInput::mouseAndKeyboard),
      service_(window_.handle(), Win32ViewerWindow::serviceChangeMessage),
      saveDialog_(window_.handle()),
      presenter_(ViewerPorts{clock_, files_, service_, window_, window_.sessionList(), tray_,
                             settings_, saveDialog_, aboutWindow_},
                 sessionRows_, givenLogPath(narrow(commandLine)), narrow(executable_)) {
    reportWindowFailuresTo(this);
}

ViewerProgram::~ViewerProgram() {
    reportWindowFailuresTo(nullptr);
}

// The service's changes come as calls queued to this thread, run only while it waits
// alertably: the loop waits so, for messages and those calls alike.
int ViewerProgram::run() {
    presenter_.start();
    refreshTimer_.setEnabled(true);
    for (;;) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                return static_cast<int>(message.wParam);
            }
            if (window_.translateKeys(message)) {
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT,
                                    MWMO_ALERTABLE | MWMO_INPUTAVAILABLE);
    }
}

// Showing the failure may fail in its turn; nothing more can be done about it then.
void ViewerProgram::writeEvent(EventType, std::uint32_t, const std::string& message) {
    try {
        presenter_.showFailure(message);
    } catch (...) {
    }
}

} // namespace quillmarten
