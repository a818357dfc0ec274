// Switching, saving, saving as and deleting formats from the main window, with what each
// does to every table, the parameters and the background pictures.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <vector>

#include "MainWindowFixture.h"
#include "common/Common.h"
#include "common/Database.h"
#include "common/Globals.h"
#include "common/Schema.h"
#include "common/SelFormat.h"
#include "platform/AppFolder.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "store/BackgroundPicture.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/FormatOperations.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/SampleFormats.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

// The box records of a format (the whole-format row is written anew by every save).
QList<qint64> ids(const QString& fmt) {
    QList<qint64> out;
    Recordset rs;
    OpenRecordset(rs, "SELECT ID FROM Fmt WHERE Fmt=? AND LBL<>? ORDER BY ID",
                  {fmt, kWholeFormatLabel});
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) out << rs.Value("ID").toLongLong();
    return out;
}

int count(const QString& table, const QString& where, const Params& params) {
    Recordset rs;
    OpenRecordset(rs, "SELECT * FROM " + table + " WHERE " + where, params);
    return rs.RecordCount();
}

QString param(const QString& name) {
    return ValueWhere("参数", "Var=?", "Con", {name}).toString();
}

void writePicture(const QString& path, QColor colour) {
    QImage img(60, 30, QImage::Format_RGB32);
    img.fill(colour);
    ASSERT_TRUE(img.save(path, "JPG"));
}

class FormatOperations : public test::MainWindowTest {
protected:
    void SetUp() override {
        test::MainWindowTest::SetUp();
        ASSERT_NE(start(), nullptr);
        slipIds_ = ids(kSampleDepositSlip);
        waybillIds_ = ids(kSampleWaybill);
        ASSERT_FALSE(slipIds_.isEmpty());
        // Per-format data of both formats in every table.
        for (const QString& f : {kSampleDepositSlip, kSampleWaybill}) {
            ExecuteSql("INSERT INTO 参数(Var, Con) VALUES(?, ?)",
                       {f + "=>自定义类型124", f + "的列表;乙;丙"});
            ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(1, ?, 5, '旧单据')", {f});
            ExecuteSql("INSERT INTO 映射(ID, Fmt, Map) VALUES(1, ?, 'A;B')", {f});
        }
    }
    QList<qint64> slipIds_, waybillIds_;
};

}  // namespace

TEST_F(FormatOperations, SaveAsANewNameCopiesTheFormatAndMakesItCurrent) {
    writePicture(BackgroundPicturePath(kSampleDepositSlip), Qt::blue);
    // A link from the first box to the last one, which is saved after it.
    Grid& g = MF().BoxGrid();
    const int firstRow = g.FixedRows(), lastRow = g.Rows() - 1;
    g.SetTextMatrix(firstRow, col::RCtl, g.TextMatrix(lastRow, col::ID));
    // What the boxes show goes with the copy (a box without a date: dates are today's on opening).
    MF().TT[3]->SetText("2013");
    test::ScriptedAnswers answers;
    test::answerChooser("进账单（副本）");
    TheMainWindow()->m_FCom[32]->trigger();

    const QString copy = "进账单（副本）";
    EXPECT_EQ(MF().CurrentFormat(), copy);
    EXPECT_EQ(ids(kSampleDepositSlip), slipIds_);  // the original is untouched
    const QList<qint64> copyIds = ids(copy);
    ASSERT_EQ(copyIds.size(), slipIds_.size());
    for (qint64 id : copyIds) EXPECT_FALSE(slipIds_.contains(id));
    // The grid now holds the copy's record IDs, and the link points into the copy.
    for (int r = g.FixedRows(); r < g.Rows(); ++r)
        EXPECT_TRUE(copyIds.contains(CLng64(Val(g.TextMatrix(r, col::ID)))));
    const qint64 firstId = CLng64(Val(g.TextMatrix(firstRow, col::ID)));
    const qint64 lastId = CLng64(Val(g.TextMatrix(lastRow, col::ID)));
    EXPECT_EQ(ValueById("Fmt", firstId, "RCtl").toLongLong(), lastId);
    EXPECT_EQ(ValueWhere("Fmt", "Fmt=''", "LBL").toString(), copy);
    EXPECT_EQ(param(copy + "=>自定义类型124"), kSampleDepositSlip + "的列表;乙;丙");
    EXPECT_EQ(param(kSampleDepositSlip + "=>自定义类型124"), kSampleDepositSlip + "的列表;乙;丙");
    EXPECT_TRUE(QFileInfo::exists(BackgroundPicturePath(copy)));
    EXPECT_FALSE(MF().TP->Picture().isNull());
    // The contents went with the copy, keyed by its IDs; the original's stay keyed by its own.
    EXPECT_EQ(MF().TT[3]->Text(), "2013");
    Recordset rs;
    OpenRecordset(rs, "SELECT * FROM 默认 WHERE Fmt=?", {kSampleDepositSlip});
    ASSERT_GT(rs.RecordCount(), 0);
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        EXPECT_TRUE(slipIds_.contains(rs.Value("ID").toLongLong()));
    EXPECT_GT(count("默认", "Fmt=?", {copy}), 0);
    EXPECT_TRUE(answers.messages().isEmpty());
}

TEST_F(FormatOperations, SaveAsAnExistingNameAsksAndCopiesThePictureOnlyAfterYes) {
    writePicture(BackgroundPicturePath(kSampleDepositSlip), Qt::blue);
    {
        test::ScriptedAnswers answers;
        answers << int(dlg::No);
        test::answerChooser(kSampleWaybill);
        QString name;
        EXPECT_FALSE(SaveFormatAs(name));
        EXPECT_EQ(answers.lastMessage(), "该格式已经存在，是否覆盖？");
    }
    EXPECT_EQ(MF().CurrentFormat(), kSampleDepositSlip);
    EXPECT_EQ(ids(kSampleWaybill), waybillIds_);
    EXPECT_FALSE(QFileInfo::exists(BackgroundPicturePath(kSampleWaybill)));
    EXPECT_EQ(param(kSampleWaybill + "=>自定义类型124"), kSampleWaybill + "的列表;乙;丙");

    {
        test::ScriptedAnswers answers;
        answers << int(dlg::Yes);
        QString name = kSampleWaybill;
        EXPECT_TRUE(SaveFormatAs(name));
    }
    EXPECT_EQ(MF().CurrentFormat(), kSampleWaybill);
    EXPECT_EQ(ids(kSampleWaybill).size(), slipIds_.size());  // now the slip's boxes
    EXPECT_EQ(MF().Wid->text(), "210");
    EXPECT_TRUE(QFileInfo::exists(BackgroundPicturePath(kSampleWaybill)));
    EXPECT_EQ(param(kSampleWaybill + "=>自定义类型124"), kSampleDepositSlip + "的列表;乙;丙");
}

TEST_F(FormatOperations, SaveAsTheOpenFormatsOwnNameKeepsItsListsAndPicture) {
    writePicture(BackgroundPicturePath(kSampleDepositSlip), Qt::blue);
    test::ScriptedAnswers answers;
    answers << int(dlg::Yes);
    test::answerChooser(QString());  // the chooser offers the open format; OK takes it
    QString name;
    ASSERT_TRUE(SaveFormatAs(name));
    EXPECT_EQ(name, kSampleDepositSlip);
    EXPECT_EQ(answers.lastMessage(), "该格式已经存在，是否覆盖？");
    EXPECT_EQ(param(kSampleDepositSlip + "=>自定义类型124"), kSampleDepositSlip + "的列表;乙;丙");
    EXPECT_TRUE(QFileInfo::exists(BackgroundPicturePath(kSampleDepositSlip)));
    EXPECT_EQ(ids(kSampleDepositSlip), slipIds_);
    EXPECT_EQ(MF().CurrentFormat(), kSampleDepositSlip);
}

TEST_F(FormatOperations, NamesThatWouldBreakTheStoredListsOrAreTooLongAreRefused) {
    std::vector<std::pair<QString, QString>> cases;
    for (const char* bad : {"a/b", "a\\b", "a|b", "a,b", "a'b", "a\"b"})
        cases.push_back({QString::fromUtf8(bad), kForbiddenNameMessage});
    cases.push_back({QString(kMaxFormatNameLength + 1, u'票'), kLongNameMessage});
    cases.push_back({QString(kMaxFormatNameLength, u'票'), kFileNameTooLongMessage});
    // An emoji is one character (two UTF-16 units, four bytes): 55 of them are too long for
    // the files only, 50 are taken.
    const QString emoji = QString::fromUcs4(U"\U0001F600", 1);
    cases.push_back({emoji.repeated(55), kFileNameTooLongMessage});
    cases.push_back({emoji.repeated(kMaxFormatNameLength + 1), kLongNameMessage});
    EXPECT_EQ(FormatNameProblem(emoji.repeated(50)), QString());
    for (const auto& [bad, message] : cases) {
        SCOPED_TRACE(bad.left(10).toStdString());
        test::ScriptedAnswers answers;
        QString name = bad;
        EXPECT_FALSE(SaveFormatAs(name));
        EXPECT_EQ(answers.lastMessage(), message);
        EXPECT_EQ(count("Fmt", "Fmt=?", {bad}), 0);
    }
    EXPECT_EQ(MF().CurrentFormat(), kSampleDepositSlip);
    // A cancelled chooser saves nothing; the longest name allowed is taken.
    test::answerChooser(QString(), true);
    QString name;
    EXPECT_FALSE(SaveFormatAs(name));
    QString longest = QString(kMaxFormatNameLength, u'a');
    EXPECT_TRUE(SaveFormatAs(longest));
    EXPECT_EQ(MF().CurrentFormat(), longest);
}

TEST_F(FormatOperations, DeleteAsksAndRemovesEverythingOfThatFormatAndNothingElse) {
    writePicture(BackgroundPicturePath(kSampleWaybill), Qt::green);
    test::ScriptedAnswers answers;
    // The open format cannot go; No leaves it all.
    QString name = kSampleDepositSlip;
    EXPECT_FALSE(DeleteFormat(name));
    EXPECT_EQ(answers.lastMessage(), "此格式为当前格式，不允许删除！");
    EXPECT_EQ(ids(kSampleDepositSlip), slipIds_);
    name = kSampleWaybill;
    answers << int(dlg::No);
    EXPECT_FALSE(DeleteFormat(name));
    EXPECT_EQ(answers.lastMessage(), "您确定要删除格式：“快递运单”？");
    EXPECT_EQ(ids(kSampleWaybill), waybillIds_);

    answers << int(dlg::Yes);
    EXPECT_TRUE(DeleteFormat(name));
    for (const char* table : {"Fmt", "历史", "默认", "映射"})
        EXPECT_EQ(count(table, "Fmt=?", {kSampleWaybill}), 0) << table;
    EXPECT_EQ(count("参数", "Var=?", {kSampleWaybill + "=>自定义类型124"}), 0);
    EXPECT_TRUE(QFileInfo::exists(BackgroundPicturePath(kSampleWaybill)));  // the picture stays
    EXPECT_EQ(ids(kSampleDepositSlip), slipIds_);
    EXPECT_EQ(count("历史", "Fmt=?", {kSampleDepositSlip}), 1);
}

// A format takes only its own parameters, however its name looks: "_" and "%" are plain
// characters, a name may begin with another's name and "=>", and one of 200,000 characters
// may have been stored by an older version.
TEST_F(FormatOperations, DeletingTakesOnlyTheFormatsOwnParametersWhateverItsName) {
    const QString like = "快递运单X", underscore = "快递_单", percent = "快递%单";
    const QString copy = kSampleWaybill + "=>副本", huge = QString(200000, u'长');
    for (const QString& f : {like, underscore, percent, copy, huge}) {
        ExecuteSql("INSERT INTO Fmt(Fmt, LBL, W, H) VALUES(?, ?, 100, 50)", {f, kWholeFormatLabel});
        ExecuteSql("INSERT INTO 参数(Var, Con) VALUES(?, 'own')", {f + "=>自定义类型124"});
    }
    const struct {
        QString name;
        bool chosen;  // in the chooser rather than passed
        QStringList kept;
    } cases[] = {
        {kSampleWaybill, false, {like, percent, copy, huge}},
        {underscore, false, {like}},
        {huge, false, {copy}},
        {copy, false, {kSampleDepositSlip}},
        {percent, true, {like}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.left(20).toStdString());
        test::ScriptedAnswers answers;
        answers << int(dlg::Yes);
        QString name = c.chosen ? QString() : c.name;
        if (c.chosen) test::answerChooser(c.name);
        EXPECT_TRUE(DeleteFormat(name)) << answers.lastMessage().toStdString();
        EXPECT_EQ(name, c.name);
        EXPECT_EQ(count("Fmt", "Fmt=?", {c.name}), 0);
        EXPECT_EQ(count("参数", "Var=?", {c.name + "=>自定义类型124"}), 0);
        for (const QString& f : c.kept) {
            EXPECT_EQ(count("参数", "Var=?", {f + "=>自定义类型124"}), 1) << f.toStdString();
            EXPECT_EQ(count("Fmt", "Fmt=? AND LBL=?", {f, kWholeFormatLabel}), 1)
                << f.toStdString();
        }
    }
}

TEST_F(FormatOperations, AFailedDeleteChangesNothingAndSaysSo) {
    ASSERT_TRUE(ExecuteSql("DROP TABLE 映射"));
    test::ScriptedAnswers answers;
    answers << int(dlg::Yes);
    QString name = kSampleWaybill;
    EXPECT_FALSE(DeleteFormat(name));
    EXPECT_TRUE(answers.lastMessage().contains("删除失败")) << answers.lastMessage().toStdString();
    EXPECT_EQ(count("历史", "Fmt=?", {kSampleWaybill}), 1);
    EXPECT_EQ(ids(kSampleWaybill), waybillIds_);
}

TEST_F(FormatOperations, SwitchingStoresTheContentsAndReloadsOnlyWhenForced) {
    MainForm& mf = MF();
    Grid& g = mf.BoxGrid();
    const QString edited = "编辑未保存";
    g.SetTextMatrix(g.FixedRows(), col::LBL, edited);
    SelectFormat(kSampleDepositSlip, false);
    EXPECT_EQ(g.TextMatrix(g.FixedRows(), col::LBL), edited);
    SelectFormat(kSampleDepositSlip, true);
    EXPECT_NE(g.TextMatrix(g.FixedRows(), col::LBL), edited);

    // Leaving a format keeps what its boxes show for the next time.
    mf.TT[3]->SetText("2014");
    test::answerFormatList(kSampleWaybill);
    TheMainWindow()->m_FCom[30]->trigger();
    EXPECT_EQ(mf.CurrentFormat(), kSampleWaybill);
    EXPECT_EQ(mf.Wid->text(), "230");
    EXPECT_EQ(ValueWhere("Fmt", "Fmt=''", "LBL").toString(), kSampleWaybill);
    SelectFormat(kSampleDepositSlip);
    EXPECT_EQ(mf.TT[3]->Text(), "2014");
}

TEST_F(FormatOperations, SavingPullsStrayBoxesBackAndWritesTheGrid) {
    MainForm& mf = MF();
    TextBox* box = mf.TT[1];
    const int row = BoxRow(box);
    const qint64 id = CLng64(Val(mf.BoxGrid().TextMatrix(row, col::ID)));
    box->SetLeft(-700);  // as a drag beyond the edge leaves it
    TheMainWindow()->m_FCom[31]->trigger();
    EXPECT_EQ(box->Left(), 0);
    EXPECT_EQ(ValueById("Fmt", id, "X").toDouble(), 0);
    EXPECT_EQ(ids(kSampleDepositSlip), slipIds_);
}

TEST_F(FormatOperations, BackgroundPicturesFollowTheNameRule) {
    EXPECT_EQ(BackgroundPicturePath("a/b:c"), AppFile("a4b6c.jpg"));
    EXPECT_EQ(BackgroundPicturePath("*?<>/\\:|\""), AppFile("012345678.jpg"));
    EXPECT_EQ(BackgroundPicturePath("x*"), BackgroundPicturePath("x0"));

    const QString upper = folder_.file("scan.JPG"), other = folder_.file("scan.jpeg");
    writePicture(upper, Qt::red);
    ASSERT_TRUE(QFile::copy(upper, other));
    MF().SetO2Value(4, 0);
    test::ScriptedAnswers answers;
    answers << QString(other);  // a .jpeg is not taken
    SetBackgroundPicture(kSampleDepositSlip);
    EXPECT_FALSE(QFileInfo::exists(BackgroundPicturePath(kSampleDepositSlip)));
    answers << QString(upper);
    SetBackgroundPicture(kSampleDepositSlip);
    EXPECT_TRUE(QFileInfo::exists(BackgroundPicturePath(kSampleDepositSlip)));
    EXPECT_EQ(MF().O2Value(4), 1);
    EXPECT_FALSE(MF().TP->Picture().isNull());
    const QImage canvas = MF().PG->Image();
    EXPECT_GT(canvas.pixelColor(canvas.rect().center()).red(), 200);  // drawn on the canvas

    // Declining the replacement keeps the old picture.
    writePicture(folder_.file("other.jpg"), Qt::green);
    answers << QString(folder_.file("other.jpg")) << int(dlg::No);
    SetBackgroundPicture(kSampleDepositSlip);
    EXPECT_EQ(answers.lastMessage(), "当前格式已有底图，是否要替换？");
    QImage kept(BackgroundPicturePath(kSampleDepositSlip));
    EXPECT_GT(kept.pixelColor(5, 5).red(), 200);

    // Clearing asks, then removes the file and the picture.
    answers << int(dlg::No);
    EXPECT_TRUE(ClearBackgroundPicture(kSampleDepositSlip));
    EXPECT_TRUE(QFileInfo::exists(BackgroundPicturePath(kSampleDepositSlip)));
    answers << int(dlg::Yes);
    EXPECT_TRUE(ClearBackgroundPicture(kSampleDepositSlip));
    EXPECT_FALSE(QFileInfo::exists(BackgroundPicturePath(kSampleDepositSlip)));
    EXPECT_TRUE(MF().TP->Picture().isNull());
    // Without a file: the question, and nothing else.
    const int shownBefore = dlg::ShownLog().size();
    answers << int(dlg::Yes);
    EXPECT_TRUE(ClearBackgroundPicture(kSampleDepositSlip));
    EXPECT_EQ(dlg::ShownLog().size(), shownBefore + 1);
}

TEST_F(FormatOperations, AScanOf600DpiShowsAndADamagedPictureIsNamed) {
    // A4 at 600 dpi, blue above and red below: more pixels than a picture may be decoded with.
    const QString scan = folder_.file("scan600.jpg");
    {
        QImage a4(4961, 7016, QImage::Format_RGB32);
        a4.fill(Qt::red);
        for (int y = 0; y < a4.height() / 2; ++y)
            std::fill_n(reinterpret_cast<QRgb*>(a4.scanLine(y)), a4.width(), qRgb(0, 0, 255));
        ASSERT_TRUE(a4.save(scan, "JPG", 60));
    }
    const QString own = BackgroundPicturePath(kSampleDepositSlip);
    QFile::remove(own);
    MF().SetO2Value(4, 0);
    test::ScriptedAnswers answers;
    answers << QString(scan);
    SetBackgroundPicture(kSampleDepositSlip);
    EXPECT_EQ(answers.messages(), QStringList());
    EXPECT_FALSE(MF().TP->Picture().isNull());
    const QImage canvas = MF().PG->Image();
    canvas.save(QDir(test::ArtifactDir()).filePath("canvas-background-600dpi.png"));
    const QColor top = canvas.pixelColor(canvas.width() / 2, canvas.height() / 4);
    const QColor bottom = canvas.pixelColor(canvas.width() / 2, canvas.height() * 3 / 4);
    EXPECT_GT(top.blue(), 200);
    EXPECT_LT(top.red(), 60);
    EXPECT_GT(bottom.red(), 200);
    EXPECT_LT(bottom.blue(), 60);

    // A picture that cannot be read is named with its cause before anything is replaced.
    const QString damaged = folder_.file("damaged.jpg");
    QFile f(damaged);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xff\xd8\xff\xe0 no picture follows");
    f.close();
    answers << QString(damaged);
    SetBackgroundPicture(kSampleDepositSlip);
    EXPECT_EQ(answers.messages(), QStringList{"无法读取图片“" + damaged + "”：图片数据已损坏"});
    EXPECT_FALSE(MF().TP->Picture().isNull());
    // One already in the format's place is named when the format is opened.
    ASSERT_TRUE(QFile::remove(own));
    ASSERT_TRUE(QFile::copy(damaged, own));
    LoadBackgroundPicture(kSampleDepositSlip);
    EXPECT_EQ(answers.lastMessage(), "无法读取图片“" + own + "”：图片数据已损坏");
    EXPECT_TRUE(MF().TP->Picture().isNull());
}

// ---- Failures and names that used to cost data ---------------------------------------------

TEST_F(FormatOperations, SaveAsIsAllOrNothing) {
    // The rows go in first; the parameters or the default contents then fail.
    for (const char* table : {"参数", "默认"}) {
        SCOPED_TRACE(table);
        ASSERT_TRUE(ExecuteSql(QString("ALTER TABLE %1 RENAME TO 旧表").arg(table)));
        Grid& g = MF().BoxGrid();
        QStringList gridIds;
        for (int r = g.FixedRows(); r < g.Rows(); ++r) gridIds << g.TextMatrix(r, col::ID);
        test::ScriptedAnswers answers;
        QString name = "进账单（副本）";
        EXPECT_FALSE(SaveFormatAs(name));
        EXPECT_TRUE(answers.lastMessage().startsWith("格式“进账单（副本）”没有保存（"))
            << answers.lastMessage().toStdString();
        EXPECT_EQ(count("Fmt", "Fmt=?", {name}), 0);
        EXPECT_EQ(MF().CurrentFormat(), kSampleDepositSlip);
        QStringList after;
        for (int r = g.FixedRows(); r < g.Rows(); ++r) after << g.TextMatrix(r, col::ID);
        EXPECT_EQ(after, gridIds);
        ASSERT_TRUE(ExecuteSql(QString("ALTER TABLE 旧表 RENAME TO %1").arg(table)));
    }
    // With every table back, the same save works.
    QString name = "进账单（副本）";
    EXPECT_TRUE(SaveFormatAs(name));
    EXPECT_EQ(ids(name).size(), slipIds_.size());
}

TEST_F(FormatOperations, ContentsThatCannotBeKeptAreReported) {
    ASSERT_TRUE(ExecuteSql("ALTER TABLE 默认 RENAME TO 旧表"));
    test::ScriptedAnswers answers;
    SelectFormat(kSampleWaybill);
    EXPECT_EQ(MF().CurrentFormat(), kSampleWaybill);
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_TRUE(
        answers.lastMessage().startsWith("格式“" + kSampleDepositSlip + "”的单据内容没有保存（"))
        << answers.lastMessage().toStdString();
    ASSERT_TRUE(ExecuteSql("ALTER TABLE 旧表 RENAME TO 默认"));
}

// In a child process: replacing the picture on a disk that fills up.
TEST_F(FormatOperations, DISABLED_ChildReplacesThePictureOnAFullDisk) {
    const QString picture = BackgroundPicturePath(kSampleDepositSlip);
    writePicture(picture, Qt::green);
    const QByteArray old = [&] {
        QFile f(picture);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    // A new picture of noise, far larger than the disk's room.
    QImage noise(800, 800, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
    const QString chosen = folder_.file("scan.jpg");
    ASSERT_TRUE(noise.save(chosen, "JPG", 100));
    ASSERT_GT(QFileInfo(chosen).size(), 128 * 1024);

    test::ScriptedAnswers answers;
    answers << QString(chosen) << int(dlg::Yes);
    ASSERT_TRUE(test::FillTheDisk());
    SetBackgroundPicture(kSampleDepositSlip);
    test::FreeTheDisk();
    QFile f(picture);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), old);
    EXPECT_EQ(answers.lastMessage(),
              "底图没有换成“" + chosen + "”（磁盘空间已满），原有底图未作改动！");
    EXPECT_EQ(QDir(folder_.path()).entryList({"*.part"}, QDir::Files | QDir::Hidden),
              QStringList{});
}

TEST(FullDiskPicture, TheOldPictureStaysUntilTheNewOneIsWhole) {
    QTemporaryDir unused;
    QString output;
    EXPECT_TRUE(
        test::RunFullDiskChild("FormatOperations.DISABLED_ChildReplacesThePictureOnAFullDisk",
                               64 * 1024, unused.path(), &output))
        << output.toStdString();
}

// A FIFO in the place of the picture of the format the program opens on.
class FifoPicture : public test::MainWindowTest {};

TEST_F(FifoPicture, AtTheStartItIsNamedAndTheWindowOpens) {
    const QString place = BackgroundPicturePath(kSampleDepositSlip);
    test::FifoInTheWay fifo(place);
    ASSERT_TRUE(fifo.made());
    test::ScriptedAnswers answers;
    ASSERT_NE(start(), nullptr);
    EXPECT_EQ(MF().CurrentFormat(), kSampleDepositSlip);
    EXPECT_EQ(answers.messages(),
              QStringList{"无法读取图片“" + place + "”：不是普通文件，而是管道"});
    EXPECT_TRUE(MF().TP->Picture().isNull());
    EXPECT_FALSE(fifo.released()) << "the start waited on the FIFO";
    closeWindow();
}
