#include "transfer/TextDrop.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "settings/PathUtil.h"
#include "transfer/TextNote.h"
#include "framework/CommonDialogs.h"
#include "framework/Handles.h"
#include "framework/Strings.h"
#include "resource.h"

namespace {
// Room for any path the dialog may hand back, long paths included.
constexpr DWORD kPathBufferChars = 32768;

bool ChooseFile(const std::wstring& folder, const std::wstring& proposedName, HWND parent, std::wstring& path) {
    const std::wstring filter = varolin::DialogFilter(LoadStr(IDS_TEXT_FILE_FILTER));
    std::vector<wchar_t> file(kPathBufferChars, L'\0');
    proposedName.copy(file.data(), file.size() - 1);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = parent;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = kPathBufferChars;
    ofn.lpstrInitialDir = folder.c_str();
    ofn.lpstrDefExt = L"txt";
    // Appending needs no overwrite question. The current directory stays where it was, so the
    // chosen folder is not held open (and undeletable) for as long as the bar runs.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    if (!ShowSaveFileDialog(&ofn)) return false;
    path = file.data();
    return true;
}

// A note file opened for appending, which other programs may hold open and write meanwhile.
class NoteFile : public varolin::AppendTarget {
public:
    explicit NoteFile(HANDLE file) : m_file(file) {}
    ~NoteFile() override {
        if (m_locked) UnlockFileEx(m_file, 0, m_lockLength.LowPart, static_cast<DWORD>(m_lockLength.HighPart), &m_lockAt);
    }
    NoteFile(const NoteFile&) = delete;
    NoteFile& operator=(const NoteFile&) = delete;

    // Locks everything from the file's end on, so that no other writer appends while an entry
    // goes in or is taken back. A lock held elsewhere is waited for a little, never for long:
    // this runs on the bar's thread.
    bool LockEnd() {
        for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
            if (attempt > 0) Sleep(kLockRetryMs);
            std::uint64_t end = 0;
            if (!Size(end)) return false;
            m_lockAt = OVERLAPPED{};
            m_lockAt.Offset = static_cast<DWORD>(end);
            m_lockAt.OffsetHigh = static_cast<DWORD>(end >> 32);
            m_lockLength.QuadPart = kMaxOffset - static_cast<LONGLONG>(end);
            m_locked = LockFileEx(m_file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, m_lockLength.LowPart,
                                  static_cast<DWORD>(m_lockLength.HighPart), &m_lockAt) != FALSE;
            if (m_locked) return true;
        }
        return false;
    }
    bool Size(std::uint64_t& size) override {
        LARGE_INTEGER now{};
        if (!GetFileSizeEx(m_file, &now)) return false;
        size = static_cast<std::uint64_t>(now.QuadPart);
        return true;
    }
    bool Append(const char* bytes, std::size_t size, std::size_t& written) override {
        // Both offsets all ones: at the end of the file as it is at the write, as an append-only
        // handle writes.
        OVERLAPPED atEnd{};
        atEnd.Offset = 0xFFFFFFFF;
        atEnd.OffsetHigh = 0xFFFFFFFF;
        DWORD done = 0;
        const BOOL ok = WriteFile(m_file, bytes, static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30)), &done, &atEnd);
        written = done;
        return ok != FALSE;
    }
    bool Truncate(std::uint64_t size) override {
        FILE_END_OF_FILE_INFO end{};
        end.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
        return SetFileInformationByHandle(m_file, FileEndOfFileInfo, &end, sizeof end) != FALSE;
    }

private:
    static constexpr int kLockAttempts = 5;
    static constexpr DWORD kLockRetryMs = 20;
    static constexpr LONGLONG kMaxOffset = 0x7FFFFFFFFFFFFFFF;

    HANDLE m_file;  // borrowed from AppendEntry
    bool m_locked = false;
    OVERLAPPED m_lockAt{};
    LARGE_INTEGER m_lockLength{};
};

// Appends in binary, creating the file when it is missing; false when it cannot be opened,
// written completely or closed. Other programs may keep the file open for reading and writing
// (an editor with the notes open): appends never overwrite what they write.
bool AppendEntry(const std::wstring& path, const std::string& entry) {
    // Writing data is needed only to take a failed entry back.
    OwnedHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA | FILE_WRITE_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    {
        NoteFile note(file.Get());
        if (!note.LockEnd() || !varolin::AppendWhole(note, entry)) return false;
    }
    return CloseHandle(file.Release()) != FALSE;
}

varolin::NoteTime LocalNoteTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wDayOfWeek, now.wHour, now.wMinute};
}
}  // namespace

bool SaveDroppedText(const std::string& text, const std::wstring& folder, std::wstring& proposedName, HWND parent) {
    std::wstring path;
    if (!ChooseFile(folder, proposedName, parent, path)) return false;
    const varolin::PathParts parts = varolin::SplitPathParts(path);
    proposedName = parts.fname + parts.ext;

    if (AppendEntry(path, varolin::FormatNoteEntry(text, LocalNoteTime()))) return true;
    std::wstring message = LoadStr(IDS_FILE_UNUSABLE);
    const size_t at = message.find(L"%1");
    if (at != std::wstring::npos) message.replace(at, 2, path);
    AppMessageBox(parent, message, MB_OK | MB_ICONSTOP);
    return false;
}
