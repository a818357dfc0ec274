#include "barcode/Code39.h"

#include <cmath>

#include "platform/Dialogs.h"
#include "platform/VbNumbers.h"

namespace bw {

QString Code39Patterns[40];

namespace {

const char* const kPatterns[40] = {
    "001100100", "100010100", "010010100", "110000100", "001010100",  // 0-4
    "101000100", "011000100", "000110100", "100100100", "010100100",  // 5-9
    "100010010", "010010010", "110000010", "001010010", "101000010",  // A-E
    "011000010", "000110010", "100100010", "010100010", "001100010",  // F-J
    "100010001", "010010001", "110000001", "001010001", "101000001",  // K-O
    "011000001", "000110001", "100100001", "010100001", "001100001",  // P-T
    "100011000", "010011000", "110001000", "001011000", "101001000",  // U-Y
    "011001000", "000111000", "000000111", "000001110", "001101000",  // Z - % $ *
};

// Walks the elements of the symbol from p = 0, handing every bar to `bar` and every
// character's start to `start`; returns the width, or stops at a character without a
// pattern (its index into chars in *invalidAt).
template <typename Start, typename Bar>
double Walk(const QString& chars, double moduleWidth, int* invalidAt, Start start, Bar bar) {
    const double narrow = RoundHalfEven(moduleWidth);
    const double wide = RoundHalfEven(moduleWidth * 3);
    double p = 0;
    for (int i = 0; i < chars.size(); ++i) {
        const int index = Code39Index(chars[i]);
        if (index < 0) {
            if (invalidAt) *invalidAt = i;
            break;
        }
        start(p);
        const char* pattern = kPatterns[index];
        // Bars and spaces alternate: bar 1, space 1, bar 2, ... bar 5.
        for (int e = 0; e < 9; ++e) {
            const bool isBar = e % 2 == 0;
            const char flag = isBar ? pattern[e / 2] : pattern[5 + e / 2];
            const double w = flag == '1' ? wide : narrow;
            if (isBar) bar(p, w);
            p += w;
        }
        p += narrow;  // the gap between characters
    }
    return p;
}

}  // namespace

void InitCode39Patterns() {
    for (int i = 0; i < 40; ++i) Code39Patterns[i] = QString::fromLatin1(kPatterns[i]);
}

int Code39Index(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'A' && u <= 'Z') return u - 'A' + 10;
    switch (u) {
        case '-':
            return 36;
        case '%':
            return 37;
        case '$':
            return 38;
        case '*':
            return 39;
        default:
            return -1;
    }
}

QString Code39Text(const QString& text) {
    QString t = text.toUpper();
    if (!t.startsWith(QLatin1Char('*'))) t.prepend(QLatin1Char('*'));
    if (t.size() < 2 || !t.endsWith(QLatin1Char('*'))) t.append(QLatin1Char('*'));
    return t;
}

Code39Layout LayoutCode39(const QString& text, double moduleWidth) {
    Code39Layout layout;
    layout.chars = Code39Text(text);
    layout.bars.reserve(static_cast<size_t>(layout.chars.size()) * 5);
    layout.width = Walk(
        layout.chars, moduleWidth, &layout.invalidAt,
        [&](double p) { layout.charLeft.push_back(p); },
        [&](double p, double w) {
            layout.bars.push_back({p, w});
        });
    return layout;
}

double Code39Width(const QString& text, double moduleWidth) {
    return Walk(
        Code39Text(text), moduleWidth, nullptr, [](double) {}, [](double, double) {});
}

double FitCode39Module(const QString& text, double maxWidth) {
    if (text.isEmpty()) return 0;
    double m = 5;
    for (int i = 0; i < 10; ++i) {
        m *= 2;
        if (Code39Width(text, m) >= maxWidth) break;
    }
    const int rounds = static_cast<int>(m);
    for (int i = 0; i < rounds; ++i) {
        m -= 1;
        if (Code39Width(text, m) <= maxWidth) break;
    }
    return m;
}

bool DrawCode39(DrawTarget& target, const QString& text, double x, double y, double height,
                double moduleWidth, double fontSize, bool showText, const QString& fontName) {
    if (text.isEmpty()) return false;
    InitCode39Patterns();
    // A module below one twip means that the symbol does not fit its box: nothing to draw.
    if (!(moduleWidth >= 1)) return false;
    DrawSettingsSaver saver(target);
    target.SetScaleMode(ScaleUnit::Twips);
    target.SetDrawWidth(1);
    target.SetFontName(fontName);
    target.SetFontSize(fontSize);
    target.SetDrawMode(PenMode::CopyPen);
    target.SetDrawStyle(LineStyle::Solid);

    const QString upper = text.toUpper();
    const double left = RoundHalfEven(target.ScaleX(x, ScaleUnit::Millimeters, ScaleUnit::Twips));
    const double top = RoundHalfEven(target.ScaleY(y, ScaleUnit::Millimeters, ScaleUnit::Twips));
    double barHeight =
        RoundHalfEven(target.ScaleY(height, ScaleUnit::Millimeters, ScaleUnit::Twips));
    const bool withText = fontSize > 0 && showText;
    if (withText) barHeight = RoundHalfEven(barHeight - target.TextHeight(upper));

    const Code39Layout layout = LayoutCode39(upper, RoundHalfEven(moduleWidth));
    const QColor color = target.ForeColor();
    size_t bar = 0;
    for (int i = 0; i < static_cast<int>(layout.charLeft.size()); ++i) {
        const double p = left + layout.charLeft[i];
        if (withText) {
            target.SetCurrentX(p);
            target.SetCurrentY(top + barHeight);
            target.Print(QString(layout.chars[i]), false);
        }
        if (barHeight > 0)
            for (int k = 0; k < 5 && bar < layout.bars.size(); ++k, ++bar) {
                const Code39Layout::Bar& b = layout.bars[bar];
                target.FilledBox(left + b.left, top, left + b.left + b.width, top + barHeight,
                                 color);
            }
    }
    if (layout.invalidAt >= 0) {
        dlg::MsgBox(QStringLiteral(
            "要打印的条形码字符串中包含无效字符！当前版本只支持字符0-9,A-Z,-,%,$和*"));
        return false;
    }
    return true;
}

}  // namespace bw
