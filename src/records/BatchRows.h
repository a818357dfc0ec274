#pragma once
// The batch grid and the column specs that fill it.
//
// The batch grid (MF().MSF[1]) holds one row per imported record and one column per text,
// check and picture box of the format (text boxes, then check boxes, then picture boxes,
// each kind in index order). Row 0 (hidden) holds each column's box index, row 1 the box's
// caption, column 0 the record's serial number. A column 50 twips wide or narrower counts
// as not imported: its box keeps its own value.
//
// A column spec tells where a box's value comes from: parts separated by ",", each either a
// literal in double quotes (appended as it stands) or one or two column letters, optionally
// followed by "+k" for the k-th further line of the record (k = 0 being its first line).
// The value is the parts' concatenation.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "store/FormatBatch.h"  // BatchRecordCount

class QScrollBar;
class QWidget;

namespace bw {

class Grid;

// The narrowest column that still feeds its box, in twips.
inline constexpr int kBatchColumnMinWidth = 51;

// The specs of one import, indexed by box number within its kind: text[i] for text box i,
// check[k] for check box 1000 + k, picture[k] for picture box 2000 + k. Element 0 of each
// list holds nothing; the list of a kind without boxes has that element only.
struct ColumnSpecs {
    QStringList text{QString()};
    QStringList check{QString()};
    QStringList picture{QString()};
};

// The three kinds in grid-column order: element c is the column spec of the box of data column c
// (counting from 1); element 0 holds nothing.
QStringList MergeColumnSpecs(const ColumnSpecs& specs);

// From element 1 on: curly double quotes become plain ones, full-width commas ASCII commas;
// trimmed; then one leading and one trailing comma removed.
void NormalizeColumnSpecs(QStringList& specs);

// 1 -> "A", 26 -> "Z", 27 -> "AA", 702 -> "ZZ"; "" outside 1..702.
QString ColumnLetters(int n);

// "A" -> 1, " b " -> 2, "AA" -> 27, "ZZ" -> 702; any other one or two characters give at
// least 1 (a digit gives 1); the empty text and three or more characters give 0.
int ColumnNumber(const QString& letters);

// One part of a spec, ready to use.
struct SpecPart {
    bool literal = false;
    QString text;    // literal: the text between the quotes
    int column = 0;  // reference: ColumnNumber of the letters (0: no column)
    int line = 0;    // reference: k of "+k", rounded half to even
};
using SpecParts = std::vector<SpecPart>;

// The parts of a spec (split on ","; CR and LF removed and each part trimmed). An empty
// spec has no parts.
SpecParts ParseColumnSpec(const QString& spec);

// The parts of the merged, normalised specs: element c for data column c (element 0 holds
// nothing).
std::vector<SpecParts> BatchSpecParts(const ColumnSpecs& specs);

// The value of one box for the record that starts at line `first` and spans `lines` lines:
// literals appended; a reference to line first + k reads cell(first + k, column), and ends
// the box's parts when k >= lines or first + k > lastLine. Every LF of the result becomes
// the line-break mark, and one trailing TAB (the export's end of cell) is removed.
// `readText` (when given) is set when a cell read holds more than white space.
QString ComposeBatchValue(const SpecParts& parts, int first, int lines, int lastLine,
                          const std::function<QString(int line, int column)>& cell,
                          bool* readText = nullptr);

// Where the records of an import come from: the number of lines of the record that starts
// at a line (at least 1), and the text of a cell.
struct BatchSource {
    std::function<int(qint64 line)> lines;
    std::function<QString(int line, int column)> cell;
};

// Reads the records from line `first` to `last` into the batch grid, laid out for `specs`,
// one row each: a record starts at `first`, the next right after it, until one starts past
// `last`. A record whose cells read by the specs hold nothing but white space (a blank row,
// or rows past the data) is no record and is passed over, unless the specs read no cell at
// all. The columns are fitted in the font of `form`. When no record is found, false, and the
// grid is left as it was. The progress window (opened by the caller) advances line by line
// and is closed at the end.
bool FillBatchGrid(Grid& grid, const ColumnSpecs& specs, qint64 first, qint64 last,
                   const BatchSource& source, QWidget* form);

// Tells the user that rows `first` to `last` of the file hold nothing to import.
void TellNothingToImport(const QString& file, qint64 first, qint64 last);

// Advances the open progress window by the steps of a long read, passing them on in
// bundles of at least a five-hundredth of the total, so that the read does not spend its time
// redrawing the window.
class ProgressSteps {
public:
    explicit ProgressSteps(qint64 total) : bundle_(std::max<qint64>(1, total / 500)) {}
    void Add(qint64 steps);

private:
    qint64 bundle_;
    qint64 pending_ = 0;
};

// Lays the grid out for `records` records: the id row (hidden), the captions, the serial
// numbers, one column per entry of `specs`.
void PrepareBatchGrid(Grid& grid, int records, const ColumnSpecs& specs);

// Puts the record of a grid row into the boxes it feeds, making the bill a batch prints for
// it: each text, check and picture box with a column gets that column's cell (SetBoxValue)
// unless the column is 50 twips or narrower; each text box with a column then runs its
// data-type conversion and spreads over its links, copied or not. A running-number box (122)
// that the record does not fill takes the next number, as on a new bill, counted up
// `numbersAhead` times more (bills before it not yet recorded). Rows outside the records
// are ignored.
void FillBillFromRecord(Grid& grid, int row, int numbersAhead = 0);
// FillBillFromRecord, and R_Num(1) shows the record's number.
void LoadBatchRow(Grid& grid, int row);

// After the batch grid changed: with records the scroll bar steps through 1 .. their number
// and the first record is shown; without, its range is 1 .. 1 and no box is touched.
// R_Num(0) shows the number of records, R_Num(1) the record shown (0 when none). The scroll
// bar and the batch print button are enabled only with two records or more.
void SetupBatchRows(Grid& grid, QScrollBar* bar);

// The batch scroll bar moved: with two records or more the record numbered by its value is
// shown in the boxes.
void HS_Change();

// The batch grid's commands: show the record of the grid's current row in the boxes (by the
// batch scroll bar), and delete the selected records after asking.
void ShowSelectedBatchRecord();
void DeleteSelectedBatchRows();

}  // namespace bw
