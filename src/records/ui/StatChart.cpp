#include "records/ui/StatChart.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "common/GridFunctions.h"
#include "platform/DrawTarget.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"

namespace bw {

namespace {

// The CJK font the project installs stands for the bold and plain Chinese fonts.
const QString kChartFont = QStringLiteral("WenQuanYi Micro Hei");
const QColor kBlack(0, 0, 0), kRed(255, 0, 0), kBlue(0, 0, 255), kGridLight(0xD0, 0xD0, 0xD0),
    kGridDark(0xA0, 0xA0, 0xA0), kWatermark(0xFA, 0xFA, 0xFA);

struct Plot {
    double left, top, right, bottom, width, height;
};

Plot plotArea(const DrawTarget& t) {
    const double w = t.ScaleWidth(), h = t.ScaleHeight();
    return {kChartLeft,
            kChartTop,
            w - kChartRight,
            h - kChartBottom,
            w - kChartLeft - kChartRight,
            h - kChartTop - kChartBottom};
}

void setFontPixels(DrawTarget& t, int pixels) {
    t.SetFontSize(pixels * 72.0 / std::max(1.0, t.DpiY()));
}

// The X labels: turned to read downwards, their top-right corner 180 twips right of their
// period and 20 below the axis, 12 pixels high, at least 60 twips apart.
constexpr double kXLabelShift = 180, kXLabelDrop = 20, kXLabelGap = 60;
constexpr int kXLabelPixels = 12;

// The distance between two periods of the plot.
double rowStep(const Plot& p, int firstRow, int lastRow) {
    return lastRow - firstRow < 1 ? p.right - p.left : (p.right - p.left) / (lastRow - firstRow);
}

void drawCaption(DrawTarget& t) {
    t.SetFontName(kChartFont);
    t.SetForeColor(kWatermark);
    t.SetFontSize(50);
    t.SetFontBold(true);
    const double step = t.TextHeight(QStringLiteral("A")) + 180;
    for (int i = 0; i <= 10; ++i) {
        t.SetCurrentX(120);
        t.SetCurrentY(step * i);
        t.Print(QStringLiteral("Bellweft"));
    }
    t.SetFontBold(false);
    t.SetForeColor(kBlack);
}

void drawTitle(DrawTarget& t, const QString& title, double topMargin) {
    if (title.isEmpty()) {
        t.SetFontSize(10);
        return;
    }
    const QStringList lines = title.split(QStringLiteral("\r\n"));
    double y = 0;
    for (int i = 0; i < lines.size(); ++i) {
        t.SetFontSize(i == 0 ? 18 : 10);
        if (i == 0) {
            y = std::trunc((topMargin - t.TextHeight(QStringLiteral("H"))) / 5);
            t.SetFontBold(true);
            t.SetForeColor(kBlack);
        } else {
            t.SetFontBold(false);
            t.SetForeColor(kRed);
        }
        t.SetCurrentX(std::trunc((t.ScaleWidth() - t.TextWidth(lines[i])) / 2));
        t.SetCurrentY(y);
        t.Print(lines[i]);
        y += t.TextHeight(QStringLiteral("H")) + 90;
    }
    t.SetFontBold(false);
    t.SetForeColor(kBlack);
    t.SetFontSize(10);
}

// The left axis; returns its top value (0 and nothing drawn for max <= 0).
double drawAxes(DrawTarget& t, const Grid& g, double max, int firstRow, int lastRow,
                bool negative) {
    if (!(max > 0)) return 0;
    const Plot p = plotArea(t);
    drawTitle(t, g.Tag(), kChartTop);
    t.SetDrawStyle(LineStyle::Solid);
    t.SetDrawWidth(1);
    t.Line(p.left, p.bottom, p.right, p.bottom, kBlack);
    t.Line(p.left, p.top, p.left, p.bottom, kBlack);
    const double dx = rowStep(p, firstRow, lastRow);
    t.SetDrawStyle(LineStyle::Dot);
    for (const ChartLabel& label : ChartXLabels(t, g, firstRow, lastRow)) {
        const int r = label.row;
        const double x = p.left + (r - firstRow) * dx;
        if (r > 0 && r < g.Rows() - 1) t.Line(x, p.top, x, p.bottom, kGridLight);
        t.SetForeColor(kBlue);
        DrawTextAngle(t, x + kXLabelShift, p.bottom + kXLabelDrop,
                      g.TextMatrix(r, g.FixedCols() - 1), -90, true, kXLabelPixels);
    }
    const double step = ChartAxisStep(max);
    const int n = negative ? 20 : 10;
    const double dy = (p.bottom - p.top) / n;
    for (int k = 1; k <= n; ++k) {
        const double y = p.bottom - k * dy;
        t.Line(p.left + 20, y, p.right, y, kGridDark);
        t.SetForeColor(kBlue);
        const double label = (n == 20 ? k - 10 : k) * step;
        DrawTextAngle(t, p.left - 20, y, QString::number(label, 'g', 12), 0, false, 12);
    }
    t.SetDrawStyle(LineStyle::Solid);
    t.SetForeColor(kBlack);
    return step * 10;
}

// The right axis for the columns from `split` on; its top value, 0 when there is none.
double drawRightAxis(DrawTarget& t, const Grid& g, int firstRow, int lastRow, int split) {
    if (split < 1 || split >= g.Cols()) return 0;
    double mx = GetRangeMax(g, firstRow, lastRow, split, g.Cols() - 1, 0);
    if (!(mx > 0)) return 0;
    mx *= 1.1;
    const Plot p = plotArea(t);
    t.SetDrawStyle(LineStyle::Dot);
    t.Line(p.right, p.top, p.right, p.bottom, kBlack);
    t.SetDrawStyle(LineStyle::Solid);
    const double step = Fix((mx + 9) / 10);
    const double dy = (p.bottom - p.top) / 10;
    for (int k = 1; k <= 10; ++k) {
        const double y = p.bottom - k * dy;
        t.Line(p.right, y, p.right + 90, y, kRed);
        t.SetForeColor(kRed);
        DrawTextAngle(t, p.right + 20, y, QString::number(k * step, 'g', 12), 0, true, 12);
    }
    t.SetForeColor(kBlack);
    return step * 10;
}

// Where the value label of a point at (x, y) stands: above the point, ending at x, or
// starting there for the first point of a series.
QRectF valueLabelRect(DrawTarget& t, const QString& text, double x, double y, bool first) {
    const DrawSettings saved = t.Settings();
    t.SetFontName(kChartFont);
    setFontPixels(t, 11);
    const double up = t.TextHeight(QStringLiteral("国"));
    const double width = t.TextWidth(text);
    t.Restore(saved);
    return QRectF(first ? x : x - width, y - up, width, up);
}

// Whether a label touches one drawn before it; those were drawn left to right, none wider
// than `widest`, so only the last few can reach it.
bool touchesDrawn(const QRectF& label, const std::vector<QRectF>& drawn, double widest) {
    for (auto it = drawn.rbegin(); it != drawn.rend(); ++it) {
        if (it->left() + widest < label.left()) return false;
        if (it->intersects(label)) return true;
    }
    return false;
}

void plotSeries(DrawTarget& t, const Grid& g, double leftTop, double rightTop, int firstRow,
                int lastRow, bool negative, int split) {
    if (g.Rows() <= g.FixedRows()) return;
    if (split == 0) split = 55555;
    const Plot p = plotArea(t);
    const double dx = lastRow - firstRow < 1 ? p.width : p.width / (lastRow - firstRow);
    if (negative) leftTop *= 2;
    auto scaleOf = [&](int c) { return c >= split ? rightTop : leftTop; };
    auto yOf = [&](double v, double scale) {
        return p.top + p.height - v * p.height / scale - (negative ? p.height / 2 : 0);
    };
    t.SetDrawStyle(LineStyle::Solid);
    t.SetDrawWidth(1);
    for (int c = g.FixedCols(); c < g.Cols(); ++c) {
        const double scale = scaleOf(c) == 0 ? 1 : scaleOf(c);
        const QColor colour = SeriesColor(c, g.Cols() - 1);
        double x = p.left, y = yOf(Val(g.TextRef(firstRow, c)), scale);
        for (int r = firstRow + 1; r <= lastRow; ++r) {
            const double nx = x + dx, ny = yOf(Val(g.TextRef(r, c)), scale);
            // Runs of zero values lie on the axis and draw no line.
            if (!(y >= p.bottom - 10 && ny >= p.bottom - 10)) t.Line(x, y, nx, ny, colour);
            x = nx;
            y = ny;
        }
    }
    // Markers and value labels; the first point of every series has its label start there.
    // A label that would touch one already drawn is left out, so that over a long
    // range the labels do not run together into a band.
    t.SetFillStyle(FillPattern::Solid);
    t.SetFillColor(kRed);
    t.SetForeColor(kBlack);
    for (int c = g.FixedCols(); c < g.Cols(); ++c) {
        const double scale = scaleOf(c);
        if (scale == 0) continue;
        std::vector<QRectF> drawn;
        double widest = 0;
        for (int r = firstRow; r <= lastRow; ++r) {
            const double x = p.left + (r - firstRow) * dx;
            const double y = yOf(Val(g.TextRef(r, c)), scale);
            if (y < p.bottom - 10) t.Circle(x, y, 20, kRed);
            const QRectF label = valueLabelRect(t, g.TextRef(r, c), x, y, r == firstRow);
            if (touchesDrawn(label.adjusted(-kXLabelGap, 0, kXLabelGap, 0), drawn, widest))
                continue;
            DrawTextAngle(t, x, label.top(), g.TextMatrix(r, c), 0, r == firstRow, 11);
            drawn.push_back(label);
            widest = std::max(widest, label.width());
        }
    }
    t.SetFillStyle(FillPattern::Transparent);
}

void drawLegend(DrawTarget& t, const Grid& g, double legendWidth) {
    const double w = t.ScaleWidth(), h = t.ScaleHeight();
    const int series = g.Cols() - g.FixedCols();
    const double rowH = std::min(600.0, std::trunc(h / (series + 1)));
    const double half = std::trunc((rowH - 200) / 2);
    const double x1 = w - legendWidth + 200, x2 = w - 300;
    double y = std::max(0.0, (h - g.Cols() * rowH) / 2);
    t.SetDrawStyle(LineStyle::Solid);
    for (int c = g.FixedCols(); c < g.Cols(); ++c) {
        t.FilledBox(x1, y + half + 200, x2, y + rowH, SeriesColor(c, g.Cols() - 1));
        t.SetForeColor(kBlack);
        DrawTextAngle(t, x1, y + half, g.TextMatrix(g.FixedRows() - 1, c), 0, true, 13);
        y += rowH;
    }
}

}  // namespace

std::vector<ChartLabel> ChartXLabels(DrawTarget& t, const Grid& g, int firstRow, int lastRow) {
    std::vector<ChartLabel> labels;
    if (firstRow < 0) firstRow = g.FixedRows();
    if (lastRow < 0 || lastRow > g.Rows() - 1) lastRow = g.Rows() - 1;
    if (lastRow < firstRow) return labels;
    const ScaleUnit unit = t.ScaleMode();
    t.SetScaleMode(ScaleUnit::Twips);
    const DrawSettings saved = t.Settings();
    t.SetFontName(kChartFont);
    setFontPixels(t, kXLabelPixels);
    const Plot p = plotArea(t);
    const double dx = rowStep(p, firstRow, lastRow);
    // A turned label is as wide as a line of text is high.
    const double across = t.TextHeight(QStringLiteral("0"));
    const double room = across + kXLabelGap;
    const int every = dx > 0 ? std::max(1, static_cast<int>(std::ceil(room / dx - 1e-9))) : 1;
    auto add = [&](int r) {
        const double right = p.left + (r - firstRow) * dx + kXLabelShift;
        const QString& text = g.TextRef(r, g.FixedCols() - 1);
        labels.push_back(
            {r, QRectF(right - across, p.bottom + kXLabelDrop, across, t.TextWidth(text))});
    };
    for (int r = firstRow; r < lastRow; r += every)
        if ((lastRow - r) * dx >= room) add(r);
    add(lastRow);
    t.Restore(saved);
    t.SetScaleMode(unit);
    return labels;
}

QColor SeriesColor(int i, int n) {
    if (n < i) n = i;
    const int t = n > 0 ? static_cast<int>(Int(i * 255.0 / n)) : 0;
    return QColor(std::min(255, 255 - t), std::min(255, t), std::max(0, 255 - t));
}

double ChartAxisStep(double max) {
    const double t = max < 2 ? max * 1.1 : max + 9;
    const double step = Fix(t / 10);
    return step == 0 ? 0.1 : step;
}

void DrawTextAngle(DrawTarget& t, double x, double y, const QString& text, int angle, bool noShift,
                   int pixels, bool bold) {
    const DrawSettings saved = t.Settings();
    t.SetFontName(kChartFont);
    setFontPixels(t, pixels);
    t.SetFontBold(bold);
    if (!noShift) x -= angle != 0 ? t.TextHeight(text) : t.TextWidth(text);
    t.SetCurrentX(x);
    t.SetCurrentY(y);
    if (angle == 0)
        t.Print(text, false);
    else
        t.PrintRotated(text, angle);
    const QColor fore = t.ForeColor();
    t.Restore(saved);
    t.SetForeColor(fore);
}

void DrawStatChart(DrawTarget& t, const Grid& g, int firstRow, int lastRow, bool checkScale) {
    t.SetScaleMode(ScaleUnit::Twips);
    t.Cls();
    if (g.Rows() < 2 || g.Cols() < 2) return;
    if (firstRow < 0) firstRow = g.FixedRows();
    if (lastRow < 0 || lastRow > g.Rows() - 1) lastRow = g.Rows() - 1;

    double max = 0, smallest = 99999999999.0;
    int split = 0;
    for (int c = g.FixedCols(); c < g.Cols(); ++c) {
        double colMin = 0;
        const double colMax = GetRangeMax(g, firstRow, lastRow, c, c, 0, &colMin);
        if (c > g.FixedCols() && checkScale) {
            const double ratio = max != 0 ? colMax / max : -1;
            if (max == 0 || ratio < 0.1 || ratio > 10) {
                split = c;
                break;
            }
        }
        max = std::max(max, colMax);
        smallest = std::min(smallest, colMin);
    }
    max *= 1.1;
    drawCaption(t);
    const bool negative = smallest < 0;
    const double leftTop = drawAxes(t, g, max, firstRow, lastRow, negative);
    const double rightTop = drawRightAxis(t, g, firstRow, lastRow, split);
    if (leftTop > 0 || rightTop > 0)
        plotSeries(t, g, leftTop, rightTop, firstRow, lastRow, negative, split);
    drawLegend(t, g, 1500);
}

}  // namespace bw
