#include "viewer/win32_user_settings.h"

#include "platform/win32_registry.h"
#include "platform/win32_text.h"

namespace quillmarten {

std::optional<std::string> Win32UserSettings::text(const std::string& key,
                                                   const std::string& name) {
    const auto opened = RegistryKey::open(HKEY_CURRENT_USER, widen(key));
    const auto value = opened ? opened->text(widen(name).c_str()) : std::nullopt;
    return value ? std::optional(narrow(*value)) : std::nullopt;
}

void Win32UserSettings::setText(const std::string& key, const std::string& name,
                                const std::string& value) {
    if (auto opened = RegistryKey::create(HKEY_CURRENT_USER, widen(key))) {
        opened->setText(widen(name).c_str(), widen(value));
    }
}

std::optional<std::string> Win32UserSettings::bytes(const std::string& key,
                                                    const std::string& name) {
    const auto opened = RegistryKey::open(HKEY_CURRENT_USER, widen(key));
    return opened ? opened->bytes(widen(name).c_str()) : std::nullopt;
}

void Win32UserSettings::setBytes(const std::string& key, const std::string& name,
                                 std::string_view value) {
    if (auto opened = RegistryKey::create(HKEY_CURRENT_USER, widen(key))) {
        opened->setBytes(widen(name).c_str(), value);
    }
}

void Win32UserSettings::remove(const std::string& key, const std::string& name) {
    if (auto opened = RegistryKey::create(HKEY_CURRENT_USER, widen(key))) {
        opened->removeValue(widen(name).c_str());
    }
}

} // namespace quillmarten
