// The pieces of the start-up that stand apart from the main window: the schema upgrade of
// an older data file and the About box.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>

#include "TestSupport.h"
#include "common/Database.h"
#include "common/Schema.h"
#include "shell/Rightform.h"
#include "shell/Startup.h"

using namespace bw;

namespace {

class SchemaUpgrade : public ::testing::Test {
protected:
    void SetUp() override {
        CloseDatabase();
        ASSERT_TRUE(EnsureDatabase());
    }
    void TearDown() override { CloseDatabase(); }
    test::TempDataFolder folder_;
};

}  // namespace

TEST_F(SchemaUpgrade, AddsMissingLinkColumnsToALegacyTable) {
    ExecuteSql("DROP TABLE Fmt");
    ExecuteSql(
        "CREATE TABLE Fmt(ID INTEGER PRIMARY KEY AUTOINCREMENT, Fmt TEXT, LBL TEXT, Cash DOUBLE,"
        " RCtl DOUBLE, sumid DOUBLE)");
    ExecuteSql("INSERT INTO Fmt(Fmt, LBL, Cash, RCtl, sumid) VALUES('旧', '金额', 101, 3, 7)");
    UpgradeFmtSchema();
    EXPECT_TRUE(FieldExists("Fmt", "SumID1"));
    EXPECT_TRUE(FieldExists("Fmt", "RCtl1"));
    EXPECT_EQ(ValueWhere("Fmt", "Fmt='旧'", "SumID1").toInt(), 0);
    EXPECT_EQ(ValueWhere("Fmt", "Fmt='旧'", "RCtl1").toInt(), 0);
    // A column that differs only in case keeps its values.
    EXPECT_EQ(ValueWhere("Fmt", "Fmt='旧'", "sumid").toDouble(), 7.0);
    UpgradeFmtSchema();  // a second run changes nothing
    EXPECT_EQ(ValueWhere("Fmt", "Fmt='旧'", "RCtl").toDouble(), 3.0);
}

TEST(AboutBox, ShowsTheVersionAndOpensTheMakersPage) {
    QStringList opened;
    SetMakerPageOpener([&](const QString& page) { opened << page; });
    ShowRightform();
    Rightform* w = AboutWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->lblVersion->text().contains("3.07"));
    ShowRightform();
    EXPECT_EQ(AboutWindow(), w);  // one at a time

    for (QWidget* target :
         {static_cast<QWidget*>(w->lblCompany[2]), static_cast<QWidget*>(w->Image1),
          static_cast<QWidget*>(w->lblVersion)}) {
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(3, 3),
                            target->mapToGlobal(QPointF(3, 3)), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(target, &release);
    }
    EXPECT_EQ(opened, (QStringList{MakerPage(), MakerPage(), MakerPage()}));
    w->COM_Click(0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(AboutWindow(), nullptr);
    SetMakerPageOpener({});
}
