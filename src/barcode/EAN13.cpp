#include "barcode/EAN13.h"

#include <algorithm>
#include <vector>

#include "platform/VbNumbers.h"

namespace bw {

namespace {

const char* const kRCodes[10] = {"1110010", "1100110", "1101100", "1000010", "1011100",
                                 "1001110", "1010000", "1000100", "1001000", "1110100"};
const char* const kParity[10] = {"111111", "110100", "110010", "110001", "101100",
                                 "100110", "100011", "101010", "101001", "100101"};

}  // namespace

QString EAN13Normalize(const QString& text) {
    QString digits;
    for (QChar c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) digits.append(c);
    if (digits.size() < 12) digits = QString(12 - digits.size(), QLatin1Char('0')) + digits;
    digits.truncate(12);
    int sum = 0;
    for (int i = 0; i < 12; ++i) {
        const int d = digits[11 - i].unicode() - '0';
        sum += (i % 2 == 0) ? 3 * d : d;
    }
    const int check = sum % 10 == 0 ? 0 : 10 - sum % 10;
    return digits + QChar(u'0' + check);
}

QString InvertBits(const QString& bits) {
    QString out = bits;
    for (QChar& c : out) c = (c == QLatin1Char('1')) ? QLatin1Char('0') : QLatin1Char('1');
    return out;
}

QString EAN13Modules(QString& text) {
    text = EAN13Normalize(text);
    QString r[10], g[10], l[10];
    for (int d = 0; d < 10; ++d) {
        r[d] = QString::fromLatin1(kRCodes[d]);
        g[d] = r[d];
        std::reverse(g[d].begin(), g[d].end());
        l[d] = InvertBits(r[d]);
    }
    QString modules;
    modules.reserve(95);
    modules += QLatin1String("101");
    const char* parity = kParity[text[0].unicode() - '0'];
    for (int k = 0; k < 6; ++k) {
        const int d = text[1 + k].unicode() - '0';
        modules += parity[k] == '1' ? l[d] : g[d];
    }
    modules += QLatin1String("01010");
    for (int k = 7; k < 13; ++k) modules += r[text[k].unicode() - '0'];
    modules += QLatin1String("101");
    return modules;
}

bool DrawEAN13(DrawTarget& target, const QString& text, double x, double y, double height,
               double width, double fontSize, bool showText) {
    if (text.isEmpty()) return false;
    DrawSettingsSaver saver(target);
    target.SetScaleMode(ScaleUnit::Twips);
    target.SetDrawWidth(1);
    target.SetFontName(QStringLiteral("宋体"));
    target.SetFontSize(fontSize);
    target.SetDrawMode(PenMode::CopyPen);
    target.SetDrawStyle(LineStyle::Solid);

    QString digits = text;
    const QString modules = EAN13Modules(digits);
    const double widthTwips = target.ScaleX(width, ScaleUnit::Millimeters, ScaleUnit::Twips);
    const double digitWidth = target.TextWidth(QStringLiteral("9"));
    const double m = (widthTwips - digitWidth - 15) / 95;
    if (!(m > 0)) return false;

    double left = RoundHalfEven(target.ScaleX(x, ScaleUnit::Millimeters, ScaleUnit::Twips));
    const double top = RoundHalfEven(target.ScaleY(y, ScaleUnit::Millimeters, ScaleUnit::Twips));
    double h = RoundHalfEven(target.ScaleY(height, ScaleUnit::Millimeters, ScaleUnit::Twips));
    const bool withText = fontSize > 0 && showText;
    if (withText) h = RoundHalfEven(h - target.TextHeight(modules));
    const bool digitsShown = withText && fontSize >= 2;

    if (digitsShown) {
        target.SetCurrentX(left);
        target.SetCurrentY(top + h);
        target.Print(digits.left(1), false);
    }
    left = RoundHalfEven(left + digitWidth + 15);
    const double xs = left;

    // Runs of equal modules, numbered from 0; runs 0-2, 27-31 and 56-58 are the guards.
    // Without a text line the guard bars end at the box's bottom edge.
    const double guardBottom =
        withText ? top + h + target.TextHeight(QStringLiteral("0")) / 2 : top + h;
    int run = 0;
    int start = 0;
    while (start < modules.size()) {
        int end = start;
        while (end < modules.size() && modules[end] == modules[start]) ++end;
        if (modules[start] == QLatin1Char('1')) {
            const bool guard = run <= 2 || run == 28 || run == 30 || run >= 56;
            const double bottom = guard ? guardBottom : top + h - 30;
            if (bottom > top)
                target.FilledBox(xs + m * start, top, xs + m * end, bottom, QColor(Qt::black));
        }
        ++run;
        start = end;
    }

    if (digitsShown) {
        const double step = (widthTwips - digitWidth - 15 - 9 * m) / 12;
        double cx = xs + 3 * m + (step - target.TextWidth(QStringLiteral("0"))) / 2;
        for (int k = 1; k < 13; ++k) {
            target.SetCurrentX(cx);
            target.SetCurrentY(top + h);
            target.Print(digits.mid(k, 1), false);
            cx += step;
            if (k == 6) cx += 3 * m;
        }
    }
    return true;
}

}  // namespace bw
