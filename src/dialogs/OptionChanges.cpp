#include "dialogs/OptionChanges.h"

#include <algorithm>

namespace varolin {

namespace {
int AsCheck(int value) { return value != 0 ? 1 : 0; }
}  // namespace

OptionValues SheetInputs(const OptionValues& inForce) {
    OptionValues shown = inForce;
    shown.displayCount = inForce.displayCount == 1 ? 1 : 0;
    shown.renameConfirm = inForce.renameConfirm == 1 ? 1 : 0;
    return shown;
}

OptionValues NormalisedOptions(const OptionValues& edited) {
    OptionValues result = edited;
    result.displayCount = AsCheck(edited.displayCount);
    result.renameConfirm = AsCheck(edited.renameConfirm);
    return result;
}

OptionChanges ComputeOptionChanges(const OptionValues& inForce, const OptionValues& edited, int currentPage) {
    const OptionValues wanted = NormalisedOptions(edited);
    OptionChanges changes;
    changes.currentPage = currentPage;
    if (wanted.displayCount != inForce.displayCount) {
        changes.displayCount = true;
        changes.refresh = kRefreshRepaint;
    }
    changes.renameConfirm = wanted.renameConfirm != inForce.renameConfirm;
    changes.renameFormat = wanted.renameFormat != inForce.renameFormat;
    if (wanted.daysNew != inForce.daysNew) {
        changes.daysNew = true;
        changes.refresh = kRefreshRebuild;
    }
    if (wanted.groupCount != inForce.groupCount) {
        changes.groupCount = true;
        if (currentPage > wanted.groupCount - 1) changes.currentPage = std::max(0, wanted.groupCount - 1);
        changes.refresh = kRefreshRebuild;
    }
    if (!(wanted.logFont == inForce.logFont)) {
        changes.logFont = true;
        if (changes.refresh == kRefreshNone) changes.refresh = kRefreshRepaint;
    }
    changes.hotKey = wanted.hotKey != inForce.hotKey;
    return changes;
}

}  // namespace varolin
