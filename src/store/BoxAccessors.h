#pragma once
// Reading single properties of a box from its row of the box property grid, and finding the
// box of a row or of a record ID.

#include <QString>

namespace bw {

class BoxControl;

// The box property grid's columns.
namespace col {
inline constexpr int ID = 0, Serial = 1, LBL = 2, Dir = 3, X = 4, Y = 5, W = 6, H = 7, S = 8, L = 9,
                     Color = 10, fName = 11, fSize = 12, fBold = 13, fItalic = 14, fUnderline = 15,
                     fStrikethru = 16, Clas = 17, Cash = 18, RCtl = 19, SumID = 20, SumID1 = 21,
                     RCtl1 = 22;
inline constexpr int Count = 23;
}  // namespace col

// The box's grid row: its Tag read as a number and rounded; 0 when it holds none.
int BoxRow(const BoxControl* box);

int BoxRelatedRow(const BoxControl* box, bool second);  // RCtl1 when second, else RCtl
int BoxSumRow(const BoxControl* box);                   // SumID
int BoxSumRow1(const BoxControl* box);                  // SumID1
int BoxLabelSide(const BoxControl* box);                // Dir as its code
double BoxDataType(const BoxControl* box);              // Cash
// The record ID in column 0; 0 for a box without a row (a provisional identity is negative).
int BoxRecordId(const BoxControl* box);

BoxControl* BoxOfRow(int row);
// Tells BoxOfRow that the box with `index` is tagged with grid row `row`, so that it finds it
// without walking the box's kind; a hint, checked as BoxOfRow checks every hint.
void NoteBoxOfRow(int row, int index);
BoxControl* BoxOfRecordId(double id);
// The index of the box of the row; 0 when no box has that row.
int BoxIndexOfRow(int row);
int BoxIndexOfId(double id);

int SideCode(const QString& name);  // "上方" 0, "左边" 1, "右边" 2, "下方" 3, else 0
QString SideName(int code);         // "" for other codes

// |x| + n x 1000, with the sign of x.
double PackOptionCode(double x, int n);

}  // namespace bw
