#pragma once
// What the format list windows share: the grid of the local formats (ID, serial, tick,
// name, width, height), the current format's row, the search in the names, the keyword
// history kept in a parameter ("格式查找" for the local list) and the picture preview that
// scrolls in tenths of its frame.

#include <QString>
#include <QStringList>

#include "platform/Grid.h"

class QComboBox;
class QLabel;
class QScrollBar;
class QWidget;

namespace bw {

inline const QString kFormatSearchParam = QStringLiteral("格式查找");
// The columns of the local format grid.
inline constexpr int kFormatListTickCol = 2;
inline constexpr int kFormatListNameCol = 3;
inline constexpr GridColor kFormatListRed = 255;

// Fills the grid with one row per format (ordered by name); the current format's row is
// ticked and selected from the tick column on, and red when `highlight`.
void FillFormatGrid(Grid& grid, bool highlight, const QString& current);
// Colours the text of the first row named `current` (0 black, 255 red).
void ShowCurrentFormatRow(Grid& grid, GridColor colour, const QString& current);

// Selects the next row (after the current one, wrapping, the current one last) whose cells
// firstCol..lastCol hold the keyword (case-sensitive) and scrolls it to the top. An empty
// keyword: "请先输入关键词！". The row found, or -1.
int FindInFormatGrid(Grid& grid, const QString& keyword, int firstCol, int lastCol);

// The keyword history: stored items joined by "||", the last used first.
QStringList SearchKeysOf(const QString& stored);
QString SearchKeysText(const QString& current, const QStringList& items);
void LoadSearchKeys(QComboBox* box, const QString& param);
void SaveSearchKeys(const QComboBox* box, const QString& param);

// The scroll bar's maximum for a picture `imageHeight` high in a frame `frameHeight` high
// (steps of a tenth of the frame); 0 when the picture fits.
int PictureScrollMax(double imageHeight, double frameHeight);
// Shows the picture file `text` (or, when no such file exists, the background picture of
// the format named `text`) in `image` as wide as the frame, with the scroll bar set up;
// false (the image empty) when there is none.
bool ShowFormatPicture(QLabel* image, QString text, QWidget* frame, QScrollBar* bar);
// Moves the image for the scroll bar's value.
void ScrollFormatPicture(QLabel* image, QWidget* frame, int value);

}  // namespace bw
