// The program as processes and what they leave on the disk: two starts at once on a new data
// folder, a first start killed as its data file takes its name, writes cut off by a kill (in
// a PDF print into any folder, in a download) and files that only look like their
// temporaries, a start on a full disk, the event loop ending with the main window open, and
// who may read the files it writes.

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <iostream>

#include "HttpTestServer.h"
#include "MainWindowFixture.h"
#include "PrintTestSupport.h"
#include "common/Database.h"
#include "common/Params.h"
#include "common/Schema.h"
#include "library/WebFormats.h"
#include "platform/AppFolder.h"
#include "platform/Http.h"
#include "platform/InstanceLock.h"
#include "platform/SafeFiles.h"
#include "platform/SqlEngine.h"
#include "printing/PrintRequests.h"
#include "shell/Startup.h"
#include "store/MainForm.h"
#include "store/SampleFormats.h"

using namespace bw;

namespace {

using OnDisk = test::MainWindowTest;

bool mainOn(const QString& folder) {
    return Main({"bellweft", "--data-dir", folder});
}

// The temporaries of unfinished writes in `folder`, and what looks like them.
std::string temporaries(const QString& folder) {
    return QDir(folder)
        .entryList({".*.part"}, QDir::Files | QDir::System | QDir::Hidden)
        .join(", ")
        .toStdString();
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
        for (const QFileInfo& part :
             QDir(folder).entryInfoList({".*.part"}, QDir::Files | QDir::Hidden))
            if (part.size() > 0) found = part;
        return found.size() > 0 || child.state() == QProcess::NotRunning;
    });
    return found.size() > 0 ? found.filePath() : QString();
}

// The file a temporary ".NAME.bwtmp-XXXXXX.part" was to become.
QString targetOf(const QString& tmp) {
    const QFileInfo info(tmp);
    return info.dir().filePath(
        info.fileName().mid(1).chopped(QString(".bwtmp-XXXXXX.part").size()));
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

// A PDF printed into the parent's folder from a data folder of the child's own.
TEST(ProgramChild, DISABLED_PrintsAPdfIntoItsFolderAndStalls) {
    ASSERT_TRUE(mainOn(AppPath()) && SelectPrinter(kPdfPrinterName));
    CurrentPrinter().SetOutputFile(QDir(test::ChildFolder()).filePath("bill.pdf"));
    PrintBillSequence(100, [](int bill) {
        if (bill == 50) QThread::sleep(60);
    });
}

// A start on the parent's data folder with a full disk: a file system without room, or else a
// file-size limit of one byte.
TEST(ProgramChild, DISABLED_StartsOnAFullDisk) {
    const QString folder = test::ChildFolder();
    const bool byFileLimit = test::FillTheDisk();
    test::ScriptedAnswers answers;
    ASSERT_TRUE(mainOn(folder));
    EXPECT_NE(TheMainWindow(), nullptr);
    EXPECT_EQ(answers.messages(), QStringList{});
    // The lock holds without its text.
    EXPECT_EQ(QFileInfo(InstanceLockPath()).size(), 0);
    InstanceLock other;
    EXPECT_EQ(other.TryLock(InstanceLockPath()), InstanceLock::Result::HeldElsewhere);
    if (byFileLimit) return;
    // No file left to make: the lock file is named with the cause.
    ReleaseInstanceLock();
    for (int i = 0; QFile(QDir(folder).filePath(QString::number(i))).open(QIODevice::WriteOnly);)
        ++i;
    QString why;
    EXPECT_FALSE(AcquireInstanceLock(&why));
    EXPECT_EQ(why, "无法建立锁文件“" + InstanceLockPath() + "”（磁盘空间已满），程序无法启动！");
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

TEST_F(OnDisk, AFirstStartKilledAsItsDataFileTakesItsNameLeavesTheReadyFormats) {
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    const auto unwatch = qScopeGuard([watch] { ::close(watch); });
    ASSERT_GE(::inotify_add_watch(watch, QFile::encodeName(folder_.path()).constData(),
                                  IN_CREATE | IN_MOVED_TO),
              0);
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(BW_TEST_BINARY_DIR "/src/app/bellweft", {"--data-dir", folder_.path()});
    // Killed the moment DATA.db has its name (the read waits for the folder's news).
    bool named = false;
    alignas(inotify_event) char events[4096];
    for (ssize_t n = 0; !named && (n = ::read(watch, events, sizeof events)) > 0;) {
        for (ssize_t at = 0; at < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(events + at);
            named = named || (e->len > 0 && QString::fromUtf8(e->name) == kDatabaseFileName);
            at += sizeof(inotify_event) + e->len;
        }
    }
    first.kill();
    first.waitForFinished();
    ASSERT_TRUE(named);
    // The file that took the name holds both ready formats; the next start opens the first.
    {
        auto c = sql::Connection::Open(folder_.file(kDatabaseFileName), false);
        ASSERT_TRUE(c);
        ASSERT_EQ(c->Query("SELECT * FROM Fmt WHERE LBL=?", {kWholeFormatLabel}).RecordCount(), 2);
    }
    ASSERT_NE(start(), nullptr);
    EXPECT_EQ(MF().CurrentFormat(), kSampleDepositSlip);
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

// PDFs cut off in a sub-folder of Output and in a folder of the clerk's: the next write into
// the folder, of any name, removes their temporaries, and so does the next start.
TEST_F(OnDisk, PdfsCutOffInAnyFolderLeaveNoTemporaryPastTheNextWriteOrStart) {
    QTemporaryDir mine;
    const QString sub = folder_.file(kPdfOutputFolder + "/2024");
    ASSERT_TRUE(QDir().mkpath(sub));
    // The clerk prints into a folder of their own: the print dialog offers it again.
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    test::ChoosePdf(mine.filePath("first.pdf"));
    w->COM_Click(0);
    ASSERT_TRUE(QFileInfo::exists(mine.filePath("first.pdf")));
    closeWindow();
    ReleaseInstanceLock();
    auto cutOff = [](const QString& folder) {
        QProcess child;
        test::StartChildTest(child, "ProgramChild.DISABLED_PrintsAPdfIntoItsFolderAndStalls",
                             folder);
        const QString part = writtenTemporary(child, folder);
        child.kill();
        child.waitForFinished();
        return part;
    };
    QStringList live;
    for (const QString& folder : {sub, mine.path()}) {
        // A running copy writing into the folder all along (this process) keeps its own.
        live << CreateTemporaryBeside(folder + "/live.pdf");
        ASSERT_FALSE(cutOff(folder).isEmpty()) << folder.toStdString();
        ASSERT_TRUE(WriteFileSafely(folder + "/other.pdf", "%PDF-1.4"));
        EXPECT_EQ(temporaries(folder), QFileInfo(live.last()).fileName().toStdString());
        ASSERT_FALSE(cutOff(folder).isEmpty()) << folder.toStdString();
    }
    ASSERT_NE(start(), nullptr);
    for (const QString& tmp : live) {
        EXPECT_EQ(temporaries(QFileInfo(tmp).path()), QFileInfo(tmp).fileName().toStdString());
        RemoveTemporary(tmp);
    }
}

// Files that only look like temporaries stay, through a start and a write beside them: a
// clerk's draft, FIFOs, a link, another user's file; a stale temporary of the program's goes.
TEST_F(OnDisk, OnlyTheProgramsOwnTemporariesAreRemoved) {
    QStringList alike{".fifo.abcdef.part", ".fifo.bwtmp-abcdef.part", ".link.bwtmp-abcdef.part",
                      ".notes.draft1.part"};
    if (::geteuid() == 0) alike << ".theirs.bwtmp-abcdef.part";  // only root gives files away
    const QString output = folder_.file(kPdfOutputFolder);
    for (const QString& folder : {folder_.path(), output}) {
        ASSERT_TRUE(QDir().mkpath(folder));
        const QDir d(folder);
        const auto path = [&d](const char* name) { return QFile::encodeName(d.filePath(name)); };
        for (const char* name : {".notes.draft1.part", ".bill.pdf.bwtmp-abcdef.part"})
            ASSERT_TRUE(QFile(d.filePath(name)).open(QIODevice::WriteOnly));
        for (const char* fifo : {".fifo.abcdef.part", ".fifo.bwtmp-abcdef.part"})
            ASSERT_EQ(::mkfifo(path(fifo).constData(), 0600), 0);
        ASSERT_EQ(::symlink(".notes.draft1.part", path(".link.bwtmp-abcdef.part").constData()), 0);
        if (alike.size() == 5) {
            ASSERT_TRUE(QFile(d.filePath(".theirs.bwtmp-abcdef.part")).open(QIODevice::WriteOnly));
            ASSERT_EQ(::chown(path(".theirs.bwtmp-abcdef.part").constData(), 65534, 65534), 0);
        }
    }
    ASSERT_NE(start(), nullptr);
    ASSERT_TRUE(WriteFileSafely(output + "/bill.pdf", "%PDF-1.4"));
    for (const QString& folder : {folder_.path(), output})
        EXPECT_EQ(temporaries(folder), alike.join(", ").toStdString()) << folder.toStdString();
}

// A data folder on a full disk: the program starts, so that the clerk can free room. The disk
// is a file system of the child's own (a full tmpfs in a mount namespace of its own) where
// the machine allows one; else the file-size limit fills it.
TEST_F(OnDisk, TheProgramStartsOnAFullDisk) {
    ASSERT_NE(start(), nullptr);
    ReleaseInstanceLock();
    const char* child = "ProgramChild.DISABLED_StartsOnAFullDisk";
    QTemporaryDir mount;
    const QStringList unshare{"unshare", ::geteuid() == 0 ? "-m" : "-rm", "sh", "-c"};
    const QString tmpfs = "mount -t tmpfs -o size=4m,nr_inodes=100 bw \"$1\"";
    QString output;
    if (QProcess::execute(unshare[0], unshare.mid(1) + QStringList{tmpfs, "sh", mount.path()}) ==
        0) {
        // The data folder copied onto it, then the rest filled up.
        const QString fill = tmpfs + " && cp -a \"$2\"/. \"$1\" && { cat /dev/zero > \"$1/fill\";" +
                             " shift 2; exec \"$@\"; }";
        EXPECT_TRUE(
            test::RunChildTest(child, mount.path(), &output, 0,
                               unshare + QStringList{fill, "sh", mount.path(), folder_.path()}))
            << output.toStdString();
    } else {
        std::cerr << "No mount namespace here: the disk is filled by the file-size limit.\n";
        EXPECT_TRUE(test::RunFullDiskChild(child, 1, folder_.path(), &output))
            << output.toStdString();
    }
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
