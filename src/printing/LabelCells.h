#pragma once
// What the label-sheet preview and label printing share: the label page's settings as
// numbers, the cells of a page of labels with the batch-grid row each one shows, the bill
// each label carries, the value a box shows in a label, the pictures named by those values
// and the wrapping of a label's text.

#include <QImage>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <vector>

#include "records/RecordBills.h"

namespace bw {

class BoxControl;
class DrawTarget;

// True when the label page's option box CK(ck) is built and ticked (1: the background
// picture behind each label, 6: the separator lines).
bool LabelOptionTicked(int ck);
// The number in the label page's setting box TNum(i) (0 across, 1 down, 3 and 4 the label
// area's width and height in millimetres); 0 before the box is built.
double LabelSetting(int i);

// The most labels across and down that the preview draws, and that printing prints.
inline constexpr int kPreviewMaxCols = 200, kPreviewMaxRows = 100;
inline constexpr int kPrintMaxCols = 100, kPrintMaxRows = 200;

// One label of a page: its corner and size (in the caller's unit) and the batch-grid row it
// shows.
struct LabelCell {
    double x, y, w, h;
    long long dataRow;
};

// The labels of page `page` (0-based): cols x rows cells (each count raised to 1) filling
// areaW x areaH without gaps, row by row, left to right, the first at batch row page x
// perPage + fixedRows. Cells past the last record are left out, except that a grid of only
// its fixed rows still gives its first cell (the boxes' own values show there).
std::vector<LabelCell> LabelPageCells(long long page, long long cols, long long rows, double areaW,
                                      double areaH, int gridRows, int fixedRows);

// The paper of a label sheet on a printer that takes any paper (the PDF file printer): an A4
// sheet, landscape when the sheet is turned, or, when the label area (areaW across, areaH
// down, millimetres) does not fit on that, a sheet of the area's own size.
struct LabelPaper {
    QPageSize size;
    bool landscape = false;
};
LabelPaper LabelSheetPaper(double areaW, double areaH, bool turned);

// Labels per page: the whole number nearest cols x rows, at least 1.
long long LabelsPerPage(double cols, double rows);
// The index of the last page for `count` labels: -1 without labels; at most 32767.
int LastLabelPage(double count, long long perPage);

// The bills of the labels: one per cell, in the cells' order, each the bill its record makes
// in a batch print (RecordBills); the bill shown for a cell past the records.
std::vector<BillValues> LabelBills(const std::vector<LabelCell>& cells);

// The value a box shows in a label whose bill is `bill`: a text box its text, a check box
// "√" when ticked, a picture box its picture file or barcode text, a label its caption. A
// line has no value.
QString LabelBoxValue(BoxControl* box, const BillValues& bill);

// True when the value names a picture file (it ends in ".JPG", any case).
bool IsPictureValue(const QString& value);
// The picture of a file for a box of `pixels` device pixels, opaque (CachedPicture: read
// at that size when its own is larger, once while the file stays unchanged); null when the
// file is missing or no picture.
QImage LabelPicture(const QString& path, QSize pixels);

// The lines a label's text prints as: paragraphs at CR LF, each broken (when wrap) after the
// longest start not wider than maxWidth (at least one character) on the target in its
// current font. Each entry takes one line; an empty paragraph is an empty entry.
QStringList LabelTextLines(DrawTarget& target, const QString& text, double maxWidth, bool wrap);

}  // namespace bw
