#pragma once

#include "desktop/about_window_events.h"
#include "desktop/main_window_events.h"
#include "desktop/tray_icon.h"
#include "service/service_control.h"
#include "service/start_up.h"

#include <array>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace quillmarten::testing {

// One call to the notification area; a removal names no picture and no tooltip.
struct TrayCall {
    std::string operation;
    TrayPicture picture;
    std::string tooltip;
    bool operator==(const TrayCall&) const = default;
    friend void PrintTo(const TrayCall& call, std::ostream* out) {
        *out << call.operation << ' ' << static_cast<int>(call.picture) << " \"" << call.tooltip
             << '"';
    }
};

class FakeNotificationArea final : public NotificationArea {
  public:
    void add(TrayPicture picture, std::string_view tooltip) override {
        calls.push_back({"add", picture, std::string(tooltip)});
    }
    void change(TrayPicture picture, std::string_view tooltip) override {
        calls.push_back({"change", picture, std::string(tooltip)});
    }
    void remove() override { calls.push_back({"remove", {}, {}}); }
    void returnFocus() override { calls.push_back({"focus", {}, {}}); }
    std::vector<TrayCall> calls;
};

// Chooses an item when told to.
class FakePopupMenu final : public PopupMenu {
  public:
    bool open(std::optional<ScreenPoint> at) override {
        ++opened;
        anchor = at;
        return chooses;
    }
    int opened = 0;
    std::optional<ScreenPoint> anchor;
    bool chooses = false;
};

class FakeStacking final : public WindowStacking {
  public:
    void makeTopmost() override {}
};

class FakeAboutOpener final : public AboutWindowOpener {
  public:
    void showAboutWindow() override {}
};

class FakeAboutView final : public AboutWindowView {
  public:
    void moveTo(int left, int top) override { place = {left, top}; }
    void makeTopmost() override {}
    void setLinkColour(AboutLinkKind link, std::uint32_t rgb) override {
        colours[static_cast<std::size_t>(link)] = rgb;
    }
    std::pair<int, int> place{-1, -1};
    std::array<std::uint32_t, 2> colours{linkBlue, linkBlue};
};

class FakeShell final : public Shell {
  public:
    void open(std::string_view target) override { opened.emplace_back(target); }
    std::vector<std::string> opened;
};

class FakeInstances final : public InstanceProbe {
  public:
    bool anotherInstanceRunning() override { return another; }
    bool startedAsService() override { return asService; }
    bool another = false;
    bool asService = false;
};

class FakeMessageBoxes final : public MessageBoxes {
  public:
    void showMessage(const std::string& text, const std::string& caption) override {
        shown.emplace_back(text, caption);
    }
    std::vector<std::pair<std::string, std::string>> shown;
};

class FakeLifetime final : public ProgramLifetime {
  public:
    void unloadMainWindow() override { ++unloads; }
    void endProgram(int code) override { exitCode = code; }
    int unloads = 0;
    int exitCode = -1;
};

} // namespace quillmarten::testing
