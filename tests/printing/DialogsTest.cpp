// The printer choice dialog and the calibration with its offset dialog.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "PrintTestSupport.h"
#include "common/Globals.h"
#include "common/Params.h"
#include "platform/AppFolder.h"
#include "platform/Dialogs.h"
#include "platform/Printer.h"
#include "printing/Calibration.h"
#include "printing/PrintRequests.h"
#include "printing/SelPrinter.h"
#include "store/MainForm.h"

using namespace bw;
using namespace bw::test;

namespace {

// The printer choice as the print commands open it, its list filled.
struct Choice : SelPrinter {
    Choice() {
        Tag = kChoosePrinterMode;
        Form_Load();
        FillPrinterList();
    }
};

class PrinterDialog : public PrintFixture {
protected:
    void SetUp() override {
        PrintFixture::SetUp();
        SaveRegValue("BWF", "Validate", "Printer", "");
    }
};

TEST_F(PrinterDialog, ListsThePrintersWithThePdfFilePrinterAndTheRememberedOneChosen) {
    InstallRecordingPrinter();
    Choice d;
    EXPECT_EQ(d.COMB->itemText(d.COMB->count() - 1), kPdfPrinterName);
    // The current printer is listed even though the system does not know it, and chosen.
    EXPECT_EQ(d.COMB->itemText(0), "录制打印机");
    EXPECT_EQ(d.COMB->currentText(), "录制打印机");
    EXPECT_FALSE(d.PdfFile->isVisibleTo(&d));

    // A remembered printer is chosen; one that is gone leaves the current printer chosen.
    SaveRegValue("BWF", "Validate", "Printer", kPdfPrinterName);
    d.FillPrinterList();
    EXPECT_EQ(d.COMB->currentText(), kPdfPrinterName);
    EXPECT_TRUE(d.PdfFile->isVisibleTo(&d));
    EXPECT_TRUE(d.PdfFile->text().endsWith(".pdf"));
    SaveRegValue("BWF", "Validate", "Printer", "不存在的打印机");
    d.FillPrinterList();
    EXPECT_EQ(d.COMB->currentText(), "录制打印机");

    // Typing into the list changes nothing.
    for (int key : {int(Qt::Key_Down), int(Qt::Key_End), int(Qt::Key_P)}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_P ? "p" : "");
        QApplication::sendEvent(d.COMB, &press);
    }
    EXPECT_EQ(d.COMB->currentText(), "录制打印机");
}

TEST_F(PrinterDialog, CopiesRoundToWholeNumbersAndAreAtLeastOne) {
    const std::pair<const char*, int> cases[] = {{"1.5", 2}, {"2.5", 2},    {"3.5", 4},
                                                 {"0.5", 1}, {"-3", 1},     {"abc", 1},
                                                 {"", 1},    {"40000", 999}};
    for (const auto& [text, copies] : cases) EXPECT_EQ(CopiesFromText(text), copies) << text;

    PrintCopies = 3;
    Choice d;
    EXPECT_EQ(d.TT->text(), "3");
    d.TT->setText("7");
    EXPECT_EQ(PrintCopies, 7);
    d.COM_Click(1);
    EXPECT_EQ(ChosenItem, "");
    EXPECT_EQ(PrintCopies, 7);  // cancel keeps the copies typed
}

TEST_F(PrinterDialog, OkAnswersTheChosenPrinterOnlyWhenItCanTakeAJob) {
    RecordingPrinter& rec = InstallRecordingPrinter();
    Choice().COM_Click(0);
    EXPECT_EQ(ChosenItem, "录制打印机");
    // Not a printer of the system: nothing remembered, the current printer stays.
    EXPECT_EQ(GetRegValue("BWF", "Validate", "Printer", ""), "");
    EXPECT_EQ(&CurrentPrinter(), &rec);

    rec.readyFor = 0;
    ScriptedAnswers answers;
    {
        Choice d;
        d.show();
        d.COM_Click(0);
        ASSERT_FALSE(dlg::ShownLog().isEmpty());
        EXPECT_EQ(dlg::ShownLog().last().parent, &d);  // the message stands in front of it
    }
    EXPECT_EQ(ChosenItem, "");
    EXPECT_EQ(answers.lastMessage(), "没有正常连接打印机！");
    EXPECT_EQ(rec.Record().pages.size(), 0u);  // the test prints nothing

    // Choosing the PDF file printer makes it current and remembers it.
    const QString file = QDir(ArtifactDir()).filePath("chosen.pdf");
    {
        Choice d;
        d.COMB->setCurrentText(kPdfPrinterName);
        d.PdfFile->setText(file);
        d.COM_Click(0);
    }
    EXPECT_EQ(ChosenItem, kPdfPrinterName);
    EXPECT_EQ(CurrentPrinter().DeviceName(), kPdfPrinterName);
    EXPECT_EQ(CurrentPrinter().OutputFile(), file);
    EXPECT_EQ(GetRegValue("BWF", "Validate", "Printer", ""), kPdfPrinterName);
}

TEST_F(PrinterDialog, APdfFileInAFolderThatIsNotThereIsRefusedBeforePrinting) {
    const QString missing = QDir(ArtifactDir()).filePath("no-such-folder/bill.pdf");
    const QString dir = QDir(ArtifactDir()).filePath("pdf-folder");
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    const std::pair<QString, bool> cases[] = {
        {missing, true}, {"bill.pdf", true},
        {dir, true},     {QDir(dir).filePath("bill.pdf"), false},
        {"", false},     {QDir(AppFile(kPdfOutputFolder)).filePath("a.pdf"), false}};
    for (const auto& [path, refused] : cases)
        EXPECT_EQ(!PdfFileProblem(path).isEmpty(), refused) << path.toStdString();

    InstallRecordingPrinter();
    ScriptedAnswers answers;
    Choice d;
    d.show();
    d.COMB->setCurrentText(kPdfPrinterName);
    d.PdfFile->setText(missing);
    d.COM_Click(0);
    EXPECT_TRUE(answers.lastMessage().contains("不存在"));
    EXPECT_TRUE(d.isVisible());  // stays open to mend the path
    EXPECT_EQ(ChosenItem, "");
    EXPECT_NE(CurrentPrinter().DeviceName(), kPdfPrinterName);
    // The message stands in front of the dialog, which is kept above the main window.
    ASSERT_FALSE(dlg::ShownLog().isEmpty());
    EXPECT_EQ(dlg::ShownLog().last().parent, &d);

    // Browsing asks with Qt's file dialog, in front of the printer choice too.
    answers << QDir(dir).filePath("chosen.pdf");
    d.PdfBrowse->click();
    EXPECT_EQ(d.PdfFile->text(), QDir(dir).filePath("chosen.pdf"));
    EXPECT_EQ(dlg::ShownLog().last().kind, dlg::Shown::SaveFile);
    EXPECT_EQ(dlg::ShownLog().last().parent, &d);

    // A file name without a suffix becomes a PDF file; its folder is offered next time.
    d.PdfFile->setText(QDir(dir).filePath("bill"));
    d.COM_Click(0);
    EXPECT_EQ(ChosenItem, kPdfPrinterName);
    EXPECT_EQ(CurrentPrinter().OutputFile(), QDir(dir).filePath("bill.pdf"));
    EXPECT_EQ(QFileInfo(Choice().PdfFile->text()).absolutePath(), dir);
}

class Calibration : public PrintFixture {};

TEST_F(Calibration, TheOffsetDialogShowsAndTakesTheMeasuredDistances) {
    MainForm& mf = MF();
    mf.M_X->setText("10");
    mf.M_Y->setText("9.5");
    Margin* m = ShowMargin();
    EXPECT_EQ(m->TX->text(), "10");
    EXPECT_EQ(m->TY->text(), "9.5");
    m->TX->setText("12.50");
    m->TY->setText("-3");
    m->Comm_Click(0);
    EXPECT_EQ(mf.M_X->text(), "12.5");
    EXPECT_EQ(mf.M_Y->text(), "-3");
    QCoreApplication::processEvents();

    m = ShowMargin();
    m->TX->setText("abc");
    m->Comm_Click(1);  // cancel: nothing changes
    EXPECT_EQ(mf.M_X->text(), "12.5");
    // No number: refused with a message in front of the dialog, which stays open, and the
    // offsets stay.
    ScriptedAnswers answers;
    m = ShowMargin();
    m->TX->setText("abc");
    m->Comm_Click(0);
    EXPECT_TRUE(m->isVisible());
    EXPECT_EQ(mf.M_X->text(), "12.5");
    EXPECT_EQ(mf.M_Y->text(), "-3");
    EXPECT_TRUE(answers.lastMessage().contains("横向边距“abc”不是数字"));
    EXPECT_EQ(dlg::ShownLog().last().parent, m);
    m->Comm_Click(1);
}

TEST_F(Calibration, OnlyDecimalNumbersAreOffsets) {
    const std::pair<const char*, std::optional<double>> cases[] = {{"10", 10},
                                                                   {"12.50", 12.5},
                                                                   {"-3", -3},
                                                                   {"+.5", 0.5},
                                                                   {" 7. ", 7},
                                                                   {"", std::nullopt},
                                                                   {"abc", std::nullopt},
                                                                   {"1e3", std::nullopt},
                                                                   {"12mm", std::nullopt},
                                                                   {"1,5", std::nullopt},
                                                                   {"--1", std::nullopt}};
    for (const auto& [text, mm] : cases) EXPECT_EQ(OffsetFromText(text), mm) << text;
}

TEST_F(Calibration, TheOffsetDialogOpensWhateverThePrinterAnswer) {
    RecordingPrinter& rec = InstallRecordingPrinter();
    MF().M_X->setText("15");
    // A cancelled printer choice or "No" to loading the A4 sheet print nothing; "Yes" prints.
    for (const QVariant& answer : {QVariant(), QVariant(int(dlg::No)), QVariant(int(dlg::Yes))}) {
        SCOPED_TRACE(answer.toInt());
        ScriptedAnswers answers;
        if (answer.isValid()) answers << answer;
        InDialog([&](SelPrinter* d) {
            d->COMB->setCurrentText(rec.DeviceName());
            d->COM_Click(answer.isValid() ? 0 : 1);
        });
        PrintCalibrationPage();
        ASSERT_NE(Margin::Current(), nullptr);
        EXPECT_TRUE(Margin::Current()->isVisible());
        Margin::Current()->Comm_Click(1);
        EXPECT_EQ(rec.Record().documents, answer.toInt() == int(dlg::Yes) ? 1 : 0);
        if (answer.isValid()) {
            EXPECT_EQ(answers.lastMessage(),
                      "您是否需要打印校验图形？如果要打印，请在打印机中放好A4纸一张。");
        }
    }
    // One A4 portrait page with the square, no offsets (its place on paper is measured in the
    // PDF tests).
    const Drawn& d = rec.Record();
    EXPECT_EQ(d.documents, 1);
    ASSERT_EQ(d.pages.size(), 1u);
    EXPECT_EQ(d.pages[0].pageSize().id(), QPageSize::A4);
    EXPECT_EQ(d.pages[0].orientation(), QPageLayout::Portrait);
    ASSERT_EQ(d.rects.size(), 1u);
    EXPECT_NEAR(d.rects[0].rect.left(), 10 * 1440 / 25.4, 1);
    EXPECT_EQ(d.rects[0].color, QColor(Qt::black));
}

}  // namespace
