// The designer's dialogs driven through their own controls: the bill size and the table
// generator, and the property dialogs of the boxes: what OK writes into the rows of the edited
// box and of the selected boxes, the data-type list and the link lists of the box-properties
// editor, the binding of a dialog to its box, and captions shown whole and in Chinese.

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "DesignerFixture.h"
#include "common/Params.h"
#include "designer/AutoTable.h"
#include "designer/EditCtl.h"
#include "designer/FormSize.h"
#include "designer/ProChk.h"
#include "designer/ProLBL.h"
#include "designer/ProLine.h"
#include "designer/ProPic.h"
#include "designer/PropertyDialogs.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/BoxLook.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/Line.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/PictureRefresh.h"
#include "store/RowToBox.h"

using namespace bw;
using namespace bw::test;

namespace {

void savePicture(QWidget* w, const QString& name) {
    w->grab().save(test::ArtifactDir() + QLatin1Char('/') + name);
}

class Dialogs : public test::DesignerTest {
protected:
    void TearDown() override {
        for (int kind = 0; kind <= 4; ++kind)
            if (PropertyDialog* d = OpenPropertyDialog(kind)) delete d;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        test::DesignerTest::TearDown();
    }

    static Grid& grid() { return MF().BoxGrid(); }
    static QStringList rowOf(BoxControl* box) {
        QStringList cells;
        for (int c = 0; c < col::Count; ++c) cells << cell(box, c);
        cells << QString::number(grid().CellBackColorAt(BoxRow(box), col::Color));
        return cells;
    }
    static void select(BoxControl* box) { SetBoxSelectLook(box, false); }

    template <class Dialog>
    static Dialog* open(BoxControl* box) {
        ShowPropertyDialog(box);
        auto* d = qobject_cast<Dialog*>(OpenPropertyDialog(box->Kind()));
        EXPECT_NE(d, nullptr);
        return d;
    }
    // Chooses the entry that begins with `prefix` the way a click in the open list does.
    static void choose(QComboBox* combo, const QString& prefix) {
        for (int i = 0; i < combo->count(); ++i) {
            if (!combo->itemText(i).startsWith(prefix)) continue;
            combo->setCurrentIndex(i);
            emit combo->activated(i);
            return;
        }
        ADD_FAILURE() << "no entry " << prefix.toStdString();
    }
    static void type(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    static void click(QAbstractButton* b) {
        ASSERT_TRUE(b->isEnabled()) << b->objectName().toStdString();
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    }
};

TEST_F(Dialogs, BillSizeRatios) {
    const struct {
        double w, h;
        bool ok;
    } cases[] = {
        {210, 297, true}, {10, 200, true}, {200, 10, true}, {10, 201, false},  {201, 10, false},
        {100, 0, false},  {0, 0, false},   {0, 100, false}, {-10, -20, false},
    };
    for (const auto& c : cases) EXPECT_EQ(BillSizeAccepted(c.w, c.h), c.ok) << c.w << "x" << c.h;
}

TEST_F(Dialogs, ANewSizeKeepsTheBoxesAtTheirMillimetres) {
    MainForm& mf = MF();
    add(kTextBox, 50, 20);
    FormSize* dialog = ShowFormSize();
    EXPECT_EQ(dialog->TX->text(), "200");
    dialog->TY->setText("0");
    {
        test::ScriptedAnswers answers;
        QTest::mouseClick(dialog->COM[0], Qt::LeftButton);
        EXPECT_EQ(answers.lastMessage(), "单据的宽度与高度比例应为1：20到20：1之间！");
        EXPECT_TRUE(dialog->isVisible());
    }
    dialog->TX->setText("250");
    dialog->TY->setText("125.5");
    savePicture(dialog, "designer_formsize.png");
    QTest::mouseClick(dialog->COM[0], Qt::LeftButton);
    EXPECT_EQ(mf.Wid->text(), "250");
    EXPECT_EQ(mf.Hie->text(), "125.5");
    BoxControl* box = GetBoxByIndex(1);
    ASSERT_NE(box, nullptr);
    EXPECT_NEAR(box->Left(), 50.0 / 250 * mf.PG->Width(), 1);
    EXPECT_NEAR(mf.PG->Height(), mf.PG->Width() * 125.5 / 250, 1);
}

TEST_F(Dialogs, TablePresetsAndFractionalRows) {
    AutoTable* dialog = ShowAutoTable();
    savePicture(dialog, "designer_autotable.png");
    QTest::mouseClick(dialog->COM[0], Qt::LeftButton);
    QStringList lines;  // the rows' X, Y, W, H (the second end) in mm
    for (int i = 0; i < BoxCount[kLine]; ++i) {
        auto* l = static_cast<Line*>(GetBoxByIndex(3001 + i));
        lines << QStringList{cell(l, col::X), cell(l, col::Y), cell(l, col::W), cell(l, col::H)}
                     .join(',');
        EXPECT_EQ(l->Y1(), int(Val(cell(l, col::Y)) * kUnitsPerMm));
    }
    EXPECT_EQ(lines, (QStringList{"10,10,50,10", "10,30,50,30", "10,50,50,50", "10,10,10,50",
                                  "30,10,30,50", "50,10,50,50"}));

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
        EXPECT_EQ(answers.lastMessage(), "行数和列数都必须大于0！");
    }
    dialog->T[4]->setText("500");
    dialog->T[5]->setText("500");
    {
        test::ScriptedAnswers answers;
        QTest::mouseClick(dialog->COM[0], Qt::LeftButton);
        EXPECT_TRUE(answers.lastMessage().contains("999"));
    }
    EXPECT_EQ(BoxCount[kLine], 6);
    QTest::mouseClick(dialog->COM[1], Qt::LeftButton);
    EXPECT_EQ(BoxCount[kLine], 6);
}

TEST_F(Dialogs, LinkListsWriteTheChosenRecordWithItsSignAndFraction) {
    BoxControl* edited = add(kTextBox, 10, 10);
    BoxControl* seven = add(kTextBox, 10, 30);
    BoxControl* twelve = add(kTextBox, 10, 50);
    setCell(seven, col::ID, "7");
    setCell(twelve, col::ID, "12");
    struct Case {
        const char* entry;  // the list entry's leading digits
        int option;         // Op1 / Op2 index chosen (-1: none clicked)
        bool negate;        // 取负 ticked
        int column;
        const char* written;
    } cases[] = {
        {"000012", 1, true, col::SumID, "-12.1"},  // 累乘 + 取负
        {"000012", 0, false, col::SumID, "12"},    // 累加
        {"000000", -1, false, col::SumID, "0"},    // the first entry, whatever was set before
        {"000007", 1, false, col::RCtl, "-7"},     // 相关
        {"000007", 0, false, col::RCtl, "7"},      // 相同
    };
    setCell(edited, col::SumID, "-12.1");
    for (const Case& c : cases) {
        auto* d = open<EditCtl>(edited);
        const bool sum = c.column == col::SumID;
        choose(sum ? d->CSUM : d->RCtl[0], QString::fromLatin1(c.entry));
        if (c.option >= 0)
            click(sum ? d->Op1[c.option] : static_cast<QAbstractButton*>(d->Op2[c.option]));
        if (sum && d->Chk[0]->isChecked() != c.negate) click(d->Chk[0]);
        click(d->COM[0]);
        EXPECT_EQ(cell(edited, c.column), QString::fromLatin1(c.written)) << c.entry << c.option;
    }
}

TEST_F(Dialogs, LinkListsNameEveryOtherStoredBoxByItsWholeRecordId) {
    BoxControl* picture = add(kPictureBox, 80, 10);
    BoxControl* edited = add(kTextBox, 10, 10);
    BoxControl* big = add(kTextBox, 10, 30);
    BoxControl* unsaved = add(kTextBox, 10, 50);  // a provisional identity: not listed
    setCell(picture, col::ID, "5");
    setCell(picture, col::LBL, "图");
    setCell(edited, col::ID, "3");
    setCell(big, col::ID, "1234567");
    setCell(big, col::LBL, "大");
    setCell(edited, col::RCtl1, "-1234567");
    ASSERT_LE(Val(cell(unsaved, col::ID)), 0);

    auto* d = open<EditCtl>(edited);
    QStringList entries;
    for (int i = 0; i < d->CSUM->count(); ++i) entries << d->CSUM->itemText(i);
    EXPECT_EQ(entries, (QStringList{"000000｜没有相关联输入框", "1234567｜大", "000005｜图"}));
    EXPECT_EQ(d->RCtl[1]->currentText(), "1234567｜大");
    EXPECT_TRUE(d->Op2[3]->isChecked());
    EXPECT_FALSE(d->Op1[0]->isEnabled());  // CSUM points at nothing

    // Keys do not move a link list or the type list.
    d->RCtl[1]->setFocus();
    QTest::keyClick(d->RCtl[1], Qt::Key_Up);
    QTest::keyClick(d->CMB, Qt::Key_Down);
    EXPECT_EQ(d->RCtl[1]->currentText(), "1234567｜大");
    EXPECT_TRUE(d->CMB->currentText().startsWith("000｜"));

    // Choosing the same box again keeps the whole ID.
    choose(d->RCtl[1], "1234567");
    click(d->COM[0]);
    EXPECT_EQ(cell(edited, col::RCtl1), "-1234567");
}

TEST_F(Dialogs, TheCountFieldFollowsTheStoredDataType) {
    BoxControl* box = add(kTextBox, 10, 10);
    struct Case {
        const char* cash;
        const char* entry;  // the start of the entry shown
        const char* caption;
        const char* count;
        bool countEnabled, charSpacing, lineSpacing, align;
    } cases[] = {
        {"0", "000｜", "数据类型代码：", "0", false, true, true, true},
        {"11", "011｜", "小写金额格数：", "11", true, false, false, false},
        {"305", "311｜", "数字格数：", "5", true, false, false, false},
        {"211", "211｜", "数字格数：", "11", true, false, false, true},
        {"114.08", "114｜", "大写金额位数：", "8", true, true, false, false},
        {"103", "103｜", "数据类型代码：", "103", false, true, true, true},
    };
    for (const Case& c : cases) {
        setCell(box, col::Cash, QString::fromLatin1(c.cash));
        auto* d = open<EditCtl>(box);
        const std::string what = c.cash;
        EXPECT_TRUE(d->CMB->currentText().startsWith(QString::fromUtf8(c.entry))) << what;
        EXPECT_EQ(d->LCode->text(), QString::fromUtf8(c.caption)) << what;
        EXPECT_EQ(d->CashNum->text(), QString::fromLatin1(c.count)) << what;
        EXPECT_EQ(d->CashNum->isEnabled(), c.countEnabled) << what;
        EXPECT_EQ(d->TT[5]->isEnabled(), c.charSpacing) << what;
        EXPECT_EQ(d->TT[6]->isEnabled(), c.lineSpacing) << what;
        EXPECT_EQ(d->OpA[0]->isEnabled(), c.align) << what;
        click(d->COM[0]);  // nothing touched: the stored value stays
        EXPECT_EQ(cell(box, col::Cash), QString::fromLatin1(c.cash)) << what;
    }

    // A count out of bounds becomes 11 when the field is left; 114 chosen anew starts at 11.
    setCell(box, col::Cash, "114.08");
    auto* d = open<EditCtl>(box);
    type(d->CashNum, "100");
    QTest::keyClick(d->CashNum, Qt::Key_Return);  // leaving the field
    EXPECT_EQ(d->CashNum->text(), "11");
    choose(d->CMB, "114｜");
    EXPECT_EQ(d->CashNum->text(), "11");
    choose(d->CMB, "311｜");
    type(d->CashNum, "7");
    click(d->COM[0]);
    EXPECT_EQ(cell(box, col::Cash), "307");
}

TEST_F(Dialogs, CustomValuesGoToTheFormatsParametersAtOnce) {
    BoxControl* box = add(kTextBox, 10, 10);
    auto* d = open<EditCtl>(box);
    EXPECT_FALSE(d->COM[3]->isEnabled());
    choose(d->CMB, "124｜");
    ASSERT_TRUE(d->COM[3]->isEnabled());
    const QString key = MF().CurrentFormat() + "=>自定义类型124";
    {
        test::ScriptedAnswers answers;
        answers << "甲|乙";  // the separator of the option lists is refused
        click(d->COM[3]);
        EXPECT_FALSE(answers.lastMessage().isEmpty());
    }
    EXPECT_EQ(GetParam(key), QString());
    {
        test::ScriptedAnswers answers;
        answers << "甲;乙";
        click(d->COM[3]);
    }
    EXPECT_EQ(GetParam(key), "甲;乙");
    EXPECT_EQ(d->CMB->currentText(), "124｜自定义列表1：甲;乙");
    click(d->COM[1]);  // cancelled: the parameter stays, the box keeps its type
    EXPECT_EQ(GetParam(key), "甲;乙");
    EXPECT_EQ(Val(cell(box, col::Cash)), 0);
}

TEST_F(Dialogs, LabelSpacingCarriesTheAlignmentInItsThousands) {
    BoxControl* label = add(kLabel, 10, 10);
    struct Case {
        const char* stored;
        const char* loadedSpacing;
        int loadedAlign;
        const char* typed;  // nullptr: the spacing is left alone
        int align;
        const char* written;
    } cases[] = {
        {"0", "0", 0, "-2", 2, "-2002"},
        {"3.5", "3.5", 0, nullptr, 1, "1003.5"},
        {"2003.5", "3.5", 2, "1", -1, "2001"},
        {"-1002", "-2", 1, nullptr, 0, "-2"},
    };
    for (const Case& c : cases) {
        setCell(label, col::L, QString::fromLatin1(c.stored));
        auto* d = open<ProLBL>(label);
        EXPECT_EQ(d->TT[6]->text(), QString::fromLatin1(c.loadedSpacing)) << c.stored;
        EXPECT_TRUE(d->OpA[c.loadedAlign]->isChecked()) << c.stored;
        if (c.typed) type(d->TT[6], QString::fromLatin1(c.typed));
        if (c.align >= 0) click(d->OpA[c.align]);
        click(d->COM[1]);
        EXPECT_EQ(cell(label, col::L), QString::fromLatin1(c.written)) << c.stored;
    }

    // The text keeps its line break.
    auto* d = open<ProLBL>(label);
    d->Content->setPlainText("第一行\n第二行");
    click(d->COM[1]);
    EXPECT_EQ(cell(label, col::LBL), "第一行\n第二行");
}

TEST_F(Dialogs, LineWidthIsNeverBelowOne) {
    BoxControl* line = add(kLine, 10, 10);
    setCell(line, col::fSize, "3");
    auto* d = open<ProLine>(line);
    EXPECT_EQ(d->TT[0]->text(), "3");
    EXPECT_EQ(d->L->BorderWidth, 3);
    for (const char* pasted : {"0", "-2", "abc"}) {
        d->TT[0]->setText(QString::fromLatin1(pasted));
        EXPECT_EQ(d->TT[0]->text(), "1") << pasted;
    }
    type(d->TT[0], "0");
    EXPECT_EQ(d->TT[0]->text(), "1");
    click(d->COM[1]);
    EXPECT_EQ(cell(line, col::fSize), "1");
}

TEST_F(Dialogs, OneFieldChangedReachesTheSelectedBoxesOfTheKindOnlyAndNoChangeWritesNothing) {
    const struct {
        int kind;
        int column;  // -1: nothing changed
        const char* written;
        std::function<void(PropertyDialog*)> edit;
    } cases[] = {
        {kTextBox, -1, nullptr, nullptr},
        {kCheckBox, -1, nullptr, nullptr},
        {kPictureBox, -1, nullptr, nullptr},
        {kLine, -1, nullptr, nullptr},
        {kLabel, -1, nullptr, nullptr},
        {kTextBox, col::Cash, "11",
         [](PropertyDialog* d) {
             auto* e = static_cast<EditCtl*>(d);
             choose(e->CMB, "011｜");
             EXPECT_EQ(e->LCode->text(), "小写金额格数：");
             EXPECT_EQ(e->CashNum->text(), "11");
         }},
        {kLine, col::fSize, "4", [](PropertyDialog* d) { type(d->TT[0], "4"); }},
        {kLine, col::Cash, "3",
         [](PropertyDialog* d) { choose(static_cast<ProLine*>(d)->CMB, "3 "); }},
        {kCheckBox, col::Dir, "左边",
         [](PropertyDialog* d) { click(d->findChild<QRadioButton*>("POS1")); }},
        {kPictureBox, col::W, "33", [](PropertyDialog* d) { type(d->TT[3], "33"); }},
        {kPictureBox, col::Dir, "右边",
         [](PropertyDialog* d) { click(d->findChild<QRadioButton*>("POS2")); }},
        {kLabel, col::Y, "44", [](PropertyDialog* d) { type(d->TT[2], "44"); }},
    };
    for (const auto& c : cases) {
        BoxControl* a = add(c.kind, 10, 10);
        BoxControl* b = add(c.kind, 10, 40);
        BoxControl* notSelected = add(c.kind, 10, 70);
        BoxControl* otherKind = add(c.kind == kTextBox ? kLabel : kTextBox, 100, 10);
        select(b);
        select(otherKind);
        setCell(b, col::LBL, "乙");
        const QStringList before[4] = {rowOf(a), rowOf(b), rowOf(notSelected), rowOf(otherKind)};
        ShowPropertyDialog(a);
        PropertyDialog* d = OpenPropertyDialog(c.kind);
        ASSERT_NE(d, nullptr);
        if (c.edit) c.edit(d);
        EXPECT_EQ(d->Changed(), c.column >= 0) << c.kind << " " << c.column;
        click(d->COM[c.kind == kLine || c.kind == kLabel ? 1 : 0]);
        for (int i = 0; i < 2; ++i) {
            QStringList expected = before[i];
            if (c.column >= 0) expected[c.column] = QString::fromUtf8(c.written);
            EXPECT_EQ(rowOf(i == 0 ? a : b), expected) << c.kind << " " << c.column;
        }
        EXPECT_EQ(rowOf(notSelected), before[2]) << c.kind;
        EXPECT_EQ(rowOf(otherKind), before[3]) << c.kind;
        SetBoxSelectLook(b, true);
        SetBoxSelectLook(otherKind, true);
    }
}

TEST_F(Dialogs, ADialogWhoseBoxGoesAwayClosesWithoutWriting) {
    // Deleted: the next box moves up into the row the dialog was opened on.
    BoxControl* a = add(kTextBox, 10, 10);
    add(kTextBox, 10, 40);
    const int row = BoxRow(a);
    auto* d = open<EditCtl>(a);
    type(d->TT[1], "99");
    grid().Select(row, 0, row, 0);
    DeleteBoxRows(grid(), false);
    QApplication::processEvents();
    EXPECT_EQ(OpenPropertyDialog(kTextBox), nullptr);
    EXPECT_EQ(Val(grid().TextMatrix(row, col::X)), 10);

    // The format reloaded under an open dialog.
    BoxControl* line = GetBoxByIndex(FirstBoxIndex(kLine));
    if (!line) line = add(kLine, 20, 20);
    auto* p = open<ProLine>(line);
    type(p->TT[1], "99");
    ReloadFormatBoxes(grid(), false);
    QApplication::processEvents();
    EXPECT_EQ(OpenPropertyDialog(kLine), nullptr);
    EXPECT_NE(Val(cell(GetBoxByIndex(FirstBoxIndex(kLine)), col::X)), 99);
}

// The texts a dialog shows that are cut short by their control's width, or that hold words of
// Latin letters (the font sample aside).
QStringList badTexts(QWidget* dialog) {
    static const QRegularExpression latin("[A-Za-z]{2,}");
    QStringList bad;
    auto check = [&](QWidget* w, const QString& text, int needed) {
        if (w->width() < needed) bad << "clipped: " + text;
        if (w->objectName() != "TT7" && text.contains(latin)) bad << "Latin: " + text;
    };
    if (dialog->windowTitle().contains(latin)) bad << dialog->windowTitle();
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(dialog)) continue;
        const QFontMetrics fm = w->fontMetrics();
        if (auto* l = qobject_cast<QLabel*>(w))
            check(w, l->text(), l->text().isEmpty() ? 0 : l->sizeHint().width());
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            check(w, b->text(), b->sizeHint().width());
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            check(w, g->title(), fm.horizontalAdvance(g->title()) + 16);
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            check(w, e->text(), fm.horizontalAdvance(e->text()) + 10);
        else if (auto* c = qobject_cast<QComboBox*>(w))
            check(w, c->currentText(), fm.horizontalAdvance(c->currentText()) + 30);
    }
    return bad;
}

TEST_F(Dialogs, EveryDialogShowsItsCaptionsWholeAndInChinese) {
    const char* names[5] = {"designer_editctl.png", "designer_prochk.png", "designer_propic.png",
                            "designer_proline.png", "designer_prolbl.png"};
    BoxControl* other = add(kTextBox, 100, 80);
    setCell(other, col::ID, "21");
    setCell(other, col::LBL, "合计金额");
    for (int kind = 0; kind <= 4; ++kind) {
        BoxControl* box = add(kind, 20, 20 + kind * 12);
        setCell(box, col::ID, QString::number(30 + kind));
        setCell(box, col::LBL, "收款单位");
        if (kind == kTextBox) {
            setCell(box, col::Cash, "117");
            setCell(box, col::SumID, "-21.1");
            setCell(box, col::RCtl, "21");
        }
        ShowPropertyDialog(box);
        PropertyDialog* d = OpenPropertyDialog(kind);
        ASSERT_NE(d, nullptr);
        QApplication::processEvents();
        d->grab().save(test::ArtifactDir() + QLatin1Char('/') + QLatin1String(names[kind]));
        EXPECT_EQ(badTexts(d), QStringList()) << names[kind];
        d->close();
    }
}

TEST_F(Dialogs, APictureBoxDrawsItsBarcodeAgainAtItsNewWidth) {
    auto* box = static_cast<PictureBox*>(add(kPictureBox, 10, 10));
    RefreshPictureBox(box, "6901234567892");
    const int before = box->Image().width();
    ASSERT_GT(before, 0);
    auto* d = open<ProPic>(box);
    type(d->TT[3], "80");
    click(d->COM[0]);
    EXPECT_EQ(cell(box, col::W), "80");
    // The bars reach across the new width, not only the old one.
    const QImage img = box->Image();
    ASSERT_GT(img.width(), before * 2);
    int rightmost = -1;
    for (int x = 0; x < img.width(); ++x)
        for (int y = 0; y < img.height(); ++y)
            if (qGray(img.pixel(x, y)) < 80) rightmost = x;
    EXPECT_GT(rightmost, before * 3 / 2);
    EXPECT_EQ(box->LinkItem, "6901234567892");
}

TEST_F(Dialogs, FontAndColourButtonsWriteOnlyWhatWasReallyChosen) {
    BoxControl* a = add(kCheckBox, 10, 10);
    BoxControl* b = add(kCheckBox, 10, 40);
    select(b);
    struct Case {
        int button;
        QVariant answer;  // invalid: the dialog was cancelled
        bool writes;
    } cases[] = {
        {2, QVariant(), false},                   // font dialog cancelled
        {5, QVariant(QColor(Qt::black)), false},  // the same colour
        {5, QVariant(QColor(255, 0, 0)), true},   // another colour: the colour cell only
    };
    for (const Case& c : cases) {
        const QStringList before[2] = {rowOf(a), rowOf(b)};
        auto* d = open<ProChk>(a);
        {
            test::ScriptedAnswers answers;
            answers << c.answer;
            click(d->COM[c.button]);
        }
        EXPECT_EQ(d->Changed(), c.writes) << c.button;
        click(d->COM[0]);
        for (int i = 0; i < 2; ++i) {
            QStringList expected = before[i];
            if (c.writes) expected[col::Count] = QString::number(0x0000FF);
            EXPECT_EQ(rowOf(i == 0 ? a : b), expected) << c.button << " box " << i;
        }
    }
}

}  // namespace
