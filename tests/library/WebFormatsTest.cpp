// The web format list against a service on 127.0.0.1: the list reply into 网站格式, the
// preview pictures kept inside Temp, and a format downloaded and imported with its picture;
// a failed download imports nothing, not even a file left from before.

#include "LibraryFixture.h"
#include "library/WebFormats.h"
#include "platform/AppFolder.h"
#include "platform/Grid.h"
#include "store/BackgroundPicture.h"

using namespace bw;

namespace {
using WebFormats = test::WebServiceTest;
}  // namespace

TEST_F(WebFormats, TheListReplacesTheTableOnlyWhenItArrives) {
    // Records of five fields before the last break: four and six fields, an empty record, a
    // bad date and the tail are left out or kept without the date.
    list_ =
        "银行|进账单|/f/a.vfm|/p/a.jpg|2013-4-11<br>a|b|c|d<br><br>a|b|c|d|e|f<br>"
        "快递|运单|/f/b.vfm|/p/b.jpg|不是日期<br>Finished|x|y|z|2013-1-1";
    ASSERT_TRUE(DownWebFmt());
    EXPECT_EQ(Count("网站格式", "1=1", {}), 2);
    EXPECT_TRUE(server_->targets().last().startsWith("/bwf/fmt.asp?Time="));
    Grid g;
    LoadWebFmtList(g);
    ASSERT_EQ(g.Rows() - g.FixedRows(), 2);
    EXPECT_EQ(g.TextMatrix(2, kWebNameCol), "运单");  // ordered by category: 快递 before 银行
    EXPECT_EQ(g.TextMatrix(2, kWebPicPathCol), "/p/b.jpg");
    EXPECT_EQ(ParseWebFormatList(list_).first().dat, QDate(2013, 4, 11));
    EXPECT_FALSE(ParseWebFormatList(list_).last().dat.isValid());
    list_ = "no marker";
    EXPECT_FALSE(DownWebFmt());
    EXPECT_EQ(Count("网站格式", "1=1", {}), 2);
}

TEST_F(WebFormats, PreviewPicturesStayInTempAndAreFetchedOnce) {
    const QString temp = QDir(AppPath()).filePath("Temp");
    for (const char* path : {"/p/a.jpg", "/../x.jpg", "/p/a.jpg?v=1"}) {
        const QString local = WebPreviewFile(path);
        ASSERT_FALSE(local.isEmpty()) << path;
        EXPECT_EQ(QFileInfo(local).absolutePath(), QFileInfo(temp).absoluteFilePath()) << path;
    }
    const int requests = server_->targets().size();
    WebPreviewFile("/p/a.jpg");
    EXPECT_EQ(server_->targets().size(), requests);  // kept from the first time
    EXPECT_EQ(WebPreviewFile("/p/missing.png"), "");
}

TEST_F(WebFormats, ADownloadedFormatIsImportedWithItsPicture) {
    test::ScriptedAnswers answers;
    answers << int(dlg::No);  // do not open it
    ASSERT_TRUE(DownInputFmt("样本", "/f/样本.vfm", "/p/样本.jpg"));
    EXPECT_GT(Count("Fmt", "Fmt=?", {"样本"}), 1);
    EXPECT_TRUE(QFileInfo::exists(BackgroundPicturePath("样本")));
}

TEST_F(WebFormats, AFailedDownloadImportsNothingNotEvenAnOldFile) {
    // A file of the same name from an earlier download waits in Temp.
    const QString temp = QDir(AppPath()).filePath("Temp");
    QDir().mkpath(temp);
    QFile stale(QDir(temp).filePath("旧格式.vfm"));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(test::SampleFormatFile());
    stale.close();
    test::ScriptedAnswers answers;
    EXPECT_FALSE(DownInputFmt("旧格式", "/f/none.vfm", "/p/none.jpg"));
    EXPECT_EQ(answers.lastMessage(), "网络错误！");
    EXPECT_EQ(Count("Fmt", "Fmt LIKE ?", {"旧格式%"}), 0);
}
