#include "support/TempFolder.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    for (;;) {
        const std::wstring candidate = std::wstring(temp) + L"varolin-test-" +
                                       std::to_wstring(GetCurrentProcessId()) + L"-" +
                                       std::to_wstring(counter++);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            m_path = candidate + L"\\";
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) return;  // Path() stays empty
    }
}

TempFolder::~TempFolder() {
    if (m_path.empty()) return;
    std::error_code error;
    // Read-only files would outlive the folder.
    using Walk = std::filesystem::recursive_directory_iterator;
    for (Walk it(std::filesystem::path(m_path), error), end; !error && it != end; it.increment(error))
        SetFileAttributesW(it->path().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(std::filesystem::path(m_path), error);
}

bool TempFolder::WriteFile(const std::wstring& name, const std::vector<std::uint8_t>& bytes) const {
    return WriteFile(name, std::string(bytes.begin(), bytes.end()));
}

bool TempFolder::WriteFile(const std::wstring& name, const std::string& bytes) const {
    std::ofstream out(std::filesystem::path(m_path + name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::wstring TempFolder::MakeFolder(const std::wstring& name) const {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(m_path + name), error);
    std::wstring path = m_path + name;
    if (path.empty() || path.back() != L'\\') path += L'\\';
    return path;
}

std::vector<std::wstring> TempFolder::Names() const {
    std::vector<std::wstring> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(m_path), error))
        names.push_back(entry.path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

bool SetLocalWriteTime(const std::wstring& path, const SYSTEMTIME& local) {
    FILETIME localTime{}, utc{};
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const BOOL ok = SystemTimeToFileTime(&local, &localTime) && LocalFileTimeToFileTime(&localTime, &utc) &&
                    SetFileTime(file, nullptr, nullptr, &utc);
    CloseHandle(file);
    return ok;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string FileBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}
