// The main window as a clerk meets it: keys that move between the boxes, messages in front of
// the printer choice, the print offsets refused and shown, a window inside the work area and
// the label page without the box property grid.

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "MainWindowFixture.h"
#include "common/Database.h"
#include "platform/Dialogs.h"
#include "platform/GridView.h"
#include "platform/Printer.h"
#include "printing/Calibration.h"
#include "printing/SelPrinter.h"
#include "records/Defaults.h"
#include "shell/TabStrip.h"
#include "store/BoxAccessors.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

class Usability : public test::MainWindowTest {
protected:
    MainWindow* startActive() {
        MainWindow* w = start();
        if (!w) return nullptr;
        w->activateWindow();
        settle();
        return w;
    }
    // The stored default value of a box of the open format.
    QString storedDefault(const TextBox* box) {
        return ValueWhere(QStringLiteral("默认"), QStringLiteral("Fmt=? AND ID=?"),
                          QStringLiteral("Con"), {MF().CurrentFormat(), BoxRecordId(box)})
            .toString();
    }
};

TEST_F(Usability, TabMovesBetweenTheBoxesAndNoTabOrLineBreakIsTypedIntoAOneLineBox) {
    MainWindow* w = startActive();
    ASSERT_NE(w, nullptr);
    MainForm& mf = MF();
    ASSERT_GE(mf.TT.size(), 6u);
    TextBox* first = mf.TT[0];
    TextBox* second = mf.TT[1];
    first->setFocus();
    settle();
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_EQ(w->focusWidget(), second);
    QTest::keyClick(second, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(w->focusWidget(), first);
    // Shift+Tab from the first box goes round to the last one that takes the focus.
    QTest::keyClick(first, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_NE(w->focusWidget(), first);
    EXPECT_NE(dynamic_cast<BoxControl*>(w->focusWidget()), nullptr);

    // A box of one line (the payer's name): Enter and Ctrl+Tab type nothing.
    TextBox* name = mf.TT[3];
    ASSERT_FALSE(name->HoldsSeveralLines());
    name->setFocus();
    name->SetText(QString());
    QTest::keyClicks(name, "ABC");
    QTest::keyClick(name, Qt::Key_Return);
    QTest::keyClick(name, Qt::Key_Enter);
    QTest::keyClick(name, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClicks(name, "D");
    EXPECT_EQ(name->Text(), "ABCD");
    SaveDefaultData(mf.CurrentFormat());
    const QString stored = storedDefault(name);
    EXPECT_EQ(stored, "ABCD");
    EXPECT_FALSE(stored.contains('\t') || stored.contains('\r') || stored.contains('\n'));

    // A box twice as high as a line takes Enter as a new line.
    name->resize(name->width(), 3 * QFontMetrics(name->font()).lineSpacing() + 10);
    ASSERT_TRUE(name->HoldsSeveralLines());
    QTest::keyClick(name, Qt::Key_Return);
    QTest::keyClicks(name, "E");
    EXPECT_EQ(name->Text(), "ABCD\r\nE");
}

TEST_F(Usability, AMessageWhileThePrinterChoiceIsOpenStandsInFrontOfIt) {
    MainWindow* w = startActive();
    ASSERT_NE(w, nullptr);
    test::ScriptedAnswers answers;
    QPointer<SelPrinter> dialog;
    QPointer<QWidget> parent;
    QTimer::singleShot(0, [&] {
        dialog = SelPrinter::Current();
        ASSERT_NE(dialog, nullptr);
        dialog->COMB->setCurrentText(kPdfPrinterName);
        // A folder that is there but takes no file: the printer is not ready.
        dialog->PdfFile->setText("/proc/bellweft-test.pdf");
        dialog->COM_Click(0);
        ASSERT_FALSE(dlg::ShownLog().isEmpty());
        parent = dlg::ShownLog().last().parent;
    });
    w->COM_Click(0);
    EXPECT_EQ(answers.lastMessage(), "没有正常连接打印机！");
    EXPECT_TRUE(parent);
    EXPECT_EQ(parent, dialog);
}

TEST_F(Usability, TheOffsetDialogRefusesTextAndTheWindowShowsTheOffsets) {
    MainWindow* w = startActive();
    ASSERT_NE(w, nullptr);
    MainForm& mf = MF();
    EXPECT_TRUE(mf.M_X->isVisible());
    EXPECT_TRUE(mf.M_Y->isVisible());
    const QString oldX = mf.M_X->text(), oldY = mf.M_Y->text();
    test::ScriptedAnswers answers;
    // The calibration command with the printer choice cancelled opens the offset dialog.
    QTimer::singleShot(0, [] { SelPrinter::Current()->COM_Click(1); });
    w->COM_Click(36);
    Margin* m = Margin::Current();
    ASSERT_NE(m, nullptr);
    m->TX->setText("abc");
    m->Comm_Click(0);
    EXPECT_TRUE(m->isVisible());
    EXPECT_TRUE(answers.lastMessage().contains("不是数字"));
    EXPECT_EQ(dlg::ShownLog().last().parent, m);
    EXPECT_EQ(mf.M_X->text(), oldX);
    EXPECT_EQ(mf.M_Y->text(), oldY);
    m->TX->setText("12.5");
    m->Comm_Click(0);
    EXPECT_EQ(mf.M_X->text(), "12.5");
}

TEST_F(Usability, TheWindowLiesInsideTheWorkAreaAndTheLabelPageHidesTheBoxGrid) {
    MainWindow* w = startActive();
    ASSERT_NE(w, nullptr);
    const QRect work = w->screen()->availableGeometry();
    EXPECT_TRUE(work.contains(w->frameGeometry()))
        << work.height() << " " << w->frameGeometry().height();
    // The hint line under the tabs is inside the window.
    EXPECT_LE(w->LBL->mapTo(w, QPoint(0, w->LBL->height())).y(), w->height());
    w->SST->SetTab(3);
    settle();
    EXPECT_FALSE(w->MSF[3]->isVisible());
    EXPECT_TRUE(w->Frm[3]->isVisible());
}

}  // namespace
