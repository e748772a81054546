#pragma once

#include "metering/tracker_ports.h"

#include <array>
#include <string>
#include <vector>

namespace quillmarten::testing {

class FakeClock final : public Clock {
  public:
    LocalTime now() override { return time; }
    void set(int year, int month, int day, int hour, int minute, int second) {
        time = LocalTime{year, month, day, hour, minute, second};
    }
    // Moves the clock on by whole seconds, carrying into minutes and hours within one day.
    void advance(int seconds) {
        int daySeconds = time.hour * 3600 + time.minute * 60 + time.second + seconds;
        time.hour = daySeconds / 3600 % 24;
        time.minute = daySeconds / 60 % 60;
        time.second = daySeconds % 60;
    }

    LocalTime time{2026, 12, 5, 8, 3, 7};
};

class FakeSessionList final : public SessionList {
  public:
    struct Row {
        std::array<std::string, 3> columns;
    };

    void clear() override { rows.clear(); }
    std::int32_t addRow(const std::string& text) override {
        rows.push_back(Row{{text, "", ""}});
        return static_cast<std::int32_t>(rows.size());
    }
    std::int32_t rowCount() const override { return static_cast<std::int32_t>(rows.size()); }
    void setSubItem(std::int32_t row, int column, const std::string& text) override {
        rows.at(static_cast<std::size_t>(row - 1)).columns.at(static_cast<std::size_t>(column)) =
            text;
    }
    void selectRow(std::int32_t row) override { selected = row; }
    void scrollIntoView(std::int32_t row) override { visibleRow = row; }

    const std::array<std::string, 3>& row(std::int32_t number) const {
        return rows.at(static_cast<std::size_t>(number - 1)).columns;
    }

    std::vector<Row> rows;
    std::int32_t selected = 0;
    std::int32_t visibleRow = 0;
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
    void Icon_To_Tray() override { ++adds; }
    int adds = 0;
};

class FakeTaskbar final : public TaskbarProbe {
  public:
    bool taskbarExists() override { return present; }
    bool present = true;
};

class FakeTimer final : public Timer {
  public:
    explicit FakeTimer(bool on = false) : on_(on) {}
    void setEnabled(bool on) override { on_ = on; }
    bool enabled() const override { return on_; }

  private:
    bool on_;
};

} // namespace quillmarten::testing
