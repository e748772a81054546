// Registry keys and values through RegCreateKeyExW, RegOpenKeyExW, RegQueryValueExW,
// RegSetValueExW and the deletes; a refusal is answered by an empty result, never an exception.
#include "platform/win32_registry.h"

namespace quillmarten {

std::optional<RegistryKey> RegistryKey::create(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return RegistryKey(key);
}

std::optional<RegistryKey> RegistryKey::open(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return RegistryKey(key);
}

bool RegistryKey::remove(HKEY root, const std::wstring& path) {
    return RegDeleteKeyW(root, path.c_str()) == ERROR_SUCCESS;
}

RegistryKey::~RegistryKey() {
    if (key_ != nullptr) {
        RegCloseKey(key_);
    }
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept : key_(other.key_) {
    other.key_ = nullptr;
}

void RegistryKey::setText(const wchar_t* name, const std::wstring& value, DWORD type) {
    RegSetValueExW(key_, name, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void RegistryKey::setNumber(const wchar_t* name, DWORD value) {
    RegSetValueExW(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void RegistryKey::setBytes(const wchar_t* name, std::string_view bytes) {
    RegSetValueExW(key_, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
}

void RegistryKey::removeValue(const wchar_t* name) {
    RegDeleteValueW(key_, name);
}

std::optional<std::wstring> RegistryKey::text(const wchar_t* name) const {
    const auto stored = value(name, REG_SZ, REG_EXPAND_SZ);
    if (!stored) {
        return std::nullopt;
    }
    std::wstring text(stored->size() / sizeof(wchar_t), L'\0');
    stored->copy(reinterpret_cast<char*>(text.data()), text.size() * sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
}

std::optional<std::string> RegistryKey::bytes(const wchar_t* name) const {
    return value(name, REG_BINARY, REG_BINARY);
}

std::optional<std::string> RegistryKey::value(const wchar_t* name, DWORD type,
                                              DWORD otherType) const {
    DWORD stored = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key_, name, nullptr, &stored, nullptr, &size) != ERROR_SUCCESS ||
        (stored != type && stored != otherType)) {
        return std::nullopt;
    }
    std::string bytes(size, '\0');
    if (RegQueryValueExW(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(bytes.data()),
                         &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    bytes.resize(size);
    return bytes;
}

} // namespace quillmarten
