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
    // Texts and reals read as whole numbers the way SQLite reads them.
    QueryAhead q(db, {{"SELECT ' -12abc', 7.9, 'x', NULL, 3", {}}});
    ASSERT_TRUE(q.ForEach([](const BatchRow& r) {
        EXPECT_EQ(r.Int64(0), -12);
        EXPECT_EQ(r.Int64(1), 7);
        EXPECT_EQ(r.Int64(2), 0);
        EXPECT_EQ(r.Int64(3), 0);
        EXPECT_EQ(r.Text(3), "");
        EXPECT_EQ(r.Text(4), "3");
        return true;
    }));
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
