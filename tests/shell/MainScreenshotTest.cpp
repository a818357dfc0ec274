// Pictures of the main window for people to look at, in the build folder's artifacts/.

#include <QFile>

#include "MainWindowFixture.h"
#include "shell/TabStrip.h"
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
    // The other pages: the batch grid and the label sheets.
    TheMainWindow()->SST->SetTab(1);
    test::MainWindowTest::settle();
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/main_window_batch_page.png"));
    TheMainWindow()->SST->SetTab(3);
    test::MainWindowTest::settle();
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/main_window_label_page.png"));
}
