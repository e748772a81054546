#pragma once

#include "service_host.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quillmarten {

// A service host that records every call, answers as told and raises the service events on
// request, so that tests can drive the program as the service control manager would.
class RecordingServiceHost final : public ServiceHost {
  public:
    struct Entry {
        std::int16_t type;
        std::int32_t id;
        std::string message;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    void setInteractiveDesktop(bool interactive) override;
    bool InstallService() override;
    bool RemoveService() override;
    std::string ServiceDisplayName() override;
    void WriteSetting(const std::string& section, const std::string& key,
                      const std::string& value) override;
    std::string ReadSetting(const std::string& section, const std::string& key,
                            const std::string& defaultValue) override;
    void setAcceptedControls(std::int32_t controls) override;
    void RunService() override;
    void EndService() override;
    void WriteEvent(std::int16_t eventType, std::int32_t eventId,
                    const std::string& message) override;

    // The operations called, by name, in order ("InstallService", "WriteSetting
    // Parameters/TimerInterval=1000", ...).
    const std::vector<std::string>& calls() const { return calls_; }
    const std::vector<Entry>& events() const { return events_; }

    void answerInstall(bool installed) { installAnswer_ = installed; }
    void answerRemove(bool removed) { removeAnswer_ = removed; }
    // The named operation raises this error (number and description) when next called.
    void failNext(const std::string& operation, std::int32_t number, std::string description);

    // The service control manager's requests, delivered as the Windows host delivers them.
    void connect(ServiceEvents& handlers) { handlers_ = &handlers; }
    bool requestStart(bool success = false);
    void requestStop();
    bool requestPause(bool success = false);
    bool requestContinue(bool success = false);
    void requestControl(std::int32_t code);

  private:
    void record(const std::string& call, const std::string& operation);

    struct Failure {
        std::int32_t number;
        std::string description;
    };

    std::vector<std::string> calls_;
    std::vector<Entry> events_;
    std::map<std::string, std::string> settings_;
    std::map<std::string, Failure> failures_;
    bool installAnswer_ = true;
    bool removeAnswer_ = true;
    ServiceEvents* handlers_ = nullptr;
};

} // namespace quillmarten
