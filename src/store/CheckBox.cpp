#include "store/CheckBox.h"

#include <QPainter>

#include "platform/Palettes.h"

namespace bw {

CheckBox::CheckBox(QWidget* parent) : QCheckBox(parent) {
    width_ = 255;
    height_ = 255;
    ApplyGeometry();
}

int CheckBox::Value() const {
    switch (checkState()) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
        default:
            return 0;
    }
}

void CheckBox::SetValue(int v) {
    if (v == 2) setTristate(true);
    setCheckState(v == 1 ? Qt::Checked : (v == 2 ? Qt::PartiallyChecked : Qt::Unchecked));
}

void CheckBox::SetAppearance(int a) {
    appearance_ = a;
    update();
}

void CheckBox::ApplyForeColor() {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, foreColor_);
    SetPaletteIfChanged(this, p);
}

void CheckBox::paintEvent(QPaintEvent* e) {
    QCheckBox::paintEvent(e);
    if (appearance_ == 0) {  // flat: the selection look
        QPainter p(this);
        p.setPen(QPen(QColor(0, 0, 0), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace bw

namespace bw {
// A click ticks or clears; the greyed value is only ever set by the program.
void CheckBox::nextCheckState() {
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}
}  // namespace bw
