// A label sized to its caption: its size in canvas units is its text's size hint, whatever
// the caption, the font and the order they come in.

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "platform/Twips.h"
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
