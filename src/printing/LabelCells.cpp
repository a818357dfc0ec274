#include "printing/LabelCells.h"

#include <QCheckBox>
#include <QLineEdit>
#include <algorithm>

#include "platform/DrawTarget.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "printing/PictureCache.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/MainForm.h"
#include "store/PictureRefresh.h"

namespace bw {

bool LabelOptionTicked(int ck) {
    const auto it = MF().CK.find(ck);
    return it != MF().CK.end() && it->second && it->second->isChecked();
}

double LabelSetting(int i) {
    const QLineEdit* box = MF().TNum[i];
    return box ? Val(box->text()) : 0;
}

std::vector<LabelCell> LabelPageCells(long long page, long long cols, long long rows, double areaW,
                                      double areaH, int gridRows, int fixedRows) {
    std::vector<LabelCell> cells;
    if (gridRows < 2) return cells;
    cols = std::max(1LL, cols);
    rows = std::max(1LL, rows);
    long long dataRow = page * cols * rows + fixedRows;
    const double w = areaW / double(cols), h = areaH / double(rows);
    for (long long r = 0; r < rows; ++r) {
        for (long long c = 0; c < cols; ++c) {
            if (dataRow > gridRows - 1 && dataRow > fixedRows) return cells;
            cells.push_back({double(c) * w, double(r) * h, w, h, dataRow});
            ++dataRow;
        }
    }
    return cells;
}

long long LabelsPerPage(double cols, double rows) {
    return std::max<long long>(1, CLng64(cols * rows));
}

int LastLabelPage(double count, long long perPage) {
    perPage = std::max(1LL, perPage);
    const double last = Int((count + double(perPage) - 1) / double(perPage) - 1);
    return int(std::clamp(last, -1.0, 32767.0));
}

std::vector<BillValues> LabelBills(const std::vector<LabelCell>& cells) {
    std::vector<long long> rows;
    rows.reserve(cells.size());
    for (const LabelCell& c : cells) rows.push_back(c.dataRow);
    return RecordBills(*MF().MSF[1], rows);
}

QString LabelBoxValue(BoxControl* box, const BillValues& bill) {
    switch (box->Kind()) {
        case kTextBox:
        case kPictureBox:
            return bill.Of(box->Index());
        case kCheckBox:
            return bill.Of(box->Index()) == QLatin1String("1") ? QStringLiteral("√") : QString();
        case kLabel: {
            const Grid& g = MF().BoxGrid();
            const int row = BoxRow(box);
            return row >= g.FixedRows() && row < g.Rows() ? g.TextMatrix(row, col::LBL) : QString();
        }
        default:
            return QString();
    }
}

bool IsPictureValue(const QString& value) {
    return IsPictureFileText(value);
}

QImage LabelPicture(const QString& path, QSize pixels) {
    return CachedPicture(path, pixels, true);
}

QStringList LabelTextLines(DrawTarget& target, const QString& text, double maxWidth, bool wrap) {
    QStringList out;
    for (QString line : text.split(QStringLiteral("\r\n"))) {
        if (!wrap || line.isEmpty()) {
            out << line;
            continue;
        }
        while (!line.isEmpty()) {
            // The longest start that fits; one character stays however wide it is.
            int fit = int(line.size());
            if (fit >= 2 && target.TextWidth(line) > maxWidth) {
                int lo = 1, hi = fit - 1;
                while (lo < hi) {
                    const int mid = (lo + hi + 1) / 2;
                    if (target.TextWidth(line.left(mid)) > maxWidth)
                        hi = mid - 1;
                    else
                        lo = mid;
                }
                fit = lo;
            }
            out << line.left(fit);
            line = line.mid(fit);
        }
    }
    return out;
}

LabelPaper LabelSheetPaper(double areaW, double areaH, bool turned) {
    const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    const QSizeF sheet = turned ? a4.transposed() : a4;
    if (areaW <= sheet.width() && areaH <= sheet.height())
        return {QPageSize(QPageSize::A4), turned};
    // Paper sizes are given upright; a wide area is upright paper turned.
    const bool wide = areaW > areaH;
    const QSizeF upright = wide ? QSizeF(areaH, areaW) : QSizeF(areaW, areaH);
    return {QPageSize(upright, QPageSize::Millimeter, QString(), QPageSize::ExactMatch), wide};
}

}  // namespace bw
