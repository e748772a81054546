#pragma once

#include "metering/program_version.h"
#include "metering/tracker_ports.h"
#include "service_host.h"

#include <string>
#include <string_view>

namespace quillmarten {

inline constexpr std::string_view programTitle = "Quillmarten";

class InstanceProbe {
  public:
    virtual ~InstanceProbe() = default;
    // True when another process of the program runs, the service in another session included.
    virtual bool anotherInstanceRunning() = 0;
};

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // A modal box with only an OK button and no icon; returns when the user has closed it.
    virtual void showMessage(const std::string& text, const std::string& caption) = 0;
};

enum class StartOutcome {
    endSilently,      // another instance runs
    endAfterMessage,  // "/i", "/u" or a refused argument: the message was shown
    serving,          // handed to the service control manager
    loadedNotServing, // start-up failed: the window stays, nothing is metered
};

// Everything that follows the program's name on its command line, the blanks in front of the
// first argument skipped; anything after that stays as it is.
std::string commandArgument(std::string_view commandLine);

// What the program does once, when its main window loads: one instance only, the caption,
// then install, remove, refuse or serve according to the command line.
class StartUp {
  public:
    StartUp(InstanceProbe& instances, MainWindow& frmHourMeter, ServiceHost& NTService,
            MessageBoxes& messages, ProgramVersion version);

    StartOutcome Form_Load(const std::string& Command);

  private:
    StartOutcome Avvia_Servizio(const std::string& Command);
    std::string installService();
    std::string removeService();
    void report(const std::string& text);

    InstanceProbe& instances_;
    MainWindow& frmHourMeter_;
    ServiceHost& NTService_;
    MessageBoxes& messages_;
    ProgramVersion version_;
};

} // namespace quillmarten
