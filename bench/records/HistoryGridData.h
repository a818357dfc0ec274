// The history the history grid benchmark shows: 10,000 bills of a format of 10 text boxes,
// 100,000 rows of table 历史, and the SELECT the grid reads them with.

#pragma once

#include <QString>

#include "common/Database.h"
#include "common/Schema.h"

namespace bench {

inline const QString kHistoryFormat = QStringLiteral("十框");

// The history grid's query, with the format and the row limit bound.
inline const QString kHistorySelect =
    QStringLiteral("SELECT ID, CID, Con FROM 历史 WHERE Fmt=? ORDER BY ID DESC, rowid LIMIT ?");

// Writes the format and its 10,000 bills into the open database.
inline void MakeHistory() {
    using namespace bw;
    Transaction t;
    ExecuteSql(
        "INSERT INTO Fmt(Fmt, LBL, W, H, X, Y, Color, Mem) VALUES(?, ?, 297, 210, 10, 10, 15360, "
        "'')",
        {kHistoryFormat, kWholeFormatLabel});
    std::vector<qint64> cids;
    for (int i = 0; i < 10; ++i) {
        ExecuteSql(
            "INSERT INTO Fmt(Fmt, LBL, Dir, X, Y, W, H, fName, fSize, Clas) "
            "VALUES(?, ?, 1, ?, ?, 30, 6, '宋体', 9, 0)",
            {kHistoryFormat, QStringLiteral("栏目%1").arg(i), 5 + (i % 5) * 40, 5 + (i / 5) * 8});
        cids.push_back(ValueWhere("Fmt", "Fmt=? AND LBL=?", "ID",
                                  {kHistoryFormat, QStringLiteral("栏目%1").arg(i)})
                           .toLongLong());
    }
    for (int bill = 1; bill <= 10000; ++bill)
        for (size_t b = 0; b < cids.size(); ++b)
            ExecuteSql(
                "INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, ?, ?, ?)",
                {bill, kHistoryFormat, cids[b],
                 QStringLiteral("第%1张的第%2栏，金额%3").arg(bill).arg(b).arg(bill * 1.25)});
    t.Commit();
}

}  // namespace bench
