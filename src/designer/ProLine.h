#pragma once
// The line-properties dialog "线条属性修改": style, width, start and end point in millimetres
// and colour of a line, with a sample line showing style, width and colour.

#include <QWidget>

#include "designer/PropertyDialog.h"

class QComboBox;

namespace bw {

// The sample line of the dialog: a horizontal line in a style (1 solid .. 5 dash-dot-dot),
// a width in pixels and a colour.
class LineSample : public QWidget {
    Q_OBJECT
public:
    explicit LineSample(QWidget* parent = nullptr);
    int BorderStyle = 1;
    int BorderWidth = 1;
    QColor BorderColor = Qt::black;

protected:
    void paintEvent(QPaintEvent*) override;
};

// The width field's text after a change: its own number, or "1" for a number of 0 or less.
QString LineWidthText(const QString& typed);

class ProLine : public PropertyDialog {
    Q_OBJECT
public:
    explicit ProLine(QWidget* parent = nullptr);

    QComboBox* CMB;  // the style list
    LineSample* L;   // the sample line

protected:
    void LoadRow(int row) override;
    void WriteRow(Grid& grid, int row) override;

private:
    void ChooseColour();
};

}  // namespace bw
