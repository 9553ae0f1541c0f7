#pragma once
// One file copied in chunks, so that a copy can report its progress and be stopped part way,
// which the system's copy does not do everywhere. In everything the transfer relies on it acts
// like CopyFileW: the target gets the source's last-write time and attributes and a new
// creation time; a taken name with fail-if-exists gives ERROR_FILE_EXISTS, a write-protected
// target to be replaced gives ERROR_ACCESS_DENIED; other failures give the system's code.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

struct CopyControl {
    // Set from any thread: the copy stops after the chunk in hand and reports ERROR_CANCELLED.
    const std::atomic<bool>* cancel = nullptr;
    // Called on the copying thread after each chunk with the bytes written so far.
    std::function<void(std::uint64_t written)> progress;
};

// Copies `source` to `target`. A copy that fails or is stopped leaves nothing under the target
// name that was not there before. Replacing an existing file (failIfExists false) writes a
// temporary file beside it first and puts it in place only once complete, so the old file
// survives a stop, a full disk or any other failure.
DWORD CopyFileInChunks(const std::wstring& source, const std::wstring& target, bool failIfExists,
                       const CopyControl& control = {});
