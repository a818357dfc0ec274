// Imports as a clerk runs them from the main window: batch rows from a CSV file and from a
// workbook with blank rows among them and past them, printed to a PDF file and recorded; an
// empty CSV file and one with a quote that never ends, which leave the loaded batch as it
// was; a batch that stays with its format until the clerk lets it go for another; and a
// format file, whose question after the import comes once the progress window has gone.

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QTimer>

#include "MainWindowFixture.h"
#include "PrintTestSupport.h"
#include "common/Database.h"
#include "common/Globals.h"
#include "common/Indicator.h"
#include "platform/Grid.h"
#include "printing/PrintRequests.h"
#include "records/BatchRows.h"
#include "records/ui/ImportSheets.h"
#include "records/ui/InputMap.h"
#include "store/BoxAccessors.h"
#include "store/BoxEditing.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/FormatBatch.h"
#include "store/LayoutChanges.h"
#include "store/MainForm.h"
#include "store/SampleFormats.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

const QStringList kNames{"张三", "李四", "王五"};

class ImportCommands : public test::MainWindowTest {
protected:
    void SetUp() override {
        test::MainWindowTest::SetUp();
        w_ = start();
        ASSERT_NE(w_, nullptr);
        // Two boxes of plain text, which take a value as it stands.
        for (int n = FirstBoxIndex(kTextBox); n <= LastBoxIndex(kTextBox); ++n)
            if (BoxDataType(GetBoxByIndex(n)) == 0 && plain_.size() < 2) plain_.push_back(n);
        ASSERT_EQ(plain_.size(), 2u);
    }
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = folder_.file(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    // The import command on the file (for a workbook its first sheet is taken), columns A
    // and B mapped to the two plain boxes, rows 2 to 100 taken; `look` sees the mapping
    // dialog first.
    void import(const QString& path, const std::function<void(InputMap*)>& look = {}) {
        auto* sheets = new QTimer;
        QObject::connect(sheets, &QTimer::timeout, sheets, [sheets] {
            if (Sheets* d = test::shownWindow<Sheets>()) {
                d->Img_Click(0);
                sheets->deleteLater();
            }
        });
        sheets->start(5);
        {
            test::ScriptedAnswers answers;
            answers << path;
            w_->COM_Click(10);
        }
        delete sheets;
        InputMap* map = test::shownWindow<InputMap>();
        ASSERT_NE(map, nullptr);
        map->M1Grid->SetTextMatrix(plain_[0], 4, "A");
        map->M1Grid->SetTextMatrix(plain_[1], 4, "B");
        map->T[0]->setText("2");
        map->T[1]->setText("100");
        if (look) look(map);
        map->COM_Click(0);
    }
    QString shown(int i) const { return static_cast<TextBox*>(GetBoxByIndex(plain_[i]))->Text(); }
    // Prints the batch to a PDF file of the artifacts: each page holds the name of its record,
    // and each bill of the history one of the names.
    void expectPrintedAndRecorded(const QString& pdfName, const QStringList& names) {
        const QString pdf = test::ArtifactDir() + "/" + pdfName;
        QFile::remove(pdf);
        test::ChoosePdf(pdf);
        w_->COM_Click(1);
        const std::vector<test::PdfPage> pages = test::ReadPdf(pdf);
        ASSERT_EQ(pages.size(), static_cast<size_t>(names.size()));
        for (int p = 0; p < names.size(); ++p)
            EXPECT_NE(test::FindWord(pages, names[p], p + 1), nullptr) << names[p].toStdString();
        auto bills = [](const QString& where) {
            Recordset rs;
            OpenRecordset(rs, "SELECT DISTINCT ID FROM 历史 WHERE Fmt=?" + where,
                          {MF().CurrentFormat()});
            return rs.RecordCount();
        };
        EXPECT_EQ(bills(""), names.size());
        EXPECT_EQ(bills(" AND Con IN ('张三', '李四', '王五')"), names.size());
    }
    MainWindow* w_ = nullptr;
    std::vector<int> plain_;
};

TEST_F(ImportCommands, BlankRowsOfACsvFileOrAWorkbookAreNoRecordsAndPrintNoBill) {
    // Blank lines, a line of empty fields and one of blanks between the records.
    import(write("客户.csv",
                 "客户,城市\r\n张三,北京\r\n,\r\n\r\n李四,上海\r\n ,  \t\r\n王五,广州\r\n,,\r\n"));
    ASSERT_EQ(BatchRecordCount(*MF().MSF[1]), 3);
    EXPECT_EQ(MF().R_Num[0]->text(), "3");
    expectPrintedAndRecorded("batch_print_csv_blank_rows.pdf", kNames);

    // A workbook written by python3-xlwt: a row of empty texts between the records, the rows
    // asked for run on past its data.
    const QString book = folder_.file("客户.xls");
    const int made = QProcess::execute(
        "/usr/bin/python3",
        {"-c",
         "import sys, xlwt\n"
         "wb = xlwt.Workbook(encoding='utf-8'); ws = wb.add_sheet('客户')\n"
         "rows = [['客户', '城市'], ['李四', '上海'], ['', ''], [' ', ' '], ['王五', '广州']]\n"
         "for r, row in enumerate(rows):\n"
         "    for c, v in enumerate(row): ws.write(r, c, v)\n"
         "wb.save(sys.argv[1])\n",
         book});
    ASSERT_EQ(made, 0) << "python3 with xlwt";
    ExecuteSql("DELETE FROM 历史");
    import(book);
    ASSERT_EQ(BatchRecordCount(*MF().MSF[1]), 2);
    expectPrintedAndRecorded("batch_print_xls_blank_rows.pdf", kNames.mid(1));
}

TEST_F(ImportCommands, AnEmptyCsvFileSaysSoAndKeepsTheBatch) {
    import(write("客户.csv", "客户,城市\r\n张三,北京\r\n李四,上海\r\n王五,广州\r\n"));
    ASSERT_EQ(BatchRecordCount(*MF().MSF[1]), 3);
    MF().HS->setValue(2);
    ASSERT_EQ(shown(0), "李四");
    for (const char* bytes : {"", "客户,城市\r\n"}) {
        SCOPED_TRACE(bytes);
        const QString path = write("空.csv", bytes);
        test::ScriptedAnswers answers;
        import(path);
        EXPECT_TRUE(answers.messages().contains("文件“" + QDir::toNativeSeparators(path) +
                                                "”的第2行至第100行没有可导入的数据！"))
            << answers.messages().join(" / ").toStdString();
        EXPECT_EQ(BatchRecordCount(*MF().MSF[1]), 3);
        EXPECT_EQ(MF().MSF[1]->TextMatrix(4, plain_[0]), "王五");
        EXPECT_EQ(shown(0), "李四");  // the record shown stays
        EXPECT_EQ(MF().R_Num[1]->text(), "2");
    }
}

TEST_F(ImportCommands, ABatchGoesWithItsFormatOnlyWhenTheClerkLetsItGoForAnother) {
    QStringList names, numbers;
    QByteArray csv = "客户,账号\r\n";
    for (int i = 1; i <= 6; ++i) {
        names << QString("编号客户%1").arg(i, 2, 10, QChar('0'));
        numbers << QString("000%1").arg(i * 100);
        csv += (names.back() + "," + numbers.back() + "\r\n").toUtf8();
    }
    import(write("客户.csv", csv));
    ASSERT_EQ(BatchRecordCount(*MF().MSF[1]), 6);
    // A box moved as well: the batch is asked about first, so that No leaves everything.
    MoveBox(static_cast<int>(MF().PG->Width() * 6 / MF().PaperWidthMm()), 0,
            GetBoxByIndex(plain_[0]));
    ASSERT_TRUE(FormatLayoutChanged());
    for (const dlg::Answer answer : {dlg::No, dlg::Yes}) {
        test::ScriptedAnswers answers;
        answers << int(answer) << int(dlg::No);  // the batch; the layout change is dropped
        test::answerFormatList(kSampleWaybill);
        w_->m_FCom[30]->trigger();  // 选择格式
        QStringList asked{BatchDropQuestion(kSampleDepositSlip, 6)};
        if (answer == dlg::Yes) asked << kLayoutChangedQuestion;
        EXPECT_EQ(answers.messages(), asked);
        if (answer == dlg::No) {  // nothing changes
            EXPECT_EQ(MF().CurrentFormat(), kSampleDepositSlip);
            EXPECT_TRUE(FormatLayoutChanged());
            EXPECT_EQ(BatchRecordCount(*MF().MSF[1]), 6);
            EXPECT_EQ(shown(0), names[0]);
        }
    }
    EXPECT_EQ(MF().CurrentFormat(), kSampleWaybill);
    EXPECT_EQ(BatchRecordCount(*MF().MSF[1]), 0);
    EXPECT_EQ(MF().MSF[1]->Cols(), MF().MSF[1]->FixedCols());
    EXPECT_EQ(MF().R_Num[0]->text(), "0");

    // Nothing of the slip's batch is printed on the waybill: the batch print has no record,
    // and the waybill shown holds none of them.
    const QString pdf = test::ArtifactDir() + "/waybill_after_slip_batch.pdf";
    QFile::remove(pdf);
    test::ChoosePdf(pdf);  // the printer choice of the first print that asks for one
    {
        test::ScriptedAnswers answers;
        w_->COM_Click(1);  // 批量打印
        EXPECT_EQ(answers.messages(), QStringList{kNoBatchMessage});
    }
    ASSERT_FALSE(QFileInfo::exists(pdf)) << "waybills printed from the slip's batch";
    w_->COM_Click(0);  // 打印单据
    const std::vector<test::PdfPage> pages = test::ReadPdf(pdf);
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_FALSE(pages[0].words.empty());
    for (const test::PdfWord& word : pages[0].words)
        for (const QString& value : names + numbers)
            EXPECT_FALSE(word.text.contains(value)) << word.text.toStdString();
    Recordset bills;
    OpenRecordset(bills, "SELECT DISTINCT ID FROM 历史 WHERE Fmt=?", {kSampleWaybill});
    EXPECT_EQ(bills.RecordCount(), 1);
}

// A quote at the start of a cell that never ends, in row 3 of a file of some MB after a
// record of two lines: the sample stops before it, and the import says where it begins and
// leaves the batch as it was.
TEST_F(ImportCommands, AQuoteThatNeverEndsIsNamedAndTheBatchStays) {
    import(write("客户.csv", "客户,城市\r\n张三,北京\r\n李四,上海\r\n王五,广州\r\n"));
    ASSERT_EQ(BatchRecordCount(*MF().MSF[1]), 3);
    QByteArray bytes = "客户,城市\r\n\"张\r\n三\",北京\r\n\"5寸照片,上海\r\n";
    for (int r = 0; r < 200000; ++r) bytes += "王五,广州\r\n";
    test::ScriptedAnswers answers;
    const auto sample = [](InputMap* map) {
        const QString twoLines = QStringLiteral("张") + LineBreakMark + QStringLiteral("三");
        EXPECT_EQ(map->M0Grid->TextMatrix(2, 1), twoLines);
        EXPECT_EQ(map->M0Grid->TextMatrix(3, 1), "");
    };
    import(write("照片.csv", bytes), sample);
    EXPECT_EQ(answers.messages(),
              QStringList{"CSV文件导入错误！\r\n第3行（文件第4行）有一个引号没有结束（引号后的"
                          "一项数据超过了65536字节），请在文件中改正后再导入。"});
    EXPECT_EQ(BatchRecordCount(*MF().MSF[1]), 3);
    EXPECT_EQ(MF().MSF[1]->TextMatrix(4, plain_[0]), "王五");
}

TEST_F(ImportCommands, AfterAFormatFileIsImportedTheQuestionComesWithoutTheProgressWindow) {
    const QString file = folder_.file("运单副本.vfm");
    {
        test::ScriptedAnswers answers;
        answers << file;
        test::answerChooser(kSampleWaybill);
        w_->mExportFmt->trigger();
    }
    int progressAtQuestion = 1;
    dlg::SetAnswerer([&](const dlg::Shown& s) -> QVariant {
        if (s.kind == dlg::Shown::OpenFile) return file;
        if (s.text.contains("导入成功")) progressAtQuestion = ProgressShown();
        return int(dlg::Yes);
    });
    w_->mImportFmt->trigger();
    test::InstallDefaultAnswerer();
    EXPECT_EQ(progressAtQuestion, 0);  // closed, not open at half way
    EXPECT_EQ(MF().CurrentFormat(), "运单副本");
}

}  // namespace
