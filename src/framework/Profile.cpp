#include "framework/Profile.h"

namespace profile {
namespace {
std::wstring& RegistryPath() {
    static std::wstring path = L"Software\\Varolin";
    return path;
}

OwnedKey OpenSection(const wchar_t* section) {
    HKEY key = nullptr;
    const std::wstring path = RegistryPath() + L"\\" + section;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    return OwnedKey(key);
}

// Opens the section's key, creating it when missing; empty on failure.
OwnedKey CreateSection(const wchar_t* section) {
    HKEY key = nullptr;
    const std::wstring path = RegistryPath() + L"\\" + section;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return {};
    return OwnedKey(key);
}
}  // namespace

void SetProfileRegistryKey(const std::wstring& company, const std::wstring& application) {
    RegistryPath() = L"Software\\" + company + L"\\" + application;
}

const std::wstring& GetProfileRegistryPath() { return RegistryPath(); }

UINT GetProfileInt(const wchar_t* section, const wchar_t* entry, int defaultValue) {
    const OwnedKey key = OpenSection(section);
    if (!key) return static_cast<UINT>(defaultValue);
    DWORD type = 0, value = 0, size = sizeof(value);
    if (RegQueryValueExW(key.Get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return static_cast<UINT>(defaultValue);
    return value;
}

bool WriteProfileInt(const wchar_t* section, const wchar_t* entry, int value) {
    const OwnedKey key = CreateSection(section);
    if (!key) return false;
    const DWORD data = static_cast<DWORD>(value);
    return RegSetValueExW(key.Get(), entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)) ==
           ERROR_SUCCESS;
}

bool GetProfileBinary(const wchar_t* section, const wchar_t* entry, std::vector<BYTE>& data) {
    const OwnedKey key = OpenSection(section);
    if (!key) return false;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.Get(), entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_BINARY)
        return false;
    data.assign(size, 0);
    if (RegQueryValueExW(key.Get(), entry, nullptr, &type, data.data(), &size) != ERROR_SUCCESS || type != REG_BINARY)
        return false;
    data.resize(size);
    return true;
}

bool WriteProfileBinary(const wchar_t* section, const wchar_t* entry, const void* data, size_t size) {
    const OwnedKey key = CreateSection(section);
    if (!key) return false;
    return RegSetValueExW(key.Get(), entry, 0, REG_BINARY, static_cast<const BYTE*>(data), static_cast<DWORD>(size)) ==
           ERROR_SUCCESS;
}

}  // namespace profile
