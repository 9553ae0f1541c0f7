#include "model/SystemCodePage.h"

#include "framework/Strings.h"

const varolin::AnsiCodePage& SystemAnsiCodePage() {
    static const varolin::AnsiCodePage codePage{
        [](const std::wstring& text, std::string& bytes) {
            bool lossy = false;
            bytes = WideToAnsi(text, &lossy);
            return !lossy;
        },
        [](const std::string& bytes) { return AnsiToWide(bytes); },
    };
    return codePage;
}
