#include "printing/LabelPrint.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>

#include "common/Globals.h"
#include "platform/Grid.h"
#include "platform/Printer.h"
#include "platform/VbNumbers.h"
#include "printing/LabelCells.h"
#include "printing/TextOverflow.h"
#include "store/BoxControl.h"
#include "store/MainForm.h"

namespace bw {

namespace {

// The width of an A4 sheet: a centre-fed sheet has the label area in its middle.
constexpr double kA4WidthMm = 210;

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
                     const std::function<bool(long long)>& show, QString* stoppedAt) {
    const int rows = CInt(LabelSetting(1)), cols = CInt(LabelSetting(0));
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
    const LabelMedium medium = PaperMedium();
    OverflowQuestion question;
    for (long long page = first; page <= last; ++page) {
        sheets.push_back(SheetOf(page));
        const LabelSheet& sheet = sheets.back();
        for (size_t i = 0; i < sheet.cells.size(); ++i) {
            const LabelCell& c = sheet.cells[i];
            const QString box = OverflowingLabelBox(printer, medium, c.w, c.h, sheet.bills[i]);
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
        if (show && !show(page)) break;
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
            if (LabelOptionTicked(6)) PrintLabelOutlines(printer, rows, cols);
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
        const LabelPaper paper = LabelSheetPaper(LabelSetting(3), LabelSetting(4), sideways);
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
    const double areaW = LabelSetting(3), areaH = LabelSetting(4);
    if (!mf.MSF[1] || areaW <= 0 || areaH <= 0) return sheet;
    const Grid& batch = *mf.MSF[1];
    sheet.cells = LabelPageCells(page, CLng(LabelSetting(0)), CLng(LabelSetting(1)), areaW, areaH,
                                 batch.Rows(), batch.FixedRows());
    sheet.bills = LabelBills(sheet.cells);
    return sheet;
}

LabelMedium PaperMedium() {
    const MainForm& mf = MF();
    LabelMedium m;
    m.unit = ScaleUnit::Millimeters;
    m.paper = true;
    const double bill = Val(mf.Wid->text()), cols = LabelSetting(0), area = LabelSetting(3);
    m.zoom = bill > 0 && cols > 0 ? area / cols / bill : 0;
    m.valid = m.zoom > 0;
    if (mf.O2Value(3) == 1 && !(mf.TagDir && mf.TagDir->isChecked()))
        m.shift = (kA4WidthMm - area) / 2;
    m.offX = Val(mf.M_X->text()) - 10;
    m.offY = Val(mf.M_Y->text()) - 10;
    return m;
}

void PrintSheet(DrawTarget& printer, const LabelSheet& sheet) {
    DrawLabels(printer, PaperMedium(), sheet.cells, sheet.bills);
}

void PrintLabelCells(DrawTarget& printer, long long page) {
    PrintSheet(printer, SheetOf(page));
}

void PrintLabelOutlines(DrawTarget& p, int rows, int cols) {
    if (rows < 1 || cols < 1) return;
    const LabelMedium paper = PaperMedium();
    const double offX = paper.offX, offY = paper.offY;
    const double W = LabelSetting(3), H = LabelSetting(4);
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
