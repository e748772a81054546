#pragma once

#include "metering/event_log.h"
#include "metering/tracker_ports.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillmarten {

// The service control manager's requests, raised on the user-interface thread one at a time.
// Start, Pause and Continue return whether the request was carried out.
class ServiceEvents {
  public:
    virtual ~ServiceEvents() = default;
    virtual bool onStart() = 0;
    virtual void onStop() = 0;
    virtual bool onPause() = 0;
    virtual bool onContinue() = 0;
    virtual void onCustomControl(std::uint32_t code) = 0;
};

// The command the service is registered with: its program's path in quotes, so that Windows never
// takes a blank in the path for the end of the program's name and runs, say, "C:\Program.exe".
inline std::string serviceCommandOf(std::string_view programPath) {
    return '"' + std::string(programPath) + '"';
}

// What the program needs of its service host: install and removal, the connection to the
// service control manager, the event log and the service's settings. Operations may raise
// RaisedError.
class ServiceHost : public EventWriter, public ServiceHosting {
  public:
    virtual void setInteractiveDesktop(bool interactive) = 0;
    virtual bool install() = 0;
    virtual bool remove() = 0;
    virtual std::string displayName() = 0;
    virtual void writeSetting(const std::string& section, const std::string& key,
                              const std::string& value) = 0;
    // nullopt when the service has no such setting.
    virtual std::optional<std::string> readSetting(const std::string& section,
                                                   const std::string& key) = 0;
    // Whether the service accepts pause and continue requests besides stop.
    virtual void acceptPauseAndContinue() = 0;
    // Hands the process to the service control manager; its requests follow as ServiceEvents.
    virtual void connectToServiceManager() = 0;
    // The command line the service control manager starts the service with, and a change of it
    // alone, which the manager keeps in its own configuration as well as in the registry.
    virtual std::string registeredCommand() = 0;
    virtual void changeRegisteredCommand(const std::string& command) = 0;
};

} // namespace quillmarten
