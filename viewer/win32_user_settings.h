#pragma once

#include "viewer/viewer_ports.h"

namespace quillmarten {

// The user's settings as registry values under HKEY_CURRENT_USER: texts as REG_SZ, bytes as
// REG_BINARY, in UTF-16 and UTF-8 on either side.
class Win32UserSettings final : public UserSettings {
  public:
    std::optional<std::string> text(const std::string& key, const std::string& name) override;
    void setText(const std::string& key, const std::string& name,
                 const std::string& value) override;
    std::optional<std::string> bytes(const std::string& key, const std::string& name) override;
    void setBytes(const std::string& key, const std::string& name, std::string_view value) override;
    void remove(const std::string& key, const std::string& name) override;
};

} // namespace quillmarten
