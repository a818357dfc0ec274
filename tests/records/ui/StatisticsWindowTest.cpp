// The statistics chart drawn into a picture, and the statistics window as a user drives it:
// the date kind chosen from the format's boxes, the splitter, the lists that take no keys, a
// run by month with its chart, its values written as the numbers' texts and exported as
// such, the chart saved as a JPEG; a screenshot goes to the artifact folder.

#include <QComboBox>
#include <QDateEdit>
#include <QImageReader>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "PrintTestSupport.h"
#include "common/Database.h"
#include "common/Params.h"
#include "common/TwipGeometry.h"
#include "platform/Grid.h"
#include "platform/PictureWidget.h"
#include "platform/TextCodec.h"
#include "platform/Twips.h"
#include "records/ui/AnalyseWindow.h"
#include "records/ui/StatChart.h"

using namespace bw;

namespace {

// A statistics-shaped grid: 2 fixed rows, 3 fixed columns, then the series.
void chartGrid(Grid& g, const std::vector<std::vector<double>>& series, int rows) {
    g.SetCols(3 + static_cast<int>(series.size()));
    g.SetRows(2 + rows);
    g.SetFixedRows(2);
    g.SetFixedCols(3);
    for (size_t c = 0; c < series.size(); ++c)
        g.SetTextMatrix(1, 3 + static_cast<int>(c), QString("列%1").arg(c));
    for (int r = 0; r < rows; ++r) {
        g.SetTextMatrix(2 + r, 2, QString("2013-03-%1").arg(r + 1, 2, 10, QChar('0')));
        for (size_t c = 0; c < series.size(); ++c)
            g.SetTextMatrix(2 + r, 3 + static_cast<int>(c), QString::number(series[c][r]));
    }
    g.SetTag("票据开单统计分析图表\r\n统计：Bellweft");
}

int countNear(const QImage& img, QColor colour, int tolerance = 40) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor p = img.pixelColor(x, y);
            if (std::abs(p.red() - colour.red()) + std::abs(p.green() - colour.green()) +
                    std::abs(p.blue() - colour.blue()) <
                tolerance)
                ++n;
        }
    return n;
}

}  // namespace

TEST(StatChart, StepsAndSeriesColours) {
    const std::pair<double, double> steps[] = {{1.5, 0.1}, {100, 10}, {1000 * 1.1, 110}, {0, 0.1}};
    for (auto [max, step] : steps) EXPECT_DOUBLE_EQ(ChartAxisStep(max), step) << max;
    EXPECT_EQ(SeriesColor(5, 4), SeriesColor(4, 4));  // n grows to i
}

TEST(StatChart, DrawsSeriesMarkersAndASecondAxisWhenScalesDiffer) {
    // Amounts up to 1000 and counts up to 30: the counts go to a red right axis.
    Grid g;
    chartGrid(g, {{100, 1000, 400, 700}, {10, 30, 0, 20}}, 4);
    ImageTarget wide(1100, 600);
    DrawStatChart(wide, g, -1, -1, true);
    const QImage img = wide.Image();
    EXPECT_GT(countNear(img, QColor(255, 0, 0)), 200);      // markers and right axis
    EXPECT_GT(countNear(img, SeriesColor(3, 4)), 100);      // first series
    EXPECT_GT(countNear(img, SeriesColor(4, 4), 60), 100);  // second series
    img.save(QDir(test::ArtifactDir()).filePath("statistics_chart.png"));

    // Right of the plot area red labels stand only with a second axis.
    auto redRight = [](const QImage& i) {
        const int from = TwipsToPixels(PixelsToTwips(i.width()) - kChartRight) + 4;
        return countNear(i.copy(from, 0, i.width() - from - 60, i.height()), QColor(255, 0, 0));
    };
    EXPECT_GT(redRight(img), 20);
    ImageTarget shared(1100, 600);
    Grid g2;
    chartGrid(g2, {{100, 1000, 400, 700}, {50, 500, 200, 300}}, 4);
    DrawStatChart(shared, g2, -1, -1, true);
    EXPECT_LT(redRight(shared.Image()), 5);

    // Too small a grid draws nothing but the cleared surface.
    ImageTarget empty(200, 100);
    Grid one;
    one.SetRows(1);
    one.SetCols(1);
    DrawStatChart(empty, one);
    EXPECT_EQ(countNear(empty.Image(), QColor(255, 255, 255), 3), 200 * 100);
}

// A statistics grid of one period a row, labelled as the statistics label them.
void periodGrid(Grid& g, const QStringList& periods) {
    chartGrid(g, {std::vector<double>(periods.size(), 0)}, static_cast<int>(periods.size()));
    for (int r = 0; r < periods.size(); ++r) {
        g.SetTextMatrix(2 + r, 2, periods[r]);
        g.SetTextMatrix(2 + r, 3, QString::number(100 + (r * 37) % 900));
    }
}

// The X labels of a drawn chart: they stand apart, the first and the last period among them,
// as many as the axis holds; the blue under the axis is theirs.
void expectLabelsApart(ImageTarget& t, const Grid& g) {
    DrawStatChart(t, g, -1, -1, true);
    const std::vector<ChartLabel> labels = ChartXLabels(t, g);
    ASSERT_GE(labels.size(), 2u);
    EXPECT_EQ(labels.front().row, g.FixedRows());
    EXPECT_EQ(labels.back().row, g.Rows() - 1);
    for (size_t i = 0; i + 1 < labels.size(); ++i)
        EXPECT_LT(labels[i].rect.right(), labels[i + 1].rect.left())
            << g.TextMatrix(labels[i].row, 2).toStdString() << " touches "
            << g.TextMatrix(labels[i + 1].row, 2).toStdString();
    // Periods are left out only where their labels would touch.
    const double plotWidth = t.ScaleWidth() - kChartLeft - kChartRight;
    if (static_cast<int>(labels.size()) < g.Rows() - g.FixedRows()) {
        EXPECT_GT(labels.size() * 2 * (labels.front().rect.width() + 60), plotWidth);
    }

    const QImage img = t.Image();
    const int top = TwipsToPixels(t.ScaleHeight() - kChartBottom) + 2;
    const int right = TwipsToPixels(t.ScaleWidth() - 1500);  // the legend beyond
    std::vector<int> inLabel(labels.size(), 0);
    int stray = 0;
    for (int y = top; y < img.height(); ++y) {
        for (int x = 0; x < right; ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.blue() < 150 || c.red() > 120 || c.green() > 120) continue;
            bool inside = false;
            for (size_t i = 0; i < labels.size() && !inside; ++i) {
                const QRectF& r = labels[i].rect;
                inside = PixelsToTwips(x + 2) >= r.left() && PixelsToTwips(x - 2) <= r.right() &&
                         PixelsToTwips(y + 2) >= r.top() && PixelsToTwips(y - 2) <= r.bottom();
                if (inside) ++inLabel[i];
            }
            if (!inside) ++stray;
        }
    }
    EXPECT_EQ(stray, 0);
    for (size_t i = 0; i < labels.size(); ++i) EXPECT_GT(inLabel[i], 5) << i;
}

TEST(StatChart, TheLabelsOfThirteenYearsByDayAndByMonthStandApart) {
    QStringList days, months;
    for (QDate d(2013, 1, 1); d <= QDate(2026, 12, 31); d = d.addDays(1))
        days << d.toString("yyyy-MM-dd");
    for (QDate d(2013, 1, 1); d <= QDate(2026, 12, 1); d = d.addMonths(1))
        months << d.toString("yyyy-MM");
    for (const QStringList* periods : {&days, &months}) {
        Grid g;
        periodGrid(g, *periods);
        for (QSize size : {QSize(817, 457), QSize(1100, 600)}) {
            SCOPED_TRACE(periods->size());
            ImageTarget t(size.width(), size.height());
            expectLabelsApart(t, g);
        }
    }
    // A few periods keep every label.
    Grid few;
    periodGrid(few, months.mid(0, 12));
    ImageTarget t(1100, 600);
    expectLabelsApart(t, few);
    EXPECT_EQ(ChartXLabels(t, few).size(), 12u);
    t.Image().save(QDir(test::ArtifactDir()).filePath("statistics_chart_12_months.png"));
    Grid long_;
    periodGrid(long_, days);
    ImageTarget byDay(1100, 600);
    DrawStatChart(byDay, long_);
    byDay.Image().save(QDir(test::ArtifactDir()).filePath("statistics_chart_13_years.png"));
}

TEST(StatChart, TheValueLabelsOfAYearByDayDoNotRunTogether) {
    // A year of days, nearly all zero: their labels lie on the axis side by side.
    std::vector<double> values(365, 0);
    values[100] = 250;
    Grid g;
    chartGrid(g, {values}, 365);
    ImageTarget t(1100, 600);
    DrawStatChart(t, g);
    const QImage img = t.Image();
    // The band just above the X axis: columns holding black text, in runs.
    const int axis = TwipsToPixels(t.ScaleHeight() - kChartBottom);
    const int left = TwipsToPixels(kChartLeft) + 2;
    const int right = TwipsToPixels(t.ScaleWidth() - kChartRight);
    int run = 0, longest = 0, runs = 0;
    for (int x = left; x < right; ++x) {
        bool ink = false;
        for (int y = axis - 14; y < axis - 2 && !ink; ++y) {
            const QColor c = img.pixelColor(x, y);
            ink = c.red() < 90 && c.green() < 90 && c.blue() < 90;
        }
        run = ink ? run + 1 : 0;
        if (run == 1) ++runs;
        longest = std::max(longest, run);
    }
    // A "0" is a few pixels wide; a band of labels runs across the whole plot.
    EXPECT_LT(longest, 30);
    EXPECT_GT(runs, 10);
}

class StatisticsWindow : public test::PrintFixture {
protected:
    void SetUp() override {
        PrintFixture::SetUp();
        NewFormat("回单", 120, 60);
        year = AddBox({.kind = 0, .caption = "年", .x = 10, .y = 5, .cash = 106});
        month = AddBox({.kind = 0, .caption = "月", .x = 30, .y = 5, .cash = 107});
        day = AddBox({.kind = 0, .caption = "日", .x = 50, .y = 5, .cash = 108});
        amount = AddBox({.kind = 0, .caption = "金额", .x = 10, .y = 20, .cash = 104});
        Show();
        const char* bills[][4] = {
            {"2013", "1", "5", "100"}, {"2013", "3", "20", "0.1"}, {"2013", "3", "21", "0.2"}};
        for (int b = 0; b < 3; ++b) {
            const qint64 ids[] = {year, month, day, amount};
            for (int i = 0; i < 4; ++i)
                ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, '回单', ?, ?)",
                           {b + 1, ids[i], QString(bills[b][i])});
        }
    }
    qint64 year = 0, month = 0, day = 0, amount = 0;
};

TEST_F(StatisticsWindow, OpensOnCombinedDatesComputesByMonthAndSavesTheChart) {
    SaveRegValue("BWF", "位置", "统计_分界线", "");
    AnalyseWindow* w = AnalyseWindow::Show();
    ASSERT_NE(w, nullptr);
    // No whole-date box: the combined date is chosen and its lists are enabled.
    EXPECT_TRUE(w->OP[5]->isChecked());
    EXPECT_FALSE(w->COM[3]->isEnabled());
    EXPECT_TRUE(w->COM[4]->isEnabled());
    EXPECT_EQ(w->COM[0]->currentText(), "金额");
    EXPECT_FALSE(w->COM[1]->isEnabled());
    EXPECT_EQ(TwLeft(w->SplitLine), 3960);

    // Keys never change a list.
    const int before = w->COM[0]->currentIndex();
    QTest::keyClick(w->COM[0], Qt::Key_Down);
    EXPECT_EQ(w->COM[0]->currentIndex(), before);

    w->DTP[0]->setDate(QDate(2013, 1, 1));
    w->DTP[1]->setDate(QDate(2013, 12, 31));
    w->OP[7]->click();  // by month: computes at once
    const Grid& g = w->ResultGrid();
    ASSERT_EQ(g.Rows() - g.FixedRows(), 3);
    EXPECT_EQ(g.TextMatrix(2, 2), "2013-01");
    // Values are the text of the number, and so is their export: 0.1 + 0.2 is 0.3.
    EXPECT_EQ(g.TextMatrix(2, 3), "100");
    EXPECT_EQ(g.TextMatrix(3, 3), "0");
    EXPECT_EQ(g.TextMatrix(4, 3), "0.3");
    const QString csv = QDir(test::ArtifactDir()).filePath("statistics_grid.csv");
    QFile::remove(csv);
    {
        test::ScriptedAnswers answers;
        answers << csv;
        w->exportGrid();
    }
    QFile exported(csv);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_EQ(FromAnsi(exported.readAll()),
              "序号\t,日期\t,金额\t\r\n1\t,2013-01\t,100\t\r\n2\t,2013-02\t,0\t\r\n"
              "3\t,2013-03\t,0.3\t\r\n");
    EXPECT_GT(countNear(w->Pic->Image(), QColor(255, 0, 0)), 50);
    w->grab().save(QDir(test::ArtifactDir()).filePath("statistics_window.png"));

    // The splitter stops at the edges and is remembered.
    w->MoveSplitter(-500);
    EXPECT_EQ(TwLeft(w->SplitLine), 0);
    w->MoveSplitter(1e9);
    EXPECT_NEAR(TwLeft(w->SplitLine), PixelsToTwips(w->width()) - 45, 1);
    w->MoveSplitter(5000);
    w->SaveSplitter();
    EXPECT_EQ(GetRegValue("BWF", "位置", "统计_分界线", ""), "5000");

    // The chart is saved as a JPEG picture, after asking before a file is replaced.
    const QString file = QDir(test::ArtifactDir()).filePath("statistics_chart_export");
    QFile::remove(file + ".jpg");
    {
        test::ScriptedAnswers answers;
        answers << file;  // no extension: ".jpg" is added
        w->exportChart();
        EXPECT_TRUE(answers.messages().isEmpty());
    }
    QImageReader reader(file + ".jpg");
    EXPECT_EQ(reader.format(), "jpeg");
    EXPECT_EQ(reader.size(), w->Pic->size());
    test::ScriptedAnswers answers;  // answered No: the file stays
    answers << file + ".jpg";
    w->exportChart();
    EXPECT_EQ(answers.lastMessage(), "文件“" + file + ".jpg”已存在，是否覆盖？");
    w->close();
}

TEST_F(StatisticsWindow, ThirteenYearsByDayShowWholeDatesAndLabelsThatStandApart) {
    // A bill every sixty days up to 2026-11-30: every day between gets its row.
    int id = 4;
    for (QDate d(2013, 3, 6);; d = d.addDays(60)) {
        const QDate bill = std::min(d, QDate(2026, 11, 30));
        ExecuteSql(
            "INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, '回单', ?, ?), (?, '回单', ?, ?), "
            "(?, '回单', ?, ?), (?, '回单', ?, '80')",
            {id, year, QString::number(bill.year()), id, month, QString::number(bill.month()), id,
             day, QString::number(bill.day()), id, amount});
        ++id;
        if (bill == QDate(2026, 11, 30)) break;
    }
    AnalyseWindow* w = AnalyseWindow::Show();
    ASSERT_NE(w, nullptr);
    w->DTP[0]->setDate(QDate(2013, 1, 1));
    w->DTP[1]->setDate(QDate(2026, 12, 31));
    // Each picker shows its whole date beside its calendar button.
    for (QDateEdit* picker : w->DTP) {
        auto* edit = picker->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        EXPECT_GE(edit->width(), edit->fontMetrics().horizontalAdvance(edit->text()) + 2)
            << edit->text().toStdString();
        EXPECT_GE(picker->width(), picker->sizeHint().width());
    }
    w->OP[6]->click();  // by day, from the first bill to the last
    const Grid& g = w->ResultGrid();
    ASSERT_EQ(g.Rows() - g.FixedRows(), QDate(2013, 1, 5).daysTo(QDate(2026, 11, 30)) + 1);
    const std::vector<ChartLabel> labels = ChartXLabels(w->Pic->Target(), g);
    ASSERT_GE(labels.size(), 2u);
    EXPECT_EQ(g.TextMatrix(labels.front().row, 2), "2013-01-05");
    EXPECT_EQ(g.TextMatrix(labels.back().row, 2), "2026-11-30");
    for (size_t i = 0; i + 1 < labels.size(); ++i)
        EXPECT_LT(labels[i].rect.right(), labels[i + 1].rect.left()) << i;
    w->grab().save(QDir(test::ArtifactDir()).filePath("statistics_window_13_years.png"));
    w->close();
}

TEST_F(StatisticsWindow, ByDayEveryDayOfAGapIsListedAndChartedAndTooLongASpanIsRefused) {
    auto bill = [this](int id, QDate date) {
        const qint64 ids[] = {year, month, day, amount};
        const QString values[] = {QString::number(date.year()), QString::number(date.month()),
                                  QString::number(date.day()), "10"};
        for (int i = 0; i < 4; ++i)
            ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, '回单', ?, ?)",
                       {id, ids[i], values[i]});
    };
    bill(4, QDate(2013, 9, 30));  // half a year after the bills of March
    AnalyseWindow* w = AnalyseWindow::Show();
    ASSERT_NE(w, nullptr);
    w->DTP[0]->setDate(QDate(2013, 1, 1));
    w->DTP[1]->setDate(QDate(2013, 12, 31));
    w->OP[6]->click();
    const Grid& g = w->ResultGrid();
    ASSERT_EQ(g.Rows() - g.FixedRows(), 269);  // 5 January to 30 September
    EXPECT_EQ(g.TextMatrix(g.FixedRows() + QDate(2013, 1, 5).daysTo(QDate(2013, 7, 15)), 2),
              "2013-07-15");
    // The chart's axis runs through the gap: periods of July to September are labelled.
    const std::vector<ChartLabel> labels = ChartXLabels(w->Pic->Target(), g);
    ASSERT_FALSE(labels.empty());
    int inGap = 0;
    for (const ChartLabel& l : labels) {
        const QString period = g.TextMatrix(l.row, 2);
        inGap += period >= "2013-07-01" && period < "2013-09-30";
    }
    EXPECT_GT(inGap, 0);
    EXPECT_EQ(g.TextMatrix(labels.back().row, 2), "2013-09-30");
    w->grab().save(QDir(test::ArtifactDir()).filePath("statistics_window_gap.png"));

    // A bill in 9245: counting by day to it would list millions of days; the user is told and
    // the grid keeps the last result.
    bill(5, QDate(9245, 6, 30));
    w->DTP[0]->setDate(QDate(1800, 1, 1));
    w->DTP[1]->setDate(QDate(9999, 12, 31));
    test::ScriptedAnswers answers;
    w->Comm_Click();
    EXPECT_EQ(answers.messages(),
              QStringList{"统计的日期跨度太长，不能按天统计，请缩小日期范围！"});
    EXPECT_EQ(g.Rows() - g.FixedRows(), 269);
    w->close();
}
