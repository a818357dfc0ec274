// The main window on a real X display (the build runs this test under Xvfb): what the
// screen shows, captured from the X server, with the zoomed canvas.

#include <QGuiApplication>
#include <QScreen>

#include <QTest>

#include "MainWindowFixture.h"
#include "store/CanvasOptions.h"
#include "store/MainForm.h"

using namespace bw;

using XvfbScreenshot = test::MainWindowTest;

TEST_F(XvfbScreenshot, TheMainWindowOnAnXDisplay) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X display";
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    for (int i = 0; i < 20; ++i) {
        settle();
        QTest::qWait(25);
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QImage shown = screen->grabWindow(0).toImage();
    ASSERT_FALSE(shown.isNull());
    ASSERT_TRUE(shown.save(test::ArtifactDir() + "/main_window_xvfb.png"));
    // The window fills the screen: the canvas frame's grey and the rulers' orange are on it.
    int orange = 0;
    for (int y = 0; y < shown.height(); y += 3)
        for (int x = 0; x < shown.width(); x += 3) {
            const QColor c = shown.pixelColor(x, y);
            if (c.red() > 240 && c.green() > 100 && c.green() < 200 && c.blue() < 160) ++orange;
        }
    EXPECT_GT(orange, 200);

    Zm_Click(0);
    Zm_Click(0);
    for (int i = 0; i < 10; ++i) {
        settle();
        QTest::qWait(25);
    }
    ASSERT_TRUE(
        screen->grabWindow(0).toImage().save(test::ArtifactDir() + "/main_window_xvfb_zoomed.png"));
}
