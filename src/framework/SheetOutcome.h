#pragma once
// How a modal property sheet ended. Portable: no <windows.h>.
#include <cstdint>
#include <vector>

// A page's last answer to PSN_APPLY for OK (PSHNOTIFY.lParam TRUE).
enum class OkAnswer { kNone, kAccepted, kRefused };

// Whether the sheet ended with OK, from PropertySheet's result and each created page's answer.
// The result alone cannot tell: for an OK when no page sent PSM_CHANGED Windows may answer 0
// ("no changes were saved"), Wine 1. An OK ends the sheet only when every page accepts it;
// the first refusal keeps the sheet open, so a refusal on record means it ended otherwise.
bool SheetEndedWithOk(std::intptr_t sheetResult, const std::vector<OkAnswer>& answers);
