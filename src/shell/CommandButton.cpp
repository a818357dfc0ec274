#include "shell/CommandButton.h"

#include <QPainter>

namespace bw {

namespace {
constexpr int kFrame = 1;
constexpr int kRoomAcross = 8;
constexpr int kRoomDown = 2;
const QColor kFace(0xC0, 0xC0, 0xFF);
const QColor kFrameColour(0x80, 0x80, 0xC0);
const QColor kDisabledText(0x80, 0x80, 0xA0);
}  // namespace

CommandButton::CommandButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

QSize CommandButton::sizeHint() const {
    const QSize t = fontMetrics().size(Qt::TextShowMnemonic, text());
    return {t.width() + 2 * (kRoomAcross + kFrame), t.height() + 2 * (kRoomDown + kFrame)};
}

void CommandButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, kFace);
    p.setPen(kFrameColour);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setPen(isEnabled() ? palette().color(QPalette::ButtonText) : kDisabledText);
    const int across = kFrame + kRoomAcross, down = kFrame + kRoomDown;
    p.drawText(r.adjusted(across, down, -across, -down), Qt::AlignCenter | Qt::TextShowMnemonic,
               text());
}

}  // namespace bw
