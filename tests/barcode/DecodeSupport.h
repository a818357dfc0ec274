#pragma once
// Reading our symbols back with independent decoders: zxing-cpp in-process, zbarimg as a
// separate program.

#include <QImage>
#include <QString>
#include <string>
#include <vector>

#include "barcode/QRCode.h"

namespace bw::test {

enum class Symbology { QRCode, Code39, EAN13, Any };

struct Decoded {
    bool ok = false;
    std::string bytes;    // the content exactly as carried (no character-set guessing)
    std::string text;     // zxing's text
    std::string ecLevel;  // "L", "M", "Q", "H" for QR Code
    std::string format;
};

// The first symbol zxing finds in the image, or !ok.
Decoded Decode(const QImage& image, Symbology symbology);

// The symbol as an image of `pixels` per module with a quiet zone of `quiet` modules.
QImage SymbolImage(const QRSymbol& symbol, int pixels = 4, int quiet = 4);

// The raw bytes zbarimg reads from an image file, or nullopt-like empty + false when
// zbarimg is missing or reads nothing.
bool ZbarRead(const QString& imageFile, QByteArray* bytes);
bool HaveProgram(const QString& name);

// The bytes of a UTF-8 string.
inline std::string Utf8(const QString& s) {
    return s.toUtf8().toStdString();
}

}  // namespace bw::test
