// Aligning the selected boxes to a typed value, and what the lock stops.

#include <QAction>

#include "DesignerFixture.h"
#include "designer/Alignment.h"
#include "designer/LinePicking.h"
#include "store/BoxEditing.h"
#include "store/BoxLook.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/CanvasOptions.h"
#include "store/CheckBox.h"
#include "store/Line.h"
#include "store/MainForm.h"

using namespace bw;

namespace {

using Alignment = test::DesignerTest;

TEST_F(Alignment, TopEdgesGoToTheTypedValue) {
    BoxControl* a = add(kTextBox, 20, 5);  // Top 300
    BoxControl* b = add(kPictureBox, 60, 30);
    BoxControl* c = add(kCheckBox, 100, 40);
    BoxControl* idle = add(kTextBox, 140, 50);
    a->SetTop(300);
    b->SetTop(500);
    for (BoxControl* x : {a, b, c}) SetBoxSelectLook(x, false);
    {
        test::ScriptedAnswers answers;
        answers << QStringLiteral(" 12.5 ");
        AlignSelectedBoxes(0);
        ASSERT_EQ(dlg::ShownLog().size(), 1);
        EXPECT_EQ(dlg::ShownLog()[0].preset, QStringLiteral("5"));  // 300 units
    }
    for (BoxControl* x : {a, b, c}) {
        EXPECT_EQ(x->Top(), 750);
        EXPECT_NEAR(rowY(x), 12.5, 0.001);
    }
    EXPECT_EQ(idle->Top(), mm(50));

    // An answer that is no number, an empty one and Cancel change nothing.
    for (const QVariant& answer :
         {QVariant(QStringLiteral("abc")), QVariant(QString()), QVariant()}) {
        test::ScriptedAnswers answers;
        answers << answer;
        AlignSelectedBoxes(1);
        EXPECT_EQ(a->Left(), mm(20));
    }
    // Right edges beyond the canvas stop at its far edge.
    {
        test::ScriptedAnswers answers;
        answers << QStringLiteral("500");
        AlignSelectedBoxes(2);
        EXPECT_EQ(a->Left(), int(MF().PG->Width()) - a->Width());
    }
}

TEST_F(Alignment, WidthsNeedABoxOfTheirKinds) {
    BoxControl* c = add(kCheckBox, 100, 40);
    SetBoxSelectLook(c, false);
    const int cw = c->Width();
    test::ScriptedAnswers answers;
    AlignSelectedBoxes(4);
    EXPECT_EQ(answers.lastMessage(), QStringLiteral("请先选定多个输入框，再操作此功能！"));
    BoxControl* t = add(kTextBox, 20, 20);
    BoxControl* p = add(kPictureBox, 60, 20);
    t->SetWidth(600);
    p->SetWidth(900);
    SetBoxSelectLook(t, false);
    SetBoxSelectLook(p, false);
    answers << QStringLiteral("15");  // proposal 900 units = 15 mm
    AlignSelectedBoxes(4);
    EXPECT_EQ(t->Width(), 900);
    EXPECT_EQ(c->Width(), cw);
}

TEST_F(Alignment, TheLockDisablesTheMenuAndLinePicking) {
    MainForm& mf = MF();
    auto* l = static_cast<Line*>(add(kLine, 0, 0));
    l->SetEnds(600, 600, 3000, 600);
    mf.SetO2Value(2, 1);
    O2_Click(2);
    EXPECT_FALSE(mf.mCtlSame->isEnabled());
    int part = 0;
    EXPECT_EQ(FindLineAt(0, 1800, 600, part), nullptr);
    mf.SetO2Value(2, 0);
    O2_Click(2);
    EXPECT_TRUE(mf.mCtlSame->isEnabled());
    EXPECT_EQ(FindLineAt(0, 1800, 600, part), l);
}

}  // namespace
