#pragma once
// The program's registry key for tests: removed before each test of a CleanRegistryTest
// fixture, and raw access to its values to check types and sizes.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr wchar_t kVarolinKey[] = L"Software\\Ovelia\\Varolin";

// Deletes HKCU\Software\Ovelia\Varolin with everything below it.
void DeleteVarolinKey();

struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> data;
    DWORD AsDword() const;  // the first four bytes, little-endian (0 when shorter)
};

// A value under HKCU\Software\Ovelia\Varolin\<section>, or nothing when it is missing.
std::optional<RegistryValue> ReadRegistryValue(const std::wstring& section, const std::wstring& name);
// Writes a value of any type there, creating the section key.
bool WriteRegistryValue(const std::wstring& section, const std::wstring& name, DWORD type,
                        const std::vector<std::uint8_t>& data);
bool WriteRegistryDword(const std::wstring& section, const std::wstring& name, DWORD value);
bool WriteRegistryString(const std::wstring& section, const std::wstring& name, const std::wstring& value);

// Fixture: the profile points at HKCU\Software\Ovelia\Varolin, as in the program, and every
// test starts (and leaves) with no settings stored there.
class CleanRegistryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
