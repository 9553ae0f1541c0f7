#pragma once
// Copying and moving dropped files into a folder button's folder, with numbered names for
// names already taken there. It runs on the transfer worker (TransferQueue.h): questions and
// messages go through the job's context to the UI thread, and every file call takes the
// long-path form of its path.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct CopyControl;

// One drop's files, with copies of everything the work needs: nothing of the button, its page
// or the settings is used after the drop has returned.
struct TransferJob {
    std::vector<std::wstring> sources;  // as dropped; taken last to first
    std::wstring folder;                // the button's folder, ending in a backslash
    bool move = false;
    int renameFormat = 0;               // "RenameFormat" in force at the drop
    bool renameConfirm = true;          // "RenameConfirm" was 1 at the drop
};

// What the progress window shows.
struct TransferProgress {
    bool move = false;
    std::wstring file;  // the file being copied
    std::size_t filesDone = 0, filesTotal = 0;
    std::uint64_t bytesDone = 0, bytesTotal = 0;
    std::size_t jobsWaiting = 0;
};

// A job's view of its queue while it runs.
class ITransferContext {
public:
    virtual bool Cancelled() const = 0;
    virtual const std::atomic<bool>& CancelFlag() const = 0;
    virtual void Report(const TransferProgress& progress) = 0;
    // Runs `question` on the UI thread with the window that should own it and returns its
    // answer; `ifCancelled` when the job was cancelled before or while it was asked.
    virtual int Ask(const std::function<int(HWND owner)>& question, int ifCancelled) = 0;
    // The next number of the program-wide rename counter (which the UI thread owns).
    virtual int NextRenameNumber() = 0;

protected:
    ~ITransferContext() = default;
};

// What a transfer takes from the settings in force at the drop.
struct TransferOptions {
    int nRenameFormat = 0;       // "RenameFormat"; outside 0..3 renames with format 0
    bool bRenameConfirm = true;  // "RenameConfirm" is 1: ask through CSameNameDlg
};

// What a copy came to. CopyWithRename gives the first three; the others are steps inside a
// transfer, before a name conflict is resolved.
enum class CopyResult {
    Done,            // the file was copied
    Skipped,         // the file was left alone; the drop goes on
    Failed,          // an error was shown (or the job was cancelled); the drop stops
    NameTaken,       // the target name exists
    SourceIsTarget,  // the target name is the source file itself
};

// Copies `source` to `target`. A taken name gets a numbered candidate (after asking, when
// confirmation is on); a target that denies access may have its write protection cleared.
CopyResult CopyWithRename(const TransferOptions& options, bool failIfExists, const std::wstring& source,
                          const std::wstring& target, ITransferContext& context, const CopyControl& control);

// Whether a drop goes on with its next file after one transfer.
enum class TransferOutcome { GoOn, StopDrop };

// Copies (or moves) `source` into `folder`. A moved source is deleted only once its copy is
// complete.
TransferOutcome TransferFile(const TransferOptions& options, bool move, const std::wstring& source,
                             const std::wstring& folder, ITransferContext& context, const CopyControl& control);

// Runs one drop's job to its end: the folder check, then the files last to first, with
// progress; stops early when cancelled or when a transfer stops the drop.
void RunTransferJob(const TransferJob& job, ITransferContext& context);
