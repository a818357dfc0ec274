#include "barcode/QRDraw.h"

#include <QByteArray>
#include <algorithm>

namespace bw {

clsQRCode& QRCoder() {
    static clsQRCode coder;
    return coder;
}

std::optional<QRSymbol> QRSymbolOf(const QString& text) {
    if (text.isEmpty()) return std::nullopt;
    const QByteArray utf8 = text.toUtf8();
    return QRCoder().Encode(reinterpret_cast<const std::uint8_t*>(utf8.constData()),
                            static_cast<int>(utf8.size()), 0, qr::LevelL, -1);
}

bool DrawQRCode(DrawTarget& target, const QString& text, double x, double y, double width,
                double height) {
    if (text.isEmpty()) return false;
    const std::optional<QRSymbol> symbol = QRSymbolOf(text);
    if (!symbol) return false;

    DrawSettingsSaver saver(target);
    const ScaleUnit mm = ScaleUnit::Millimeters;
    const ScaleUnit twips = ScaleUnit::Twips;
    const double left = target.ScaleX(x, mm, twips);
    const double top = target.ScaleY(y, mm, twips);
    const double side = std::min(target.ScaleX(width, mm, twips), target.ScaleY(height, mm, twips));
    if (!(side > 0)) return false;
    target.SetScaleMode(twips);
    target.SetDrawWidth(1);
    target.SetDrawMode(PenMode::CopyPen);
    target.SetDrawStyle(LineStyle::Solid);

    const int n = symbol->size;
    auto edge = [&](double origin, int k) { return origin + side * k / n; };
    target.FilledBox(left, top, edge(left, n), edge(top, n), QColor(Qt::white));
    // Each row's runs of dark modules as one rectangle; the edges are shared between
    // neighbours, so the target rounds them to the same device positions.
    for (int row = 0; row < n; ++row) {
        int col = 0;
        while (col < n) {
            if (!symbol->Dark(col, row)) {
                ++col;
                continue;
            }
            int end = col;
            while (end < n && symbol->Dark(end, row)) ++end;
            target.FilledBox(edge(left, col), edge(top, row), edge(left, end), edge(top, row + 1),
                             QColor(Qt::black));
            col = end;
        }
    }
    return true;
}

QImage RenderModules(const QRSymbol& symbol) {
    const int n = symbol.size;
    QImage image(std::max(n, 1), std::max(n, 1), QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < n; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < n; ++x) line[x] = symbol.Dark(x, y) ? 0 : 255;
    }
    return image;
}

}  // namespace bw
