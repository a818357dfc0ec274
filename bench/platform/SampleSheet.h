#pragma once
// The sample table of the batch benchmarks: 30,000 rows of ten columns as a bank's batch
// import holds them (Chinese names, amounts, dates, quoted text, line breaks, empty cells),
// written once as a CSV file and as an .xls workbook.

#include <QList>
#include <QString>
#include <QStringList>

#include "platform/CsvCodec.h"
#include "platform/XlsWriter.h"

namespace bench {

constexpr int kSheetRows = 30000;
constexpr int kSheetCols = 10;

inline QList<QStringList> SampleTable() {
    QList<QStringList> t;
    for (int r = 0; r < kSheetRows; ++r) {
        QStringList row;
        row << QString::number(r + 1) << QStringLiteral("上海浦东发展银行%1支行").arg(r % 300)
            << QStringLiteral("%1.%2").arg(r * 37 % 100000).arg(r % 100, 2, 10, QChar(u'0'))
            << QStringLiteral("2024-%1-%2").arg(r % 12 + 1).arg(r % 28 + 1)
            << QStringLiteral("Account %1, \"main\"").arg(r) << QStringLiteral("备注\r\n第二行")
            << QStringLiteral("6222%1").arg(r * 7919LL % 1000000000000LL) << QStringLiteral("张三")
            << QString() << QStringLiteral("x");
        t << row;
    }
    return t;
}

// Writes the table to both files.
inline void WriteSampleFiles(const QString& csvPath, const QString& xlsPath) {
    const QList<QStringList> t = SampleTable();
    bw::WriteCsvFile(csvPath, t);
    bw::XlsSheetContent s;
    s.name = QStringLiteral("Sheet1");
    s.rows = t;
    bw::WriteXlsFile(xlsPath, s);
}

}  // namespace bench
