#pragma once
// A folder of its own under %TEMP% for one test, removed with everything in it at scope end
// (write protection included).
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, ending in a backslash.
    const std::wstring& Path() const { return m_path; }
    // Path() + relative name.
    std::wstring operator/(const std::wstring& name) const { return m_path + name; }

    // Creates (or replaces) a file in the folder; false when it cannot be written.
    bool WriteFile(const std::wstring& name, const std::vector<std::uint8_t>& bytes) const;
    bool WriteFile(const std::wstring& name, const std::string& bytes) const;
    // A subfolder (and its parents); returns its path ending in a backslash.
    std::wstring MakeFolder(const std::wstring& name) const;
    // The names of the files and folders directly in the folder, sorted.
    std::vector<std::wstring> Names() const;

private:
    std::wstring m_path;
};

// Sets a file's last write time, given in local time.
bool SetLocalWriteTime(const std::wstring& path, const SYSTEMTIME& local);
// Whether a file or folder exists.
bool Exists(const std::wstring& path);
// A file's bytes, or "<missing>" when it cannot be opened.
std::string FileBytes(const std::wstring& path);
