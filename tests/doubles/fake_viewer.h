#pragma once

#include "viewer/viewer_ports.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quillmarten::testing {

class FakeServiceWatch final : public ServiceWatch {
  public:
    ServiceLookup lookUp() override {
        ++lookups;
        return lookup;
    }
    bool watchForChange(std::optional<ServiceState> state) override {
        watchedFrom = state;
        return tells;
    }
    ServiceLookup lookup{{true, ServiceState::running},
                         "\"C:\\Program Files\\Quill Meter\\Quillmarten.exe\""};
    bool tells = true;
    int lookups = 0;
    std::optional<ServiceState> watchedFrom;
};

class FakeViewerWindow final : public ViewerWindow {
  public:
    void setCaption(const std::string& text) override {
        caption = text;
        ++changes;
    }
    bool isVisible() const override { return visible; }
    void setVisible(bool shown) override { visible = shown; }
    void setStatusParts(const std::vector<std::string>& parts) override {
        status = parts;
        ++changes;
    }
    void showChart(const UsageChart& shown) override {
        chart = shown;
        ++chartsShown;
    }
    std::string placement() const override { return place; }
    void restorePlacement(std::string_view stored) override { place = stored; }
    void close() override { closed = true; }

    std::string caption;
    bool visible = false;
    std::vector<std::string> status;
    std::string place = "where the user left it";
    bool closed = false;
    int changes = 0; // of the caption and the status bar
    UsageChart chart;
    int chartsShown = 0;
};

// Text and bytes alike, under their key and name.
class FakeUserSettings final : public UserSettings {
  public:
    std::optional<std::string> text(const std::string& key, const std::string& name) override {
        return bytes(key, name);
    }
    void setText(const std::string& key, const std::string& name,
                 const std::string& value) override {
        setBytes(key, name, value);
    }
    std::optional<std::string> bytes(const std::string& key, const std::string& name) override {
        const auto value = values.find({key, name});
        return value == values.end() ? std::nullopt : std::optional(value->second);
    }
    void setBytes(const std::string& key, const std::string& name,
                  std::string_view value) override {
        values[{key, name}] = std::string(value);
    }
    void remove(const std::string& key, const std::string& name) override {
        values.erase({key, name});
    }

    std::map<std::pair<std::string, std::string>, std::string> values;
};

class FakeSaveDialog final : public SaveDialog {
  public:
    std::optional<std::string> askSavePath(const std::string& proposedName) override {
        proposed = proposedName;
        return answer;
    }
    std::string proposed;
    std::optional<std::string> answer;
};

} // namespace quillmarten::testing
