// A bill printed through a real spooler: the private CUPS scheduler that tests/services/cups.sh
// starts for the test run keeps every job of its queue as a file.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
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

// The captured job whose title is `title`, once the capture backend has put its data in
// place (it renames each file into place whole); "" when none came within `seconds`.
QString WaitForJob(const QString& dir, const QString& title, int seconds) {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        for (const QString& t : QDir(dir).entryList({"job-*.title"}, QDir::Files)) {
            const QString stem = QDir(dir).filePath(t.chopped(int(qstrlen(".title"))));
            if (ReadText(stem + ".title") == title && QFile::exists(stem + ".data")) return stem;
        }
        if (clock.elapsed() >= seconds * 1000) return QString();
        QCoreApplication::processEvents();
        QThread::msleep(100);
    }
}

// What the scheduler says of its queues and jobs and the end of its error log, for a job
// that did not arrive.
std::string SchedulerReport(const QString& dir) {
    QProcess lpstat;
    lpstat.start("lpstat", {"-l", "-t"});
    lpstat.waitForFinished(30'000);
    const QString log = ReadText(QDir(dir).filePath("../log/error_log"));
    return (lpstat.readAllStandardOutput() + lpstat.readAllStandardError() +
            log.right(2000).toUtf8())
        .toStdString();
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

    const QString job = WaitForJob(dir, format, 120);
    ASSERT_FALSE(job.isEmpty()) << "no job titled " << format.toStdString() << " arrived in "
                                << dir.toStdString() << "\n"
                                << SchedulerReport(dir);
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
