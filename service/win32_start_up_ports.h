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
    ~Win32InstanceProbe() override;
    bool anotherInstanceRunning() override;

  private:
    HANDLE mutex_ = nullptr;
};

class Win32MessageBoxes final : public MessageBoxes {
  public:
    void showMessage(const std::string& text, const std::string& caption) override;
};

std::wstring executablePath();

// The file description and the version numbers of the executable's version resource.
ProgramVersion readProgramVersion(const std::wstring& executable);

} // namespace quillmarten
