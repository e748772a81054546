#pragma once

#include "basics/program_version.h"
#include "metering/tracker_ports.h"
#include "service/service_host.h"

#include <string>
#include <string_view>

namespace quillmarten {

inline constexpr std::string_view programTitle = "Quillmarten";

class InstanceProbe {
  public:
    virtual ~InstanceProbe() = default;
    // True when another process holds the program's single-instance name: the service in
    // another session, or any program at all, since any may take the name.
    virtual bool anotherInstanceRunning() = 0;
    // True when the service control manager is starting this very process as the service.
    virtual bool startedAsService() = 0;
};

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // A modal box with only an OK button and no icon; returns when the user has closed it.
    virtual void showMessage(const std::string& text, const std::string& caption) = 0;
};

enum class StartOutcome {
    endSilently,      // another instance runs, and the manager is not starting this one
    endAfterMessage,  // "/i", "/u" or a refused argument: the message was shown
    serving,          // handed to the service control manager
    loadedNotServing, // start-up failed: the window stays, nothing is metered
};

// Everything that follows the program's name on its command line, split as Windows splits it:
// a quoted name ends at its closing quote, an unquoted one at the first blank. The blanks in
// front of the argument are skipped; anything after that stays as it is.
std::string commandArgument(std::string_view commandLine);

// What the program does once, when it starts: one instance only, the caption, then install,
// remove, refuse or serve according to the command line's argument, compared exactly. The service
// control manager keeps one instance of a service itself, so its start serves whoever holds the
// single-instance name: no program can keep the meter from starting by taking that name first.
class StartUp {
  public:
    StartUp(InstanceProbe& instances, MainWindow& mainWindow, ServiceHost& serviceHost,
            MessageBoxes& messages, ProgramVersion version);

    StartOutcome run(const std::string& argument);

  private:
    StartOutcome actOnArgument(const std::string& argument);
    std::string installService();
    std::string removeService();

    InstanceProbe& instances_;
    MainWindow& mainWindow_;
    ServiceHost& serviceHost_;
    MessageBoxes& messages_;
    ProgramVersion version_;
};

} // namespace quillmarten
