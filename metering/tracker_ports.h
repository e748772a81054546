#pragma once

#include "basics/date_time.h"

#include <cstddef>
#include <cstdint>
#include <string>

// What the session tracker and the requests around it need of the platform and of the windows.
// Each has one Windows implementation and one test double.
namespace quillmarten {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalTime now() = 0;
    // Seconds on a clock that only moves forward, whatever is done to the wall clock.
    virtual std::int64_t steadySeconds() = 0;
    // Seconds since 1970-01-01 00:00:00 UTC, as other machines read a moment.
    virtual std::int64_t unixSeconds() = 0;
};

// The session list, drawn from a SessionRows: rows in the order they were added, never
// sorted, counted from 0.
class SessionListView {
  public:
    virtual ~SessionListView() = default;
    // The rows were filled anew and hold `count` rows.
    virtual void showRows(std::size_t count) = 0;
    virtual void refreshRow(std::size_t row) = 0;
    // Selects the row and scrolls it into view.
    virtual void selectAndReveal(std::size_t row) = 0;
};

class MainWindow {
  public:
    virtual ~MainWindow() = default;
    virtual void setCaption(const std::string& caption) = 0;
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;
};

// Green while metering runs, red while it is paused, grey while the service does not run.
enum class TrayPicture { running, paused, stopped };

// The program's icon in the notification area.
class TrayPresence {
  public:
    virtual ~TrayPresence() = default;
    // Adds the icon in its running form; refused silently while it exists.
    virtual void addRunningIcon() = 0;
    virtual void showPicture(TrayPicture picture) = 0;
    virtual void removeIcon() = 0;
};

class TaskbarProbe {
  public:
    virtual ~TaskbarProbe() = default;
    virtual bool taskbarExists() = 0;
};

class Timer {
  public:
    virtual ~Timer() = default;
    virtual void setEnabled(bool enabled) = 0;
};

// The connection to the service control manager, as far as the windows need it.
class ServiceHosting {
  public:
    virtual ~ServiceHosting() = default;
    // Tells the service control manager that the service has stopped.
    virtual void endHosting() = 0;
};

} // namespace quillmarten
