// Long operations as a clerk meets them on the main window: Esc on the progress window
// stops a batch print (bills, history reprints, label pages) after the bill being printed,
// those before delivered, recorded and counted in the message; an import keeps its window
// and runs to its end; and closing the main window during a batch stops it the same way,
// the window closing once the batch has ended.

#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "MainWindowFixture.h"
#include "PrintTestSupport.h"
#include "common/Database.h"
#include "common/Indicator.h"
#include "platform/Grid.h"
#include "platform/Settings.h"
#include "records/BatchRows.h"
#include "records/ui/InputMap.h"
#include "shell/TabStrip.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

class LongOperations : public test::MainWindowTest {
protected:
    void SetUp() override {
        test::MainWindowTest::SetUp();
        w_ = start();
        ASSERT_NE(w_, nullptr);
        SetProgressShowDelay(0);  // the window shows at once, to be pressed
        // A clock a second further at each reading: every step lets window messages through,
        // so that the test's act comes at the very step it waits for, however fast the
        // machine.
        SetProgressClock([now = qint64(0)]() mutable { return now += 1000; });
        for (int n = FirstBoxIndex(kTextBox); n <= LastBoxIndex(kTextBox) && !plain_; ++n)
            if (BoxDataType(GetBoxByIndex(n)) == 0) plain_ = n;
        ASSERT_GT(plain_, 0);
    }
    void TearDown() override {
        act_.reset();
        SetProgressClock({});
        test::MainWindowTest::TearDown();
    }
    // Imports `n` records "客户1".. from a CSV file into the plain text box.
    void importRecords(int n) {
        const QString path = folder_.file("records.csv");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray text = "客户\r\n";
        for (int i = 1; i <= n; ++i) text += "客户" + QByteArray::number(i) + "\r\n";
        f.write(text);
        f.close();
        {
            test::ScriptedAnswers answers;
            answers << path;
            w_->COM_Click(10);
        }
        InputMap* map = test::shownWindow<InputMap>();
        ASSERT_NE(map, nullptr);
        map->M1Grid->SetTextMatrix(plain_, 4, "A");
        map->T[0]->setText("2");
        map->T[1]->setText(QString::number(n + 1));
        map->COM_Click(0);
    }
    // At the first step that lets window messages through while the progress window shows
    // `caption` and `due` holds, `act` runs on it, once.
    void whenProgress(const QString& caption, std::function<bool()> due,
                      std::function<void(Indicator*)> act) {
        act_ = std::make_unique<QTimer>();
        QTimer* t = act_.get();
        QObject::connect(t, &QTimer::timeout, t, [t, caption, due, act] {
            Indicator* w = ProgressWindow();
            if (!w || !w->isVisible() || w->LBL->text() != caption || !due()) return;
            t->stop();
            act(w);
        });
        act_->start(0);
    }
    void escAfter(const QString& caption, int steps) {
        whenProgress(
            caption, [steps] { return ProgressCurrent() >= steps; },
            [](Indicator* w) { QTest::keyClick(w, Qt::Key_Escape); });
    }
    static int historyBills() {
        Recordset rs;
        OpenRecordset(rs, "SELECT DISTINCT ID FROM 历史 WHERE Fmt=?", {MF().CurrentFormat()});
        return rs.RecordCount();
    }
    static QString pdfIn(const QString& name) {
        const QString pdf = test::ArtifactDir() + "/" + name;
        QFile::remove(pdf);
        return pdf;
    }

    MainWindow* w_ = nullptr;
    int plain_ = 0;
    std::unique_ptr<QTimer> act_;
};

}  // namespace

TEST_F(LongOperations, EscStopsABatchAfterTheBillPrintedButAnImportRunsToItsEnd) {
    // Esc while the import runs: the window stays, every record arrives.
    bool stayed = false;
    whenProgress(
        "正在读取EXCEL数据……", [] { return true; },
        [&stayed](Indicator* w) {
            QTest::keyClick(w, Qt::Key_Escape);
            stayed = ProgressWindow() == w && w->isVisible() && !ProgressStopAsked();
        });
    importRecords(300);
    EXPECT_TRUE(stayed);
    ASSERT_EQ(BatchRecordCount(*MF().MSF[1]), 300);

    // The batch print: the bills before Esc are on paper and in the history, and no more.
    const QString bills = pdfIn("batch_stopped_by_esc.pdf");
    test::ChoosePdf(bills);
    const int printed = 40;
    escAfter("正在打印单据……", printed);
    {
        test::ScriptedAnswers answers;
        w_->COM_Click(1);
        ASSERT_EQ(test::PdfPageCount(bills), printed);
        EXPECT_EQ(answers.lastMessage().toStdString(),
                  "本批打印停在第40张单据，第41至第300张单据（共260张）没有打印！"
                  "此前的40张单据已经打印并记入历史记录。");
    }
    EXPECT_EQ(historyBills(), printed);
    EXPECT_NE(test::FindWord(test::ReadPdf(bills), "客户40", printed), nullptr);
    EXPECT_TRUE(w_->COM[1]->isEnabled());
    EXPECT_FALSE(ProgressRunning());

    // Reprinting the recorded bills stops the same way, recording nothing again; here with
    // one bill left.
    w_->SST->SetTab(2);
    settle();
    Grid& history = *MF().MSF[2];
    history.SetRow(history.FixedRows());
    history.SetRowSel(history.Rows() - 1);
    const int chosen = history.Rows() - history.FixedRows();  // as many as the page shows
    ASSERT_GT(chosen, 10);
    const QString reprints = pdfIn("reprint_stopped_by_esc.pdf");
    test::ChoosePdf(reprints);
    escAfter("正在打印...", chosen - 1);
    {
        test::ScriptedAnswers answers;
        w_->COM[20]->click();
        ASSERT_EQ(test::PdfPageCount(reprints), chosen - 1);
        EXPECT_EQ(answers.lastMessage().toStdString(),
                  QString("本批打印停在第%1张单据，第%2张单据没有打印！此前的%1张单据已经打印。")
                      .arg(chosen - 1)
                      .arg(chosen)
                      .toStdString());
    }
    EXPECT_EQ(historyBills(), printed);

    // A label a page, from the first page: the pages before Esc are printed.
    w_->SST->SetTab(3);
    settle();
    MainForm& mf = MF();
    mf.TNum[0]->setText("1");
    mf.TNum[1]->setText("1");
    ASSERT_EQ(mf.HS1->maximum(), 299);
    const QString labels = pdfIn("labels_stopped_by_esc.pdf");
    test::ChoosePdf(labels);
    escAfter("正在打印标签……", 5);
    {
        test::ScriptedAnswers answers;
        mf.CB[15]->click();
        ASSERT_EQ(test::PdfPageCount(labels), 5);
        EXPECT_EQ(answers.lastMessage().toStdString(),
                  "本批打印停在第5页标签，第6至第300页标签（共295页）没有打印！"
                  "此前的5页标签已经打印。");
    }
    EXPECT_FALSE(ProgressRunning());
}

TEST_F(LongOperations, ClosingTheMainWindowDuringABatchStopsItAndThenCloses) {
    WriteSetting("BWF", "Validate", "DefaultSoftSet", "");
    importRecords(300);
    ASSERT_EQ(BatchRecordCount(*MF().MSF[1]), 300);
    const QString bills = pdfIn("batch_stopped_by_closing.pdf");
    test::ChoosePdf(bills);
    QPointer<MainWindow> window = w_;
    bool stayedAtFirst = false;
    whenProgress(
        "正在打印单据……", [] { return ProgressCurrent() >= 20; },
        [&stayedAtFirst, window](Indicator*) {
            stayedAtFirst = !window->close() && window->isVisible();
        });
    test::ScriptedAnswers answers;
    w_->COM_Click(1);
    EXPECT_TRUE(stayedAtFirst);
    // It stops after the bill being printed as the window was closed.
    ASSERT_EQ(test::PdfPageCount(bills), 20);
    EXPECT_EQ(historyBills(), 20);
    EXPECT_TRUE(answers.lastMessage().startsWith("本批打印停在第20张单据"));
    // The window goes once the batch has ended, through its own closing: the options saved.
    EXPECT_EQ(ReadSetting("BWF", "Validate", "DefaultSoftSet", ""), "");
    EXPECT_TRUE(QTest::qWaitFor([window] { return !window || !window->isVisible(); }));
    EXPECT_FALSE(ProgressRunning());
    EXPECT_NE(ReadSetting("BWF", "Validate", "DefaultSoftSet", ""), "");
}
