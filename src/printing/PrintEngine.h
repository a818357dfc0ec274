#pragma once
// Drawing the open, filled-in bill on the printer page: every box of the canvas at its
// millimetre position less the calibration offsets, in its font and colour and in the layout
// its data type asks for (wrapped text, digit cells, check marks, pictures, barcodes, lines,
// labels). One page per call; the print requests start the pages and end the document.

#include <QString>
#include <cstdint>

namespace bw {

class Printer;
class DrawTarget;

// Sets the page up (the bill's paper when the format asks for it, the orientation, twips)
// and draws the bill. offX and offY are the calibration offsets in millimetres (the stored
// values less 10); a positive offset moves the print towards the top-left. False when the
// printer could not start the page; nothing is drawn then.
bool RenderBill(Printer& printer, double offX, double offY);
bool RenderBill(double offX, double offY);  // on the current printer

// The first text box of the open bill whose value, laid out on the printer as the bill is
// printed, runs past the bottom of its box (RunsPastBottom), named as TextBoxName names it;
// "" when every text stays in its box. Measures only; the printer's settings are kept.
QString OverflowingTextBox(DrawTarget& printer);

// The code packed above the thousands of a box's line-spacing column (its alignment):
// floor(|v| / 1000).
std::int16_t GetPackedCode(double v);
// The value below the thousands, with the sign of v (at most 20 thousands are taken off).
double GetPackedValue(double v);

// Paints the format's background picture over the bill area, shifted like the boxes.
void PrintBackgroundPicture(DrawTarget& printer, double offX, double offY, double pageW,
                            double pageH, bool lengthwise, bool centred);

}  // namespace bw
