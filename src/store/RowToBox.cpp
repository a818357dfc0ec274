#include "store/RowToBox.h"

#include <cmath>

#include "common/Common.h"
#include "common/Database.h"
#include "common/GridFunctions.h"
#include "common/Indicator.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/CheckBox.h"
#include "store/Label.h"
#include "store/Line.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/TextBox.h"

namespace bw {

double CellNumber(const Grid& grid, int row, int column) {
    return Val(grid.TextMatrix(row, column));
}

namespace {

int toCanvas(const Grid& g, int row, int column) {
    MainForm& mf = MF();
    return MmToCanvas(CellNumber(g, row, column), mf.PG->Width(), mf.PaperWidthMm());
}

QColor rowColour(Grid& g, int row) {
    return RgbValueToColor(GetCellProperty(g, row, col::Color, false));
}

bool flag(const Grid& g, int row, int column) {
    return !g.TextMatrix(row, column).isEmpty();
}

// A font from the row's name, size and flags; a size that is no positive number keeps `base`'s.
QFont rowFont(const Grid& g, int row, double scale, QFont base) {
    const QString name = g.TextMatrix(row, col::fName);
    if (!name.isEmpty()) base.setFamily(name);
    const double size = CellNumber(g, row, col::fSize) * scale;
    if (size > 0 && std::isfinite(size)) base.setPointSizeF(size);
    base.setBold(flag(g, row, col::fBold));
    base.setItalic(flag(g, row, col::fItalic));
    base.setUnderline(flag(g, row, col::fUnderline));
    base.setStrikeOut(flag(g, row, col::fStrikethru));
    return base;
}

}  // namespace

BoxControl* ApplyRowToBox(Grid& grid, int row) {
    BoxControl* none = nullptr;
    return ApplyRowToBox(grid, row, none);
}

BoxControl* ApplyRowToBox(Grid& grid, int row, BoxControl*& box) {
    if (row < grid.FixedRows() || row >= grid.Rows()) return nullptr;
    MainForm& mf = MF();
    const double zoom = mf.ZoomRatio();
    int kind;
    if (!box) {
        kind = CLng(CellNumber(grid, row, col::Clas));
        box = BoxOfRow(row);
    } else {
        kind = BoxClassCode(box);
    }
    if (!box) return nullptr;
    Label* caption = kind <= kPictureBox ? CaptionLabel(box->Index()) : nullptr;

    if (auto* line = dynamic_cast<Line*>(box)) {
        line->SetEnds(toCanvas(grid, row, col::X), toCanvas(grid, row, col::Y),
                      toCanvas(grid, row, col::W), toCanvas(grid, row, col::H));
        line->SetBorderWidth(CellNumber(grid, row, col::fSize) * zoom);
        line->SetBorderStyle(CLng(Val(grid.TextMatrix(row, col::Cash))));
        line->SetBorderColor(rowColour(grid, row));
        return box;
    }

    if (kind == kCheckBox) {
        box->Move(toCanvas(grid, row, col::X), toCanvas(grid, row, col::Y));
    } else {
        box->Move(toCanvas(grid, row, col::X), toCanvas(grid, row, col::Y),
                  toCanvas(grid, row, col::W), toCanvas(grid, row, col::H));
    }
    box->SetForeColor(rowColour(grid, row));
    const double scale = kind == kCheckBox ? 0.0 : zoom;  // a check box keeps its font size
    QFont f = rowFont(grid, row, scale, box->Font());
    if (kind == kCheckBox) f.setPointSizeF(box->Font().pointSizeF());
    box->SetFont(f);

    const int align = static_cast<int>(Fix(std::fabs(CellNumber(grid, row, col::L)) / 1000.0));
    const QString labelText = grid.TextMatrix(row, col::LBL);
    if (auto* t = dynamic_cast<TextBox*>(box)) {
        t->SetAlignment(align);
        const int code = CLng(CellNumber(grid, row, col::Cash));
        t->SetBorderStyle(((code > 200 && code < 400) || (code > 0 && code < 100)) ? 1 : 0);
        const int tcode = static_cast<int>(Fix(CellNumber(grid, row, col::Cash)));
        if ((tcode >= 1 && tcode <= 99) || (tcode >= 301 && tcode <= 399) || tcode == 114 ||
            tcode == 121)
            t->SetAlignment(1);
        if (labelText.isEmpty()) {
            // A box without a caption shows its preset text.
            const QString idText = grid.TextMatrix(row, col::ID);
            if (IsNumeric(idText) && Val(idText) > 0) {
                Recordset rs;
                OpenRecordset(rs, QStringLiteral("SELECT * FROM Fmt WHERE ID=?"),
                              {static_cast<qlonglong>(CLng64(Val(idText)))});
                if (rs.RecordCount() > 0 && !rs.Value(QStringLiteral("Mem")).isNull())
                    t->SetText(rs.Text(QStringLiteral("Mem")));
                CloseRecordset(rs);
            }
        }
    } else if (auto* l = dynamic_cast<Label*>(box)) {
        l->SetAlignment(align);
        l->SetCaption(labelText);
    }
    if (caption) {
        caption->SetCaption(labelText);
        caption->SetForeColor(Qt::black);
        PlaceBoxLabel(box);
    }
    return box;
}

void ReloadFormatBoxes(Grid& grid, bool showProgress) {
    if (showProgress) {
        int start = 0;
        ShowProgress(QStringLiteral("重新加载格式……"), grid.Rows(), start);
    }
    UnloadAllBoxes();
    if (showProgress) UpdateProgress(1, QStringLiteral("pages"));
    for (int row = grid.FixedRows(); row < grid.Rows(); ++row) {
        const int kind = CLng(CellNumber(grid, row, col::Clas));
        int r = row;
        // The box just made for the row is the row's box: no need to look it up.
        if (BoxControl* box = LoadBoxControl(kind, r)) ApplyRowToBox(grid, row, box);
        if (showProgress) UpdateProgress(1, QStringLiteral("pages"));
    }
    if (showProgress) CloseProgress();
}

void ApplyRowFont(Grid& grid, int row, QWidget* target) {
    if (!target || row < grid.FixedRows() || row >= grid.Rows()) return;
    target->setFont(rowFont(grid, row, 1.0, target->font()));
    QPalette p = target->palette();
    const QColor c = rowColour(grid, row);
    p.setColor(QPalette::Text, c);
    p.setColor(QPalette::WindowText, c);
    target->setPalette(p);
}

}  // namespace bw
