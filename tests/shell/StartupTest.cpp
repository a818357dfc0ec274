// Starting and ending the program: the ready formats of a new database, the last format
// opened again, one running program per data folder, the software password, and what the
// main window stores when it closes.

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLockFile>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "MainWindowFixture.h"
#include "common/Database.h"
#include "common/Globals.h"
#include "common/Indicator.h"
#include "common/Params.h"
#include "common/Schema.h"
#include "common/TwipGeometry.h"
#include "library/NewVersion.h"
#include "platform/AppFolder.h"
#include "platform/GridView.h"
#include "platform/Settings.h"
#include "platform/SqlEngine.h"
#include "shell/Passwords.h"
#include "shell/Startup.h"
#include "shell/TabStrip.h"
#include "shell/WindowLayout.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/FormatOperations.h"
#include "store/Label.h"
#include "store/LayoutChanges.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/SampleFormats.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

int rows(const QString& sql, const Params& params = {}) {
    Recordset rs;
    OpenRecordset(rs, sql, params);
    return rs.RecordCount();
}

}  // namespace

using Startup = test::MainWindowTest;

TEST_F(Startup, ANewDatabaseOpensOnTheReadyDepositSlip) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    MainForm& mf = MF();
    EXPECT_EQ(mf.CurrentFormat(), kSampleDepositSlip);
    EXPECT_EQ(mf.Wid->text(), "210");
    EXPECT_EQ(mf.Hie->text(), "101.6");
    EXPECT_TRUE(QFileInfo(AppFile("Temp")).isDir());

    // Both ready formats are real format records: a whole-format row and boxes of every kind.
    for (const QString& f : {kSampleDepositSlip, kSampleWaybill}) {
        EXPECT_EQ(rows("SELECT * FROM Fmt WHERE Fmt=? AND LBL=?", {f, kWholeFormatLabel}), 1)
            << f.toStdString();
        for (int kind = 0; kind <= 4; ++kind)
            EXPECT_GT(rows("SELECT * FROM Fmt WHERE Fmt=? AND Clas=? AND LBL<>?",
                           {f, kind, kWholeFormatLabel}),
                      0)
                << f.toStdString() << " kind " << kind;
    }
    EXPECT_GT(rows("SELECT DISTINCT Cash FROM Fmt WHERE Fmt=? AND Clas=0", {kSampleWaybill}), 3);

    // The slip shows its sample contents, the amount in capitals and a QR code.
    EXPECT_GT(BoxCount[kTextBox], 10);
    TextBox* payer = test::textBoxCaptioned("全称");
    ASSERT_NE(payer, nullptr);
    EXPECT_EQ(payer->Text(), "上海申通物流有限公司");
    TextBox* capitals = test::textBoxCaptioned("人民币(大写)");
    ASSERT_NE(capitals, nullptr);
    EXPECT_TRUE(capitals->Text().startsWith("壹万贰仟")) << capitals->Text().toStdString();
    ASSERT_EQ(BoxCount[kPictureBox], 1);
    EXPECT_EQ(mf.II[0]->LinkItem, "BW-JZD-20130411-0001");
    EXPECT_TRUE(mf.II[0]->ToolTipText().startsWith("当前条码："));
}

TEST_F(Startup, TheLastFormatOpensAgainAndClosingStoresTheOptionsAndContents) {
    ASSERT_NE(start(), nullptr);
    SelectFormat(kSampleWaybill);
    ASSERT_EQ(MF().CurrentFormat(), kSampleWaybill);
    TextBox* name = test::textBoxCaptioned("姓名");
    ASSERT_NE(name, nullptr);
    name->SetText("王五");
    MF().SetO2Value(0, 0);
    MF().SetO2Value(2, 1);
    {
        // The option boxes are the format's too: asked about, left unsaved in it.
        test::ScriptedAnswers answers;
        answers << int(dlg::No);
        closeWindow();
        EXPECT_EQ(answers.messages(), QStringList{kLayoutChangedQuestion});
    }
    ASSERT_EQ(TheMainWindow(), nullptr);

    EXPECT_EQ(ValueWhere("Fmt", "Fmt=''", "LBL").toString(), kSampleWaybill);
    EXPECT_EQ(ValueWhere("Fmt", "Fmt=''", "fName").toString(), "0§☆§0§☆§1");
    EXPECT_EQ(ReadSetting("BWF", "Validate", "DefaultSoftSet", "?"), "0§☆§0§☆§1§☆§0§☆§1§☆§");

    ReleaseInstanceLock();
    ASSERT_NE(start(), nullptr);
    EXPECT_EQ(MF().CurrentFormat(), kSampleWaybill);
    EXPECT_EQ(MF().Wid->text(), "230");
    name = test::textBoxCaptioned("姓名");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->Text(), "王五");
}

TEST_F(Startup, ASecondStartOnTheSameDataFolderEndsSilentlyWritingNothing) {
    // A database of an older version without the later link columns.
    CloseDatabase();
    ASSERT_TRUE(CreateDatabase(folder_.file(kDatabaseFileName)));
    {
        auto c = sql::Connection::Open(folder_.file(kDatabaseFileName), false);
        ASSERT_TRUE(c);
        for (const char* column : {"SumID", "SumID1", "RCtl1"})
            ASSERT_TRUE(c->Exec(QString("ALTER TABLE Fmt DROP COLUMN ") + column));
    }
    SetAppPath(folder_.path());
    QLockFile running(InstanceLockPath());  // the program already runs on this folder
    ASSERT_TRUE(running.tryLock(0));
    test::ScriptedAnswers answers;
    bool ran = true;
    EXPECT_EQ(start(&ran), nullptr);
    EXPECT_FALSE(ran);
    EXPECT_TRUE(dlg::ShownLog().isEmpty());
    EXPECT_EQ(PasswordPrompt(), nullptr);
    // The running program's file is not the second start's to upgrade.
    for (const char* column : {"SumID", "SumID1", "RCtl1"})
        EXPECT_FALSE(FieldExists("Fmt", column)) << column;

    // Another data folder is another program's; once the first program ends, a start runs.
    QTemporaryDir other;
    SetAppPath(other.path());
    EXPECT_TRUE(AcquireInstanceLock());
    ReleaseInstanceLock();
    SetAppPath(folder_.path());
    running.unlock();
    EXPECT_TRUE(AcquireInstanceLock());
}

TEST_F(Startup, ADamagedDataFileOpensNothingAndAnEmptyOneStartsAfresh) {
    // A data file of the program with a page of its formats zeroed.
    ASSERT_NE(start(), nullptr);
    closeWindow();
    ReleaseInstanceLock();
    CloseDatabase();
    const QString path = folder_.file(kDatabaseFileName);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_GT(f.size(), 4 * 4096);
        f.seek(2 * 4096);
        f.write(QByteArray(4096, '\0'));
    }
    QFile damaged(path);
    ASSERT_TRUE(damaged.open(QIODevice::ReadOnly));
    const QByteArray before = damaged.readAll();
    damaged.close();
    {
        test::ScriptedAnswers answers;
        bool ran = true;
        EXPECT_EQ(start(&ran), nullptr);
        EXPECT_FALSE(ran);
        ASSERT_EQ(answers.messages().size(), 1);
        EXPECT_TRUE(answers.lastMessage().startsWith("数据文件“" + path + "”已损坏"))
            << answers.lastMessage().toStdString();
        const QStringList copies = QDir(folder_.path()).entryList({"DATA.damaged-*.db"});
        ASSERT_EQ(copies.size(), 1);
        EXPECT_TRUE(answers.lastMessage().contains(folder_.file(copies[0])));
        ASSERT_TRUE(damaged.open(QIODevice::ReadOnly));
        EXPECT_EQ(damaged.readAll(), before);  // nothing was written over it
        damaged.close();
        EXPECT_FALSE(QFileInfo::exists(InstanceLockPath()));
    }

    // A file of no bytes is a database still to be made: the ready formats come with it.
    CloseDatabase();
    ASSERT_TRUE(QFile(path).resize(0));
    test::ScriptedAnswers answers;
    ASSERT_NE(start(), nullptr);
    EXPECT_EQ(answers.messages(), QStringList{});
    EXPECT_EQ(MF().CurrentFormat(), kSampleDepositSlip);
    EXPECT_EQ(rows("SELECT * FROM Fmt WHERE LBL=?", {kWholeFormatLabel}), 2);
}

TEST_F(Startup, AFolderThatCannotBeWrittenIsNamedNotTakenForARunningCopy) {
    // Nobody, not even root, may make files in /proc: the lock file cannot be made there.
    SetAppPath("/proc/self");
    QString why;
    EXPECT_FALSE(AcquireInstanceLock(&why));
    EXPECT_EQ(why, "数据文件夹“/proc/self”不能写入，程序无法启动！");
    // Another running program is no folder problem: why stays as it was.
    SetAppPath(folder_.path());
    QLockFile running(InstanceLockPath());
    ASSERT_TRUE(running.tryLock(0));
    why.clear();
    EXPECT_FALSE(AcquireInstanceLock(&why));
    EXPECT_EQ(why, "");
    running.unlock();
}

TEST_F(Startup, AReadOnlyDataFolderIsNamedAndNothingStarts) {
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root, which writes into read-only folders anyway; the "
                        "lock-file failure itself was checked on /proc above";
    ASSERT_NE(start(), nullptr);
    closeWindow();
    ReleaseInstanceLock();
    CloseDatabase();
    QFile::remove(InstanceLockPath());
    ASSERT_TRUE(QFile::setPermissions(folder_.path(), QFile::ReadOwner | QFile::ExeOwner));
    test::ScriptedAnswers answers;
    bool ran = true;
    EXPECT_EQ(start(&ran), nullptr);
    EXPECT_FALSE(ran);
    EXPECT_EQ(answers.lastMessage(), "数据文件夹“" + folder_.path() + "”不能写入，程序无法启动！");
    QFile::setPermissions(folder_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(Startup, TheRealProgramStartedTwiceLeavesTheSecondAtOnce) {
    const QString program = QStringLiteral(BW_TEST_BINARY_DIR "/src/app/bellweft");
    ASSERT_TRUE(QFileInfo::exists(program));
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("XDG_DATA_HOME", home.filePath("data"));
    env.insert("XDG_RUNTIME_DIR", home.path());
    const QStringList args{"--data-dir", folder_.path()};

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(program, args);
    ASSERT_TRUE(first.waitForStarted(10000));
    // The first one is up once it holds the lock and has made its folder Temp.
    QElapsedTimer clock;
    clock.start();
    while (!(QFileInfo::exists(InstanceLockPath()) && QFileInfo(folder_.file("Temp")).isDir()) &&
           clock.elapsed() < 60'000)
        QTest::qWait(50);
    ASSERT_TRUE(QFileInfo::exists(InstanceLockPath()));

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(program, args);
    ASSERT_TRUE(second.waitForFinished(60'000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    first.terminate();
    if (!first.waitForFinished(10000)) {
        first.kill();
        first.waitForFinished(5000);
    }
}

TEST_F(Startup, ThePasswordPromptOpensTheWindowOnlyForTheRightPassword) {
    SetAppPath(folder_.path());
    ASSERT_TRUE(EnsureDatabase());
    ASSERT_TRUE(SeedSampleFormats());
    SetParam("软件密码", "Ab12");
    test::ScriptedAnswers answers;
    bool ran = false;
    EXPECT_EQ(start(&ran), nullptr);
    EXPECT_TRUE(ran);
    PSDCon* prompt = PasswordPrompt();
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(prompt->T->echoMode(), QLineEdit::Password);

    for (const char* wrong : {"ab12", "Ab1", "", "Ab12 "}) {
        prompt->T->setText(wrong);
        prompt->COM_Click();
        EXPECT_EQ(answers.lastMessage(), "密码错误！");
        EXPECT_EQ(PasswordPrompt(), prompt);
        EXPECT_EQ(prompt->T->text(), wrong);
        EXPECT_EQ(TheMainWindow(), nullptr);
    }
    // Enter does what the button does.
    prompt->T->setText("Ab12");
    QTest::keyClick(prompt->T, Qt::Key_Return);
    settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(TheMainWindow(), nullptr);
    EXPECT_EQ(PasswordPrompt(), nullptr);
    EXPECT_EQ(answers.messages().size(), 4);
}

TEST_F(Startup, ThePasswordChangeNeedsTheOldPasswordAndTwoEqualNewOnes) {
    ASSERT_NE(start(), nullptr);
    test::ScriptedAnswers answers;
    ModiPSD* d = ShowModiPSD();
    ASSERT_NE(d, nullptr);
    // No password yet: the old one is entered empty.
    d->T[1]->setText("new");
    d->T[2]->setText("neW");
    d->COM_Click();
    EXPECT_EQ(answers.lastMessage(), "两次输入的新密码不相符！");
    EXPECT_EQ(GetParam("软件密码"), "");
    d->T[2]->setText("new");
    d->T[0]->setText("guess");
    d->COM_Click();
    EXPECT_EQ(answers.messages().size(), 1);  // a wrong old password: no word, no change
    EXPECT_EQ(GetParam("软件密码"), "");
    EXPECT_EQ(PasswordDialog(), d);
    d->T[0]->clear();
    QTest::keyClick(d->T[2], Qt::Key_Return);
    EXPECT_EQ(GetParam("软件密码"), "new");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(PasswordDialog(), nullptr);

    // An empty new password with the right old one removes the lock.
    d = ShowModiPSD();
    d->T[0]->setText("new");
    d->COM_Click();
    EXPECT_EQ(GetParam("软件密码"), "");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // A data file that takes no writes: the new password is not taken and the user knows.
    ASSERT_TRUE(Db()->Exec("PRAGMA query_only = 1"));
    d = ShowModiPSD();
    d->T[1]->setText("x");
    d->T[2]->setText("x");
    d->COM_Click();
    EXPECT_EQ(answers.lastMessage(), "新密码没有保存（数据文件不能写入），原密码仍然有效！");
    EXPECT_EQ(PasswordDialog(), d);
    ASSERT_TRUE(Db()->Exec("PRAGMA query_only = 0"));
    EXPECT_EQ(GetParam("软件密码"), "");
    d->close();
}

// The new-version check's timer fires while the progress window is open: the check waits for
// a quiet moment by starting the timer again, and runs once the window is closed.
TEST_F(Startup, TheVersionCheckWaitsWhileTheProgramIsBusy) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->NewEditionTimer->isActive());
    ShowProgress("正在下载...", 10, 0);
    w->NewEditionTimer_Timer();
    EXPECT_TRUE(w->NewEditionTimer->isActive());
    EXPECT_EQ(NewVersionState(), "");
    CloseProgress();
    w->NewEditionTimer_Timer();
    EXPECT_FALSE(w->NewEditionTimer->isActive());
    EXPECT_EQ(NewVersionState(), "0");  // ran: no web root, no answer
    closeWindow();
}

TEST_F(Startup, StartUpReadsTheRoundingMethodAndTheLineBreakMarker) {
    SetAppPath(folder_.path());
    ASSERT_TRUE(EnsureDatabase());
    ASSERT_TRUE(SeedSampleFormats());
    SetParam("NumCutMethod", "2");
    WriteSetting("BWF", "Para", "CrlfChr", "");
    NumCutMethod = 0;
    LineBreakMark = "x";
    PrintCopies = 3;
    ASSERT_NE(start(), nullptr);
    EXPECT_EQ(NumCutMethod, 2);
    EXPECT_EQ(LineBreakMark, "//");
    EXPECT_EQ(PrintCopies, 1);
    closeWindow();

    SetParam("NumCutMethod", "abc");
    WriteSetting("BWF", "Para", "CrlfChr", "##");
    ReleaseInstanceLock();
    ASSERT_NE(start(), nullptr);
    EXPECT_EQ(NumCutMethod, 0);
    EXPECT_EQ(LineBreakMark, "##");
    closeWindow();
    WriteSetting("BWF", "Para", "CrlfChr", "");
    LineBreakMark = "//";
}

TEST_F(Startup, TheWindowFillsTheWorkAreaAndShowsOnePageAtATime) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const double sw = screen.width() * 15.0, wh = screen.height() * 15.0 - GetTaskbarHeight(w);
    EXPECT_EQ(QRectF(w->FormLeft(), w->FormTop(), w->FormWidth(), w->FormHeight()),
              QRectF(0, 0, sw, wh));
    // Every page fills the tab strip under its tabs, the canvas frame and its bars inside it,
    // the tree waiting beyond the frame's left edge.
    const double pageW = sw - 80, pageH = wh - 1000 - 330;
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(QSizeF(TwWidth(w->Pic[i]), TwHeight(w->Pic[i])), QSizeF(pageW, pageH)) << i;
    MainForm& mf = MF();
    EXPECT_EQ(mf.FrameWidth() + TwWidth(mf.VS), pageW);
    EXPECT_EQ(TwTop(mf.PFrm) + mf.FrameHeight() + TwHeight(mf.PHS), pageH);
    EXPECT_EQ(mf.PG->Width(), mf.FrameWidth());
    EXPECT_EQ(TwLeft(w->TV), -TwWidth(w->TV));
    for (int tab : {0, 2}) {
        w->SST->SetTab(tab);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(w->Pic[i]->isVisible(), i == tab) << tab << i;
    }
    EXPECT_EQ(TwTop(w->MSF[2]) + TwHeight(w->MSF[2]), pageH);
    // The canvas frame's ground is grey below the paper, yet the boxes on the canvas keep
    // the application's style: a style sheet above them makes every box several times dearer.
    w->SST->SetTab(0);
    EXPECT_EQ(mf.PG->style(), QApplication::style());
    const QImage frame = mf.PFrm->grab().toImage();
    ASSERT_GT(frame.height() - 4, mf.PG->height());
    EXPECT_EQ(frame.pixelColor(frame.width() / 2, frame.height() - 4), QColor(0x80, 0x80, 0x80));

    // Any other window is centred on the work area.
    QWidget other;
    other.resize(300, 200);
    other.show();
    CenterForm(&other);
    const QRect f = other.frameGeometry();
    EXPECT_EQ(f.left(), (screen.width() - f.width()) / 2);
    EXPECT_EQ(f.top(), (screen.height() - f.height() - GetTaskbarHeight(&other) / 15) / 2);
}

namespace {

// The names of the file's indexes, read beside the program's connection.
QStringList indexesOf(const QString& path) {
    auto c = sql::Connection::Open(path, false);
    if (!c) return {"(unreadable)"};
    Recordset rs = c->Query("SELECT name FROM sqlite_master WHERE type='index' ORDER BY name");
    QStringList names;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) names << rs.Text("name");
    return names;
}

}  // namespace

TEST_F(Startup, AnOlderDataFileIsPreparedInSightAndAHeldOneIsToldAndTriedAgain) {
    ASSERT_NE(start(), nullptr);
    closeWindow();
    ReleaseInstanceLock();
    CloseDatabase();
    const QString path = folder_.file(kDatabaseFileName);
    const QStringList current = indexesOf(path);
    // The history as the previous layout indexed it.
    {
        auto c = sql::Connection::Open(path, false);
        ASSERT_TRUE(c);
        ASSERT_TRUE(c->Exec(
            "DROP INDEX 历史_CID_Fmt_ID; DROP INDEX 历史_CID_Fmt_Con;"
            "CREATE INDEX 历史_CID ON 历史(CID); CREATE INDEX 历史_Con ON 历史(Con);"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200) "
            "INSERT INTO 历史(ID, Fmt, CID, Con) SELECT i, '进账单', 2, '户名' || i FROM n"));
    }
    const QStringList older = indexesOf(path);
    ASSERT_NE(older, current);

    // The captions of the progress window whenever it is looked at while shown; every look
    // is a second later, so that the window is due at once.
    QSet<QString> shown;
    qint64 now = 0;
    SetProgressClock([&] {
        if (Indicator* w = ProgressWindow(); w && w->isVisible()) shown << w->LBL->text();
        return now += 1000;
    });
    struct RealClockAfter {
        ~RealClockAfter() { SetProgressClock({}); }
    } realClockAfter;
    const QString caption = "正在整理数据文件，请稍候……";

    // Another program holding the file so that nothing can be read: told, nothing starts.
    {
        auto other = sql::Connection::Open(path, false);
        ASSERT_TRUE(other && other->Exec("BEGIN EXCLUSIVE"));
        test::ScriptedAnswers answers;
        bool ran = true;
        EXPECT_EQ(start(&ran), nullptr);
        EXPECT_FALSE(ran);
        EXPECT_EQ(answers.messages(),
                  QStringList{"无法打开数据文件“" + path +
                              "”（另一个程序正在使用数据文件，请关闭它后再试），程序无法启动！"});
        EXPECT_FALSE(QFileInfo::exists(InstanceLockPath()));
        ASSERT_TRUE(other->Rollback());
        EXPECT_EQ(indexesOf(path), older);
    }
    // One writing to it: told once, the program starts on the file as it was.
    {
        auto other = sql::Connection::Open(path, false);
        ASSERT_TRUE(other && other->Exec("BEGIN IMMEDIATE"));
        test::ScriptedAnswers answers;
        ASSERT_NE(start(), nullptr);
        EXPECT_EQ(answers.messages(),
                  QStringList{"数据文件没有整理完（另一个程序正在使用数据文件，请关闭它后再试），"
                              "原有数据未作改动，下次启动时再整理！"});
        EXPECT_FALSE(ProgressRunning());
        EXPECT_EQ(MF().CurrentFormat(), kSampleDepositSlip);
        EXPECT_EQ(indexesOf(path), older);
        ASSERT_TRUE(other->Rollback());
    }
    closeWindow();
    ReleaseInstanceLock();

    // The next start makes the indexes, in the progress window; the rows stay.
    shown.clear();
    {
        test::ScriptedAnswers answers;
        ASSERT_NE(start(), nullptr);
        EXPECT_TRUE(answers.messages().isEmpty()) << answers.lastMessage().toStdString();
    }
    EXPECT_TRUE(shown.contains(caption));
    EXPECT_EQ(indexesOf(path), current);
    EXPECT_EQ(rows("SELECT * FROM 历史 WHERE CID=2 AND Fmt='进账单'"), 200);
    closeWindow();
    ReleaseInstanceLock();

    // A file with every index shows nothing of it.
    shown.clear();
    ASSERT_NE(start(), nullptr);
    EXPECT_FALSE(shown.contains(caption));
}
