#include "start_up.h"

#include <algorithm>
#include <utility>

namespace quillmarten {

std::string commandArgument(std::string_view commandLine) {
    std::size_t position = 0;
    if (!commandLine.empty() && commandLine.front() == '"') {
        const std::size_t closing = commandLine.find('"', 1);
        position = closing == std::string_view::npos ? commandLine.size() : closing + 1;
    } else {
        position = std::min(commandLine.find_first_of(" \t"), commandLine.size());
    }
    position = commandLine.find_first_not_of(" \t", position);
    return position == std::string_view::npos ? std::string()
                                              : std::string(commandLine.substr(position));
}

StartUp::StartUp(InstanceProbe& instances, MainWindow& mainWindow, ServiceHost& serviceHost,
                 MessageBoxes& messages, ProgramVersion version)
    : instances_(instances), mainWindow_(mainWindow), serviceHost_(serviceHost),
      messages_(messages), version_(std::move(version)) {}

StartOutcome StartUp::run(const std::string& argument) {
    try {
        if (instances_.anotherInstanceRunning()) {
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
