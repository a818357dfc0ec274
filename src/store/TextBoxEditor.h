#pragma once
// The editor inside a text box, made only when the box is first focused, clicked or asked
// for its cursor: until then the box paints its text itself, which costs a fraction of a
// full editor when a format of many boxes is opened. The editor fills the box and keeps the
// box's typing rules: Tab and Shift+Tab move the focus to the next or previous box of the
// canvas and never type; Enter starts a new line only in a box high enough for two lines;
// pasted text keeps no tab, and no line break in a box of one line. A box that is not being
// edited shows its text from the first line.

#include <QTextEdit>

namespace bw {

class TextBox;

class TextBoxEditor : public QTextEdit {
    Q_OBJECT
public:
    explicit TextBoxEditor(TextBox* box);

    // A mouse event the box received before its editor existed (the press that made it, and
    // the moves and release of that press), handled as if it had come to the viewport. Event
    // filters are not asked again: they saw it on the box.
    void HandleBoxMouse(QMouseEvent* e);
    // Scrolls the text back to its first line.
    void ShowFirstLine();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    // Left, the box shows its text from the first line, as the paper prints it; a pop-up
    // menu over the box leaves the view as it is.
    void focusOutEvent(QFocusEvent* e) override;
    bool focusNextPrevChild(bool next) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    TextBox* box_;
};

}  // namespace bw
