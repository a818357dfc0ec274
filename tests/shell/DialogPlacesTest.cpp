// The windows that keep their place, opened again and again from the main window: the
// format list and the web format list stand at one place, at one size, every time.

#include <QApplication>

#include "MainWindowFixture.h"
#include "common/Database.h"
#include "library/ui/FmtDown.h"
#include "library/ui/FmtList.h"

using namespace bw;

namespace {

using DialogPlaces = test::MainWindowTest;

TEST_F(DialogPlaces, TheFormatListAndTheWebListOpenFiveTimesAtOnePlace) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    // A list kept from before, without pictures: the web list opens without a request.
    ASSERT_TRUE(
        ExecuteSql("INSERT INTO 网站格式(Clas, Name, fPath) VALUES('银行', '进账单', '/f')"));
    test::ScriptedAnswers answers;
    QList<QRect> lists, webLists;
    for (int i = 0; i < 5; ++i) {
        test::whenShown<FmtList>([&lists](FmtList* list) {
            lists << list->frameGeometry();
            list->COM_Click(1);  // 退出
        });
        w->m_FCom[30]->trigger();  // 选择格式
        w->DownFmt->trigger();     // 下载格式
        FmtDown* web = FmtDown::Current();
        ASSERT_NE(web, nullptr);
        settle();
        webLists << web->frameGeometry();
        web->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(lists, QList<QRect>(5, lists.first()));
    EXPECT_EQ(webLists, QList<QRect>(5, webLists.first()));
    EXPECT_EQ(answers.messages(), QStringList());
}

}  // namespace
