#pragma once
// Reads Excel 97-2003 workbooks (.xls): the sheets in workbook order and the values of
// worksheet cells, the way the batch import, the worksheet choice and the import preview
// read them. Reads BIFF8 (stream "Workbook") and BIFF5/7 (stream "Book", whose byte
// strings are in the workbook's code page, GBK for 936).
//
// The whole workbook is read once, by open(), and cells are answered from memory. A damaged
// or hostile file (cut short, looping sector chains, lying counts, records running past
// their stream) fails open() with bounded memory and time.
//
// Error numbers, as the callers tell them apart:
//   5    the file cannot be opened or read, or it is damaged
//   438  the file is no .xls workbook (no compound file, no workbook stream, another
//        format or an older BIFF version)
//   9    no worksheet has the name
//   1004 a row or column outside the sheet (rows 1-65536, columns 1-256)
// (11, division by zero, belongs to the callers' own record arithmetic.)
//
// Typical use, by the batch import:
//   XlsWorkbook book;
//   if (int err = book.open(path)) { report err; }
//   int sheet = book.worksheetIndex(name);          // -1: error 9
//   QString text; book.cellText(sheet, row, col, &text);   // rows and columns from 1

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "platform/XlsValue.h"

namespace bw {

enum XlsError : int {
    kXlsOk = 0,
    kXlsCannotOpen = 5,
    kXlsNoSuchSheet = 9,
    kXlsWrongType = 438,
    kXlsOutOfRange = 1004,
};

class XlsWorkbook {
public:
    // Reads the workbook at `path`; 0 or an error number (5, 438). A workbook that was
    // open before is dropped first.
    int open(const QString& path);

    // Every sheet's name in workbook order: worksheets, chart sheets and macro sheets.
    QStringList sheetNames() const;

    // The index of the worksheet named `name` (compared without regard to case, as Excel
    // does), or -1 when no worksheet bears it (chart sheets are no worksheets).
    int worksheetIndex(const QString& name) const;

    // The value of the cell at `row`, `col` (both from 1) of worksheet `sheet`; 0, or 9
    // for a bad sheet index, or 1004 for a row or column outside the sheet. An empty cell,
    // and every cell of a merged area but its top-left one, gives an Empty value.
    int cell(int sheet, int row, int col, XlsValue* out) const;

    // The text of that cell (XlsValueText with the workbook's date system).
    int cellText(int sheet, int row, int col, QString* out) const;

    // The workbook counts dates from 1904 (its DATEMODE record).
    bool date1904() const { return date1904_; }
    // 8 for BIFF8, 5 for BIFF5/7; 0 before a successful open().
    int biffVersion() const { return biff_; }

    struct Cell {
        std::uint32_t key;  // row << 8 | column, both from 0
        XlsValue::Kind kind;
        std::uint32_t string;  // Text: index into strings_
        double number;
    };
    struct Sheet {
        QString name;
        int type = 0;             // 0 worksheet, 1 macro sheet, 2 chart sheet
        std::vector<Cell> cells;  // sorted by key, one per key
    };

private:
    friend class XlsParser;
    std::vector<Sheet> sheets_;
    std::vector<QString> strings_;
    bool date1904_ = false;
    int biff_ = 0;
};

}  // namespace bw
