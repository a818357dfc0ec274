// Statements kept prepared by the connection: values bound afresh on every run, schema
// changes between runs, a statement used again while it still runs, failures and texts of
// several statements.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDateTime>
#include <QTemporaryDir>

#include "platform/SqlEngine.h"

namespace bw::sql {
namespace {

class Sql : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        db = Connection::Open(dir.filePath("t.db"), true);
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->Exec("CREATE TABLE t(a INTEGER PRIMARY KEY, b TEXT NOT NULL DEFAULT '')"));
    }
    QTemporaryDir dir;
    std::shared_ptr<Connection> db;
};

// Date columns read their stored texts as the Qt date parser reads them in the accepted
// forms (first match wins), texts in no such form staying text; the same text read twice
// reads the same.
TEST_F(Sql, DateTextsReadAsTheDateParserReadsThem) {
    ASSERT_TRUE(db->Exec("CREATE TABLE d(i INTEGER PRIMARY KEY, v DATE)"));
    const QStringList texts = {"2013-01-05",
                               "2013-01-05 08:30:00",
                               "2013-01-05T08:30:09",
                               "2013-01-05 23:59",
                               "2013/12/31",
                               "2013/12/31 07:08:09",
                               "2013.02.28",
                               "2012-02-29",
                               "2013-02-29",
                               "2013-13-01",
                               "2013-1-5",
                               "2013-01-05 24:00:00",
                               "2013/01/05 08:30",
                               "2013.01.05 08:30:00",
                               "2013-01-05T08:30",
                               "0000-01-01",
                               "abcd-ef-gh",
                               "2013-01-05x",
                               "",
                               "２０１３-01-05",
                               "2013-01-05",
                               "2013-01-05 08:30:61"};
    for (int i = 0; i < texts.size(); ++i)
        ASSERT_TRUE(db->Exec("INSERT INTO d(i, v) VALUES(?, ?)", {i, texts[i]}));
    const char* formats[] = {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd HH:mm",
                             "yyyy-MM-dd",          "yyyy/MM/dd HH:mm:ss", "yyyy/MM/dd",
                             "yyyy.MM.dd"};
    for (int pass = 0; pass < 2; ++pass) {
        Recordset rs = db->Query("SELECT v FROM d ORDER BY i");
        ASSERT_EQ(rs.RecordCount(), texts.size());
        for (int i = 0; !rs.Eof(); rs.MoveNext(), ++i) {
            QDateTime want;
            for (const char* f : formats)
                if (want = QDateTime::fromString(texts[i], QLatin1String(f)); want.isValid()) break;
            const QVariant got = rs.Value(0);
            if (want.isValid()) {
                EXPECT_EQ(got.typeId(), QMetaType::QDateTime) << texts[i].toStdString();
                EXPECT_EQ(got.toDateTime(), want) << texts[i].toStdString();
            } else {
                EXPECT_EQ(got.typeId(), QMetaType::QString) << texts[i].toStdString();
                EXPECT_EQ(got.toString(), texts[i]);
            }
        }
    }
}

// Stored texts, well formed or not (a broken or cut sequence, a leading BOM, a NUL inside),
// read as QString::fromUtf8 reads their bytes, by a result and by a walk alike, and one after
// another: a broken text leaves nothing behind for the next.
TEST_F(Sql, TextsReadAsTheirUtf8Bytes) {
    const QList<QByteArray> bytes = {"plain",
                                     "第12张的第3栏，金额15.00",
                                     "\xEF\xBB\xBF带BOM",
                                     "cut \xE4\xB8",
                                     "bad \xFF\xFE here",
                                     QByteArray("nul\0inside", 10),
                                     "\xE4",
                                     "after",
                                     "𝄞 surrogate pair",
                                     ""};
    sqlite3* h = db->Handle();
    for (int i = 0; i < bytes.size(); ++i) {
        sqlite3_stmt* st = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(h, "INSERT INTO t(a, b) VALUES(?, ?)", -1, &st, nullptr),
                  SQLITE_OK);
        sqlite3_bind_int(st, 1, i);
        sqlite3_bind_text(st, 2, bytes[i].constData(), static_cast<int>(bytes[i].size()),
                          SQLITE_TRANSIENT);
        ASSERT_EQ(sqlite3_step(st), SQLITE_DONE);
        sqlite3_finalize(st);
    }
    Recordset rs = db->Query("SELECT b FROM t ORDER BY a");
    ASSERT_EQ(rs.RecordCount(), bytes.size());
    QStringList walked;
    ASSERT_TRUE(db->ForEach("SELECT b FROM t ORDER BY a", {}, [&](const RowView& r) {
        walked << r.Text(0);
        return true;
    }));
    ASSERT_EQ(walked.size(), bytes.size());
    for (int i = 0; i < bytes.size(); ++i, rs.MoveNext()) {
        const QString want = QString::fromUtf8(bytes[i]);
        EXPECT_EQ(rs.Value(0).toString(), want) << i;
        EXPECT_EQ(walked[i], want) << i;
        EXPECT_FALSE(walked[i].isNull()) << i;
    }
}

TEST_F(Sql, RepeatedStatementsBindTheirOwnValues) {
    const QString insert = "INSERT INTO t(a, b) VALUES(?, ?)";
    const QString lookUp = "SELECT b FROM t WHERE a=?";
    struct Step {
        QVariantList values;
        bool ok;
    };
    const Step steps[] = {
        {{1, "one"}, true},   {{2, "two"}, true}, {{1, "again"}, false},  // the key is taken
        {{3}, false},  // a value left out is NULL, not the last run's "two"
        {{3, "three"}, true},
    };
    for (const Step& s : steps) {
        QString error;
        EXPECT_EQ(db->Exec(insert, s.values, &error), s.ok) << s.values[0].toInt();
        EXPECT_EQ(error.isEmpty(), s.ok) << error.toStdString();
    }
    for (int a : {1, 2, 3, 4}) {
        Recordset rs = db->Query(lookUp, {a});
        ASSERT_TRUE(rs.IsOpen());
        EXPECT_EQ(rs.RecordCount(), a == 4 ? 0 : 1);
        if (a == 1) {
            EXPECT_EQ(rs.Text("b"), "one");
        } else if (a == 3) {
            EXPECT_EQ(rs.Text("b"), "three");
        }
    }
}

TEST_F(Sql, KeptStatementsSeeSchemaChanges) {
    ASSERT_TRUE(db->Exec("INSERT INTO t(a, b) VALUES(1, 'x')"));
    const QString all = "SELECT * FROM t";
    EXPECT_EQ(db->Query(all).FieldCount(), 2);
    ASSERT_TRUE(db->Exec("ALTER TABLE t ADD COLUMN c TEXT DEFAULT 'new'"));
    Recordset rs = db->Query(all);
    ASSERT_EQ(rs.FieldCount(), 3);
    EXPECT_EQ(rs.Text("c"), "new");
    // The table can go and come back while its statements are kept.
    ASSERT_TRUE(db->Exec("DROP TABLE t"));
    EXPECT_FALSE(db->Query(all).IsOpen());
    ASSERT_TRUE(
        db->Exec("CREATE TABLE t(z REAL); INSERT INTO t VALUES(2.5); INSERT INTO t VALUES(3)"));
    rs = db->Query(all);
    ASSERT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(rs.Field(0).name, "z");
    EXPECT_DOUBLE_EQ(rs.Number("z"), 2.5);
}

// depth(n) runs "SELECT depth(n - 1)" through the same connection while the outer statement
// of the very same text is still stepping.
void Depth(sqlite3_context* context, int, sqlite3_value** args) {
    auto* db = static_cast<Connection*>(sqlite3_user_data(context));
    const int n = sqlite3_value_int(args[0]);
    if (n <= 0) {
        sqlite3_result_int(context, 0);
        return;
    }
    Recordset inner = db->Query("SELECT depth(?) AS d", {n - 1});
    sqlite3_result_int(context, inner.RecordCount() == 1 ? int(inner.Number("d")) + 1 : -100);
}

TEST_F(Sql, AStatementStillRunningIsNotHandedOutAgain) {
    ASSERT_EQ(sqlite3_create_function(db->Handle(), "depth", 1, SQLITE_UTF8, db.get(), Depth,
                                      nullptr, nullptr),
              SQLITE_OK);
    for (int n : {0, 1, 4, 2}) {
        Recordset rs = db->Query("SELECT depth(?) AS d", {n});
        ASSERT_EQ(rs.RecordCount(), 1) << rs.LastError().toStdString();
        EXPECT_EQ(rs.Number("d"), n);
    }
}

TEST_F(Sql, ManyDifferentStatementsAndTransactions) {
    // More texts than the connection keeps, each run twice, inside repeated transactions.
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(db->Begin());
        for (int i = 0; i < 80; ++i)
            ASSERT_TRUE(db->Exec(QString("INSERT INTO t(b) VALUES('%1:' || ?)").arg(i), {round}));
        ASSERT_TRUE(db->Commit());
    }
    Recordset rs = db->Query("SELECT count(*) AS n, count(DISTINCT b) AS d FROM t");
    EXPECT_EQ(rs.Number("n"), 160);
    EXPECT_EQ(rs.Number("d"), 160);
    // Blanks and a bad text fail without harm to what follows.
    EXPECT_FALSE(db->Exec("  "));
    QString error;
    EXPECT_FALSE(db->Exec("SELEC 1", {}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(db->Exec("DELETE FROM t WHERE a > ?", {100}));
    EXPECT_EQ(db->Changes(), 60);
}

TEST_F(Sql, ALongStatementTicksUntilTheTickerIsTakenAway) {
    const QString count =
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000) "
        "SELECT count(*) AS c FROM n";
    int ticks = 0;
    db->SetTicker([&] { ++ticks; });
    EXPECT_EQ(db->Query(count).Number("c"), 1000000);
    EXPECT_GT(ticks, 0);
    db->SetTicker({});
    const int before = ticks;
    EXPECT_EQ(db->Query(count).Number("c"), 1000000);
    EXPECT_EQ(ticks, before);
}

}  // namespace
}  // namespace bw::sql
