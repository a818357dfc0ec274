// The text box before and after its editor is made: the same text, the same look, and the
// events its watchers see at each part.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <functional>

#include "store/TextBox.h"

using namespace bw;

namespace {

// The pixels that differ between two pictures of the same size.
int differing(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return a.width() * a.height();
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) ++n;
    return n;
}

TEST(TextBoxLook, TheBoxPaintsItsTextAsItsEditorWill) {
    struct Case {
        const char* what;
        QString text;
        int alignment, border, pointSize, width, height;
        QColor back, fore;
    };
    const QString longText = QStringLiteral("北京市朝阳区建国路88号 SOHO现代城 A座 1203 室 收");
    const std::vector<Case> cases = {
        {"left", "上海申通物流有限公司", 0, 1, 9, 160, 22, Qt::white, Qt::black},
        {"right", "¥12,345.60", 1, 1, 9, 160, 22, Qt::white, Qt::black},
        {"centre without a frame", "2026", 2, 0, 10, 60, 22, Qt::white, Qt::blue},
        {"coloured", "账号 1001", 0, 1, 9, 120, 22, QColor(255, 255, 192), Qt::red},
        {"several lines", "第一行\r\n第二行\r\n第三行", 0, 1, 9, 120, 60, Qt::white, Qt::black},
        {"wrapped", longText, 0, 1, 9, 120, 60, Qt::white, Qt::black},
        {"wrapped, centred", longText, 2, 1, 12, 150, 80, Qt::white, Qt::black},
        {"cut at the bottom", longText, 0, 1, 12, 90, 24, Qt::white, Qt::black},
        {"empty", "", 0, 1, 9, 80, 22, Qt::white, Qt::black},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Grabbed as a child, as it shows on the canvas: the box paints its own ground.
        QWidget canvas;
        QPalette grey = canvas.palette();
        grey.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
        canvas.setPalette(grey);
        auto* box = new TextBox(&canvas);
        QFont f(QStringLiteral("宋体"));
        f.setPointSize(c.pointSize);
        box->SetFont(f);
        box->setGeometry(0, 0, c.width, c.height);
        box->SetBorderStyle(c.border);
        box->SetBackColor(c.back);
        box->SetForeColor(c.fore);
        box->SetText(c.text);
        box->SetAlignment(c.alignment);
        canvas.resize(c.width, c.height);
        const QImage painted = canvas.grab().toImage();
        ASSERT_FALSE(box->HasEditor());
        box->Editor();
        const QImage edited = canvas.grab().toImage();
        EXPECT_EQ(differing(painted, edited), 0);
    }
}

// Records which part of a text box each event reached.
class Watcher : public QObject {
public:
    std::vector<std::pair<TextBox::Part, QEvent::Type>> seen;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        TextBox::Part part = TextBox::Part::None;
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::KeyPress:
                if (TextBox::Owning(o, &part)) seen.emplace_back(part, e->type());
                break;
            default:
                break;
        }
        return false;
    }
};

TEST(TextBoxEvents, WatchersSeeEveryPartAndTheFirstClickPlacesTheCursor) {
    QWidget canvas;
    auto* box = new TextBox(&canvas);
    box->setGeometry(0, 0, 200, 24);
    box->SetText("abcdefghij");
    canvas.show();
    Watcher watcher;
    box->WatchEvents(&watcher);
    EXPECT_EQ(TextBox::Owning(&canvas), nullptr);

    // The first click reaches the box, which makes its editor and hands the click on.
    const QPointF end(190, 12);
    QMouseEvent down(QEvent::MouseButtonPress, end, end, Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent up(QEvent::MouseButtonRelease, end, end, Qt::LeftButton, Qt::NoButton, {});
    QCoreApplication::sendEvent(box, &down);
    QCoreApplication::sendEvent(box, &up);
    ASSERT_TRUE(box->HasEditor());
    EXPECT_EQ(box->Editor()->textCursor().position(), 10);
    // Later ones, and the keys, reach the editor and its viewport.
    QWidget* viewport = box->Editor()->viewport();
    const QPointF start(2, 12);
    QMouseEvent down2(QEvent::MouseButtonPress, start, start, Qt::LeftButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(viewport, &down2);
    EXPECT_EQ(box->Editor()->textCursor().position(), 0);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_X, {}, QStringLiteral("x"));
    QCoreApplication::sendEvent(box->Editor(), &key);
    EXPECT_EQ(box->Text(), "xabcdefghij");

    using P = TextBox::Part;
    const decltype(watcher.seen) expected = {{P::Box, QEvent::MouseButtonPress},
                                             {P::Box, QEvent::MouseButtonRelease},
                                             {P::Viewport, QEvent::MouseButtonPress},
                                             {P::Editor, QEvent::KeyPress}};
    EXPECT_EQ(watcher.seen, expected);
}

// A real click on a box without an editor: the focus goes on to the editor made for it and
// the cursor stands where the click was.
TEST(TextBoxEvents, AClickGivesTheFocusToTheNewEditor) {
    QWidget canvas;
    canvas.resize(220, 60);
    auto* box = new TextBox(&canvas);
    box->setGeometry(0, 0, 200, 24);
    box->SetText("abcdefghij");
    auto* other = new TextBox(&canvas);
    other->setGeometry(0, 30, 200, 24);
    canvas.show();
    canvas.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&canvas));

    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(190, 12));
    ASSERT_TRUE(box->HasEditor());
    EXPECT_EQ(QApplication::focusWidget(), box->Editor());
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(box->Editor()->textCursor().position(), 10);
    EXPECT_FALSE(other->HasEditor());
    // Tab goes on to the next box, whose editor is made and takes the focus.
    QTest::keyClick(box->Editor(), Qt::Key_Tab);
    ASSERT_TRUE(other->HasEditor());
    EXPECT_EQ(QApplication::focusWidget(), other->Editor());
}

// The text a box gives is the same before its editor is made (the box keeps it) and after
// (the editor's document holds it), and is read again after every kind of change.
TEST(TextBoxText, FollowsEveryChangeBeforeAndAfterTheEditorIsMade) {
    TextBox box;
    struct Step {
        const char* what;
        std::function<void()> change;
        QString text;
    };
    const std::vector<Step> steps = {
        {"set", [&] { box.SetText("第一行\r\n第二行"); }, "第一行\r\n第二行"},
        {"characters an editor changes",
         [&] { box.SetText(QString("a") + QChar(0xA0) + "b" + QChar(0x2029) + "c"); }, "a b\r\nc"},
        {"a lone CR", [&] { box.SetText("c\rd"); }, "c\r\nd"},
        {"the editor made", [&] { box.Editor(); }, "c\r\nd"},
        {"typed at the end",
         [&] {
             QTextCursor c(box.Editor()->document());
             c.movePosition(QTextCursor::End);
             c.insertText("x");
         },
         "c\r\ndx"},
        {"undone", [&] { box.Editor()->document()->undo(); }, "c\r\nd"},
        {"set by the editor", [&] { box.Editor()->setPlainText("a\nb"); }, "a\r\nb"},
        {"set again", [&] { box.SetText("e\r\nf"); }, "e\r\nf"},
        {"cleared", [&] { box.Editor()->clear(); }, ""},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        EXPECT_EQ(box.Text(), step.text);
        EXPECT_EQ(box.Text(), step.text);
    }
}

}  // namespace
