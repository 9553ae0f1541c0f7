#include <windows.h>
#include <ole2.h>
#include <commctrl.h>
#include <gtest/gtest.h>

// The integration tests run on one STA thread with OLE and the common controls ready, as the
// program itself does.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    const int rc = RUN_ALL_TESTS();
    OleUninitialize();
    return rc;
}
