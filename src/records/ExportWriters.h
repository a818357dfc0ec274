#pragma once
// The file writers behind the grid export: a table of texts to a CSV file or to a one-sheet
// Excel workbook. Both write "<path>.TMP" first and put it in the place of `path` only once
// it is complete, so that a failed export leaves an existing file as it was.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace bw {

// A sheet of texts as the export hands it on.
struct GridSheet {
    QString name;             // the sheet's name (the workbook only)
    QList<QStringList> rows;  // the texts by row, then by column
    QList<int> columnWidths;  // by column, in characters; -1 = the default (the workbook)
    QList<int> headerRows;    // indices of the rows drawn bold on the header colour
};

// The CSV text of the rows in GBK: each cell followed by a TAB, every double quote doubled,
// a cell holding a comma, a double quote, CR or LF enclosed in double quotes; cells joined
// with ",", each row ended by CR LF.
QByteArray CsvExportText(const QList<QStringList>& rows);

// Writes CsvExportText of the rows to the file. True only when the whole file is in place.
bool WriteGridCsv(const QString& path, const QList<QStringList>& rows);

// Writes the sheet as an .xls workbook: text cells, the column widths, the header rows bold
// on the fill colour RGB(255, 192, 128), thin borders over the used range. True only when
// the whole file is in place.
bool WriteGridWorkbook(const QString& path, const GridSheet& sheet);

// Puts the finished file `temp` in the place of `path` (replacing it); false, with `temp`
// removed, when that fails.
bool ReplaceFileWith(const QString& temp, const QString& path);

}  // namespace bw
