#include "shell/LogFontW.h"

#include <algorithm>
#include <string>

#include "framework/Strings.h"

LOGFONTW ToLogFontW(const varolin::LogFontRecord& record) {
    LOGFONTW font{};
    font.lfHeight = record.lfHeight;
    font.lfWidth = record.lfWidth;
    font.lfEscapement = record.lfEscapement;
    font.lfOrientation = record.lfOrientation;
    font.lfWeight = record.lfWeight;
    font.lfItalic = record.lfItalic;
    font.lfUnderline = record.lfUnderline;
    font.lfStrikeOut = record.lfStrikeOut;
    font.lfCharSet = record.lfCharSet;
    font.lfOutPrecision = record.lfOutPrecision;
    font.lfClipPrecision = record.lfClipPrecision;
    font.lfQuality = record.lfQuality;
    font.lfPitchAndFamily = record.lfPitchAndFamily;
    const std::wstring face = AnsiToWide(record.FaceName());
    std::copy_n(face.begin(), std::min<size_t>(face.size(), LF_FACESIZE - 1), font.lfFaceName);
    return font;
}

varolin::LogFontRecord FromLogFontW(const LOGFONTW& font) {
    varolin::LogFontRecord record;
    record.lfHeight = font.lfHeight;
    record.lfWidth = font.lfWidth;
    record.lfEscapement = font.lfEscapement;
    record.lfOrientation = font.lfOrientation;
    record.lfWeight = font.lfWeight;
    record.lfItalic = font.lfItalic;
    record.lfUnderline = font.lfUnderline;
    record.lfStrikeOut = font.lfStrikeOut;
    record.lfCharSet = font.lfCharSet;
    record.lfOutPrecision = font.lfOutPrecision;
    record.lfClipPrecision = font.lfClipPrecision;
    record.lfQuality = font.lfQuality;
    record.lfPitchAndFamily = font.lfPitchAndFamily;
    std::wstring face(font.lfFaceName, std::find(font.lfFaceName, font.lfFaceName + LF_FACESIZE, L'\0'));
    std::string ansi = WideToAnsi(face);
    // Drop whole characters until the name fits, so no lead byte is left alone.
    while (ansi.size() > varolin::kFaceNameSize - 1) {
        face.pop_back();
        ansi = WideToAnsi(face);
    }
    record.SetFaceName(ansi);
    return record;
}
