#pragma once

#include "doubles/memory_file_system.h"
#include "doubles/recording_service_host.h"
#include "fake_ports.h"
#include "metering/session_tracker.h"

#include <memory>
#include <string>

namespace quillmarten::testing {

// The main window's caption before the total, for a program of version 1.0.45.
inline const std::string captionPrefix = "Quillmarten - Version 1.0.45 - At work since ";

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

// Runs of the program, one after the other, over one log on the same clock.
struct MeteredMachine {
    explicit MeteredMachine(std::string path) : logPath(std::move(path)) {}
    MeteredProcess& start() {
        run = std::make_unique<MeteredProcess>(files, clock, logPath);
        run->tracker.start();
        return *run;
    }
    // The clocks move on, then the meter's timer fires; `times` over.
    void tick(int secondsLater, int times = 1) {
        for (int time = 0; time < times; ++time) {
            clock.advance(secondsLater);
            run->tracker.onMeterTick();
        }
    }
    std::string& log() { return files.contents(logPath); }

    std::string logPath;
    FakeClock clock;
    MemoryFileSystem files;
    std::unique_ptr<MeteredProcess> run;
};

} // namespace quillmarten::testing
