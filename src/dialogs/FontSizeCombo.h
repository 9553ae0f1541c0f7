#pragma once
// CFontSizeCombo: the size list of the font page. Entries show whole points; each carries
// the LOGFONT height of that size in 96-DPI pixels (as "LogFont" keeps it, whatever the
// screen's DPI), and the list runs from small to large.
#include <windows.h>

#include <string>

#include "dialogs/ComboBox.h"

class CFontSizeCombo : public CComboBox {
public:
    // Inserts a size at its place unless its height is listed already. Height 0 means the
    // character height of `points` at 96 DPI.
    void AddSize(int points, int height);
    // The LOGFONT height of an entry; -1: the selected entry, else the first. 0 for an
    // empty list.
    int GetHeight(int index = -1) const;
    // The height of a size as the user gave it: the entry equal to the text, else the text
    // read as a number of points (rounded, the locale's way), else the first entry. The
    // caller passes the text, because during a selection change the edit field still
    // shows the previous entry.
    int HeightOfText(const std::wstring& text) const;

    // Character height (negative) of a size in points, in 96-DPI pixels.
    static int HeightOfPoints(int points);
};
