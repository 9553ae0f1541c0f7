#include "framework/SheetOutcome.h"

#include <algorithm>

bool SheetEndedWithOk(std::intptr_t sheetResult, const std::vector<OkAnswer>& answers) {
    if (sheetResult < 0) return false;  // the sheet could not be shown
    const auto has = [&](OkAnswer answer) { return std::find(answers.begin(), answers.end(), answer) != answers.end(); };
    return has(OkAnswer::kAccepted) && !has(OkAnswer::kRefused);
}
