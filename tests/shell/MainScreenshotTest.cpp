// Pictures of the main window for people to look at, in the build folder's artifacts/ (the
// batch and label pages are pictured by their own tests).

#include "MainWindowFixture.h"
#include "store/CanvasOptions.h"
#include "store/MainForm.h"

using namespace bw;

using MainScreenshot = test::MainWindowTest;

TEST_F(MainScreenshot, TheDepositSlipWithAndWithoutRulersAndZoomed) {
    ASSERT_NE(start(), nullptr);
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/main_window.png"));
    MF().SetO2Value(0, 0);
    test::MainWindowTest::settle();
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/main_window_no_rulers.png"));
    MF().SetO2Value(0, 1);
    Zm_Click(0);
    Zm_Click(0);
    test::MainWindowTest::settle();
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/main_window_zoomed.png"));
}
