#pragma once
#include <string>

#include "folders/FolderMonitor.h"
#include "transfer/TransferQueue.h"

// Tells the folder monitor which folders the transfer jobs write into: the two know nothing of
// each other, the bar connects them.
class CFolderWriteForwarder final : public ITransferListener {
public:
    explicit CFolderWriteForwarder(CFolderMonitor& folders) : m_folders(folders) {}
    void OnFolderWriteStarted(const std::wstring& folder) override { m_folders.FolderWriteStarted(folder); }
    void OnFolderWriteEnded(const std::wstring& folder) override { m_folders.FolderWriteEnded(folder); }

private:
    CFolderMonitor& m_folders;  // borrowed: the bar's
};
