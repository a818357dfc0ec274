// The print commands end to end: the printer dialog, copies, the history record, the batch
// as one document, and what happens when an amount does not fit or the printer fails.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <functional>

#include "PrintTestSupport.h"
#include "common/Database.h"
#include "common/Globals.h"
#include "common/Params.h"
#include "platform/Grid.h"
#include "platform/SqlEngine.h"
#include "printing/PrintRequests.h"
#include "printing/SelPrinter.h"
#include "records/History.h"
#include "store/BoxModel.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

using namespace bw;
using namespace bw::test;

namespace {

class Requests : public LabelFixture {
protected:
    void SetUp() override {
        LabelFixture::SetUp();
        NewFormat("进账单", 200, 100);
        nameId = AddBox({.kind = 0, .caption = "户名", .x = 20, .y = 30, .w = 60});
        amountId = AddBox({.kind = 0, .caption = "金额", .x = 100, .y = 30, .w = 30, .cash = 5});
        Show();
        SaveRegValue("BWF", "Validate", "Printer", "");
    }
    QString Artifact(const QString& name) { return QDir(ArtifactDir()).filePath(name); }
    int Bills() { return LastBillNumber(format_); }
    QString HistoryValue(int bill, qint64 id) {
        return ValueWhere("历史", "Fmt=? AND ID=? AND CID=?", "Con", {format_, bill, id})
            .toString();
    }
    // The batch grid with one record per name: column 1 feeds box 1, column 2 box 2.
    void Batch(const QStringList& names, const QStringList& amounts) {
        std::vector<QStringList> records;
        for (int i = 0; i < names.size(); ++i) records.push_back({names[i], amounts.value(i)});
        FillBatch({1, 2}, records);
    }
    qint64 nameId = 0, amountId = 0;
};

TEST_F(Requests, ABillPrintsItsCopiesAndIsRecordedUnderTheNextNumber) {
    SetBoxValue(Text(1), "张三");
    SetBoxValue(Text(2), "12.5");
    // Cancelling the printer choice prints and records nothing.
    InDialog([](SelPrinter* d) { d->COM_Click(1); });
    EXPECT_FALSE(PrintBill(true, true));
    EXPECT_EQ(Bills(), 0);

    const QString file = Artifact("request-two-copies.pdf");
    QFile::remove(file);
    ChoosePdf(file, "2");
    ASSERT_TRUE(PrintBill(true, true));
    EXPECT_EQ(PrintCopies, 2);
    EXPECT_EQ(PdfPageCount(file), 2);
    EXPECT_EQ(CurrentPrinter().DeviceName(), kPdfPrinterName);
    EXPECT_EQ(GetRegValue("BWF", "Validate", "Printer", ""), kPdfPrinterName);
    EXPECT_EQ(Bills(), 1);
    EXPECT_EQ(HistoryValue(1, nameId), "张三");
    EXPECT_EQ(HistoryValue(1, amountId), Text(2)->Text());

    // The next bill gets the next number; without recording nothing is added.
    ChoosePdf(Artifact("request-second.pdf"));
    ASSERT_TRUE(PrintBill(true, true));
    EXPECT_EQ(Bills(), 2);
    ChoosePdf(Artifact("request-third.pdf"));
    ASSERT_TRUE(PrintBill(true, false));
    EXPECT_EQ(Bills(), 2);
}

TEST_F(Requests, AnAmountTooLongForItsCellsIsNeitherPrintedNorRecorded) {
    SetBoxValue(Text(1), "张三");
    SetBoxValue(Text(2), "1234.5");  // six digits for five cells
    ScriptedAnswers answers;
    bool dialogShown = false;
    InDialog([&](SelPrinter* d) {
        dialogShown = true;
        d->COM_Click(1);
    });
    EXPECT_FALSE(PrintBill(true, true));
    QCoreApplication::processEvents();  // the dialog action finds no dialog
    EXPECT_FALSE(dialogShown);
    EXPECT_TRUE(answers.lastMessage().contains("超出了5个数字格"))
        << answers.lastMessage().toStdString();
    EXPECT_TRUE(answers.lastMessage().contains("金额"));
    EXPECT_EQ(Bills(), 0);

    // Five digits fit; only the currency sign has no cell and is left off.
    SetBoxValue(Text(2), "234.5");
    const QString file = Artifact("amount-fits.pdf");
    ChoosePdf(file);
    ASSERT_TRUE(PrintBill(true, true));
    EXPECT_EQ(Bills(), 1);
    const auto pages = ReadPdf(file);
    EXPECT_EQ(FindWord(pages, "￥"), nullptr);
    EXPECT_NE(FindWord(pages, "0"), nullptr);
}

TEST_F(Requests, APrinterThatCannotTakeTheJobLeavesNoHistory) {
    SetBoxValue(Text(1), "张三");
    // The connection test in the dialog: a PDF file in a folder that takes no file.
    ScriptedAnswers answers;
    InDialog([](SelPrinter* d) {
        d->COMB->setCurrentText(kPdfPrinterName);
        d->PdfFile->setText("/proc/none.pdf");
        d->COM_Click(0);
    });
    EXPECT_FALSE(PrintBill(true, true));
    EXPECT_EQ(answers.lastMessage(), "没有正常连接打印机！");
    EXPECT_EQ(Bills(), 0);

    // A job that cannot start (inside a batch, without the dialog).
    CurrentPrinter().SetOutputFile("/proc/bellweft/none.pdf");
    EXPECT_FALSE(PrintBill(false, true));
    EXPECT_TRUE(answers.lastMessage().contains("没有记入历史记录"));
    EXPECT_EQ(Bills(), 0);

    // A printer that goes away before the document is ended.
    RecordingPrinter& rec = InstallRecordingPrinter();
    rec.readyFor = 2;  // the dialog's test and the start of the job
    InDialog([&](SelPrinter* d) {
        d->COMB->setCurrentText(rec.DeviceName());
        d->COM_Click(0);
    });
    EXPECT_FALSE(PrintBill(true, true));
    EXPECT_EQ(rec.Record().pages.size(), 1u);  // drawn, but never delivered
    EXPECT_EQ(Bills(), 0);
}

TEST_F(Requests, ABatchIsOneDocumentWithEveryCopyAndEveryBillRecorded) {
    Batch({"甲", "乙", "丙", "丁", "戊"}, {"1", "2", "3", "4", "5"});
    MF().HS->setRange(1, 5);
    MF().HS->setValue(3);
    const QString file = Artifact("batch-five.pdf");
    QFile::remove(file);
    ChoosePdf(file, "2");
    PrintBatchBills();
    EXPECT_EQ(PdfPageCount(file), 10);
    const auto pages = ReadPdf(file);
    ASSERT_EQ(pages.size(), 10u);
    EXPECT_NE(FindWord(pages, "甲", 1), nullptr);
    EXPECT_NE(FindWord(pages, "甲", 2), nullptr);
    EXPECT_NE(FindWord(pages, "戊", 10), nullptr);
    EXPECT_EQ(Bills(), 5);
    EXPECT_EQ(HistoryValue(4, nameId), "丁");
    // The record shown before the batch is shown again.
    EXPECT_EQ(Text(1)->Text(), "丙");
    EXPECT_EQ(MF().R_Num[1]->text(), "3");
}

TEST_F(Requests, ABatchStopsAtAnAmountThatDoesNotFitAndKeepsWhatWasPrinted) {
    Batch({"甲", "乙", "丙"}, {"1", "2", "1234.5"});
    ScriptedAnswers answers;
    const QString file = Artifact("batch-stops.pdf");
    ChoosePdf(file);
    PrintBatchBills();
    EXPECT_EQ(PdfPageCount(file), 2);
    EXPECT_EQ(Bills(), 2);
    EXPECT_TRUE(answers.lastMessage().contains("超出了"));
}

TEST_F(Requests, ABatchWithoutRecordsOrWithoutAPrinterDoesNothing) {
    // A grid that never received a batch (one blank row under one header row) and a batch
    // whose records were all removed.
    const std::vector<std::function<void()>> noBatch = {
        [] {
            Grid& g = *MF().MSF[1];
            g.SetFixedRows(0);
            g.SetRows(2);
            g.SetCols(2);
            g.SetFixedRows(1);
        },
        [this] { Batch({}, {}); },
    };
    for (const auto& setUp : noBatch) {
        setUp();
        ScriptedAnswers answers;
        bool asked = false;
        InDialog([&](SelPrinter* d) {
            asked = true;
            d->COM_Click(1);
        });
        PrintBatchBills();
        QCoreApplication::processEvents();
        EXPECT_FALSE(asked);
        EXPECT_EQ(answers.messages(), QStringList{kNoBatchMessage});
        EXPECT_EQ(Bills(), 0);
    }

    Batch({"甲"}, {"1"});
    InDialog([](SelPrinter* d) { d->COM_Click(1); });
    PrintBatchBills();
    EXPECT_EQ(Bills(), 0);
}

TEST_F(Requests, ABatchThatNeverReachesThePrinterLeavesNoHistory) {
    Batch({"甲", "乙"}, {"1", "2"});
    RecordingPrinter& rec = InstallRecordingPrinter();
    rec.readyFor = 2;  // gone when the document ends
    ScriptedAnswers answers;
    InDialog([&](SelPrinter* d) {
        d->COMB->setCurrentText(rec.DeviceName());
        d->COM_Click(0);
    });
    PrintBatchBills();
    EXPECT_EQ(rec.Record().pages.size(), 2u);
    EXPECT_EQ(Bills(), 0);
    EXPECT_TRUE(answers.lastMessage().contains("本批单据没有打印"))
        << answers.lastMessage().toStdString();
}

// ---- A full disk and a full database --------------------------------------------------

// Holds the database file at its present number of pages and fills them with history rows
// shaped like the next one the bill writes (same format, same box, a value no longer than
// the bill's): that row then finds no room.
void FillTheDatabase(const QString& format, qint64 box) {
    auto c = Db();
    ASSERT_TRUE(c);
    sql::Recordset pages = c->Query("PRAGMA page_count");
    ASSERT_TRUE(c->Exec("PRAGMA max_page_count = " + pages.Text(pages.Field(0).name)));
    int id = 1000;
    for (const QString& value : {QString("填充的单据内容"), QString("x")})
        while (id < 200000 && ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, ?, ?, ?)",
                                         {id, format, box, value}))
            ++id;
    ASSERT_LT(id, 200000);
}

TEST_F(Requests, DISABLED_ChildPrintsOnAFullDisk) {
    ASSERT_FALSE(ChildFolder().isEmpty());
    SetBoxValue(Text(1), "张三");
    SetBoxValue(Text(2), "12.5");
    const QString file = QDir(ChildFolder()).filePath("bill.pdf");
    ScriptedAnswers answers;
    ChoosePdf(file, "3");
    ASSERT_TRUE(FillTheDisk());
    const bool printed = PrintBill(true, true);
    FreeTheDisk();
    EXPECT_FALSE(printed);
    EXPECT_EQ(Bills(), 0);
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_EQ(answers.lastMessage(),
              "PDF文件“" + file + "”没有写成（磁盘空间已满），单据没有打印，也没有记入历史记录！");
}

TEST_F(Requests, APdfCutOffByAFullDiskIsRemovedAndTheBillIsNotRecorded) {
    // The PDF of three copies needs more than 4 kB: the disk is full after 4 kB.
    // An older file of that name stays as it was.
    QTemporaryDir full;
    {
        QFile old(QDir(full.path()).filePath("bill.pdf"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the bill printed yesterday");
    }
    QString output;
    EXPECT_TRUE(
        RunFullDiskChild("Requests.DISABLED_ChildPrintsOnAFullDisk", 4096, full.path(), &output))
        << output.toStdString();
    EXPECT_EQ(QDir(full.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"bill.pdf"});
    QFile old(QDir(full.path()).filePath("bill.pdf"));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "the bill printed yesterday");

    // With room the same print gives one whole file and nothing beside it.
    QTemporaryDir room;
    const QString file = QDir(room.path()).filePath("bill.pdf");
    SetBoxValue(Text(1), "张三");
    ChoosePdf(file, "3");
    ASSERT_TRUE(PrintBill(true, true));
    EXPECT_EQ(PdfPageCount(file), 3);
    EXPECT_EQ(QDir(room.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"bill.pdf"});
    EXPECT_EQ(Bills(), 1);
}

TEST_F(Requests, ABillTheHistoryCannotTakeIsNotPrinted) {
    FillTheDatabase(format_, nameId);
    const int bills = Bills();

    // One bill: neither on paper nor in the history, and the clerk is told why.
    SetBoxValue(Text(1), "张三");
    ScriptedAnswers answers;
    const QString file = Artifact("history-full.pdf");
    QFile::remove(file);
    ChoosePdf(file);
    EXPECT_FALSE(PrintBill(true, true));
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_EQ(Bills(), bills);
    EXPECT_EQ(answers.messages(),
              QStringList{"单据没有打印，也没有记入历史记录（磁盘空间已满）！"});

    // A batch whose first bill finds no room prints nothing, in one message.
    Batch({"甲", "乙", "丙"}, {"1", "2", "3"});
    ScriptedAnswers batchAnswers;
    const QString batch = Artifact("history-full-batch.pdf");
    QFile::remove(batch);
    ChoosePdf(batch);
    PrintBatchBills();
    EXPECT_FALSE(QFileInfo::exists(batch));
    EXPECT_EQ(Bills(), bills);
    EXPECT_EQ(batchAnswers.messages(),
              QStringList{"第1张单据不能记入历史记录（磁盘空间已满），本批打印停在第1张单据，"
                          "第1至第3张单据（共3张）没有打印，也没有记入历史记录！"});
}

TEST_F(Requests, ABatchStopsAtABillTheHistoryRefusesAndSendsThoseBefore) {
    // The file refuses the second bill's rows, and only those.
    ASSERT_TRUE(
        ExecuteSql("CREATE TRIGGER refuse BEFORE INSERT ON 历史 WHEN NEW.Con = '乙' "
                   "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    Batch({"甲", "乙", "丙"}, {"1", "2", "3"});
    ScriptedAnswers answers;
    const QString file = Artifact("history-refuses-second.pdf");
    ChoosePdf(file);
    PrintBatchBills();
    const auto pages = ReadPdf(file);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(FindWord(pages, "甲"), nullptr);
    EXPECT_EQ(Bills(), 1);
    EXPECT_EQ(HistoryValue(1, nameId), "甲");
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_TRUE(answers.lastMessage().startsWith("第2张单据不能记入历史记录（"))
        << answers.lastMessage().toStdString();
    EXPECT_TRUE(answers.lastMessage().endsWith(
        "本批打印停在第2张单据，第2至第3张单据（共2张）没有打印，也没有记入历史记录！"
        "此前的1张单据已经打印并记入历史记录。"))
        << answers.lastMessage().toStdString();
}

TEST_F(Requests, ADocumentThatCannotTakeItsNameTakesItsBillsBackOutOfTheHistory) {
    // The PDF is whole and the bills recorded before it takes its name, which a folder made
    // under that name once the printer was chosen refuses: the records go again.
    QTemporaryDir room;
    const QString taken = room.filePath("bill.pdf");
    const auto chooseThenTake = [&] {
        InDialog([taken](SelPrinter* d) {
            d->COMB->setCurrentText(kPdfPrinterName);
            d->PdfFile->setText(taken);
            d->COM_Click(0);
            QDir().mkpath(taken + "/inside");
        });
    };
    SetBoxValue(Text(1), "张三");
    ScriptedAnswers answers;
    chooseThenTake();
    EXPECT_FALSE(PrintBill(true, true));
    EXPECT_EQ(Bills(), 0);
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_TRUE(answers.lastMessage().startsWith("PDF文件“" + taken + "”没有写成"))
        << answers.lastMessage().toStdString();
    EXPECT_TRUE(answers.lastMessage().endsWith("，单据没有打印，也没有记入历史记录！"));

    QDir(taken).removeRecursively();
    Batch({"甲", "乙"}, {"1", "2"});
    chooseThenTake();
    PrintBatchBills();
    EXPECT_EQ(Bills(), 0);
    EXPECT_TRUE(answers.lastMessage().endsWith("，本批单据没有打印，也没有记入历史记录！"))
        << answers.lastMessage().toStdString();
    EXPECT_EQ(QDir(room.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});

    // The next bill, with its name free, takes the first number.
    QDir(taken).removeRecursively();
    ChoosePdf(taken);
    EXPECT_TRUE(PrintBill(true, true));
    EXPECT_EQ(Bills(), 1);
}

}  // namespace
