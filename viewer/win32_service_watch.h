#pragma once

#include "viewer_ports.h"

namespace quillmarten {

// The service "Quillmarten" as the service control manager describes it to any user, through
// OpenSCManagerW, OpenServiceW, QueryServiceStatus and QueryServiceConfigW.
class Win32ServiceWatch final : public ServiceWatch {
  public:
    ServiceLookup lookUp() override;
};

} // namespace quillmarten
