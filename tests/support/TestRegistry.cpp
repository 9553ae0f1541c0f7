#include "support/TestRegistry.h"

#include <cstring>

#include "framework/Handles.h"
#include "framework/Profile.h"

namespace {
std::wstring SectionPath(const std::wstring& section) { return std::wstring(kVarolinKey) + L"\\" + section; }
}  // namespace

void DeleteVarolinKey() { RegDeleteTreeW(HKEY_CURRENT_USER, kVarolinKey); }

DWORD RegistryValue::AsDword() const {
    DWORD value = 0;
    if (data.size() >= sizeof(value)) std::memcpy(&value, data.data(), sizeof(value));
    return value;
}

std::optional<RegistryValue> ReadRegistryValue(const std::wstring& section, const std::wstring& name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return std::nullopt;
    const OwnedKey key(opened);
    RegistryValue value;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    value.data.resize(size);
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &value.type, value.data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    return value;
}

bool WriteRegistryValue(const std::wstring& section, const std::wstring& name, DWORD type,
                        const std::vector<std::uint8_t>& data) {
    return RegSetKeyValueW(HKEY_CURRENT_USER, SectionPath(section).c_str(), name.c_str(), type, data.data(),
                           static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

bool WriteRegistryDword(const std::wstring& section, const std::wstring& name, DWORD value) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&value);
    return WriteRegistryValue(section, name, REG_DWORD, std::vector<std::uint8_t>(bytes, bytes + sizeof(value)));
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
