#pragma once

#include "metering/program_version.h"
#include "start_up.h"

#include <windows.h>

#include <string>

namespace quillmarten {

// One named mutex in the global namespace, held for the life of the process, so that a start
// from a user's desktop also sees the service running in its own session.
class Win32InstanceProbe final : public InstanceProbe {
  public:
    Win32InstanceProbe();
    ~Win32InstanceProbe() override;
    Win32InstanceProbe(const Win32InstanceProbe&) = delete;
    Win32InstanceProbe& operator=(const Win32InstanceProbe&) = delete;

    bool anotherInstanceRunning() override { return another_; }

  private:
    HANDLE mutex_;
    bool another_;
};

class Win32MessageBoxes final : public MessageBoxes {
  public:
    void showMessage(const std::string& text, const std::string& caption) override;
};

// The file description and the version numbers of the executable's version resource.
ProgramVersion readProgramVersion(const std::wstring& executable);

} // namespace quillmarten
