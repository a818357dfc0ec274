// The web services on 127.0.0.1: the web format list into 网站格式, the preview pictures kept
// inside Temp, a format downloaded and imported with its picture (a failed download imports
// nothing, not even a file left from before); and the new-version check: the announced version
// against the running one, the backup under the first free name, the updater started with its
// fixed argument, and the refusals that keep the program working.

#include <QDialog>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include "LibraryFixture.h"
#include "common/Indicator.h"
#include "common/Params.h"
#include "library/NewVersion.h"
#include "library/WebFormats.h"
#include "platform/AppFolder.h"
#include "platform/Grid.h"
#include "platform/Http.h"
#include "store/BackgroundPicture.h"

using namespace bw;

namespace {

using WebFormats = test::WebServiceTest;

class NewVersionCheck : public test::WebServiceTest {
protected:
    void SetUp() override {
        WebServiceTest::SetUp();
        ResetNewVersion();
    }
    void TearDown() override {
        SaveRegValue("BWF", "Para", "Updater", "");
        ResetNewVersion();
        WebServiceTest::TearDown();
    }
    void announce(const char* version) {
        page_ = QByteArray("<html><head><title>Bellweft (") + version +
                ") 下载</title></head><body></body></html>";
    }
    // An updater that writes its argument beside itself, the file appearing whole.
    QString makeUpdater() {
        const QString path = folder_.file("updater.sh");
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(
            "#!/bin/sh\nran=\"$(dirname \"$0\")/updater.ran\"\n"
            "echo \"$1\" > \"$ran.part\" && mv \"$ran.part\" \"$ran\"\n");
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        SaveRegValue("BWF", "Para", "Updater", path);
        return path;
    }
    // What the updater wrote, once it ran: a minute at most.
    QString waitForRun() {
        const QString ran = folder_.file("updater.ran");
        QElapsedTimer clock;
        clock.start();
        while (!QFileInfo::exists(ran) && clock.elapsed() < 60'000) QThread::msleep(20);
        QFile f(ran);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
    }
};

}  // namespace

TEST_F(WebFormats, TheListReplacesTheTableOnlyWhenItArrives) {
    // Records of five fields before the last break: four and six fields, an empty record, a
    // bad date and the tail are left out or kept without the date.
    list_ =
        "银行|进账单|/f/a.vfm|/p/a.jpg|2013-4-11<br>a|b|c|d<br><br>a|b|c|d|e|f<br>"
        "快递|运单|/f/b.vfm|/p/b.jpg|不是日期<br>Finished|x|y|z|2013-1-1";
    ASSERT_TRUE(DownWebFmt());
    EXPECT_EQ(Count("网站格式", "1=1", {}), 2);
    EXPECT_TRUE(server_->targets().last().startsWith("/bwf/fmt.asp?Time="));
    Grid g;
    LoadWebFmtList(g);
    ASSERT_EQ(g.Rows() - g.FixedRows(), 2);
    EXPECT_EQ(g.TextMatrix(2, kWebNameCol), "运单");  // ordered by category: 快递 before 银行
    EXPECT_EQ(g.TextMatrix(2, kWebPicPathCol), "/p/b.jpg");
    EXPECT_EQ(ParseWebFormatList(list_).first().dat, QDate(2013, 4, 11));
    EXPECT_FALSE(ParseWebFormatList(list_).last().dat.isValid());
    list_ = "no marker";
    EXPECT_FALSE(DownWebFmt());
    EXPECT_EQ(Count("网站格式", "1=1", {}), 2);
}

TEST_F(WebFormats, PreviewPicturesStayInTempAndAreFetchedOnce) {
    const QString temp = QDir(AppPath()).filePath("Temp");
    for (const char* path : {"/p/a.jpg", "/../x.jpg", "/p/a.jpg?v=1"}) {
        const QString local = WebPreviewFile(path);
        ASSERT_FALSE(local.isEmpty()) << path;
        EXPECT_EQ(QFileInfo(local).absolutePath(), QFileInfo(temp).absoluteFilePath()) << path;
    }
    const int requests = server_->targets().size();
    WebPreviewFile("/p/a.jpg");
    EXPECT_EQ(server_->targets().size(), requests);  // kept from the first time
    EXPECT_EQ(WebPreviewFile("/p/missing.png"), "");
}

TEST_F(WebFormats, ADownloadedFormatIsImportedWithItsPicture) {
    test::ScriptedAnswers answers;
    answers << int(dlg::No);  // do not open it
    ASSERT_TRUE(DownInputFmt("样本", "/f/样本.vfm", "/p/样本.jpg"));
    EXPECT_GT(Count("Fmt", "Fmt=?", {"样本"}), 1);
    EXPECT_TRUE(QFileInfo::exists(BackgroundPicturePath("样本")));
}

TEST_F(WebFormats, AFailedDownloadImportsNothingNotEvenAnOldFile) {
    // A file of the same name from an earlier download waits in Temp.
    const QString temp = QDir(AppPath()).filePath("Temp");
    QDir().mkpath(temp);
    QFile stale(QDir(temp).filePath("旧格式.vfm"));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(test::SampleFormatFile());
    stale.close();
    test::ScriptedAnswers answers;
    EXPECT_FALSE(DownInputFmt("旧格式", "/f/none.vfm", "/p/none.jpg"));
    EXPECT_EQ(answers.lastMessage(), "网络错误！");
    EXPECT_EQ(Count("Fmt", "Fmt LIKE ?", {"旧格式%"}), 0);
}

TEST_F(NewVersionCheck, AnnouncedVersionsThatAreNotHigherAreKept) {
    struct Case {
        const char* announced;
        VersionCheck result;
        const char* state;
    } cases[] = {
        {"3.07", VersionCheck::Current, "3.07"},
        {"2.5", VersionCheck::Current, "2.5"},
        {"no number", VersionCheck::NoAnswer, "0"},
    };
    for (const Case& c : cases) {
        ResetNewVersion();
        announce(c.announced);
        test::ScriptedAnswers answers;
        EXPECT_EQ(CheckNewVersion("Bellweft3.07", 48), c.result) << c.announced;
        EXPECT_EQ(NewVersionState(), c.state) << c.announced;
        EXPECT_TRUE(answers.messages().isEmpty()) << c.announced;
    }
    // Once per process.
    EXPECT_EQ(CheckNewVersion("Bellweft3.07", 48), VersionCheck::NotRun);
    EXPECT_EQ(server_->targets().size(), 3);
    EXPECT_TRUE(server_->targets().first().startsWith("/korvanesoft/downpage/Pro.asp?ID=48"));
}

TEST_F(NewVersionCheck, AHigherVersionBacksUpUnderAFreeNameAndStartsTheUpdater) {
    for (const char* taken : {"BAK_data000.DAT", "BAK_data001.DAT"}) {
        QFile f(folder_.file(taken));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old backup");
    }
    makeUpdater();
    announce("3.1");  // 3.1 is higher than 3.07
    test::ScriptedAnswers answers;
    EXPECT_EQ(CheckNewVersion("Bellweft3.07", 48), VersionCheck::UpdateStarted);
    EXPECT_EQ(answers.lastMessage(), "本软件已升级，启动自动升级...");
    QFile old(folder_.file("BAK_data000.DAT"));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old backup");
    QFile backup(folder_.file("BAK_data002.DAT")), data(DatabasePath());
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), data.readAll());
    EXPECT_EQ(waitForRun(), UpdaterArgument());
    EXPECT_TRUE(UpdaterArgument().startsWith("BWL1_tb.rar|"));
}

TEST_F(NewVersionCheck, WithoutUpdaterOrFreeBackupNameNothingStarts) {
    announce("3.08");
    {
        test::ScriptedAnswers answers;
        EXPECT_EQ(CheckNewVersion("Bellweft3.07", 48), VersionCheck::UpdateRefused);
        EXPECT_TRUE(answers.lastMessage().contains("3.08"));
        EXPECT_FALSE(QFileInfo::exists(folder_.file("BAK_data000.DAT")));
    }
    ResetNewVersion();
    makeUpdater();
    for (int n = 0; n <= 1000; ++n) {
        QFile f(folder_.file(QString("BAK_data%1.DAT").arg(n, 3, 10, QChar('0'))));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    test::ScriptedAnswers answers;
    EXPECT_EQ(CheckNewVersion("Bellweft3.07", 48), VersionCheck::UpdateRefused);
    EXPECT_TRUE(answers.lastMessage().contains("无法备份"));
    EXPECT_FALSE(QFileInfo::exists(folder_.file("updater.ran")));
}

TEST_F(NewVersionCheck, NoRootOrAnErrorPageAnnouncesNothing) {
    SaveRegValue("BWF", "Para", "WebRoot", "");
    announce("9.9");
    EXPECT_EQ(CheckNewVersion("Bellweft3.07", 48), VersionCheck::NoAnswer);
    EXPECT_TRUE(server_->targets().isEmpty());
}

// The check's timer fires while a download waits on a server that never answers: the check
// asks nothing and is left for later, and the download still ends at its own time limit.
TEST_F(NewVersionCheck, ACheckDuringADownloadIsLeftForLaterAndTheDownloadEndsInTime) {
    announce("3.07");
    VersionCheck during = VersionCheck::NotRun;
    // The check's timer fires once the download's request has arrived: the download waits.
    test::HttpTestServer silent([&during](const QByteArray&) {
        QTimer::singleShot(0, [&during] { during = CheckNewVersion("Bellweft3.07", 48); });
        test::TestReply r;
        r.mode = test::TestReply::Mode::Silent;
        return r;
    });
    ShowProgress("正在下载...", 10, 0);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(HttpDownloadFile(silent.url("/f/a.vfm"), folder_.file("a.vfm"), 2,
                                  [] { return ProgressShown() == 0; }));
    CloseProgress();
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(during, VersionCheck::Deferred);
    EXPECT_EQ(NewVersionState(), "");
    EXPECT_TRUE(server_->targets().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(folder_.file("a.vfm")));

    // A modal dialog open: left for later too. Once the program is idle the check runs.
    QDialog modal;
    modal.setModal(true);
    modal.show();
    EXPECT_EQ(CheckNewVersion("Bellweft3.07", 48), VersionCheck::Deferred);
    modal.hide();
    EXPECT_EQ(CheckNewVersion("Bellweft3.07", 48), VersionCheck::Current);
    EXPECT_EQ(NewVersionState(), "3.07");
}

// The Temp folder on a disk with room for a few hundred bytes: the download fails with a
// message that names the full disk, and nothing is imported or left in Temp.
TEST_F(WebFormats, DISABLED_ChildDownloadsOnAFullDisk) {
    const QString temp = QDir(AppPath()).filePath("Temp");
    QDir().mkpath(temp);
    test::ScriptedAnswers answers;
    ASSERT_TRUE(test::FillTheDisk());
    EXPECT_FALSE(DownInputFmt("样本", "/f/样本.vfm", "/p/样本.jpg"));
    test::FreeTheDisk();
    EXPECT_EQ(answers.messages(),
              QStringList{"下载的文件无法保存到“" + QDir(temp).filePath("样本.jpg") +
                          "”（磁盘空间已满）！"});
    EXPECT_EQ(Count("Fmt", "Fmt=?", {"样本"}), 0);
    EXPECT_EQ(QDir(temp).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

TEST_F(WebFormats, ADownloadThatCannotBeWrittenIsAFailureNamingTheCause) {
    QTemporaryDir unused;
    QString output;
    EXPECT_TRUE(test::RunFullDiskChild("WebFormats.DISABLED_ChildDownloadsOnAFullDisk", 512,
                                       unused.path(), &output))
        << output.toStdString();
}
