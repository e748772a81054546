#pragma once

#include "basics/calendar.h"
#include "metering/session_rows.h"
#include "metering/tracker_ports.h"

#include <string>

namespace quillmarten::testing {

class FakeClock final : public Clock {
  public:
    LocalTime now() override { return time; }
    std::int64_t steadySeconds() override { return steady; }
    std::int64_t unixSeconds() override { return unixTime; }
    // Moves the clocks on by whole seconds.
    void advance(int seconds) {
        steady += seconds;
        unixTime += seconds;
        moveWallClock(seconds);
    }
    // Moves the local wall clock alone, forward or back, as a user, a time server or a change of
    // daylight saving does.
    void moveWallClock(std::int64_t seconds) {
        const std::int64_t at = wallClockSeconds(time) + seconds;
        const std::int64_t day = at / secondsPerDay - (at % secondsPerDay < 0 ? 1 : 0);
        const auto daySeconds = static_cast<int>(at - day * secondsPerDay);
        time = LocalTime{dateOfDay(day), daySeconds / 3600, daySeconds / 60 % 60, daySeconds % 60};
    }

    LocalTime time{{2026, 12, 5}, 8, 3, 7};
    std::int64_t steady = 1000;
    std::int64_t unixTime = 1'796'457'787; // the wall clock's time, taken as UTC
};

// The list as the user sees it: the texts of every row it shows, read from the rows.
class FakeSessionList final : public SessionListView {
  public:
    explicit FakeSessionList(const SessionRows& rows) : rows_(rows) {}

    void showRows(std::size_t count) override {
        rowCount = count;
        ++changes;
    }
    void refreshRow(std::size_t) override { ++changes; }
    void selectAndReveal(std::size_t row) override { selected = row; }

    std::string row(std::size_t index) const {
        using Column = SessionRows::Column;
        return rows_.cellText(index, Column::start) + " " + rows_.cellText(index, Column::stop) +
               " " + rows_.cellText(index, Column::timeInUse);
    }

    std::size_t rowCount = 0;
    std::size_t selected = 0;
    int changes = 0; // rows shown or drawn again

  private:
    const SessionRows& rows_;
};

class FakeMainWindow final : public MainWindow {
  public:
    void setCaption(const std::string& text) override { caption = text; }
    bool isVisible() const override { return visible; }
    void setVisible(bool shown) override {
        visible = shown;
        ++visibilityChanges;
    }

    std::string caption;
    bool visible = true;
    int visibilityChanges = 0;
};

class FakeTray final : public TrayPresence {
  public:
    void addRunningIcon() override { ++adds; }
    void showPicture(TrayPicture shown) override { picture = shown; }
    void removeIcon() override { ++removals; }
    int adds = 0;
    int removals = 0;
    TrayPicture picture = TrayPicture::running;
};

class FakeTaskbar final : public TaskbarProbe {
  public:
    bool taskbarExists() override { return present; }
    bool present = true;
};

class FakeTimer final : public Timer {
  public:
    explicit FakeTimer(bool on) : enabled(on) {}
    void setEnabled(bool on) override { enabled = on; }
    bool enabled;
};

} // namespace quillmarten::testing
