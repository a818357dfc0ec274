// Pictures for people to look at: a grid filled from a table with Chinese text, sorted,
// with a selection and coloured rows, and the progress window in the middle of a run.
// They land in the build folder's artifacts/.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QSet>

#include "TestSupport.h"
#include "common/Database.h"
#include "common/GridFunctions.h"
#include "common/Indicator.h"
#include "common/Schema.h"
#include "platform/GridView.h"

using namespace bw;

namespace {

int distinctColours(const QImage& image) {
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) seen.insert(image.pixel(x, y));
    return seen.size();
}

}  // namespace

TEST(Screenshot, AFilledGridAndTheProgressWindow) {
    test::TempDataFolder folder;
    CloseDatabase();
    ASSERT_TRUE(EnsureDatabase());
    ASSERT_TRUE(
        ExecuteSql("CREATE TABLE 付款记录 (ID INTEGER PRIMARY KEY, 收款人 TEXT, 开户银行 TEXT, "
                   "金额 DOUBLE, 日期 DATE, 已打印 BOOLEAN, 用途 TEXT)"));
    const char* payees[] = {"上海申通物流有限公司", "北京华联商厦", "广州白云机场", "深圳腾达电子"};
    const char* banks[] = {"中国工商银行", "中国建设银行", "招商银行"};
    {
        Transaction t;
        for (int i = 0; i < 40; ++i)
            ExecuteSql(
                "INSERT INTO 付款记录 (收款人, 开户银行, 金额, 日期, 已打印, 用途) VALUES "
                "(?,?,?,?,?,?)",
                {QString::fromUtf8(payees[i % 4]), QString::fromUtf8(banks[i % 3]),
                 (i * 7919 % 100000) / 3.0,
                 QString("2013-04-%1").arg(1 + i % 28, 2, 10, QChar('0')), i % 3 == 0,
                 i % 2 ? QStringLiteral("货款") : QStringLiteral("运费")});
        t.Commit();
    }

    GridView view;
    view.resize(760, 380);
    Grid& g = view.grid();
    SetupGrid(g, {"ID", "", "收款人", "开户银行", "金额", "日期", "已打印", "用途"},
              {"ID", "序号", "收款人", "开户银行", "金额", "日期", "已打印", "用途"});
    g.SetTag("付款记录");
    view.show();
    QApplication::processEvents();
    FillGridFromSql(g, "金额 > ?", "ID", {0});
    ASSERT_GT(g.Rows(), 30);
    ToggleSortColumn(g, 4);
    g.Select(4, 2, 6, 5);
    SetRowBackColour(g, 3, 0x0000FF);  // red text: the open format's row
    SetRowForeColour(g, 8, 0xDDDDDD);  // light grey: the row under the pointer
    SetGridCellColour(g, 9, 7, 0x99FFFF, false);
    view.setFocus();
    QApplication::processEvents();
    const QImage gridShot = view.grab().toImage();
    ASSERT_TRUE(gridShot.save(test::ArtifactDir() + "/grid_filled.png"));
    EXPECT_GT(distinctColours(gridShot), 20);
    EXPECT_EQ(g.TextMatrix(1, 4), "金额△");

    qint64 now = 0;
    SetProgressClock([&] { return now; });
    ShowProgress("正在打印批量单据……", 120, 0);
    for (int i = 0; i < 45; ++i) {
        now += 700;
        UpdateProgress(1, "pages");
    }
    ASSERT_NE(ProgressWindow(), nullptr);
    QApplication::processEvents();
    const QImage progressShot = ProgressWindow()->grab().toImage();
    ASSERT_TRUE(progressShot.save(test::ArtifactDir() + "/progress_window.png"));
    EXPECT_GT(distinctColours(progressShot), 5);
    CloseProgress();
    SetProgressClock({});
    CloseDatabase();
}
