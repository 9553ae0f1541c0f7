#include "model/ButtonRecord.h"

#include "settings/PathUtil.h"

namespace varolin {

void ButtonRecord::SetProgram(std::wstring program) { m_strProgram = TrimRight(std::move(program)); }
void ButtonRecord::SetFolder(std::wstring folder) { m_strFolder = TrimRight(std::move(folder)); }
void ButtonRecord::SetTitle(std::wstring title) { m_strTitle = TrimRight(std::move(title)); }

std::wstring TitleFromFolder(const std::wstring& folder) {
    if (folder.empty()) return {};
    const std::wstring shortened = folder.substr(0, folder.size() - 1);  // without the final "\"
    const size_t slash = shortened.find_last_of(L"\\/");
    return slash == std::wstring::npos ? shortened : shortened.substr(slash + 1);
}

ButtonRecord ButtonRecord::ForPath(std::wstring path, std::uint32_t crText, std::uint32_t crBack) {
    std::wstring name, directory;
    SplitPath(path, name, &directory);
    ButtonRecord record;
    record.SetProgram(std::move(name));
    record.SetFolder(std::move(directory));
    record.SetTitle(TitleFromFolder(record.m_strFolder));
    record.m_crText = crText;
    record.m_crBack = crBack;
    record.m_bNoDrop = 0;
    return record;
}

ButtonRecord::OverLimit ButtonRecord::PathOverLimit(const AnsiCodePage& codePage) const {
    if (AnsiByteCount(codePage, m_strFolder) > kMaxFolderBytes) return OverLimit::Folder;
    if (AnsiByteCount(codePage, m_strProgram) > kMaxProgramBytes) return OverLimit::Program;
    return OverLimit::None;
}

void ButtonRecord::CutTitle(const AnsiCodePage& codePage) {
    m_strTitle = CutToAnsiBytes(codePage, m_strTitle, kMaxTitleBytes);
}

}  // namespace varolin
