#pragma once
// A text box on the canvas: several lines, aligned left, right or centred, with or without a
// frame. Its text uses CR LF between lines, as values are stored and printed. Tab and
// Shift+Tab move the focus to the next or previous box of the canvas and never type; Enter
// starts a new line only in a box high enough for two lines.

#include <QTextEdit>

#include "store/BoxControl.h"

namespace bw {

class TextBox : public QTextEdit, public BoxControl {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    BoxKind Kind() const override { return kTextBox; }
    QWidget* Widget() override { return this; }

    // The text with CR LF between lines. Kept from one change of the document to the next:
    // printing, saving and calculating read it many times per bill.
    QString Text() const;
    void SetText(const QString& text);

    // 0 left, 1 right, 2 centre.
    int Alignment() const { return alignment_; }
    void SetAlignment(int a);
    // 0 none, 1 single line.
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int s);
    QColor BackColor() const { return backColor_; }
    void SetBackColor(const QColor& c);
    bool Locked() const { return isReadOnly(); }
    void SetLocked(bool l) { setReadOnly(l); }
    // True when the box is high enough for two lines of its font: only there does Enter
    // start a new line.
    bool HoldsSeveralLines() const;

Q_SIGNALS:
    void GotFocus();
    void LostFocus();

protected:
    void ApplyForeColor() override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    // The next (or previous) box of the canvas that takes the focus, in the order of the
    // boxes, round from the last to the first.
    bool focusNextPrevChild(bool next) override;
    // Pasted text keeps no tab, and no line break in a box of one line.
    void insertFromMimeData(const QMimeData* source) override;

private:
    void applyPalette();
    // Reads the document into plain_ (as the editor gives it) and text_ (CR LF) when it
    // changed since the last read.
    void keep() const;
    mutable QString plain_;
    mutable QString text_;
    mutable bool textKept_ = false;
    int alignment_ = 0;
    int borderStyle_ = 1;
    QColor backColor_ = Qt::white;
};

}  // namespace bw
