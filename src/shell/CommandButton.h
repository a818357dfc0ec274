#pragma once
// The main window's command buttons: lavender, with a thin darker frame and grey-blue text
// when disabled, drawn by the button itself (a style sheet per button costs the start a style
// sheet engine for nineteen widgets).

#include <QPushButton>

namespace bw {

class CommandButton : public QPushButton {
    Q_OBJECT
public:
    CommandButton(const QString& text, QWidget* parent);

    // The text with 8 pixels of room across and 2 down, inside the 1-pixel frame.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace bw
