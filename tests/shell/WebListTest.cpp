// The web format list opened from the main window's menu, with a web format service on
// 127.0.0.1 that takes every request and never answers: 更新列表 shows the progress window
// while it waits; Esc there, or Esc on the list window, ends the request at once (no further
// tries), and nothing is told after the window has gone.

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "HttpTestServer.h"
#include "MainWindowFixture.h"
#include "common/Database.h"
#include "common/Indicator.h"
#include "common/Params.h"
#include "library/ui/FmtDown.h"
#include "platform/Grid.h"
#include "platform/Http.h"

using namespace bw;

namespace {

using WebFormatList = test::MainWindowTest;

TEST_F(WebFormatList, TheWaitShowsAndEscEndsTheRequestWithNothingToldAfter) {
    test::HttpTestServer silent([](const QByteArray&) {
        test::TestReply r;
        r.mode = test::TestReply::Mode::Silent;
        return r;
    });
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    SaveRegValue("BWF", "Para", "WebRoot", silent.url(""));
    // A list kept from before, without pictures: opening the window asks nothing.
    ASSERT_TRUE(
        ExecuteSql("INSERT INTO 网站格式(Clas, Name, fPath, pPath, Dat) VALUES"
                   "('银行', '进账单', '/f/a.vfm', '', '2013-04-11')"));
    test::ScriptedAnswers answers;
    w->DownFmt->trigger();  // 下载格式
    FmtDown* list = FmtDown::Current();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(silent.targets().isEmpty());

    // Esc on the progress window: the request ends, the window and its list stay.
    QString waiting;
    test::whenShown<Indicator>([&waiting](Indicator* progress) {
        waiting = progress->LBL->text();
        EXPECT_TRUE(test::pressEsc(progress));
    });
    list->COM[0]->click();  // 更新列表
    EXPECT_EQ(waiting, "正在下载...");
    EXPECT_EQ(silent.targets().size(), 1) << "no further tries";
    EXPECT_FALSE(HttpBusy(HttpKind::Page));
    ASSERT_EQ(FmtDown::Current(), list);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->grid().Rows() - list->grid().FixedRows(), 1);

    // Esc on the list window while it waits: the window closes and its request with it.
    waiting.clear();
    test::whenShown<Indicator>([&waiting, list](Indicator* progress) {
        waiting = progress->LBL->text();
        EXPECT_TRUE(test::pressEsc(list));
    });
    list->COM[0]->click();
    EXPECT_EQ(waiting, "正在下载...");
    EXPECT_EQ(silent.targets().size(), 2);
    EXPECT_FALSE(HttpBusy(HttpKind::Page));
    settle();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(FmtDown::Current(), nullptr);
    EXPECT_EQ(ProgressWindow(), nullptr);
    EXPECT_EQ(answers.messages(), QStringList()) << "no 网络错误！ for a request cancelled";
}

}  // namespace
