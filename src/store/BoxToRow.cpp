#include "store/BoxToRow.h"

#include <cmath>

#include "common/Common.h"
#include "common/Database.h"
#include "common/GridFunctions.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/BoxEditing.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/Label.h"
#include "store/Line.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"

namespace bw {

namespace {
QString mmText(double units) {
    MainForm& mf = MF();
    return NumText(CanvasToMm(units, mf.PG->Width(), mf.PaperWidthMm()));
}
}  // namespace

int NewProvisionalId(const Grid& grid) {
    double lowest = 0;
    const int linkCols[] = {col::ID, col::RCtl, col::SumID, col::SumID1, col::RCtl1};
    for (int r = grid.FixedRows(); r < grid.Rows(); ++r) {
        for (int c : linkCols) {
            const double v = -std::fabs(Fix(Val(grid.TextRef(r, c))));
            if (v < lowest) lowest = v;
        }
    }
    const QVariant maxId = ValueWhere(QStringLiteral("sqlite_sequence"),
                                      QStringLiteral("name='Fmt'"), QStringLiteral("seq"));
    const double seq = Val(maxId.toString());
    if (-seq < lowest) lowest = -seq;
    return CLng(lowest - 1);
}

int UpdateRowFromBox(BoxControl* box) {
    if (!box) return 0;
    MainForm& mf = MF();
    Grid& g = mf.BoxGrid();
    const double back = mf.PG->Width() > 0 ? mf.FrameWidth() / mf.PG->Width() : 1.0;
    const int kind = BoxClassCode(box);
    int row = CLng(Val(box->Tag));
    if (row == 0) {
        const int id = NewProvisionalId(g);
        g.SetRows(g.Rows() + 1);
        row = g.Rows() - 1;
        g.SetTextMatrix(row, col::ID, QString::number(id));
        g.SetTextMatrix(row, col::Serial, QString::number(row - g.FixedRows() + 1));
        g.SetTextMatrix(row, col::Dir, QStringLiteral("左边"));
        for (int c : {col::S, col::L, col::Cash, col::RCtl, col::RCtl1, col::SumID, col::SumID1})
            g.SetTextMatrix(row, c, QStringLiteral("0"));
    }
    if (row < g.FixedRows() || row >= g.Rows()) return row;

    if (kind <= kPictureBox) {
        Label* caption = CaptionLabel(box->Index());
        if (caption) g.SetTextMatrix(row, col::LBL, caption->Caption());
    } else if (kind == kLine) {
        g.SetTextMatrix(row, col::LBL, QStringLiteral("线条"));
    } else if (auto* l = dynamic_cast<Label*>(box)) {
        g.SetTextMatrix(row, col::LBL, l->Caption());
    }

    if (auto* line = dynamic_cast<Line*>(box)) {
        g.SetTextMatrix(row, col::X, mmText(line->X1()));
        g.SetTextMatrix(row, col::Y, mmText(line->Y1()));
        g.SetTextMatrix(row, col::W, mmText(line->X2()));
        g.SetTextMatrix(row, col::H, mmText(line->Y2()));
        g.SetTextMatrix(row, col::fName, QStringLiteral("宋体"));
        g.SetTextMatrix(row, col::fSize, NumText(line->BorderWidth() * back));
        if (!IsBoxSelected(line))
            SetGridCellColour(g, row, col::Color,
                              static_cast<GridColor>(ColorToRgbValue(line->BorderColor())), false);
        g.SetTextMatrix(row, col::Cash, QString::number(line->BorderStyle()));
    } else {
        g.SetTextMatrix(row, col::X, mmText(box->Left()));
        g.SetTextMatrix(row, col::Y, mmText(box->Top()));
        g.SetTextMatrix(row, col::W, mmText(box->Width()));
        g.SetTextMatrix(row, col::H, mmText(box->Height()));
        const QFont f = box->Font();
        g.SetTextMatrix(row, col::fName, f.family());
        g.SetTextMatrix(row, col::fSize, NumText(f.pointSizeF() * back));
        SetGridCellColour(g, row, col::Color,
                          static_cast<GridColor>(ColorToRgbValue(box->ForeColor())), false);
        g.SetTextMatrix(row, col::fBold, CheckMark(f.bold()));
        g.SetTextMatrix(row, col::fItalic, CheckMark(f.italic()));
        g.SetTextMatrix(row, col::fUnderline, CheckMark(f.underline()));
        g.SetTextMatrix(row, col::fStrikethru, CheckMark(f.strikeOut()));
    }
    g.SetTextMatrix(row, col::Clas, QString::number(kind));
    return row;
}

void CopyBoxProperties(BoxControl* source, BoxControl* target, bool copyIntoTarget) {
    if (!source) return;
    Grid& g = MF().BoxGrid();
    const int srcRow = BoxRow(source);
    const int dstRow = copyIntoTarget && target ? BoxRow(target) : srcRow;
    if (srcRow != dstRow && srcRow >= g.FixedRows() && srcRow < g.Rows() &&
        dstRow >= g.FixedRows() && dstRow < g.Rows()) {
        for (int c = g.FixedCols(); c < g.Cols(); ++c)
            g.SetTextMatrix(dstRow, c, g.TextMatrix(srcRow, c));
        SetGridCellColour(g, dstRow, col::Color, GetCellProperty(g, srcRow, col::Color, false),
                          false);
    }
    ApplyRowToBox(g, dstRow);
}

void StoreControlFont(Grid& grid, int row, QWidget* source) {
    if (!source || row < grid.FixedRows() || row >= grid.Rows()) return;
    const QFont f = source->font();
    grid.SetTextMatrix(row, col::fName, f.family());
    grid.SetTextMatrix(row, col::fSize, NumText(f.pointSizeF()));
    SetGridCellColour(
        grid, row, col::Color,
        static_cast<GridColor>(ColorToRgbValue(source->palette().color(QPalette::Text))), false);
    grid.SetTextMatrix(row, col::fBold, CheckMark(f.bold()));
    grid.SetTextMatrix(row, col::fItalic, CheckMark(f.italic()));
    grid.SetTextMatrix(row, col::fStrikethru, CheckMark(f.strikeOut()));
    grid.SetTextMatrix(row, col::fUnderline, CheckMark(f.underline()));
}

}  // namespace bw
