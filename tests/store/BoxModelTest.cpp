// The three views of a format: boxes on the canvas, rows of the box property grid, records
// of table Fmt.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <functional>

#include "FormatFixture.h"
#include "barcode/BarcodeStandard.h"
#include "common/Globals.h"
#include "common/GridFunctions.h"
#include "common/Params.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/BoxDropDown.h"
#include "store/BoxEditing.h"
#include "store/BoxToRow.h"
#include "store/CheckBox.h"
#include "store/Label.h"
#include "store/Line.h"
#include "store/PictureBox.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

int recordCount(const QString& fmt) {
    Recordset rs;
    OpenRecordset(rs, "SELECT * FROM Fmt WHERE Fmt=?", {fmt});
    return rs.RecordCount();
}

class BoxModelTest : public test::FormatFixture {};

}  // namespace

TEST_F(BoxModelTest, LoadingGivesOneBoxPerRowWithDenseIndexes) {
    addFormat("进账单");
    addBox("进账单", {.label = "收款人", .x = 20, .y = 30, .w = 50, .h = 8});
    addBox("进账单", {.label = "现金", .clas = 1, .x = 100, .y = 10, .w = 5, .h = 5});
    addBox("进账单", {.label = "金额", .cash = 11, .x = 120, .y = 40, .w = 60, .h = 8});
    addBox("进账单", {.label = "线条", .clas = 3, .x = 10, .y = 60, .w = 190, .h = 60});
    addBox("进账单", {.label = "备注", .clas = 4, .x = 10, .y = 70, .w = 40, .h = 6});
    addBox("进账单", {.label = "条码", .clas = 2, .x = 150, .y = 70, .w = 30, .h = 20});
    addBox("电汇单", {.label = "别的格式", .x = 1, .y = 1, .w = 1, .h = 1});
    show("进账单");

    EXPECT_EQ(grid().Rows() - grid().FixedRows(), 6);
    EXPECT_EQ(BoxCount[kTextBox], 2);
    EXPECT_EQ(BoxCount[kCheckBox], 1);
    EXPECT_EQ(BoxCount[kPictureBox], 1);
    EXPECT_EQ(BoxCount[kLine], 1);
    EXPECT_EQ(BoxCount[kLabel], 1);
    // Rows come sorted by kind, then ID; every box carries its row.
    for (int r = grid().FixedRows(); r < grid().Rows(); ++r) {
        BoxControl* b = BoxOfRow(r);
        ASSERT_NE(b, nullptr) << r;
        EXPECT_EQ(BoxRow(b), r);
        EXPECT_EQ(b->Kind(), CLng(Val(grid().TextMatrix(r, col::Clas))));
    }
    EXPECT_NE(GetBoxByIndex(2), nullptr);
    for (int i : {0, 3, 1000, 2000, 3000, 4000, 5001}) EXPECT_EQ(GetBoxByIndex(i), nullptr) << i;

    auto* payee = static_cast<TextBox*>(GetBoxByIndex(1));
    EXPECT_EQ(payee->Left(), mm(20));
    EXPECT_EQ(payee->Top(), mm(30));
    EXPECT_EQ(payee->Width(), mm(50));
    EXPECT_EQ(payee->Height(), mm(8));
    EXPECT_EQ(CaptionLabel(1)->Caption(), "收款人");
    EXPECT_EQ(grid().TextMatrix(BoxRow(payee), col::Dir), "左边");
    // The caption label sits left of the box.
    EXPECT_EQ(CaptionLabel(1)->Left() + CaptionLabel(1)->Width(), payee->Left());

    auto* amount = static_cast<TextBox*>(GetBoxByIndex(2));
    EXPECT_EQ(amount->BorderStyle(), 1);  // amounts in cells show a frame
    EXPECT_EQ(amount->Alignment(), 1);    // and stand right

    auto* line = static_cast<Line*>(GetBoxByIndex(3001));
    EXPECT_EQ(line->X1(), mm(10));
    EXPECT_EQ(line->X2(), mm(190));
    EXPECT_EQ(static_cast<Label*>(GetBoxByIndex(4001))->Caption(), "备注");
}

TEST_F(BoxModelTest, AddLinkMoveSaveAndReloadKeepsEverything) {
    addFormat("运单");
    const qint64 stored = addBox("运单", {.label = "运费", .cash = 105});
    show("运单");

    int kind = kTextBox;
    BoxControl* a = AddBox(kind, mm(50), mm(40));
    kind = kTextBox;
    BoxControl* b = AddBox(kind, mm(90), mm(40));
    ASSERT_TRUE(a && b);
    const int ra = BoxRow(a), rb = BoxRow(b);
    const QString ida = grid().TextMatrix(ra, col::ID), idb = grid().TextMatrix(rb, col::ID);
    // Provisional identities are negative, distinct and never the negation of a stored ID.
    EXPECT_LT(Val(ida), 0);
    EXPECT_LT(Val(idb), 0);
    EXPECT_NE(ida, idb);
    EXPECT_NE(std::fabs(Val(ida)), double(stored));
    EXPECT_NE(std::fabs(Val(idb)), double(stored));
    EXPECT_EQ(grid().TextMatrix(ra, col::Dir), "左边");
    EXPECT_EQ(grid().TextMatrix(ra, col::Cash), "0");

    // a adds into b, negated; b multiplies into the stored box; the stored box follows a.
    grid().SetTextMatrix(ra, col::SumID, NumText(Val(idb) < 0 ? Val(idb) - 0.1 : Val(idb) + 0.1));
    grid().SetTextMatrix(rb, col::SumID, QString::number(-stored));
    grid().SetTextMatrix(rb, col::RCtl1, ida);
    const int rs = BoxRow(BoxOfRecordId(stored));
    grid().SetTextMatrix(rs, col::RCtl, ida);
    grid().SetTextMatrix(rs, col::SumID1, NumText(-Val(idb)));  // multiplies into b

    MoveBox(mm(1.5), 0, a);
    EXPECT_DOUBLE_EQ(Val(grid().TextMatrix(ra, col::X)),
                     CanvasToMm(a->Left(), MF().PG->Width(), 200));
    EXPECT_NEAR(Val(grid().TextMatrix(ra, col::X)), 51.5, 0.05);
    static_cast<TextBox*>(a)->Editor()->setPlainText("x");

    QString name = "运单";
    ASSERT_TRUE(SaveFormat(grid(), name));
    EXPECT_EQ(recordCount("运单"), 4);  // three boxes and the whole-format row
    const qint64 newA = CLng64(Val(grid().TextMatrix(ra, col::ID)));
    const qint64 newB = CLng64(Val(grid().TextMatrix(rb, col::ID)));
    EXPECT_GT(newA, stored);
    EXPECT_GT(newB, stored);
    EXPECT_EQ(Val(grid().TextMatrix(ra, col::SumID)), newB + 0.1);
    EXPECT_EQ(Val(grid().TextMatrix(rb, col::SumID)), -double(stored));
    EXPECT_EQ(Val(grid().TextMatrix(rb, col::RCtl1)), double(newA));
    EXPECT_EQ(Val(grid().TextMatrix(rs, col::RCtl)), double(newA));
    EXPECT_EQ(Val(grid().TextMatrix(rs, col::SumID1)), -double(newB));

    // A second save rewrites nothing.
    ASSERT_TRUE(SaveFormat(grid(), name));
    EXPECT_EQ(CLng64(Val(grid().TextMatrix(ra, col::ID))), newA);
    EXPECT_EQ(recordCount("运单"), 4);

    // Reloading from the table reproduces boxes and grid, links included.
    std::vector<QStringList> before;
    for (int r = grid().FixedRows(); r < grid().Rows(); ++r) {
        QStringList row;
        for (int c = 0; c < col::Count; ++c) row << grid().TextMatrix(r, c);
        before.push_back(row);
    }
    const int aLeft = a->Left();
    UnloadAllBoxes();
    show("运单");
    ASSERT_EQ(grid().Rows() - grid().FixedRows(), 3);
    BoxControl* a2 = BoxOfRecordId(newA);
    ASSERT_NE(a2, nullptr);
    EXPECT_NEAR(a2->Left(), aLeft, 1);
    EXPECT_EQ(static_cast<TextBox*>(a2)->Text(), "x");  // caption-less: its text is kept
    for (int r = grid().FixedRows(); r < grid().Rows(); ++r) {
        const QStringList& old = before[r - grid().FixedRows()];
        for (int c : {col::ID, col::LBL, col::Dir, col::Clas, col::RCtl, col::SumID, col::SumID1,
                      col::RCtl1})
            EXPECT_EQ(Val(grid().TextMatrix(r, c)), Val(old[c])) << r << "," << c;
    }
}

TEST_F(BoxModelTest, NewIdsHandedOutDuringASaveAreNotMistakenForLinks) {
    addFormat("标签", "", 100, 50);
    show("标签");
    // Three new boxes; the first links to the third, the second to the first.
    std::vector<BoxControl*> boxes;
    for (int i = 0; i < 3; ++i) {
        int kind = kTextBox;
        boxes.push_back(AddBox(kind, mm(10 + 20 * i), mm(10)));
    }
    auto id = [&](int i) { return grid().TextMatrix(BoxRow(boxes[i]), col::ID); };
    grid().SetTextMatrix(BoxRow(boxes[0]), col::RCtl, id(2));
    // Give the first row the lower identity, so that the ID it receives on saving equals the
    // second row's identity with its sign turned.
    const double next = ValueWhere("sqlite_sequence", "name='Fmt'", "seq").toDouble() + 1;
    grid().SetTextMatrix(BoxRow(boxes[0]), col::ID, NumText(-(next + 1)));
    grid().SetTextMatrix(BoxRow(boxes[1]), col::ID, NumText(-next));
    grid().SetTextMatrix(BoxRow(boxes[1]), col::SumID, NumText(next + 1));  // multiplies into box 0
    grid().SetTextMatrix(BoxRow(boxes[2]), col::RCtl, NumText(-next));      // follows box 1
    QString name = "标签";
    ASSERT_TRUE(SaveFormat(grid(), name));
    EXPECT_EQ(Val(id(0)), next);
    const double id0 = Val(id(0)), id1 = Val(id(1)), id2 = Val(id(2));
    EXPECT_EQ(Val(grid().TextMatrix(BoxRow(boxes[2]), col::RCtl)), id1);
    EXPECT_GT(id0, 0);
    EXPECT_EQ(Val(grid().TextMatrix(BoxRow(boxes[0]), col::RCtl)), id2);
    EXPECT_EQ(Val(grid().TextMatrix(BoxRow(boxes[1]), col::SumID)), -id0);
    EXPECT_DOUBLE_EQ(ValueById("Fmt", CLng64(id0), "RCtl").toDouble(), id2);
}

TEST_F(BoxModelTest, FailedSaveLeavesTheStoredFormatAndTheGridAsTheyWere) {
    addFormat("支票", "", 200, 80);
    const qint64 kept = addBox("支票", {"出票日期"});
    show("支票");
    int kind = kTextBox;
    BoxControl* b = AddBox(kind, mm(60), mm(20));
    CaptionLabel(b->Index())->SetCaption("坏");
    UpdateRowFromBox(b);
    const QString provisional = grid().TextMatrix(BoxRow(b), col::ID);
    ExecuteSql(
        "CREATE TRIGGER refuse BEFORE INSERT ON Fmt WHEN NEW.LBL='坏' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    test::ScriptedAnswers answers;
    QString name = "支票";
    EXPECT_FALSE(SaveFormat(grid(), name));
    EXPECT_FALSE(answers.lastMessage().isEmpty());
    EXPECT_EQ(recordCount("支票"), 2);  // the box and the whole-format row, untouched
    EXPECT_EQ(ValueById("Fmt", kept, "LBL").toString(), "出票日期");
    EXPECT_EQ(grid().TextMatrix(BoxRow(b), col::ID), provisional);
}

TEST_F(BoxModelTest, DeletingRowsAndSelectedBoxesKeepsIndexesDense) {
    addFormat("清单");
    for (const char* l : {"文本0", "文本1", "文本2", "文本3"}) addBox("清单", {l});
    for (const char* l : {"选0", "选1", "选2"}) addBox("清单", {.label = l, .clas = 1});
    show("清单");
    ASSERT_EQ(BoxCount[kTextBox], 4);
    // Rows 3..4 (serial 2..3), selected bottom-up.
    grid().SetRow(4);
    grid().SetRowSel(3);
    test::ScriptedAnswers answers;
    answers << int(dlg::Yes);
    DeleteBoxRows(grid(), true);
    EXPECT_EQ(answers.lastMessage(), "您确定要删除第2行至第3行对应的输入框？");
    EXPECT_EQ(BoxCount[kTextBox], 2);
    EXPECT_EQ(CaptionLabel(1)->Caption(), "文本0");
    EXPECT_EQ(CaptionLabel(2)->Caption(), "文本3");

    // The current text box and a selected check box go; the other check boxes stay.
    static_cast<CheckBox*>(GetBoxByIndex(1002))->SetAppearance(0);
    answers << int(dlg::Yes);
    DeleteSelectedBoxes(GetBoxByIndex(1));
    EXPECT_EQ(BoxCount[kTextBox], 1);
    EXPECT_EQ(BoxCount[kCheckBox], 2);
    EXPECT_EQ(CaptionLabel(1)->Caption(), "文本3");
    EXPECT_EQ(CaptionLabel(1001)->Caption(), "选0");
    EXPECT_EQ(CaptionLabel(1002)->Caption(), "选2");
    for (int r = grid().FixedRows(); r < grid().Rows(); ++r) EXPECT_EQ(BoxRow(BoxOfRow(r)), r);

    answers << int(dlg::No);
    DeleteSelectedBoxes(GetBoxByIndex(1));
    EXPECT_EQ(BoxCount[kTextBox], 1);
}

TEST_F(BoxModelTest, BoxValuesByKindAndPresetTexts) {
    addFormat("值");
    addBox("值", {"文本"});
    addBox("值", {.label = "勾", .clas = 1});
    addBox("值", {.label = "线条", .clas = 3});
    // A caption-less text box shows its preset text; one with a caption does not.
    addBox("值", {.label = "", .mem = "预设内容"});
    addBox("值", {.label = "有标签", .mem = "不显示"});
    show("值");
    EXPECT_EQ(static_cast<TextBox*>(GetBoxByIndex(2))->Text(), "预设内容");
    EXPECT_EQ(static_cast<TextBox*>(GetBoxByIndex(3))->Text(), "");
    LineBreakMark = "//";
    BoxControl* t = GetBoxByIndex(1);
    SetBoxValue(t, "第一行//第二行");
    EXPECT_EQ(GetBoxValue(t), "第一行\r\n第二行");
    BoxControl* c = GetBoxByIndex(1001);
    EXPECT_EQ(GetBoxValue(c), "");
    SetBoxValue(c, "1");
    EXPECT_EQ(GetBoxValue(c), "1");
    SetBoxValue(c, "   ");
    EXPECT_EQ(GetBoxValue(c), "");
    EXPECT_EQ(GetBoxValue(GetBoxByIndex(3001)), "");
    SetBoxValue(GetBoxByIndex(3001), "ignored");
    SetBoxValue(nullptr, "nothing happens");
}

TEST_F(BoxModelTest, WholeFormatOptionsRoundTrip) {
    addFormat("选项");
    show("选项");
    MainForm& mf = MF();
    mf.mSetPaper->setChecked(true);
    mf.mPrintRulers->setChecked(true);
    mf.mAutoFontsize->setChecked(true);
    mf.SetO2Value(0, 1);
    mf.SetO2Value(3, 1);
    CurrencySign = "HK$";
    QString name = "选项";
    ASSERT_TRUE(SaveFormat(grid(), name));
    const QString mem =
        ValueWhere("Fmt", "Fmt=? AND LBL=?", "Mem", {QString("选项"), kWholeFormatLabel})
            .toString();
    EXPECT_EQ(mem.split('|').size(), 17);
    EXPECT_TRUE(mem.endsWith('|'));

    mf.mSetPaper->setChecked(false);
    mf.mAutoFontsize->setChecked(false);
    mf.SetO2Value(3, 0);
    CurrencySign = "￥";
    LoadWholeFormatRow(name);
    EXPECT_TRUE(mf.mSetPaper->isChecked());
    EXPECT_TRUE(mf.mPrintRulers->isChecked());
    EXPECT_TRUE(mf.mAutoFontsize->isChecked());
    EXPECT_FALSE(mf.mDiTuPrint->isChecked());
    EXPECT_EQ(mf.O2Value(0), 1);
    EXPECT_EQ(mf.O2Value(3), 1);
    EXPECT_EQ(CurrencySign, "HK$");

    // A short option list applies what it holds and keeps the defaults for the rest.
    ApplyWholeFormatOptions("TRUE|False|0|0|0|0|0|True|True|€|");
    EXPECT_TRUE(mf.mSetPaper->isChecked());
    EXPECT_TRUE(mf.mMonthZero->isChecked());
    EXPECT_EQ(CurrencySign, "€");
    EXPECT_FALSE(mf.mAutoFontsize->isChecked());
    ApplyWholeFormatOptions("True|False|0|0|0|0|0|True|True|€");  // no "|" after item 9
    EXPECT_EQ(CurrencySign, "￥");
    CurrencySign = "￥";
}

TEST_F(BoxModelTest, DisplayScaleFollowsTheScreenWidth) {
    EXPECT_EQ(ComputeDisplayScale(0, 15360), 1.0);
    EXPECT_EQ(ComputeDisplayScale(19200, 19200), 1.0);
    EXPECT_DOUBLE_EQ(ComputeDisplayScale(15360, 19200), (19200.0 - 340) / 15020);
    EXPECT_DOUBLE_EQ(ComputeDisplayScale(0, 19200), (19200.0 - 340) / 15020);
    EXPECT_EQ(ComputeDisplayScale(340, 19200), 1.0);  // no usable width: no scaling

    addFormat("缩放");
    addBox("缩放", {"字"});
    ExecuteSql("UPDATE Fmt SET fSize=9, Color=? WHERE Fmt='缩放' AND LBL=?",
               {15020 + 340, QString("字")});
    ExecuteSql("UPDATE Fmt SET Color=? WHERE Fmt='缩放' AND LBL=?",
               {(15020 / 1.25) + 340, kWholeFormatLabel});
    MF().SetScreenWidthTwips(15020 + 340);
    show("缩放");
    EXPECT_EQ(grid().TextMatrix(grid().FixedRows(), col::fSize), "11.25");
    DisplayScale = 1.0;
}

TEST_F(BoxModelTest, AccessorsTolerateCellsThatAreNoNumbers) {
    addFormat("坏格");
    addBox("坏格", {"甲"});
    show("坏格");
    BoxControl* b = GetBoxByIndex(1);
    const int r = BoxRow(b);
    grid().SetTextMatrix(r, col::SumID, "");
    grid().SetTextMatrix(r, col::Cash, "abc");
    grid().SetTextMatrix(r, col::RCtl, "x");
    grid().SetTextMatrix(r, col::X, "不是数");
    EXPECT_EQ(BoxSumRow(b), 0);
    EXPECT_EQ(BoxDataType(b), 0);
    EXPECT_EQ(BoxRelatedRow(b, false), 0);
    EXPECT_EQ(BoxOfRow(0), nullptr);
    EXPECT_EQ(BoxOfRow(grid().Rows()), nullptr);
    EXPECT_EQ(ApplyRowToBox(grid(), 1), nullptr);
    EXPECT_NE(ApplyRowToBox(grid(), r), nullptr);  // applies what it can
    EXPECT_EQ(SideName(4), "");
    EXPECT_EQ(SideCode("别处"), 0);
    EXPECT_DOUBLE_EQ(PackOptionCode(-2.5, 1), -1002.5);
}

TEST_F(BoxModelTest, AThousandthBoxOfAKindIsRefused) {
    addFormat("满");
    show("满");
    test::ScriptedAnswers answers;
    for (int i = 0; i < kMaxBoxesPerKind; ++i) {
        int row = 0;
        ASSERT_NE(LoadBoxControl(kLabel, row), nullptr) << i;
    }
    int row = 0;
    EXPECT_EQ(LoadBoxControl(kLabel, row), nullptr);
    EXPECT_FALSE(answers.lastMessage().isEmpty());
    EXPECT_EQ(BoxCount[kLabel], kMaxBoxesPerKind);
    EXPECT_EQ(GetBoxByIndex(4999)->Index(), 4999);
}

TEST_F(BoxModelTest, DropDownOffersChoicesAndEarlierValues) {
    addFormat("汇款");
    const qint64 sex = addBox("汇款", {.label = "性别", .cash = 131});
    const qint64 p1 = addBox("汇款", {"收款人_1"});
    const qint64 p2 = addBox("汇款", {"收款人_2"});
    const qint64 other = addBox("汇款", {"收款人X1"});
    const qint64 list = addBox("汇款", {.label = "用途", .cash = 124});
    const std::pair<qint64, const char*> earlier[] = {
        {sex, "男"}, {sex, "其他"}, {p1, "张三"}, {p2, "李四"}, {other, "王五"}, {list, "货款"}};
    for (auto [cid, con] : earlier)
        ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(1, '汇款', ?, ?)",
                   {cid, QString::fromUtf8(con)});
    SetParam("汇款=>自定义类型124", "货款;运费");
    show("汇款");

    QComboBox box;
    auto items = [&box](qint64 id) {
        FillBoxDropDown(&box, id);
        QStringList out;
        for (int i = 0; i < box.count(); ++i) out << box.itemText(i);
        return out;
    };
    EXPECT_EQ(items(sex), (QStringList{"男", "女", "其他"}));
    EXPECT_EQ(box.currentText(), "男");
    EXPECT_EQ(items(p1), (QStringList{"张三", "李四"}));  // not the values of 收款人X1
    EXPECT_EQ(items(list), (QStringList{"货款", "运费"}));
}

TEST_F(BoxModelTest, ScreenshotOfEveryKindOfBox) {
    addFormat("样张", "", 120, 60);
    addBox("样张", {.label = "收款人", .x = 25, .y = 5, .w = 45, .h = 7});
    addBox("样张", {.label = "金额", .cash = 11, .x = 25, .y = 15, .w = 45, .h = 7});
    addBox("样张", {.label = "现金", .clas = 1, .x = 80, .y = 5, .w = 5, .h = 5});
    addBox("样张", {.label = "条码", .clas = 2, .x = 85, .y = 20, .w = 25, .h = 25});
    addBox("样张", {.label = "线条", .cash = 1, .clas = 3, .x = 5, .y = 50, .w = 115, .h = 50});
    ExecuteSql("UPDATE Fmt SET fSize=1 WHERE Fmt=? AND Clas=3", {QString("样张")});
    addBox("样张", {.label = "附言：请核对金额", .clas = 4, .x = 5, .y = 30, .w = 60, .h = 6});
    show("样张");
    BarcodeStandard() = kQRCode;
    SetBoxValue(GetBoxByIndex(1), "上海某某贸易有限公司");
    SetBoxValue(GetBoxByIndex(2), "1234.50");
    SetBoxValue(GetBoxByIndex(1001), "1");
    SetBoxValue(GetBoxByIndex(2001), "Bellweft 进账单 0001");
    MF().PFrm->resize(MF().PG->size());
    const QImage shot = MF().PFrm->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(test::ArtifactDir() + "/boxmodel_canvas.png"));
    // The picture box shows dark modules of its symbol.
    const QPoint corner = static_cast<PictureBox*>(GetBoxByIndex(2001))->geometry().topLeft();
    int dark = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (qGray(shot.pixel(corner + QPoint(x, y))) < 100) ++dark;
    EXPECT_GT(dark, 100);
    BarcodeStandard() = kCode39;
}
