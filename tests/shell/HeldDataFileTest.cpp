// The data file held by another program (a backup, a database tool): what the clerk asks for
// either happens or is told, with the cause in the clerk's words, and the window shows what
// the file holds.

#include <QFile>
#include <QFileInfo>
#include <QPushButton>

#include "HeldFile.h"
#include "MainWindowFixture.h"
#include "common/Database.h"
#include "common/GridFunctions.h"
#include "common/TextFiles.h"
#include "library/FormatFile.h"
#include "platform/Grid.h"
#include "records/HistoryGrid.h"
#include "shell/TabStrip.h"
#include "store/BackgroundPicture.h"
#include "store/MainForm.h"

using namespace bw;

namespace {

const QString kHeld = "另一个程序正在使用数据文件，请关闭它后再试";

using Holder = test::HeldFile;

class HeldDataFile : public test::MainWindowTest {
protected:
    void SetUp() override {
        if (!test::HeldFile::Available()) GTEST_SKIP() << "no sqlite3 command-line tool";
        test::MainWindowTest::SetUp();
        w_ = start();
        ASSERT_NE(w_, nullptr);
        format_ = MF().CurrentFormat();
        const qint64 box = FormatInputBoxes(format_).value(0).id;
        Transaction t;
        for (int bill = 1; bill <= 5; ++bill)
            ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, ?, ?, ?)",
                       {bill, format_, box, QString("单据%1").arg(bill)});
        ASSERT_TRUE(t.Commit());
        // A clerk waits a few seconds for the lock; the test a moment.
        Db()->SetBusyTimeout(150);
    }
    Grid& grid() { return *MF().MSF[2]; }
    int shownBills() { return grid().Rows() - grid().FixedRows(); }
    int storedBills() {
        Recordset rs;
        OpenRecordset(rs, "SELECT DISTINCT ID FROM 历史 WHERE Fmt=?", {format_});
        return rs.RecordCount();
    }
    void showHistory() {
        w_->SST->SetTab(0);
        w_->SST->SetTab(2);
        settle();
    }
    MainWindow* w_ = nullptr;
    QString format_;
};

TEST_F(HeldDataFile, NothingIsHalfDoneAndTheClerkIsToldWhileAnotherProgramHoldsIt) {
    showHistory();
    ASSERT_EQ(shownBills(), 5);
    Holder holder;
    ASSERT_TRUE(holder.Take(DatabasePath()));

    // Deleting bills: told, and the page keeps them, as the file does.
    {
        test::ScriptedAnswers answers;
        answers << int(dlg::Yes);
        grid().SetRow(grid().FixedRows());
        grid().SetRowSel(grid().Rows() - 1);
        w_->COM[21]->click();
        EXPECT_EQ(answers.messages(),
                  (QStringList{"您确定要删除第1至第5行？",
                               "第1至第5行的单据没有删除（" + kHeld + "），历史记录未作改动！"}));
        EXPECT_EQ(shownBills(), 5);
    }

    // Reading the page (a bill was recorded meanwhile): told; its export writes nothing.
    const QString csv = test::ArtifactDir() + "/history_held.csv";
    QFile::remove(csv);
    {
        test::ScriptedAnswers answers;
        grid().SetTag("");
        showHistory();
        EXPECT_EQ(shownBills(), 0);
        answers << csv;
        w_->COM[23]->click();
        EXPECT_EQ(answers.messages(),
                  (QStringList{"历史记录没有读出（" + kHeld + "），请稍后重新打开历史记录页！",
                               "表格的数据没有读出（" + kHeld + "），不能导出！"}));
        EXPECT_FALSE(QFileInfo::exists(csv));
    }

    // Saving the format as another: told, naming it; nothing of it is made.
    const QString copy = "进账单（另存）";
    {
        test::ScriptedAnswers answers;
        test::answerChooser(copy);
        TheMainWindow()->m_FCom[32]->trigger();
        EXPECT_EQ(answers.messages().value(answers.messages().size() - 1),
                  "格式“" + copy + "”没有保存（" + kHeld + "），原有数据未作改动！");
        for (const QString& m : answers.messages()) {
            EXPECT_FALSE(m.contains("database", Qt::CaseInsensitive)) << m.toStdString();
            EXPECT_FALSE(m.contains("lock", Qt::CaseInsensitive)) << m.toStdString();
        }
        EXPECT_EQ(MF().CurrentFormat(), format_);
    }

    holder.Release();
    EXPECT_EQ(storedBills(), 5);
    EXPECT_EQ(ValueWhere("Fmt", "Fmt=?", "Fmt", {copy}).toString(), "");
    EXPECT_FALSE(QFileInfo::exists(BackgroundPicturePath(copy)));
    // The next showing reads the page again, and it exports.
    test::ScriptedAnswers answers;
    showHistory();
    EXPECT_EQ(shownBills(), 5);
    EXPECT_EQ(GridReadFailure(grid()), "");
    answers << csv;
    w_->COM[23]->click();
    EXPECT_TRUE(QFileInfo::exists(csv));
    EXPECT_TRUE(answers.messages().isEmpty());
}

}  // namespace

namespace {

TEST_F(HeldDataFile, AFormatSaveAndAFormatFileImportNameTheCause) {
    const QString file = folder_.file("导入.vfm");
    ASSERT_EQ(WriteTextFile(FormatFileText(format_), file), 1);
    Holder holder;
    ASSERT_TRUE(holder.Take(DatabasePath()));
    {
        test::ScriptedAnswers answers;
        TheMainWindow()->m_FCom[31]->trigger();
        EXPECT_EQ(answers.messages(), QStringList{"格式“" + format_ + "”保存失败（" + kHeld +
                                                  "），原有格式未作改动！"});
    }
    {
        test::ScriptedAnswers answers;
        EXPECT_FALSE(ImportFormatFile(file));
        EXPECT_EQ(answers.messages(), QStringList{"格式“导入”导入失败（" + kHeld + "）！"});
    }
    holder.Release();
    EXPECT_EQ(ValueWhere("Fmt", "Fmt=?", "Fmt", {"导入"}).toString(), "");
}

}  // namespace
