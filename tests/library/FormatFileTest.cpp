// The format interchange file: written byte for byte as other installations write it, read
// back under a free name with its links, parameters and picture, and never half-read.

#include <QRandomGenerator>
#include <QTreeWidget>
#include <cstdio>

#include <unistd.h>

#include "LibraryFixture.h"
#include "common/Schema.h"
#include "library/FormatFile.h"
#include "library/FormatTree.h"
#include "platform/TextCodec.h"
#include "store/BackgroundPicture.h"

using namespace bw;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

void writePicture(const QString& path, QColor colour) {
    QImage img(40, 20, QImage::Format_RGB32);
    img.fill(colour);
    ASSERT_TRUE(img.save(path, "JPG"));
}

// The format the fixture file was written from, with explicit record keys: the fields from
// Clas on, split at ";", "~" for no value.
void storeSampleFormat() {
    const char* rows[] = {
        "100;0;%1;0;10;10;210;99.5;0;0;15360;~;0;0;0;0;0;0;0;1|0|0|;0;0;0",
        "101;0;金额\r\n（大写）;左边;12.5;30;80;8;1.5;0;0;宋体;10.5;1;0;0;0;103;-102;"
        "备注一\r\n备注二;102;0;0",
        "102;0;小写;右边;100;30;60;8;0;0;255;Arial;12;0;0;0;0;11.12;0;;-101;0;101",
        "103;1;已付;;5;5;4;4;0;0;0;~;0;0;1;1;1;0;0;~;0;0;0"};
    for (const char* row : rows) {
        Params values;
        for (const QString& v : QString::fromUtf8(row).arg(kWholeFormatLabel).split(';'))
            values << (v == "~" ? QVariant() : QVariant(v));
        values.insert(1, "发票样例");
        ASSERT_TRUE(ExecuteSql(
            "INSERT INTO Fmt(ID, Fmt, Clas, LBL, Dir, X, Y, W, H, S, L, Color, fName, fSize, "
            "fBold, fItalic, fUnderline, fStrikethru, Cash, RCtl, Mem, SumID, SumID1, RCtl1) "
            "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            values));
    }
    const QList<std::pair<QString, QString>> params = {
        {"发票样例=>自定义类型124", "甲;乙;丙"},
        {"发票样例2=>自定义类型124", "别的格式的列表"},  // another format's
        {"发票样例=>其他参数", "不随文件"},              // not a custom type
        {"发票样例=>自定义类型119", "yyyy年mm月"},
        {"发票样=>自定义类型124", "名字更短的格式"},
    };
    for (const auto& [var, con] : params)
        ASSERT_TRUE(ExecuteSql("INSERT INTO 参数(Var, Con) VALUES(?, ?)", {var, con}));
}

class FormatFile : public test::LibraryTest {
protected:
    void SetUp() override {
        test::LibraryTest::SetUp();
        LoadFormatTree();
    }
    // The fixture copied to a folder of the test as `fileName`, with a picture beside it.
    QString placeFixture(const QString& fileName, bool picture = true) {
        QDir(folder_.path()).mkpath("in");
        const QString path = folder_.file("in/" + fileName);
        writeBytes(path, test::SampleFormatFile());
        if (picture) writePicture(path.left(path.size() - 4) + ".jpg", Qt::green);
        return path;
    }
    // Row IDs by label of an imported format.
    QMap<QString, qint64> idsByLabel(const QString& format) {
        QMap<QString, qint64> ids;
        Recordset rs;
        OpenRecordset(rs, "SELECT ID, LBL FROM Fmt WHERE Fmt=?", {format});
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            ids[rs.Text("LBL")] = rs.Value("ID").toLongLong();
        return ids;
    }
    double field(qint64 id, const QString& column) {
        return ValueById("Fmt", id, column).toDouble();
    }
};

}  // namespace

TEST_F(FormatFile, ExportWritesTheFixtureByteForByteAndReportsFailures) {
    storeSampleFormat();
    writePicture(BackgroundPicturePath("发票样例"), Qt::blue);
    const QString target = folder_.file("out/发票样例.VFM");
    QDir(folder_.path()).mkpath("out");
    test::ScriptedAnswers answers;
    answers << target;
    ExportFormatFile("发票样例");

    EXPECT_EQ(fileBytes(target), test::SampleFormatFile());
    EXPECT_TRUE(QFileInfo::exists(folder_.file("out/发票样例.jpg")));
    EXPECT_EQ(answers.lastMessage(), "格式：“发票样例”导出完成！");
    // A format without rows or items still ends with the marker.
    EXPECT_EQ(FormatFileText("无此格式"), "<KorvaneOverwick格式专用>\r\n无此格式\r\n[自定义内容]");
    {
        // A path without the ending gets it appended, and the picture follows that name.
        test::ScriptedAnswers answers;
        answers << folder_.file("out/a.txt");
        ExportFormatFile("发票样例");
        EXPECT_EQ(fileBytes(folder_.file("out/a.txt.vfm")), test::SampleFormatFile());
        EXPECT_TRUE(QFileInfo::exists(folder_.file("out/a.txt.jpg")));
    }
    {
        // An existing file is kept when the overwrite is declined.
        writeBytes(folder_.file("out/b.vfm"), "old");
        test::ScriptedAnswers answers;
        answers << folder_.file("out/b.vfm") << int(dlg::No);
        ExportFormatFile("发票样例");
        EXPECT_EQ(fileBytes(folder_.file("out/b.vfm")), QByteArray("old"));
        EXPECT_EQ(answers.messages().size(), 1);
    }
    {
        // A file that cannot be written is reported, not announced as exported; the picture,
        // copied first, names the folder.
        test::ScriptedAnswers answers;
        answers << folder_.file("no/such/folder/c.vfm");
        ExportFormatFile("发票样例");
        EXPECT_TRUE(answers.lastMessage().startsWith("格式：“发票样例”导出失败"));
        EXPECT_TRUE(answers.lastMessage().contains("不能写入"));
        // Without a picture, the text file alone.
        QFile::remove(BackgroundPicturePath("发票样例"));
        answers << folder_.file("no/such/folder/c.vfm");
        ExportFormatFile("发票样例");
        EXPECT_EQ(answers.lastMessage(), "文件保存出错！");
        writePicture(BackgroundPicturePath("发票样例"), Qt::blue);
    }
    {
        // The save dialog cancelled: nothing.
        test::ScriptedAnswers answers;
        ExportFormatFile("发票样例");
        EXPECT_TRUE(answers.messages().isEmpty());
    }
}

TEST_F(FormatFile, ImportTakesTheFileNameRelinksWithSignsAndBringsEverything) {
    const QString path = placeFixture("发票A.vfm");
    test::ScriptedAnswers answers;
    answers << int(dlg::No);
    ASSERT_TRUE(ImportFormatFile("  " + path + " "));

    const auto ids = idsByLabel("发票A");
    ASSERT_EQ(ids.size(), 4);
    const qint64 big = ids.value("金额\r\n（大写）"), small = ids.value("小写");
    EXPECT_EQ(field(big, "RCtl"), -double(small));
    EXPECT_EQ(field(big, "SumID"), double(small));
    EXPECT_EQ(field(small, "SumID"), -double(big));
    EXPECT_EQ(field(small, "RCtl1"), double(big));
    EXPECT_EQ(ValueById("Fmt", big, "Mem").toString(), "备注一\r\n备注二");
    EXPECT_EQ(ValueById("Fmt", big, "Dir").toString(), "左边");
    EXPECT_EQ(field(small, "Cash"), 11.12);
    EXPECT_TRUE(ValueById("Fmt", ids.value("已付"), "fStrikethru").toBool());
    EXPECT_FALSE(ValueById("Fmt", big, "fItalic").toBool());
    EXPECT_EQ(field(ids.value(kWholeFormatLabel), "H"), 99.5);

    EXPECT_EQ(Param("发票A=>自定义类型124"), "甲;乙;丙");
    EXPECT_EQ(Param("发票A=>自定义类型119"), "yyyy年mm月");
    EXPECT_TRUE(QFileInfo::exists(BackgroundPicturePath("发票A")));
    QTreeWidgetItem* node = TreeNodeByKey(Tree(), "F发票A");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->parent()->text(0), kOtherCategory);
    EXPECT_EQ(answers.lastMessage(), "格式“发票A”导入成功,立即调用此格式？");

    // Exported again, the file reads as the fixture with the new name and keys.
    QString again = FormatFileText("发票A");
    EXPECT_EQ(again.count("\r\n"), 8);
    EXPECT_TRUE(again.endsWith("自定义类型119=[yyyy年mm月][END]"));
}

TEST_F(FormatFile, ATakenNameIsAskedAgainUntilFree) {
    const QString path = placeFixture("样本.vfm", false);
    AddFormat("样本");
    AddFormat("样本2");
    test::ScriptedAnswers answers;
    answers << "样本"
            << " 样本2 "
            << "a/b"
            << "样本3" << int(dlg::No);
    ASSERT_TRUE(ImportFormatFile(path));
    EXPECT_EQ(Count("Fmt", "Fmt=?", {"样本3"}), 4);
    EXPECT_EQ(Count("Fmt", "Fmt=?", {"样本"}), 1);
    EXPECT_FALSE(QFileInfo::exists(BackgroundPicturePath("样本3")));

    // Giving up at the question adds nothing.
    test::ScriptedAnswers cancel;
    cancel << QVariant();
    EXPECT_FALSE(ImportFormatFile(path));
    EXPECT_EQ(Count("Fmt", "Fmt LIKE '样本%'", {}), 6);
}

TEST_F(FormatFile, BadFilesAreRefusedAndLeaveNothing) {
    const QString header = "<KorvaneOverwick格式专用>\r\n";
    struct Case {
        const char* what;
        QString text;
        QString message;
    };
    const QList<Case> cases = {
        {"foreign", "hello\r\nworld\r\nagain",
         "无法识别此文件，请确认文件：“%1”为Bellweft格式文件！"},
        {"too short", header + "名", "无法识别此文件，请确认文件：“%1”为Bellweft格式文件！"},
        {"cut in the first record", header + "名\r\n1】★【0】★【金额】★【", "格式文件有错！"},
        {"no records", header + "名\r\n[自定义内容]\r\n自定义类型1=[x][END]", "格式文件有错！"},
    };
    for (const Case& c : cases) {
        const QString path = folder_.file("坏文件.vfm");
        writeBytes(path, ToAnsi(c.text));
        test::ScriptedAnswers answers;
        EXPECT_FALSE(ImportFormatFile(path)) << c.what;
        EXPECT_EQ(answers.lastMessage(), QString(c.message).arg(path)) << c.what;
        EXPECT_EQ(Count("Fmt", "Fmt=?", {"坏文件"}), 0) << c.what;
        EXPECT_EQ(Count("参数", "Var LIKE '坏文件%'", {}), 0) << c.what;
        EXPECT_EQ(TreeNodeByKey(Tree(), "F坏文件"), nullptr) << c.what;
    }
    // An empty file and a cancelled file dialog end quietly.
    writeBytes(folder_.file("空.vfm"), QByteArray());
    test::ScriptedAnswers answers;
    EXPECT_FALSE(ImportFormatFile(folder_.file("空.vfm")));
    EXPECT_FALSE(ImportFormatFile(QString()));
    EXPECT_TRUE(answers.messages().isEmpty());
}

TEST_F(FormatFile, AFailureAfterTheRowsRollsEverythingBack) {
    // The parameter table refuses one key, after the rows went in.
    ASSERT_TRUE(
        ExecuteSql("CREATE TRIGGER refuse BEFORE INSERT ON 参数 WHEN NEW.Var LIKE "
                   "'%自定义类型119' BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    const QString path = placeFixture("回滚.vfm");
    test::ScriptedAnswers answers;
    EXPECT_FALSE(ImportFormatFile(path));
    EXPECT_EQ(answers.lastMessage(), "格式“回滚”导入失败（数据文件读写出错）！");
    EXPECT_EQ(Count("Fmt", "Fmt=?", {"回滚"}), 0);
    EXPECT_EQ(Count("参数", "Var LIKE '回滚%'", {}), 0);
    EXPECT_FALSE(QFileInfo::exists(BackgroundPicturePath("回滚")));
}

TEST_F(FormatFile, RecordsBrokenOrShortAreReadAsOlderFilesWroteThem) {
    auto record = [](const char* fields) {
        return QString::fromUtf8(fields).split(';').join(kFormatFileFieldSeparator);
    };
    const QString text =
        kFormatFileHeader + "\r\n名\r\n" +
        record("7;0;甲;左;1;2;3;4;0;0;0;宋体;9;true;FALSE;False;False;0;-8;;8") +  // 21 fields
        "\r\n" + record("8;0;乙;上\r\n下;1;2;3;4;0;0;0;宋体;9;False;False;False;False;0;0;;0;-7") +
        "\r\n" +                                                                       // 22
        record("9;0;丙;;1;2;3;4;0;0;0;;9;False;False;False;False;0;0;;-7;0;8;多余") +  // 24
        "\r\n" + kFormatFileCustomMarker + "\r\n自定义类型124=[a;\r\nb][END]\r\n坏=[x=[y][END]";
    const QStringList lines = FormatFileLines(text);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[3].contains("上\r\n下"));
    ASSERT_EQ(StoreFormatFileLines(lines, "名"), FormatFileStore::Stored);
    const auto ids = idsByLabel("名");
    const qint64 a = ids.value("甲"), b = ids.value("乙"), c = ids.value("丙");
    EXPECT_EQ(ValueById("Fmt", b, "Dir").toString(), "上\r\n下");
    EXPECT_TRUE(ValueById("Fmt", a, "fBold").toBool());
    EXPECT_EQ(field(a, "RCtl"), -double(b));
    EXPECT_EQ(field(a, "SumID"), double(b));
    EXPECT_EQ(field(a, "SumID1"), 0);  // 21 fields
    EXPECT_EQ(field(b, "SumID1"), -double(a));
    EXPECT_EQ(field(b, "RCtl1"), 0);  // 22 fields
    EXPECT_EQ(field(c, "SumID"), -double(a));
    EXPECT_EQ(field(c, "RCtl1"), double(b));  // the folded section does not spoil the number
    EXPECT_EQ(Param("名=>自定义类型124"), "a;b");
    EXPECT_EQ(Count("参数", "Var LIKE '名=>%'", {}), 1);
}

TEST_F(FormatFile, FileNamesGiveFormatNames) {
    const QList<std::pair<QString, QString>> cases = {
        {"/a/b/发票A.vfm", "发票A"}, {"/a.b/c", "c"}, {"/a/b/v1.2.vfm", "v1.2"}, {"/a/b/.vfm", ""}};
    for (const auto& [path, name] : cases)
        EXPECT_EQ(FormatNameOfFile(path), name) << path.toStdString();
}

// Thousands of damaged files: the reader never crashes, and a format is either stored whole
// (one row per record line) or not at all.
TEST_F(FormatFile, DamagedFilesNeverLeaveHalfAFormat) {
    const QString original = FromAnsi(test::SampleFormatFile());
    const QStringList pieces = {
        "\r\n",        kFormatFileFieldSeparator, "[自定义内容]", "][END]", "=[", "‖‖‖", "-",
        "999999999999"};
    QRandomGenerator rng(20261209);
    int stored = 0;
    for (int i = 0; i < 2500; ++i) {
        QString t = original;
        const int edits = 1 + rng.bounded(4);
        for (int e = 0; e < edits; ++e) {
            const int at = rng.bounded(t.size() + 1);
            const std::function<void()> edit[] = {
                [&] { t.truncate(at); }, [&] { t.remove(at, rng.bounded(40)); },
                [&] { t.insert(at, pieces[rng.bounded(pieces.size())]); },
                [&] {
                    if (at < t.size()) t[at] = QChar(0x20 + rng.bounded(0x3000));
                },
                [&] { t.insert(at, t.mid(rng.bounded(t.size() + 1), rng.bounded(60))); }};
            edit[rng.bounded(5)]();
        }
        const QStringList raw = t.split("\r\n");
        if (!IsFormatFile(raw)) continue;
        const QString name = QString("损坏%1").arg(i);
        const QStringList lines = FormatFileLines(t);
        const FormatFileStore result = StoreFormatFileLines(lines, name);
        const int rows = Count("Fmt", "Fmt=?", {name});
        if (result == FormatFileStore::Stored) {
            ++stored;
            ASSERT_EQ(rows, lines.size() - 2) << t.toStdString();
        } else {
            ASSERT_EQ(rows, 0) << t.toStdString();
            ASSERT_EQ(Count("参数", "instr(Var, ?)=1", {name + "=>"}), 0);
        }
    }
    EXPECT_GT(stored, 100);
}

// The re-joining rule as it reads: from the last line down to the fourth, a line that is
// empty or has too few separators is appended to the line before it, and the joined line is
// judged again.
static QStringList rejoinedByTheRule(const QString& text) {
    QStringList lines = text.split("\r\n");
    for (int i = lines.size() - 1; i >= 3; --i) {
        if (lines[i].isEmpty() || lines[i].count(kFormatFileFieldSeparator) < 20) {
            lines[i - 1] += "\r\n" + lines[i];
            lines.removeAt(i);
        }
    }
    return lines;
}

TEST_F(FormatFile, LinesAreRejoinedAsTheRuleSaysForAnyMixOfPieces) {
    // Pieces of 0 to 24 separators, empty lines among them: a piece of 10 after one of 10
    // makes a whole record, a piece of 3 before one of 19 too.
    QRandomGenerator random(35);
    for (int round = 0; round < 300; ++round) {
        QStringList lines{kFormatFileHeader, "名"};
        const int n = random.bounded(0, 12);
        for (int i = 0; i < n; ++i) {
            const int seps = random.bounded(0, 4) == 0 ? 0 : random.bounded(0, 25);
            lines << (seps == 0 && random.bounded(2)
                          ? QString()
                          : QStringList(seps + 1, "x").join(kFormatFileFieldSeparator));
        }
        const QString text = lines.join("\r\n");
        ASSERT_EQ(FormatFileLines(text), rejoinedByTheRule(text)) << text.toStdString();
    }
}

TEST_F(FormatFile, ALongCustomSectionIsImportedWhole) {
    storeSampleFormat();
    QString text = FormatFileText("发票样例");
    for (int i = 0; i < 100000; ++i) text += QString("\r\n自定义类型X%1=[值%1][END]").arg(i);
    const QString path = folder_.file("长.vfm");
    writeBytes(path, ToAnsi(text));
    test::ScriptedAnswers answers;
    answers << int(dlg::No);
    ASSERT_TRUE(ImportFormatFile(path));
    EXPECT_EQ(Count("参数", "Var LIKE '长=>%'", {}), 100002);
    EXPECT_EQ(Param("长=>自定义类型X99999"), "值99999");
    EXPECT_EQ(Count("Fmt", "Fmt=?", {"长"}), 4);
}

// The picture cannot be copied whole (the disk has room for the text file only): the old
// file and the old picture stay, nothing half-written is left, and the export says it failed.
TEST_F(FormatFile, DISABLED_ChildExportsOnAFullDisk) {
    storeSampleFormat();
    QImage noise(600, 400, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
    ASSERT_TRUE(noise.save(BackgroundPicturePath("发票样例"), "JPG", 100));
    const QString target = QDir(test::ChildFolder()).filePath("发票样例.vfm");
    test::ScriptedAnswers answers;
    answers << target << int(dlg::Yes);
    ASSERT_TRUE(test::FillTheDisk());
    ExportFormatFile("发票样例");
    test::FreeTheDisk();
    EXPECT_EQ(answers.lastMessage(), "格式：“发票样例”导出失败：底图“" +
                                         QDir(test::ChildFolder()).filePath("发票样例.jpg") +
                                         "”没有写成（磁盘空间已满）！");
}

TEST_F(FormatFile, AnExportThatCannotCopyThePictureKeepsTheOldFiles) {
    const QString out = folder_.file("out");
    QDir().mkpath(out);
    writeBytes(out + "/发票样例.vfm", "old format");
    writeBytes(out + "/发票样例.jpg", "old picture");
    QString output;
    EXPECT_TRUE(test::RunFullDiskChild("FormatFile.DISABLED_ChildExportsOnAFullDisk", 16 * 1024,
                                       out, &output))
        << output.toStdString();
    EXPECT_EQ(fileBytes(out + "/发票样例.vfm"), "old format");
    EXPECT_EQ(fileBytes(out + "/发票样例.jpg"), "old picture");
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden),
              QStringList({"发票样例.jpg", "发票样例.vfm"}));
}

// ---- Files that are no regular files, and names that are no UTF-8 --------------------------

TEST_F(FormatFile, AFifoWhereAFormatFileOrItsPictureBelongsIsNamedAndNothingIsStored) {
    QDir(folder_.path()).mkpath("in");
    // The format file itself, then the picture beside a whole format file.
    const QString fifoFile = folder_.file("in/管道.vfm");
    const QString withFifo = placeFixture("带管道底图.vfm", false);
    const QString fifoPicture = folder_.file("in/带管道底图.jpg");
    const QString pipe = "不是普通文件，而是管道";
    struct Case {
        QString fifo, file, message;
    } cases[] = {
        {fifoFile, fifoFile, "无法读取格式文件“" + fifoFile + "”：" + pipe + "！"},
        {fifoPicture, withFifo,
         "格式文件“" + withFifo + "”没有导入：它的底图“" + fifoPicture + "”" + pipe + "！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        test::FifoInTheWay fifo(c.fifo);
        ASSERT_TRUE(fifo.made());
        for (bool viaDialog : {false, true}) {
            test::ScriptedAnswers answers;
            if (viaDialog) answers << c.file;
            EXPECT_FALSE(ImportFormatFile(viaDialog ? QString() : c.file));
            EXPECT_EQ(answers.lastMessage(), c.message);
        }
        EXPECT_EQ(Count("Fmt", "Fmt IN ('管道', '带管道底图')", {}), 0);
        EXPECT_EQ(Count("参数", "Var LIKE '带管道底图%'", {}), 0);
        EXPECT_FALSE(fifo.released()) << "the import waited on the FIFO";
    }
}

TEST_F(FormatFile, AnExportMeetingAFifoNamesItAndWritesNothing) {
    storeSampleFormat();
    const QString out = folder_.file("out");
    QDir().mkpath(out);
    writePicture(BackgroundPicturePath("发票样例"), Qt::blue);
    const QString pipe = "不是普通文件，而是管道";
    // In the place of the format file, or of the picture beside it: named before anything.
    for (const QString& fifoName : {QString("发票样例.vfm"), QString("发票样例.jpg")}) {
        SCOPED_TRACE(fifoName.toStdString());
        const QString fifoPath = out + "/" + fifoName;
        test::FifoInTheWay fifo(fifoPath);
        ASSERT_TRUE(fifo.made());
        test::ScriptedAnswers answers;
        answers << out + "/发票样例.vfm" << int(dlg::Yes);
        ExportFormatFile("发票样例");
        EXPECT_EQ(answers.messages(),
                  QStringList{"格式：“发票样例”没有导出：“" + fifoPath + "”" + pipe + "！"});
        EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden | QDir::System),
                  QStringList{fifoName});
        EXPECT_FALSE(QFileInfo(fifoPath).isFile());  // still the FIFO
        EXPECT_FALSE(fifo.released());
    }
    // In the place of the format's own picture: the export fails and names it.
    const QString own = BackgroundPicturePath("发票样例");
    QFile::remove(own);
    test::FifoInTheWay fifo(own);
    test::ScriptedAnswers answers;
    answers << out + "/发票样例.vfm";
    ExportFormatFile("发票样例");
    EXPECT_EQ(answers.lastMessage(), "格式：“发票样例”导出失败：底图“" + out +
                                         "/发票样例.jpg”没有写成（无法读取“" + own + "”：" + pipe +
                                         "）！");
    EXPECT_TRUE(QDir(out).isEmpty(QDir::Files | QDir::Hidden | QDir::System));
    EXPECT_FALSE(fifo.released());
}

TEST_F(FormatFile, AFileWhoseNameIsNoUtf8IsNamedByItsBytes) {
    QDir(folder_.path()).mkpath("in");
    const QByteArray bytes =
        QFile::encodeName(folder_.file("in/")) + "单据\xb7\xa2.vfm";  // the last two bytes GBK
    FILE* f = std::fopen(bytes.constData(), "wb");
    ASSERT_NE(f, nullptr);
    const QByteArray sample = test::SampleFormatFile();
    std::fwrite(sample.constData(), 1, size_t(sample.size()), f);
    std::fclose(f);
    const int before = Count("Fmt", "1", {});
    // The file dialog and a download hand the name over as Qt decodes it.
    const QString given = QFile::decodeName(bytes);
    for (bool viaDialog : {false, true}) {
        test::ScriptedAnswers answers;
        if (viaDialog) answers << given;
        EXPECT_FALSE(ImportFormatFile(viaDialog ? QString() : given));
        EXPECT_EQ(answers.messages(),
                  QStringList{"无法读取格式文件“" + folder_.file("in/") +
                              "单据\\xB7\\xA2.vfm”：文件名不是UTF-8编码，请先改名！"});
    }
    EXPECT_EQ(Count("Fmt", "1", {}), before);
    ::unlink(bytes.constData());
}
