#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <functional>
#include <vector>

#include "TestSupport.h"
#include "common/Database.h"
#include "common/Schema.h"
#include "platform/AppFolder.h"
#include "platform/SqlEngine.h"

using namespace bw;

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        CloseDatabase();
        ASSERT_TRUE(EnsureDatabase());
    }
    void TearDown() override { CloseDatabase(); }
    test::TempDataFolder folder_;
};

TEST_F(DatabaseTest, NewDatabaseHasTheOptionsRowAndNamesAreComparedExactly) {
    Recordset rs;
    ASSERT_TRUE(OpenRecordset(rs, "SELECT * FROM Fmt WHERE Fmt=?", {QString("")}));
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.FieldCount(), 24);
    EXPECT_TRUE(TableExists("Fmt"));
    EXPECT_FALSE(TableExists("fmt"));
    EXPECT_TRUE(FieldExists("Fmt", "SumID"));
    EXPECT_FALSE(FieldExists("Fmt", "sumid"));
    EXPECT_FALSE(FieldExists("NoSuchTable", "ID"));
    ExecuteSql("CREATE TABLE Empty(A INTEGER, B TEXT)");
    EXPECT_TRUE(FieldExists("Empty", "B"));  // an empty table still tells its fields
}

TEST_F(DatabaseTest, MissingRecordGivesEmptyTextAndNullStaysNull) {
    QVariant missing = ValueById("Fmt", 999999, "LBL");
    EXPECT_TRUE(missing.isValid());
    EXPECT_EQ(missing.toString(), "");
    ExecuteSql("INSERT INTO 参数(Var, Con) VALUES(?, NULL)", {QString("空值")});
    QVariant v = ValueWhere("参数", "Var=?", "Con", {QString("空值")});
    EXPECT_TRUE(v.isNull());
    ExecuteSql("INSERT INTO 参数(Var, Con) VALUES(?, ?)", {QString("空串"), QString("")});
    QVariant e = ValueWhere("参数", "Var=?", "Con", {QString("空串")});
    EXPECT_FALSE(e.isNull());
    EXPECT_EQ(e.toString(), "");
}

TEST_F(DatabaseTest, BoundNamesTouchOnlyTheirOwnRows) {
    const QStringList names{"x' OR '1'='1", "票_1", "票%", "票A1", "a\\b"};
    for (const QString& n : names)
        ExecuteSql("INSERT INTO 默认(Fmt, ID, Con) VALUES(?, 1, ?)", {n, n});
    for (const QString& n : names) EXPECT_EQ(ValueWhere("默认", "Fmt=?", "Con", {n}).toString(), n);
    // A LIKE prefix match treats "_" and "%" in the name as plain characters.
    Recordset rs;
    OpenRecordset(rs, "SELECT * FROM 默认 WHERE Fmt LIKE ? ESCAPE '\\'",
                  {LikeLiteral("票_") + "%"});
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Text("Fmt"), "票_1");
    ExecuteSql("DELETE FROM 默认 WHERE Fmt=?", {QString("x' OR '1'='1")});
    OpenRecordset(rs, "SELECT * FROM 默认");
    EXPECT_EQ(rs.RecordCount(), names.size() - 1);
}

TEST_F(DatabaseTest, RecordsetAddsAndChangesRecords) {
    Recordset rs;
    ASSERT_TRUE(OpenRecordset(rs, "SELECT * FROM Fmt WHERE Fmt=?", {QString("进账单")}));
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_TRUE(rs.Eof());
    rs.AddNew();
    rs.SetValue("Fmt", QString("进账单"));
    rs.SetValue("LBL", QString("收款人"));
    rs.SetValue("X", 20.5);
    rs.SetValue("fBold", true);
    ASSERT_TRUE(rs.Update());
    const qint64 id = rs.Value("ID").toLongLong();
    EXPECT_GT(id, 1);
    EXPECT_EQ(rs.LastInsertId(), id);
    EXPECT_DOUBLE_EQ(rs.Number("Cash"), 0.0);  // the table's default shows at once

    OpenRecordset(rs, "SELECT * FROM Fmt WHERE ID=?", {id});
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Field(rs.FieldIndex("X")).type, sql::FieldType::Double);
    EXPECT_EQ(rs.Field(rs.FieldIndex("fBold")).type, sql::FieldType::Boolean);
    EXPECT_EQ(rs.Value("fBold").typeId(), QMetaType::Bool);
    EXPECT_TRUE(rs.Value("fBold").toBool());
    rs.SetValue("LBL", QString("付款人"));
    ASSERT_TRUE(rs.Update());
    EXPECT_EQ(ValueById("Fmt", id, "LBL").toString(), "付款人");

    // A grouped result cannot be changed.
    OpenRecordset(rs, "SELECT Fmt FROM Fmt GROUP BY Fmt");
    EXPECT_FALSE(rs.Updatable());
}

TEST_F(DatabaseTest, FailingStatementReportsAndChangesNothing) {
    EXPECT_FALSE(ExecuteSql("INSERT INTO NoSuchTable VALUES(1)"));
    EXPECT_FALSE(ExecuteSql("THIS IS NOT SQL"));
    Recordset rs;
    EXPECT_FALSE(OpenRecordset(rs, "SELECT * FROM NoSuchTable"));
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_TRUE(rs.Eof());
}

TEST_F(DatabaseTest, TransactionIsAllOrNothing) {
    {
        Transaction t;
        ExecuteSql("INSERT INTO 参数(Var, Con) VALUES('a', '1')");
        ExecuteSql("INSERT INTO 参数(Var, Con) VALUES('b', '2')");
        // no Commit: rolled back
    }
    EXPECT_EQ(ValueWhere("参数", "Var='a'", "Con").toString(), "");
    {
        Transaction t;
        ExecuteSql("INSERT INTO 参数(Var, Con) VALUES('a', '1')");
        {
            Transaction inner;
            ExecuteSql("INSERT INTO 参数(Var, Con) VALUES('b', '2')");
            EXPECT_TRUE(inner.Commit());
        }
        EXPECT_TRUE(t.Commit());
    }
    EXPECT_EQ(ValueWhere("参数", "Var='b'", "Con").toString(), "2");
    {
        Transaction t;
        ExecuteSql("INSERT INTO 参数(Var, Con) VALUES('c', '3')");
        { Transaction inner; }  // an inner failure spoils the whole
        EXPECT_FALSE(t.Commit());
    }
    EXPECT_EQ(ValueWhere("参数", "Var='c'", "Con").toString(), "");
}

TEST_F(DatabaseTest, DistinctListSkipsEmptyValues) {
    for (const char* n : {"b", "a", "", "b"})
        ExecuteSql("INSERT INTO Fmt(Fmt) VALUES(?)", {QString(n)});
    ExecuteSql("INSERT INTO Fmt(Fmt) VALUES(NULL)");
    QComboBox box;
    box.addItem("old");
    FillComboDistinct(&box, "Fmt");
    ASSERT_EQ(box.count(), 2);
    EXPECT_EQ(box.itemText(0), "a");
    EXPECT_EQ(box.itemText(1), "b");
}

TEST(DatabaseOpen, UnreadableFileShowsTheMessageOnce) {
    test::TempDataFolder folder;
    CloseDatabase();
    QFile f(folder.file("DATA.db"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    test::ScriptedAnswers answers;
    EXPECT_FALSE(ExecuteSql("SELECT 1"));
    EXPECT_EQ(ValueById("Fmt", 1, "LBL").toString(), "");
    EXPECT_EQ(answers.messages(), QStringList{"无法建立数据库连接（数据文件已损坏）！"});
    EXPECT_EQ(LastDatabaseError(), "数据文件已损坏");
    CloseDatabase();
}

// ---- The start-up check of the data file ---------------------------------------------------

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A data file with a format row and a history long enough to span many pages.
void MakeDataFile(const QString& path) {
    ASSERT_TRUE(CreateDatabase(path));
    auto c = sql::Connection::Open(path, false);
    ASSERT_TRUE(c);
    ASSERT_TRUE(c->Exec("INSERT INTO Fmt(Fmt, LBL) VALUES('进账单', '户名')"));
    ASSERT_TRUE(c->Begin());
    for (int i = 0; i < 2000; ++i)
        c->Exec("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, '进账单', 2, ?)",
                {i, QString(20, u'值')});
    ASSERT_TRUE(c->Commit());
}

void ZeroPage(const QString& path, int page) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.seek(qint64(page - 1) * 4096));
    f.write(QByteArray(4096, '\0'));
}

QStringList copiesBeside(const QString& folder) {
    return QDir(folder).entryList({"DATA.damaged-*.db"}, QDir::Files);
}

}  // namespace

TEST(DataFileCheck, EachDamageIsFoundKeptAsideAndToldOnce) {
    struct Case {
        const char* name;
        std::function<void(const QString& path)> damage;
        DataFileState state;
        const char* said;  // part of the one message; "" when none is shown
    };
    const std::vector<Case> cases = {
        {"whole", [](const QString&) {}, DataFileState::Ready, ""},
        {"no file", [](const QString& p) { QFile::remove(p); }, DataFileState::Created, ""},
        {"zero bytes", [](const QString& p) { QFile(p).resize(0); }, DataFileState::Created, ""},
        {"a page of the history zeroed", [](const QString& p) { ZeroPage(p, 12); },
         DataFileState::Damaged, "已损坏"},
        {"the first page zeroed", [](const QString& p) { ZeroPage(p, 1); }, DataFileState::Damaged,
         "已损坏"},
        {"history dropped",
         [](const QString& p) { sql::Connection::Open(p, false)->Exec("DROP TABLE 历史"); },
         DataFileState::Repaired, "缺少表：历史，已重新建立"},
        {"formats dropped",
         [](const QString& p) { sql::Connection::Open(p, false)->Exec("DROP TABLE Fmt"); },
         DataFileState::Repaired, "缺少表：Fmt，已重新建立"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDataFolder folder;
        CloseDatabase();
        const QString path = DatabasePath();
        MakeDataFile(path);
        c.damage(path);
        const QByteArray damaged = fileBytes(path);
        test::ScriptedAnswers answers;
        EXPECT_EQ(CheckDataFile(), c.state);
        const QStringList copies = copiesBeside(folder.path());
        if (QString(c.said).isEmpty()) {
            EXPECT_EQ(answers.messages(), QStringList{});
            EXPECT_EQ(copies, QStringList{});
        } else {
            // The copy is the file as it was found, and the message names both.
            ASSERT_EQ(answers.messages().size(), 1);
            ASSERT_EQ(copies.size(), 1);
            const QString copy = folder.file(copies[0]);
            EXPECT_EQ(fileBytes(copy), damaged);
            EXPECT_TRUE(answers.lastMessage().contains(c.said))
                << answers.lastMessage().toStdString();
            EXPECT_TRUE(answers.lastMessage().contains("“" + path + "”"));
            EXPECT_TRUE(answers.lastMessage().contains("“" + copy + "”"));
        }
        if (c.state == DataFileState::Damaged) {
            EXPECT_EQ(fileBytes(path), damaged);
        } else {
            for (const char* t : {"Fmt", "参数", "历史", "默认", "映射", "网站格式"})
                EXPECT_TRUE(TableExists(QString::fromUtf8(t))) << t;
            EXPECT_EQ(CheckDataFile(), DataFileState::Ready);
        }
        if (QString(c.name) == "history dropped") {
            EXPECT_EQ(ValueWhere("Fmt", "Fmt=?", "LBL", {"进账单"}).toString(), "户名");
        }
        EXPECT_EQ(QDir(folder.path()).entryList({"*.TMP", "*.part"}, QDir::Files | QDir::Hidden),
                  QStringList{});
        CloseDatabase();
    }
}

TEST(DataFileCheck, ADataFileThatCannotBeMadeIsToldAndLeavesNothing) {
    // Nobody, not even root, may make files in /proc.
    const QString previous = AppPath();
    SetAppPath("/proc/self");
    CloseDatabase();
    test::ScriptedAnswers answers;
    EXPECT_EQ(CheckDataFile(), DataFileState::Unusable);
    EXPECT_TRUE(answers.lastMessage().startsWith("无法建立数据文件“/proc/self/DATA.db”"))
        << answers.lastMessage().toStdString();
    SetAppPath(previous);
}
