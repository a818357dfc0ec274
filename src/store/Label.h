#pragma once
// A label: transparent text on the canvas. Also the caption label beside a box.
//
// A caption is no window of its own (a format has one beside nearly every box, and a window
// each costs the opening of a format more than their texts do): the canvas draws it, as it
// draws the lines, from what the label keeps: its text, font, colour, alignment and place.
// Its widget stays hidden; Visible and SetVisible say and set whether the canvas draws it.

#include <QLabel>

#include "store/BoxControl.h"

namespace bw {

class Canvas;

class Label : public QLabel, public BoxControl {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);
    // A caption that `canvas` draws, shown.
    static Label* NewCaption(Canvas* canvas);
    ~Label() override;

    BoxKind Kind() const override { return kLabel; }
    QWidget* Widget() override { return this; }

    QString Caption() const;
    void SetCaption(const QString& caption);
    // 0 left, 1 right, 2 centre.
    int Alignment() const { return alignment_; }
    void SetAlignment(int a);
    // 0 none, 1 single line (also the designer's selection look).
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int s);
    // The label takes the size of its text (the text's size hint, in canvas units). The size
    // is measured once the caption, the font and this are set: when the size or the place is
    // next read or set, at the latest when the event loop runs next.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool a);
    void SetFont(const QFont& f) override;

    int Width() const override;
    int Height() const override;
    bool Visible() const override;
    void SetVisible(bool v) override;

    // Draws the text (and the border) as the label paints itself, with `p` set to the
    // label's own coordinates; the canvas draws its captions with it.
    void PaintOn(QPainter& p);
    // True when every glyph of the text lies inside the label's box, so that the canvas can
    // draw it unclipped: a sized caption of upright glyphs that stay within their advances.
    bool InkStaysInside() const;

protected:
    void ApplyGeometry() override;
    void SettleSize() override;
    void ApplyForeColor() override;
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    // Shows a change: a caption asks its canvas to draw where it was and where it is.
    void changed(const QRect& before);
    // The text shown: a caption's own, or the window's.
    QString shownText() const;
    // Asks for the size to be measured again.
    void fit();
    // The text's size hint in pixels.
    QSize textSize();
    int alignment_ = 0;
    int borderStyle_ = 0;
    bool autoSize_ = false;
    bool fitPending_ = false;
    QSize fitted_;  // the text's size when last measured
    QString captionText_;
    Canvas* canvas_ = nullptr;
    bool shown_ = true;
};

}  // namespace bw
