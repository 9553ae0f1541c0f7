#pragma once
// Folder buttons that show their figures (the file count, and the NEW badge for files of the
// last day), with a clean registry key and a temporary folder for a button to show.
#include <gtest/gtest.h>

#include "support/ButtonHost.h"
#include "support/TempFolder.h"
#include "support/TestRegistry.h"

class ShownFiguresFixture : public CleanRegistryTest {
protected:
    void SetUp() override {
        CleanRegistryTest::SetUp();
        m_host.Settings().nDisplayCount = 1;
        m_host.Settings().nDaysNew = 1;
    }
    ButtonHost m_host;
    TempFolder m_folder;
};
