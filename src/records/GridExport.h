#pragma once
// Export of a grid's visible cells to a file the user names: a CSV file or an Excel
// workbook. Rows of height 0 and columns of width 0 (hidden keys, bill numbers) never leave
// the program; visible fixed rows are exported, as headers in the workbook.

#include <QList>
#include <QString>
#include <QStringList>

namespace bw {

class Grid;
struct GridSheet;

// The texts of the visible rows and columns, top to bottom, left to right.
QList<QStringList> VisibleGridCells(const Grid& grid);

// The workbook sheet of the grid, reading the grid's cells in place (the grid must outlive
// it): the visible cells (stored with a TAB after a non-empty text, as the import
// expects: the sheet's text suffix), the widths of the visible columns taken from the grid
// (twips / 123, in whole characters) and the visible fixed rows as header rows.
GridSheet GridWorkbookSheet(const Grid& grid, const QString& sheetName);

// Asks for the file (CSV or Excel) and writes the grid to it. A grid without rows or
// columns: "表格中没有数据！" and false; one whose rows could not be read (GridReadFailure):
// told with the cause, false, no file asked for. A cancelled dialog: true, nothing written. An
// existing file is replaced only after "该文件已存在，是否覆盖？" is answered Yes (No:
// false) and only when it can be replaced ("该文件无法覆盖，…" and false otherwise). A name
// ending in "csv" (any case) gets the CSV writer, whose result is returned; any other name
// the workbook writer, whose failure it reports itself.
bool ExportGrid(Grid& grid, const QString& sheetName);

// Writes the visible cells as CSV (ExportWriters.h); an existing file is replaced only by a
// whole new one. On failure (a full disk) shows "文件保存出错！", as the workbook writer
// does, and returns false.
bool ExportGridToCsv(const Grid& grid, const QString& path);

// Writes the grid as a workbook with one sheet of that name; on failure shows
// "文件保存出错！" and returns false.
bool ExportGridToXls(const Grid& grid, const QString& path, const QString& sheetName);

}  // namespace bw
