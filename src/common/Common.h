#pragma once
// The shared toolbox: millimetre conversion, money and time texts, text splitting, month
// boundaries, message pumping, small window utilities and the standard dialogs.

#include <QColor>
#include <QDate>
#include <QString>
#include <QVariant>

class QWidget;

namespace bw {

// Millimetres on the canvas: one mm is canvasWidth / paperWidthMm canvas units. A zero or
// missing paper width gives 0 instead of a division by zero.
double CanvasToMm(double units, double canvasWidth, double paperWidthMm);
int MmToCanvas(double mm, double canvasWidth, double paperWidthMm);

// The amount of a money text: every "￥", "$", the currency sign and "," removed; a trailing
// "%" divides by 100. 0 when there is no number.
double ParseMoney(const QString& value);  // with the current CurrencySign
double ParseMoney(const QString& value, const QString& currencySign);

// "d:h:m:s" without leading zero fields: 0 -> "0:0", 65 -> "1:5", 3725 -> "1:2:5".
QString FormatSeconds(qint64 seconds);

// firstFlag 0: returns the part after the last separator and leaves the part before it in
// text; otherwise returns the part before the first one and leaves the rest. No separator:
// "" and text unchanged.
QString SplitAtSeparator(QString& text, const QString& separator, int firstFlag);

QDate FirstDayOfMonth(const QDate& d);
QDate LastDayOfMonth(const QDate& d);

// "√" for true or a non-zero number, "" otherwise (null included).
QString CheckMark(const QVariant& value);
inline bool IsNonEmpty(const QString& text) {
    return !text.isEmpty();
}

// Lets digits, Backspace (8), "." and "-" through; any other key code becomes 0.
void NumericKeyFilter(int& keyAscii);

// Window utilities.
bool IsFormOpen(const QString& caption);
void WaitForForm(const QString& caption);   // until no open window has this caption
void Pause(int n);                          // n + 1 passes of pending events, and a short sleep
void SetPauseMillisPerPass(double ms);      // how long one pass of Pause waits (tests set 0)
bool EnsureAppFolder(const QString& name);  // a folder under the data folder
void ShellOpen(const QString& target);      // the file's or address's default action
void SetTopmost(QWidget* window);
void CursorPos(int& x, int& y);  // the mouse position on the screen, in twips

// Standard dialogs. Filters are written "描述(*.jpg)|*.jpg|...".
inline const QString kPictureFilter = QStringLiteral(
    "JPEG格式(*.jpg)|*.jpg|位图(*.bmp)|*.bmp|GIF格式(*.gif)|*.gif|WMF格式(*.wmf)|*.wmf|"
    "图标格式(*.ico)|*.ico|所有格式(*.*)|*.*");
QString OpenPictureDialog();  // "" on cancel
QString FileDialog(const QString& filter, bool save, const QString& defaultName);
// Font of a control (its font and foreground colour); false on cancel.
bool ChooseFont(QWidget* control);
QColor ChooseColour(const QColor& initial);  // the initial colour on cancel

}  // namespace bw
