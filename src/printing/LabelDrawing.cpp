#include "printing/LabelDrawing.h"

#include <cmath>

#include "barcode/BarcodeStandard.h"
#include "common/GridFunctions.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "printing/TextLayout.h"
#include "printing/TextOverflow.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/Line.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"

namespace bw {

namespace {

// Twips per millimetre as the targets convert them: the preview's barcodes are placed in
// millimetres that the target turns back into the same twips.
constexpr double kTargetTwipsPerMm = 1440.0 / 25.4;

// A length of the medium's unit in twips, and in millimetres.
double ToTwips(const LabelMedium& m, double v) {
    return m.unit == ScaleUnit::Millimeters ? v * kTwipsPerMm : v;
}
double ToMm(const LabelMedium& m, double v) {
    return m.unit == ScaleUnit::Twips ? v / kTargetTwipsPerMm : v;
}

// The design font size of a box (its grid row's), 0 when it has none.
double DesignFontSize(const BoxControl* box) {
    const Grid& g = MF().BoxGrid();
    const int row = BoxRow(box);
    if (row < g.FixedRows() || row >= g.Rows()) return 0;
    return Val(g.TextMatrix(row, col::fSize));
}

// The size a text of design size `design` in `font` takes on the medium; 0 or less keeps the
// target's size. Fitting to the printer leaves the printer at that size and boldness.
double TextSize(DrawTarget& t, const LabelMedium& m, double design, const QFont& font) {
    if (!m.paper) return m.shrink > 0 ? design / m.shrink : 0;
    if (design <= 0) return 0;
    return FitPrinterFontSize(t, design, font.family(), font.bold(), m.zoom);
}

// The pen width of a label's line in device units, sx the cell's scale (unit per canvas
// unit). Paper: eight printer dots per unit of the design width at the label's scale. Screen:
// the line's width on the canvas, in screen pixels, at the preview's scale.
int LinePenWidth(const LabelMedium& m, const Line& line, double design, double sx) {
    return m.paper ? CInt(design * sx * kTwipsPerMm * 8) : CInt(sx * line.BorderWidth());
}
// The colour a box is printed in: its grid row's, as the bill print takes it (the canvas may
// show a selected box in another colour).
QColor RowColour(const Grid& g, int row) {
    return RgbValueToColor(GetCellProperty(g, row, col::Color, false));
}

// A box's font on the target at its size on the medium, in twips; the width its text wraps
// to in a cell cellW wide and the height of its lines, in twips.
struct TextFont {
    double maxWidth = 0;
    double lineHeight = 0;
};
TextFont SetTextFont(DrawTarget& t, const LabelMedium& m, BoxControl* box, double cellW) {
    const double pgW = MF().PG->Width();
    t.SetScaleMode(ScaleUnit::Twips);
    TextFont f;
    f.maxWidth = pgW > 0 ? ToTwips(m, box->Width() / pgW * cellW) : 0;
    const QFont font = box->Font();
    t.SetFontName(font.family());
    t.SetFontBold(font.bold());
    t.SetForeColor(box->ForeColor());
    t.SetFontItalic(font.italic());
    t.SetFontStrikethru(font.strikeOut());
    t.SetFontUnderline(font.underline());
    t.SetFontSize(TextSize(t, m, DesignFontSize(box), font));
    f.lineHeight = t.TextHeight(QStringLiteral("Korvane软件"));
    return f;
}

// A box's text with its corner at (x, y), wrapped to the box's width in a cell cellW wide.
void DrawText(DrawTarget& t, const LabelMedium& m, const QString& text, BoxControl* box,
              double cellW, double x, double y) {
    const TextFont f = SetTextFont(t, m, box, cellW);
    x = ToTwips(m, x);
    y = ToTwips(m, y);
    const double bottom = t.ScaleHeight();
    for (const QString& line : LabelTextLines(t, text, f.maxWidth, true)) {
        t.SetCurrentX(x);
        t.SetCurrentY(y);
        // Nothing spills onto a page of its own.
        if (!line.isEmpty() && y < bottom) t.Print(line, false);
        y += f.lineHeight;
    }
    t.SetCurrentX(x);
    t.SetCurrentY(y);
}

// A barcode box's text as a barcode with its corner at (x, y), the box scaled by sx, sy.
void DrawBarcodeBox(DrawTarget& t, const LabelMedium& m, BoxControl* box, const QString& value,
                    double x, double y, double sx, double sy) {
    t.SetScaleMode(m.unit);
    const QFont font = box->Font();
    const double design = DesignFontSize(box);
    BarcodeBox b;
    b.x = ToMm(m, x);
    b.y = ToMm(m, y);
    b.width = ToMm(m, sx * box->Width());
    b.height = ToMm(m, sy * box->Height());
    b.fontSize = design <= 2 ? 0 : TextSize(t, m, design, font);
    b.fontName = font.family();
    b.code39MaxWidth = ToTwips(m, sx * box->Width());
    const Grid& g = MF().BoxGrid();
    const int row = BoxRow(box);
    if (row >= g.FixedRows() && row < g.Rows()) t.SetForeColor(RowColour(g, row));
    DrawBarcode(t, value, b);
}

// A line of the canvas, the cell's corner at (x, y).
void DrawLine(DrawTarget& t, const LabelMedium& m, const Line& line, double x, double y, double sx,
              double sy) {
    const Grid& g = MF().BoxGrid();
    const int row = BoxRow(&line);
    if (row < g.FixedRows() || row >= g.Rows()) return;
    // Style codes 1 .. 6 are the drawing styles 0 .. 5; 0, a transparent line, draws nothing.
    const int style = CLng(Val(g.TextMatrix(row, col::Cash)) - 1);
    if (style < 0 || style > 6) return;
    t.SetScaleMode(ScaleUnit::Twips);
    t.SetDrawStyle(static_cast<LineStyle>(style));
    t.SetDrawWidth(LinePenWidth(m, line, Val(g.TextMatrix(row, col::fSize)), sx));
    const QColor colour = RowColour(g, row);
    t.SetForeColor(colour);
    t.SetDrawMode(PenMode::CopyPen);
    t.Line(ToTwips(m, x + sx * line.X1()), ToTwips(m, y + sy * line.Y1()),
           ToTwips(m, x + sx * line.X2()), ToTwips(m, y + sy * line.Y2()), colour);
}

// A width and height of the medium's unit in device pixels of the target.
QSize DevicePixels(const DrawTarget& t, const LabelMedium& m, double w, double h) {
    return QSize(int(std::ceil(t.ScaleX(w, m.unit, ScaleUnit::Pixels))),
                 int(std::ceil(t.ScaleY(h, m.unit, ScaleUnit::Pixels))));
}

bool Drawable(const LabelMedium& m, double cellW, double cellH) {
    const Canvas* pg = MF().PG;
    return m.valid && pg->Width() > 0 && pg->Height() > 0 && cellW > 0 && cellH > 0;
}

}  // namespace

void DrawLabels(DrawTarget& target, const LabelMedium& medium, const std::vector<LabelCell>& cells,
                const std::vector<BillValues>& bills) {
    for (size_t i = 0; i < cells.size() && i < bills.size(); ++i)
        DrawLabel(target, medium, cells[i], bills[i]);
}

void DrawLabel(DrawTarget& t, const LabelMedium& m, const LabelCell& cell, const BillValues& bill) {
    if (!Drawable(m, cell.w, cell.h)) return;
    MainForm& mf = MF();
    const double sx = cell.w / mf.PG->Width(), sy = cell.h / mf.PG->Height();
    const double x = cell.x - m.offX + m.shift, y = cell.y - m.offY;
    if (LabelOptionTicked(1)) {
        const QImage& background = mf.TP->Picture();
        if (!background.isNull()) {
            t.SetScaleMode(m.unit);
            t.PaintPicture(background, x, y, cell.w, cell.h);
        }
    }
    for (int kind = kTextBox; kind <= kLabel; ++kind) {
        for (int index = FirstBoxIndex(kind); index <= LastBoxIndex(kind); ++index) {
            BoxControl* box = GetBoxByIndex(index);
            if (!box) continue;
            if (kind == kLine) {
                DrawLine(t, m, *static_cast<Line*>(box), x, y, sx, sy);
                continue;
            }
            const QString value = LabelBoxValue(box, bill);
            if (value.isEmpty()) continue;
            const double X = x + sx * box->Left(), Y = y + sy * box->Top();
            if (kind != kPictureBox) {
                DrawText(t, m, value, box, cell.w, X, Y);
            } else if (IsPictureValue(value)) {
                const double w = sx * box->Width(), h = sy * box->Height();
                const QImage picture = LabelPicture(value, DevicePixels(t, m, w, h));
                if (picture.isNull()) continue;
                t.SetScaleMode(m.unit);
                t.PaintPicture(picture, X, Y, w, h);
            } else {
                DrawBarcodeBox(t, m, box, value, X, Y, sx, sy);
            }
        }
    }
}

QString OverflowingLabelBox(DrawTarget& t, const LabelMedium& m, double cellW, double cellH,
                            const BillValues& bill) {
    if (!Drawable(m, cellW, cellH)) return QString();
    const double sy = cellH / MF().PG->Height();
    const DrawSettings before = t.Settings();
    QString found;
    for (int index = FirstBoxIndex(kTextBox); index <= LastBoxIndex(kTextBox) && found.isEmpty();
         ++index) {
        BoxControl* box = GetBoxByIndex(index);
        const QString value = box ? LabelBoxValue(box, bill) : QString();
        if (value.isEmpty()) continue;
        const TextFont f = SetTextFont(t, m, box, cellW);
        const int lines = int(LabelTextLines(t, value, f.maxWidth, true).size());
        if (RunsPastBottom(lines, lines * f.lineHeight, ToTwips(m, sy * box->Height())))
            found = TextBoxName(box);
    }
    t.Restore(before);
    return found;
}

}  // namespace bw
