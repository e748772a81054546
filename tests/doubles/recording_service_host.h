#pragma once

#include "service/service_host.h"

#include <cstdint>
#include <exception>
#include <map>
#include <string>
#include <vector>

namespace quillmarten {

// A service host that records every call, answers as told and raises the service events on
// request, so that tests can drive the program as the service control manager would.
class RecordingServiceHost final : public ServiceHost {
  public:
    struct Entry {
        EventType type;
        std::uint32_t id;
        std::string message;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    void setInteractiveDesktop(bool interactive) override;
    bool install() override;
    bool remove() override;
    std::string displayName() override;
    void writeSetting(const std::string& section, const std::string& key,
                      const std::string& value) override;
    void acceptPauseAndContinue() override;
    void connectToServiceManager() override;
    void endHosting() override;
    void writeEvent(EventType type, std::uint32_t id, const std::string& message) override;

    // The operations called, in order ("install", "writeSetting Parameters/TimerInterval=1000").
    const std::vector<std::string>& calls() const { return calls_; }
    const std::vector<Entry>& events() const { return events_; }
    // The texts of the error reports (error entries of id 109), in order.
    std::vector<std::string> errorReports() const;

    void answerInstall(bool installed) { installAnswer_ = installed; }
    // The named operation throws this exception when next called.
    template <typename Exception>
    void failNext(const std::string& operation, const Exception& exception) {
        failures_.insert_or_assign(operation, std::make_exception_ptr(exception));
    }

  private:
    void record(const std::string& call, const std::string& operation);

    std::vector<std::string> calls_;
    std::vector<Entry> events_;
    std::map<std::string, std::exception_ptr> failures_;
    bool installAnswer_ = true;
};

} // namespace quillmarten
