#pragma once
// The two rows of table Fmt that hold settings instead of a box: each format's whole-format
// row (paper size, print offsets, design screen width, sixteen options) and the single
// application-options row (the last format and three display options).

#include <QString>

namespace bw {

// The factor by which font sizes are scaled for a format saved on a screen of another width.
inline double DisplayScale = 1.0;

// The display scale for a format saved at `savedWidth` twips shown on `screenWidth`.
double ComputeDisplayScale(double savedWidth, double screenWidth);

// An empty name stands for the current format and is handed back.
void LoadWholeFormatRow(QString& name);
// False when the row could not be stored.
bool SaveWholeFormatRow(const QString& w, const QString& h, const QString& x, const QString& y,
                        QString& name);
QString LoadAppOptionsRow();
void SaveAppOptionsRow(QString& name);

// The sixteen options of the current view, each followed by "|".
QString WholeFormatOptions();
// Applies an options text to the view, item by item as far as present.
void ApplyWholeFormatOptions(const QString& mem);
// The barcode standard an options text gives: item 15 when a "|" follows it, else 0.
int BarcodeStandardOfOptions(const QString& mem);

}  // namespace bw
