#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include "platform/BackupName.h"
#include "platform/HttpText.h"
#include "platform/PreviewFileName.h"
#include "platform/Settings.h"
#include "platform/VersionNumber.h"
#include "platform/WebRoot.h"

using namespace bw;

// (The cache buster is checked on every request in HttpTest.)
TEST(HttpText, MarkerDecidesAndTheReplyIsCutAndUnfolded) {
    const struct {
        QString reply, marker;
        bool accepted;
        QString after;
    } cases[] = {
        {"A<BR>B<BR>C", "A", true, "A<BR>B"},
        {"A<br>B<br>C", "A", true, "A<br>B<br>C"},
        {"X<+>Y<+>Z", "X", true, "X\r\nY\r\nZ"},
        {"r1<br>r2<br>Finished<BR>footer", "Finished", true, "r1<br>r2<br>Finished"},
        {"Finished is before the cut<BR>", "Finished", true, "Finished is before the cut"},
        {"A<BR>B<+>C", "missing", false, "A<BR>B<+>C"},
        {"anything", "", true, "anything"},
    };
    for (const auto& c : cases) {
        QString reply = c.reply;
        EXPECT_EQ(ApplyReplyMarker(reply, c.marker), c.accepted) << c.reply.toStdString();
        EXPECT_EQ(reply, c.after);
    }
}

TEST(WebRoot, OnlyAnHttpRootMakesUrls) {
    QTemporaryDir dir;
    const QString previous = SettingsFolder();
    SetSettingsFolder(dir.path());
    const struct {
        QString setting, root, listUrl;
    } cases[] = {
        {"", "", ""},
        {"  http://formats.example.net/  ", "http://formats.example.net",
         "http://formats.example.net/bwf/fmt.asp"},
        {"https://example.net/site", "https://example.net/site",
         "https://example.net/site/bwf/fmt.asp"},
        {"http://127.0.0.1:8080", "http://127.0.0.1:8080", "http://127.0.0.1:8080/bwf/fmt.asp"},
        {"formats.example.net", "", ""},
        {"file:///home/user", "", ""},
        {"ftp://example.net", "", ""},
        {"http://user@example.net", "", ""},
        {"http://example.net/?a=1", "", ""},
    };
    for (const auto& c : cases) {
        WriteSetting("BWF", "Para", "WebRoot", c.setting);
        EXPECT_EQ(WebRoot(), c.root) << c.setting.toStdString();
        EXPECT_EQ(WebUrl("/bwf/fmt.asp"), c.listUrl) << c.setting.toStdString();
    }
    WriteSetting("BWF", "Para", "WebRoot", "http://example.net");
    EXPECT_EQ(WebUrl("p/1.jpg"), "http://example.net/p/1.jpg");
    EXPECT_EQ(WebUrl("@evil.net/x"), "http://example.net/@evil.net/x");
    EXPECT_EQ(WebUrl(""), "");
    SetSettingsFolder(previous);
}

TEST(PreviewFileName, StaysInTheFolderWithASafeName) {
    QTemporaryDir temp;
    const QString folder = temp.path();
    const struct {
        QString serverPath;
        QString tail;  // the name after the hash and "_"; "" = only the hash
    } cases[] = {
        {"/pic/进账单.jpg", QStringLiteral("进账单.jpg")},
        {"../x.jpg", "x.jpg"},
        {"..\\..\\x.jpg", "x.jpg"},
        {"/pic/a.jpg?v=2#top", "a.jpg"},
        {"/pic/a b:c*?.jpg", "abc"},
        {"", ""},
        {".", ""},
        {"..", ""},
        {"/pic/", ""},
        {"/pic/.hidden.", "hidden"},
        {"/pic/" + QString(300, u'a') + ".jpg", QString(76, u'a') + ".jpg"},
    };
    QSet<QString> seen;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.serverPath.toStdString());
        const QString path = PreviewFilePath(folder, c.serverPath);
        const QFileInfo info(path);
        EXPECT_EQ(QDir(info.absolutePath()).canonicalPath(), QDir(folder).canonicalPath());
        const QString name = info.fileName();
        EXPECT_TRUE(name.contains(QRegularExpression("^[0-9a-f]{8}(_|$)")));
        EXPECT_EQ(name.mid(9), c.tail);
        EXPECT_FALSE(seen.contains(name));
        seen.insert(name);
    }
    EXPECT_EQ(PreviewFilePath(folder, "/pic/a.jpg"), PreviewFilePath(folder, "/pic/a.jpg"));
    EXPECT_NE(PreviewFilePath(folder, "/pic/a.jpg"), PreviewFilePath(folder, "/other/a.jpg"));
    EXPECT_EQ(PreviewFilePath("", "/pic/a.jpg"), "");
}

TEST(VersionNumber, PageTitleAgainstRunningVersion) {
    const double running = LeadingNumber(RunningVersionText(QStringLiteral("票据通 3.07")));
    EXPECT_EQ(RunningVersionText(QStringLiteral("票据通 V3.07")), "3.07");
    const struct {
        QString page;
        QString text;
        bool newer;
    } cases[] = {
        {"<html><title>Bellweft (3.08) download</title>", "3.08", true},
        {"<title>Bellweft (3.07)</title>", "3.07", false},
        {"<title>Bellweft ( 2.5 beta)</title>", "2.5", false},
        {"<title>Bellweft (3.1)</title>", "3.1", true},
        {"<title>Bellweft (3.10.2)</title>", "3.1", true},
        {"(9) before <title>Bellweft (3.06)</title>", "3.06", false},
        {"<title>Bellweft</title>", "0", false},
        {"", "0", false},
    };
    for (const auto& c : cases) {
        const AnnouncedVersion v = VersionFromPage(c.page);
        EXPECT_EQ(v.text, c.text) << c.page.toStdString();
        EXPECT_EQ(IsNewerVersion(v.value, running), c.newer) << c.page.toStdString();
    }
    EXPECT_FALSE(IsNewerVersion(3.08, 0));
    EXPECT_DOUBLE_EQ(LeadingNumber(" 12.5.6x"), 12.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("x1"), 0);
}

TEST(BackupName, TakesTheFirstFreeNumberAndNeverAnExistingOne) {
    QTemporaryDir dir;
    EXPECT_EQ(BackupFileName(7), "BAK_data007.DAT");
    EXPECT_EQ(BackupFileName(1000), "BAK_data1000.DAT");
    EXPECT_EQ(ChooseBackupPath(dir.path()), dir.filePath("BAK_data000.DAT"));
    for (const char* n : {"BAK_data000.DAT", "BAK_data001.DAT"}) {
        QFile f(dir.filePath(n));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QFile::link(dir.filePath("nowhere"), dir.filePath("BAK_data002.DAT"));
    EXPECT_EQ(ChooseBackupPath(dir.path()), dir.filePath("BAK_data003.DAT"));
    for (int n = 3; n <= 1000; ++n) {
        QFile f(dir.filePath(BackupFileName(n)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(ChooseBackupPath(dir.path()), "");
}
