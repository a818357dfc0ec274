// The statistics chart saved as a picture (导出图片) onto a disk that fills up: the old picture
// stays whole, no cut-off file is left, and the user is told.

#include <QDir>
#include <QFile>

#include "PrintTestSupport.h"
#include "records/ui/AnalyseWindow.h"

using namespace bw;

namespace {
using ChartPicture = test::PrintFixture;
}  // namespace

TEST_F(ChartPicture, DISABLED_ChildSavesTheChartOnAFullDisk) {
    NewFormat("回单", 120, 60);
    Show();
    AnalyseWindow* w = AnalyseWindow::Show();
    ASSERT_NE(w, nullptr);
    const QString file = QDir(test::ChildFolder()).filePath("chart.jpg");
    test::ScriptedAnswers answers;
    answers << file << int(dlg::Yes);
    ASSERT_TRUE(test::FillTheDisk());
    w->exportChart();
    test::FreeTheDisk();
    EXPECT_EQ(answers.messages(),
              QStringList({"文件“" + file + "”已存在，是否覆盖？", "保存图片出错！"}));
    w->close();
}

TEST(ChartPictureOnAFullDisk, TheOldPictureStaysAndTheUserIsTold) {
    QTemporaryDir folder;
    const QString file = folder.filePath("chart.jpg");
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old chart");
    }
    QString output;
    EXPECT_TRUE(test::RunFullDiskChild("ChartPicture.DISABLED_ChildSavesTheChartOnAFullDisk", 1024,
                                       folder.path(), &output))
        << output.toStdString();
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old chart");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"chart.jpg"});
}
