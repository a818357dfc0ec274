#pragma once
// The statistics window "数据统计分析": what to count (bills or an amount box), which bills
// (all, or those whose condition box holds a value), where the bill date is (one box, or a
// year, a month and a day box), per day or per month, over a date range; the result grid
// and its line chart side by side with a splitter between them, remembered in the settings.

#include <QDialog>
#include <array>
#include <memory>

class QComboBox;
class QDateEdit;
class QFrame;
class QPushButton;
class QRadioButton;

namespace bw {

class Grid;
class GridView;
class PictureWidget;
struct StatsRequest;

class AnalyseWindow : public QDialog {
    Q_OBJECT
public:
    explicit AnalyseWindow(QWidget* parent = nullptr);
    ~AnalyseWindow() override;

    std::array<QComboBox*, 7> COM{};    // 0 amount, 1 condition box, 2 value, 3 date, 4-6 y/m/d
    std::array<QRadioButton*, 8> OP{};  // see the window's captions
    std::array<QDateEdit*, 2> DTP{};    // from, to
    QPushButton* Comm = nullptr;        // runs the statistics
    GridView* MSF = nullptr;
    QFrame* SplitLine = nullptr;
    PictureWidget* Pic = nullptr;
    Grid& ResultGrid() { return *grid_; }

    // Fills the lists from the open format, chooses the date kind, the date range (1 January
    // to today) and the splitter position from the settings.
    void Form_Load();
    // The grid beside the splitter, the chart to the right of it.
    void Form_Resize();
    // Enables the combos of the chosen options; the period options recompute at once.
    void OP_Click(int index);
    // A chosen condition box lists its recorded values.
    void COM_Click(int index);
    // Computes the statistics of the open format into the grid and draws the chart.
    void Comm_Click();
    // Moves the splitter to `left` twips (clamped to the window), or stores where it is.
    void MoveSplitter(double left);
    void SaveSplitter();
    // The request the controls describe for a format.
    StatsRequest Request(const QString& format) const;

    // The grid's and the chart's pop-up commands: the grid through the grid export, the
    // chart as a JPEG picture of quality 80 (asking before it replaces a file).
    void exportGrid();
    void exportChart();

    // The window that is open now, or a new one; shown without blocking.
    static AnalyseWindow* Show(QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;


private:
    void Analyse(const QString& format);
    std::unique_ptr<Grid> grid_;
};

}  // namespace bw
