#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quillmarten {

// One open registry key, closed when the object goes.
class RegistryKey {
  public:
    // Creates the key under HKEY_LOCAL_MACHINE where it is missing; nullopt when refused.
    static std::optional<RegistryKey> create(const std::wstring& path);
    static std::optional<RegistryKey> open(const std::wstring& path);
    // Deletes a key that has no subkeys; true when it is gone.
    static bool remove(const std::wstring& path);

    ~RegistryKey();
    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&&) = delete;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    void setText(const wchar_t* name, const std::wstring& value, DWORD type = REG_SZ);
    void setNumber(const wchar_t* name, DWORD value);
    std::optional<std::wstring> text(const wchar_t* name) const;

  private:
    explicit RegistryKey(HKEY key) : key_(key) {}
    HKEY key_;
};

} // namespace quillmarten
