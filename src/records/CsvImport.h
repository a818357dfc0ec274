#pragma once
// The CSV side of the batch import: a comma-separated file read into the batch grid by the
// column specs of the mapping dialog, and the sample of the file that the dialog shows.
//
// Lines are the file's logical lines (a quoted field may span physical lines), numbered
// from 1. A record is 1 to maxLines consecutive lines; with a key column, a record ends
// early at the first line whose key field differs from its first line's.

#include <QList>
#include <QString>
#include <QStringList>
#include <climits>

class QWidget;

namespace bw {

class Grid;
struct ColumnSpecs;

// The fields of each logical line; element 0 is line 1.
using CsvLines = QList<QStringList>;

// True when the file name ends in the extension (".csv", ".xls"), whatever its case.
bool HasExtension(const QString& file, const QString& extension);

// Reads lines `first` to `last` of a ".csv" file (all of them by default; line breaks inside
// quoted fields become the line-break mark), and no further: element 0 is line `first`.
// False, with the list left empty, for another name or a file that cannot be read. At a
// field too long to be one (kMaxCsvFieldBytes: a quote that never ends) reading stops:
// false, the lines before it kept, and `why` (when given) says at which line it begins.
bool ReadCsvLines(const QString& file, CsvLines* lines, int first = 1, int last = INT_MAX,
                  QString* why = nullptr);

// The number of lines of the record that starts at line `first` (1-based): maxLines, or
// fewer when the key field (column `keyColumn`, from 1; 0 = none) changes or the lines end
// first; 0 when `first` is past the last line.
int RecordLineCount(const CsvLines& lines, int first, int maxLines, int keyColumn);

// Reads lines startLine..endLine into the batch grid, one grid row per record, each box's
// value made by its spec (FillBatchGrid: blank records are passed over); the file is read up
// to endLine only. endLine past the file is lowered to the last line, a startLine below 1
// raised to 1. A name not ending in ".csv", rows per record below 1, a file that cannot be
// read or a field too long on the way (ReadCsvLines says where) show "CSV文件导入错误！"
// with the cause, lines that hold no record (an empty file, a header alone) say
// there is nothing to import; both leave the grid as it was (false). `form` gives the font
// the column widths are fitted in.
bool ReadCsvData(Grid& grid, const QString& file, int& startLine, int& endLine,
                 const ColumnSpecs& specs, int maxLines, int keyColumn, QWidget* form = nullptr);

// Puts the first lines of a ".csv" file into rows 1.. and columns 1.. of the preview grid
// (field c - 1 into column c); a line without fields leaves its row empty, and so do the
// lines from one with a field too long on.
void ReadCsvPreview(Grid& grid, const QString& file);

}  // namespace bw
