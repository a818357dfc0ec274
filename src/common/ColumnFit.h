#pragma once
// Fitting a grid's columns to their texts. The widest text of each column is measured a band
// of rows at a time, so a grid that fills in pieces can be measured while it fills; the
// widths are set at the end, as AutoFitGridColumns sets them.

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <vector>

class QWidget;

namespace bw {

class Grid;
class CharAdvances;

class ColumnFit {
public:
    // Measures in the font of `form` (the application font when null), from `startRow` on.
    ColumnFit(QWidget* form, const Grid& grid, int startRow);

    // Measures the rows from the next one not measured up to `lastRow` (inclusive).
    void MeasureTo(const Grid& grid, int lastRow);

    // Measures the rows left and sets the widths: each column from the serial column on as
    // wide as its widest text (and its caption, for a column with text) plus 100, 50 when it
    // holds no text, at most half the grid's width; columns before the serial one hidden.
    // Above 200 rows, with `showProgress`, the progress window shows.
    void Finish(Grid& grid, bool showProgress);

private:
    double roughWidth(QStringView text);
    // The widest of the column so far, widened to the text when it is wider (a long text
    // measured on its start).
    void widen(int& widest, const QString& text);

    QFont font_;
    QFontMetricsF fmf_;
    CharAdvances* advances_;
    int serial_;
    int nextRow_;
    std::vector<int> px_;
};

}  // namespace bw
