// The two ready formats of a new database as a clerk fills and prints them in the main
// window: the amount typed into one box shows in capitals in another, the charges add up, the
// date is today's and the bill number runs on (its QR code with it) after each printed bill.
// Printed to the PDF printer and read back: an amount that is no number never reaches the
// paper, by hand or in a batch, and the clerk is told which box holds what; a batch that
// stops says where and how many records it left; every bill of a batch takes its own running
// number, on the page, in its QR code and in the history; so does every label of a sheet.
// Text that runs out of its box shows from its first line and is printed only when the
// clerk, asked once per command, says so.

#include <QClipboard>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <set>

#include "DecodeSupport.h"
#include "HeldFile.h"
#include "MainWindowFixture.h"
#include "PrintTestSupport.h"
#include "common/Database.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "records/BatchRows.h"
#include "records/History.h"
#include "records/ui/InputMap.h"
#include "shell/Startup.h"
#include "shell/TabStrip.h"
#include "store/BoxAccessors.h"
#include "store/FormatOperations.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/SampleFormats.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

class ReadyFormats : public test::MainWindowTest {
protected:
    void SetUp() override {
        test::MainWindowTest::SetUp();
        w_ = start();
        ASSERT_NE(w_, nullptr);
        w_->activateWindow();
        settle();
    }

    // Types the text into the captioned box as the clerk does, or pastes it (the digit cells
    // take no letters from the keys), and leaves the box for `next`.
    TextBox* type(const QString& caption, const QString& text, const QString& next,
                  bool pasted = false) {
        TextBox* box = test::textBoxCaptioned(caption);
        TextBox* after = test::textBoxCaptioned(next);
        EXPECT_TRUE(box && after) << caption.toStdString();
        if (!box || !after) return nullptr;
        box->setFocus();
        settle();
        box->SetText(QString());
        if (pasted) {
            QApplication::clipboard()->setText(text);
            QTest::keyClick(box->Editor(), Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(box->Editor(), text);
        }
        after->setFocus();
        settle();
        return box;
    }
    static QString text(const QString& caption) {
        TextBox* box = test::textBoxCaptioned(caption);
        return box ? box->Text() : QStringLiteral("(no box)");
    }
    static int bills() { return LastBillNumber(MF().CurrentFormat()); }
    // The value the box captioned so held in each recorded bill, by bill number.
    static QStringList recorded(const QString& caption) {
        Recordset rs;
        OpenRecordset(rs, "SELECT Con FROM 历史 WHERE Fmt=? AND CID=? ORDER BY ID",
                      {MF().CurrentFormat(), BoxRecordId(test::textBoxCaptioned(caption))});
        QStringList values;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) values << rs.Text("Con");
        return values;
    }
    // Imports the CSV lines (a header line first) through the import button and the mapping
    // window, columns A, B, ... into the boxes captioned so (by default A into 用途 and B into
    // 小写); every other box is left unmapped.
    void importBatch(const QByteArray& lines, const QStringList& boxes = {"用途", "小写"}) {
        const QString path = folder_.file("slips.csv");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(lines);
        f.close();
        {
            test::ScriptedAnswers answers;
            answers << path;
            w_->COM_Click(10);
        }
        InputMap* map = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<InputMap*>(top); m && m->isVisible()) map = m;
        ASSERT_NE(map, nullptr);
        for (int c = 0; c < boxes.size(); ++c)
            map->M1Grid->SetTextMatrix(test::textBoxCaptioned(boxes[c])->Index(), 4,
                                       ColumnLetters(c + 1));
        map->COM_Click(0);
    }
    // Prints to the PDF file by the command (0 the bill shown, 1 the batch, -1 the label page
    // shown), questions answered as given (else as by default, 否); the messages shown.
    QStringList print(int command, const QString& pdf, const QVariantList& replies = {}) {
        QFile::remove(pdf);
        test::ScriptedAnswers answers;
        for (const QVariant& reply : replies) answers << reply;
        test::ChoosePdf(pdf);
        if (command < 0)
            MF().CB[14]->click();
        else
            w_->COM_Click(command);
        settle();
        return answers.messages();
    }
    // The words of each page of a PDF file, joined.
    static QStringList pageTexts(const QString& pdf) {
        QStringList texts;
        for (const test::PdfPage& page : test::ReadPdf(pdf)) {
            QString t;
            for (const test::PdfWord& word : page.words) t += word.text;
            texts << t;
        }
        return texts;
    }

    MainWindow* w_ = nullptr;
};

}  // namespace

TEST_F(ReadyFormats, TheSlipsCapitalsFollowTheAmountItsDateIsTodayAndItsNumberRunsOn) {
    ASSERT_EQ(MF().CurrentFormat(), kSampleDepositSlip);
    const QDate today = QDate::currentDate();
    EXPECT_EQ(text("年"), QString::number(today.year()));
    EXPECT_EQ(text("日").toInt(), today.day());

    ASSERT_NE(type("小写", "8765.43", "用途"), nullptr);
    EXPECT_EQ(text("小写"), "￥8,765.43");
    EXPECT_EQ(text("人民币(大写)"), "捌仟柒佰陆拾伍元肆角叁分");
    EXPECT_TRUE(grab().save(test::ArtifactDir() + "/ready_deposit_slip.png"));

    // The slip's number is shown as its QR code; the next bill after a printed one takes the
    // next number, and the QR code follows it.
    EXPECT_EQ(text("编号"), "BW-JZD-20130411-0001");
    ASSERT_EQ(MF().II.size(), 1u);
    EXPECT_EQ(MF().II[0]->LinkItem, "BW-JZD-20130411-0001");
    MF().mClearAfterPrint->setChecked(true);
    test::ChoosePdf(test::ArtifactDir() + "/ready_slip.pdf");
    w_->COM_Click(0);
    EXPECT_EQ(text("编号"), "BW-JZD-20130411-0002");
    EXPECT_EQ(MF().II[0]->LinkItem, "BW-JZD-20130411-0002");
    EXPECT_GT(test::darkShare(MF().II[0]), 0.2);
    EXPECT_EQ(text("年"), QString::number(today.year()));
}

TEST_F(ReadyFormats, TheWaybillAddsItsChargesShowsTheTotalInCapitalsAndTodaysDate) {
    SelectFormat(kSampleWaybill);
    ASSERT_EQ(MF().CurrentFormat(), kSampleWaybill);
    EXPECT_EQ(text("寄件日期"), QDate::currentDate().toString("yyyy-MM-dd"));
    EXPECT_EQ(text("费用合计"), "￥24.00");
    EXPECT_EQ(text("大写"), "贰拾肆圆整");

    type("运费", "30", "备注");
    EXPECT_EQ(text("费用合计"), "￥32.00");
    EXPECT_EQ(text("大写"), "叁拾贰圆整");
    EXPECT_TRUE(grab().save(test::ArtifactDir() + "/ready_waybill.png"));
    type("保价费", "", "备注");  // an empty charge counts as nothing
    EXPECT_EQ(text("费用合计"), "￥30.00");
    EXPECT_EQ(text("大写"), "叁拾圆整");
    EXPECT_EQ(MF().II[0]->LinkItem, text("运单号"));
}

TEST_F(ReadyFormats, AnAmountThatIsNoNumberIsKeptInSightButNeverPrinted) {
    const QString pdf = test::ArtifactDir() + "/refused_amount.pdf";
    // Digit cells: a pasted text that is no amount stays as it is and the capitals copy it;
    // the bill is refused before the printer is asked for, naming the box it was pasted in.
    type("小写", "12abc3", "用途", true);
    EXPECT_EQ(text("小写"), "12abc3");
    EXPECT_EQ(text("人民币(大写)"), "12abc3");
    EXPECT_EQ(print(0, pdf),
              QStringList{"“小写”的内容“12abc3”不是金额，单据没有打印，也没有记入历史记录！"
                          "\r\n请改正金额或该框的数据类别后再打印。"});
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_EQ(bills(), 0);

    // Capitals typed by hand that are no amount.
    type("小写", "8765.43", "用途");
    type("人民币(大写)", "捌仟abc", "用途", true);
    EXPECT_TRUE(print(0, pdf).value(0).startsWith("“人民币(大写)”的内容“捌仟abc”不是金额"));

    // A money box of the waybill: the total over it is not made up of part of the text.
    SelectFormat(kSampleWaybill);
    type("运费", "12abc3", "备注");
    EXPECT_EQ(text("费用合计"), "");
    EXPECT_EQ(text("大写"), "");
    EXPECT_TRUE(print(0, pdf).value(0).startsWith("“运费”的内容“12abc3”不是金额"));
    EXPECT_FALSE(QFileInfo::exists(pdf));

    // Mended, the bill prints and the total is back.
    type("运费", "30", "备注");
    EXPECT_EQ(text("费用合计"), "￥32.00");
    EXPECT_TRUE(print(0, pdf).isEmpty());
    EXPECT_EQ(test::PdfPageCount(pdf), 1);
    EXPECT_EQ(bills(), 1);
}

TEST_F(ReadyFormats, ABatchStopsAtARefusedRecordAndSaysWhereAndHowManyAreLeft) {
    importBatch(
        "用途,小写\r\n货款一,100\r\n货款二,200\r\n货款三,99999999999.99\r\n"
        "货款四,400\r\n货款五,500\r\n");
    ASSERT_EQ(BatchRecordCount(*MF().MSF[1]), 5);
    const QString tail =
        "，本批打印停在第3张单据，第3至第5张单据（共3张）没有打印，也没有记入历史"
        "记录！此前的2张单据已经打印并记入历史记录。\r\n请改正金额或该框的数据类"
        "别后再打印。";
    // Eleven cells cannot hold the third record's amount.
    const QString pdf = test::ArtifactDir() + "/batch_stopped.pdf";
    EXPECT_EQ(print(1, pdf),
              QStringList{"“小写”的金额“￥99,999,999,999.99”超出了11个数字格" + tail});
    const QStringList pages = pageTexts(pdf);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains("货款一") && pages[1].contains("货款二"));
    EXPECT_EQ(recorded("用途"), QStringList({"货款一", "货款二"}));

    // A record whose amount is no number stops the batch the same way.
    Grid& g = *MF().MSF[1];
    for (int c = g.FixedCols(); c < g.Cols(); ++c)
        if (g.TextMatrix(1, c) == "小写") g.SetTextMatrix(g.FixedRows() + 2, c, "abc");
    EXPECT_EQ(print(1, pdf), QStringList{"“小写”的内容“abc”不是金额" + tail});
    EXPECT_EQ(pageTexts(pdf).size(), 2);
    EXPECT_FALSE(pageTexts(pdf).join("").contains("abc"));
    EXPECT_EQ(bills(), 4);
}

TEST_F(ReadyFormats, EveryBillOfABatchTakesTheNextRunningNumberAndItsQrCode) {
    const QString first = "BW-JZD-20130411-0001";
    ASSERT_EQ(text("编号"), first);
    importBatch("用途,小写\r\n货款一,100\r\n货款二,200\r\n货款三,300\r\n");
    const QString pdf = test::ArtifactDir() + "/batch_numbers.pdf";
    EXPECT_TRUE(print(1, pdf).isEmpty());

    const QStringList numbers{first, "BW-JZD-20130411-0002", "BW-JZD-20130411-0003"};
    const QStringList pages = pageTexts(pdf);
    ASSERT_EQ(pages.size(), 3);
    for (int p = 0; p < 3; ++p) {
        EXPECT_TRUE(pages[p].contains(numbers[p])) << p;
        // The QR code in the corner of the slip carries the page's own number.
        const QImage page = test::RasterisePdf(pdf, p + 1, 300);
        const double dots = 300 / 25.4;
        const QImage corner =
            page.copy(QRectF(170 * dots, 55 * dots, 40 * dots, 40 * dots).toRect());
        EXPECT_EQ(test::Decode(corner, test::Symbology::QRCode).text, test::Utf8(numbers[p])) << p;
    }
    EXPECT_EQ(recorded("编号"), numbers);

    // The bill shown after the batch is a new one with the next number; printed by hand
    // twice without clearing, it keeps that number.
    const QString next = "BW-JZD-20130411-0004";
    EXPECT_EQ(text("编号"), next);
    ASSERT_FALSE(MF().mClearAfterPrint->isChecked());
    const QString again = test::ArtifactDir() + "/reprint_keeps_number.pdf";
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(print(0, again).isEmpty());
        EXPECT_TRUE(pageTexts(again).value(0).contains(next));
    }
    EXPECT_EQ(recorded("编号"), numbers + QStringList({next, next}));
}

TEST_F(ReadyFormats, ABillGoesToThePrinterOnlyWhenItsRecordCanBeWritten) {
    if (!test::HeldFile::Available()) GTEST_SKIP() << "no sqlite3 command-line tool";
    importBatch("用途,小写\r\n货款一,100\r\n货款二,200\r\n");
    MF().mClearAfterPrint->setChecked(true);
    const QString first = text("编号");
    ASSERT_EQ(first, "BW-JZD-20130411-0001");
    // A clerk waits a few seconds for the file; the test a moment.
    Db()->SetBusyTimeout(150);
    const QString held = "（另一个程序正在使用数据文件，请关闭它后再试）！";
    const QString dir = test::ArtifactDir();
    {
        test::HeldFile holder;
        ASSERT_TRUE(holder.Take(DatabasePath()));
        EXPECT_EQ(print(0, dir + "/held_bill.pdf"),
                  QStringList{"单据没有打印，也没有记入历史记录" + held});
        EXPECT_FALSE(QFileInfo::exists(dir + "/held_bill.pdf"));
        EXPECT_EQ(text("编号"), first);  // the bill stays, to be printed again
        EXPECT_EQ(print(1, dir + "/held_batch.pdf"),
                  QStringList{"本批单据没有打印，也没有记入历史记录" + held});
        EXPECT_FALSE(QFileInfo::exists(dir + "/held_batch.pdf"));
    }
    EXPECT_EQ(bills(), 0);

    // Free again: the bill goes out with its number, and each bill after takes the next one.
    QStringList onPaper;
    const QRegularExpression number("BW-JZD-\\d{8}-\\d{4}");
    for (const auto& [command, pdf] :
         {std::pair{0, dir + "/freed_bill.pdf"}, std::pair{1, dir + "/freed_batch.pdf"},
          std::pair{0, dir + "/freed_next.pdf"}}) {
        EXPECT_EQ(print(command, pdf), QStringList{});
        for (const QString& page : pageTexts(pdf)) onPaper << number.match(page).captured();
    }
    QStringList expected;
    for (int n = 1; n <= 4; ++n)
        expected << QString("BW-JZD-20130411-%1").arg(n, 4, 10, QChar('0'));
    EXPECT_EQ(onPaper, expected);
    EXPECT_EQ(recorded("编号"), expected);
}

TEST_F(ReadyFormats, NumbersRunOnThroughABatchABillAndARestartOnTheDataFileOfAnEarlierBuild) {
    // Past 9999 a number is one digit wider and sorts before the narrower ones as text: only
    // the bill number tells which is the latest.
    test::textBoxCaptioned("编号")->SetText("BW-JZD-20130411-9998");
    importBatch("用途,小写\r\n货款一,100\r\n货款二,200\r\n货款三,300\r\n");
    const QString pdf = test::ArtifactDir() + "/numbers_run_on.pdf";
    EXPECT_TRUE(print(1, pdf).isEmpty());
    MF().mClearAfterPrint->setChecked(true);
    EXPECT_TRUE(print(0, pdf).isEmpty());
    EXPECT_EQ(text("编号"), "BW-JZD-20130411-10002");
    closeWindow();

    // The file as the build before made it: without the indexes of the box lookups, with
    // those on the box alone and (made on first use) on the value alone.
    for (const char* sql :
         {"DROP INDEX 历史_CID_Fmt_ID", "DROP INDEX 历史_CID_Fmt_Con",
          "CREATE INDEX 历史_CID ON 历史(CID)", "CREATE INDEX 历史_Con ON 历史(Con)"})
        ASSERT_TRUE(ExecuteSql(sql)) << sql;
    auto history = [] {
        Recordset rs;
        OpenRecordset(rs,
                      "SELECT group_concat(ID || '|' || Fmt || '|' || CID || '|' || Con, "
                      "';') FROM (SELECT * FROM 历史 ORDER BY rowid)");
        return rs.Value(0).toString();
    };
    const QString rows = history();
    auto indexes = [] {
        QStringList names;
        Recordset rs;
        OpenRecordset(rs,
                      "SELECT name FROM sqlite_master WHERE type='index' AND tbl_name='历史' "
                      "ORDER BY name");
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) names << rs.Text("name");
        return names;
    };
    ReleaseInstanceLock();
    w_ = start();
    ASSERT_NE(w_, nullptr);
    EXPECT_EQ(indexes(), QStringList({"历史_CID_Fmt_Con", "历史_CID_Fmt_ID", "历史_Fmt_ID"}));
    EXPECT_EQ(history(), rows);
    EXPECT_TRUE(rows.contains("BW-JZD-20130411-10001")) << rows.toStdString();

    EXPECT_EQ(text("编号"), "BW-JZD-20130411-10002");
    EXPECT_TRUE(print(0, pdf).isEmpty());
    QStringList numbers;
    for (int n = 9998; n <= 10002; ++n) numbers << QString("BW-JZD-20130411-%1").arg(n);
    EXPECT_EQ(recorded("编号"), numbers);
}

TEST_F(ReadyFormats, EachLabelOfASheetCarriesTheBillItsRecordMakesInABatch) {
    importBatch(
        "全称,小写\r\n客户一,100\r\n客户二,200\r\n客户三,300\r\n客户四,400\r\n"
        "客户五,500\r\n客户六,600\r\n",
        {"全称", "小写"});
    ASSERT_EQ(BatchRecordCount(*MF().MSF[1]), 6);
    const QString capitals = text("人民币(大写)"), number = text("编号");
    w_->SST->SetTab(3);
    settle();
    // 2 x 4 labels of the slip's own proportions, 100 x 48.4 mm.
    for (auto [i, v] : {std::pair{0, "2"}, {1, "4"}, {3, "200"}, {4, "193.6"}})
        MF().TNum[i]->setText(v);
    const QString pdf = test::ArtifactDir() + "/label_sheet_bills.pdf";
    EXPECT_TRUE(print(-1, pdf).isEmpty());
    const auto pages = test::ReadPdf(pdf);
    ASSERT_EQ(pages.size(), 1u);
    const QImage page = test::RasterisePdf(pdf, 1, 300);
    const double dots = 300 / 25.4, h = 48.4;
    const QStringList amounts{"壹佰", "贰佰", "叁佰", "肆佰", "伍佰", "陆佰"};
    std::set<std::string> codes;
    for (int k = 0; k < 6; ++k) {
        const double x = (k % 2) * 100, y = (k / 2) * h;
        QString words;
        for (const test::PdfWord& word : pages[0].words)
            if (QRectF(x, y, 100, h).contains(word.xMin, word.yMin)) words += word.text;
        EXPECT_TRUE(words.contains(amounts[k] + "元整")) << words.toStdString();
        EXPECT_TRUE(words.contains(QString("￥%1.00").arg((k + 1) * 100))) << words.toStdString();
        // The QR code at the slip's (176, 60), 26 mm square, scaled by 100 / 210.
        const QImage qr =
            page.copy(QRectF((x + 81) * dots, (y + 26) * dots, 18 * dots, 18 * dots).toRect());
        const test::Decoded d = test::Decode(qr, test::Symbology::QRCode);
        EXPECT_EQ(d.text, test::Utf8(QString("BW-JZD-20130411-%1").arg(k + 1, 4, 10, QChar('0'))));
        codes.insert(d.text);
    }
    EXPECT_EQ(codes.size(), 6u);
    // The bill shown is as it was, and no label is recorded.
    EXPECT_EQ(text("人民币(大写)"), capitals);
    EXPECT_EQ(text("编号"), number);
    EXPECT_EQ(bills(), 0);
}

TEST_F(ReadyFormats, TextRunningOutOfItsBoxShowsItsFirstLineAndPrintsOnlyWhenTheClerkSaysSo) {
    const QString purpose = QString("支付二〇一三年第二季度货款及运输费用").repeated(7).left(110);
    ASSERT_EQ(purpose.size(), 110);
    TextBox* box = type("用途", purpose, "票据种类", true);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Editor()->verticalScrollBar()->value(), 0);

    const QString pdf = test::ArtifactDir() + "/overflow.pdf";
    const QString question = "“用途”的内容超出了输入框，超出的部分会印到框外。是否仍然打印？";
    EXPECT_EQ(print(0, pdf), QStringList{question});
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_EQ(bills(), 0);
    EXPECT_EQ(print(0, pdf, {int(dlg::Yes)}), QStringList{question});
    EXPECT_TRUE(pageTexts(pdf).value(0).contains(purpose.left(20)));
    EXPECT_EQ(bills(), 1);

    // A batch and a label sheet ask once for the whole command.
    const QByteArray record = purpose.toUtf8() + ",100\r\n";
    importBatch("用途,小写\r\n" + record + record + record);
    EXPECT_EQ(print(1, pdf), QStringList{"第1张单据中" + question});
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_EQ(bills(), 1);
    EXPECT_EQ(print(1, pdf, {int(dlg::Yes)}).size(), 1);
    EXPECT_EQ(test::PdfPageCount(pdf), 3);
    EXPECT_EQ(bills(), 4);
    w_->SST->SetTab(3);
    settle();
    EXPECT_EQ(print(-1, pdf), QStringList{"第1个标签中" + question});
    EXPECT_FALSE(QFileInfo::exists(pdf));
    // So does a reprint of several bills from the history, the bill shown kept.
    w_->SST->SetTab(2);
    settle();
    Grid& history = *MF().MSF[2];
    history.SetRow(history.FixedRows());
    history.SetRowSel(history.Rows() - 1);
    type("用途", "货款", "票据种类", true);
    EXPECT_EQ(print(20, pdf), QStringList{"第1张单据中" + question});
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_EQ(text("用途"), "货款");
}
