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

// Everything that follows the program's name on its command line, split as Windows splits it:
// a quoted name ends at its closing quote, an unquoted one at the first blank. The blanks in
// front of the argument are skipped; anything after that stays as it is.
std::string commandArgument(std::string_view commandLine);

// What the program does once, when it starts: one instance only, the caption, then install,
// remove, refuse or serve according to the command line's argument, compared exactly.
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
