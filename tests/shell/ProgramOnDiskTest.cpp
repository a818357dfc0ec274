// The program as processes and what they leave on the disk: two starts at once on a new data
// folder, writes cut off by a kill (in a PDF print, in a download), the event loop ending with
// the main window open, and who may read the files it writes.

#include <sys/stat.h>

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "HttpTestServer.h"
#include "MainWindowFixture.h"
#include "PrintTestSupport.h"
#include "common/Database.h"
#include "common/Params.h"
#include "common/Schema.h"
#include "library/WebFormats.h"
#include "platform/AppFolder.h"
#include "platform/Http.h"
#include "platform/SafeFiles.h"
#include "platform/SqlEngine.h"
#include "printing/PrintRequests.h"
#include "shell/Startup.h"
#include "store/SampleFormats.h"

using namespace bw;

namespace {

using OnDisk = test::MainWindowTest;

bool mainOn(const QString& folder) {
    return Main({"bellweft", "--data-dir", folder});
}

// The temporaries of unfinished writes in `folder`.
std::string temporaries(const QString& folder) {
    return QDir(folder).entryList({".*.part"}, QDir::Files | QDir::Hidden).join(", ").toStdString();
}

// Serves this thread's events until `when` holds, 30 s at most.
bool waitUntil(const std::function<bool()>& when) {
    for (int i = 0; i < 3000 && !when(); ++i) QTest::qWait(10);
    return when();
}

// The child's temporary in `folder` once it holds bytes; "" when none came.
QString writtenTemporary(const QProcess& child, const QString& folder) {
    QFileInfo found;
    waitUntil([&] {
        const auto parts = QDir(folder).entryInfoList({".*.part"}, QDir::Files | QDir::Hidden);
        if (!parts.isEmpty()) found = parts.first();
        return found.size() > 0 || child.state() == QProcess::NotRunning;
    });
    return found.size() > 0 ? found.filePath() : QString();
}

// The file a temporary ".NAME.XXXXXX.part" was to become.
QString targetOf(const QString& tmp) {
    const QFileInfo info(tmp);
    return info.dir().filePath(info.fileName().mid(1).chopped(QString(".XXXXXX.part").size()));
}

// The file's mode in octal ("644").
std::string modeOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return QString::number(st.st_mode & 07777, 8).toStdString();
}

}  // namespace

// ---- Children: the program in a process of its own, on the parent's folder ---------------

TEST(ProgramChild, DISABLED_PrintsAPdfAndStallsInTheMiddle) {
    ASSERT_TRUE(mainOn(test::ChildFolder()) && SelectPrinter(kPdfPrinterName));
    PrintBillSequence(100, [](int bill) {
        if (bill == 50) QThread::sleep(60);
    });
}

TEST(ProgramChild, DISABLED_DownloadsAFormatThatNeverEnds) {
    test::HttpTestServer server([](const QByteArray&) {
        return test::TestReply{200, "", test::TestReply::Mode::Endless};
    });
    ASSERT_TRUE(mainOn(test::ChildFolder()));
    SaveRegValue("BWF", "Para", "WebRoot", server.url(""));
    DownInputFmt("样本", "/f/样本.vfm", "/p/样本.jpg");
}

// exit() ends the loop closing no window, as the end of the desktop session may.
TEST(ProgramChild, DISABLED_EndsItsLoopWithTheWindowOpen) {
    ASSERT_TRUE(mainOn(test::ChildFolder()));
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QApplication::exec();
    EXPECT_EQ(TheMainWindow(), nullptr);  // gone with the loop, while the application lives
}

TEST(ProgramChild, DISABLED_ReturnsWithTheWindowOpen) {
    ASSERT_TRUE(mainOn(test::ChildFolder()));
}

// ---- Parents ----------------------------------------------------------------------------

TEST_F(OnDisk, TwoStartsAtOnceOnANewFolderStoreTheReadyFormatsOnce) {
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    for (int round = 0; round < 20; ++round) {
        QTemporaryDir data;
        QProcess a, b;
        for (QProcess* p : {&a, &b}) {
            p->setProcessEnvironment(env);
            p->start(BW_TEST_BINARY_DIR "/src/app/bellweft", {"--data-dir", data.path()});
        }
        // The start that holds the lock makes Temp after storing the formats; the other one has
        // ended by then.
        EXPECT_TRUE(waitUntil([&] {
            return (a.state() == QProcess::NotRunning || b.state() == QProcess::NotRunning) &&
                   QDir(data.filePath("Temp")).exists();
        }));
        for (QProcess* p : {&a, &b}) {
            p->kill();
            p->waitForFinished();
        }
        auto c = sql::Connection::Open(data.filePath(kDatabaseFileName), false);
        ASSERT_TRUE(c);
        // Every box once, and one whole-format row.
        sql::Recordset rs = c->Query(
            "SELECT COUNT(*) = COUNT(DISTINCT LBL || '|' || X || '|' || Y) AND SUM(LBL = ?) = 1 "
            "AS once FROM Fmt WHERE Fmt IN (?, ?) GROUP BY Fmt",
            {kWholeFormatLabel, kSampleWaybill, kSampleDepositSlip});
        ASSERT_EQ(rs.RecordCount(), 2);
        for (; !rs.Eof(); rs.MoveNext()) EXPECT_EQ(rs.Value("once").toInt(), 1) << round;
    }
}

TEST_F(OnDisk, WritesCutOffByAKillLeaveNoTemporaryBehind) {
    const QString output = folder_.file(kPdfOutputFolder), temp = folder_.file("Temp");
    QProcess printing, downloading;
    test::StartChildTest(printing, "ProgramChild.DISABLED_PrintsAPdfAndStallsInTheMiddle",
                         folder_.path());
    const QString pdfPart = writtenTemporary(printing, output);
    ASSERT_FALSE(pdfPart.isEmpty()) << printing.readAll().toStdString();
    // A write of the same file meanwhile (by another program: this one) leaves it alone; once
    // the print is cut off, the next write of that file removes it.
    ASSERT_TRUE(WriteFileSafely(targetOf(pdfPart), "%PDF-1.4"));
    EXPECT_TRUE(QFileInfo::exists(pdfPart));
    printing.kill();  // SIGKILL, as a crash or a power cut ends it
    printing.waitForFinished();
    ASSERT_TRUE(QFileInfo::exists(pdfPart));
    ASSERT_TRUE(WriteFileSafely(targetOf(pdfPart), "%PDF-1.4"));
    EXPECT_EQ(temporaries(output), "");

    test::StartChildTest(downloading, "ProgramChild.DISABLED_DownloadsAFormatThatNeverEnds",
                         folder_.path());
    const QString downloadPart = writtenTemporary(downloading, temp);
    ASSERT_FALSE(downloadPart.isEmpty()) << downloading.readAll().toStdString();
    downloading.kill();
    downloading.waitForFinished();
    ASSERT_TRUE(QFileInfo::exists(downloadPart));
    // The next start removes it, but not what this process is writing.
    const QString writing = CreateTemporaryBeside(temp + "/mine.jpg");
    ASSERT_NE(start(), nullptr);
    EXPECT_EQ(temporaries(temp), QFileInfo(writing).fileName().toStdString());
    RemoveTemporary(writing);
}

TEST_F(OnDisk, TheEventLoopEndingWithTheWindowOpenEndsTheProgramCleanly) {
    for (const char* child : {"ProgramChild.DISABLED_EndsItsLoopWithTheWindowOpen",
                              "ProgramChild.DISABLED_ReturnsWithTheWindowOpen"}) {
        QString output;
        EXPECT_TRUE(test::RunChildTest(child, folder_.file(child), &output))
            << output.toStdString();
    }
}

// New files under the user's umask, as `touch` makes them beside them; a file written over
// keeps its mode.
TEST_F(OnDisk, FilesWrittenThroughATemporaryAreAsOpenAsAnyNewFile) {
    test::HttpTestServer server([](const QByteArray&) { return test::TestReply{200, "format"}; });
    const QString touched = folder_.file("touched"), data = folder_.file(kDatabaseFileName),
                  pdf = folder_.file("bill.pdf"), download = folder_.file("Temp/format.vfm");
    for (const mode_t mask : {mode_t(022), mode_t(027)}) {
        const mode_t before = ::umask(mask);
        const auto restore = qScopeGuard([before] { ::umask(before); });
        closeWindow();
        ReleaseInstanceLock();
        CloseDatabase();
        for (const QString& f : {touched, data, pdf, download}) QFile::remove(f);
        QFile(touched).open(QIODevice::WriteOnly);
        MainWindow* w = start();
        ASSERT_NE(w, nullptr);
        auto write = [&] {
            test::ChoosePdf(pdf);
            w->COM_Click(0);
            return HttpDownloadFile(server.url("/f.vfm"), download, 10);
        };
        ASSERT_TRUE(write());
        for (const QString& f : {data, pdf, download}) {
            EXPECT_EQ(modeOf(f), modeOf(touched)) << f.toStdString();
            ::chmod(QFile::encodeName(f).constData(), 0644);
        }
        ASSERT_TRUE(write());
        for (const QString& f : {pdf, download}) EXPECT_EQ(modeOf(f), "644") << f.toStdString();
    }
}
