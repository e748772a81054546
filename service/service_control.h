#pragma once

#include "desktop/tray_icon.h"
#include "metering/raised_error.h"
#include "metering/session_tracker.h"
#include "service_host.h"

#include <cstdint>

namespace quillmarten {

class ProgramLifetime {
  public:
    virtual ~ProgramLifetime() = default;
    // Unloads the main window as the program's own request; the program ends with it.
    virtual void unloadMainWindow() = 0;
    // Ends the program at once with this exit code.
    virtual void endProgram(int exitCode) = 0;
};

// The service control manager's requests: Start begins metering, Pause and Continue switch the
// tick and the icon, Stop removes the icon and ends the program, custom requests do nothing.
class ServiceControl final : public ServiceEvents {
  public:
    ServiceControl(SessionTracker& tracker, TrayIcon& tray, Timer& Timer1, EventWriter& events,
                   ProgramLifetime& program);

    void Start(bool& Success) override;
    void Stop() override;
    void Pause(bool& Success) override;
    void Continue(bool& Success) override;
    void Control(std::int32_t mEvent) override;

    // The process could not be handed to the service control manager, for instance because
    // something other than it started the program: waiting would be for ever.
    void hostingFailed(const RaisedError& error);

  private:
    template <typename Steps> void guarded(Steps steps);

    SessionTracker& tracker_;
    TrayIcon& tray_;
    Timer& Timer1_;
    EventWriter& events_;
    ProgramLifetime& program_;
};

} // namespace quillmarten
