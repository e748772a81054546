#pragma once

#include "metering/event_log.h"
#include "metering/tracker_ports.h"

#include <cstdint>
#include <optional>
#include <string>

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
};

} // namespace quillmarten
