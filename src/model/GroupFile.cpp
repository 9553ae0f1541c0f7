#include "model/GroupFile.h"

#include <algorithm>
#include <exception>

#include "framework/Handles.h"
#include "framework/Strings.h"
#include "model/GroupCodec.h"
#include "model/SystemCodePage.h"
#include "resource.h"

namespace {

// Far beyond any real page; a larger file is read up to here and treated as damaged.
constexpr size_t kMaxFileBytes = 64u << 20;

std::vector<std::uint8_t> ReadWholeFile(HANDLE file) {
    std::vector<std::uint8_t> bytes;
    constexpr DWORD kChunk = 64u << 10;
    while (bytes.size() < kMaxFileBytes) {
        const size_t used = bytes.size();
        bytes.resize(used + kChunk);
        DWORD read = 0;
        if (!ReadFile(file, bytes.data() + used, kChunk, &read, nullptr)) read = 0;
        bytes.resize(used + read);
        if (read == 0) break;
    }
    return bytes;
}

bool WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    OwnedHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    if (!FlushFileBuffers(file.Get())) return false;
    return CloseHandle(file.Release()) != FALSE;
}

bool IsReadOnly(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

}  // namespace

GroupFile::GroupFile(const std::wstring& appDir, int page) : m_strPath(appDir) {
    if (!m_strPath.empty() && m_strPath.back() != L'\\' && m_strPath.back() != L'/') m_strPath += L'\\';
    m_strPath += varolin::GroupFileName(page);
}

std::vector<varolin::ButtonRecord> GroupFile::Load(HWND owner) const {
    try {
        // Wide sharing: a file some other program has open still loads.
        OwnedHandle file(CreateFileW(m_strPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return {};
        const std::vector<std::uint8_t> bytes = ReadWholeFile(file.Get());
        file.Reset();
        varolin::GroupFileContents contents = varolin::DecodeGroupFile(bytes, SystemAnsiCodePage());
        if (contents.unknownSchema) AppMessageBox(owner, IDS_UNKNOWN_SCHEMA, MB_OK | MB_ICONSTOP);
        return std::move(contents.records);
    } catch (const std::exception&) {
        return {};  // out of memory: the page starts empty rather than the bar failing
    }
}

bool GroupFile::Save(HWND owner, std::span<const varolin::ButtonRecord> records) const {
    if (records.empty()) {
        DeleteFileW(m_strPath.c_str());  // a file left behind only brings the buttons back
        return true;
    }
    const std::wstring temporary = m_strPath + L".tmp";
    bool saved = false;
    try {
        // A read-only page file stays as it is, as Windows' own replace would refuse it.
        saved = !IsReadOnly(m_strPath) && WriteWholeFile(temporary, varolin::EncodeGroupFile(records, SystemAnsiCodePage())) &&
                MoveFileExW(temporary.c_str(), m_strPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    } catch (const std::exception&) {
        saved = false;
    }
    if (!saved) {
        DeleteFileW(temporary.c_str());
        AppMessageBox(owner, IDS_CANNOT_SAVE_DATA, MB_OK | MB_ICONSTOP);
    }
    return saved;
}
