#pragma once
// The main bar (dialog 102): for now its page label and spin only; it ends from its system
// menu or when closed.
#include "framework/Dialog.h"

class CMainBar : public CDialog {
public:
    CMainBar();

protected:
    BOOL OnInitDialog() override;
};
