#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include "TestSupport.h"
#include "common/Database.h"
#include "common/Globals.h"
#include "common/GridFunctions.h"
#include "common/Schema.h"
#include "common/SelFormat.h"
#include "common/Services.h"

using namespace bw;

namespace {

class Chooser : public ::testing::Test {
protected:
    void SetUp() override {
        CloseDatabase();
        ASSERT_TRUE(EnsureDatabase());
        ChosenItem.clear();
    }
    void TearDown() override {
        CloseDatabase();
        Doors().store = StoreServices();
        ChosenItem.clear();
    }
    void type(QWidget* w, const QString& text) {
        for (QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(w, &press);
        }
    }
    test::TempDataFolder folder_;
};

QStringList items(const QComboBox* c) {
    QStringList out;
    for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
    return out;
}

}  // namespace

TEST_F(Chooser, TheKindListAnswersTheKindsDigitAndAnUnknownListNothing) {
    SelFormat d;
    d.ChooserMode = "CtlClas";
    d.Form_Load();
    EXPECT_EQ(items(d.CMB),
              (QStringList{"0｜文本框", "1｜可选框", "2｜图像框", "3｜线条", "4｜标签"}));
    EXPECT_EQ(d.CMB->currentText(), "0｜文本框");
    d.CMB->setCurrentIndex(2);
    d.COM_Click(0);
    EXPECT_EQ(ChosenItem, "2");

    SelFormat unknown;
    unknown.ChooserMode = "Printer";
    unknown.Form_Load();
    EXPECT_EQ(unknown.CMB->count(), 0);
    unknown.COM_Click(0);
    EXPECT_EQ(ChosenItem, "");

    // Answers are trimmed and cut before the first bar.
    EXPECT_EQ(ChoiceAnswer("  进账单  "), "进账单");
    EXPECT_EQ(ChoiceAnswer("12｜3｜收款人"), "12");
}

TEST_F(Chooser, CancelAnswersNothingEvenAfterAnEarlierChoice) {
    ChosenItem = "2";
    {  // (closing by the window frame: see TheCallerWaitsForTheAnswerWhileOtherEventsRun)
        SelFormat d;
        d.ChooserMode = "CtlClas";
        d.Form_Load();
        EXPECT_EQ(ChosenItem, "");  // cleared when the chooser loads
        ChosenItem = "2";
        d.COM_Click(1);
        EXPECT_EQ(ChosenItem, "");
    }
}

TEST_F(Chooser, TypingChangesTheTextOnlyWhenAllowed) {
    SelFormat fixed;
    fixed.ChooserMode = "CtlClas";
    fixed.Form_Load();
    type(fixed.CMB->lineEdit(), "abc");
    EXPECT_EQ(fixed.CMB->currentText(), "0｜文本框");

    SelFormat open;
    open.ChooserMode = "CtlClas";
    open.ChooserTyping = true;
    open.Form_Load();
    open.CMB->lineEdit()->clear();
    type(open.CMB->lineEdit(), " 7｜自选 ");
    open.COM_Click(0);
    EXPECT_EQ(ChosenItem, "7");  // a text that is no item of the list
}

TEST_F(Chooser, TheBoxListAnswersTheRecordIdOfTheChosenBox) {
    Grid box;
    SetupGrid(box, {"ID", "", "LBL"}, {"ID", "序号", "标签内容"});
    box.SetRows(4);
    const char* rows[][3] = {{"15", "1", "收款人"}, {"16", "2", "金额"}};
    for (int i = 0; i < 2; ++i)
        for (int c = 0; c < 3; ++c) box.SetTextMatrix(2 + i, c, QString::fromUtf8(rows[i][c]));
    Doors().store.boxGrid = [&box] { return &box; };
    SelFormat d;
    d.ChooserMode = "Control";
    d.Form_Load();
    EXPECT_EQ(items(d.CMB), (QStringList{"15｜1｜收款人", "16｜2｜金额"}));
    d.CMB->setCurrentIndex(1);
    d.COM_Click(0);
    EXPECT_EQ(ChosenItem, "16");
}

TEST_F(Chooser, TheFormatListNamesEachFormatOnceWithTheOpenOneChosen) {
    for (const char* name : {"进账单", "支票", "进账单"})
        ASSERT_TRUE(ExecuteSql("INSERT INTO Fmt (Fmt, LBL) VALUES (?, ?)",
                               {QString::fromUtf8(name), kWholeFormatLabel}));
    Doors().store.currentFormat = [] { return QStringLiteral("支票"); };
    SelFormat d;
    d.ChooserMode = "Format";
    d.Form_Load();
    EXPECT_EQ(d.CMB->count(), 2);
    EXPECT_TRUE(items(d.CMB).contains("进账单"));
    EXPECT_EQ(d.CMB->currentText(), "支票");
    d.COM_Click(0);
    EXPECT_EQ(ChosenItem, "支票");
}

TEST_F(Chooser, ALongFormatNameIsShownWholeInTheBoxAndTheList) {
    const QString longName = "北京华联商厦股份有限公司进账单（回单）第二联2026版";
    for (const QString& name : {QString("支票"), longName})
        ASSERT_TRUE(
            ExecuteSql("INSERT INTO Fmt (Fmt, LBL) VALUES (?, ?)", {name, kWholeFormatLabel}));
    Doors().store.currentFormat = [=] { return longName; };
    SelFormat d;
    d.ChooserMode = "Format";
    d.Form_Load();
    d.show();
    QApplication::processEvents();
    QLineEdit* edit = d.CMB->lineEdit();
    EXPECT_EQ(edit->text(), longName);
    EXPECT_GE(edit->width(), edit->fontMetrics().horizontalAdvance(longName) + 4);
    d.CMB->showPopup();
    QApplication::processEvents();
    QAbstractItemView* list = d.CMB->view();
    EXPECT_GE(list->viewport()->width(), list->fontMetrics().horizontalAdvance(longName));
    d.CMB->hidePopup();
    d.grab().save(test::ArtifactDir() + "/chooser_long_name.png");
    d.COM_Click(1);
}

TEST_F(Chooser, TheFontListShowsTheInstalledFontsWithTheCallersFontChosen) {
    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    ChosenItem = families.last();
    SelFormat d;
    d.ChooserMode = "Font";
    d.Form_Load();
    EXPECT_EQ(d.CMB->count(), families.size());
    EXPECT_EQ(d.CMB->currentText(), families.last());
    EXPECT_EQ(ChosenItem, "");
    d.COM_Click(0);
    EXPECT_EQ(ChosenItem, families.last());
}

TEST_F(Chooser, TheCallerWaitsForTheAnswerWhileOtherEventsRun) {
    bool timerRan = false;
    QTimer::singleShot(0, [&] {
        timerRan = true;
        SelFormat* d = SelFormat::Current();
        ASSERT_NE(d, nullptr);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(d->windowTitle(), "请选择类别");
        d->CMB->setCurrentIndex(4);
        d->COM_Click(0);
    });
    EXPECT_EQ(RunChooser("CtlClas", false, "请选择类别"), "4");
    EXPECT_TRUE(timerRan);
    EXPECT_EQ(ChosenItem, "4");

    QTimer::singleShot(0, [] { SelFormat::Current()->close(); });
    EXPECT_EQ(RunChooser("CtlClas"), "");
}
