#include "start_up.h"

#include "metering/raised_error.h"

#include <utility>

namespace quillmarten {

std::string commandArgument(std::string_view commandLine) {
    std::size_t position = 0;
    if (!commandLine.empty() && commandLine.front() == '"') {
        const std::size_t closing = commandLine.find('"', 1);
        position = closing == std::string_view::npos ? commandLine.size() : closing + 1;
    }
    position = commandLine.find_first_of(" \t", position);
    if (position == std::string_view::npos) {
        return {};
    }
    position = commandLine.find_first_not_of(" \t", position);
    return position == std::string_view::npos ? std::string()
                                              : std::string(commandLine.substr(position));
}

StartUp::StartUp(InstanceProbe& instances, MainWindow& frmHourMeter, ServiceHost& NTService,
                 MessageBoxes& messages, ProgramVersion version)
    : instances_(instances), frmHourMeter_(frmHourMeter), NTService_(NTService),
      messages_(messages), version_(std::move(version)) {}

StartOutcome StartUp::Form_Load(const std::string& Command) {
    try {
        if (instances_.anotherInstanceRunning()) {
            return StartOutcome::endSilently;
        }
        frmHourMeter_.setCaption(versionCaption(version_));
    } catch (const RaisedError& error) {
        report(errorReportText(error, "Form_Load"));
        return StartOutcome::loadedNotServing;
    }
    return Avvia_Servizio(Command);
}

// The comparisons are exact and case-sensitive: "/I", "-i" or "/u " are refused.
StartOutcome StartUp::Avvia_Servizio(const std::string& Command) {
    try {
        std::string message;
        if (Command == "/i") {
            message = installService();
        } else if (Command == "/u") {
            message = removeService();
        } else if (!Command.empty()) {
            message = "Invalid Parameter";
        } else {
            NTService_.setAcceptedControls(ServiceHost::acceptPauseContinue);
            NTService_.RunService();
            return StartOutcome::serving;
        }
        messages_.showMessage(message, std::string(programTitle));
        return StartOutcome::endAfterMessage;
    } catch (const RaisedError& error) {
        report(errorReportText(error));
        return StartOutcome::loadedNotServing;
    }
}

std::string StartUp::installService() {
    NTService_.setInteractiveDesktop(true);
    if (!NTService_.InstallService()) {
        return NTService_.ServiceDisplayName() + ": failed to install";
    }
    NTService_.WriteSetting("Parameters", "TimerInterval", "1000");
    return NTService_.ServiceDisplayName() + ": installed successfully";
}

std::string StartUp::removeService() {
    const bool removed = NTService_.RemoveService();
    return NTService_.ServiceDisplayName() +
           (removed ? ": uninstalled successfully" : ": failed to uninstall");
}

void StartUp::report(const std::string& text) {
    NTService_.WriteEvent(event_type::error, event_id::errorReport, text);
}

} // namespace quillmarten
