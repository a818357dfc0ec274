#include "printing/PrintEngine.h"

#include <QAction>
#include <QPainter>
#include <QStringList>
#include <cmath>

#include "barcode/BarcodeStandard.h"
#include "barcode/Code39.h"
#include "barcode/EAN13.h"
#include "barcode/QRDraw.h"
#include "common/GridFunctions.h"
#include "platform/Grid.h"
#include "platform/Printer.h"
#include "platform/VbNumbers.h"
#include "printing/PaperForms.h"
#include "printing/PictureCache.h"
#include "printing/TextLayout.h"
#include "printing/TextOverflow.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/BoxModel.h"
#include "store/CheckBox.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/PictureRefresh.h"
#include "store/TextBox.h"

namespace bw {

std::int16_t GetPackedCode(double v) {
    return CInt(std::floor(std::fabs(v) / 1000.0));
}

double GetPackedValue(double v) {
    double a = std::fabs(v);
    for (int i = 0; i < 20 && a >= 1000; ++i) a -= 1000;
    if (a == 0) return 0.0;
    return v > 0 ? a : -a;
}

namespace {

// Where the bill lies on the page: a lengthwise bill (landscape) at the bottom edge, or
// half-way when the paper guides centre it; a centre-fed portrait bill shifted so that it
// stays in register with the guides.
struct PageShift {
    bool lengthwise = false;
    bool centred = false;
    double pageWidth = 0;  // the printer's page, twips
    double pageHeight = 0;
    double billWidth = 0;  // the bill, twips
    double billHeight = 0;

    void Apply(double& x, double& y) const {
        if (lengthwise) {
            y += pageHeight - billHeight;
            if (centred) y -= (pageHeight - billHeight) / 2;
        } else if (centred) {
            x -= (pageWidth - billWidth) / 2;
        }
    }
};

// A cell that must hold a number as a whole (coordinates, sizes).
bool CellValue(const Grid& g, int row, int column, double& value) {
    QString t = g.TextMatrix(row, column).trimmed();
    if (!IsNumeric(t)) return false;
    t.remove(u',');
    value = Val(t);
    return std::isfinite(value);
}

bool Flag(const Grid& g, int row, int column) {
    return !g.TextMatrix(row, column).isEmpty();
}

// The value a box prints.
QString BoxPrintValue(BoxControl* box, const Grid& g, int row) {
    switch (box->Kind()) {
        case kTextBox:
            return static_cast<TextBox*>(box)->Text();
        case kCheckBox:
            return static_cast<CheckBox*>(box)->Value() == 1 ? QStringLiteral("√") : QString();
        case kPictureBox:
            return static_cast<PictureBox*>(box)->LinkItem;
        case kLabel:
            return g.TextMatrix(row, col::LBL);
        default:
            return QString();
    }
}

// Whether a data type prints its value as free text wrapped to the box.
bool WrapsText(int t) {
    return t <= 0 || (t >= 100 && t <= 108) || (t >= 110 && t <= 133);
}

// Text, check mark or label by the data type's print layout.
void PrintTextValue(DrawTarget& p, const QString& value, int t, double x, double y, double w,
                    double spacing, double lineSpacing, int align) {
    if (WrapsText(t)) {
        PrintWrappedText(p, value, x, y, w, spacing, lineSpacing, align);
    } else if (t <= 99 || (t >= 301 && t <= 399)) {
        PrintCashCells(p, value, x, y, w, t, align);
    } else if (t == 109) {
        PrintTextInCells(p, value, x, y, w, 6, align);
    } else if (t >= 201 && t <= 299) {
        PrintTextInCells(p, value, x, y, w, t - 200, align);
    }
    // 134 to 200, 300 and from 400 on print nothing.
}

// Shrinks the printer font until the widest line of the value fits the box width.
void ShrinkToWidth(DrawTarget& p, const QString& value, double boxWidth, double spacing) {
    const QStringList lines = value.split(QStringLiteral("\r\n"));
    auto widthOf = [&](const QString& line) {
        return p.TextWidth(line) + (line.size() - 1) * spacing;
    };
    int widest = 0;
    double best = widthOf(lines[0]);
    for (int i = 1; i < lines.size(); ++i) {
        const double w = widthOf(lines[i]);
        if (w > best) {
            best = w;
            widest = i;
        }
    }
    double size = RoundHalfEven(p.FontSize() * 10) / 10;
    for (int round = 0; round < 101; ++round) {
        if (widthOf(lines[widest]) <= boxWidth) break;
        for (int i = 0; i < 31; ++i) {
            if (size <= 2) break;
            size -= 0.1;
            p.SetFontSize(size);
            if (!(p.FontSize() > size)) break;  // the printer took a size at or below
        }
        p.SetFontSize(size);
        if (size <= 2) break;
    }
}

// The printer font of a box's value: the row's font at its design size fitted to the printer
// (a check box's size as it stands), shrunk to the box width when the menu asks for it.
void SetValueFont(DrawTarget& p, const Grid& g, int row, BoxKind kind, const QString& value,
                  double boxWidth, double spacing) {
    p.SetFontName(g.TextMatrix(row, col::fName));
    p.SetFontBold(Flag(g, row, col::fBold));
    p.SetFontItalic(Flag(g, row, col::fItalic));
    p.SetFontUnderline(Flag(g, row, col::fUnderline));
    p.SetFontStrikethru(Flag(g, row, col::fStrikethru));
    double fontSize = 0;
    if (CellValue(g, row, col::fSize, fontSize)) {
        if (kind == kCheckBox)
            p.SetFontSize(static_cast<float>(fontSize));
        else
            p.SetFontSize(FitPrinterFontSize(p, fontSize, p.FontName(), p.FontBold(), 1.0));
    }
    if (MF().mAutoFontsize->isChecked() && (kind == kTextBox || kind == kLabel))
        ShrinkToWidth(p, value, boxWidth, spacing);
}

void PrintBarcode(DrawTarget& p, const QString& value, const Grid& g, int row, double x, double y,
                  double w, double h) {
    const double xmm = x / kTwipsPerMm, ymm = y / kTwipsPerMm, wmm = w / kTwipsPerMm,
                 hmm = h / kTwipsPerMm;
    // The size of the text under the bars comes from the box's design size, so that the
    // canvas zoom of the moment does not change the print.
    const QString fontName = g.TextMatrix(row, col::fName);
    double design = 0;
    double textSize = 0;
    if (CellValue(g, row, col::fSize, design) && design > 2)
        textSize = FitPrinterFontSize(p, design, fontName, Flag(g, row, col::fBold), 1.0);
    switch (BarcodeStandard()) {
        case kCode39: {
            const double module = FitCode39Module(value, w);
            DrawCode39(p, value, xmm, ymm, hmm, module, textSize, true, fontName);
            break;
        }
        case kEAN13:
            DrawEAN13(p, value, xmm, ymm, hmm, wmm, textSize, true);
            break;
        case kQRCode:
            DrawQRCode(p, value, xmm, ymm, wmm, hmm);
            break;
        default:
            break;
    }
}

// A picture box's picture at (x, y), w x h twips: the one the box shows, or, when the box
// holds it reduced to its size on the screen, the file read again at the box's size on the
// paper (the paper is as sharp as the file).
void PrintBoxPicture(DrawTarget& p, const PictureBox* box, const QString& path, double x, double y,
                     double w, double h) {
    QImage picture = box->Picture();
    if (box->PictureReduced()) {
        const QSize pixels(int(std::ceil(p.ScaleX(w, ScaleUnit::Twips, ScaleUnit::Pixels))),
                           int(std::ceil(p.ScaleY(h, ScaleUnit::Twips, ScaleUnit::Pixels))));
        const QImage paper = CachedPicture(path, pixels, false);
        if (!paper.isNull()) picture = paper;
    }
    p.PaintPicture(picture, x, y, w, h);
}

void PrintBox(Printer& p, BoxControl* box, const PageShift& shift, double offXt, double offYt) {
    MainForm& mf = MF();
    const Grid& g = mf.BoxGrid();
    const int row = BoxRow(box);
    if (row < g.FixedRows() || row >= g.Rows()) return;
    const BoxKind kind = box->Kind();
    const QString value = BoxPrintValue(box, g, row);

    // A box whose place or size is no number is left out rather than printed elsewhere.
    double X = 0, Y = 0, W = 0, H = 0;
    if (!CellValue(g, row, col::X, X) || !CellValue(g, row, col::Y, Y) ||
        !CellValue(g, row, col::W, W) || !CellValue(g, row, col::H, H))
        return;
    double x = X * kTwipsPerMm - offXt;
    double y = Y * kTwipsPerMm - offYt;
    shift.Apply(x, y);

    const QColor colour = RgbValueToColor(GetCellProperty(g, row, col::Color, false));
    double fontSize = 0;
    const bool hasFontSize = CellValue(g, row, col::fSize, fontSize);
    const double wt = W * kTwipsPerMm, ht = H * kTwipsPerMm;
    double spacing = 0, packed = 0;
    CellValue(g, row, col::S, spacing);
    CellValue(g, row, col::L, packed);
    const double st = spacing * kTwipsPerMm;
    int align = GetPackedCode(packed);
    const double lt = GetPackedValue(packed) * kTwipsPerMm;
    if (!value.isEmpty()) {
        p.SetForeColor(colour);
        SetValueFont(p, g, row, kind, value, wt, st);
    }

    const int t = static_cast<int>(Fix(Val(g.TextMatrix(row, col::Cash))));
    if (t == 114 || t == 121) align = 1;

    switch (kind) {
        case kTextBox:
        case kCheckBox:
        case kLabel:
            if (!value.isEmpty()) PrintTextValue(p, value, t, x, y, wt, st, lt, align);
            break;
        case kPictureBox:
            if (IsPictureFileText(value)) {
                PrintBoxPicture(p, static_cast<PictureBox*>(box), value, x, y, wt, ht);
            } else if (!value.isEmpty()) {
                PrintBarcode(p, value, g, row, x, y, wt, ht);
            }
            break;
        case kLine: {
            p.SetScaleMode(ScaleUnit::Twips);
            double x2 = W * kTwipsPerMm - offXt;
            double y2 = H * kTwipsPerMm - offYt;
            shift.Apply(x2, y2);
            // Line style codes 1 .. 6 are the drawing styles 0 .. 5; 0, a transparent
            // line, draws nothing.
            const int style = CLng(Val(g.TextMatrix(row, col::Cash)) - 1);
            if (style < 0 || style > 6) break;
            p.SetDrawStyle(static_cast<LineStyle>(style));
            if (hasFontSize) p.SetDrawWidth(CLng(fontSize));
            p.Line(x, y, x2, y2, colour);
            break;
        }
    }
}

}  // namespace

QString OverflowingTextBox(DrawTarget& p) {
    const Grid& g = MF().BoxGrid();
    const DrawSettings before = p.Settings();
    p.SetScaleMode(ScaleUnit::Twips);
    QString found;
    for (int index = FirstBoxIndex(kTextBox); index <= LastBoxIndex(kTextBox) && found.isEmpty();
         ++index) {
        const auto* box = static_cast<const TextBox*>(GetBoxByIndex(index));
        const int row = box ? BoxRow(box) : -1;
        if (row < g.FixedRows() || row >= g.Rows()) continue;
        const QString value = box->Text();
        double W = 0, H = 0, spacing = 0, packed = 0;
        if (value.isEmpty() ||
            !WrapsText(static_cast<int>(Fix(Val(g.TextMatrix(row, col::Cash))))) ||
            !CellValue(g, row, col::W, W) || !CellValue(g, row, col::H, H))
            continue;
        CellValue(g, row, col::S, spacing);
        CellValue(g, row, col::L, packed);
        const double wt = W * kTwipsPerMm, st = spacing * kTwipsPerMm;
        SetValueFont(p, g, row, kTextBox, value, wt, st);
        const int lines = int(WrapLines(p, value, wt, st).size());
        const double height = WrappedTextHeight(p, lines, GetPackedValue(packed) * kTwipsPerMm);
        if (RunsPastBottom(lines, height, H * kTwipsPerMm)) found = TextBoxName(box);
    }
    p.Restore(before);
    return found;
}

void PrintBackgroundPicture(DrawTarget& printer, double offX, double offY, double pageW,
                            double pageH, bool lengthwise, bool centred) {
    QImage picture = MF().TP->Picture();
    if (picture.isNull()) return;
    // The scan is laid under the boxes opaque, whatever transparency the file has.
    if (picture.hasAlphaChannel()) picture = picture.convertToFormat(QImage::Format_RGB32);
    PageShift shift{lengthwise,          centred,
                    printer.Width(),     printer.Height(),
                    pageW * kTwipsPerMm, pageH * kTwipsPerMm};
    double x = -offX * kTwipsPerMm;
    double y = -offY * kTwipsPerMm;
    shift.Apply(x, y);
    const ScaleUnit unit = printer.ScaleMode();
    printer.SetScaleMode(ScaleUnit::Twips);
    printer.PaintPicture(picture, x, y, shift.billWidth, shift.billHeight);
    printer.SetScaleMode(unit);
}

bool RenderBill(Printer& p, double offX, double offY) {
    MainForm& mf = MF();
    const double pageW = mf.PaperWidthMm();
    const double pageH = mf.PaperHeightMm();
    if (mf.mSetPaper->isChecked()) {
        QString form = kCustomFormName;
        SetCustomPaper(p, form, pageW, pageH);
    }
    const bool lengthwise = mf.O2Value(1) == 1;
    const bool centred = mf.O2Value(3) == 1;
    p.SetOrientation(lengthwise ? kLandscape : kPortrait);
    p.SetScaleMode(ScaleUnit::Twips);
    p.SetCurrentX(0);
    p.SetCurrentY(0);
    // The page begins here, on the paper and in the orientation just set.
    if (!p.StartDoc()) return false;
    p.Painter().setBackgroundMode(Qt::TransparentMode);
    if (mf.mDiTuPrint->isChecked())
        PrintBackgroundPicture(p, offX, offY, pageW, pageH, lengthwise, centred);

    const double offXt = offX * kTwipsPerMm;
    const double offYt = offY * kTwipsPerMm;
    const PageShift shift{lengthwise,         centred, p.Width(), p.Height(), pageW * kTwipsPerMm,
                          pageH * kTwipsPerMm};
    for (int kind = kTextBox; kind <= kLabel; ++kind) {
        for (int index = FirstBoxIndex(kind); index <= LastBoxIndex(kind); ++index) {
            if (BoxControl* box = GetBoxByIndex(index)) PrintBox(p, box, shift, offXt, offYt);
        }
    }
    return true;
}

bool RenderBill(double offX, double offY) {
    return RenderBill(CurrentPrinter(), offX, offY);
}

}  // namespace bw
