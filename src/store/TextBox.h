#pragma once
// A text box on the canvas: several lines, aligned left, right or centred, with or without a
// frame. Its text uses CR LF between lines, as values are stored and printed.

#include <QTextEdit>

#include "store/BoxControl.h"

namespace bw {

class TextBox : public QTextEdit, public BoxControl {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    BoxKind Kind() const override { return kTextBox; }
    QWidget* Widget() override { return this; }

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

Q_SIGNALS:
    void GotFocus();
    void LostFocus();

protected:
    void ApplyForeColor() override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void applyPalette();
    int alignment_ = 0;
    int borderStyle_ = 1;
    QColor backColor_ = Qt::white;
};

}  // namespace bw
