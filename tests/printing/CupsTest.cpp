// A bill printed through a real spooler: the private CUPS scheduler that tests/services/cups.sh
// starts for the test run keeps every job of its queue as a file.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include "PrintTestSupport.h"
#include "printing/PrintRequests.h"
#include "printing/SelPrinter.h"
#include "records/History.h"
#include "store/BoxModel.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

using namespace bw;
using namespace bw::test;

namespace {

QString ReadText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
}

// The captured job whose title is `title`, waiting up to `seconds` for the spooler.
QString WaitForJob(const QString& dir, const QString& title, int seconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < seconds * 1000) {
        for (const QString& t : QDir(dir).entryList({"job-*.title"}, QDir::Files)) {
            const QString stem = QDir(dir).filePath(t.chopped(int(qstrlen(".title"))));
            if (ReadText(stem + ".title") == title && QFile::exists(stem + ".data")) return stem;
        }
        QCoreApplication::processEvents();
        QThread::msleep(100);
    }
    return QString();
}

class Spooler : public PrintFixture {};

TEST_F(Spooler, ABillArrivesAtTheQueueOnPaperOfItsOwnSize) {
    const QString error = qEnvironmentVariable("BW_CUPS_ERROR");
    if (!error.isEmpty())
        FAIL() << "the private CUPS scheduler for the tests is not running: "
               << error.toStdString();
    const QString queue = qEnvironmentVariable("BW_CUPS_QUEUE");
    const QString dir = qEnvironmentVariable("BW_CUPS_CAPTURE_DIR");
    if (queue.isEmpty() || dir.isEmpty())
        GTEST_SKIP() << "no spooler in this run; ./test.sh starts one (tests/services/cups.sh)";
    ASSERT_TRUE(PrinterNames().contains(queue)) << "the capture queue is not listed by Qt";

    const QString format = QStringLiteral("支票%1").arg(QDateTime::currentMSecsSinceEpoch());
    NewFormat(format, 241, 93);
    AddBox({.kind = 0, .caption = "收款人", .x = 20, .y = 30, .w = 80});
    Show();
    SetBoxValue(Text(1), "SPOOLED");
    MF().mSetPaper->setChecked(true);
    InDialog([queue](SelPrinter* d) {
        d->COMB->setCurrentText(queue);
        d->COM_Click(0);
    });
    ASSERT_TRUE(PrintBill(true, true));
    EXPECT_EQ(CurrentPrinter().DeviceName(), queue);
    EXPECT_EQ(LastBillNumber(format), 1);

    const QString job = WaitForJob(dir, format, 30);
    ASSERT_FALSE(job.isEmpty()) << "no job titled " << format.toStdString() << " arrived in "
                                << dir.toStdString();
    // The spooler was asked for the bill's paper, and the document is on it.
    EXPECT_TRUE(ReadText(job + ".options").contains("media=Custom.241x93mm"))
        << ReadText(job + ".options").toStdString();
    const auto pages = ReadPdf(job + ".data");
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NEAR(pages[0].width, 241, 0.5);
    EXPECT_NEAR(pages[0].height, 93, 0.5);
    EXPECT_NE(FindWord(pages, "SPOOLED"), nullptr);
}

}  // namespace
