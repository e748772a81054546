#pragma once

#include "service/service_host.h"

#include <cstdint>
#include <exception>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quillmarten {

// A service host that records every call and answers as told, so that tests can see what the
// program tells the service control manager.
class RecordingServiceHost final : public ServiceHost {
  public:
    struct Entry {
        EventType type;
        std::uint32_t id;
        std::string message;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    void setInteractiveDesktop(bool interactive) override {
        record("setInteractiveDesktop", interactive ? " true" : " false");
    }
    bool install() override {
        record("install");
        return installAnswer_;
    }
    bool remove() override {
        record("remove");
        return true;
    }
    std::string displayName() override {
        record("displayName");
        return "Quillmarten";
    }
    void writeSetting(const std::string& section, const std::string& key,
                      const std::string& value) override {
        record("writeSetting", " " + section + "/" + key + "=" + value);
    }
    std::optional<std::string> readSetting(const std::string& section,
                                           const std::string& key) override {
        const auto found = settings.find(section + "/" + key);
        return found == settings.end() ? std::nullopt : std::optional(found->second);
    }
    void acceptPauseAndContinue() override { record("acceptPauseAndContinue"); }
    void connectToServiceManager() override { record("connectToServiceManager"); }
    std::string registeredCommand() override {
        record("registeredCommand");
        return command;
    }
    void changeRegisteredCommand(const std::string& changed) override {
        record("changeRegisteredCommand", " " + changed);
        command = changed;
    }
    void endHosting() override { record("endHosting"); }
    void writeEvent(EventType type, std::uint32_t id, const std::string& message) override {
        record("writeEvent");
        events_.push_back(Entry{type, id, message});
    }

    // The operations called, in order ("install", "writeSetting Parameters/TimerInterval=1000").
    const std::vector<std::string>& calls() const { return calls_; }
    const std::vector<Entry>& events() const { return events_; }
    // The texts of the entries of id 109 of one type, in order: the error reports, or the
    // information entries that say where a session's record moved.
    std::vector<std::string> reports(EventType type) const {
        std::vector<std::string> texts;
        for (const Entry& entry : events_) {
            if (entry.type == type && entry.id == event_id::report) {
                texts.push_back(entry.message);
            }
        }
        return texts;
    }
    std::vector<std::string> errorReports() const { return reports(EventType::error); }

    void answerInstall(bool installed) { installAnswer_ = installed; }
    std::string command = "\"C:\\Q\\Quillmarten.exe\"";
    // What readSetting answers, by "section/key".
    std::map<std::string, std::string> settings;
    // The named operation throws this exception when next called.
    template <typename Exception>
    void failNext(const std::string& operation, const Exception& exception) {
        failures_.insert_or_assign(operation, std::make_exception_ptr(exception));
    }

  private:
    void record(const std::string& operation, const std::string& arguments = "") {
        calls_.push_back(operation + arguments);
        if (const auto failure = failures_.find(operation); failure != failures_.end()) {
            const std::exception_ptr exception = failure->second;
            failures_.erase(failure);
            std::rethrow_exception(exception);
        }
    }

    std::vector<std::string> calls_;
    std::vector<Entry> events_;
    std::map<std::string, std::exception_ptr> failures_;
    bool installAnswer_ = true;
};

} // namespace quillmarten
