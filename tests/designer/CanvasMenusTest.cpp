// Right-button menus on the canvas and the boxes, and the box menu's commands run as a right
// click and a choice in the menu run them: the clipboard, pictures and barcodes, copying boxes
// with numbered captions, adding and deleting, the relation chains. Also the format tree at
// the left edge, the picture box handing the keys to the canvas, and pictures of the menus.
// The bill menu's commands: the next bill with and without printing, random codes, clearing by
// the selection.

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include "DesignerFixture.h"
#include "PrintTestSupport.h"
#include "common/Database.h"
#include "common/Params.h"
#include "common/SelFormat.h"
#include "common/TwipGeometry.h"
#include "designer/BoxMenu.h"
#include "designer/CanvasEvents.h"
#include "designer/CanvasMenus.h"
#include "designer/PropertyDialog.h"
#include "designer/PropertyDialogs.h"
#include "filling/DataEntry.h"
#include "platform/VbNumbers.h"
#include "printing/PrintEngine.h"
#include "printing/SelPrinter.h"
#include "records/History.h"
#include "store/BoxAccessors.h"
#include "store/BoxEditing.h"
#include "store/BoxLook.h"
#include "store/BoxModel.h"
#include "store/BoxToRow.h"
#include "store/BoxTools.h"
#include "store/Canvas.h"
#include "store/CheckBox.h"
#include "store/DataTypeCodes.h"
#include "store/Label.h"
#include "store/Line.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/PictureRefresh.h"
#include "store/TextBox.h"

using namespace bw;
using namespace bw::test;

namespace {

// The menus are recorded as they open; with a choice set, its item is run.
class CanvasMenus : public DesignerTest {
protected:
    void SetUp() override {
        DesignerTest::SetUp();
        SetMenuPopper([this](QMenu* menu, const QPoint&) {
            shown.push_back(menu->objectName());
            BoxControl* target = Menus().MenuTarget;
            targetEnabledWhileShown =
                target && target->Widget() ? target->Widget()->isEnabled() : true;
            if (QAction* a = choice.isEmpty() ? nullptr : Menus().item(choice)) a->trigger();
        });
    }
    // Right-clicks the box and chooses the item of the box menu.
    void choose(BoxControl* box, const QString& item) {
        choice = item;
        if (box->Kind() == kLine) {
            auto* l = static_cast<Line*>(box);
            const double x = (l->X1() + l->X2()) / 2.0, y = (l->Y1() + l->Y2()) / 2.0;
            move(x, y);
            click(x, y, Qt::RightButton);
        } else {
            // The command may remove the box: the release goes to it only when it is still there.
            QPointer<QWidget> w = mouseTarget(box);
            QTest::mousePress(w, Qt::RightButton, {}, QPoint(3, 3));
            if (w) QTest::mouseRelease(w, Qt::RightButton, {}, QPoint(3, 3));
        }
    }
    static void caption(BoxControl* box, const QString& text) {
        CaptionLabel(box->Index())->SetCaption(text);
        UpdateRowFromBox(box);
    }
    QStringList shown;
    bool targetEnabledWhileShown = true;
    QString choice;
};

TEST_F(CanvasMenus, RightClicksOpenTheBoxMenuOrTheBillMenu) {
    BoxControl* t = add(kTextBox, 20, 20);
    auto* l = static_cast<Line*>(add(kLine, 0, 0));
    l->SetEnds(mm(100), mm(50), mm(150), mm(50));

    QTest::mouseClick(mouseTarget(t), Qt::RightButton, {}, QPoint(10, 10));
    ASSERT_EQ(shown, QStringList{"m_CtlSet"});
    EXPECT_EQ(Menus().MenuTarget, t);
    EXPECT_FALSE(targetEnabledWhileShown);
    EXPECT_TRUE(t->Widget()->isEnabled());
    EXPECT_TRUE(Menus().item("mCopy")->isVisible());
    EXPECT_FALSE(Menus().item("mAddPic")->isVisible());

    // A check box's menu sets up a single choice and has no related items.
    BoxControl* c = add(kCheckBox, 60, 20);
    QTest::mouseClick(mouseTarget(c), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(Menus().item("mRtlCtl")->text(), "设置单选");
    EXPECT_FALSE(Menus().item("mReCtlList")->isVisible());

    // Over the middle of a line: the line's menu; over its end point: the bill menu.
    shown.clear();
    move(mm(125), mm(50));
    press(mm(125), mm(50), Qt::RightButton);
    EXPECT_EQ(shown, QStringList{"m_CtlSet"});
    EXPECT_EQ(Menus().MenuTarget, l);
    EXPECT_FALSE(Menus().item("mCopy")->isVisible());
    shown.clear();
    move(mm(150), mm(50));
    press(mm(150), mm(50), Qt::RightButton);
    EXPECT_EQ(shown, QStringList{"mPicGraph"});
    EXPECT_EQ(Menus().MenuX, mm(150));

    // The bill menu's picture items follow the lock.
    MF().SetO2Value(2, 1);
    press(mm(180), mm(90), Qt::RightButton);
    EXPECT_FALSE(Menus().item("mClearBackPic")->isEnabled());
    MF().SetO2Value(2, 0);
    press(mm(180), mm(90), Qt::RightButton);
    EXPECT_TRUE(Menus().item("mClearBackPic")->isEnabled());
}

TEST_F(CanvasMenus, TheTreeSlidesInAtTheLeftEdgeAndOutBesideIt) {
    MainForm& mf = MF();
    auto* tv = new QTreeWidget(mf.PFrm);
    SetTwGeometry(tv, -3000, 300, 3000, 3000);
    mf.TV = tv;
    move(600, 1000);
    EXPECT_LT(TwLeft(tv), 0);
    move(30, 1000);
    EXPECT_EQ(TwLeft(tv), 0);
    move(2000, 1000);  // still beside the tree's width: stays
    EXPECT_EQ(TwLeft(tv), 0);
    move(3100, 1000);
    EXPECT_EQ(TwLeft(tv), -3000);
    move(15, 1000);
    Form_MouseMove();
    EXPECT_EQ(TwLeft(tv), -3000);
}

TEST_F(CanvasMenus, APictureBoxHandsTheArrowKeysToTheCanvas) {
    BoxControl* p = add(kPictureBox, 20, 20);
    SetBoxSelectLook(p, false);
    const int left = p->Left();
    QTest::mouseClick(mouseTarget(p), Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_TRUE(MF().PG->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(p->Left(), left + 10);
}

// Opens each menu as the right click would and saves the window with the menu over it.
TEST_F(CanvasMenus, PicturesOfTheMenusCaptionedInChinese) {
    auto shoot = [](const QString& file) {
        SetMenuPopper([file](QMenu* menu, const QPoint& at) {
            menu->popup(at);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
            for (QAction* a : menu->actions()) {
                if (!a->isVisible() || a->isSeparator()) continue;
                EXPECT_FALSE(a->text().contains(QRegularExpression("[A-Za-z]")))
                    << a->text().toStdString();
            }
            QImage picture = MF().grab().toImage();
            QPainter p(&picture);
            p.drawPixmap(MF().mapFromGlobal(menu->pos()), menu->grab());
            p.end();
            menu->close();
            EXPECT_TRUE(picture.save(ArtifactDir() + QLatin1Char('/') + file));
        });
    };
    BoxControl* t = add(kTextBox, 30, 20);
    CaptionLabel(t->Index())->SetCaption("金额");
    PlaceBoxLabel(t);
    BoxControl* pic = add(kPictureBox, 110, 20);
    shoot("designer_box_menu.png");
    QTest::mouseClick(mouseTarget(t), Qt::RightButton, {}, QPoint(10, 10));
    shoot("designer_picture_box_menu.png");
    QTest::mouseClick(mouseTarget(pic), Qt::RightButton, {}, QPoint(10, 10));
    shoot("designer_bill_menu.png");
    click(mm(60), mm(60), Qt::RightButton);
}

TEST(CopyNumbering, TrailingDigitsCountUpAndTheAnswerRoundsHalfToEven) {
    const struct {
        const char* caption;
        int k;
        const char* copy;
    } captions[] = {
        {"项目9", 1, "项目10"}, {"金额1", 2, "金额3"}, {"金额", 1, "金额1"},
        {"A09", 1, "A10"},      {"", 3, "3"},          {"１２", 1, "１２1"},  // full-width
    };
    for (const auto& c : captions)
        EXPECT_EQ(CopyCaption(QString::fromUtf8(c.caption), c.k), QString::fromUtf8(c.copy))
            << c.caption;
    const struct {
        const char* answer;
        long long n;
    } counts[] = {{"3", 3}, {"2.5", 2}, {"3.5", 4}, {" 4个", 4}, {"abc", 0}, {"", 0}, {"-2", -2}};
    for (const auto& c : counts)
        EXPECT_EQ(CopyCountOf(QString::fromUtf8(c.answer)), c.n) << c.answer;
}

TEST_F(CanvasMenus, CopiesGoUpAndLeftWithNumberedCaptionsAndTakeTheSelection) {
    BoxControl* src = add(kTextBox, 20, 20);
    caption(src, "项目9");
    SetBoxSelectLook(src, false);
    ScriptedAnswers answers;
    answers << "3";
    choose(src, "mCopyCtl");

    ASSERT_EQ(BoxCount[kTextBox], 4);
    EXPECT_EQ(dlg::ShownLog().at(0).text, "请输入要复制输入框个数：");
    EXPECT_FALSE(IsBoxSelected(src));
    QSet<QString> ids{cell(src, col::ID)};
    for (int k = 1; k <= 3; ++k) {
        BoxControl* copy = GetBoxByIndex(1 + k);
        EXPECT_EQ(cell(copy, col::LBL), QStringLiteral("项目%1").arg(9 + k));
        EXPECT_EQ(CaptionLabel(copy->Index())->Caption(), QStringLiteral("项目%1").arg(9 + k));
        EXPECT_EQ(copy->Left(), src->Left() - 200 * k);
        EXPECT_EQ(copy->Top(), src->Top() - 200 * k);
        EXPECT_EQ(copy->Width(), src->Width());
        EXPECT_TRUE(IsBoxSelected(copy)) << k;
        ids.insert(cell(copy, col::ID));
    }
    EXPECT_EQ(ids.size(), 4) << "every copy has its own identity";
}

TEST_F(CanvasMenus, CopiesOutsideTheCanvasArePulledBackAndLinesMoveBothEnds) {
    BoxControl* near = add(kTextBox, 2, 2);  // 120 units from the corner
    auto* line = static_cast<Line*>(add(kLine, 0, 0));
    line->SetEnds(mm(50), mm(60), mm(150), mm(60));
    UpdateRowFromBox(line);
    SetBoxSelectLook(line, false);
    ScriptedAnswers answers;
    answers << "2";
    choose(near, "mCopyCtl");  // copies the menu's box and the selected line

    ASSERT_EQ(BoxCount[kTextBox], 3);
    ASSERT_EQ(BoxCount[kLine], 3);
    auto* lineCopy = static_cast<Line*>(GetBoxByIndex(3003));
    EXPECT_EQ(lineCopy->X1(), mm(50) - 400);
    EXPECT_EQ(lineCopy->Y2(), mm(60) - 400);
    BoxControl* far = GetBoxByIndex(3);
    EXPECT_LT(far->Left(), 0);
    PullBoxesOntoBill();
    EXPECT_GE(far->Left(), 0);
    EXPECT_GE(far->Top(), 0);
    EXPECT_GE(Val(cell(far, col::X)), 0);
}

TEST_F(CanvasMenus, ACopyPastTheLimitIsRefusedWholeAndNoCountDropsTheSelection) {
    BoxControl* a = add(kTextBox, 20, 20);
    BoxControl* b = add(kTextBox, 60, 20);
    SetBoxSelectLook(b, false);
    const int rows = MF().BoxGrid().Rows();
    {
        ScriptedAnswers answers;
        answers << "499";  // 2 + 2 x 499 = 1000 boxes
        choose(a, "mCopyCtl");
        EXPECT_EQ(BoxCount[kTextBox], 2);
        EXPECT_EQ(MF().BoxGrid().Rows(), rows);
        EXPECT_TRUE(answers.lastMessage().contains("999"));
        EXPECT_TRUE(IsBoxSelected(b));
    }
    for (const char* none : {"0", "很多"}) {
        SetBoxSelectLook(b, false);
        ScriptedAnswers answers;
        answers << QString::fromUtf8(none);
        choose(a, "mCopyCtl");
        EXPECT_EQ(BoxCount[kTextBox], 2) << none;
        EXPECT_FALSE(IsBoxSelected(b)) << none;
    }
}

TEST_F(CanvasMenus, TextGoesThroughTheClipboard) {
    auto* from = static_cast<TextBox*>(add(kTextBox, 20, 20));
    auto* to = static_cast<TextBox*>(add(kTextBox, 20, 40));
    auto* label = static_cast<Label*>(add(kLabel, 20, 60));
    QClipboard* clip = QGuiApplication::clipboard();

    from->SetText("壹贰叁肆伍");
    choose(from, "mCopy");
    EXPECT_EQ(clip->text(), "壹贰叁肆伍");
    QTextCursor c = from->Editor()->textCursor();
    c.setPosition(1);
    c.setPosition(3, QTextCursor::KeepAnchor);
    from->Editor()->setTextCursor(c);
    choose(from, "mCopy");
    EXPECT_EQ(clip->text(), "贰叁");
    to->SetText(QString());
    choose(to, "mCopy");  // an empty box leaves the clipboard alone
    EXPECT_EQ(clip->text(), "贰叁");

    // Pasted at the caret, or over the selection.
    to->SetText("abcdef");
    c = to->Editor()->textCursor();
    c.setPosition(3);
    to->Editor()->setTextCursor(c);
    choose(to, "mPaste");
    EXPECT_EQ(to->Text(), "abc贰叁def");
    c.setPosition(3);
    c.setPosition(5, QTextCursor::KeepAnchor);
    to->Editor()->setTextCursor(c);
    clip->setText("XY");
    choose(to, "mPaste");
    EXPECT_EQ(to->Text(), "abcXYdef");
    EXPECT_TRUE(cell(to, col::LBL).isEmpty()) << "a text box's value stays off its row";

    choose(label, "mPaste");
    EXPECT_EQ(label->Caption(), "XY");
    EXPECT_EQ(cell(label, col::LBL), "XY");
}

TEST_F(CanvasMenus, APictureFileAndATypedBarcodeShowAndPrint) {
    auto* photo = static_cast<PictureBox*>(add(kPictureBox, 20, 20));
    auto* code = static_cast<PictureBox*>(add(kPictureBox, 100, 20));
    QImage image(40, 60, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    const QString jpg = QDir(folder_.path()).filePath("照片.jpg");
    ASSERT_TRUE(image.save(jpg, "JPG"));
    {
        ScriptedAnswers answers;
        answers << folder_.file("无此文件.jpg") << int(dlg::Ok) << jpg;
        choose(photo, "mAddPic");
        EXPECT_EQ(answers.lastMessage(),
                  QStringLiteral("图片文件“") + folder_.file("无此文件.jpg") + "”不存在！");
        EXPECT_TRUE(photo->LinkItem.isEmpty());
        choose(photo, "mAddPic");
        EXPECT_EQ(photo->LinkItem, jpg);
        EXPECT_FALSE(photo->Picture().isNull());
    }
    {
        ScriptedAnswers answers;
        answers << "  6901234567892 ";
        choose(code, "mInputBarCode");
        EXPECT_EQ(dlg::ShownLog().at(0).text, "请输入条形码（数字串）：");
        EXPECT_EQ(code->LinkItem, "6901234567892");
    }

    RecordingPrinter& printer = InstallRecordingPrinter();
    ASSERT_TRUE(RenderBill(0, 0));
    const Drawn& d = printer.Record();
    EXPECT_EQ(d.images.size(), 1u);
    EXPECT_GT(d.rects.size() + d.lines.size(), 20u) << "the barcode's bars";

    // Cancel answers nothing: the box is emptied. The default answer was its content.
    ScriptedAnswers cancel;
    choose(code, "mInputBarCode");
    EXPECT_EQ(dlg::ShownLog().at(0).preset, "6901234567892");
    EXPECT_TRUE(code->LinkItem.isEmpty());
}

TEST_F(CanvasMenus, AddingAndDeletingBoxes) {
    BoxControl* a = add(kTextBox, 20, 20);
    BoxControl* b = add(kTextBox, 60, 20);
    // The kind is chosen in the chooser; a cancelled choice adds nothing.
    auto chooseKind = [](int kind) {
        QTimer::singleShot(0, [kind] {
            SelFormat* d = SelFormat::Current();
            ASSERT_NE(d, nullptr);
            if (kind < 0) {
                d->close();
                return;
            }
            d->CMB->setCurrentIndex(kind);
            d->COM_Click(0);
        });
    };
    chooseKind(kCheckBox);
    choose(a, "mAddCtl");
    EXPECT_EQ(BoxCount[kCheckBox], 1);
    chooseKind(-1);
    choose(a, "mAddCtl");
    EXPECT_EQ(BoxCount[kCheckBox], 1);
    // From the bill menu: at the point the menu was opened.
    chooseKind(kTextBox);
    choice = "mCtlAdd";
    click(mm(60), mm(60), Qt::RightButton);
    ASSERT_EQ(BoxCount[kTextBox], 3);
    EXPECT_EQ(GetBoxByIndex(3)->Left(), mm(60));
    EXPECT_EQ(GetBoxByIndex(3)->Top(), mm(60));
    SetBoxSelectLook(b, false);
    ScriptedAnswers answers;
    answers << int(dlg::Yes);
    choose(a, "mDeleteCtl");
    EXPECT_EQ(answers.lastMessage(), "您确定要删除选定的输入框和当前输入框？");
    EXPECT_EQ(BoxCount[kTextBox], 1);
    EXPECT_EQ(Menus().MenuTarget, nullptr);
}

TEST_F(CanvasMenus, ThePropertiesItemOpensTheDialogOfTheBoxsKindOnItsRow) {
    add(kTextBox, 20, 20);
    BoxControl* check = add(kCheckBox, 60, 20);
    choose(check, "mCtlSet");
    PropertyDialog* d = OpenPropertyDialog(kCheckBox);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->EditedBox(), check);
    EXPECT_EQ(d->CtlRow->text(), check->Tag);
    EXPECT_EQ(OpenPropertyDialog(kTextBox), nullptr);
    d->close();
}

// The link writers themselves are tested with the filling; here the menu reaches them, and a
// ring written in the designer carries a value at once.
TEST_F(CanvasMenus, RelationChainsLinkTheSelectedBoxesToTheMenusBox) {
    BoxControl* t[4] = {nullptr, add(kTextBox, 20, 20), add(kTextBox, 60, 20),
                        add(kTextBox, 100, 20)};
    BoxControl* outside = add(kTextBox, 140, 20);
    BoxControl* check[2] = {add(kCheckBox, 20, 60), add(kCheckBox, 60, 60)};
    auto id = [](BoxControl* b) { return cell(b, col::ID); };
    const QString outsideLink = cell(outside, col::RCtl);
    for (BoxControl* b : {t[1], t[2], t[3], check[1], add(kPictureBox, 140, 60)})
        SetBoxSelectLook(b, false);
    choose(t[1], "mRtlCtl");  // A itself selected too: not its own member
    EXPECT_EQ(QStringList({cell(t[1], col::RCtl), cell(t[2], col::RCtl), cell(t[3], col::RCtl),
                           cell(outside, col::RCtl)}),
              QStringList({id(t[2]), id(t[3]), id(t[1]), outsideLink}));
    auto* b = static_cast<TextBox*>(t[2]);
    b->SetText("同一个值");
    TT_LostFocus(b);
    EXPECT_EQ(static_cast<TextBox*>(t[1])->Text(), "同一个值");
    EXPECT_EQ(static_cast<TextBox*>(t[3])->Text(), "同一个值");
    EXPECT_TRUE(static_cast<TextBox*>(outside)->Text().isEmpty());

    choose(t[1], "mReCtlList");
    EXPECT_EQ(cell(t[1], col::RCtl1), QString::number(-id(t[2]).toLongLong()));
    choose(check[0], "mRtlCtl");
    EXPECT_EQ(cell(check[0], col::RCtl), id(check[1]));
    EXPECT_EQ(cell(t[3], col::RCtl), id(t[1])) << "text boxes are no members of a check ring";
}

class BillMenu : public PrintFixture {
protected:
    void SetUp() override {
        PrintFixture::SetUp();
        NewFormat("进账单", 200, 100);
        nameId = AddBox({.kind = 0, .caption = "户名", .x = 20, .y = 30, .w = 60});
        AddBox({.kind = 0, .caption = "密码", .x = 100, .y = 30, .w = 60, .cash = 132});
        AddBox({.kind = 0, .caption = "", .x = 20, .y = 50, .w = 60});
        AddBox(
            {.kind = 0, .caption = "格码", .x = 100, .y = 50, .w = 60, .cash = PackCash(132, 4)});
        AddBox({.kind = 1, .caption = "加急", .x = 20, .y = 70, .w = 5, .h = 5});
        AddBox({.kind = 2, .caption = "条码", .x = 100, .y = 70, .w = 30, .h = 15});
        AddBox({.kind = 0, .caption = "日期", .x = 150, .y = 10, .w = 40, .cash = 110});
        numberId = AddBox({.kind = 0, .caption = "号码", .x = 150, .y = 80, .w = 40, .cash = 122});
        Show();
        SaveRegValue("BWF", "Validate", "Printer", "");
        MF().MSF[2]->SetTag("loaded");
    }
    void TearDown() override {
        UnloadMenus();
        PrintFixture::TearDown();
    }
    static void run(const char* item) {
        QAction* a = Menus().item(QString::fromLatin1(item));
        ASSERT_TRUE(a && a->isEnabled()) << item;
        a->trigger();
    }
    // Fills every box of the bill (box 4 holds an amount in four digit cells).
    void fill() {
        for (int n = 1; n <= 3; ++n) Text(n)->SetText(QStringLiteral("值%1").arg(n));
        Text(4)->SetText(QStringLiteral("12.34"));
        Check(1)->SetValue(1);
        RefreshPictureBox(Picture(1), "123456");
    }
    int bills() { return LastBillNumber(format_); }
    qint64 nameId = 0, numberId = 0;
    static QString today() { return QDate::currentDate().toString("yyyy年MM月dd日"); }
};

TEST_F(BillMenu, TheNextBillIsRecordedClearedAndGetsTodayAndTheNextNumber) {
    fill();
    Text(6)->SetText("A0099");
    run("mAddBills");
    ASSERT_EQ(bills(), 1);
    EXPECT_EQ(ValueWhere("历史", "Fmt=? AND ID=1 AND CID=?", "Con", {format_, nameId}).toString(),
              "值1");
    EXPECT_EQ(Text(5)->Text(), today());
    EXPECT_EQ(Text(6)->Text(), "A0100");
    EXPECT_EQ(Text(1)->Text(), QString());
    EXPECT_EQ(Text(3)->Text(), "值3") << "a box without a caption keeps its text";
    EXPECT_EQ(Check(1)->Value(), 0);
    EXPECT_TRUE(Picture(1)->LinkItem.isEmpty());
    EXPECT_TRUE(MF().MSF[2]->Tag().isEmpty()) << "the history grid is read again";
}

TEST_F(BillMenu, PrintAndAddStopsWhenThePrintDidNotHappen) {
    fill();
    QTimer::singleShot(0, [] {
        if (SelPrinter* d = SelPrinter::Current()) d->COM_Click(1);
    });
    run("mAddBillsAndPrint");
    EXPECT_EQ(bills(), 0);
    EXPECT_EQ(Text(1)->Text(), "值1");
    EXPECT_EQ(Check(1)->Value(), 1);
    EXPECT_EQ(MF().MSF[2]->Tag(), "loaded");

    // Printed: recorded once, by the print, and cleared.
    const QString file = QDir(ArtifactDir()).filePath("bill-menu-print-and-add.pdf");
    QTimer::singleShot(0, [file] {
        SelPrinter* d = SelPrinter::Current();
        ASSERT_NE(d, nullptr);
        d->COMB->setCurrentText(kPdfPrinterName);
        d->PdfFile->setText(file);
        d->COM_Click(0);
    });
    run("mAddBillsAndPrint");
    EXPECT_EQ(bills(), 1);
    EXPECT_EQ(Text(1)->Text(), QString());
    EXPECT_TRUE(MF().MSF[2]->Tag().isEmpty());
}

TEST_F(BillMenu, DatesAndRandomCodesAgain) {
    run("mAutoGetDate");
    EXPECT_EQ(Text(5)->Text(), today());
    run("mAutoCreatePSD");
    EXPECT_FALSE(Text(2)->Text().isEmpty());
    EXPECT_TRUE(Text(1)->Text().isEmpty());
    EXPECT_TRUE(Text(4)->Text().isEmpty()) << "a packed count makes another type";
    const QString first = Text(2)->Text();
    run("mAutoCreatePSD");
    EXPECT_NE(Text(2)->Text(), first);
}

TEST_F(BillMenu, ClearingFollowsTheSelection) {
    // Selected boxes only, a selected picture even while pictures are protected.
    fill();
    MF().mForbidPicClear->setChecked(true);
    SetBoxSelectLook(Text(1), false);
    SetBoxSelectLook(Text(3), false);
    SetBoxSelectLook(Picture(1), false);
    run("mClearCtl");
    EXPECT_EQ(Text(1)->Text(), QString());
    EXPECT_EQ(Text(2)->Text(), "值2");
    EXPECT_EQ(Text(3)->Text(), "值3");
    EXPECT_EQ(Check(1)->Value(), 1);
    EXPECT_TRUE(Picture(1)->LinkItem.isEmpty());

    // Only a check box selected: only the check box.
    for (BoxControl* b : {(BoxControl*)Text(1), (BoxControl*)Text(3), (BoxControl*)Picture(1)})
        SetBoxSelectLook(b, true);
    fill();
    SetBoxSelectLook(Check(1), false);
    run("mClearCtl");
    EXPECT_EQ(Check(1)->Value(), 0);
    EXPECT_EQ(Text(1)->Text(), "值1");

    // Nothing selected: the whole bill, pictures kept while protected.
    SetBoxSelectLook(Check(1), true);
    fill();
    run("mClearCtl");
    EXPECT_EQ(Text(2)->Text(), QString());
    EXPECT_EQ(Check(1)->Value(), 0);
    EXPECT_EQ(Picture(1)->LinkItem, "123456");
    MF().mForbidPicClear->setChecked(false);
    run("mClearCtl");
    EXPECT_TRUE(Picture(1)->LinkItem.isEmpty());
}

}  // namespace
