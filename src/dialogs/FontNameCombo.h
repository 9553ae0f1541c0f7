#pragma once
// CFontNameCombo: the owner-drawn face list of the font page. Each entry carries the face's
// enumerated LOGFONT and font type; TrueType faces show the TrueType mark before the name.
#include <windows.h>

#include "dialogs/ComboBox.h"

struct FaceRecord {
    DWORD fontType = 0;  // RASTER_FONTTYPE, DEVICE_FONTTYPE, TRUETYPE_FONTTYPE, combined
    LOGFONTW logFont{};  // as enumerated; its face name is the entry's text
};

class CFontNameCombo : public CComboBox {
public:

    // Adds a face unless the list already holds one of that name (exact, ignoring case) or it
    // is a vertical-writing "@" face on a double-byte system. A face listed again in
    // `preferredCharSet` takes that character set. False when it was left out.
    bool AddFace(const LOGFONTW& face, DWORD fontType, BYTE preferredCharSet);
    // The face record of an entry; -1: the selected entry, else the first entry beginning
    // with the edit field's text, else the first entry. nullptr for an empty list.
    const FaceRecord* GetFaceItem(int index = -1) const;

    // Height of every entry: set by the page before the list is filled.
    int m_nItemHeight = 16;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void DrawItem(DRAWITEMSTRUCT* dis) override;
    void MeasureItem(MEASUREITEMSTRUCT* mis) override;
    void DeleteItem(DELETEITEMSTRUCT* dis) override;

private:
    void FreeAllRecords();
};
