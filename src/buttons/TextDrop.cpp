#include "buttons/TextDrop.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "settings/PathUtil.h"
#include "buttons/TextNote.h"
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

// A note file opened for appending.
class NoteFile : public varolin::AppendTarget {
public:
    explicit NoteFile(HANDLE file) : m_file(file) {}
    bool SeekEnd(std::uint64_t& size) override {
        LARGE_INTEGER end{};
        if (!SetFilePointerEx(m_file, LARGE_INTEGER{}, &end, FILE_END)) return false;
        size = static_cast<std::uint64_t>(end.QuadPart);
        return true;
    }
    bool Write(const char* bytes, std::size_t size, std::size_t& written) override {
        DWORD done = 0;
        const BOOL ok = WriteFile(m_file, bytes, static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30)), &done, nullptr);
        written = done;
        return ok != FALSE;
    }
    bool Truncate(std::uint64_t size) override {
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(size);
        return SetFilePointerEx(m_file, at, nullptr, FILE_BEGIN) && SetEndOfFile(m_file);
    }

private:
    HANDLE m_file;  // borrowed from AppendEntry
};

// Appends in binary, creating the file when it is missing; false when it cannot be opened,
// written completely or closed.
bool AppendEntry(const std::wstring& path, const std::string& entry) {
    OwnedHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    NoteFile note(file.Get());
    if (!varolin::AppendWhole(note, entry)) return false;
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
