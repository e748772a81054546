#pragma once

#include "metering/metrics_file.h"
#include "metering/session_tracker.h"
#include "service/service_host.h"

#include <string>

namespace quillmarten {

class ProgramLifetime {
  public:
    virtual ~ProgramLifetime() = default;
    // Unloads the main window as the program's own request; the program ends with it.
    virtual void unloadMainWindow() = 0;
    // Ends the program at once with this exit code.
    virtual void endProgram(int exitCode) = 0;
};

// The service control manager's requests: Start makes the service's registered command the quoted
// path of `programPath` and begins metering, Pause and Continue switch the tick, the icon and the
// metrics file, Stop removes the icon and ends the program, custom requests do nothing. Whatever
// fails inside a request is reported and the request returns normally.
class ServiceControl final : public ServiceEvents {
  public:
    ServiceControl(SessionTracker& tracker, MetricsFile& metrics, TrayPresence& tray,
                   Timer& meterTimer, ServiceHost& host, ProgramLifetime& program,
                   std::string programPath);

    bool onStart() override;
    void onStop() override;
    bool onPause() override;
    bool onContinue() override;
    void onCustomControl(std::uint32_t code) override;

    // The process could not be handed to the service control manager, for instance because
    // something other than it started the program: waiting would be for ever.
    void onHostingFailed(const RaisedError& error);

  private:
    template <typename Steps> void guarded(Steps steps);
    void quoteRegisteredCommand();
    // Writes the request's entry, then shows the state's picture, ticks while it is the running
    // one, and says it in the metrics file.
    bool switchMetering(EventType type, std::uint32_t eventId, const std::string& entry,
                        MeterState state);

    SessionTracker& tracker_;
    MetricsFile& metrics_;
    TrayPresence& tray_;
    Timer& meterTimer_;
    ServiceHost& host_;
    ProgramLifetime& program_;
    std::string programPath_;
};

} // namespace quillmarten
