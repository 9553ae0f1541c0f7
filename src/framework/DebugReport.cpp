#include "framework/DebugReport.h"

#include <cwchar>

namespace {
void Report(const wchar_t* what, const wchar_t* format, unsigned long code) {
    wchar_t codeText[32] = {};
    std::swprintf(codeText, 32, format, code);
    wchar_t line[512] = {};
    std::swprintf(line, 512, L"Varolin: %ls failed (%ls)\n", what ? what : L"?", codeText);
    OutputDebugStringW(line);
}
}  // namespace

void ReportFailure(const wchar_t* what, DWORD error) { Report(what, L"error %lu", error); }

void ReportComFailure(const wchar_t* what, HRESULT result) {
    Report(what, L"HRESULT 0x%08lX", static_cast<unsigned long>(result));
}
