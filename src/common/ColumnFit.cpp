#include "common/ColumnFit.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <unordered_map>

#include "common/Indicator.h"
#include "platform/Grid.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"

namespace bw {

// Advances of the characters of one font, kept in blocks of 256 characters made as a
// character of the block is first asked for (a table of the whole plane would be 512 KB per
// font); the first block, digits and Latin letters, is always there. An advance not
// measured yet is negative.
class CharAdvances {
public:
    CharAdvances() { low_.fill(-1); }

    double& At(char16_t c) {
        if (c < 256) return low_[c];
        auto& block = blocks_[c >> 8];
        if (!block) {
            block = std::make_unique<std::array<double, 256>>();
            block->fill(-1);
        }
        return (*block)[c & 0xFF];
    }

private:
    std::array<double, 256> low_;
    std::array<std::unique_ptr<std::array<double, 256>>, 256> blocks_;
};

namespace {

// Measuring every cell of a large grid is slow, so a text is measured only when the sum of
// its characters' widths goes beyond the widest text so far (the sum runs at or a little
// above the measured width). No slack is allowed beyond it: the 100 twips of margin are the
// cell's padding, and a text skipped by a pixel or two more is drawn cut.
constexpr double kRoughSlackPx = 0;

// A text is measured on its first characters only: no column is wider than half its grid,
// which this many characters pass on any screen, and a cell of megabytes would otherwise
// take seconds.
constexpr qsizetype kMeasuredChars = 4096;

// A cell shows its text on one line: line breaks and tabs are drawn as spaces, and are
// measured as spaces.
bool drawnAsSpace(QChar ch) {
    return ch == u'\n' || ch == u'\r' || ch == u'\t' || ch == QChar::LineSeparator;
}

QFont FontOf(const QWidget* form) {
    return form ? form->font() : QApplication::font();
}

// The advances of a font's characters stay as they are for the life of the process.
CharAdvances& AdvancesOf(const QFont& font) {
    static std::unordered_map<QString, CharAdvances> advancesByFont;
    return advancesByFont[font.key()];
}

}  // namespace

ColumnFit::ColumnFit(QWidget* form, const Grid& grid, int startRow)
    : font_(FontOf(form)),
      fmf_(font_),
      advances_(&AdvancesOf(font_)),
      serial_(grid.FixedCols() - 1),
      nextRow_(std::max(startRow, 0)),
      px_(grid.Cols(), 0) {}

double ColumnFit::roughWidth(QStringView t) {
    double sum = 0;
    for (QChar ch : t) {
        if (ch.isSurrogate()) return std::numeric_limits<double>::max();
        double& w = advances_->At(drawnAsSpace(ch) ? u' ' : ch.unicode());
        if (w < 0) w = fmf_.horizontalAdvance(drawnAsSpace(ch) ? QChar(u' ') : ch);
        sum += w;
    }
    return sum;
}

void ColumnFit::widen(int& widest, const QString& text) {
    const QStringView t = QStringView(text).left(kMeasuredChars);
    if (t.isEmpty() || roughWidth(t) <= widest + kRoughSlackPx) return;
    QString shown = t.size() < text.size() ? t.toString() : text;
    if (std::any_of(t.begin(), t.end(), drawnAsSpace))
        std::replace_if(shown.begin(), shown.end(), drawnAsSpace, QChar(u' '));
    // Whole pixels, rounded up: a text a fraction wider than its column is cut.
    widest = std::max(widest, static_cast<int>(std::ceil(fmf_.horizontalAdvance(shown))));
}

void ColumnFit::MeasureTo(const Grid& grid, int lastRow) {
    // Row by row (the rows' cells lie together in memory), each column in the order of its
    // rows.
    const int cols = std::min(grid.Cols(), static_cast<int>(px_.size()));
    const int firstCol = std::max(serial_, 0);
    lastRow = std::min(lastRow, grid.Rows() - 1);
    for (; nextRow_ <= lastRow; ++nextRow_)
        for (int c = firstCol; c < cols; ++c) widen(px_[c], grid.TextRef(nextRow_, c));
}

void ColumnFit::Finish(Grid& grid, bool showProgress) {
    const bool progress = showProgress && grid.Rows() > 200;
    if (progress) ShowProgress(QStringLiteral("正在做交易数据表格进行格式设置……"), grid.Cols(), 0);
    // A grid without data rows is measured from its first row.
    if (grid.Rows() <= grid.FixedRows() && nextRow_ > 0) {
        nextRow_ = 0;
        std::fill(px_.begin(), px_.end(), 0);
    }
    px_.resize(grid.Cols(), 0);
    MeasureTo(grid, grid.Rows() - 1);
    // The caption counts only for a column with some text below it.
    if (grid.FixedRows() > 0)
        for (int c = std::max(serial_, 0); c < grid.Cols(); ++c)
            if (px_[c] != 0) widen(px_[c], grid.TextRef(grid.FixedRows() - 1, c));
    for (int c = 0; c < grid.Cols(); ++c) {
        double w = 0;
        if (c >= serial_) w = PixelsToTwipsF(px_[c]);
        w = (w != 0) ? w + 100 : 50;
        if (w > grid.Width() / 2.0) w = grid.Width() / 2.0;
        if (c < serial_) w = 0;
        grid.SetColWidth(c, CLng(w));
        if (progress) UpdateProgress(1, QStringLiteral("pages"));
    }
    if (progress) CloseProgress();
}

}  // namespace bw
