#include "printing/LabelPrint.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include "barcode/BarcodeStandard.h"
#include "barcode/Code39.h"
#include "barcode/EAN13.h"
#include "barcode/QRDraw.h"
#include "common/Globals.h"
#include "platform/Grid.h"
#include "platform/Printer.h"
#include "platform/VbNumbers.h"
#include "printing/LabelCells.h"
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

// The width of an A4 sheet: a centre-fed sheet has the label area in its middle.
constexpr double kA4WidthMm = 210;

bool Ticked(int ck) {
    const auto it = MF().CK.find(ck);
    return it != MF().CK.end() && it->second && it->second->isChecked();
}

double Setting(int i) {
    const QLineEdit* box = MF().TNum[i];
    return box ? Val(box->text()) : 0;
}

// What every label of a page has in common.
struct LabelScale {
    double sx = 0, sy = 0;  // millimetres per canvas unit
    double zoom = 0;        // label width over bill width, for the font sizes
    double shift = 0;       // centre feed, millimetres
    bool valid = false;
};

LabelScale ScaleFor(double cellW, double cellH) {
    MainForm& mf = MF();
    LabelScale s;
    const double pgW = mf.PG->Width(), pgH = mf.PG->Height();
    const double bill = Val(mf.Wid->text());
    const double cols = Setting(0), area = Setting(3);
    if (pgW <= 0 || pgH <= 0 || bill <= 0 || cols <= 0 || cellW <= 0 || cellH <= 0) return s;
    s.sx = cellW / pgW;
    s.sy = cellH / pgH;
    s.zoom = area / cols / bill;
    if (mf.O2Value(3) == 1 && !(mf.TagDir && mf.TagDir->isChecked()))
        s.shift = (kA4WidthMm - area) / 2;
    s.valid = true;
    return s;
}

// The design font size of a box (its grid row's), 0 when it has none.
double DesignFontSize(const BoxControl* box) {
    const Grid& g = MF().BoxGrid();
    const int row = BoxRow(box);
    if (row < g.FixedRows() || row >= g.Rows()) return 0;
    return Val(g.TextMatrix(row, col::fSize));
}

void PrintBarcode(DrawTarget& p, BoxControl* box, const QString& value, double X, double Y,
                  const LabelScale& s) {
    p.SetScaleMode(ScaleUnit::Millimeters);
    const double wmm = s.sx * box->Width(), hmm = s.sy * box->Height();
    const QFont font = box->Font();
    const double design = DesignFontSize(box);
    const double fontSize =
        design <= 2 ? 0 : FitPrinterFontSize(p, design, font.family(), font.bold(), s.zoom);
    switch (BarcodeStandard()) {
        case kCode39:
            DrawCode39(p, value, X, Y, hmm, FitCode39Module(value, wmm * kTwipsPerMm), fontSize,
                       true, font.family());
            break;
        case kEAN13:
            DrawEAN13(p, value, X, Y, hmm, wmm, fontSize, true);
            break;
        case kQRCode:
            DrawQRCode(p, value, X, Y, wmm, hmm);
            break;
        default:
            break;
    }
}

// Sets the printer font of a box's text in a label of cellW millimetres, at the size that
// matches the label's scale, the printer in twips; the width the text wraps to and the
// height of its lines, in twips.
struct LabelTextFont {
    double maxWidth = 0;
    double lineHeight = 0;
};
LabelTextFont SetLabelTextFont(DrawTarget& p, BoxControl* box, double cellW) {
    MainForm& mf = MF();
    p.SetScaleMode(ScaleUnit::Twips);
    LabelTextFont f;
    f.maxWidth = mf.PG->Width() > 0 ? box->Width() / mf.PG->Width() * cellW * kTwipsPerMm : 0;
    const QFont font = box->Font();
    p.SetFontName(font.family());
    p.SetFontBold(font.bold());
    p.SetForeColor(box->ForeColor());
    p.SetFontItalic(font.italic());
    p.SetFontStrikethru(font.strikeOut());
    p.SetFontUnderline(font.underline());
    const double bill = Val(mf.Wid->text()), cols = Setting(0);
    const double zoom = bill > 0 && cols > 0 ? Setting(3) / cols / bill : 0;
    const double design = DesignFontSize(box);
    if (design > 0 && zoom > 0)
        p.SetFontSize(FitPrinterFontSize(p, design, font.family(), font.bold(), zoom));
    f.lineHeight = p.TextHeight(QStringLiteral("Korvane软件"));
    return f;
}

void PrintLabelLine(DrawTarget& p, Line* line, double x0, double y, const LabelScale& s) {
    const Grid& g = MF().BoxGrid();
    const int row = BoxRow(line);
    if (row < g.FixedRows() || row >= g.Rows()) return;
    // Style codes 1 .. 6 are the drawing styles 0 .. 5; 0, a transparent line, draws nothing.
    const int style = CLng(Val(g.TextMatrix(row, col::Cash)) - 1);
    if (style < 0 || style > 6) return;
    p.SetScaleMode(ScaleUnit::Twips);
    p.SetDrawStyle(static_cast<LineStyle>(style));
    p.SetDrawWidth(CInt(Val(g.TextMatrix(row, col::fSize)) * s.sx * kTwipsPerMm * 8));
    p.SetForeColor(line->BorderColor());
    p.SetDrawMode(PenMode::CopyPen);
    p.Line((x0 + s.sx * line->X1()) * kTwipsPerMm, (y + s.sy * line->Y1()) * kTwipsPerMm,
           (x0 + s.sx * line->X2()) * kTwipsPerMm, (y + s.sy * line->Y2()) * kTwipsPerMm,
           line->BorderColor());
}

}  // namespace

bool PrintLabelPage(long long page) {
    return PrintLabelPage(CurrentPrinter(), page);
}

bool PrintLabelPage(Printer& printer, long long page, QString* stoppedAt) {
    return PrintLabelPages(printer, page, page, {}, stoppedAt);
}

namespace {

// Puts the printer's paper and orientation back as they were once a label command is done:
// a bill that follows prints on the paper it would have had.
class KeepPaper {
public:
    explicit KeepPaper(Printer& printer)
        : printer_(printer), size_(printer.PageSize()), orientation_(printer.Orientation()) {}
    ~KeepPaper() {
        printer_.SetPageSize(size_);
        printer_.SetOrientation(orientation_);
    }
    KeepPaper(const KeepPaper&) = delete;
    KeepPaper& operator=(const KeepPaper&) = delete;

private:
    Printer& printer_;
    QPageSize size_;
    int orientation_;
};

}  // namespace

bool PrintLabelPages(Printer& printer, long long first, long long last,
                     const std::function<void(long long)>& show, QString* stoppedAt) {
    const int rows = CInt(Setting(1)), cols = CInt(Setting(0));
    if (rows < 1 || rows > kPrintMaxRows || cols < 1 || cols > kPrintMaxCols) return true;
    const int copies = std::max(1, int(PrintCopies));
    // Document n of the command is a copy of a page: where it stopped, as the user counts.
    auto where = [&](int n) {
        if (!stoppedAt || n < 1) return;
        *stoppedAt = QStringLiteral("停在第") + QString::number(first + (n - 1) / copies + 1) +
                     QStringLiteral("页标签");
        if (copies > 1)
            *stoppedAt += QStringLiteral("的第") + QString::number((n - 1) % copies + 1) +
                          QStringLiteral("份");
    };
    // The labels of every page are filled first, and text that runs out of its box is asked
    // about before anything goes to the printer.
    std::vector<LabelSheet> sheets;
    OverflowQuestion question;
    for (long long page = first; page <= last; ++page) {
        sheets.push_back(SheetOf(page));
        const LabelSheet& sheet = sheets.back();
        for (size_t i = 0; i < sheet.cells.size(); ++i) {
            const LabelCell& c = sheet.cells[i];
            const QString box = OverflowingLabelBox(printer, c.w, c.h, sheet.bills[i]);
            const QString label =
                QStringLiteral("第%1个标签").arg(c.dataRow - MF().MSF[1]->FixedRows() + 1);
            if (!question.Allows(box, label)) return true;
        }
    }
    const KeepPaper keep(printer);
    // Every copy of every page is a document; the PDF file printer makes them one file.
    PrintCommand command(printer);
    int document = 0;
    for (long long page = first; page <= last; ++page) {
        if (show) show(page);
        for (int copy = 1; copy <= copies; ++copy) {
            ++document;
            SetupLabelPrinter(printer);
            if (!printer.StartDoc()) {
                printer.KillDoc();
                where(document);
                return false;
            }
            printer.Painter().setBackgroundMode(Qt::TransparentMode);
            PrintSheet(printer, sheets[size_t(page - first)]);
            if (Ticked(6)) PrintLabelOutlines(printer, rows, cols);
            if (!printer.FinishDoc()) {
                where(document);
                return false;
            }
        }
    }
    if (command.End()) return true;
    where(printer.StoppedAtDocument());
    return false;
}

void SetupLabelPrinter(Printer& printer) {
    const QCheckBox* turned = MF().TagDir;
    const bool sideways = turned && turned->isChecked();
    // The sheet's own paper, not the bill's: a PDF file takes the sheet's size.
    if (printer.IsPdfFile()) {
        const LabelPaper paper = LabelSheetPaper(Setting(3), Setting(4), sideways);
        printer.SetPageSize(paper.size);
        printer.SetOrientation(paper.landscape ? kLandscape : kPortrait);
    } else {
        printer.SetPageSize(printer.OwnPageSize());
        printer.SetOrientation(sideways ? kLandscape : kPortrait);
    }
    printer.SetScaleMode(ScaleUnit::Millimeters);
    printer.SetCurrentX(0);
    printer.SetCurrentY(0);
    printer.SetDrawMode(PenMode::CopyPen);
}

LabelSheet SheetOf(long long page) {
    LabelSheet sheet;
    const MainForm& mf = MF();
    const double areaW = Setting(3), areaH = Setting(4);
    if (!mf.MSF[1] || areaW <= 0 || areaH <= 0) return sheet;
    const Grid& batch = *mf.MSF[1];
    sheet.cells = LabelPageCells(page, CLng(Setting(0)), CLng(Setting(1)), areaW, areaH,
                                 batch.Rows(), batch.FixedRows());
    sheet.bills = LabelBills(sheet.cells);
    return sheet;
}

void PrintSheet(DrawTarget& printer, const LabelSheet& sheet) {
    const MainForm& mf = MF();
    const double offX = Val(mf.M_X->text()) - 10, offY = Val(mf.M_Y->text()) - 10;
    for (size_t i = 0; i < sheet.cells.size(); ++i) {
        const LabelCell& c = sheet.cells[i];
        PrintLabelCell(printer, c.x - offX, c.y - offY, c.w, c.h, sheet.bills[i]);
    }
}

void PrintLabelCells(DrawTarget& printer, long long page) {
    PrintSheet(printer, SheetOf(page));
}

void PrintLabelCell(DrawTarget& p, double x, double y, double cellW, double cellH,
                    const BillValues& bill) {
    const LabelScale s = ScaleFor(cellW, cellH);
    if (!s.valid) return;
    MainForm& mf = MF();
    const double x0 = x + s.shift;
    if (Ticked(1)) {
        const QImage& background = mf.TP->Picture();
        if (!background.isNull()) {
            p.SetScaleMode(ScaleUnit::Millimeters);
            p.PaintPicture(background, x0, y, cellW, cellH);
        }
    }
    for (int kind = kTextBox; kind <= kLabel; ++kind) {
        for (int index = FirstBoxIndex(kind); index <= LastBoxIndex(kind); ++index) {
            BoxControl* box = GetBoxByIndex(index);
            if (!box) continue;
            if (kind == kLine) {
                PrintLabelLine(p, static_cast<Line*>(box), x0, y, s);
                continue;
            }
            const QString value = LabelBoxValue(box, bill);
            if (value.isEmpty()) continue;
            double X = x0 + s.sx * box->Left(), Y = y + s.sy * box->Top();
            if (kind != kPictureBox) {
                PrintLabelText(p, value, box, cellW, X, Y, true);
            } else if (IsPictureValue(value)) {
                const QImage picture = LabelPicture(value);
                if (picture.isNull()) continue;
                p.SetScaleMode(ScaleUnit::Millimeters);
                p.PaintPicture(picture, X, Y, s.sx * box->Width(), s.sy * box->Height());
            } else {
                PrintBarcode(p, box, value, X, Y, s);
            }
        }
    }
}

void PrintLabelText(DrawTarget& p, const QString& text, BoxControl* box, double cellW, double& x,
                    double& y, bool wrap) {
    if (text.isEmpty()) return;
    const LabelTextFont f = SetLabelTextFont(p, box, cellW);
    x *= kTwipsPerMm;
    y *= kTwipsPerMm;
    p.SetCurrentX(x);
    p.SetCurrentY(y);
    const double bottom = p.ScaleHeight();
    for (const QString& line : LabelTextLines(p, text, f.maxWidth, wrap)) {
        // Nothing spills onto a page of its own.
        if (!line.isEmpty() && p.CurrentY() < bottom) p.Print(line, false);
        y += f.lineHeight;
        p.SetCurrentX(x);
        p.SetCurrentY(y);
    }
}

QString OverflowingLabelBox(DrawTarget& p, double cellW, double cellH, const BillValues& bill) {
    const LabelScale s = ScaleFor(cellW, cellH);
    if (!s.valid) return QString();
    const DrawSettings before = p.Settings();
    QString found;
    for (int index = FirstBoxIndex(kTextBox); index <= LastBoxIndex(kTextBox) && found.isEmpty();
         ++index) {
        BoxControl* box = GetBoxByIndex(index);
        const QString value = box ? LabelBoxValue(box, bill) : QString();
        if (value.isEmpty()) continue;
        const LabelTextFont f = SetLabelTextFont(p, box, cellW);
        const int lines = int(LabelTextLines(p, value, f.maxWidth, true).size());
        if (RunsPastBottom(lines, lines * f.lineHeight, s.sy * box->Height() * kTwipsPerMm))
            found = TextBoxName(box);
    }
    p.Restore(before);
    return found;
}

void PrintLabelOutlines(DrawTarget& p, int rows, int cols) {
    if (rows < 1 || cols < 1) return;
    MainForm& mf = MF();
    const double offX = Val(mf.M_X->text()) - 10, offY = Val(mf.M_Y->text()) - 10;
    const double W = Setting(3), H = Setting(4);
    p.SetDrawMode(PenMode::CopyPen);
    p.SetScaleMode(ScaleUnit::Millimeters);
    p.SetDrawWidth(1);
    p.SetDrawStyle(LineStyle::Dot);
    p.SetForeColor(RgbValueToColor(0xFF22FF));
    for (int i = 1; i <= rows; ++i) {
        const double at = i * H / rows - offY;
        p.Line(0, at, W - 2 * offX, at);
    }
    for (int j = 1; j <= cols; ++j) {
        const double at = j * W / cols - offX;
        p.Line(at, 0, at, H - 2 * offY);
    }
}

}  // namespace bw
