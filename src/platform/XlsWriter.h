#pragma once
// Writes a one-sheet Excel 97-2003 workbook (.xls, BIFF8) of texts: the grid export's
// workbook. Every cell holds text (never a number or a formula), in the sheet's used range
// every cell has thin black borders, and header rows are bold on a light orange fill
// (RGB 255,192,128; the colour takes palette entry 47 of the file).

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>

namespace bw {

struct XlsSheetContent {
    // The sheet's name. Excel allows 31 characters without []:*?/\ ; longer names are cut
    // and those characters become "_". An empty name becomes "Sheet1".
    QString name;
    // The texts by row, then by column, from A1 on. An empty text leaves its cell empty
    // (bordered, no text). Texts are stored as they are (at most 32767 characters each,
    // Excel's limit; a longer one is cut). Rows may have different lengths; the used range
    // is every row by the longest row.
    QList<QStringList> rows;
    // Or the texts read where they are, when `text` is set (then `rows` is not read): the
    // cell at a row and a column (from 0) of `rowCount` × `columnCount`. The texts must stay
    // in place until the workbook is built.
    struct Cells {
        int rowCount = 0, columnCount = 0;
        std::function<QStringView(int row, int column)> text;
    } cells;
    // Appended to every non-empty text as it is stored (the cut above applies to the whole).
    QString textSuffix;
    // Column widths in Excel's unit (characters of the standard font), by column from A.
    // A negative width leaves the default; 0 hides the column; above 255 counts as 255.
    QList<int> columnWidths;
    // Indices (from 0) of the rows drawn as headers: bold, on the fill colour, over the
    // used range's columns.
    QList<int> headerRows;
};

// The workbook stream ("Workbook") of the sheet. Empty when the sheet does not fit an
// .xls sheet (more than 65536 rows or 256 columns).
QByteArray BuildXlsWorkbook(const XlsSheetContent& sheet);

// The same stream handed to `write` in pieces, in order, as it is built (a piece is valid
// during the call only), so that the whole stream is never held at once. False when the
// sheet does not fit (nothing is handed on) or `write` returned false.
bool BuildXlsWorkbook(const XlsSheetContent& sheet,
                      const std::function<bool(QByteArrayView piece)>& write);

// Writes the workbook to "<path>.TMP" and renames it over `path`. True only when the
// whole file was written and is in place; on failure the target is left as it was.
bool WriteXlsFile(const QString& path, const XlsSheetContent& sheet);

// The colour of header rows, as red, green, blue.
constexpr int kXlsHeaderRed = 255, kXlsHeaderGreen = 192, kXlsHeaderBlue = 128;

}  // namespace bw
