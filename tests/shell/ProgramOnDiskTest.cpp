// The program as processes and what they leave on the disk: two starts at once on a new data
// folder, writes cut off by a crash (a kill in the middle of a PDF print and of a download),
// the event loop ending with the main window open, and who may read the files it writes.

#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
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
#include "platform/Printer.h"
#include "platform/SafeFiles.h"
#include "platform/SqlEngine.h"
#include "printing/PrintRequests.h"
#include "shell/Startup.h"
#include "store/SampleFormats.h"

using namespace bw;

namespace {

using OnDisk = test::MainWindowTest;

QStringList programArguments(const QString& folder) {
    return {QStringLiteral("bellweft"), QStringLiteral("--data-dir"), folder};
}

// The temporaries of unfinished writes in `folder`.
QStringList temporaryNames(const QString& folder) {
    return QDir(folder).entryList({".*.part"}, QDir::Files | QDir::Hidden);
}
std::string temporaries(const QString& folder) {
    return temporaryNames(folder).join(", ").toStdString();
}

// Waits, serving this thread's events, until `when` holds or 30 s have passed.
bool waitUntil(const std::function<bool()>& when) {
    QElapsedTimer clock;
    clock.start();
    while (!when() && clock.elapsed() < 30000) QTest::qWait(10);
    return when();
}

// The child's temporary in `folder` once it holds written bytes; "" when none came.
QString temporaryBeingWritten(const QProcess& child, const QString& folder) {
    QString found;
    waitUntil([&] {
        for (const QString& name : temporaryNames(folder))
            if (QFileInfo(QDir(folder).filePath(name)).size() > 0)
                found = QDir(folder).filePath(name);
        return !found.isEmpty() || child.state() == QProcess::NotRunning;
    });
    return found;
}

// Ends the child as a crash or a power cut does: no handler of its runs.
void crash(QProcess& child) {
    child.kill();  // SIGKILL
    child.waitForFinished(10000);
}

// The file a temporary ".NAME.XXXXXX.part" was to become.
QString targetOf(const QString& tmp) {
    const QFileInfo info(tmp);
    return info.dir().filePath(
        info.fileName().mid(1).chopped(QStringLiteral(".XXXXXX.part").size()));
}

// The file's mode in octal ("644"), "" when it is missing.
std::string modeOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return "";
    return QString::number(st.st_mode & 07777, 8).toStdString();
}

}  // namespace

// ---- Children: the program in a process of its own, on the parent's folder ---------------

TEST(ProgramChild, DISABLED_PrintsAPdfAndStallsInTheMiddle) {
    ASSERT_TRUE(Main(programArguments(test::ChildFolder())));
    ASSERT_TRUE(SelectPrinter(kPdfPrinterName));
    PrintBillSequence(100, [](int bill) {
        if (bill == 50) QThread::sleep(60);
    });
}

TEST(ProgramChild, DISABLED_DownloadsAFormatAndStallsInTheMiddle) {
    test::HttpTestServer server([](const QByteArray&) {
        return test::TestReply{200, QByteArray(256 * 1024, 'x'), test::TestReply::Mode::Stalled};
    });
    ASSERT_TRUE(Main(programArguments(test::ChildFolder())));
    SaveRegValue("BWF", "Para", "WebRoot", server.url(""));
    DownInputFmt("样本", "/f/样本.vfm", "/p/样本.jpg");
}

// The event loop ends with the main window open (exit closes no window, as the end of the
// desktop session may not), or main returns without one.
TEST(ProgramChild, DISABLED_EndsItsLoopWithTheWindowOpen) {
    ASSERT_TRUE(Main(programArguments(test::ChildFolder())));
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(TheMainWindow(), nullptr);  // gone with the loop, while the application lives
}

TEST(ProgramChild, DISABLED_ReturnsWithTheWindowOpen) {
    ASSERT_TRUE(Main(programArguments(test::ChildFolder())));
    ASSERT_NE(TheMainWindow(), nullptr);
}

// ---- Parents ----------------------------------------------------------------------------

TEST_F(OnDisk, TwoStartsAtOnceOnANewFolderStoreTheReadyFormatsOnce) {
    const QString program = QStringLiteral(BW_TEST_BINARY_DIR "/src/app/bellweft");
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("XDG_DATA_HOME", home.filePath("data"));
    env.insert("XDG_RUNTIME_DIR", home.path());
    for (int round = 0; round < 20; ++round) {
        QTemporaryDir data;
        QProcess first, second;
        for (QProcess* p : {&first, &second}) {
            p->setProcessEnvironment(env);
            p->start(program, {"--data-dir", data.path()});
        }
        // The start that holds the lock makes Temp once the formats are stored; the other one
        // has ended by then.
        EXPECT_TRUE(waitUntil([&] {
            return (first.state() == QProcess::NotRunning ||
                    second.state() == QProcess::NotRunning) &&
                   QFileInfo(data.filePath("Temp")).isDir();
        }));
        for (QProcess* p : {&first, &second}) {
            p->terminate();
            if (!p->waitForFinished(10000)) crash(*p);
        }
        auto c = sql::Connection::Open(data.filePath(kDatabaseFileName), false);
        ASSERT_TRUE(c);
        for (const QString& format : {kSampleWaybill, kSampleDepositSlip}) {
            sql::Recordset rs = c->Query(
                "SELECT COUNT(*) AS n, COUNT(DISTINCT LBL || '|' || X || '|' || Y) AS boxes, "
                "SUM(LBL = ?) AS whole FROM Fmt WHERE Fmt = ?",
                {kWholeFormatLabel, format});
            ASSERT_EQ(rs.RecordCount(), 1);
            EXPECT_EQ(rs.Value("whole").toInt(), 1) << "round " << round;
            EXPECT_EQ(rs.Value("n").toInt(), rs.Value("boxes").toInt()) << "round " << round;
        }
    }
}

TEST_F(OnDisk, WritesCutOffByACrashLeaveNoTemporaryBehind) {
    const QString output = folder_.file(kPdfOutputFolder), temp = folder_.file("Temp");

    // A print cut off in the middle of its PDF file.
    QProcess printing;
    test::StartChildTest(printing, "ProgramChild.DISABLED_PrintsAPdfAndStallsInTheMiddle",
                         folder_.path());
    const QString pdfPart = temporaryBeingWritten(printing, output);
    ASSERT_FALSE(pdfPart.isEmpty()) << printing.readAll().toStdString();
    // While it runs, a write of the same file by another program (this one) leaves its
    // temporary alone.
    ASSERT_TRUE(WriteFileSafely(targetOf(pdfPart), "%PDF-1.4"));
    EXPECT_TRUE(QFileInfo::exists(pdfPart));
    crash(printing);
    EXPECT_TRUE(QFileInfo::exists(pdfPart));

    // A download cut off in the middle of its body; the next download of the same file
    // removes what the cut-off one left.
    QProcess downloading;
    test::StartChildTest(downloading, "ProgramChild.DISABLED_DownloadsAFormatAndStallsInTheMiddle",
                         folder_.path());
    const QString downloadPart = temporaryBeingWritten(downloading, temp);
    ASSERT_FALSE(downloadPart.isEmpty()) << downloading.readAll().toStdString();
    crash(downloading);
    ASSERT_TRUE(QFileInfo::exists(downloadPart));
    test::HttpTestServer server([](const QByteArray&) { return test::TestReply{200, "whole"}; });
    ASSERT_TRUE(HttpDownloadFile(server.url("/p.jpg"), targetOf(downloadPart), 10));
    EXPECT_EQ(temporaries(temp), "");

    // The next start removes what no running program writes.
    ASSERT_NE(start(), nullptr);
    for (const QString& folder : {folder_.path(), temp, output})
        EXPECT_EQ(temporaries(folder), "") << folder.toStdString();
}

TEST_F(OnDisk, AWriteInProgressKeepsItsTemporary) {
    const QString target = folder_.file("bill.pdf");
    const QString tmp = CreateTemporaryBeside(target);
    ASSERT_FALSE(tmp.isEmpty());
    RemoveStaleTemporaries(folder_.path());
    ASSERT_TRUE(WriteFileSafely(target, "other"));
    EXPECT_TRUE(QFileInfo::exists(tmp));
    ASSERT_TRUE(ReplaceFile(tmp, target));
    EXPECT_EQ(temporaries(folder_.path()), "");
}

TEST_F(OnDisk, TheEventLoopEndingWithTheWindowOpenEndsTheProgramCleanly) {
    for (const char* child : {"ProgramChild.DISABLED_EndsItsLoopWithTheWindowOpen",
                              "ProgramChild.DISABLED_ReturnsWithTheWindowOpen"}) {
        QTemporaryDir data;
        QString output;
        EXPECT_TRUE(test::RunChildTest(child, data.path(), &output)) << output.toStdString();
    }
}

// Under the umask of the user, as a file made with `touch` beside them; one written over an
// existing file keeps that file's mode.
TEST_F(OnDisk, FilesWrittenThroughATemporaryAreAsOpenAsAnyNewFile) {
    test::HttpTestServer server([](const QByteArray&) { return test::TestReply{200, "format"}; });
    for (const mode_t mask : {mode_t(022), mode_t(027)}) {
        const mode_t before = ::umask(mask);
        const auto restore = qScopeGuard([before] { ::umask(before); });
        QFile touched(folder_.file("touched"));
        QFile::remove(touched.fileName());
        ASSERT_TRUE(touched.open(QIODevice::WriteOnly));
        touched.close();
        const std::string fresh = modeOf(touched.fileName());
        EXPECT_EQ(fresh, mask == 022 ? "644" : "640");

        closeWindow();
        ReleaseInstanceLock();
        CloseDatabase();
        QFile::remove(folder_.file(kDatabaseFileName));
        MainWindow* w = start();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(modeOf(folder_.file(kDatabaseFileName)), fresh);

        const QString pdf = folder_.file("bill.pdf"), download = folder_.file("Temp/format.vfm");
        QFile::remove(pdf);
        QFile::remove(download);
        auto write = [&] {
            test::ChoosePdf(pdf);
            w->COM_Click(0);
            ASSERT_TRUE(HttpDownloadFile(server.url("/f/format.vfm"), download, 10));
        };
        write();
        EXPECT_EQ(modeOf(pdf), fresh);
        EXPECT_EQ(modeOf(download), fresh);
        for (const QString& f : {pdf, download}) ASSERT_EQ(::chmod(QFile::encodeName(f), 0644), 0);
        write();
        EXPECT_EQ(modeOf(pdf), "644");
        EXPECT_EQ(modeOf(download), "644");
    }
}
