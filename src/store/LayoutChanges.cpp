#include "store/LayoutChanges.h"

#include <QHash>
#include <QLabel>

#include "common/Database.h"
#include "common/GridFunctions.h"
#include "common/Schema.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/FormatRows.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"

namespace bw {

namespace {

double hundredths(double x) {
    return RoundHalfEven(x * 100);
}

// The same stored number, as far as the grid shows it.
bool sameNumber(const QString& shown, const QString& stored) {
    const QString t = shown.trimmed();
    if (!IsNumeric(t)) return true;  // a save leaves the field as it is
    return hundredths(Val(t)) == hundredths(Val(stored));
}

// Column by column as SaveRowToRecord writes them.
bool sameRow(const Grid& a, int ra, const Grid& b, int rb) {
    for (int c = col::LBL; c < col::Count; ++c) {
        const QString& x = a.TextRef(ra, c);
        const QString& y = b.TextRef(rb, c);
        bool same = true;
        switch (c) {
            case col::LBL:
            case col::fName:
                same = x == y;
                break;
            case col::Dir:
                same = SideCode(x) == SideCode(y);
                break;
            case col::Color:
                same = GetCellProperty(a, ra, c, false) == GetCellProperty(b, rb, c, false);
                break;
            case col::fBold:
            case col::fItalic:
            case col::fUnderline:
            case col::fStrikethru:
                same = x.isEmpty() == y.isEmpty();
                break;
            default:
                same = sameNumber(x, y);
                break;
        }
        if (!same) return false;
    }
    return true;
}

bool sameSize(const QLabel* label, double stored) {
    return hundredths(Val(label->text())) == hundredths(stored);
}

}  // namespace

bool FormatOptionsChanged(const QString& stored) {
    const QStringList shown = WholeFormatOptionItems();
    return OptionItemsOf(stored, shown) != shown;
}

bool BoxRowsDiffer(const Grid& shown, const Grid& stored) {
    if (shown.Rows() - shown.FixedRows() != stored.Rows() - stored.FixedRows()) return true;
    QHash<qint64, int> rowOfId;
    for (int r = stored.FixedRows(); r < stored.Rows(); ++r)
        rowOfId.insert(CLng64(Val(stored.TextRef(r, col::ID))), r);
    for (int r = shown.FixedRows(); r < shown.Rows(); ++r) {
        const QString& id = shown.TextRef(r, col::ID);
        if (!IsNumeric(id) || Val(id) <= 0) return true;  // a box not saved yet
        const auto it = rowOfId.constFind(CLng64(Val(id)));
        if (it == rowOfId.constEnd() || !sameRow(shown, r, stored, it.value())) return true;
        rowOfId.erase(it);  // each record answers for one row only
    }
    return false;
}

bool FormatLayoutChanged() {
    MainForm& mf = MF();
    QString name = mf.CurrentFormat();
    if (name.isEmpty()) return false;
    Recordset whole;
    OpenRecordset(whole, QStringLiteral("SELECT W, H, Color, Mem FROM Fmt WHERE Fmt=? AND LBL=?"),
                  {name, kWholeFormatLabel});
    const double scale = DisplayScale;
    if (whole.RecordCount() > 0) {
        if (!sameSize(mf.Wid, whole.Number(QStringLiteral("W"))) ||
            !sameSize(mf.Hie, whole.Number(QStringLiteral("H"))) ||
            FormatOptionsChanged(whole.Text(QStringLiteral("Mem"))))
            return true;
        // The stored rows as they would be shown now: a save stores the font sizes as shown
        // on this screen, so the scale is that of the stored screen width, not the one the
        // format was opened with.
        DisplayScale =
            ComputeDisplayScale(whole.Number(QStringLiteral("Color")), mf.ScreenWidthTwips());
    }
    CloseRecordset(whole);
    Grid stored;
    LoadBoxesIntoGrid(stored, name);
    DisplayScale = scale;
    return BoxRowsDiffer(mf.BoxGrid(), stored);
}

bool ResolveLayoutChanges() {
    if (!FormatLayoutChanged()) return true;
    switch (dlg::MsgBox(kLayoutChangedQuestion, dlg::YesNoCancel | dlg::Question)) {
        case dlg::Yes: {
            QString name = MF().CurrentFormat();
            return SaveFormat(MF().BoxGrid(), name);
        }
        case dlg::No:
            return true;
        default:
            return false;
    }
}

}  // namespace bw
