#pragma once
// A text box on the canvas: several lines, aligned left, right or centred, with or without a
// frame. Its text uses CR LF between lines, as values are stored and printed.
//
// A format can hold hundreds of boxes, and most are only looked at: a box paints its own
// text, and makes its editor (TextBoxEditor, filling the box) the first time it takes the
// focus, is clicked or is asked for it. From then on the editor holds the text and takes the
// keys, the focus and the mouse; the box keeps the look (font, colours, frame, alignment) and
// the editor follows it. Whoever watches a box's events watches all three parts through
// WatchEvents, and tells them apart with Owning.

#include <QFrame>
#include <QPointer>

#include "store/BoxControl.h"

class QTextEdit;

namespace bw {

class TextBoxEditor;

class TextBox : public QFrame, public BoxControl {
    Q_OBJECT
public:
    // Pixels between the frame and the text.
    static constexpr int kMargin = 1;

    explicit TextBox(QWidget* parent = nullptr);

    BoxKind Kind() const override { return kTextBox; }
    QWidget* Widget() override { return this; }

    // The text with CR LF between lines. Kept from one change of the editor's document to
    // the next: printing, saving and calculating read it many times per bill.
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
    bool Locked() const { return locked_; }
    void SetLocked(bool l);
    // True when the box is high enough for two lines of its font: only there does Enter
    // start a new line.
    bool HoldsSeveralLines() const;

    // The box's editor, made now if the box has none yet (its cursor, selection, undo).
    QTextEdit* Editor();
    bool HasEditor() const { return editor_ != nullptr; }

    // Installs an event filter on the box now and on its editor and the editor's viewport
    // when they are made. Keys, input methods and the focus arrive at the editor; the
    // mouse at the viewport, or at the box for the press that made the editor.
    void WatchEvents(QObject* filter);
    // The part of a text box that an object is.
    enum class Part { None, Box, Editor, Viewport };
    // The text box that an object belongs to (the box, its editor or the editor's
    // viewport), and which part it is; null and Part::None for anything else.
    static TextBox* Owning(QObject* o, Part* part = nullptr);

protected:
    void ApplyForeColor() override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    // The focus passes on to the editor, made now.
    void focusInEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    // Makes the editor when there is none; if the box has the focus, the editor takes it
    // for the reason given.
    TextBoxEditor* makeEditor(Qt::FocusReason reason = Qt::OtherFocusReason);
    void applyPalette();
    void applyAlignment();
    // Reads the editor's document into plain_ (as the editor gives it) and text_ (CR LF)
    // when it changed since the last read.
    void keep() const;
    // The mouse events of a press the box itself received go on to the editor.
    void passMouse(QMouseEvent* e);

    TextBoxEditor* editor_ = nullptr;
    QList<QPointer<QObject>> watchers_;
    mutable QString plain_;
    mutable QString text_;
    mutable bool textKept_ = true;
    int alignment_ = 0;
    int borderStyle_ = 1;
    bool locked_ = false;
    QColor backColor_ = Qt::white;
};

}  // namespace bw
