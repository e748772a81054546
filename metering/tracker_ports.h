#pragma once

#include "text_forms.h"

#include <cstdint>
#include <string>

// What the session tracker needs of the platform and of the windows around it. Each has one
// Windows implementation and one test double.
namespace quillmarten {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalTime now() = 0;
};

// The session list: rows in the order they were added, never sorted. Rows are 1-based;
// column 1 and 2 are the sub-items beside the row's own text.
class SessionList {
  public:
    virtual ~SessionList() = default;
    virtual void clear() = 0;
    virtual std::int32_t addRow(const std::string& text) = 0;
    virtual std::int32_t rowCount() const = 0;
    virtual void setSubItem(std::int32_t row, int column, const std::string& text) = 0;
    virtual void selectRow(std::int32_t row) = 0;
    virtual void scrollIntoView(std::int32_t row) = 0;
};

class MainWindow {
  public:
    virtual ~MainWindow() = default;
    virtual void setCaption(const std::string& caption) = 0;
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;
};

class TrayPresence {
  public:
    virtual ~TrayPresence() = default;
    // Adds the tray icon in its running form; refused silently while it exists.
    virtual void Icon_To_Tray() = 0;
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
    virtual bool enabled() const = 0;
};

} // namespace quillmarten
