#include "recording_service_host.h"

#include "metering/raised_error.h"

#include <utility>

namespace quillmarten {

void RecordingServiceHost::record(const std::string& call, const std::string& operation) {
    calls_.push_back(call);
    const auto failure = failures_.find(operation);
    if (failure != failures_.end()) {
        RaisedError error(failure->second.number, failure->second.description);
        failures_.erase(failure);
        throw error;
    }
}

void RecordingServiceHost::failNext(const std::string& operation, std::int32_t number,
                                    std::string description) {
    failures_[operation] = Failure{number, std::move(description)};
}

void RecordingServiceHost::setInteractiveDesktop(bool interactive) {
    record("InteractiveDesktop=" + std::string(interactive ? "true" : "false"),
           "InteractiveDesktop");
}

bool RecordingServiceHost::InstallService() {
    record("InstallService", "InstallService");
    return installAnswer_;
}

bool RecordingServiceHost::RemoveService() {
    record("RemoveService", "RemoveService");
    return removeAnswer_;
}

std::string RecordingServiceHost::ServiceDisplayName() {
    record("ServiceDisplayName", "ServiceDisplayName");
    return "Quillmarten";
}

void RecordingServiceHost::WriteSetting(const std::string& section, const std::string& key,
                                        const std::string& value) {
    record("WriteSetting " + section + "/" + key + "=" + value, "WriteSetting");
    settings_[section + "/" + key] = value;
}

std::string RecordingServiceHost::ReadSetting(const std::string& section, const std::string& key,
                                              const std::string& defaultValue) {
    record("ReadSetting " + section + "/" + key, "ReadSetting");
    const auto stored = settings_.find(section + "/" + key);
    return stored == settings_.end() ? defaultValue : stored->second;
}

void RecordingServiceHost::setAcceptedControls(std::int32_t controls) {
    record("AcceptedControls=" + std::to_string(controls), "AcceptedControls");
}

void RecordingServiceHost::RunService() {
    record("RunService", "RunService");
}

void RecordingServiceHost::EndService() {
    record("EndService", "EndService");
}

void RecordingServiceHost::WriteEvent(std::int16_t eventType, std::int32_t eventId,
                                      const std::string& message) {
    record("WriteEvent", "WriteEvent");
    events_.push_back(Entry{eventType, eventId, message});
}

bool RecordingServiceHost::requestStart(bool success) {
    handlers_->Start(success);
    return success;
}

void RecordingServiceHost::requestStop() {
    handlers_->Stop();
}

bool RecordingServiceHost::requestPause(bool success) {
    handlers_->Pause(success);
    return success;
}

bool RecordingServiceHost::requestContinue(bool success) {
    handlers_->Continue(success);
    return success;
}

void RecordingServiceHost::requestControl(std::int32_t code) {
    handlers_->Control(code);
}

} // namespace quillmarten
