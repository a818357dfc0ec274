#pragma once
// What every input box on the canvas has in common, whatever its kind. Positions and sizes
// are canvas units (twips of the canvas; 15 per screen pixel), kept exactly as set so that a
// box converted back to millimetres gives the same value.

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

namespace bw {

// The five kinds of input box, as stored in Fmt.Clas.
enum BoxKind : int { kTextBox = 0, kCheckBox = 1, kPictureBox = 2, kLine = 3, kLabel = 4 };

class BoxControl {
public:
    virtual ~BoxControl() = default;

    virtual BoxKind Kind() const = 0;
    // The control's type name: "TextBox", "CheckBox", "PictureBox", "Line", "Label".
    QString TypeName() const;

    // kind x 1000 + n.
    int Index() const { return index_; }
    void SetIndex(int index) { index_ = index; }

    // The box's row in the box property grid, as text.
    QString Tag;
    // Mouse pointer code the designer uses as drag mode: 0 default, 2 cross, 3 I-beam,
    // 5 size-all, 8 size NW-SE.
    int MousePointer = 0;

    // The widget that shows the box; null for a line, which the canvas draws itself.
    virtual QWidget* Widget() = 0;

    // Geometry in canvas units. A line reports the bounding box of its two ends.
    virtual int Left() const { return left_; }
    virtual int Top() const { return top_; }
    virtual int Width() const { return width_; }
    virtual int Height() const { return height_; }
    virtual void SetLeft(int v) {
        left_ = v;
        ApplyGeometry();
    }
    virtual void SetTop(int v) {
        top_ = v;
        ApplyGeometry();
    }
    virtual void SetWidth(int v) {
        SettleSize();
        width_ = v < 0 ? 0 : v;
        ApplyGeometry();
    }
    virtual void SetHeight(int v) {
        SettleSize();
        height_ = v < 0 ? 0 : v;
        ApplyGeometry();
    }
    void Move(int left, int top) {
        left_ = left;
        top_ = top;
        ApplyGeometry();
    }
    void Move(int left, int top, int width, int height);

    virtual QFont Font() const;
    virtual void SetFont(const QFont& f);
    virtual QColor ForeColor() const { return foreColor_; }
    virtual void SetForeColor(const QColor& c);
    virtual bool Visible() const;
    virtual void SetVisible(bool v);
    virtual QString ToolTipText() const;
    virtual void SetToolTipText(const QString& t);

protected:
    // Puts the widget at the pixel geometry of the canvas units.
    virtual void ApplyGeometry();
    // Brings a size that follows the box's content up to date before the size is set from
    // outside, so that the size set last wins (a label sized to its caption); nothing for
    // other boxes.
    virtual void SettleSize() {}
    virtual void ApplyForeColor() {}

    int index_ = 0;
    int left_ = 0, top_ = 0, width_ = 1215, height_ = 375;
    QColor foreColor_ = Qt::black;
};

// A colour as the program stores it: &HBBGGRR.
inline qint64 ColorToRgbValue(const QColor& c) {
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}
inline QColor RgbValueToColor(qint64 v) {
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

}  // namespace bw
