#include "printing/TextLayout.h"

#include <QFontMetrics>
#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

#include "common/Globals.h"
#include "filling/Money.h"
#include "filling/ProgramContext.h"
#include "platform/DrawTarget.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"
#include "store/MainForm.h"

namespace bw {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool IsWordEnd(QChar c) {
    return c == u'.' || c == u',' || c == u';';
}

bool IsWordCharAt(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '-' ||
           u == '_' || u == '.' || u == ',' || u == ';';
}

// The width a line takes with `spacing` between its characters.
double SpacedWidth(DrawTarget& target, const QString& line, double spacing) {
    return target.TextWidth(line) + (line.size() - 1) * spacing;
}

// Prints one character (a text of one) with its top-left corner at (x, y); a blank only
// takes its place.
void PrintAt(DrawTarget& target, const QString& c, double x, double y) {
    if (c == u' ') return;
    target.SetCurrentX(x);
    target.SetCurrentY(y);
    target.Print(c, false);
}

}  // namespace

void PrintTextInCells(DrawTarget& target, const QString& text, double x, double y, double width,
                      int cells, int align) {
    if (cells <= 0) return;
    const double cell = width / cells;
    QString s = text;
    const int n = static_cast<int>(s.size());
    if (align >= 1) {
        if (n < cells) {
            const int pad = align == 1 ? cells - n : (cells - n) / 2;
            s.prepend(QString(pad, u' '));
        } else if (n > cells) {
            const int excess = n - cells;
            x -= (align == 1 ? excess : excess / 2) * cell;
        }
    }
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == u' ') continue;
        const QString c(s[i]);
        PrintAt(target, c, x + i * cell + (cell - target.TextWidth(c)) / 2, y);
    }
}

QString CashCellText(const QString& text, int code, bool* fits) {
    const int n = code > 300 ? code - 300 : code;
    QString s = FormatMoney(text, TheProgramContext());
    s.remove(u'.');
    s.remove(u',');
    QString sign = CurrencySign;
    sign.remove(u'.');
    sign.remove(u',');
    // What must have a cell: everything after the currency sign (the digits and a minus).
    const qsizetype body =
        !sign.isEmpty() && s.startsWith(sign) ? s.size() - sign.size() : s.size();
    if (fits) *fits = n > 0 && body <= n;
    if (n <= 0) return QString();
    if (s.size() > n) s = s.right(n);
    if (s.size() < n) s.prepend(QString(n - s.size(), u' '));
    if (code > 300 && !sign.isEmpty()) s.replace(sign, QString(sign.size(), u' '));
    return s;
}

bool PrintCashCells(DrawTarget& target, const QString& text, double x, double y, double width,
                    int code, int /*align*/) {
    if (text.isEmpty()) return true;
    bool fits = false;
    const QString s = CashCellText(text, code, &fits);
    if (!fits) return false;
    PrintTextInCells(target, s, x, y, width, static_cast<int>(s.size()), 0);
    return true;
}

bool IsWordChar(const QString& c) {
    return !c.isEmpty() && IsWordCharAt(c[0]);
}

QString FindWordEnd(const QString& text, int start) {
    if (start < 1 || start > text.size()) return QString();
    const QChar first = text[start - 1];
    QString token(first);
    if (IsWordEnd(first) || !IsWordCharAt(first)) return token;
    for (qsizetype i = start; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!IsWordCharAt(c)) break;
        token += c;
        if (IsWordEnd(c)) break;
    }
    return token;
}

namespace {

// The length of the token that starts at `start` (0-based) of the text, as FindWordEnd takes it.
qsizetype TokenLength(const QString& text, qsizetype start) {
    const QChar first = text[start];
    if (IsWordEnd(first) || !IsWordCharAt(first)) return 1;
    qsizetype i = start + 1;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!IsWordCharAt(c)) break;
        if (IsWordEnd(c)) {
            ++i;
            break;
        }
    }
    return i - start;
}

// One paragraph broken by measuring each growing line whole: the rule itself, and the way
// taken when the quicker one below cannot vouch for its sums.
void WrapByPrefixes(DrawTarget& target, const QString& paragraph, double width, double spacing,
                    QStringList& lines) {
    qsizetype at = 0;
    const qsizetype n = paragraph.size();
    while (at < n) {
        qsizetype len = TokenLength(paragraph, at);
        double w = SpacedWidth(target, paragraph.mid(at, len), spacing);
        while (w < width && at + len < n) {
            const qsizetype token = TokenLength(paragraph, at + len);
            w = SpacedWidth(target, paragraph.mid(at, len + token), spacing);
            if (w > width) break;
            len += token;
        }
        lines << paragraph.mid(at, len);
        at += len;
    }
}

// Widths further than this (twips) from the box width are decided on the summed width; nearer
// ones are measured whole, as the rule measures them.
constexpr double kSumTolerance = 1.0;

// The same breaks in time linear in the paragraph's length: a line's width is summed from its
// tokens' widths, each corrected for the pair of characters where it joins the line (kerning,
// ligatures of two), all of them measured once. Widths near the box width are measured
// whole, and so is every finished line: when a sum strays from the whole width the paragraph
// is broken the measuring way instead. False then, with `lines` as it was.
bool WrapBySums(DrawTarget& target, const QString& paragraph, double width, double spacing,
                QStringList& lines) {
    const qsizetype n = paragraph.size();
    const qsizetype firstLine = lines.size();
    auto plain = [&](qsizetype at, qsizetype len) {
        return target.TextWidth(paragraph.mid(at, len));
    };
    auto spaced = [&](double plainWidth, qsizetype len) {
        return plainWidth + (len - 1) * spacing;
    };
    auto fail = [&] {
        while (lines.size() > firstLine) lines.removeLast();
        return false;
    };
    qsizetype at = 0;
    while (at < n) {
        qsizetype len = TokenLength(paragraph, at);
        double sum = plain(at, len);  // a single token is measured whole
        double w = spaced(sum, len);
        bool measured = true;
        while (w < width && at + len < n) {
            const qsizetype next = at + len;
            const qsizetype token = TokenLength(paragraph, next);
            const QChar a = paragraph[next - 1];
            const QChar b = paragraph[next];
            const double join = target.TextWidth(QString(a) + b) - target.TextWidth(QString(a)) -
                                target.TextWidth(QString(b));
            double candidate = sum + plain(next, token) + join;
            double cw = spaced(candidate, len + token);
            bool whole = false;
            if (std::fabs(cw - width) <= kSumTolerance) {
                const double exact = plain(at, len + token);
                if (std::fabs(exact - candidate) > kSumTolerance / 2) return fail();
                candidate = exact;
                cw = spaced(candidate, len + token);
                whole = true;
            }
            if (cw > width) break;
            len += token;
            sum = candidate;
            w = cw;
            measured = whole;
        }
        if (!measured && std::fabs(plain(at, len) - sum) > kSumTolerance / 2) return fail();
        lines << paragraph.mid(at, len);
        at += len;
    }
    return true;
}

}  // namespace

namespace {

// What the lines of a text depend on besides the text: the widths of the target's font at
// its resolution, in its unit, against the box width and the spacing.
struct WrapRequest {
    QFont font;
    uint resolveMask;
    double dpiX;
    double dpiY;
    ScaleUnit unit;
    double width;
    double spacing;

    WrapRequest(const DrawTarget& target, double w, double s)
        : font(target.Font()),
          resolveMask(target.Font().resolveMask()),
          dpiX(target.DpiX()),
          dpiY(target.DpiY()),
          unit(target.ScaleMode()),
          width(w),
          spacing(s) {}
    bool operator==(const WrapRequest& o) const {
        return width == o.width && spacing == o.spacing && unit == o.unit && dpiX == o.dpiX &&
               dpiY == o.dpiY && resolveMask == o.resolveMask && font == o.font;
    }
};

struct KeptLines {
    WrapRequest request;
    QStringList lines;
};

// Lines found before, by text: the bills of a batch print many of the same texts in the same
// boxes. Texts longer than kMaxKeptWrapText are broken each time.
QHash<QString, std::vector<KeptLines>>& keptLines() {
    static QHash<QString, std::vector<KeptLines>> kept;
    return kept;
}
constexpr qsizetype kMaxKeptWraps = 4096;
constexpr qsizetype kMaxKeptWrapText = 256;
constexpr std::size_t kMaxRequestsPerText = 16;

QStringList BreakLines(DrawTarget& target, const QString& text, double width, double spacing);

}  // namespace

QStringList WrapLines(DrawTarget& target, const QString& text, double width, double spacing) {
    if (text.isEmpty() || text.size() > kMaxKeptWrapText)
        return BreakLines(target, text, width, spacing);
    const WrapRequest request(target, width, spacing);
    auto& kept = keptLines();
    const auto found = kept.constFind(text);
    if (found != kept.cend())
        for (const KeptLines& k : *found)
            if (k.request == request) return k.lines;
    QStringList lines = BreakLines(target, text, width, spacing);
    if (kept.size() >= kMaxKeptWraps) kept.clear();
    std::vector<KeptLines>& same = kept[text];
    if (same.size() >= kMaxRequestsPerText) same.clear();
    same.push_back({request, lines});
    return lines;
}

namespace {

QStringList BreakLines(DrawTarget& target, const QString& text, double width, double spacing) {
    QStringList lines;
    if (text.isEmpty()) return lines;
    for (const QString& paragraph : text.split(kCrLf)) {
        if (paragraph.isEmpty()) {
            lines << QString();
            continue;
        }
        // A paragraph clearly narrower than the box is one line: no part of it is wider than
        // the whole, so neither way below would break it.
        if (spacing >= 0 && target.TextWidth(paragraph) + (paragraph.size() - 1) * spacing <
                                width - kSumTolerance) {
            lines << paragraph;
            continue;
        }
        if (!WrapBySums(target, paragraph, width, spacing, lines))
            WrapByPrefixes(target, paragraph, width, spacing, lines);
    }
    return lines;
}

}  // namespace

namespace {

double LineAdvance(DrawTarget& target, double lineSpacing) {
    return target.TextHeight(kLineSample) + lineSpacing + 1;
}

}  // namespace

double WrappedTextHeight(DrawTarget& target, int lines, double lineSpacing) {
    if (lines <= 0) return 0;
    return (lines - 1) * LineAdvance(target, lineSpacing) + target.TextHeight(kLineSample);
}

void PrintWrappedText(DrawTarget& target, const QString& text, double x, double y, double width,
                      double spacing, double lineSpacing, int align) {
    if (text.isEmpty()) return;
    const QStringList lines = WrapLines(target, text, width, spacing);
    const double advance = LineAdvance(target, lineSpacing);
    double top = RoundHalfEven(y);
    for (const QString& line : lines) {
        double left = x;
        if (align == 1 || align == 2) {
            const double free = width - target.TextWidth(line) - line.size() * spacing - 1;
            left = align == 1 ? x + free : x + free / 2;
        }
        PrintSpacedLine(target, line, RoundHalfEven(left), top, spacing);
        top = RoundHalfEven(top + advance);
    }
}

void PrintSpacedLine(DrawTarget& target, const QString& text, double x, double y, double spacing) {
    for (QChar ch : text) {
        const QString c(ch);
        const double w = target.TextWidth(c);
        PrintAt(target, c, x, y);
        x += w + spacing;
    }
}

// ---- Font size ------------------------------------------------------------------------

namespace {

// A size found, with everything it was found from.
struct FoundSize {
    QFont probe;  // the printer's font, with the box's weight at the search's first size
    QString fontName;
    double designSize;  // x zoom
    double paperWidth;
    double frameWidth;
    double dpiX;
    double dpiY;
    double result;
};

std::vector<FoundSize>& sizeCache() {
    static std::vector<FoundSize> cache;
    return cache;
}

constexpr std::size_t kMaxFoundSizes = 4096;

// The width of the self-sizing measuring label on the canvas, in canvas twips.
double LabelWidthTwips(const QString& fontName, double points, bool bold) {
    QFont font(fontName);
    if (points > 0 && std::isfinite(points)) font.setPointSizeF(points);
    font.setBold(bold);
    return PixelsToTwipsF(QFontMetrics(font).horizontalAdvance(kFontSample));
}

// Sets a size the printer can take; false for none.
bool SetSize(DrawTarget& printer, double points) {
    const float size = static_cast<float>(points);
    if (!(size > 0)) return false;
    printer.SetFontSize(size);
    return true;
}

double SearchSize(DrawTarget& printer, double target, bool bold) {
    printer.SetFontSize(10.5);
    printer.SetFontBold(bold);
    double w = printer.TextWidth(kFontSample);
    double step = w > target ? -4.0 : 10.0;
    for (int round = 0; round < 501; ++round) {
        const double size = printer.FontSize();
        if (size + step < 0) step = -size;
        if (!SetSize(printer, size + step)) break;  // no size left below
        w = printer.TextWidth(kFontSample);
        if (step > 0 && w > target) {
            step = -step / 2;
        } else if (step <= 0 && w < target) {
            step = -step / 2;
        }
        if (std::fabs(step) < 0.3) break;
    }
    step = w > target ? -0.1 : 0.1;
    const double base = printer.FontSize();
    for (int i = 1; i <= 10; ++i) {
        if (!SetSize(printer, base + i * step)) break;
        w = printer.TextWidth(kFontSample);
        if (step < 0 ? w < target : w > target) break;
    }
    return printer.FontSize();
}

}  // namespace

double FitPrinterFontSize(DrawTarget& printer, double size, const QString& fontName, bool bold,
                          double zoom) {
    const ScaleUnit unit = printer.ScaleMode();
    printer.SetScaleMode(ScaleUnit::Twips);
    MainForm& mf = MF();
    const double paperWidth = mf.PaperWidthMm();
    const double frameWidth = mf.FrameWidth();
    double result = size;
    if (paperWidth > 0 && frameWidth > 0 && size * zoom > 0 && std::isfinite(size * zoom)) {
        QFont probe = printer.Font();
        probe.setBold(bold);
        probe.setPointSizeF(10.5);
        const double design = size * zoom;
        const double dpiX = printer.DpiX();
        const double dpiY = printer.DpiY();
        // The size depends on nothing else: the printer font's family and style, the sample's
        // width on the canvas and on paper, and the printer's resolution.
        auto& cache = sizeCache();
        const auto hit = std::find_if(cache.begin(), cache.end(), [&](const FoundSize& f) {
            return f.designSize == design && f.dpiX == dpiX && f.dpiY == dpiY &&
                   f.paperWidth == paperWidth && f.frameWidth == frameWidth &&
                   f.fontName == fontName && f.probe == probe &&
                   f.probe.resolveMask() == probe.resolveMask();
        });
        if (hit != cache.end()) {
            result = hit->result;
            printer.SetFontBold(bold);
            printer.SetFontSize(result);
        } else {
            const double target =
                LabelWidthTwips(fontName, design, bold) * paperWidth / frameWidth * kTwipsPerMm;
            result = SearchSize(printer, target, bold);
            if (cache.size() >= kMaxFoundSizes) cache.clear();
            cache.push_back({probe, fontName, design, paperWidth, frameWidth, dpiX, dpiY, result});
        }
    } else {
        printer.SetFontBold(bold);
        SetSize(printer, size);
        result = printer.FontSize();
    }
    printer.SetScaleMode(unit);
    return result;
}

void ClearFontSizeCache() {
    sizeCache().clear();
    keptLines().clear();
}

}  // namespace bw
