// The new-version check against a product page served on 127.0.0.1: the announced version
// against the running one, the backup under the first free name, the updater started with
// its fixed argument, and the refusals that keep the program working.

#include <gtest/gtest.h>

#include <QThread>

#include "HttpTestServer.h"
#include "TestSupport.h"
#include "common/Database.h"
#include "common/Params.h"
#include "common/Schema.h"
#include "library/NewVersion.h"

using namespace bw;

namespace {

class NewVersionCheck : public ::testing::Test {
protected:
    void SetUp() override {
        CloseDatabase();
        ASSERT_TRUE(EnsureDatabase());
        CloseDatabase();
        ResetNewVersion();
        server_ = std::make_unique<test::HttpTestServer>([this](const QByteArray&) {
            test::TestReply r;
            r.body = page_;
            return r;
        });
        SaveRegValue("BWF", "Para", "WebRoot", server_->url(""));
    }
    void TearDown() override {
        SaveRegValue("BWF", "Para", "WebRoot", "");
        SaveRegValue("BWF", "Para", "Updater", "");
        ResetNewVersion();
    }
    void announce(const char* version) {
        page_ = QByteArray("<html><head><title>Bellweft (") + version +
                ") 下载</title></head><body></body></html>";
    }
    // An updater that writes its argument beside itself.
    QString makeUpdater() {
        const QString path = folder_.file("updater.sh");
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\necho \"$1\" > \"$(dirname \"$0\")/updater.ran\"\n");
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        SaveRegValue("BWF", "Para", "Updater", path);
        return path;
    }
    QString waitForRun() {
        const QString ran = folder_.file("updater.ran");
        for (int i = 0; i < 500 && !QFileInfo::exists(ran); ++i) QThread::msleep(20);
        QFile f(ran);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
    }
    test::TempDataFolder folder_;
    std::unique_ptr<test::HttpTestServer> server_;
    QByteArray page_;
};

}  // namespace

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
