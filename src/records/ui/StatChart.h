#pragma once
// The statistics line chart: the numeric columns of a grid as polylines over its rows, with a
// faint watermark, a title from the grid's Tag, a left value axis with a dotted grid, the
// rows' labels turned under the X axis, a second axis on the right for columns whose scale
// differs more than ten times, red point markers, value labels and a legend. All positions
// are twips of the drawing target.

#include <QColor>
#include <QRectF>
#include <QString>
#include <vector>

namespace bw {

class DrawTarget;
class Grid;

// The plot area's margins.
inline constexpr double kChartLeft = 1200, kChartTop = 1200, kChartRight = 1800,
                        kChartBottom = 1600;

// The whole chart. firstRow -1 means the grid's first data row, lastRow -1 (or beyond the
// grid) its last row. With checkScale a column whose maximum lies outside 0.1..10 times the
// left axis's goes, with the columns after it, to a right axis. Nothing but the cleared
// surface for a grid of fewer than 2 rows or 2 columns.
void DrawStatChart(DrawTarget& target, const Grid& grid, int firstRow = -1, int lastRow = -1,
                   bool checkScale = true);

// A row's label under the X axis: the grid row and where its text stands, in twips.
struct ChartLabel {
    int row;
    QRectF rect;
};

// The labels drawn under the X axis of the chart of rows firstRow..lastRow (-1 as in
// DrawStatChart): every k-th period from the first, k the fewest periods whose width holds a
// turned label, and the last period, which takes the place of a k-th label too near it. So
// over a long range no two labels touch, and each labelled period has its dotted grid line.
std::vector<ChartLabel> ChartXLabels(DrawTarget& target, const Grid& grid, int firstRow = -1,
                                     int lastRow = -1);

// The colour of series i of n: magenta for 0, green for n, in between on the way.
QColor SeriesColor(int i, int n);

// The step of the left axis for a maximum: Fix(t / 10) with t = max × 1.1 below 2, else
// max + 9; 0.1 when that is 0.
double ChartAxisStep(double max);

// Text at (x, y) turned by `angle` degrees (-90 reads top to bottom) in a font of `pixels`
// pixels; without noShift the text ends at x (angle 0) or is moved left by its height.
void DrawTextAngle(DrawTarget& target, double x, double y, const QString& text, int angle,
                   bool noShift, int pixels, bool bold = false);

}  // namespace bw
