#pragma once

#include "doubles/recording_service_host.h"
#include "fake_ports.h"
#include "metering/session_tracker.h"

#include <string>

namespace quillmarten::testing {

// One run of the program as far as metering goes: the tracker with its list, window, tray,
// timers and event log, over a clock and files that outlive it.
struct MeteredProcess {
    MeteredProcess(FileSystem& files, FakeClock& clock, const std::string& logPath)
        : tracker(
              TrackerPorts{clock, list, window, tray, taskbar, meterTimer, hideTimer, host, files},
              rows, logPath, ProgramVersion{"Quillmarten", 1, 0, 0, 45}) {}

    SessionRows rows;
    FakeSessionList list{rows};
    FakeMainWindow window;
    FakeTray tray;
    FakeTaskbar taskbar;
    FakeTimer meterTimer{false};
    FakeTimer hideTimer{true};
    RecordingServiceHost host;
    SessionTracker tracker;
};

} // namespace quillmarten::testing
