#include "transfer/FileCopy.h"

#include <vector>

#include "framework/Handles.h"
#include "settings/LongPath.h"

namespace {
constexpr DWORD kChunkBytes = 1 << 16;
// The attributes a copy carries over, as the system's copy does.
constexpr DWORD kCopiedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                    FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// A fresh name in `folder` for the new contents of a file being replaced.
OwnedHandle CreateTemporary(const std::wstring& folder, DWORD attributes, std::wstring& path) {
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        wchar_t name[40];
        swprintf(name, 40, L"~vrl%08lx%02x.tmp", GetTickCount(), attempt);
        path = folder + name;
        OwnedHandle file(CreateFileW(varolin::ExtendedPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     attributes, nullptr));
        if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return {};
}

// Copies the contents; ERROR_SUCCESS, ERROR_CANCELLED or the system's code.
DWORD CopyContents(HANDLE from, HANDLE to, std::uint64_t size, const CopyControl& control) {
    // One buffer per copying thread, grown to the largest chunk it has needed: a thousand small
    // files must not cost a thousand large allocations.
    thread_local std::vector<char> buffer;
    const auto chunk = static_cast<DWORD>(size < kChunkBytes ? size + 1 : kChunkBytes);
    if (buffer.size() < chunk) buffer.resize(chunk);
    std::uint64_t written = 0;
    for (;;) {
        if (control.cancel && control.cancel->load()) return ERROR_CANCELLED;
        DWORD got = 0;
        if (!ReadFile(from, buffer.data(), chunk, &got, nullptr)) return GetLastError();
        if (got == 0) return ERROR_SUCCESS;
        DWORD put = 0;
        if (!WriteFile(to, buffer.data(), got, &put, nullptr)) return GetLastError();
        if (put != got) return ERROR_DISK_FULL;
        written += got;
        if (control.progress) control.progress(written);
    }
}
}  // namespace

DWORD CopyFileInChunks(const std::wstring& source, const std::wstring& target, bool failIfExists,
                       const CopyControl& control) {
    OwnedHandle from(CreateFileW(varolin::ExtendedPath(source).c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!from) return GetLastError();
    // Not GetFileInformationByHandle: it also asks for the volume's serial number, which under
    // Wine costs more than copying a small file.
    FILE_BASIC_INFO info{};
    LARGE_INTEGER size{};
    if (!GetFileInformationByHandleEx(from.Get(), FileBasicInfo, &info, sizeof info) ||
        !GetFileSizeEx(from.Get(), &size))
        return GetLastError();

    // Made with the source's attributes, as the system's copy does: a write-protected file
    // still takes the contents through the handle that created it.
    const DWORD attributes =
        (info.FileAttributes & kCopiedAttributes) ? info.FileAttributes & kCopiedAttributes : FILE_ATTRIBUTE_NORMAL;
    const std::wstring finalPath = varolin::ExtendedPath(target);
    std::wstring writtenPath = target;  // where the contents go first
    OwnedHandle to;
    if (failIfExists) {
        // Taking the name first gives the same answer the system's copy gives for a taken one.
        to.Reset(CreateFileW(finalPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr));
    } else {
        const DWORD existing = GetFileAttributesW(finalPath.c_str());
        if (existing != INVALID_FILE_ATTRIBUTES && (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
            return ERROR_ACCESS_DENIED;
        to = CreateTemporary(FolderOf(target), attributes, writtenPath);
    }
    if (!to) return GetLastError();
    const std::wstring writtenLong = varolin::ExtendedPath(writtenPath);

    DWORD result = CopyContents(from.Get(), to.Get(), static_cast<std::uint64_t>(size.QuadPart), control);
    // Only the last-write time travels: the creation time stays that of the new file.
    const FILETIME lastWrite{static_cast<DWORD>(info.LastWriteTime.QuadPart),
                             static_cast<DWORD>(info.LastWriteTime.QuadPart >> 32)};
    if (result == ERROR_SUCCESS && !SetFileTime(to.Get(), nullptr, nullptr, &lastWrite)) result = GetLastError();
    to.Reset();
    if (result == ERROR_SUCCESS && !failIfExists &&
        !MoveFileExW(writtenLong.c_str(), finalPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        result = GetLastError();
    if (result != ERROR_SUCCESS) {
        // A part made write-protected must be freed before it can go.
        if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(writtenLong.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(writtenLong.c_str());
        return result;
    }
    return ERROR_SUCCESS;
}
