#pragma once
// The two rows of table Fmt that hold settings instead of a box: each format's whole-format
// row (paper size, print offsets, design screen width, sixteen options) and the single
// application-options row (the last format and three display options).

#include <QString>
#include <QStringList>

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

// The sixteen options of the current view, each as the whole-format row keeps it; and
// joined, each followed by "|".
QStringList WholeFormatOptionItems();
QString WholeFormatOptions();
// The sixteen options a view whose options are `shown` (items of WholeFormatOptionItems) has
// once the options text `mem` is applied, written as WholeFormatOptionItems writes them: an
// item `mem` lacks takes its default (an item from the tenth on counts only when a "|"
// follows it), but the five option boxes keep those of `shown` when `mem` holds fewer than
// eight items. Menu items are read case-insensitively ("TRUE" is ticked).
QStringList OptionItemsOf(const QString& mem, const QStringList& shown);
// Applies an options text to the view, item by item as far as present.
void ApplyWholeFormatOptions(const QString& mem);

}  // namespace bw
