#pragma once
// The one way a label of the label sheet is drawn, on the label page's preview and on paper
// alike: the background picture, then every box of the bill the label carries scaled into its
// cell (texts, pictures, barcodes, lines). What differs between the screen and the paper is
// held in a LabelMedium, made once per target (PreviewMedium, PaperMedium); the rest is the
// same code for both, and the measuring of text that runs out of its box goes through it too.

#include <QString>
#include <vector>

#include "platform/DrawTarget.h"
#include "printing/LabelCells.h"

namespace bw {

// What differs between the preview and the paper.
struct LabelMedium {
    // The unit of the cells' corners and sizes: twips of the preview, millimetres of paper.
    // Texts and lines are drawn in twips, barcodes are placed in millimetres.
    ScaleUnit unit = ScaleUnit::Twips;
    // Paper or screen, for the rules that differ. Font sizes: on paper the design size fitted
    // to the printer at `zoom` (the label's width over the bill's, FitPrinterFontSize), on
    // screen the design size divided by `shrink` (0: the target's size is kept). A line's
    // pen: on paper eight printer dots per unit of its design width at the label's scale; on
    // screen its width on the canvas in pixels at the preview's scale. Lines and barcodes are
    // drawn in their rows' colours on both.
    bool paper = false;
    double zoom = 0;
    double shrink = 0;
    // Subtracted from each cell's corner (the calibration offsets), then `shift` added across
    // (a centre-fed sheet), in `unit`.
    double offX = 0, offY = 0, shift = 0;
    // False when no label can be drawn (paper without a bill width, label columns or a label
    // area width).
    bool valid = true;
};

// Draws the labels of a page, cells[i] carrying bills[i] (LabelBills): DrawLabel for each.
void DrawLabels(DrawTarget& target, const LabelMedium& medium, const std::vector<LabelCell>& cells,
                const std::vector<BillValues>& bills);
// One label, its corner at the cell's less the medium's offsets plus its shift: the
// background picture when CK(1) is ticked, then every box of the bill scaled from the canvas
// into the cell, kind by kind (text boxes, check boxes, pictures and barcodes, lines,
// captions). A text's lines that would start below the target's drawable area are left out;
// a picture file that cannot be read leaves its spot blank. Nothing for a cell, a canvas or a
// medium without a size.
void DrawLabel(DrawTarget& target, const LabelMedium& medium, const LabelCell& cell,
               const BillValues& bill);
// The first text box of a label of cellW x cellH (the medium's unit) carrying `bill` whose
// text, laid out as DrawLabel lays it out, runs past the bottom of the box scaled into the
// label (RunsPastBottom), named as TextBoxName names it; "" when none does. Measures only;
// the target's settings are kept.
QString OverflowingLabelBox(DrawTarget& target, const LabelMedium& medium, double cellW,
                            double cellH, const BillValues& bill);

}  // namespace bw
