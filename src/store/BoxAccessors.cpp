#include "store/BoxAccessors.h"

#include <cmath>
#include <vector>

#include "platform/VbNumbers.h"
#include "store/BoxControl.h"
#include "store/BoxModel.h"
#include "store/MainForm.h"

namespace bw {

namespace {
// A cell of the box's row read as a number; 0 for an empty or non-numeric cell or a box
// without a row.
double cellOf(const BoxControl* box, int column) {
    if (!box) return 0.0;
    const int row = BoxRow(box);
    const Grid& g = MF().BoxGrid();
    if (row < g.FixedRows() || row >= g.Rows()) return 0.0;
    return Val(g.TextMatrix(row, column));
}
}  // namespace

int BoxRow(const BoxControl* box) {
    return box ? CLng(Val(box->Tag)) : 0;
}

int BoxRelatedRow(const BoxControl* box, bool second) {
    return CLng(cellOf(box, second ? col::RCtl1 : col::RCtl));
}
int BoxSumRow(const BoxControl* box) {
    return CInt(cellOf(box, col::SumID));
}
int BoxSumRow1(const BoxControl* box) {
    return CInt(cellOf(box, col::SumID1));
}

int BoxLabelSide(const BoxControl* box) {
    if (!box) return 0;
    const int row = BoxRow(box);
    const Grid& g = MF().BoxGrid();
    if (row < g.FixedRows() || row >= g.Rows()) return 0;
    return SideCode(g.TextMatrix(row, col::Dir));
}

double BoxDataType(const BoxControl* box) {
    return cellOf(box, col::Cash);
}
int BoxRecordId(const BoxControl* box) {
    return CLng(cellOf(box, col::ID));
}

namespace {

// The grid row a box's tag names: a plain whole number read at once, anything else the
// way Val reads it.
double tagRow(const QString& tag) {
    bool whole = false;
    const int n = tag.toInt(&whole);
    return whole ? n : Val(tag);
}

// The box index last found for each grid row: a hint, trusted only when the box with that
// index is still there, of the row's kind and tagged with that row.
std::vector<int>& foundIndexes() {
    static std::vector<int> indexes;
    return indexes;
}

}  // namespace

BoxControl* BoxOfRow(int row) {
    const Grid& g = MF().BoxGrid();
    if (row < g.FixedRows() || row >= g.Rows()) return nullptr;
    const int kind = CLng(Val(g.TextMatrix(row, col::Clas)));
    if (kind < 0 || kind > 4) return nullptr;
    std::vector<int>& hints = foundIndexes();
    if (row < int(hints.size()) && hints[row] >= FirstBoxIndex(kind) &&
        hints[row] <= LastBoxIndex(kind)) {
        BoxControl* b = GetBoxByIndex(hints[row]);
        if (b && tagRow(b->Tag) == row) return b;
    }
    for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i) {
        BoxControl* b = GetBoxByIndex(i);
        if (b && tagRow(b->Tag) == row) {
            NoteBoxOfRow(row, i);
            return b;
        }
    }
    return nullptr;
}

void NoteBoxOfRow(int row, int index) {
    if (row < 0) return;
    std::vector<int>& hints = foundIndexes();
    if (row >= int(hints.size())) hints.resize(row + 1, 0);
    hints[row] = index;
}

BoxControl* BoxOfRecordId(double id) {
    const Grid& g = MF().BoxGrid();
    for (int r = g.FixedRows(); r < g.Rows(); ++r) {
        const QString& t = g.TextRef(r, col::ID);
        if (!IsNumeric(t)) continue;
        if (Val(t) == id) return BoxOfRow(r);
    }
    return nullptr;
}

int BoxIndexOfRow(int row) {
    BoxControl* b = BoxOfRow(row);
    return b ? b->Index() : 0;
}

int BoxIndexOfId(double id) {
    if (id < 1) return 0;
    BoxControl* b = BoxOfRecordId(id);
    return b ? b->Index() : 0;
}

int SideCode(const QString& name) {
    if (name == QStringLiteral("左边")) return 1;
    if (name == QStringLiteral("右边")) return 2;
    if (name == QStringLiteral("下方")) return 3;
    return 0;
}

QString SideName(int code) {
    switch (code) {
        case 0:
            return QStringLiteral("上方");
        case 1:
            return QStringLiteral("左边");
        case 2:
            return QStringLiteral("右边");
        case 3:
            return QStringLiteral("下方");
        default:
            return {};
    }
}

double PackOptionCode(double x, int n) {
    const double packed = std::fabs(x) + static_cast<std::int16_t>(n * 1000);
    return x < 0 ? -packed : packed;
}

}  // namespace bw
