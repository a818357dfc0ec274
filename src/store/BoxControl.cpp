#include "store/BoxControl.h"

#include <QWidget>

#include "platform/Twips.h"

namespace bw {

QString BoxControl::TypeName() const {
    switch (Kind()) {
        case kTextBox:
            return QStringLiteral("TextBox");
        case kCheckBox:
            return QStringLiteral("CheckBox");
        case kPictureBox:
            return QStringLiteral("PictureBox");
        case kLine:
            return QStringLiteral("Line");
        case kLabel:
            return QStringLiteral("Label");
    }
    return {};
}

void BoxControl::Move(int left, int top, int width, int height) {
    SettleSize();
    left_ = left;
    top_ = top;
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
    ApplyGeometry();
}

void BoxControl::ApplyGeometry() {
    if (QWidget* w = Widget()) {
        const int x = TwipsToPixels(left_), y = TwipsToPixels(top_);
        const int r = TwipsToPixels(double(left_) + width_),
                  b = TwipsToPixels(double(top_) + height_);
        w->setGeometry(x, y, std::max(r - x, 1), std::max(b - y, 1));
    }
}

QFont BoxControl::Font() const {
    auto* self = const_cast<BoxControl*>(this);
    if (QWidget* w = self->Widget()) return w->font();
    return {};
}

void BoxControl::SetFont(const QFont& f) {
    if (QWidget* w = Widget()) w->setFont(f);
}

void BoxControl::SetForeColor(const QColor& c) {
    foreColor_ = c;
    ApplyForeColor();
}

bool BoxControl::Visible() const {
    auto* self = const_cast<BoxControl*>(this);
    if (QWidget* w = self->Widget()) return !w->isHidden();
    return true;
}

void BoxControl::SetVisible(bool v) {
    if (QWidget* w = Widget()) w->setVisible(v);
}

QString BoxControl::ToolTipText() const {
    auto* self = const_cast<BoxControl*>(this);
    if (QWidget* w = self->Widget()) return w->toolTip();
    return {};
}

void BoxControl::SetToolTipText(const QString& t) {
    if (QWidget* w = Widget()) w->setToolTip(t);
}

}  // namespace bw
