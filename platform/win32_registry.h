#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace quillmarten {

// One open registry key under a root such as HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER, closed
// when the object goes.
class RegistryKey {
  public:
    // Creates the key where it is missing, open for reading and writing; nullopt when refused.
    static std::optional<RegistryKey> create(HKEY root, const std::wstring& path);
    static std::optional<RegistryKey> open(HKEY root, const std::wstring& path);
    // Deletes a key that has no subkeys; true when it is gone.
    static bool remove(HKEY root, const std::wstring& path);

    ~RegistryKey();
    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&&) = delete;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    void setText(const wchar_t* name, const std::wstring& value, DWORD type = REG_SZ);
    void setNumber(const wchar_t* name, DWORD value);
    void setBytes(const wchar_t* name, std::string_view bytes);
    void removeValue(const wchar_t* name);
    std::optional<std::wstring> text(const wchar_t* name) const;
    std::optional<std::string> bytes(const wchar_t* name) const;

  private:
    explicit RegistryKey(HKEY key) : key_(key) {}
    // The value's bytes when it is of one of the two types.
    std::optional<std::string> value(const wchar_t* name, DWORD type, DWORD otherType) const;

    HKEY key_;
};

} // namespace quillmarten
