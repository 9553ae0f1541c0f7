#include "support/TestRegistry.h"

#include "framework/Profile.h"

namespace {
std::wstring SectionPath(const std::wstring& section) { return std::wstring(kVarolinKey) + L"\\" + section; }
}  // namespace

void DeleteVarolinKey() { RegDeleteTreeW(HKEY_CURRENT_USER, kVarolinKey); }

DWORD RegistryValue::AsDword() const {
    if (data.size() < 4) return 0;
    return static_cast<DWORD>(data[0]) | static_cast<DWORD>(data[1]) << 8 |
           static_cast<DWORD>(data[2]) << 16 | static_cast<DWORD>(data[3]) << 24;
}

std::optional<RegistryValue> ReadRegistryValue(const std::wstring& section, const std::wstring& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    RegistryValue value;
    DWORD size = 0;
    LONG rc = RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &size);
    if (rc == ERROR_SUCCESS) {
        value.data.resize(size);
        rc = RegQueryValueExW(key, name.c_str(), nullptr, &value.type, value.data.data(), &size);
        value.data.resize(size);
    }
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return std::nullopt;
    return value;
}

bool WriteRegistryValue(const std::wstring& section, const std::wstring& name, DWORD type,
                        const std::vector<std::uint8_t>& data) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, 0, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG rc = RegSetValueExW(key, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool WriteRegistryDword(const std::wstring& section, const std::wstring& name, DWORD value) {
    return WriteRegistryValue(section, name, REG_DWORD,
                              {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                               static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

bool WriteRegistryString(const std::wstring& section, const std::wstring& name, const std::wstring& value) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(value.c_str());
    return WriteRegistryValue(section, name, REG_SZ,
                              std::vector<std::uint8_t>(bytes, bytes + (value.size() + 1) * sizeof(wchar_t)));
}

void CleanRegistryTest::SetUp() {
    profile::SetProfileRegistryKey(L"Ovelia", L"Varolin");
    DeleteVarolinKey();
}
void CleanRegistryTest::TearDown() { DeleteVarolinKey(); }
