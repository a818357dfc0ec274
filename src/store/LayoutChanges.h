#pragma once
// Whether the open format's layout (its boxes, its paper size and its options: the barcode
// standard, the ticks of the settings menu and every other option its whole-format row keeps)
// differs from what is stored, and the question asked before such a format is left: the main
// window closing, another format chosen or a new one begun. What the boxes hold is not part
// of the layout.

#include <QString>

namespace bw {

class Grid;

// True when two box property grids would be stored differently: a row of `shown` that has
// no record yet or whose record ID is missing from `stored`, a row of `stored` missing from
// `shown`, or a column a save writes that differs (rows matched by record ID, numbers to
// the hundredth as the grid shows them, a cell a save cannot take left out).
bool BoxRowsDiffer(const Grid& shown, const Grid& stored);

// True when the options of the view differ from those the stored options text `stored` gives
// it (OptionItemsOf): a save would write other options.
bool FormatOptionsChanged(const QString& stored);

// True when the open format's box property grid, its paper size (the labels Wid and Hie) or
// its options differ from the format's stored rows. False without an open format; the
// options and the size count only when the format has its whole-format row.
bool FormatLayoutChanged();

// The question asked when the open format's layout changed.
inline const QString kLayoutChangedQuestion = QStringLiteral("当前格式已修改，是否保存？");

// Before the open format is left: when its layout changed, asks the question. Yes saves it
// and answers true once saved (a failed save has told the user, and answers false); No
// answers true, leaving the changes to be dropped; Cancel answers false. True without a
// question when nothing changed.
bool ResolveLayoutChanges();

}  // namespace bw
