#include "recording_service_host.h"

namespace quillmarten {

void RecordingServiceHost::record(const std::string& call, const std::string& operation) {
    calls_.push_back(call);
    const auto failure = failures_.find(operation);
    if (failure != failures_.end()) {
        const std::exception_ptr exception = failure->second;
        failures_.erase(failure);
        std::rethrow_exception(exception);
    }
}

std::vector<std::string> RecordingServiceHost::errorReports() const {
    std::vector<std::string> texts;
    for (const Entry& entry : events_) {
        if (entry.type == EventType::error && entry.id == event_id::report) {
            texts.push_back(entry.message);
        }
    }
    return texts;
}

void RecordingServiceHost::setInteractiveDesktop(bool interactive) {
    record(interactive ? "setInteractiveDesktop true" : "setInteractiveDesktop false",
           "setInteractiveDesktop");
}

bool RecordingServiceHost::install() {
    record("install", "install");
    return installAnswer_;
}

bool RecordingServiceHost::remove() {
    record("remove", "remove");
    return true;
}

std::string RecordingServiceHost::displayName() {
    record("displayName", "displayName");
    return "Quillmarten";
}

void RecordingServiceHost::writeSetting(const std::string& section, const std::string& key,
                                        const std::string& value) {
    record("writeSetting " + section + "/" + key + "=" + value, "writeSetting");
}

void RecordingServiceHost::acceptPauseAndContinue() {
    record("acceptPauseAndContinue", "acceptPauseAndContinue");
}

void RecordingServiceHost::connectToServiceManager() {
    record("connectToServiceManager", "connectToServiceManager");
}

void RecordingServiceHost::endHosting() {
    record("endHosting", "endHosting");
}

void RecordingServiceHost::writeEvent(EventType type, std::uint32_t id,
                                      const std::string& message) {
    record("writeEvent", "writeEvent");
    events_.push_back(Entry{type, id, message});
}

} // namespace quillmarten
