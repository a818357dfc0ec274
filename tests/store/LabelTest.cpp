// A label sized to its caption: its size in canvas units is its text's size hint, whatever
// the caption, the font and the order they come in.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPaintEvent>
#include <QWidget>
#include <memory>

#include "platform/Twips.h"
#include "store/Canvas.h"
#include "store/Label.h"

using namespace bw;

namespace {

QFont font(int which) {
    QFont f;
    if (which == 1) {
        f.setFamily("宋体");
        f.setPointSizeF(9);
        f.setBold(true);
    } else if (which == 2) {
        f.setPointSizeF(20);
        f.setItalic(true);
    }
    return f;
}

}  // namespace

TEST(LabelSize, AnAutoSizedLabelTakesItsTextsSizeHint) {
    const QString captions[] = {
        "",
        "金额",
        "Total:",
        "第一行\r\n第二行",
        "a\r\nb\r\n\r\nc",
        QString(300, u'宽') + "end",
        "中文与English混排，带标点。",
        "مرحبا بالعالم",
        "tab\there & there",
        " spaces at both ends ",
    };
    QWidget canvas;
    canvas.resize(4000, 600);
    canvas.show();
    for (const QString& caption : captions)
        for (int fontKind = 0; fontKind < 3; ++fontKind)
            for (int order = 0; order < 3; ++order) {
                Label l(&canvas);
                l.show();
                // The caption, the font and the auto-size in three orders, as the loading,
                // the designer and the property grid set them.
                if (order == 0) {
                    l.SetAutoSize(true);
                    l.SetCaption(caption);
                    if (fontKind) l.SetFont(font(fontKind));
                } else if (order == 1) {
                    l.SetCaption(caption);
                    if (fontKind) l.SetFont(font(fontKind));
                    l.SetAutoSize(true);
                } else {
                    if (fontKind) l.SetFont(font(fontKind));
                    l.SetAutoSize(true);
                    EXPECT_GT(l.Height(), 0);  // read between: measured, then again
                    l.SetCaption(caption);
                }
                const QSize hint = l.sizeHint();
                const auto where = [&] {
                    return caption.toStdString() + " font " + std::to_string(fontKind) + " order " +
                           std::to_string(order);
                };
                EXPECT_EQ(l.Width(), PixelsToTwips(hint.width())) << where();
                EXPECT_EQ(l.Height(), PixelsToTwips(hint.height())) << where();
                EXPECT_EQ(l.size(), hint) << where();
            }
}

TEST(LabelSize, TheSizeSetLastWins) {
    QWidget canvas;
    const struct {
        bool autoSize;
        bool setWidthAfter;
        bool emptyFresh;  // never given a caption
    } cases[] = {
        {false, false, false},  // not auto-sized: the size it was given
        {true, true, false},    // a width set after the auto-size stands
        {true, false, true},    // a new label's empty text has its own hint
    };
    for (const auto& c : cases) {
        Label l(&canvas);
        l.Move(100, 200, 1500, 450);
        l.SetAutoSize(c.autoSize);
        if (!c.emptyFresh) l.SetCaption("收款人");
        if (c.setWidthAfter) l.SetWidth(3000);
        QApplication::processEvents();  // a pending measure comes no later than this
        const QSize hint = l.sizeHint();
        const int w = !c.autoSize ? 1500 : c.setWidthAfter ? 3000 : PixelsToTwips(hint.width());
        const int h = !c.autoSize ? 450 : PixelsToTwips(hint.height());
        EXPECT_EQ(l.Width(), w) << c.autoSize << c.setWidthAfter;
        EXPECT_EQ(l.Height(), h) << c.autoSize << c.setWidthAfter;
        EXPECT_EQ(l.geometry(), QRect(TwipsToPixels(100), TwipsToPixels(200),
                                      TwipsToPixels(100.0 + w) - TwipsToPixels(100),
                                      TwipsToPixels(200.0 + h) - TwipsToPixels(200)));
    }
}

// The label paints its text as QLabel paints a plain text in the label's colour: the same
// pixels for captions and label boxes, wrapped or not, in any alignment, enabled or not.
TEST(LabelLook, PaintsAsQLabelPaintsItsText) {
    const struct {
        const char* what;
        QString text;
        int alignment;
        bool autoSize, enabled;
        QColor colour;
    } cases[] = {
        {"caption", "收款人全称", 0, true, true, Qt::black},
        {"right", "金额（大写）", 1, false, true, Qt::black},
        {"wrapped", "中文与English混排，带标点。还有更多的文字要折行", 0, false, true, Qt::blue},
        {"lines and tabs", "第一行\r\ntab\there", 0, true, true, Qt::black},
        {"right to left", "مرحبا بالعالم", 0, true, true, Qt::black},
        {"disabled", "备注", 0, true, false, Qt::darkGreen},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QWidget canvas;
        QPalette ground = canvas.palette();
        ground.setColor(QPalette::Window, QColor(0xF0, 0xE0, 0xC0));
        canvas.setPalette(ground);
        canvas.resize(160, 60);
        auto* label = new Label(&canvas);
        label->SetFont(font(1));
        label->SetAutoSize(c.autoSize);
        label->SetCaption(c.text);
        label->SetAlignment(c.alignment);
        label->SetForeColor(c.colour);
        if (!c.autoSize) label->setGeometry(0, 0, 150, 50);
        label->setEnabled(c.enabled);
        QApplication::processEvents();
        const QImage painted = canvas.grab().toImage();

        // QLabel itself, in the label's place, font, alignment and colour.
        QWidget plain;
        plain.setPalette(ground);
        plain.resize(canvas.size());
        auto* reference = new QLabel(&plain);
        reference->setTextFormat(Qt::PlainText);
        reference->setFont(label->font());
        reference->setWordWrap(label->wordWrap());
        reference->setAlignment(label->alignment());
        reference->setText(label->text());
        reference->setAttribute(Qt::WA_TranslucentBackground);
        QPalette text = reference->palette();
        text.setColor(QPalette::WindowText, c.colour);
        reference->setPalette(text);
        reference->setGeometry(label->geometry());
        reference->setEnabled(c.enabled);
        EXPECT_EQ(plain.grab().toImage(), painted);
    }
}

// The region a widget was asked to paint.
class RegionSeen : public QObject {
public:
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

// A caption the canvas draws looks as the caption window did: the same pixels in its place,
// whatever its text and font, clipped where glyphs would reach past it; hidden, it is gone,
// and moved, it is gone from where it was.
TEST(LabelLook, ACaptionTheCanvasDrawsLooksAsItsWindowDid) {
    QFont slanted = font(2);
    QFont plainFont;
    plainFont.setPointSizeF(11);
    const struct {
        const char* what;
        QString text;
        QFont font;
    } cases[] = {
        {"chinese", "收款人全称", font(1)},
        {"latin", "Total: fjord", plainFont},
        {"slanted", "fjord Total", slanted},
        {"lines", "第一行\r\nj second", plainFont},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto canvasWith = [&](bool drawn, Label** made) {
            auto* canvas = new Canvas;
            canvas->resize(400, 120);
            Label* l = drawn ? Label::NewCaption(canvas) : new Label(canvas);
            l->SetAutoSize(true);
            l->SetFont(c.font);
            l->SetCaption(c.text);
            l->Move(300, 225);
            if (!drawn) l->show();
            *made = l;
            return canvas;
        };
        Label *drawn = nullptr, *window = nullptr;
        std::unique_ptr<Canvas> a(canvasWith(true, &drawn)), b(canvasWith(false, &window));
        EXPECT_EQ(a->grab().toImage(), b->grab().toImage());
        EXPECT_FALSE(drawn->isVisible());  // no window of its own

        // Shown, the canvas repaints where the caption was and where it goes.
        a->show();
        QApplication::processEvents();
        QApplication::processEvents();
        RegionSeen seen;
        a->installEventFilter(&seen);
        const QRect was = drawn->geometry();
        drawn->Move(2400, 750);
        window->Move(2400, 750);
        QApplication::processEvents();
        EXPECT_TRUE(seen.painted.contains(was));
        EXPECT_TRUE(seen.painted.contains(drawn->geometry()));
        EXPECT_EQ(a->grab().toImage(), b->grab().toImage());
        drawn->SetVisible(false);
        window->SetVisible(false);
        EXPECT_FALSE(drawn->Visible());
        EXPECT_EQ(a->grab().toImage(), b->grab().toImage());
    }
}
