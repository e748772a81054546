#pragma once

#include "basics/program_version.h"
#include "platform/win32_named_mutex.h"
#include "service/start_up.h"

#include <windows.h>

#include <string>

namespace quillmarten {

// A mutex in the global namespace, so that a start from a user's desktop also sees the service
// running in its own session.
class Win32InstanceProbe final : public InstanceProbe {
  public:
    bool anotherInstanceRunning() override { return mutex_.madeElsewhere(); }
    bool startedAsService() override;

  private:
    Win32NamedMutex mutex_{L"Global\\Quillmarten.SingleInstance"};
};

class Win32MessageBoxes final : public MessageBoxes {
  public:
    void showMessage(const std::string& text, const std::string& caption) override;
};

// The file description and the version numbers of the executable's version resource.
ProgramVersion readProgramVersion(const std::wstring& executable);

} // namespace quillmarten
