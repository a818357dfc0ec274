// Pictures of the main window for people to look at, in the build folder's artifacts/: the
// deposit slip with and without rulers and zoomed; with a filled bill on screens of common
// sizes (the build runs that test on offscreen screens of 1366 x 768 and 1920 x 1080) with
// Qt's own dialogs in Chinese; and on a real X display (the build runs that test under Xvfb).
// The batch, history and label pages are pictured by their own tests.

#include <QAbstractProxyModel>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "MainWindowFixture.h"
#include "platform/Dialogs.h"
#include "platform/FileDialogInLocale.h"
#include "platform/Printer.h"
#include "printing/SelPrinter.h"
#include "store/CanvasOptions.h"
#include "store/MainForm.h"
#include "store/RecordNumbers.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

using MainScreenshot = test::MainWindowTest;

TEST_F(MainScreenshot, TheDepositSlipWithAndWithoutRulersAndZoomed) {
    ASSERT_NE(start(), nullptr);
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/main_window.png"));
    MF().SetO2Value(0, 0);
    test::MainWindowTest::settle();
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/main_window_no_rulers.png"));
    MF().SetO2Value(0, 1);
    Zm_Click(0);
    Zm_Click(0);
    test::MainWindowTest::settle();
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/main_window_zoomed.png"));
}

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
    // A batch of 30000 records at record 29999: every label of the bill page's strip shows
    // its whole text inside the window.
    mf.R_Num[0]->setText("30000");
    R_Num_Change(0);
    mf.R_Num[1]->setText("29999");
    R_Num_Change(1);
    settle();
    for (QLabel* l : w->Frm[1]->findChildren<QLabel*>()) {
        if (!l->isVisible() || l->text().isEmpty()) continue;
        EXPECT_GE(l->contentsRect().width(), l->fontMetrics().horizontalAdvance(l->text()))
            << l->text().toStdString();
        EXPECT_LE(l->mapTo(w, QPoint(l->width(), 0)).x(), w->width()) << l->text().toStdString();
    }
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

    // Qt's file dialog for the PDF file, with the program's filter, over a folder with a PDF
    // file in it: sizes, types and dates in Chinese.
    EXPECT_EQ(QLocale().name(), "zh_CN");
    const QString pdf = folder_.file("样张.pdf");
    {
        QFile f(pdf);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("%PDF-1.4\n" + QByteArray(3000, ' '));
    }
    std::unique_ptr<QFileDialog> files(NewFileDialog(w, QStringLiteral("保存PDF文件"),
                                                     folder_.path(),
                                                     dlg::QtFilter("PDF文件(*.pdf)|*.pdf"), true));
    files->resize(760, 480);
    files->show();
    auto* model = files->findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    const QModelIndex source = model->index(pdf);
    // The model reads the folder on a thread of its own.
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->size(source) > 0; }, 60'000));
    settle();
    EXPECT_EQ(files->nameFilters(), QStringList{"PDF文件 (*.pdf)"});
    const QAbstractProxyModel* list = files->proxyModel();
    ASSERT_NE(list, nullptr);
    auto shown = [&](const QModelIndex& at, int column) {
        return list->data(list->mapFromSource(at.siblingAtColumn(column))).toString();
    };
    EXPECT_EQ(shown(source, 1), QLocale().formattedDataSize(model->size(source)));
    EXPECT_EQ(shown(source, 2), "PDF 文档");
    const QString date = shown(source, 3);
    EXPECT_TRUE(date.startsWith(QString::number(QDate::currentDate().year()) + "/"))
        << date.toStdString();
    EXPECT_FALSE(date.contains(QRegularExpression("[A-Za-z]"))) << date.toStdString();
    // The date stands whole in its column.
    auto* details = files->findChild<QTreeView*>("treeView");
    ASSERT_NE(details, nullptr);
    EXPECT_GE(details->columnWidth(3), details->fontMetrics().horizontalAdvance(date) + 6);
    const QModelIndex temp = model->index(folder_.file("Temp"));
    if (temp.isValid()) {
        EXPECT_EQ(shown(temp, 2), "文件夹");
    }
    ASSERT_TRUE(files->grab().save(test::ArtifactDir() + "/file_dialog_" + size + ".png"));
    files->hide();

    QMessageBox box(QMessageBox::Question, dlg::AppTitle(), QStringLiteral("是否保存格式？"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, w);
    box.show();
    settle();
    ASSERT_TRUE(box.grab().save(test::ArtifactDir() + "/message_box_" + size + ".png"));
}

using XvfbScreenshot = test::MainWindowTest;

TEST_F(XvfbScreenshot, TheMainWindowOnAnXDisplay) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X display";
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    // The X server shows the window once it has drawn it: the test waits for the picture.
    const auto orangeIn = [](const QImage& shown) {
        int orange = 0;
        for (int y = 0; y < shown.height(); y += 3)
            for (int x = 0; x < shown.width(); x += 3) {
                const QColor c = shown.pixelColor(x, y);
                if (c.red() > 240 && c.green() > 100 && c.green() < 200 && c.blue() < 160) ++orange;
            }
        return orange;
    };
    QImage shown;
    // The window fills the screen: the canvas frame's grey and the rulers' orange are on it.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            shown = screen->grabWindow(0).toImage();
            return orangeIn(shown) > 200;
        },
        60'000))
        << orangeIn(shown);
    ASSERT_TRUE(shown.save(test::ArtifactDir() + "/main_window_xvfb.png"));

    Zm_Click(0);
    Zm_Click(0);
    QImage zoomed;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            zoomed = screen->grabWindow(0).toImage();
            return zoomed != shown;
        },
        60'000));
    ASSERT_TRUE(zoomed.save(test::ArtifactDir() + "/main_window_xvfb_zoomed.png"));
}

}  // namespace
