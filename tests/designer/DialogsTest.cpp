// The bill-size dialog and the table generator, with pictures of them and of a rubber band.

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "DesignerFixture.h"
#include "designer/AutoTable.h"
#include "designer/CanvasEvents.h"
#include "designer/FormSize.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/CanvasOptions.h"
#include "store/Label.h"
#include "store/Line.h"
#include "store/MainForm.h"

using namespace bw;

namespace {

using BillDialogs = test::DesignerTest;

void savePicture(QWidget* w, const QString& name) {
    w->grab().save(test::ArtifactDir() + QLatin1Char('/') + name);
}

TEST_F(BillDialogs, BillSizeRatios) {
    struct Case {
        double w, h;
        bool ok;
    } cases[] = {
        {210, 297, true}, {10, 200, true}, {200, 10, true}, {10, 201, false},  {201, 10, false},
        {100, 0, false},  {0, 0, false},   {0, 100, false}, {-10, -20, false},
    };
    for (const Case& c : cases) EXPECT_EQ(BillSizeAccepted(c.w, c.h), c.ok) << c.w << "x" << c.h;
}

TEST_F(BillDialogs, ANewSizeKeepsTheBoxesAtTheirMillimetres) {
    MainForm& mf = MF();
    add(kTextBox, 50, 20);
    FormSize* dialog = ShowFormSize();
    EXPECT_EQ(dialog->TX->text(), QStringLiteral("200"));
    dialog->TY->setText(QStringLiteral("0"));
    {
        test::ScriptedAnswers answers;
        QTest::mouseClick(dialog->COM[0], Qt::LeftButton);
        EXPECT_EQ(answers.lastMessage(),
                  QStringLiteral("单据的宽度与高度比例应为1：20到20：1之间！"));
        EXPECT_TRUE(dialog->isVisible());
    }
    dialog->TX->setText(QStringLiteral("250"));
    dialog->TY->setText(QStringLiteral("125.5"));
    savePicture(dialog, QStringLiteral("designer_formsize.png"));
    QTest::mouseClick(dialog->COM[0], Qt::LeftButton);
    EXPECT_EQ(mf.Wid->text(), QStringLiteral("250"));
    EXPECT_EQ(mf.Hie->text(), QStringLiteral("125.5"));
    BoxControl* box = GetBoxByIndex(1);
    ASSERT_NE(box, nullptr);
    EXPECT_NEAR(box->Left(), 50.0 / 250 * mf.PG->Width(), 1);
    EXPECT_NEAR(mf.PG->Height(), mf.PG->Width() * 125.5 / 250, 1);
}

TEST_F(BillDialogs, TablePresetsAndFractionalRows) {
    MainForm& mf = MF();
    AutoTable* dialog = ShowAutoTable();
    savePicture(dialog, QStringLiteral("designer_autotable.png"));
    QTest::mouseClick(dialog->COM[0], Qt::LeftButton);
    ASSERT_EQ(BoxCount[kLine], 6);
    const double expected[6][4] = {{10, 10, 50, 10}, {10, 30, 50, 30}, {10, 50, 50, 50},
                                   {10, 10, 10, 50}, {30, 10, 30, 50}, {50, 10, 50, 50}};
    Grid& g = mf.BoxGrid();
    for (int i = 0; i < 6; ++i) {
        auto* l = static_cast<Line*>(GetBoxByIndex(3001 + i));
        const int row = BoxRow(l);
        EXPECT_NEAR(Val(g.TextMatrix(row, col::X)), expected[i][0], 0.001) << i;
        EXPECT_NEAR(Val(g.TextMatrix(row, col::Y)), expected[i][1], 0.001) << i;
        EXPECT_NEAR(Val(g.TextMatrix(row, col::W)), expected[i][2], 0.001) << i;
        EXPECT_NEAR(Val(g.TextMatrix(row, col::H)), expected[i][3], 0.001) << i;
        EXPECT_EQ(l->Y1(), int(expected[i][1] * kUnitsPerMm));
    }

    QString reason;
    auto rules = TableRules(0, 0, 50, 50, 2.5, 1, &reason);
    ASSERT_TRUE(rules);
    ASSERT_EQ(rules->size(), 5u);  // 3 horizontal at 0, 20, 40 mm, 2 vertical
    EXPECT_DOUBLE_EQ((*rules)[1].y1, 20);
    EXPECT_DOUBLE_EQ((*rules)[2].y1, 40);
    rules = TableRules(50, 0, 10, 50, 1, 2, &reason);  // swapped corners
    ASSERT_TRUE(rules);
    EXPECT_DOUBLE_EQ((*rules)[3].x1, 30);

    // Zero or empty counts, and tables past 999 lines, are refused before anything is added.
    dialog = ShowAutoTable();
    for (const char* rows : {"0", "", "x"}) {
        test::ScriptedAnswers answers;
        dialog->T[4]->setText(QString::fromLatin1(rows));
        QTest::mouseClick(dialog->COM[0], Qt::LeftButton);
        EXPECT_EQ(answers.lastMessage(), QStringLiteral("行数和列数都必须大于0！"));
    }
    dialog->T[4]->setText(QStringLiteral("500"));
    dialog->T[5]->setText(QStringLiteral("500"));
    {
        test::ScriptedAnswers answers;
        QTest::mouseClick(dialog->COM[0], Qt::LeftButton);
        EXPECT_TRUE(answers.lastMessage().contains(QStringLiteral("999")));
    }
    EXPECT_EQ(BoxCount[kLine], 6);
    QTest::mouseClick(dialog->COM[1], Qt::LeftButton);
    EXPECT_EQ(BoxCount[kLine], 6);
}

TEST_F(BillDialogs, PictureOfASelectionWithTheRubberBand) {
    MF().SetO2Value(0, 1);
    O2_Click(0);  // the measuring grid behind
    SetBoxValue(add(kTextBox, 20, 20), QStringLiteral("收款人"));
    SetBoxValue(add(kTextBox, 20, 35), QStringLiteral("￥1,234.00"));
    add(kPictureBox, 60, 20);
    static_cast<Label*>(add(kLabel, 120, 60))->SetCaption(QStringLiteral("备注"));
    auto* l = static_cast<Line*>(add(kLine, 0, 0));
    l->SetEnds(mm(10), mm(55), mm(110), mm(55));
    press(mm(10), mm(10));
    move(mm(90), mm(45), Qt::LeftButton);
    ASSERT_TRUE(RubberBandShown());
    QApplication::processEvents();
    savePicture(MF().PG, QStringLiteral("designer_rubber_band.png"));
    release(mm(90), mm(45));
}

}  // namespace
