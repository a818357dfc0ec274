// The label page's settings and page bar, and the preview of a page of labels: which record
// lands in which cell, what the preview leaves alone.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include "PrintTestSupport.h"
#include "common/Params.h"
#include "platform/PictureWidget.h"
#include "platform/Settings.h"
#include "printing/LabelCells.h"
#include "printing/LabelPreview.h"
#include "printing/LabelSettings.h"
#include "store/BoxModel.h"
#include "store/MainForm.h"

using namespace bw;
using namespace bw::test;

namespace {

QString Stored(int index) {
    return ReadSetting("BWL1", "TagPrintSet", QStringLiteral("Index%1").arg(index), "none");
}

class LabelSettings : public LabelFixture {
protected:
    void SetUp() override {
        LabelFixture::SetUp();
        NewFormat("地址标签", 100, 50);
        AddBox({.kind = 0, .caption = "收件人", .x = 5, .y = 5, .w = 80, .h = 10, .fontSize = 24});
        Show();
        BuildLabelPage();
    }
};

TEST_F(LabelSettings, PagesFollowTheLabelsAcrossAndDown) {
    struct Case {
        int cols, rows, records;
        int max;
        const char* indicator;
        bool enabled;
    } cases[] = {
        {2, 4, 17, 2, "1/3", true},
        {3, 3, 9, 0, "1/1", false},
        {2, 4, 0, 0, "1/0", false},
        {2, 4, 16, 1, "1/2", true},
        {0, 4, 5, 4, "1/5", true},              // no columns: one a page
        {1, 1, 40000, 32767, "1/32768", true},  // the bar's limit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(
            QStringLiteral("%1 x %2, %3").arg(c.cols).arg(c.rows).arg(c.records).toStdString());
        FillBatch({1}, std::vector<QStringList>(std::min(c.records, 20), {"x"}));
        MF().R_Num[0]->setText(QString::number(c.records));
        MF().HS1->setValue(MF().HS1->maximum());
        SetSheet(c.cols, c.rows, 200, 100);
        TNum_Change(0);
        EXPECT_EQ(MF().HS1->maximum(), c.max);
        EXPECT_EQ(MF().HS1->value(), 0);
        EXPECT_EQ(MF().PPS->text(), QString::fromUtf8(c.indicator));
        EXPECT_EQ(MF().HS1->isEnabled(), c.enabled);
    }
}

TEST_F(LabelSettings, EachBoxStoresOnlyItsOwnSettingAndADisabledBoxNothing) {
    MF().TNum[2]->setText("3");
    EXPECT_EQ(Stored(2), "3");
    for (int i : {0, 1, 3, 4}) EXPECT_EQ(Stored(i), "none") << i;

    MF().TNum[4]->setEnabled(false);
    MF().TNum[4]->setText("150");
    EXPECT_EQ(Stored(4), "none");
    MF().TNum[4]->setEnabled(true);
    MF().TNum[4]->setText("140");
    EXPECT_EQ(Stored(4), "140");
}

TEST_F(LabelSettings, OpeningThePageLoadsTheSettingsWithoutWritingThem) {
    WriteSetting("BWL1", "TagPrintSet", "Index0", "3");
    WriteSetting("BWL1", "TagPrintSet", "Index1", "2");
    WriteSetting("BWL1", "TagPrintSet", "Index3", "");  // empty: the box keeps its text
    SetParam("LabelArrayLine", "1");
    FillBatch({1}, std::vector<QStringList>(7, {"x"}));
    LoadLabelSettings();
    EXPECT_EQ(MF().TNum[0]->text(), "3");
    EXPECT_EQ(MF().TNum[1]->text(), "2");
    EXPECT_EQ(MF().TNum[3]->text(), "205");
    EXPECT_TRUE(MF().CK[6]->isChecked());
    EXPECT_EQ(MF().PPS->text(), "1/2");
    // Only the count's own box went back.
    EXPECT_EQ(Stored(3), "none");
    EXPECT_EQ(Stored(4), "none");

    // A parameter that is no number leaves the box as it was.
    SetParam("LabelArrayLine", "");
    LoadLabelSettings();
    EXPECT_TRUE(MF().CK[6]->isChecked());
}

TEST_F(LabelSettings, EitherOptionStoresTheSeparatorLinesState) {
    MF().CK[6]->setChecked(true);
    MF().CK[1]->click();
    EXPECT_EQ(GetParam("LabelArrayLine"), "1");
    MF().CK[6]->click();
    EXPECT_EQ(GetParam("LabelArrayLine"), "0");
}

TEST(LabelCells, RecordsRunRowByRowAndStopAfterTheLast) {
    // 3 across, 2 down, ten records in grid rows 2 .. 11.
    struct Case {
        long long page;
        std::vector<std::tuple<double, double, long long>> cells;  // x, y, row
    } cases[] = {
        {0, {{0, 0, 2}, {10, 0, 3}, {20, 0, 4}, {0, 5, 5}, {10, 5, 6}, {20, 5, 7}}},
        {1, {{0, 0, 8}, {10, 0, 9}, {20, 0, 10}, {0, 5, 11}}},
        {2, {}},
    };
    for (const Case& c : cases) {
        const auto cells = LabelPageCells(c.page, 3, 2, 30, 10, 12, 2);
        ASSERT_EQ(cells.size(), c.cells.size()) << c.page;
        for (size_t i = 0; i < cells.size(); ++i) {
            EXPECT_DOUBLE_EQ(cells[i].x, std::get<0>(c.cells[i]));
            EXPECT_DOUBLE_EQ(cells[i].y, std::get<1>(c.cells[i]));
            EXPECT_EQ(cells[i].dataRow, std::get<2>(c.cells[i]));
            EXPECT_DOUBLE_EQ(cells[i].w, 10);
            EXPECT_DOUBLE_EQ(cells[i].h, 5);
        }
    }
    // Only the fixed rows: the first cell still shows the boxes' own values.
    EXPECT_EQ(LabelPageCells(0, 3, 2, 30, 10, 2, 2).size(), 1u);
    EXPECT_TRUE(LabelPageCells(0, 3, 2, 30, 10, 1, 1).empty());
    // Counts below 1 count as 1.
    EXPECT_EQ(LabelPageCells(0, 0, -3, 30, 10, 12, 2).size(), 1u);
}

class LabelPreview : public LabelSettings {
protected:
    // Whether a cell of the preview (column, row of cols x rows) holds any ink.
    bool Inked(int col, int row, int cols, int rows) {
        const QImage& img = MF().PTag->Image();
        const int w = img.width() / cols, h = img.height() / rows;
        for (int y = row * h + 2; y < (row + 1) * h - 2; ++y)
            for (int x = col * w + 2; x < (col + 1) * w - 2; ++x)
                if (qGray(img.pixel(x, y)) < 160) return true;
        return false;
    }
};

TEST_F(LabelPreview, APageShowsItsRecordsAndLeavesTheRestEmpty) {
    std::vector<QStringList> records;
    for (int i = 1; i <= 10; ++i) records.push_back({QStringLiteral("第%1号").arg(i)});
    FillBatch({1}, records);
    SetSheet(3, 2, 150, 100);
    ASSERT_EQ(MF().PPS->text(), "1/2");
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 2; ++r) EXPECT_TRUE(Inked(c, r, 3, 2)) << c << "," << r;
    MF().HS1->setValue(1);
    EXPECT_EQ(MF().PPS->text(), "2/2");
    for (int c = 0; c < 3; ++c) EXPECT_TRUE(Inked(c, 0, 3, 2)) << c;
    EXPECT_TRUE(Inked(0, 1, 3, 2));
    EXPECT_FALSE(Inked(1, 1, 3, 2));
    EXPECT_FALSE(Inked(2, 1, 3, 2));
}

TEST_F(LabelPreview, CountsBeyondThePreviewsLimitsLeaveItAsItWas) {
    FillBatch({1}, std::vector<QStringList>(20, {"ABC"}));
    SetSheet(2, 2, 100, 100);
    const QImage before = MF().PTag->Image().copy();
    ASSERT_TRUE(Inked(0, 0, 2, 2));
    for (auto [cols, rows] : {std::pair{2, 150}, {201, 2}, {0, 2}, {2, 0}}) {
        DrawLabelPreview(MF().PTag, cols, rows);
        EXPECT_EQ(MF().PTag->Image(), before) << cols << " x " << rows;
    }
    // 150 columns draw.
    MF().TNum[0]->setText("150");
    EXPECT_NE(MF().PTag->Image(), before);
}

}  // namespace
