// A format laid out by mouse and keys is saved, opened again and printed: each box's text
// lands at the millimetres it was dragged to.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <map>

#include "DecodeSupport.h"
#include "DesignerFixture.h"
#include "PrintTestSupport.h"
#include "designer/CanvasEvents.h"
#include "designer/EditCtl.h"
#include "designer/PropertyDialogs.h"
#include "filling/BoxConversion.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

using namespace bw;
using namespace bw::test;

namespace {

class RoundTrip : public PrintFixture {
protected:
    void SetUp() override {
        PrintFixture::SetUp();
        if (!HaveProgram("pdftotext")) GTEST_SKIP() << "poppler-utils missing";
    }
};

TEST_F(RoundTrip, DraggedAndNudgedBoxesPrintWhereTheyWereLaidOut) {
    NewFormat("往返", 200, 100);
    AddBox({.kind = 0, .caption = "甲", .x = 20, .y = 20, .w = 40, .h = 8});
    AddBox({.kind = 0, .caption = "乙", .x = 100, .y = 50, .w = 40, .h = 8});
    AddBox({.kind = 0, .caption = "丙", .x = 20, .y = 70, .w = 40, .h = 8});
    Show();
    MainForm& mf = MF();
    InstallCanvasDesigner();
    mf.resize(800, 600);
    mf.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mf));
    const double perMm = mf.PG->Width() / 200;  // 45 units

    // Box 1: dragged by its top-left corner 10 mm right and 5 mm down.
    TextBox* a = Text(1);
    const double x0 = a->Left() + 40, y0 = a->Top() + 40;
    move(x0, y0);
    drag(x0, y0, x0 + 10 * perMm, y0 + 5 * perMm);

    // Box 2 and 3: Ctrl+click both, then nudge them 3 steps left and 2 down with the keys.
    for (int n : {2, 3})
        QTest::mouseClick(mouseTarget(Text(n)), Qt::LeftButton, Qt::ControlModifier,
                          QPoint(30, 10));
    mf.PG->setFocus();
    for (int i = 0; i < 3; ++i) QTest::keyClick(mf.PG, Qt::Key_Left);
    for (int i = 0; i < 2; ++i) QTest::keyClick(mf.PG, Qt::Key_Down);

    const double expected[3][2] = {
        {30, 25}, {100 - 30 / perMm, 50 + 20 / perMm}, {20 - 30 / perMm, 70 + 20 / perMm}};
    QString name = format_;
    ASSERT_TRUE(SaveFormat(mf.BoxGrid(), name));

    UnloadAllBoxes();
    Show();
    ASSERT_EQ(BoxCount[kTextBox], 3);
    // The format keeps hundredths of a millimetre.
    const char* texts[3] = {"AAA", "BBB", "CCC"};
    for (int n = 1; n <= 3; ++n) {
        const int row = BoxRow(Text(n));
        EXPECT_NEAR(Val(mf.BoxGrid().TextMatrix(row, col::X)), expected[n - 1][0], 0.005) << n;
        EXPECT_NEAR(Val(mf.BoxGrid().TextMatrix(row, col::Y)), expected[n - 1][1], 0.005) << n;
        SetBoxValue(Text(n), QString::fromLatin1(texts[n - 1]));
    }
    const auto pages = ReadPdf(PrintToPdf("designer_round_trip"));
    ASSERT_EQ(pages.size(), 1u);
    for (int n = 0; n < 3; ++n) {
        const PdfWord* w = FindWord(pages, QString::fromLatin1(texts[n]));
        ASSERT_NE(w, nullptr) << texts[n];
        EXPECT_NEAR(w->xMin, expected[n][0], 0.2) << texts[n];
        EXPECT_NEAR(w->yMin, expected[n][1], 0.2) << texts[n];
    }
}

TEST_F(RoundTrip, AnAmountSetToElevenCellsInTheEditorPrintsOneDigitPerCell) {
    NewFormat("进账单", 200, 100);
    // Eleven 6 mm cells from x = 100 mm.
    AddBox({.kind = 0, .caption = "金额", .x = 100, .y = 40, .w = 66, .h = 8});
    Show();
    MainForm& mf = MF();
    mf.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mf));
    TextBox* box = Text(1);

    ShowPropertyDialog(box);
    auto* editor = qobject_cast<EditCtl*>(OpenPropertyDialog(kTextBox));
    ASSERT_NE(editor, nullptr);
    for (int i = 0; i < editor->CMB->count(); ++i) {
        if (!editor->CMB->itemText(i).startsWith("011｜")) continue;
        editor->CMB->setCurrentIndex(i);
        emit editor->CMB->activated(i);
    }
    ASSERT_EQ(editor->CMB->currentText(), "011｜小写金额(对格 有￥)");
    editor->CashNum->selectAll();
    QTest::keyClicks(editor->CashNum, "11");
    QTest::mouseClick(editor->COM[0], Qt::LeftButton);
    ASSERT_EQ(Val(mf.BoxGrid().TextMatrix(BoxRow(box), col::Cash)), 11);

    // The clerk types the amount and leaves the box: it is converted by its data type.
    box->setFocus();
    QTest::keyClicks(box->Editor(), "1234.5");
    box->SetText(ConvertByDataType(box, box->Text()));

    const auto pages = ReadPdf(PrintToPdf("designer_eleven_cells"));
    ASSERT_EQ(pages.size(), 1u);
    std::map<int, QString> cells;
    for (const PdfWord& w : pages[0].words) {
        ASSERT_EQ(w.text.size(), 1) << w.text.toStdString();  // one character per cell
        const double centre = (w.xMin + w.xMax) / 2;
        const int cell = int((centre - 100) / 6);
        EXPECT_NEAR(centre, 100 + (cell + 0.5) * 6, 0.2) << w.text.toStdString();
        cells[cell] = w.text;
    }
    EXPECT_EQ(cells, (std::map<int, QString>{
                         {4, "￥"}, {5, "1"}, {6, "2"}, {7, "3"}, {8, "4"}, {9, "5"}, {10, "0"}}));
}

}  // namespace
