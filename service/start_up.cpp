#include "service/start_up.h"

#include "basics/command_line.h"

#include <utility>

namespace quillmarten {

std::string commandArgument(std::string_view commandLine) {
    return std::string(splitCommandLine(commandLine).rest);
}

StartUp::StartUp(InstanceProbe& instances, MainWindow& mainWindow, ServiceHost& serviceHost,
                 MessageBoxes& messages, ProgramVersion version)
    : instances_(instances), mainWindow_(mainWindow), serviceHost_(serviceHost),
      messages_(messages), version_(std::move(version)) {}

StartOutcome StartUp::run(const std::string& argument) {
    try {
        if (instances_.anotherInstanceRunning() &&
            !(argument.empty() && instances_.startedAsService())) {
            return StartOutcome::endSilently;
        }
        mainWindow_.setCaption(versionCaption(version_));
    } catch (...) {
        reportError(serviceHost_, currentError(), report_origin::programLoad);
        return StartOutcome::loadedNotServing;
    }
    return actOnArgument(argument);
}

// The comparisons are exact and case-sensitive: "/I", "-i" or "/u " are refused.
StartOutcome StartUp::actOnArgument(const std::string& argument) {
    try {
        std::string message;
        if (argument == "/i") {
            message = installService();
        } else if (argument == "/u") {
            message = removeService();
        } else if (!argument.empty()) {
            message = "Invalid Parameter";
        } else {
            serviceHost_.acceptPauseAndContinue();
            serviceHost_.connectToServiceManager();
            return StartOutcome::serving;
        }
        messages_.showMessage(message, std::string(programTitle));
        return StartOutcome::endAfterMessage;
    } catch (...) {
        reportError(serviceHost_, currentError());
        return StartOutcome::loadedNotServing;
    }
}

std::string StartUp::installService() {
    serviceHost_.setInteractiveDesktop(true);
    if (!serviceHost_.install()) {
        return serviceHost_.displayName() + ": failed to install";
    }
    serviceHost_.writeSetting("Parameters", "TimerInterval", "1000");
    return serviceHost_.displayName() + ": installed successfully";
}

std::string StartUp::removeService() {
    const bool removed = serviceHost_.remove();
    return serviceHost_.displayName() +
           (removed ? ": uninstalled successfully" : ": failed to uninstall");
}

} // namespace quillmarten
