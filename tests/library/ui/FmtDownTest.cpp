// The web format list window against a service on 127.0.0.1: an empty list is fetched once
// when the window opens, one row is ticked at a time and its picture is previewed; a service
// that refuses every connection is reported and the list stays.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTcpServer>

#include "LibraryFixture.h"
#include "common/Params.h"
#include "library/WebFormats.h"
#include "library/ui/FmtDown.h"
#include "platform/Grid.h"

using namespace bw;

namespace {
using WebList = test::WebServiceTest;
}  // namespace

TEST_F(WebList, FetchesOnceTicksOneRowAndPreviewsIt) {
    list_ =
        "银行|进账单|/f/a.vfm|/p/a.jpg|2013-4-11<br>银行|电汇单|/f/b.vfm|/p/b.jpg|2013-4-12<br>"
        "快递|运单|/f/c.vfm|/p/c.jpg|2013-5-1<br>Finished";
    FmtDown* w = FmtDown::Show();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(listRequests(), 1);
    Grid& g = w->grid();
    ASSERT_EQ(g.Rows() - g.FixedRows(), 3);
    g.SetRow(4);
    for (int r = 2; r < 5; ++r) EXPECT_EQ(g.TextMatrix(r, kWebTickCol), r == 4 ? "√" : "") << r;
    EXPECT_EQ(g.TextMatrix(4, kWebPicPathCol), "/p/a.jpg");  // the path stays
    EXPECT_FALSE(w->LBL->isVisible());
    EXPECT_FALSE(w->Img->pixmap().isNull());
    w->grab().save(QDir(test::ArtifactDir()).filePath("fmtdown_preview.png"));
    w->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The list is kept: opening again asks the service nothing.
    w = FmtDown::Show();
    EXPECT_EQ(listRequests(), 1);
    w->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The web root at a port of 127.0.0.1 where nobody listens: every request of the window is
// refused. 更新列表, the preview and the download each say "网络错误！", and the list that
// was shown stays.
TEST_F(WebList, ARefusedServerIsReportedAndTheListStays) {
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    SaveRegValue("BWF", "Para", "WebRoot", QString("http://127.0.0.1:%1").arg(port));
    ASSERT_TRUE(
        ExecuteSql("INSERT INTO 网站格式(Clas, Name, fPath, pPath, Dat) VALUES"
                   "('银行', '进账单', '/f/a.vfm', '/p/a.jpg', '2013-04-11'),"
                   "('快递', '运单', '/f/c.vfm', '/p/c.jpg', '2013-05-01')"));
    test::ScriptedAnswers answers;
    FmtDown* w = FmtDown::Show();
    ASSERT_NE(w, nullptr);
    Grid& g = w->grid();
    const int rows = g.Rows();
    ASSERT_EQ(rows - g.FixedRows(), 2);
    EXPECT_EQ(answers.messages(), QStringList{"网络错误！"});  // the preview of the first row

    w->COM[0]->click();  // 更新列表
    EXPECT_EQ(answers.messages(), QStringList({"网络错误！", "网络错误！"}));
    EXPECT_EQ(g.Rows(), rows);
    EXPECT_EQ(g.TextMatrix(g.FixedRows(), kWebNameCol), "运单");

    g.SetRow(g.FixedRows() + 1);  // another row's preview
    EXPECT_EQ(answers.messages().size(), 3);
    EXPECT_EQ(answers.lastMessage(), "网络错误！");

    w->COM[1]->click();  // 导入格式
    EXPECT_EQ(answers.messages().size(), 4);
    EXPECT_EQ(answers.lastMessage(), "网络错误！");
    EXPECT_EQ(Count("Fmt", "Fmt=?", {"进账单"}), 0);
    EXPECT_EQ(Count("网站格式", "1=1", {}), 2);
    EXPECT_TRUE(w->isVisible());
    w->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
