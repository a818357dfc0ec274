// The web format list from the main window's menu, the web format service on 127.0.0.1
// taking every request and never answering: 更新列表 shows the progress window while it
// waits; Esc there, or Esc on the list window, ends the request at once with no further try,
// and nothing is told after the window has gone. The list is asked for while the
// new-version check waits for the same service.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "HttpTestServer.h"
#include "MainWindowFixture.h"
#include "common/Database.h"
#include "common/Indicator.h"
#include "common/Params.h"
#include "library/ui/FmtDown.h"
#include "platform/GridView.h"
#include "platform/TextCodec.h"

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

// The start-up version check waits on a server that never answers it, and meanwhile the
// clerk opens the web list and asks for it again: each request is sent with its progress
// window, which stands in front of the list with the keyboard however the list is clicked;
// Esc there ends the request and the list stays open. Nothing is told.
TEST_F(WebFormatList, TheListIsAskedForWhileTheVersionCheckWaits) {
    bool answerList = true;
    auto server = std::make_unique<test::HttpTestServer>([&answerList](const QByteArray& target) {
        if (answerList && target.startsWith("/bwf/fmt.asp"))
            return test::TestReply{200, ToAnsi("银行|进账单|/f/a.vfm||2013-4-11<br>Finished")};
        return test::TestReply{200, {}, test::TestReply::Mode::Silent};
    });
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    SaveRegValue("BWF", "Para", "WebRoot", server->url(""));
    test::ScriptedAnswers answers;
    const auto whileTheCheckWaits = [&] {
        ASSERT_TRUE(QTest::qWaitFor([&] { return server->targets().size() == 1; }, 60'000));
        w->DownFmt->trigger();  // 下载格式: no list kept, it is asked for
        FmtDown* list = FmtDown::Current();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->grid().Rows() - list->grid().FixedRows(), 1);
        answerList = false;
        test::whenShown<Indicator>([list](Indicator* progress) {
            EXPECT_EQ(progress->windowHandle()->transientParent(), list->windowHandle());
            EXPECT_TRUE(
                QTest::qWaitFor([progress] { return QApplication::activeWindow() == progress; }));
            QTest::mouseClick(list->MSF->viewport(), Qt::LeftButton);
            EXPECT_TRUE(progress->isVisible());
            EXPECT_TRUE(test::pressEsc(progress));
        });
        list->COM[0]->click();  // 更新列表
        EXPECT_EQ(server->targets().size(), 3) << "the check's, the list's twice";
        EXPECT_TRUE(list->isVisible());
        list->close();
    };
    QTimer::singleShot(0, [&] {
        whileTheCheckWaits();
        server.reset();  // the check's connection goes: it ends
    });
    w->NewEditionTimer_Timer();  // the check: waits for its page
    EXPECT_EQ(answers.messages(), QStringList()) << "no 网络错误！ for a request not sent";
}

}  // namespace
