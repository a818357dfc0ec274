#pragma once
// Putting one box's text on the printer page: text spread over equal cells (the digit cells
// of amounts, postcode cells, the character cells of pre-printed forms), free text wrapped to
// the box width with character and line spacing, and the printer font size at which a text
// is as wide on paper as on the design canvas. Positions, widths and spacings are twips on
// the target; the caller has set the target's font. Every character is placed on its own
// through the target's current position.

#include <QString>

namespace bw {

class DrawTarget;

// The printer's length unit for everything stored in millimetres: the constant itself, as the
// stored formats were measured with it.
inline constexpr double kTwipsPerMm = 56.6928;

// Twelve full-width characters: the sample on which design and printer font sizes are
// compared.
inline const QString kFontSample = QStringLiteral("壹贰叁肆伍陆柒捌玖拾佰仟");
// One full-width character: its height is the line height of wrapped text.
inline const QString kLineSample = QStringLiteral("国");

// The text in `cells` equal cells across `width`, one character centred in each. Alignment
// 1 right-aligns the text in the cells, any code above 1 centres it (the odd cell to the
// right), 0 starts at the first cell; a text longer than the cells moves left so that its
// end stays in the last cell (right) or the excess splits (centre). No cells: nothing.
void PrintTextInCells(DrawTarget& target, const QString& text, double x, double y, double width,
                      int cells, int align);

// The cells of an amount for the data-type code 1..99 (with the currency sign) or 301..399
// (the sign's cell left blank): the money text without "." and ",", right-aligned in the
// code's number of cells. `fits` tells whether every digit (and a minus sign) has its cell;
// when only the currency sign has no cell left, the sign is dropped and the amount fits.
QString CashCellText(const QString& text, int code, bool* fits = nullptr);

// Prints an amount in its digit cells. An amount whose digits do not all fit prints nothing
// and gives false: a bill never goes out with leading digits lost. An empty text prints
// nothing. `align` is not used: an amount always fills its cells from the right.
bool PrintCashCells(DrawTarget& target, const QString& text, double x, double y, double width,
                    int code, int align);

// Free text wrapped to `width`: paragraphs at CR LF, lines broken between tokens (a word
// with its ".,;", any other single character, so CJK text breaks anywhere; a token wider
// than the box stays whole), characters `spacing` apart beyond their widths, lines one
// sample height + `lineSpacing` + 1 twip apart. Alignment 1 right, 2 centre, other left.
void PrintWrappedText(DrawTarget& target, const QString& text, double x, double y, double width,
                      double spacing, double lineSpacing, int align);

// The height PrintWrappedText takes for `lines` lines: one line advance apart, the last
// one sample height high.
double WrappedTextHeight(DrawTarget& target, int lines, double lineSpacing);

// The lines PrintWrappedText prints for the text in the target's current font.
QStringList WrapLines(DrawTarget& target, const QString& text, double width, double spacing);

// One line, character by character, `spacing` apart beyond their own widths.
void PrintSpacedLine(DrawTarget& target, const QString& text, double x, double y, double spacing);

// The token that starts at position `start` (1-based) of the text.
QString FindWordEnd(const QString& text, int start);
// ASCII letters and digits and "-", "_", ".", ",", ";" (the first character counts).
bool IsWordChar(const QString& c);

// The printer font size at which the sample is as wide on paper as it is on the design
// canvas at the design size (x zoom) in the font `fontName`: the sample's canvas width taken
// as millimetres of the bill through the paper width and the canvas frame. The search
// works on the sizes the printer takes. Leaves the printer at that size and at `bold`, and
// its scale unit as it was. Without a paper width or a frame it keeps the design size.
double FitPrinterFontSize(DrawTarget& printer, double size, const QString& fontName, bool bold,
                          double zoom);
// Forgets the sizes found so far (they are kept per font, size and printer resolution) and
// the line breaks WrapLines keeps (per text, font, resolution, width and spacing).
void ClearFontSizeCache();

}  // namespace bw
