// The web format list from the main window's menu, the web format service on 127.0.0.1
// taking every request and never answering: 更新列表 shows the progress window while it
// waits; Esc there, or Esc on the list window, ends the request at once with no further try,
// and nothing is told after the window has gone.

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "HttpTestServer.h"
#include "MainWindowFixture.h"
#include "common/Database.h"
#include "common/Indicator.h"
#include "common/Params.h"
#include "library/ui/FmtDown.h"

using namespace bw;

namespace {

using WebFormatList = test::MainWindowTest;

TEST_F(WebFormatList, TheWaitShowsAndEscEndsTheRequestWithNothingToldAfter) {
    test::HttpTestServer silent([](const QByteArray&) {
        return test::TestReply{200, {}, test::TestReply::Mode::Silent};
    });
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    SaveRegValue("BWF", "Para", "WebRoot", silent.url(""));
    // A list kept from before, without pictures: opening the window asks nothing.
    ASSERT_TRUE(
        ExecuteSql("INSERT INTO 网站格式(Clas, Name, fPath) VALUES('银行', '进账单', '/f')"));
    test::ScriptedAnswers answers;
    w->DownFmt->trigger();  // 下载格式
    FmtDown* list = FmtDown::Current();
    ASSERT_NE(list, nullptr);
    for (const bool onTheList : {false, true}) {
        QString waiting;
        test::whenShown<Indicator>([&waiting, list, onTheList](Indicator* progress) {
            waiting = progress->LBL->text();
            EXPECT_TRUE(test::pressEsc(onTheList ? static_cast<QWidget*>(list) : progress));
        });
        list->COM[0]->click();  // 更新列表
        EXPECT_EQ(waiting, "正在下载...");
        EXPECT_EQ(silent.targets().size(), onTheList ? 2 : 1) << "no further try";
        EXPECT_EQ(FmtDown::Current() && FmtDown::Current()->isVisible(), !onTheList);
    }
    settle();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(FmtDown::Current(), nullptr);
    EXPECT_EQ(answers.messages(), QStringList()) << "no 网络错误！ for a request ended by Esc";
}

}  // namespace
