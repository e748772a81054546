#pragma once

#include <cstdint>
#include <string>

namespace quillmarten {

namespace event_type {
inline constexpr std::int16_t error = 1;
inline constexpr std::int16_t information = 4;
} // namespace event_type

namespace event_id {
inline constexpr std::int32_t errorReport = 109;
inline constexpr std::int32_t serviceContinued = 110;
} // namespace event_id

// Writes one entry to the Windows event log.
class EventWriter {
  public:
    virtual ~EventWriter() = default;
    virtual void WriteEvent(std::int16_t eventType, std::int32_t eventId,
                            const std::string& message) = 0;
};

// The service control manager's requests, raised on the user-interface thread one at a time.
// A handler sets Success to report the request carried out.
class ServiceEvents {
  public:
    virtual ~ServiceEvents() = default;
    virtual void Start(bool& Success) = 0;
    virtual void Stop() = 0;
    virtual void Pause(bool& Success) = 0;
    virtual void Continue(bool& Success) = 0;
    virtual void Control(std::int32_t mEvent) = 0;
};

// What the program needs of its service host: install and removal, the connection to the
// service control manager, the event log and the service's settings. Operations may raise
// RaisedError.
class ServiceHost : public EventWriter {
  public:
    static constexpr std::int32_t acceptPauseContinue = 2;

    virtual void setInteractiveDesktop(bool interactive) = 0;
    virtual bool InstallService() = 0;
    virtual bool RemoveService() = 0;
    virtual std::string ServiceDisplayName() = 0;
    virtual void WriteSetting(const std::string& section, const std::string& key,
                              const std::string& value) = 0;
    virtual std::string ReadSetting(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) = 0;
    virtual void setAcceptedControls(std::int32_t controls) = 0;
    // Hands the process to the service control manager; the events follow.
    virtual void RunService() = 0;
    virtual void EndService() = 0;
};

} // namespace quillmarten
