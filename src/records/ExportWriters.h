#pragma once
// The workbook writer behind the grid export: a table of texts to a one-sheet Excel workbook,
// written as "<path>.TMP" first and put in the place of `path` only once it is complete, so
// that a failed export leaves an existing file as it was. (The CSV file is written by
// platform/CsvCodec.)

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>

namespace bw {

// A sheet of texts as the export hands it on.
struct GridSheet {
    QString name;  // the sheet's name (the workbook only)
    // The texts: the cell at a row and a column (from 0) of rowCount × columnCount, read
    // where they are (they must stay in place while the file is written).
    int rowCount = 0, columnCount = 0;
    std::function<QStringView(int row, int column)> text;
    QString textSuffix;       // stored after every non-empty text
    QList<int> columnWidths;  // by column, in characters; -1 = the default (the workbook)
    QList<int> headerRows;    // indices of the rows drawn bold on the header colour
};

// Writes the sheet as an .xls workbook: text cells, the column widths, the header rows bold
// on the fill colour RGB(255, 192, 128), thin borders over the used range. True only when
// the whole file is in place.
bool WriteGridWorkbook(const QString& path, const GridSheet& sheet);

}  // namespace bw
