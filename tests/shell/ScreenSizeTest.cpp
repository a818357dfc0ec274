// The main window with a filled bill on screens of common sizes (the build runs this test
// on offscreen screens of 1366 x 768 and 1920 x 1080), and Qt's own dialogs in Chinese.

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "MainWindowFixture.h"
#include "platform/Dialogs.h"
#include "platform/Printer.h"
#include "printing/SelPrinter.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

using ScreenSize = test::MainWindowTest;

QString sizeName(const QScreen* s) {
    return QStringLiteral("%1x%2").arg(s->geometry().width()).arg(s->geometry().height());
}

TEST_F(ScreenSize, TheFilledBillFitsTheScreenAndQtsDialogsSpeakChinese) {
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").contains("configfile"))
        GTEST_SKIP() << "run on screens of given sizes by the mainwindow_screen tests";
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    MainForm& mf = MF();
    // A bill as a clerk fills it: the payer's name and the purpose typed afresh.
    ASSERT_GE(mf.TT.size(), 6u);
    mf.TT[3]->SetText(QStringLiteral("上海申通物流有限公司第二分公司"));
    settle();
    const QScreen* screen = w->screen();
    const QRect work = screen->availableGeometry();
    EXPECT_TRUE(work.contains(w->frameGeometry()));
    EXPECT_LE(w->LBL->mapTo(w, QPoint(0, w->LBL->height())).y(), w->height());
    const QString size = sizeName(screen);
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/main_window_" + size + ".png"));

    // The printer choice with the PDF file printer and its file.
    SelPrinter d(w);
    d.Tag = QStringLiteral("选择打印机");
    d.Form_Load();
    d.SetWithCopies(true);
    d.FillPrinterList();
    d.COMB->setCurrentText(kPdfPrinterName);
    d.show();
    settle();
    ASSERT_TRUE(d.grab().save(test::ArtifactDir() + "/printer_dialog_" + size + ".png"));
    d.hide();

    // Qt's file dialog for the PDF file, with the program's filter.
    QFileDialog files(w, QStringLiteral("保存PDF文件"), folder_.path(),
                      dlg::QtFilter(QStringLiteral("PDF文件(*.pdf)|*.pdf")));
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.resize(760, 480);
    files.show();
    settle();
    EXPECT_EQ(files.nameFilters(), QStringList{"PDF文件 (*.pdf)"});
    ASSERT_TRUE(files.grab().save(test::ArtifactDir() + "/file_dialog_" + size + ".png"));
    files.hide();

    QMessageBox box(QMessageBox::Question, dlg::AppTitle(), QStringLiteral("是否保存格式？"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, w);
    box.show();
    settle();
    ASSERT_TRUE(box.grab().save(test::ArtifactDir() + "/message_box_" + size + ".png"));
}

}  // namespace
