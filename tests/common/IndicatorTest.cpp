#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

#include "TestSupport.h"
#include "common/Indicator.h"

using namespace bw;

namespace {

class Progress : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgressClock([this] { return now_; });
    }
    void TearDown() override {
        CloseProgress();
        SetProgressClock({});
    }
    QString percent() const { return ProgressWindow()->Percent->text(); }
    qint64 now_ = 1'000'000;
};

}  // namespace

TEST_F(Progress, TheShareIsCountedExactlyAndCutToThousandths) {
    const struct {
        int total, steps;
        const char *percent, *count;
    } cases[] = {
        {0, 1, "100%", "(1/1)"},  // a zero total counts as one step
        {8, 3, "37.5%", "(3/8)"}, {3, 1, "33.3%", "(1/3)"},
        {10, 7, "70%", "(7/10)"},  // not 69.9% from a rounding error
        {4, 6, "150%", "(6/4)"},   // more steps than the total: above 100%
    };
    for (const auto& c : cases) {
        ShowProgress("正在保存默认数据...", c.total, 0);
        EXPECT_EQ(percent(), "0%");
        for (int i = 0; i < c.steps; ++i) UpdateProgress(1, i % 2 ? "PAGES" : "pages");
        EXPECT_EQ(percent(), c.percent) << c.total;
        EXPECT_EQ(ProgressWindow()->L1->text(), c.count) << c.total;
        EXPECT_EQ(ProgressWindow()->L2->text(), "0:0/0:0/0:0");  // within the first second
    }
    EXPECT_EQ(ProgressWindow()->LBL->text(), "正在保存默认数据...");
    EXPECT_EQ(ProgressWindow()->Pic->FilledWidth(), ProgressWindow()->Pic->width());
}

TEST_F(Progress, TimesAreElapsedRemainingAndEstimated) {
    ShowProgress("正在打印……", 4, 0);
    now_ += 10'500;
    UpdateProgress(1, "pages");
    EXPECT_EQ(ProgressWindow()->L2->text(), "0:10/0:30/0:40");
    now_ += 3'600'000;
    UpdateProgress(1, "pages");
    EXPECT_EQ(ProgressWindow()->L2->text(), "1:0:10/1:0:10/2:0:20");
    QApplication::processEvents();  // a picture for people to look at
    ASSERT_TRUE(ProgressWindow()->grab().save(test::ArtifactDir() + "/progress_window.png"));
    UpdateProgress(1, "个");  // another unit: the share only
    EXPECT_EQ(percent(), "75%");
    EXPECT_EQ(ProgressWindow()->L1->text(), "(2/4)");
}

TEST_F(Progress, TheCountSurvivesAClosingAndANegativeStartContinuesFromIt) {
    ShowProgress("a", 10, 0);
    EXPECT_EQ(ProgressShown(), -1);
    UpdateProgress(4);
    CloseProgress();
    EXPECT_EQ(ProgressShown(), 0);
    EXPECT_EQ(ProgressWindow(), nullptr);
    CloseProgress();  // nothing open: nothing happens
    EXPECT_EQ(ProgressShown(), 0);

    ShowProgress("b", 10, -1);
    EXPECT_EQ(ProgressCurrent(), 4);
    DrawProgressBar(4);
    const ProgressPicture* bar = ProgressWindow()->Pic;
    EXPECT_GT(bar->width(), 0);
    EXPECT_EQ(bar->FilledWidth(), bar->width() * 4 / 10);
    ShowProgress("c", 10, 2);  // the open window is reused
    EXPECT_EQ(ProgressWindow()->LBL->text(), "c");
    EXPECT_EQ(ProgressCurrent(), 2);
}

TEST_F(Progress, EscAndTheCloseButtonStopOnlyAnOperationThatCanStop) {
    // One that cannot stop half-way keeps its window until it ends.
    ShowProgress("正在保存格式……", 5, 0);
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(ProgressWindow(), &esc);
    ASSERT_NE(ProgressWindow(), nullptr);
    EXPECT_FALSE(ProgressWindow()->close());
    AskProgressStop();
    ASSERT_NE(ProgressWindow(), nullptr);
    EXPECT_TRUE(ProgressWindow()->isVisible());
    EXPECT_EQ(ProgressShown(), -1);
    EXPECT_FALSE(ProgressStopAsked());
    CloseProgress();
    EXPECT_FALSE(ProgressRunning());

    // One that can stop loses its window and is asked to stop; it goes on to its next step.
    ShowProgress("下载中", 5, 0, Stoppable::Yes);
    ProgressWindow()->close();
    EXPECT_TRUE(ProgressStopAsked());
    EXPECT_EQ(ProgressShown(), 0);  // what a download watches to stop
    UpdateProgress(1);
    EXPECT_EQ(ProgressWindow(), nullptr);  // not opened again
    EXPECT_EQ(ProgressCurrent(), 1);
    CloseProgress();
    EXPECT_FALSE(ProgressStopAsked());  // the next operation starts afresh
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(Progress, AWindowWithADelayShowsOnlyOnceTheOperationHasRunThatLong) {
    SetProgressShowDelay(500);
    ShowProgress("正在初始化格式……", 10, 0);
    ASSERT_NE(ProgressWindow(), nullptr);
    EXPECT_FALSE(ProgressWindow()->isVisible());
    EXPECT_EQ(ProgressShown(), -1);  // open all the same: a download may watch it
    UpdateProgress(3, "pages");
    now_ += 499;
    UpdateProgress(1, "pages");
    EXPECT_FALSE(ProgressWindow()->isVisible());
    now_ += 1;
    UpdateProgress(1, "pages");
    ASSERT_TRUE(ProgressWindow()->isVisible());
    // It shows the counts the operation has reached, not those of its start.
    EXPECT_EQ(percent(), "50%");
    EXPECT_EQ(ProgressWindow()->L1->text(), "(5/10)");
    CloseProgress();
    // A short operation never shows it.
    ShowProgress("正在读于默认数据...", 2, 0);
    UpdateProgress(2, "pages");
    EXPECT_FALSE(ProgressWindow()->isVisible());
    CloseProgress();
    SetProgressShowDelay(0);
}

TEST_F(Progress, ALongStepWaitingInAnEventLoopStillGetsTheWindowToCloseIt) {
    SetProgressClock({});  // the real clock: the window is due by a timer
    SetProgressShowDelay(30);
    ShowProgress("下载中", 1, 0);
    ASSERT_FALSE(ProgressWindow()->isVisible());
    QEventLoop wait;  // what a download does while no step comes
    QTimer::singleShot(300, &wait, &QEventLoop::quit);
    wait.exec();
    ASSERT_NE(ProgressWindow(), nullptr);
    EXPECT_TRUE(ProgressWindow()->isVisible());
    CloseProgress();
    SetProgressShowDelay(0);
}

TEST_F(Progress, StepsLetWindowMessagesThroughOnlyWhileTheWindowShowsOrTheUserClosedIt) {
    enum class Close { No, ByInnerOperation, ByUser };
    const struct {
        int delayMs;
        Close close;
        bool through;  // a message posted before the operation's close is handled by it
    } cases[] = {
        {0, Close::No, true},                 // shown at once
        {500, Close::No, false},              // short: never shown
        {0, Close::ByInnerOperation, false},  // an inner operation closed the window
        {0, Close::ByUser, true},             // the long operation goes on, responsive
    };
    for (const auto& c : cases) {
        SetProgressShowDelay(c.delayMs);
        ShowProgress("外", 4, 0, c.close == Close::ByUser ? Stoppable::Yes : Stoppable::No);
        if (c.close == Close::ByInnerOperation) {
            ShowProgress("内", 2, 0);
            CloseProgress();
        } else if (c.close == Close::ByUser) {
            ProgressWindow()->close();
        }
        bool handled = false;
        QMetaObject::invokeMethod(
            qApp, [&handled] { handled = true; }, Qt::QueuedConnection);
        UpdateProgress(1);
        CloseProgress();
        EXPECT_EQ(handled, c.through) << c.delayMs << " " << int(c.close);
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    SetProgressShowDelay(0);
}

TEST_F(Progress, StepsWithinAFewMillisecondsOfItsClockShareOnePassThroughWindowMessages) {
    ShowProgress("正在打印……", 10, 0);  // shown at once, with a pass of its own
    int handled = 0;
    const auto post = [&handled] {
        QMetaObject::invokeMethod(
            qApp, [&handled] { ++handled; }, Qt::QueuedConnection);
    };
    post();
    now_ += 14;
    UpdateProgress(1);
    EXPECT_EQ(handled, 0);
    now_ += 1;
    UpdateProgress(1);
    EXPECT_EQ(handled, 1);
    // A clock that moves on by so much at each step: every step is a pass.
    for (int i = 0; i < 3; ++i) {
        post();
        now_ += 15;
        UpdateProgress(1);
        EXPECT_EQ(handled, 2 + i);
    }
}
