#pragma once
// QR Code symbols of a box's text on a drawing target: the text in UTF-8, the smallest
// version at level L, the mask of the lowest penalty, every module drawn as a filled square
// at the target's own resolution.

#include <QImage>
#include <QString>

#include "barcode/QRCode.h"
#include "platform/DrawTarget.h"

namespace bw {

// The program's one QR encoder.
clsQRCode& QRCoder();

// The symbol of the text as DrawQRCode draws it; no symbol for an empty text or a text too
// long for version 40.
std::optional<QRSymbol> QRSymbolOf(const QString& text);

// Draws the symbol of the text in the box at (x, y) of width x height millimetres: a square
// of side min(width, height) at the box's top-left corner, dark modules black on white, no
// quiet zone. Nothing is drawn (false) for an empty text or one too long for a symbol. The
// target's scale mode, pen width, draw mode and draw style are given back.
bool DrawQRCode(DrawTarget& target, const QString& text, double x, double y, double width,
                double height);

// The symbol as a picture of one pixel per module, black on white, no quiet zone.
QImage RenderModules(const QRSymbol& symbol);

}  // namespace bw
