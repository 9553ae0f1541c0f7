#include <windows.h>
#include <ole2.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "support/DragImageRecorder.h"

// The integration tests run on one STA thread with OLE and the common controls ready, as the
// program itself does; the shell's drag images are recorded instead of drawn.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    InstallDragImageRecorder();
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    const int rc = RUN_ALL_TESTS();
    OleUninitialize();
    return rc;
}
