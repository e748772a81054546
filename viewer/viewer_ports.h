#pragma once

#include "viewer/usage_chart.h"

#include "basics/service_state.h"
#include "metering/tracker_ports.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the viewer needs of the platform beyond metering's clock, files and session list. Each
// has one Windows implementation and one test double.
namespace quillmarten {

// What the service control manager says of the service: that it is not installed, or its state
// unless the manager would not say.
struct ServiceStatus {
    bool installed = false;
    std::optional<ServiceState> state; // nullopt when not installed or not told
};

struct ServiceLookup {
    ServiceStatus status;
    std::string command; // the command line the service runs, empty when it is not known
};

class ServiceWatch {
  public:
    virtual ~ServiceWatch() = default;
    // Asks about the service "Quillmarten" with the rights every user has.
    virtual ServiceLookup lookUp() = 0;
    // Asks to be told once when the service the last lookUp found leaves `state` (any state when
    // it is not known) or is being removed: the news arrives later on the user-interface thread,
    // as a call to the viewer's onServiceChanged. Returns false when the platform cannot tell; the
    // viewer asks again then.
    virtual bool watchForChange(std::optional<ServiceState> state) = 0;
};

// The viewer's window: a caption, the session list, and a status bar.
class ViewerWindow : public MainWindow {
  public:
    // Left to right; the first part takes the room the others leave.
    virtual void setStatusParts(const std::vector<std::string>& parts) = 0;
    virtual void showChart(const UsageChart& chart) = 0;
    // Where the window is and how large, in the platform's own form, and back.
    virtual std::string placement() const = 0;
    virtual void restorePlacement(std::string_view placement) = 0;
    // Closes the window, which ends the program.
    virtual void close() = 0;
};

// The user's own settings, which need no administrator: HKEY_CURRENT_USER on Windows. A
// refused change is not reported: reading shows what is there.
class UserSettings {
  public:
    virtual ~UserSettings() = default;
    virtual std::optional<std::string> text(const std::string& key, const std::string& name) = 0;
    virtual void setText(const std::string& key, const std::string& name,
                         const std::string& value) = 0;
    virtual std::optional<std::string> bytes(const std::string& key, const std::string& name) = 0;
    virtual void setBytes(const std::string& key, const std::string& name,
                          std::string_view value) = 0;
    virtual void remove(const std::string& key, const std::string& name) = 0;
};

class SaveDialog {
  public:
    virtual ~SaveDialog() = default;
    // Asks where to save, proposing a file name; nullopt when the user cancels.
    virtual std::optional<std::string> askSavePath(const std::string& proposedName) = 0;
};

} // namespace quillmarten
