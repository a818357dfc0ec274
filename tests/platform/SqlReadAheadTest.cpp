// Queries read ahead on threads of their own: the rows arrive in the parts' order, whole,
// whatever the batches; a walk stopped early ends its threads; a failing query says so; an
// open transaction's rows are read where they are visible.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/SqlEngine.h"
#include "platform/SqlReadAhead.h"

namespace bw::sql {
namespace {

class ReadAhead : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        db = Connection::Open(dir.filePath("t.db"), true);
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->Exec("CREATE TABLE t(n INTEGER, s TEXT)"));
        ASSERT_TRUE(db->Begin());
        for (int i = 0; i < 5000; ++i)
            ASSERT_TRUE(
                db->Exec("INSERT INTO t VALUES(?, ?)",
                         {i % 7 == 0 ? QVariant() : QVariant(i),
                          i % 11 == 0 ? QVariant() : QVariant(QStringLiteral("第%1行").arg(i))}));
        ASSERT_TRUE(db->Commit());
    }
    // "n|s" of every row handed over.
    static QStringList Walk(QueryAhead& q, bool* ok = nullptr, int most = -1) {
        QStringList rows;
        const bool done = q.ForEach([&](const BatchRow& r) {
            rows << QString::number(r.Int64(0)) + u'|' + r.Text(1);
            return most < 0 || rows.size() < most;
        });
        if (ok) *ok = done;
        return rows;
    }
    QStringList Expected(const QString& where) {
        QStringList rows;
        db->ForEach("SELECT n, s FROM t WHERE " + where + " ORDER BY rowid", {},
                    [&](const RowView& r) {
                        rows << QString::number(r.Int64(0)) + u'|' + r.Text(1);
                        return true;
                    });
        return rows;
    }
    QTemporaryDir dir;
    std::shared_ptr<Connection> db;
};

TEST_F(ReadAhead, PartsArriveWholeAndInOrder) {
    const QString sql = "SELECT n, s FROM t WHERE %1 ORDER BY rowid";
    for (int round = 0; round < 3; ++round) {  // the handles are lent again
        QueryAhead q(
            db, {{sql.arg("n>=?"), {2500}}, {sql.arg("n<?"), {2500}}, {sql.arg("n IS NULL"), {}}});
        EXPECT_EQ(q.Threads(), 3);
        bool ok = false;
        EXPECT_EQ(Walk(q, &ok), Expected("n>=2500") + Expected("n<2500") + Expected("n IS NULL"));
        EXPECT_TRUE(ok);
    }
}

// A row read ahead reads as the row of the statement itself: values shaped by their declared
// types, texts, integers and keys alike.
TEST_F(ReadAhead, ARowReadsAsTheStatementsOwnRow) {
    ASSERT_TRUE(db->Exec("CREATE TABLE k(d DATE, b BOOLEAN, r REAL, x BLOB, t TEXT, i INTEGER)"));
    const QVariantList values[] = {
        {"2013-01-05", "true", 7.9, QByteArray("\x01\x00z", 3), " -12abc", 3},
        {"2013/12/31 07:08:09", 0, -2.5e20, QVariant(), "", QVariant()},
        {"abcd", "x", 0.1 + 0.2, QByteArray(), "第1行", -7}};
    for (const QVariantList& v : values)
        ASSERT_TRUE(db->Exec("INSERT INTO k VALUES(?, ?, ?, ?, ?, ?)", v));
    const QString sql = "SELECT * FROM k ORDER BY rowid";
    auto read = [](const auto& r) {
        QStringList out;
        std::string key;
        for (int c = 0; c < r.Columns(); ++c) {
            // In this order: reading a statement's value as text changes its kind.
            r.Key(c, key);
            const QVariant v = r.Value(c);
            const QString text = r.Text(c);
            out << v.toString() + u'|' + v.typeName() + u'|' + text + u'|' +
                       QString::number(r.Int64(c)) + u'|' +
                       QString::fromLatin1(QByteArray::fromStdString(key).toHex());
        }
        out << QString::number(r.ColumnIndex("T")) + QString::number(r.ColumnIndex("none"));
        return out.join(u'/');
    };
    QStringList direct, ahead;
    db->ForEach(sql, {}, [&](const RowView& r) {
        direct << read(r);
        return true;
    });
    QueryAhead q(db, {{sql, {}}});
    ASSERT_TRUE(q.ForEach([&](const BatchRow& r) {
        ahead << read(r);
        return true;
    }));
    EXPECT_EQ(ahead, direct);
    EXPECT_EQ(direct.size(), 3);
}

TEST_F(ReadAhead, AStoppedWalkEndsItsThreadsAndAFailedQuerySaysSo) {
    {
        QueryAhead q(db, {{"SELECT n, s FROM t", {}}, {"SELECT n, s FROM t", {}}});
        EXPECT_EQ(Walk(q, nullptr, 10).size(), 10);
    }                                                    // joins the threads still reading
    QueryAhead never(db, {{"SELECT n, s FROM t", {}}});  // never walked
    QueryAhead bad(db, {{"SELECT n, s FROM t", {}}, {"SELECT nothing FROM t", {}}});
    bool ok = true;
    EXPECT_EQ(Walk(bad, &ok).size(), 5000);
    EXPECT_FALSE(ok);
}

TEST_F(ReadAhead, RowsOfAnOpenTransactionAreReadWhereTheyAreSeen) {
    ASSERT_TRUE(db->Begin());
    ASSERT_TRUE(db->Exec("DELETE FROM t WHERE n>10"));
    QueryAhead q(db, {{"SELECT n, s FROM t WHERE n>=5", {}}, {"SELECT n, s FROM t WHERE n<5", {}}});
    EXPECT_EQ(q.Threads(), 0);
    EXPECT_EQ(Walk(q), Expected("n>=5") + Expected("n<5"));
    ASSERT_TRUE(db->Rollback());
}

}  // namespace
}  // namespace bw::sql
