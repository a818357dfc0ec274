#include "DecodeSupport.h"

#include <ZXing/ReadBarcode.h>

#include <QProcess>
#include <QStandardPaths>

namespace bw::test {

namespace {

ZXing::BarcodeFormats FormatsOf(Symbology s) {
    switch (s) {
        case Symbology::QRCode:
            return ZXing::BarcodeFormat::QRCode;
        case Symbology::Code39:
            return ZXing::BarcodeFormat::Code39;
        case Symbology::EAN13:
            return ZXing::BarcodeFormat::EAN13;
        default:
            return ZXing::BarcodeFormats();
    }
}

Decoded FromResult(const ZXing::Result& r) {
    Decoded d;
    d.ok = r.isValid();
    if (!d.ok) return d;
    const ZXing::ByteArray& b = r.bytes();
    d.bytes.assign(b.begin(), b.end());
    d.text = r.text();
    d.ecLevel = r.ecLevel();
    d.format = ZXing::ToString(r.format());
    return d;
}

ZXing::DecodeHints Hints(Symbology s) {
    ZXing::DecodeHints hints;
    hints.setFormats(FormatsOf(s));
    hints.setTryHarder(true);
    hints.setTryRotate(false);
    return hints;
}

}  // namespace

Decoded Decode(const QImage& image, Symbology symbology) {
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(), ZXing::ImageFormat::Lum,
                          static_cast<int>(gray.bytesPerLine()));
    return FromResult(ZXing::ReadBarcode(view, Hints(symbology)));
}

QImage SymbolImage(const QRSymbol& symbol, int pixels, int quiet) {
    const int side = (symbol.size + 2 * quiet) * pixels;
    QImage image(side, side, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < symbol.size; ++y)
        for (int x = 0; x < symbol.size; ++x) {
            if (!symbol.Dark(x, y)) continue;
            for (int dy = 0; dy < pixels; ++dy) {
                uchar* line = image.scanLine((y + quiet) * pixels + dy);
                for (int dx = 0; dx < pixels; ++dx) line[(x + quiet) * pixels + dx] = 0;
            }
        }
    return image;
}

bool HaveProgram(const QString& name) {
    return !QStandardPaths::findExecutable(name).isEmpty();
}

bool ZbarRead(const QString& imageFile, QByteArray* bytes) {
    if (!HaveProgram(QStringLiteral("zbarimg"))) return false;
    QProcess p;
    p.start(QStringLiteral("zbarimg"), {QStringLiteral("--quiet"), QStringLiteral("--raw"),
                                        QStringLiteral("-Sbinary"), imageFile});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return false;
    QByteArray out = p.readAllStandardOutput();
    if (out.endsWith('\n')) out.chop(1);
    *bytes = out;
    return true;
}

}  // namespace bw::test
