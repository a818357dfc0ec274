#include "printing/LabelPreview.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QScrollBar>

#include "barcode/BarcodeStandard.h"
#include "barcode/Code39.h"
#include "barcode/EAN13.h"
#include "barcode/QRDraw.h"
#include "common/GridFunctions.h"
#include "common/TwipGeometry.h"
#include "platform/Grid.h"
#include "platform/PictureWidget.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"
#include "printing/LabelCells.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/CanvasSizing.h"
#include "store/Line.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"

namespace bw {

namespace {

constexpr double kScreenTwipsPerMm = 1440.0 / 25.4;

bool LabelPageBuilt() {
    const MainForm& mf = MF();
    return mf.PTag && mf.LFrm && mf.VS1 && mf.HS1 && mf.TagDir && mf.TNum[0] && mf.TNum[1] &&
           mf.TNum[3] && mf.TNum[4];
}

bool Ticked(int ck) {
    const auto it = MF().CK.find(ck);
    return it != MF().CK.end() && it->second && it->second->isChecked();
}

// How many times smaller a label is on the preview than the canvas frame on screen.
double PreviewShrink() {
    const MainForm& mf = MF();
    const double frame = TwWidth(mf.LFrm);
    const double cols = Val(mf.TNum[0]->text());
    if (frame <= 0 || cols <= 0) return 0;
    return mf.FrameWidth() * cols / frame;
}

void DrawBarcode(DrawTarget& t, BoxControl* box, const QString& value, double X, double Y,
                 double sx, double sy, double shrink) {
    const double xmm = X / kScreenTwipsPerMm, ymm = Y / kScreenTwipsPerMm;
    const double wmm = box->Width() * sx / kScreenTwipsPerMm;
    const double hmm = box->Height() * sy / kScreenTwipsPerMm;
    const QFont font = box->Font();
    const double fontSize = font.pointSizeF() <= 2 || shrink <= 0 ? 0 : font.pointSizeF() / shrink;
    switch (BarcodeStandard()) {
        case kCode39:
            DrawCode39(t, value, xmm, ymm, hmm, FitCode39Module(value, sx * box->Width()), fontSize,
                       true, font.family());
            break;
        case kEAN13:
            DrawEAN13(t, value, xmm, ymm, hmm, wmm, fontSize, true);
            break;
        case kQRCode:
            DrawQRCode(t, value, xmm, ymm, wmm, hmm);
            break;
        default:
            break;
    }
}

void DrawLabelLine(DrawTarget& t, Line* line, double x, double y, double sx, double sy) {
    const Grid& g = MF().BoxGrid();
    const int row = BoxRow(line);
    if (row < g.FixedRows() || row >= g.Rows()) return;
    // Style codes 1 .. 6 are the drawing styles 0 .. 5; 0, a transparent line, draws nothing.
    const int style = CLng(Val(g.TextMatrix(row, col::Cash)) - 1);
    if (style < 0 || style > 6) return;
    t.SetDrawStyle(static_cast<LineStyle>(style));
    t.SetDrawWidth(CInt(sx * line->BorderWidth()));
    const QColor colour = RgbValueToColor(GetCellProperty(g, row, col::Color, false));
    t.Line(x + sx * line->X1(), y + sy * line->Y1(), x + sx * line->X2(), y + sy * line->Y2(),
           colour);
}

}  // namespace

void SizeLabelPreview() {
    MainForm& mf = MF();
    PictureWidget* tag = mf.PTag;
    if (!tag || !mf.LFrm || !mf.VS1 || !mf.TagDir || !mf.TNum[3] || !mf.TNum[4]) return;
    SetTwLeft(tag, 0);
    SetTwWidth(tag, TwWidth(mf.LFrm));
    SetTwTop(tag, 0);
    const double across = Val(mf.TNum[3]->text()), down = Val(mf.TNum[4]->text());
    if (across > 0 && down > 0) {
        double r = down / across;
        if (mf.TagDir->isChecked()) r = 1 / r;
        // A height no picture can hold keeps the present one.
        const double h = TwWidth(tag) * r;
        if (h <= PixelsToTwipsF(kMaxCanvasPixels)) SetTwHeight(tag, h);
    }
    const double frameH = TwHeight(mf.LFrm);
    if (TwHeight(tag) <= frameH) {
        mf.VS1->setEnabled(false);
    } else {
        mf.VS1->setMinimum(0);
        mf.VS1->setMaximum(5 * CInt((TwHeight(tag) - frameH) / TwHeight(tag) + 0.999));
        mf.VS1->setSingleStep(1);
        mf.VS1->setPageStep(1);
        mf.VS1->setEnabled(true);
    }
    RedrawLabelPreview();
}

void RedrawLabelPreview() {
    if (!LabelPageBuilt()) return;
    MainForm& mf = MF();
    // Drawn when the label page is shown or the preview read: the page is hidden at start.
    PictureWidget* pic = mf.PTag;
    const int cols = CInt(Val(mf.TNum[0]->text())), rows = CInt(Val(mf.TNum[1]->text()));
    pic->SetPendingDrawing([pic, cols, rows] { DrawLabelPreview(pic, cols, rows); });
}

void DrawLabelPreview(PictureWidget* pic, int cols, int rows) {
    if (!pic || !LabelPageBuilt()) return;
    if (cols < 1 || cols > kPreviewMaxCols || rows < 1 || rows > kPreviewMaxRows) return;
    DrawTarget& t = pic->Target();
    t.SetScaleMode(ScaleUnit::Twips);
    t.Cls();
    t.SetDrawWidth(1);
    t.SetForeColor(RgbValueToColor(0xAAAAAA));
    t.SetDrawStyle(LineStyle::Dot);
    if (Ticked(6)) {
        const double w = t.ScaleWidth(), h = t.ScaleHeight();
        for (int k = 1; k < cols; ++k) t.Line(k * w / cols, 0, k * w / cols, h);
        for (int k = 1; k < rows; ++k) t.Line(0, k * h / rows, w, k * h / rows);
    }
    DrawLabelPreviewCells(pic, cols, rows);
}

void DrawLabelPreviewCells(PictureWidget* pic, int, int) {
    MainForm& mf = MF();
    if (!pic || !LabelPageBuilt() || !mf.MSF[1]) return;
    const Grid& batch = *mf.MSF[1];
    const long long cols = CLng(Val(mf.TNum[0]->text()));
    const long long rows = CLng(Val(mf.TNum[1]->text()));
    const auto cells = LabelPageCells(mf.HS1->value(), cols, rows, TwWidth(mf.PTag),
                                      TwHeight(mf.PTag), batch.Rows(), batch.FixedRows());
    const std::vector<BillValues> bills = LabelBills(cells);
    for (size_t i = 0; i < cells.size(); ++i) {
        const LabelCell& c = cells[i];
        DrawLabelCell(pic, c.x, c.y, c.w, c.h, bills[i]);
    }
}

void DrawLabelCell(PictureWidget* pic, double x, double y, double cellW, double cellH,
                   const BillValues& bill) {
    MainForm& mf = MF();
    const double pgW = mf.PG->Width(), pgH = mf.PG->Height();
    if (pgW <= 0 || pgH <= 0 || cellW <= 0 || cellH <= 0) return;
    const double sx = cellW / pgW, sy = cellH / pgH;
    const double shrink = PreviewShrink();
    DrawTarget& t = pic->Target();
    t.SetScaleMode(ScaleUnit::Twips);
    if (Ticked(1)) {
        const QImage& background = mf.TP->Picture();
        if (!background.isNull()) t.PaintPicture(background, x, y, cellW, cellH);
    }
    for (int kind = kTextBox; kind <= kLabel; ++kind) {
        for (int index = FirstBoxIndex(kind); index <= LastBoxIndex(kind); ++index) {
            BoxControl* box = GetBoxByIndex(index);
            if (!box) continue;
            const double X = x + sx * box->Left(), Y = y + sy * box->Top();
            if (kind == kLine) {
                DrawLabelLine(t, static_cast<Line*>(box), x, y, sx, sy);
                continue;
            }
            const QString value = LabelBoxValue(box, bill);
            if (value.isEmpty()) continue;
            if (kind != kPictureBox) {
                t.SetCurrentX(X);
                t.SetCurrentY(Y);
                DrawLabelText(t, value, box, cellW, true);
            } else if (IsPictureValue(value)) {
                const QImage picture = LabelPicture(value);
                if (!picture.isNull())
                    t.PaintPicture(picture, X, Y, sx * box->Width(), sy * box->Height());
            } else {
                DrawBarcode(t, box, value, X, Y, sx, sy, shrink);
            }
        }
    }
}

void DrawLabelText(DrawTarget& t, const QString& text, BoxControl* box, double cellW, bool wrap) {
    if (text.isEmpty()) return;
    MainForm& mf = MF();
    const double x0 = t.CurrentX();
    double y = t.CurrentY();
    const double shrink = PreviewShrink();
    const double maxWidth = mf.PG->Width() > 0 ? box->Width() / mf.PG->Width() * cellW : 0;
    const QFont font = box->Font();
    t.SetForeColor(box->ForeColor());
    t.SetFontName(font.family());
    t.SetFontBold(font.bold());
    t.SetFontItalic(font.italic());
    t.SetFontStrikethru(font.strikeOut());
    const Grid& g = mf.BoxGrid();
    const int row = BoxRow(box);
    if (shrink > 0 && row >= g.FixedRows() && row < g.Rows())
        t.SetFontSize(Val(g.TextMatrix(row, col::fSize)) / shrink);
    t.SetFontUnderline(font.underline());
    const double lineHeight = t.TextHeight(QStringLiteral("Korvane"));
    for (const QString& line : LabelTextLines(t, text, maxWidth, wrap)) {
        t.SetCurrentX(x0);
        t.SetCurrentY(y);
        if (!line.isEmpty()) t.Print(line, false);
        y += lineHeight;
    }
    t.SetCurrentX(x0);
    t.SetCurrentY(y);
}

}  // namespace bw
