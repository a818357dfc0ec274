#include "store/RowToRecord.h"

#include <cmath>

#include "common/GridFunctions.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/BoxModel.h"
#include "store/Label.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

namespace bw {

namespace {

constexpr int kLinkCols[] = {col::RCtl, col::RCtl1, col::SumID, col::SumID1};

// A link cell rewritten for a row that moved from identity `old` to record `id`: the integer
// part names the row (its sign is the link's mode), a fraction marks a negated contribution
// and is kept. Returns false when the cell does not point at the row.
bool rewriteLink(const QString& cell, double old, double id, QString* out) {
    if (!IsNumeric(cell)) return false;
    const double v = Val(cell);
    const double whole = Fix(v);
    if (whole == 0 || std::fabs(whole) != std::fabs(old)) return false;
    const double frac = std::fabs(v - whole);
    const double sign = whole == old ? 1.0 : -1.0;
    *out = NumText(sign * (id + RoundTo(frac, 6)));
    return true;
}

// True when a link cell points at a row below `row`: that row is saved later and may get a
// new record ID then (saving under another name gives every row one), so the link is
// written again once every row is saved.
bool linksToLaterRow(const Grid& grid, int row, const QString& cell) {
    if (!IsNumeric(cell)) return false;
    const double whole = std::fabs(Fix(Val(cell)));
    if (whole == 0) return false;
    for (int r = row + 1; r < grid.Rows(); ++r)
        if (std::fabs(Val(grid.TextRef(r, col::ID))) == whole) return true;
    return false;
}

}  // namespace

bool LinkIsProvisional(const Grid& grid, const QString& cell) {
    if (!IsNumeric(cell)) return false;
    const double whole = std::fabs(Fix(Val(cell)));
    if (whole == 0) return false;
    for (int r = grid.FixedRows(); r < grid.Rows(); ++r) {
        const double id = Val(grid.TextRef(r, col::ID));
        if (id < 0 && std::fabs(id) == whole) return true;
    }
    return false;
}

int SaveRowToRecord(Grid& grid, int row, sql::Recordset& rs, FormatSaveState* state) {
    if (row < grid.FixedRows() || row >= grid.Rows()) return 0;
    auto text = [&](int c) { return grid.TextMatrix(row, c); };
    auto number = [&](int c) -> QVariant {
        const QString t = text(c).trimmed();
        if (!IsNumeric(t)) return QVariant();  // a cell the field cannot take leaves it alone
        return Val(t);
    };
    auto setNumber = [&](const char* field, int c) {
        QVariant v = number(c);
        if (v.isValid()) rs.SetValue(QLatin1String(field), v);
    };
    rs.SetValue(QStringLiteral("LBL"), text(col::LBL));
    setNumber("Clas", col::Clas);
    rs.SetValue(QStringLiteral("Dir"), SideCode(text(col::Dir)));
    setNumber("X", col::X);
    setNumber("Y", col::Y);
    setNumber("W", col::W);
    setNumber("H", col::H);
    setNumber("S", col::S);
    setNumber("L", col::L);
    rs.SetValue(QStringLiteral("Color"),
                static_cast<qlonglong>(GetCellProperty(grid, row, col::Color, false)));
    rs.SetValue(QStringLiteral("fName"), text(col::fName));
    setNumber("fSize", col::fSize);
    rs.SetValue(QStringLiteral("fBold"), !text(col::fBold).isEmpty());
    rs.SetValue(QStringLiteral("fItalic"), !text(col::fItalic).isEmpty());
    rs.SetValue(QStringLiteral("fUnderline"), !text(col::fUnderline).isEmpty());
    rs.SetValue(QStringLiteral("fStrikethru"), !text(col::fStrikethru).isEmpty());
    setNumber("Cash", col::Cash);
    setNumber("RCtl", col::RCtl);
    setNumber("RCtl1", col::RCtl1);
    setNumber("SumID", col::SumID);
    setNumber("SumID1", col::SumID1);
    bool pending = false;
    for (int c : kLinkCols)
        if (LinkIsProvisional(grid, text(c)) || linksToLaterRow(grid, row, text(c))) pending = true;
    if (!rs.Update()) return 0;
    const qint64 id = rs.Value(QStringLiteral("ID")).toLongLong();
    if (id <= 0) return 0;

    const QString oldText = text(col::ID);
    const double old = Val(oldText);
    if (old != static_cast<double>(id)) {
        for (int r = grid.FixedRows(); r < grid.Rows(); ++r) {
            for (int c : kLinkCols) {
                if (state && state->rewritten.count({r, c})) continue;
                const QString cell = grid.TextMatrix(r, c);
                QString changed;
                if (cell == oldText) {
                    changed = QString::number(id);
                } else if (!rewriteLink(cell, old, static_cast<double>(id), &changed)) {
                    continue;
                }
                grid.SetTextMatrix(r, c, changed);
                if (state) state->rewritten.insert({r, c});
            }
        }
    }
    grid.SetTextMatrix(row, col::ID, QString::number(id));
    if (pending && state) state->unsettled.insert(row);

    // A caption-less text box keeps its current text as preset text.
    if (CLng(Val(text(col::Clas))) == kTextBox) {
        BoxControl* box = BoxOfRow(row);
        if (box && box->Index() <= BoxCount[kTextBox]) {
            Label* caption = CaptionLabel(box->Index());
            if (caption && caption->Caption().isEmpty())
                rs.SetValue(QStringLiteral("Mem"), static_cast<TextBox*>(box)->Text());
        }
    }
    return static_cast<int>(id);
}

}  // namespace bw
