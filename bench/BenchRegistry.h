#pragma once
// The program's settings key as the benchmarks found it: taken before they change anything
// and put back afterwards, so a benchmark run leaves the prefix's settings as they were.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace bench {

inline constexpr wchar_t kVarolinKey[] = L"Software\\Ovelia\\Varolin";

class RegistrySnapshot {
public:
    // Records HKCU\Software\Ovelia\Varolin with everything below it.
    RegistrySnapshot() { m_exists = Capture(HKEY_CURRENT_USER, kVarolinKey, m_root); }
    RegistrySnapshot(const RegistrySnapshot&) = delete;
    RegistrySnapshot& operator=(const RegistrySnapshot&) = delete;

    // Removes whatever the key holds now and writes back what was recorded.
    void Restore() const {
        RegDeleteTreeW(HKEY_CURRENT_USER, kVarolinKey);
        if (m_exists) Write(HKEY_CURRENT_USER, kVarolinKey, m_root);
    }

private:
    struct Value {
        std::wstring name;
        DWORD type = REG_NONE;
        std::vector<BYTE> data;
    };
    // A vector may hold the type being defined; a pair may not (clang refuses it).
    struct Key {
        std::wstring name;  // below its parent
        std::vector<Value> values;
        std::vector<Key> subkeys;
    };

    static bool Capture(HKEY parent, const std::wstring& path, Key& key) {
        HKEY handle = nullptr;
        if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
        for (DWORD i = 0;; ++i) {
            wchar_t name[16384];
            DWORD nameLength = 16384, type = 0, size = 0;
            if (RegEnumValueW(handle, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
            Value value{std::wstring(name, nameLength), type, std::vector<BYTE>(size)};
            nameLength = 16384;
            RegEnumValueW(handle, i, name, &nameLength, nullptr, &type, value.data.data(), &size);
            value.data.resize(size);
            key.values.push_back(std::move(value));
        }
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD nameLength = 256;
            if (RegEnumKeyExW(handle, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            Key sub;
            sub.name = name;
            if (Capture(handle, name, sub)) key.subkeys.push_back(std::move(sub));
        }
        RegCloseKey(handle);
        return true;
    }

    static void Write(HKEY parent, const std::wstring& path, const Key& key) {
        HKEY handle = nullptr;
        if (RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
            return;
        for (const Value& v : key.values)
            RegSetValueExW(handle, v.name.c_str(), 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
        for (const Key& sub : key.subkeys) Write(handle, sub.name, sub);
        RegCloseKey(handle);
    }

    bool m_exists = false;
    Key m_root;
};

// Starts from no stored settings but the given "GroupCount" (0: none stored).
inline void ResetSettings(int groupCount) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kVarolinKey);
    if (groupCount <= 0) return;
    HKEY option = nullptr;
    const std::wstring path = std::wstring(kVarolinKey) + L"\\Option";
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &option, nullptr) !=
        ERROR_SUCCESS)
        return;
    const DWORD value = static_cast<DWORD>(groupCount);
    RegSetValueExW(option, L"GroupCount", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(option);
}

}  // namespace bench
