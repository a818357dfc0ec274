#include "barcode/BarcodeStandard.h"

#include "barcode/Code39.h"
#include "barcode/EAN13.h"
#include "barcode/QRDraw.h"

namespace bw {

int& BarcodeStandard() {
    static int standard = 0;
    return standard;
}

bool DrawBarcode(DrawTarget& target, int standard, const QString& text, const BarcodeBox& box) {
    switch (standard) {
        case kCode39: {
            const double maxWidth =
                box.code39MaxWidth >= 0
                    ? box.code39MaxWidth
                    : target.ScaleX(box.width, ScaleUnit::Millimeters, ScaleUnit::Twips);
            const double module = FitCode39Module(text, maxWidth);
            return DrawCode39(target, text, box.x, box.y, box.height, module, box.fontSize, true,
                              box.fontName);
        }
        case kEAN13:
            return DrawEAN13(target, text, box.x, box.y, box.height, box.width, box.fontSize, true);
        case kQRCode:
            return DrawQRCode(target, text, box.x, box.y, box.width, box.height);
        default:
            return false;
    }
}

}  // namespace bw
