#pragma once
// A label: transparent text on the canvas. Also the caption label beside a box.

#include <QLabel>

#include "store/BoxControl.h"

namespace bw {

class Label : public QLabel, public BoxControl {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);

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

protected:
    void ApplyGeometry() override;
    void SettleSize() override;
    void ApplyForeColor() override;
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    // Asks for the size to be measured again.
    void fit();
    // The text's size hint in pixels.
    QSize textSize();
    int alignment_ = 0;
    int borderStyle_ = 0;
    bool autoSize_ = false;
    bool fitPending_ = false;
};

}  // namespace bw
