// The history tab's reprint and the column order dialog, on a format shown as the main
// window shows it; screenshots of both go to the artifact folder.

#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>

#include "PrintTestSupport.h"
#include "common/Params.h"
#include "platform/GridView.h"
#include "printing/SelPrinter.h"
#include "records/History.h"
#include "records/HistoryGrid.h"
#include "records/ui/ColOrdSet.h"
#include "records/ui/HistoryReprint.h"
#include "store/CheckBox.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

using namespace bw;
using bw::test::ScriptedAnswers;

namespace {

class HistoryTab : public test::PrintFixture {
protected:
    void SetUp() override {
        PrintFixture::SetUp();
        NewFormat("收款单", 120, 60);
        name = AddBox({.kind = 0, .caption = "付款人", .x = 10, .y = 10});
        amount = AddBox({.kind = 0, .caption = "金额", .x = 10, .y = 25});
        urgent = AddBox({.kind = 1, .caption = "加急", .x = 60, .y = 10, .w = 5, .h = 5});
        Show();
        for (int n = 1; n <= 3; ++n) {
            Text(1)->SetText(QString("付款人%1").arg(n));
            Text(2)->SetText(QString::number(n * 100));
            Check(1)->SetValue(n == 2 ? 1 : 0);
            SaveBillToHistory("收款单");
        }
        LoadHistoryGrid(grid(), "收款单", 300);
    }
    Grid& grid() { return *MF().MSF[2]; }
    qint64 name = 0, amount = 0, urgent = 0;
};

TEST_F(HistoryTab, OneBillFillsTheBoxesAndPrintsNothing) {
    auto& rec = test::InstallRecordingPrinter();
    Text(1)->SetText("别的");
    grid().SetRow(3);  // bill 2
    bool shown = false;
    PrintHistoryBills(grid(), [&] { shown = true; });
    EXPECT_TRUE(shown);
    EXPECT_EQ(Text(1)->Text(), "付款人2");
    EXPECT_EQ(Check(1)->Value(), 1);
    EXPECT_EQ(rec.Record().documents, 0);

    // A bill without a value for a box clears it.
    grid().SetRow(2);  // bill 3, not urgent
    PrintHistoryBills(grid(), nullptr);
    EXPECT_EQ(Check(1)->Value(), 0);
    EXPECT_EQ(LastBillNumber("收款单"), 3);
}

TEST_F(HistoryTab, SeveralBillsAskOnceAndPrintOneDocumentEach) {
    auto& rec = test::InstallRecordingPrinter();
    int asked = 0;
    QTimer::singleShot(0, [&] {
        if (SelPrinter* d = SelPrinter::Current()) {
            ++asked;
            d->COMB->setCurrentText(rec.DeviceName());
            d->COM_Click(0);
        }
    });
    grid().SetRow(4);
    grid().SetRowSel(2);
    PrintHistoryBills(grid(), nullptr);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(rec.Record().documents, 3);
    EXPECT_EQ(rec.Record().pages.size(), 3u);
    QString printed;
    for (const auto& t : rec.Record().texts) printed += t.text;
    EXPECT_EQ(printed, "付款人3300付款人2200√付款人1100");
    EXPECT_EQ(LastBillNumber("收款单"), 3);  // reprints are not recorded again
}

TEST_F(HistoryTab, AGridOfAnotherFormatIsNotReprinted) {
    NewFormat("别的单", 100, 50);
    AddBox({.kind = 0, .caption = "付款人"});
    Show();
    ScriptedAnswers answers;
    grid().SetRow(2);
    bool shown = false;
    PrintHistoryBills(grid(), [&] { shown = true; });
    EXPECT_FALSE(shown);
    EXPECT_EQ(answers.messages().size(), 1);
    EXPECT_EQ(Text(1)->Text(), "");
}

// ---- Several bills on the PDF file printer: one file --------------------------------------

class HistoryPdf : public HistoryTab {
protected:
    void SetUp() override {
        HistoryTab::SetUp();
        // Five bills in all: the grid shows 付款人5 .. 付款人1 from row 2 down.
        for (int n = 4; n <= 5; ++n) {
            Text(1)->SetText(QString("付款人%1").arg(n));
            Text(2)->SetText(QString::number(n * 100));
            SaveBillToHistory("收款单");
        }
        grid().SetTag("");
        LoadHistoryGrid(grid(), "收款单", 300);
    }
    // Reprints the rows first .. last into `file` as the history tab's button does.
    void Reprint(const QString& file, int first, int last) {
        test::ChoosePdf(file);
        grid().SetRow(first);
        grid().SetRowSel(last);
        PrintHistoryBills(grid(), nullptr);
    }
    static QString PageText(const std::vector<test::PdfPage>& pages, int page) {
        QString text;
        for (const test::PdfWord& w : pages[page - 1].words) text += w.text;
        return text;
    }
};

TEST_F(HistoryPdf, TwoOrFiveBillsArePagesOfOneFileEachWithItsValues) {
    QTemporaryDir dir;
    for (int count : {2, 5}) {
        const QString file = dir.filePath(QString("reprint-%1.pdf").arg(count));
        Reprint(file, 2, 1 + count);
        ASSERT_EQ(test::PdfPageCount(file), count);
        const auto pages = test::ReadPdf(file);
        for (int p = 1; p <= count; ++p) {
            const int bill = 6 - p;
            EXPECT_TRUE(PageText(pages, p).contains(QString("付款人%1").arg(bill))) << p;
            EXPECT_NE(test::FindWord(pages, QString::number(bill * 100), p), nullptr) << p;
        }
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    EXPECT_EQ(LastBillNumber("收款单"), 5);  // nothing recorded again
}

TEST_F(HistoryPdf, DISABLED_ChildReprintsOnAFullDisk) {
    ASSERT_FALSE(test::ChildFolder().isEmpty());
    const QString file = QDir(test::ChildFolder()).filePath("reprint.pdf");
    ScriptedAnswers answers;
    ASSERT_TRUE(test::FillTheDisk());
    Reprint(file, 2, 6);
    test::FreeTheDisk();
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_EQ(answers.lastMessage(), "PDF文件“" + file +
                                         "”没有写成（磁盘空间已满），停在第3张单据，所选的5张单据"
                                         "都没有打印！");
}

TEST_F(HistoryPdf, AFileCutOffAtTheThirdBillLeavesNothingAndSaysSo) {
    // The same reprint with room tells where the third bill's page starts in the file.
    QTemporaryDir room;
    const QString whole = room.filePath("reprint.pdf");
    Reprint(whole, 2, 6);
    QFile f(whole);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray data = f.readAll();
    qsizetype third = -1;
    for (int k = 0; k < 3; ++k) third = data.indexOf("/Type /Page\n", third + 1);
    ASSERT_GT(third, 0);
    // The disk fills up inside that page: the first two bills are on it, the third is not.
    QTemporaryDir full;
    QString output;
    EXPECT_TRUE(test::RunFullDiskChild("HistoryPdf.DISABLED_ChildReprintsOnAFullDisk", third + 64,
                                       full.path(), &output))
        << output.toStdString();
    EXPECT_EQ(QDir(full.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QStringList Column(const Grid& g, int c) {
    QStringList texts;
    for (int r = g.FixedRows(); r < g.Rows(); ++r) texts << g.TextMatrix(r, c);
    return texts;
}

TEST_F(HistoryTab, TheColumnOrderDialogShowsSavesAndReloads) {
    const QString n = QString::number(name), a = QString::number(amount),
                  u = QString::number(urgent);
    SetParam(ColumnOrderParam("收款单"), u + ";" + n);
    ColOrdSet d;
    d.Form_Load();
    Grid& m = *d.MSFGrid;
    EXPECT_EQ(Column(m, 0), QStringList({u, n, a}));
    EXPECT_EQ(Column(m, 1), QStringList({"1", "2", "3"}));
    EXPECT_EQ(Column(m, 2), QStringList({"√", "√", ""}));
    EXPECT_EQ(Column(m, 3), QStringList({"加急", "付款人", "金额"}));

    // Move up on the first row and down on the last do nothing; numbers stay with places.
    m.SetRow(2);
    d.COM_Click(0);
    m.SetRow(4);
    d.COM_Click(1);
    EXPECT_EQ(Column(m, 0), QStringList({u, n, a}));
    m.SetRow(4);
    d.COM_Click(0);
    EXPECT_EQ(m.Row(), 3);
    EXPECT_EQ(Column(m, 0), QStringList({u, a, n}));
    EXPECT_EQ(Column(m, 1), QStringList({"1", "2", "3"}));
    m.SetTextMatrix(3, 2, "√");

    d.show();
    QDir().mkpath(test::ArtifactDir());
    d.grab().save(QDir(test::ArtifactDir()).filePath("history-column-order.png"));

    grid().SetTextMatrix(2, 2, "旧的");
    d.COM_Click(2);
    EXPECT_EQ(GetParam(ColumnOrderParam("收款单")), u + ";" + a + ";" + n);
    // The grid reloads although it showed the same format and limit.
    EXPECT_EQ(grid().TextMatrix(0, 2), u);
    EXPECT_EQ(grid().TextMatrix(2, 4), "付款人3");

    // Unticking everything stores an empty order: every box again, in ID order, all ticked.
    ColOrdSet e;
    e.Form_Load();
    for (int r = 2; r < e.MSFGrid->Rows(); ++r) e.MSFGrid->SetTextMatrix(r, 2, "");
    e.COM_Click(2);
    EXPECT_EQ(GetParam(ColumnOrderParam("收款单")), "");
    EXPECT_EQ(grid().TextMatrix(0, 2), n);
    ColOrdSet f;
    f.Form_Load();
    EXPECT_EQ(Column(*f.MSFGrid, 2), QStringList({"√", "√", "√"}));

    // A box added after the order was saved comes last, unticked.
    SetParam(ColumnOrderParam("收款单"), a);
    const QString added = QString::number(AddBox({.kind = 2, .caption = "图片"}));
    ColOrdSet g;
    g.Form_Load();
    EXPECT_EQ(Column(*g.MSFGrid, 0).first(), a);
    EXPECT_EQ(Column(*g.MSFGrid, 0).last(), added);
    EXPECT_EQ(Column(*g.MSFGrid, 2), QStringList({"√", "", "", ""}));
}

TEST_F(HistoryTab, TheOrderGoesToTheFormatItWasMadeFor) {
    ColOrdSet d;
    d.Form_Load();
    NewFormat("别的单", 100, 50);
    Show();
    d.COM_Click(2);
    EXPECT_EQ(GetParam(ColumnOrderParam("收款单")),
              QString("%1;%2;%3").arg(name).arg(amount).arg(urgent));
    EXPECT_EQ(GetParam(ColumnOrderParam("别的单")), "");
    EXPECT_EQ(grid().Tag(), "别的单|300");
}

}  // namespace
