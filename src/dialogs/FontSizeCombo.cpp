#include "dialogs/FontSizeCombo.h"

#include <oleauto.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "appbar/Dpi.h"
#include "dialogs/FontChoice.h"
#include "framework/Handles.h"

namespace {
// Whole points from typed text the way the system reads numbers (locale's separators
// included), or 0 when it does not convert.
int TypedPoints(const std::wstring& text) {
    if (text.empty()) return 0;
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocString(text.c_str());
    if (!source.bstrVal) return 0;
    VARIANT currency;
    VariantInit(&currency);
    const HRESULT hr = VariantChangeType(&currency, &source, 0, VT_CY);
    VariantClear(&source);
    if (FAILED(hr)) return 0;
    const long long points = varolin::RoundedPoints(currency.cyVal.int64);
    if (points > INT_MAX / 1000 || points < INT_MIN / 1000) return 0;  // no font is that large
    return static_cast<int>(points);
}
}  // namespace

int CFontSizeCombo::HeightOfPoints(int points) { return MulDiv(-varolin::kDefaultDpi, points, 72); }

void CFontSizeCombo::AddSize(int points, int height) {
    if (height == 0) height = HeightOfPoints(points);
    std::vector<int> heights;
    const int count = GetCount();
    heights.reserve(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) heights.push_back(static_cast<int>(GetItemData(i)));
    const int position = varolin::SizeInsertPosition(heights, height);
    if (position < 0) return;
    const int index = InsertString(position, std::to_wstring(points));
    if (index >= 0) SetItemData(index, height);
}

int CFontSizeCombo::GetHeight(int index) const {
    if (index == -1) index = GetCurSel();
    if (index < 0) index = 0;
    const LRESULT data = GetItemData(index);
    return data == CB_ERR ? 0 : static_cast<int>(data);
}

int CFontSizeCombo::HeightOfText(const std::wstring& text) const {
    const int index = FindStringExact(text);
    if (index >= 0) return GetHeight(index);
    const int points = TypedPoints(text);
    if (points != 0) return HeightOfPoints(points);
    return GetHeight(0);
}
