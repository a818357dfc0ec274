#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>

#include "TestSupport.h"
#include "common/Database.h"
#include "common/Schema.h"

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

TEST_F(DatabaseTest, NewDatabaseHasEveryTableAndTheOptionsRow) {
    for (const char* t : {"Fmt", "参数", "历史", "默认", "映射", "网站格式"})
        EXPECT_TRUE(TableExists(QString::fromUtf8(t))) << t;
    Recordset rs;
    ASSERT_TRUE(OpenRecordset(rs, "SELECT * FROM Fmt WHERE Fmt=?", {QString("")}));
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.FieldCount(), 24);
    for (const char* f :
         {"ID",          "Fmt",  "LBL",   "Dir",   "X",     "Y",      "W",       "H",
          "S",           "L",    "Color", "fName", "fSize", "fBold",  "fItalic", "fUnderline",
          "fStrikethru", "Clas", "Cash",  "RCtl",  "SumID", "SumID1", "RCtl1",   "Mem"})
        EXPECT_GE(rs.FieldIndex(f), 0) << f;
}

TEST_F(DatabaseTest, NamesAreComparedExactly) {
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
    EXPECT_EQ(answers.messages(), QStringList{"无法建立数据库连接！"});
    CloseDatabase();
}
