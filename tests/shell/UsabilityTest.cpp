// The main window as a clerk meets it: keys that move between the boxes, and no tab or line
// break typed into a box of one line.

#include <QTest>

#include "MainWindowFixture.h"
#include "common/Database.h"
#include "records/Defaults.h"
#include "store/BoxAccessors.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

using Usability = test::MainWindowTest;

TEST_F(Usability, TabMovesBetweenTheBoxesAndNoTabOrLineBreakIsTypedIntoAOneLineBox) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    w->activateWindow();
    MainForm& mf = MF();
    ASSERT_GE(mf.TT.size(), 6u);
    TextBox* first = mf.TT[0];
    TextBox* second = mf.TT[1];
    first->setFocus();
    settle();
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_EQ(w->focusWidget(), second);
    QTest::keyClick(second, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(w->focusWidget(), first);
    // Shift+Tab from the first box goes round to the last one that takes the focus.
    QTest::keyClick(first, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_NE(w->focusWidget(), first);
    EXPECT_NE(dynamic_cast<BoxControl*>(w->focusWidget()), nullptr);

    // A box of one line (the payer's name): Enter and Ctrl+Tab type nothing.
    TextBox* name = mf.TT[3];
    ASSERT_FALSE(name->HoldsSeveralLines());
    name->setFocus();
    name->SetText(QString());
    QTest::keyClicks(name, "ABC");
    QTest::keyClick(name, Qt::Key_Return);
    QTest::keyClick(name, Qt::Key_Enter);
    QTest::keyClick(name, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClicks(name, "D");
    EXPECT_EQ(name->Text(), "ABCD");
    SaveDefaultData(mf.CurrentFormat());
    const QString stored =
        ValueWhere("默认", "Fmt=? AND ID=?", "Con", {mf.CurrentFormat(), BoxRecordId(name)})
            .toString();
    EXPECT_EQ(stored, "ABCD");
    EXPECT_FALSE(stored.contains('\t') || stored.contains('\r') || stored.contains('\n'));

    // A box twice as high as a line takes Enter as a new line.
    name->resize(name->width(), 3 * QFontMetrics(name->font()).lineSpacing() + 10);
    ASSERT_TRUE(name->HoldsSeveralLines());
    QTest::keyClick(name, Qt::Key_Return);
    QTest::keyClicks(name, "E");
    EXPECT_EQ(name->Text(), "ABCD\r\nE");
}

}  // namespace
