#pragma once
// The workbook side of the batch import: rows of one worksheet of an .xls file read into the
// batch grid by the column specs of the mapping dialog, the sample the dialog shows, the
// list of worksheets to choose from, and the messages of the workbook errors.
//
// Rows are the worksheet's own (1 = its first row). A record is 1 to maxLines rows; with a
// key column, a record ends early at the first row whose key cell differs, as a value,
// from the row above it. Cells read as the text of their value (XlsValueText).

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace bw {

class Grid;
struct ColumnSpecs;

// Error numbers of the workbook import: those of XlsWorkbook (5, 9, 438, 1004) and 11 for
// rows per record below 1; and -1 for rows that hold nothing to import.
inline constexpr int kImportDivisionByZero = 11;
inline constexpr int kImportNothingRead = -1;

// The message shown for an error number of the workbook import.
QString ExcelErrorMessage(int number);

// Reads rows startRow..endRow of worksheet `sheet` of the .xls file into the batch grid
// (FillBatchGrid: blank records, those of rows past the sheet's data too, are passed over);
// the row range is kept within 1 .. 65536, the rows a sheet can have. 0 when read; otherwise
// the grid is left as it was, a message is shown and the number returned: -1 when no row
// holds a record (the message says there is nothing to import); with the message of the
// number: 0 for a name not ending in ".xls", 11 for rows per record below 1, 5 or 438 for a
// file that cannot be read as a workbook, 9 for a worksheet it does not hold, 1004 for a
// spec or key column beyond the sheet's 256 columns. `form` gives the font the column widths
// are fitted in.
int ReadExcelData(Grid& grid, const QString& file, const QString& sheet, int& startRow, int& endRow,
                  const ColumnSpecs& specs, int maxLines, int keyColumn, QWidget* form = nullptr);

// Puts the cells of rows 1.. and columns 1.. of the worksheet into the same rows and columns
// of the preview grid, calling `rowDone` after each row. 0, or the error number (5, 438, 9)
// with the grid untouched; no message.
int ReadExcelPreview(Grid& grid, const QString& file, const QString& sheet,
                     const std::function<void()>& rowDone = {});

// The names of the workbook's worksheets in workbook order (chart and macro sheets are left
// out: no cells can be imported from them). 0, or the error number (5, 438).
int ListWorksheets(const QString& file, QStringList* names);

}  // namespace bw
